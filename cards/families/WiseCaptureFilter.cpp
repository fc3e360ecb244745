#include "cards/families/WiseCaptureFilter.h"

#include "cards/StreamCaps.h"
#include "cards/families/CardRecords.h"
#include "cards/families/EncoderCombinations.h"
#include "cards/families/ProfileParser.h"
#include "graph/Clock.h"
#include "graph/Guids.h"
#include "graph/MediaTypePtr.h"
#include "hw/access/WiseAccess.h"
#include "hw/tuners/TVTuner.h"
#include "platform/mfc/MessageBox.h"

#include <dvdmedia.h>
#include <mmreg.h>
#include <stdio.h>
#include <string.h>

#include <new>

namespace {

const int kWiseCardType = 18;
// The tuner of the boxes whose EEPROM names none we can make.
const int kDefaultTunerType = 72;
const int kDefaultTunerBrand = 'L';
const DWORD kEepromReadPauseMs = 50;

// The remote receiver.
const BYTE kReceiverAddress = 0xBB;
const LONG kKeyWaitingRegister = 48;
const LONG kKeyRegister = 49;

// The video decoder's status register; bit 5 is its lock.
const BYTE kDecoderAddress = 0x41;
const DWORD kDecoderStatusRegister = 0x1F;

const char kCapturePin[] = "Video Capture";
const char kPreviewPin[] = "Video Preview";
const char kAudioPin[] = "Audio Capture";

// Frame time in 100 ns of a rate given as frames per second x 1001.
const LONGLONG kFrameTimeScale = 10010000000LL;

// Where the encoder records go in each kind of format block: after the
// sequence header of MPEG-1 and MPEG-2 blocks, at the end of the bitmap
// header of MPEG-4 ones.
const size_t kMpeg1SequenceOffset = offsetof(MPEG1VIDEOINFO, bSequenceHeader);
const size_t kMpeg2SequenceOffset = offsetof(MPEG2VIDEOINFO, dwSequenceHeader);
static_assert(kMpeg1SequenceOffset == 96 && kMpeg2SequenceOffset == 132, "format block layouts");

enum CompressMode { kMpeg1 = 0, kMpeg2 = 1, kMpeg4 = 4 };

// The MPEG-4 compressions by mpeg4_mode; other modes take any.
const DWORD kMpeg4Compressions[] = {0x04504D57, MAKEFOURCC('D', 'X', '5', '0'), MAKEFOURCC('M', 'P', '4', 'S'),
                                    MAKEFOURCC('D', 'I', 'V', 'X')};

void Trace(const char* format, LONG width, LONG height, LONGLONG frameTime, DWORD bitRate)
{
    char line[128];
    snprintf(line, sizeof(line), format, (int)width, (int)height, (int)frameTime, (int)bitRate);
    OutputDebugStringA(line);
}

// The video header, the bitmap header inside it and where the encoder
// records go, of a capability that suits the stream's compress mode; NULL
// header when it does not suit.
struct PinFormat
{
    BITMAPINFOHEADER* bitmap = NULL;
    VIDEOINFOHEADER2* header2 = NULL;  // MPEG-2 only
    LONGLONG* frameTime = NULL;
    DWORD* bitRate = NULL;
    ULONGLONG recordsAt = 0;
    const char* trace = NULL;
};

bool BlockHolds(const AM_MEDIA_TYPE& mt, size_t bytes)
{
    return mt.pbFormat && mt.cbFormat >= bytes;
}

PinFormat Mpeg1Format(AM_MEDIA_TYPE& mt)
{
    PinFormat f;
    if (!IsEqualGUID(mt.subtype, MEDIASUBTYPE_MPEG1Payload) || !IsEqualGUID(mt.formattype, FORMAT_MPEGVideo) ||
        !BlockHolds(mt, kMpeg1SequenceOffset))
        return f;
    MPEG1VIDEOINFO* info = reinterpret_cast<MPEG1VIDEOINFO*>(mt.pbFormat);
    f.bitmap = &info->hdr.bmiHeader;
    f.frameTime = &info->hdr.AvgTimePerFrame;
    f.bitRate = &info->hdr.dwBitRate;
    f.recordsAt = kMpeg1SequenceOffset + (ULONGLONG)info->cbSequenceHeader;
    f.trace = "MPEG1 width: %d height: %d fps: %d bps: %d";
    return f;
}

PinFormat Mpeg2Format(AM_MEDIA_TYPE& mt)
{
    PinFormat f;
    if (!IsEqualGUID(mt.subtype, MEDIASUBTYPE_MPEG2_VIDEO) || !IsEqualGUID(mt.formattype, FORMAT_MPEG2Video) ||
        !BlockHolds(mt, kMpeg2SequenceOffset))
        return f;
    MPEG2VIDEOINFO* info = reinterpret_cast<MPEG2VIDEOINFO*>(mt.pbFormat);
    f.bitmap = &info->hdr.bmiHeader;
    f.header2 = &info->hdr;
    f.frameTime = &info->hdr.AvgTimePerFrame;
    f.bitRate = &info->hdr.dwBitRate;
    f.recordsAt = kMpeg2SequenceOffset + (ULONGLONG)info->cbSequenceHeader;
    f.trace = "MPEG2 width: %d height: %d fps: %d bps: %d";
    return f;
}

PinFormat Mpeg4Format(AM_MEDIA_TYPE& mt, BYTE mpeg4Mode)
{
    PinFormat f;
    if (!IsEqualGUID(mt.formattype, FORMAT_VideoInfo) || !BlockHolds(mt, sizeof(VIDEOINFOHEADER)))
        return f;
    VIDEOINFOHEADER* info = reinterpret_cast<VIDEOINFOHEADER*>(mt.pbFormat);
    if (mpeg4Mode < sizeof(kMpeg4Compressions) / sizeof(kMpeg4Compressions[0]) &&
        info->bmiHeader.biCompression != kMpeg4Compressions[mpeg4Mode])
        return f;
    f.bitmap = &info->bmiHeader;
    f.frameTime = &info->AvgTimePerFrame;
    f.bitRate = &info->dwBitRate;
    // The records are the last bytes of a bitmap header long enough to
    // carry them after its own fields.
    const ULONGLONG bitmapAt = offsetof(VIDEOINFOHEADER, bmiHeader);
    const ULONGLONG bitmapEnd = bitmapAt + info->bmiHeader.biSize;
    f.recordsAt = bitmapEnd >= bitmapAt + sizeof(BITMAPINFOHEADER) + sizeof(EncoderConfig)
                      ? bitmapEnd - sizeof(EncoderConfig)
                      : 0;
    f.trace = "videoinfo width: %d height: %d fps: %d bps: %d";
    return f;
}

PinFormat FormatFor(AM_MEDIA_TYPE& mt, const StreamSetting& stream)
{
    switch (stream.compress_mode) {
    case kMpeg1: return Mpeg1Format(mt);
    case kMpeg2: return Mpeg2Format(mt);
    case kMpeg4: return Mpeg4Format(mt, stream.mpeg4_mode);
    default: return PinFormat();
    }
}

} // namespace

CWiseCaptureFilter::CWiseCaptureFilter(CRootGraph* owner, const GUID* category, const char* friendlyName,
                                       BOOL firstMatch)
    : CTVCardFilter(owner, category, friendlyName, firstMatch)
{
    SetWiseDefaults();
}

CWiseCaptureFilter::CWiseCaptureFilter(CRootGraph* owner, const CLSID* clsid) : CTVCardFilter(owner, clsid)
{
    SetWiseDefaults();
}

void CWiseCaptureFilter::SetWiseDefaults()
{
    memset(&m_caps, 0, sizeof(m_caps));
    memset(&m_profiles, 0, sizeof(m_profiles));
}

CWiseCaptureFilter::~CWiseCaptureFilter()
{
    Close();
    FreeCombinations(&m_caps);
}

void CWiseCaptureFilter::SetDefaults()
{
    m_strTunerDevice = "WIS GO7007SB A/V Capture";
    // The box keeps its tuner facts at 17 (brand) and 16 (type).
    m_nBrandSubAddr = 17;
    m_nTypeSubAddr = 16;
    CTVCardFilter::SetDefaults();
}

CWiseAccess* CWiseCaptureFilter::Access() const
{
    return static_cast<CWiseAccess*>(m_pAccess);
}

BOOL CWiseCaptureFilter::CreateAccess()
{
    return AttachAccess(new (std::nothrow) CWiseAccess(), kWiseCardType) == S_OK;
}

HRESULT CWiseCaptureFilter::OpenAccess()
{
    return CreateAccess() ? S_OK : E_FAIL;
}

void CWiseCaptureFilter::OnInitLockFailed()
{
    AfxShowMessageBox(NULL, "Initfilter lock failed", NULL, MB_OK);
}

BOOL CWiseCaptureFilter::OpenUnderLock()
{
    FreeCombinations(&m_caps);
    if (OpenAccess() != S_OK)
        return FALSE;
    if (!zunk::QueryCodecInterface(m_pFilter, IID_IWiseEncoder, m_pEncoder))
        return FALSE;
    // A missing or refused profile file leaves the box closed.
    if (!GetEncoderCaps(&m_caps) || !LoadVideoProfiles(&m_caps, &m_profiles))
        return FALSE;
    ReadTunerInfo();
    return CreateTunerFromType();
}

// --- EEPROM, tuner and remote ---------------------------------------------------------

HRESULT CWiseCaptureFilter::ReadEepromByte(BYTE sub, BYTE* value)
{
    if (!m_pAccess)
        return E_POINTER;
    HRESULT hr = Access()->PrivateRead(m_nEepromAddr, 8, sub, value, CWiseAccess::kFlags);
    zunk::Sleep(kEepromReadPauseMs);
    return hr;
}

HRESULT CWiseCaptureFilter::WriteEepromByte(BYTE sub, BYTE value)
{
    if (!m_pAccess)
        return E_POINTER;
    return Access()->PrivateWrite(m_nEepromAddr, 8, sub, value, CWiseAccess::kFlags);
}

HRESULT CWiseCaptureFilter::ReadTunerInfoFromEeprom(int* brand, int* type)
{
    if (!m_pAccess || !brand || !type)
        return E_POINTER;
    BYTE value = 0;
    if (SUCCEEDED(ReadEepromByte(m_nBrandSubAddr, &value)))
        *brand = value && strchr("AEGLPTX", value) ? value : kDefaultTunerBrand;
    HRESULT hr = ReadEepromByte(m_nTypeSubAddr, &value);
    if (FAILED(hr)) {
        *type = kDefaultTunerType;
        return hr;
    }
    *type = value ? value : kDefaultTunerType;
    return S_OK;
}

BOOL CWiseCaptureFilter::CreateTunerFromType()
{
    CTVTuner* tuner = CreateTuner(m_nTunerType);
    if (!tuner) {
        tuner = CreateTuner(kDefaultTunerType);
        m_nTunerBrand = kDefaultTunerBrand;
    }
    return tuner ? ReplaceTuner(tuner) : FALSE;
}

BOOL CWiseCaptureFilter::TuneFrequency(float kHz)
{
    if (!m_pTuner)
        return FALSE;
    if (m_pTuner->m_bReapplyStandard)
        m_pTuner->SetStandard(m_pTuner->m_nStandard);
    return m_pTuner->SetTVFrequency(kHz);
}

BOOL CWiseCaptureFilter::ReadRemoteKey(BYTE* key)
{
    if (!m_pAccess || !key)
        return FALSE;
    BYTE waiting = 0, code = 0;
    if (FAILED(m_pAccess->ReadI2CByte(kReceiverAddress, kKeyWaitingRegister, &waiting)) || waiting != 1)
        return FALSE;
    if (FAILED(m_pAccess->ReadI2CByte(kReceiverAddress, kKeyRegister, &code)))
        return FALSE;
    *key = code;
    return TRUE;
}

BOOL CWiseCaptureFilter::ReadDecoderStatus(DWORD* out)
{
    BYTE value = 0;
    if (!m_pAccess || !out ||
        FAILED(Access()->PrivateRead(kDecoderAddress, 8, kDecoderStatusRegister, &value, CWiseAccess::kFlags)))
        return FALSE;
    *out = (value & 0x20) ? 1 : 32;
    return TRUE;
}

// --- capabilities and combinations ------------------------------------------------------

BOOL CWiseCaptureFilter::GetEncoderCaps(EncoderCaps* caps)
{
    if (!caps || !m_pEncoder)
        return FALSE;
    FreeCombinations(caps);
    memset(caps, 0, sizeof(*caps));
    HRESULT hr = m_pEncoder->GetCapabilities(caps);
    // Whatever the driver left past its tables is not a list of ours.
    caps->combinationCount = 0;
    caps->combinations = NULL;
    ClampCapabilityCounts(caps);
    return SUCCEEDED(hr);
}

BOOL CWiseCaptureFilter::GetBoardInfo(EncoderBoard* board)
{
    if (!board || !m_pEncoder)
        return FALSE;
    memset(board, 0, sizeof(*board));
    HRESULT hr = m_pEncoder->GetBoardInfo(board);
    board->name[sizeof(board->name) - 1] = '\0';
    return SUCCEEDED(hr);
}

int CWiseCaptureFilter::FindBoard(const EncoderBoard& board) const
{
    int found = -1;
    for (DWORD i = 0; i < m_caps.boardCount; i++) {
        if (strncmp(m_caps.boards[i].name, board.name, sizeof(board.name)) == 0)
            found = (int)i;
    }
    return found;
}

BOOL CWiseCaptureFilter::BuildBoardCombinations()
{
    EncoderBoard board;
    if (!GetBoardInfo(&board))
        return FALSE;
    FreeCombinations(&m_caps);
    int index = FindBoard(board);
    if (index < 0)
        return FALSE;
    return BuildCombinations(&m_caps, index, board.tv_standard) == 0 && m_caps.combinationCount > 0;
}

BOOL CWiseCaptureFilter::IsStreamFrameRateAllowed(int stream, int frameRate)
{
    if (stream < 0 || (DWORD)stream >= m_profiles.streamCount || frameRate < 0 ||
        (DWORD)frameRate >= m_profiles.frameRateCount)
        return FALSE;
    const DWORD s = m_profiles.streamMap[stream], f = m_profiles.frameRateMap[frameRate];
    for (DWORD i = 0; i < m_caps.combinationCount; i++) {
        if (m_caps.combinations[i].stream == s && m_caps.combinations[i].frameRate == f)
            return TRUE;
    }
    return FALSE;
}

BOOL CWiseCaptureFilter::IsCombinationAllowed(int stream, int frameRate, int resolution)
{
    if (!IsStreamFrameRateAllowed(stream, frameRate) || resolution < 0 ||
        (DWORD)resolution >= m_profiles.resolutionCount)
        return FALSE;
    const DWORD s = m_profiles.streamMap[stream], f = m_profiles.frameRateMap[frameRate],
                r = m_profiles.resolutionMap[resolution];
    for (DWORD i = 0; i < m_caps.combinationCount; i++) {
        const ProfileCombination& c = m_caps.combinations[i];
        if (c.stream == s && c.frameRate == f && c.resolution == r)
            return TRUE;
    }
    return FALSE;
}

BOOL CWiseCaptureFilter::IsBitrateInRange(int, int, int resolution, int bitrate)
{
    if (resolution < 0 || (DWORD)resolution >= m_profiles.resolutionCount || bitrate < 0 ||
        (DWORD)bitrate >= m_profiles.bitrateCount)
        return FALSE;
    const DWORD capability = m_profiles.resolutionMap[resolution];
    if (capability >= m_caps.resolutionCount)
        return FALSE;
    const DWORD target = m_profiles.bitrates[bitrate].target_bitrate;
    const ResolutionSetting& limits = m_caps.resolutions[capability];
    return target == 0 || (target >= limits.min_bitrate && target <= limits.max_bitrate);
}

BOOL CWiseCaptureFilter::GetBitrateRange(DWORD standards, DWORD width, DWORD height, DWORD* min, DWORD* max)
{
    if (!min || !max)
        return FALSE;
    if ((!m_caps.combinations || m_caps.combinationCount == 0) && !BuildBoardCombinations())
        return FALSE;
    for (DWORD i = 0; i < m_profiles.resolutionCount; i++) {
        const ResolutionSetting& r = m_profiles.resolutions[i];
        if ((r.tv_standard & standards) && r.width == width && r.height == height) {
            const DWORD capability = m_profiles.resolutionMap[i];
            if (capability >= m_caps.resolutionCount)
                return FALSE;
            *min = m_caps.resolutions[capability].min_bitrate;
            *max = m_caps.resolutions[capability].max_bitrate;
            return TRUE;
        }
    }
    return FALSE;
}

// --- choosing and applying a profile -------------------------------------------------------

BOOL CWiseCaptureFilter::SelectEncoderProfile(DWORD standards, int stream, DWORD frameRate, DWORD width,
                                              DWORD height, DWORD bitrate, BOOL highest, BOOL override,
                                              DWORD overridePeak, BYTE overrideQuantiser)
{
    if (!BuildBoardCombinations() || stream < 0 || (DWORD)stream >= m_profiles.streamCount)
        return FALSE;
    int rate = -1, size = -1, chosen = -1;
    for (DWORD f = 0; f < m_profiles.frameRateCount && rate < 0; f++) {
        const FrameRateSetting& r = m_profiles.frameRates[f];
        if (r.frame_rate == frameRate && (r.tv_standard & standards) && IsStreamFrameRateAllowed(stream, (int)f))
            rate = (int)f;
    }
    for (DWORD i = 0; i < m_profiles.resolutionCount && size < 0; i++) {
        const ResolutionSetting& r = m_profiles.resolutions[i];
        if (r.tv_standard == standards && r.width == width && r.height == height)
            size = (int)i;
    }
    if (rate < 0 || size < 0)
        return FALSE;
    DWORD best = 0;
    for (DWORD b = 0; b < m_profiles.bitrateCount; b++) {
        const DWORD target = m_profiles.bitrates[b].target_bitrate;
        if (!IsBitrateInRange(stream, rate, size, (int)b))
            continue;
        if (highest ? target > best : target == bitrate) {
            chosen = (int)b;
            best = target;
            if (!highest)
                break;
        }
    }
    if (chosen < 0)
        return FALSE;

    EncoderConfig config;
    config.stream = m_profiles.streams[stream];
    config.frameRate = m_profiles.frameRates[rate];
    config.resolution = m_profiles.resolutions[size];
    config.bitrate = m_profiles.bitrates[chosen];
    if ((stream == 0 || stream == 1) && override) {
        config.bitrate.target_bitrate = 0;
        config.bitrate.peak_bitrate = overridePeak;
        config.bitrate.Q = 0;
        config.bitrate.lambda = 100;
        config.bitrate.IQ = config.bitrate.PQ = config.bitrate.BQ = overrideQuantiser;
    }

    ComPtr<IAMStreamConfig> capture, preview;
    BOOL hasCapture = FALSE, hasPreview = FALSE;
    PinStreamConfig(kCapturePin, capture, &hasCapture);
    PinStreamConfig(kPreviewPin, preview, &hasPreview);
    if (!hasCapture || !hasPreview)
        return FALSE;
    BOOL captureSet = ApplyConfigToPin(capture.Get(), &config);
    BOOL previewSet = preview ? ApplyConfigToPin(preview.Get(), &config) : TRUE;
    return captureSet && previewSet;
}

BOOL CWiseCaptureFilter::PinStreamConfig(const char* name, ComPtr<IAMStreamConfig>& config, BOOL* found)
{
    CRootPin* pin = FindPinByName(name);
    *found = pin && pin->GetIPin();
    return *found && config.QueryFrom(pin->GetIPin(), IID_IAMStreamConfig) == S_OK && config.Get();
}

BOOL CWiseCaptureFilter::ApplyConfigToPin(IAMStreamConfig* streamConfig, EncoderConfig* records)
{
    if (!streamConfig || !records || records->frameRate.frame_rate == 0)
        return FALSE;
    const ResolutionSetting& size = records->resolution;
    HRESULT set = E_FAIL;
    BOOL qualified = VisitStreamCaps(
        streamConfig, 0,
        [&](int, AM_MEDIA_TYPE& mt, BYTE*) {
            PinFormat f = FormatFor(mt, records->stream);
            if (!f.bitmap || (DWORD)f.bitmap->biWidth != size.width || (DWORD)f.bitmap->biHeight != size.height)
                return false;
            *f.frameTime = kFrameTimeScale / records->frameRate.frame_rate;
            f.bitmap->biWidth = (LONG)size.width;
            f.bitmap->biHeight = (LONG)size.height;
            f.bitmap->biSizeImage = (DWORD)((ULONGLONG)size.width * size.height * 3 / 2);
            *f.bitRate = records->bitrate.target_bitrate;
            if (f.header2) {
                f.header2->dwPictAspectRatioX = size.width;
                f.header2->dwPictAspectRatioY = size.height;
            }
            if (f.recordsAt && f.recordsAt + sizeof(EncoderConfig) <= mt.cbFormat) {
                EncoderConfig* inBlock = reinterpret_cast<EncoderConfig*>(mt.pbFormat + f.recordsAt);
                memcpy(inBlock, records, sizeof(*records));
                ComPtr<IWiseEncoderSettings> settings;
                DWORD result = 0;
                if (records->stream.compress_mode == kMpeg4 && m_pEncoder &&
                    zunk::QueryCodecInterface(m_pEncoder.Get(), IID_IWiseEncoderSettings, settings))
                    settings->SetConfig(inBlock, &result);
            }
            Trace(f.trace, f.bitmap->biWidth, f.bitmap->biHeight, *f.frameTime, *f.bitRate);
            set = streamConfig->SetFormat(&mt);
            if (FAILED(set))
                OutputDebugStringA("wisproxy: set pin format failed");
            return true;
        },
        [](int) { OutputDebugStringA("[wisproxy]: GetSteamCaps Failed!"); });
    return qualified && SUCCEEDED(set);
}

// --- audio --------------------------------------------------------------------------------

BOOL CWiseCaptureFilter::GetAudioFormat(EncoderAudioFormat* format)
{
    ComPtr<IAMStreamConfig> config;
    BOOL found = FALSE;
    if (!format || !PinStreamConfig(kAudioPin, config, &found))
        return FALSE;
    CMediaTypePtr mt;
    if (FAILED(config->GetFormat(&mt)) || !mt)
        return FALSE;
    BOOL ok = IsEqualGUID(mt->formattype, FORMAT_WaveFormatEx) && BlockHolds(*mt, sizeof(WAVEFORMATEX) - 2);
    if (ok) {
        const WAVEFORMATEX* wave = reinterpret_cast<const WAVEFORMATEX*>(mt->pbFormat);
        format->formatTag = wave->wFormatTag;
        format->samplesPerSec = wave->nSamplesPerSec;
        format->channels = wave->nChannels;
        format->bitsPerSample = wave->wBitsPerSample;
        format->blockAlign = wave->nBlockAlign;
        format->avgBytesPerSec = wave->nAvgBytesPerSec;
        format->reserved = 0;
    }
    return ok;
}

BOOL CWiseCaptureFilter::SetAudioFormat(const EncoderAudioFormat* format)
{
    ComPtr<IAMStreamConfig> config;
    BOOL found = FALSE;
    if (!format || !PinStreamConfig(kAudioPin, config, &found))
        return FALSE;
    HRESULT set = E_FAIL;
    BOOL matched = VisitStreamCaps(config.Get(), 0, [&](int, AM_MEDIA_TYPE& mt, BYTE*) {
        if (!IsEqualGUID(mt.formattype, FORMAT_WaveFormatEx) || !BlockHolds(mt, sizeof(WAVEFORMATEX) - 2))
            return false;
        WAVEFORMATEX* wave = reinterpret_cast<WAVEFORMATEX*>(mt.pbFormat);
        if (wave->wFormatTag != format->formatTag)
            return false;
        wave->nChannels = (WORD)format->channels;
        wave->nSamplesPerSec = format->samplesPerSec;
        wave->wBitsPerSample = (WORD)format->bitsPerSample;
        wave->nBlockAlign = format->blockAlign;
        wave->nAvgBytesPerSec = format->avgBytesPerSec;
        set = config->SetFormat(&mt);
        return true;
    });
    return matched && SUCCEEDED(set);
}

// --- names and headers -----------------------------------------------------------------------

BOOL CWiseCaptureFilter::ListFrameRateNames(DWORD standard, CStringArray& names)
{
    names.RemoveAll();
    for (DWORD i = 0; i < m_caps.frameRateCount; i++) {
        const FrameRateSetting& rate = m_caps.frameRates[i];
        if (rate.tv_standard == standard) {
            char name[ProfileRecordHeader::kNameSize + 1] = {0};
            memcpy(name, rate.head.name, sizeof(rate.head.name));
            names.Add(CString(name));
        }
    }
    return names.GetSize() > 0;
}

int CWiseCaptureFilter::BuildMpeg4VolHeader(const EncoderConfig* config, BYTE** out)
{
    static BYTE header[kMpeg4VolHeaderBytes];
    if (!config || !out)
        return 0;
    FillMpeg4VolHeader(*config, header);
    *out = header;
    return kMpeg4VolHeaderBytes;
}

// --- crossbar and records -----------------------------------------------------------------------

void CWiseCrossbar::SetPinMap()
{
    static const int kMap[kInputCount] = {0, 1, 2, 3, 4, 4};
    for (int i = 0; i < kInputCount; i++)
        m_nPinMap[i] = kMap[i];
}

namespace {

FilterCreatorRecord g_wiseRecords[] = {
    CAPTURE_RECORD("Fenwil A/V Capture", CQorWisCardFilter),
    CROSSBAR_RECORD("Fenwil CrossBar", CQorWisCrossbarFilter),
};
static_assert(sizeof(g_wiseRecords) / sizeof(g_wiseRecords[0]) == 2, "the box and its crossbar");

} // namespace

void RegisterWiseFilters() { RegisterRecords(g_wiseRecords); }
void UnregisterWiseFilters() { UnregisterRecords(g_wiseRecords); }
