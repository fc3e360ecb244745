// The hardware object's time-shift graph: the card's picture and sound
// encoded to MPEG-2, written by the time-shift filter into a buffer file
// sized for the time-shift length, read back, split by the MPEG-2
// demultiplexer and decoded to the renderers, so that the user can pause
// and seek back. Stopping goes through the record stop road, which deletes
// the buffer and its index.
#include "engine/TVHardWare.h"

#include "cards/TVCardFilter.h"
#include "graph/DebugHelper.h"
#include "graph/ComPtr.h"
#include "graph/wrappers/DeinterlaceFilter.h"
#include "graph/wrappers/MCEncoderFilter.h"
#include "graph/wrappers/MPEG2Demultiplexer.h"
#include "graph/wrappers/OverlayFilter.h"
#include "graph/wrappers/TimeShiftFilter.h"

#include <cmath>
#include <cstring>

namespace {

const char kEncoderName[] = "MainConcept Demo MPEG Encoder";
const char kTimeShiftName[] = "Time Shift";
const char kDemuxName[] = "MPEG-2 Demultiplexer";
const char kVideoDecoderName[] = "MainConcept Demo MPEG Video Decoder";
const char kAudioDecoderName[] = "MainConcept Audio Decodec";
const char kWaveOutName[] = "Default WaveOut Device";
const char kAcmWrapperName[] = "ACM Wrapper Filter";
const char kOverlayName[] = "Overlay Mixer";
const char kAudioRendererPin[] = "Audio Input pin (rendered)";

// The MPEG-1 Layer II bit rates in kbit/s by index; index 0 ("free") and
// 15 (forbidden) have none.
const int kLayer2KBits[] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
static_assert(sizeof(kLayer2KBits) / sizeof(kLayer2KBits[0]) == 15, "indexes 0 to 14");

// Time shift always encodes full-size pictures.
const SIZE kTFSize625 = {720, 576};
const SIZE kTFSize525 = {720, 480};

} // namespace

BOOL CTVHardWare::TimeShiftBufferSize(int audioIndex, double muxBitRate, int seconds, LONGLONG* bytes)
{
    if (!bytes)
        return FALSE;
    *bytes = 0;
    if (audioIndex < 1 || audioIndex > 14 || seconds <= 0 || !std::isfinite(muxBitRate) || muxBitRate < 0)
        return FALSE;
    // kbit/s x 125 and bit/s x 0.125: bytes per second.
    const double size = (kLayer2KBits[audioIndex] * 125.0 + muxBitRate * 0.125) * seconds;
    if (!(size >= 1.0) || size > 9.0e18)
        return FALSE;
    *bytes = static_cast<LONGLONG>(size);
    return TRUE;
}

BOOL CTVHardWare::SetTFLength(int seconds)
{
    if (!HardwareSettings::IsValidTFTime(seconds))
        return FALSE;
    m_settings.TFTime = seconds;
    return TRUE;
}

BOOL CTVHardWare::SetTFReserved(int value)
{
    if (!HardwareSettings::IsValidTFReserved(value))
        return FALSE;
    m_settings.TFReserved = value;
    return TRUE;
}

BOOL CTVHardWare::SetTFFile(LPCSTR path)
{
    // The filter keeps the buffer's and the index's names in MAX_PATH bytes
    // each; a name it would cut is refused here rather than there.
    char index[MAX_PATH];
    if (!path || !*path || strlen(path) >= MAX_PATH ||
        !CTimeShiftFilter::MakeIndexFileName(path, index, sizeof index)) {
        DebugHelper("SetTFFile: buffer path refused\n");
        m_strTFFile.Empty();
        return FALSE;
    }
    m_strTFFile = path;
    return TRUE;
}

void CTVHardWare::DeleteTFBuffer()
{
    if (!m_bTFBufferInUse)
        return;
    m_bTFBufferInUse = FALSE;
    ::DeleteFileA(m_strTFFile);
    char index[MAX_PATH];
    if (CTimeShiftFilter::MakeIndexFileName(m_strTFFile, index, sizeof index))
        ::DeleteFileA(index);
}

BOOL CTVHardWare::RunTFPreview()
{
    DebugHelper("CTVHardWare::RunTFPreview()\n");
    if (m_settings.VideoSource == kInputFM || m_bRecording)
        return FALSE;
    StopRemote();
    m_saRootGraph.DisconnectAll();

    const struct {
        BOOL (CTVHardWare::*step)();
        const char* trace;
    } steps[] = {
        {&CTVHardWare::CreateTFFilter, "Run CreateTFFilter successfully\n"},
        {&CTVHardWare::PreSetFilterTF, "Run PreSetFilterTF successfully\n"},
        {&CTVHardWare::BuildTFGraph, "Run CTVHardWare::BuildTFGraph successfully\n"},
        {&CTVHardWare::SetFilterTF, "run SetFilterTF successfully\n"},
    };
    BOOL result = TRUE;
    for (const auto& s : steps) {
        if (!(this->*s.step)()) {
            result = FALSE;
            break;
        }
        DebugHelper(s.trace);
    }
    if (result) {
        ApplyVideoProperties();
        result = m_saRootGraph.Run();
        DebugHelper("RootGraph Run value is %d\n", result);
        StartRemote();
    }
    m_bTFRunning = result;
    if (!result)
        StopRecord();
    return result;
}

BOOL CTVHardWare::PauseTF()
{
    if (!m_bTFRunning || !m_pTimeShift || !m_pTimeShift->TogglePause())
        return FALSE;
    m_bTFPaused = !m_bTFPaused;
    return TRUE;
}

BOOL CTVHardWare::SeekTF(LONG position)
{
    return m_bTFRunning && m_pTimeShift && m_pTimeShift->Seek(position);
}

BOOL CTVHardWare::GetTFPosition(TimeShiftPosition* position)
{
    if (!position)
        return FALSE;
    *position = TimeShiftPosition();
    LONG read = 0, start = 0, end = 0;
    if (!m_bTFRunning || !m_pTimeShift || !m_pTimeShift->GetPosition(&read, &start, &end))
        return FALSE;
    // The filter's answer is outside input: a span turned round or a read
    // position outside it is not shown.
    if (start < 0 || end < start || read < start || read > end)
        return FALSE;
    position->start = start;
    position->end = end;
    position->read = read;
    position->capacity = m_llTFBufferSize > (LONGLONG)end - start ? m_llTFBufferSize : (LONGLONG)end - start;
    return TRUE;
}

namespace {

// Whether a class id has an in-process server registered.
bool IsClassRegistered(const CLSID* clsid)
{
    if (!clsid)
        return false;
    wchar_t wide[40] = {0};
    if (!::StringFromGUID2(*clsid, wide, 40))
        return false;
    char key[64] = "CLSID\\";
    const size_t used = strlen(key);
    if (!::WideCharToMultiByte(CP_ACP, 0, wide, -1, key + used, (int)(sizeof key - used), NULL, NULL))
        return false;
    strncat(key, "\\InprocServer32", sizeof key - strlen(key) - 1);
    HKEY found = NULL;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &found) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(found);
    return true;
}

} // namespace

BOOL CTVHardWare::IsTFAvailable() const
{
    return IsClassRegistered(m_recordDevices.timeShift) && IsClassRegistered(m_recordDevices.encoder);
}

BOOL CTVHardWare::CreateTFFilter()
{
    DebugHelper("CTVHardWare::CreateTFFilter\n");
    if (m_bUseOverlay) {
        if (CreateOnce(m_pOverlay, m_recordDevices.overlayMixer, kOverlayName)) {
            m_pOverlay->SetAspectRatioMode(FALSE);
        } else {
            DebugHelper("CreateFilter Overlay Mixer failed\n");
            m_bUseOverlay = FALSE;
        }
    }
    if (!CreateAudioCaptureFilter()) {
        DebugHelper("InitAudioDevice Failed!\n");
        return FALSE;
    }
    if (!CreateOnce(m_pMCEncoder, m_recordDevices.encoder, kEncoderName))
        return FALSE;
    // The playback side is made whole even when a piece is missing, so one
    // trace names every filter that is.
    BOOL result = CreateOnce(m_pTimeShift, m_recordDevices.timeShift, kTimeShiftName);
    result = CreateOnce(m_pDemux, m_recordDevices.demultiplexer, kDemuxName) && result;
    result = CreateOnce(m_pVideoDecoder, m_recordDevices.videoDecoder, kVideoDecoderName) && result;
    result = CreateOnce(m_pAudioDecoder, m_recordDevices.audioDecoder, kAudioDecoderName) && result;
    if (!CreateOnce(m_pAudioRender, m_devices.waveOut, kWaveOutName) ||
        !CreateOnce(m_pACMWrapper, m_recordDevices.acmWrapper, kAcmWrapperName))
        return FALSE;
    return result;
}

BOOL CTVHardWare::PreSetFilterTF()
{
    const SIZE size = Is525Line() ? kTFSize525 : kTFSize625;
    BOOL ok = SetCaptureFormat(size.cx, size.cy);
    if (m_pCardFilter) {
        for (int i = 0; i < kVideoPropertyCount; ++i)
            m_pCardFilter->SetProcAmp(i, m_nVideoProperty[i]);
    }
    ok = m_pDeinterlace && m_pDeinterlace->SetCaptureOption(FALSE) && ok;
    ok = ApplyDeinterlaceMode() && ok;
    ok = m_pDemux && m_pDemux->CreateOutputPin("Video", FALSE) && ok;
    return m_pDemux && m_pDemux->CreateOutputPin("Audio", TRUE) && ok;
}

BOOL CTVHardWare::BuildTFGraph()
{
    DebugHelper("enter CTVHardWare::BuildTFGraph\n");
    m_saRootGraph.DisconnectAll();
    if (!RenewVideoRenderer() || !ConnectCardInput("connect crossbar with tvcard failed!\n"))
        return FALSE;
    CRootFilter* audioSource = m_pCardFilter;
    const char* audioPin = "Audio";
    const char* audioFailure = "connect TVCardFilter with ACMrapperFilter failed\n";
    if (!HasAudioPin()) {
        audioSource = m_pAudioFilter;
        audioPin = "Capture";
        audioFailure = "Connect AudioFilter with ACMrapperFilter failed!\n";
    }
    const Connection steps[] = {
        {m_pCardFilter, m_pDeinterlace, "Capture", "Input", "connect tvcardfilter with Deinterlace failed\n"},
        {m_pDeinterlace, m_pMCEncoder, "Preview", "Input Video", "connect Deinterlace with MCEncoderFilter failed\n"},
        {audioSource, m_pACMWrapper, audioPin, "", audioFailure},
        {m_pACMWrapper, m_pMCEncoder, "", "", "connect ACMWrapperFilter with MCEncoderFilter failed!\n"},
        {m_pMCEncoder, m_pTimeShift, "", "", "connect MCEncoderfilter with TimeshiftFilter failed!\n"},
        {m_pTimeShift, m_pDemux, "", "", "connect TimeShift with DemuxFilter failed!\n"},
        {m_pDemux, m_pVideoDecoder, "Video", "Video In", "connect DeMuxfilter with MCVideoDecoder failed!\n"},
        {m_pVideoDecoder, m_pVideoRender, "", "", "connect MCVideoDecoder with VideoRenderFilter Failed!\n"},
        {m_pDemux, m_pAudioDecoder, "Audio", "Audio In", "connect Demuxfilter with MCAudioDecoder failed\n"},
        {m_pAudioDecoder, m_pAudioRender, "Audio Out", kAudioRendererPin,
         "connect MCAudioDecoder with AudioRenderFilter failed\n"},
    };
    if (!ConnectInOrder(steps))
        return FALSE;
    // The enhanced renderer has no video window interface: without its
    // window it would draw nowhere (and, under Wine, never stop).
    if (m_bEvrInUse && !InitEvrWindow()) {
        DebugHelper("InitEvrFilter failed!\n");
        return FALSE;
    }
    PlaceVideoWindow();
    return TRUE;
}

BOOL CTVHardWare::SetFilterTF()
{
    SetFilterPropMPG2();
    BOOL ok = TRUE;
    LONGLONG size = 0;
    if (m_pMCEncoder) {
        MCMuxSettings mux = {};
        MCAudioSettings audio = {};
        ok = m_pMCEncoder->GetMuxSettings(&mux) && ok;
        ok = m_pMCEncoder->GetAudioSettings(&audio) && ok;
        // An audio rate outside the table gives no buffer size at all: the
        // filter is never handed a buffer it would fill too soon.
        const int index = audio.word[MCAudioSettings::kBitRateIndexWord];
        if (ok && !TimeShiftBufferSize(index, mux.TotalBitRate(), m_settings.TFTime, &size)) {
            DebugHelper("SetFilterTF: no buffer size for audio index %d\n", index);
            ok = FALSE;
        }
    }
    if (m_pTimeShift) {
        const BOOL fileSet = !m_strTFFile.IsEmpty() && m_pTimeShift->SetFile(m_strTFFile);
        if (fileSet)
            m_bTFBufferInUse = TRUE;
        ok = fileSet && ok;
        ok = size > 0 && m_pTimeShift->SetParams(&size, static_cast<DWORD>(m_settings.TFReserved)) && ok;
        m_llTFBufferSize = size;
    }
    if (m_pDemux) {
        ok = m_pDemux->MapStream("Video", FALSE) && ok;
        ok = m_pDemux->MapStream("Audio", TRUE) && ok;
    }

    ComPtr<IReferenceClock> clock;
    if (!m_pDemux || !m_pDemux->GetFilter() ||
        FAILED(m_pDemux->GetFilter()->QueryInterface(IID_IReferenceClock, clock.ReceiveVoid()))) {
        DebugHelper("DefaultSound Filter get IReferenceClock failed\n");
        return FALSE;
    }
    ComPtr<IMediaFilter> graph;
    if (!m_saRootGraph.GetGraph() ||
        FAILED(m_saRootGraph.GetGraph()->QueryInterface(IID_IMediaFilter, graph.ReceiveVoid()))) {
        DebugHelper("m_saRootGraph.iFilterGraph QueryInterface IMediaFilter Failed\n");
        return FALSE;
    }
    graph->SetSyncSource(clock.Get());
    return ok;
}
