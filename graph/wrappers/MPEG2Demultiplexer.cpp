#include "graph/wrappers/MPEG2Demultiplexer.h"

#include "graph/NameText.h"

#include <dvdmedia.h>
#include <mmreg.h>
#include <stddef.h>
#include <string.h>
#include <uuids.h>


namespace {

// An MPEG-2 sequence header for 720 x 480, aspect code 2, frame-rate code 4,
// with a loaded intra quantiser matrix, followed by a sequence extension.
const BYTE kSequenceHeader[] = {
    0x00, 0x00, 0x01, 0xb3, 0x2d, 0x01, 0xe0, 0x24, 0x09, 0xc4, 0x23, 0x81, 0x10, 0x11, 0x11, 0x12,
    0x12, 0x12, 0x13, 0x13, 0x13, 0x13, 0x14, 0x14, 0x14, 0x14, 0x14, 0x15, 0x15, 0x15, 0x15, 0x15,
    0x15, 0x16, 0x16, 0x16, 0x16, 0x16, 0x16, 0x16, 0x17, 0x17, 0x17, 0x17, 0x17, 0x17, 0x17, 0x17,
    0x18, 0x18, 0x18, 0x19, 0x18, 0x18, 0x18, 0x19, 0x1a, 0x1a, 0x1a, 0x1a, 0x19, 0x1b, 0x1b, 0x1b,
    0x1b, 0x1b, 0x1c, 0x1c, 0x1c, 0x1c, 0x1e, 0x1e, 0x1e, 0x1f, 0x1f, 0x21, 0x00, 0x00, 0x01, 0xb5,
    0x14, 0x82, 0x00, 0x01, 0x00, 0x00,
};
static_assert(sizeof(kSequenceHeader) == 86, "the header the video type carries");

// The format blocks are fixed layouts: MPEG2VIDEOINFO ends in the sequence
// header, MPEG1WAVEFORMAT is packed.
const size_t kVideoFormatSize = offsetof(MPEG2VIDEOINFO, dwSequenceHeader) + sizeof(kSequenceHeader);
static_assert(sizeof(VIDEOINFOHEADER2) == 112 && offsetof(MPEG2VIDEOINFO, dwSequenceHeader) == 132,
              "MPEG2VIDEOINFO layout");
static_assert(kVideoFormatSize == 218, "video format block");
static_assert(sizeof(MPEG1WAVEFORMAT) == 40 && offsetof(MPEG1WAVEFORMAT, fwHeadLayer) == 18 &&
                  offsetof(MPEG1WAVEFORMAT, dwPTSHigh) == 36,
              "MPEG1WAVEFORMAT layout");

void InitCompressedType(CMediaType* mt, const GUID& major, const GUID& sub, const GUID& format)
{
    mt->InitMediaType();
    mt->SetType(&major);
    mt->SetSubtype(&sub);
    mt->SetFormatType(&format);
    mt->bFixedSizeSamples = TRUE;
    mt->bTemporalCompression = FALSE;
    mt->lSampleSize = 0;
}

} // namespace

HRESULT CMPEG2Demultiplexer::MakeVideoType(CMediaType* mt)
{
    InitCompressedType(mt, MEDIATYPE_Video, MEDIASUBTYPE_MPEG2_VIDEO, FORMAT_MPEG2Video);
    BYTE* block = mt->AllocFormatBuffer(kVideoFormatSize);
    if (!block)
        return E_OUTOFMEMORY;
    memset(block, 0, kVideoFormatSize);
    MPEG2VIDEOINFO* info = reinterpret_cast<MPEG2VIDEOINFO*>(block);
    SetRect(&info->hdr.rcSource, 0, 0, 720, 480);
    info->hdr.dwBitRate = 4000000;
    info->hdr.AvgTimePerFrame = 333667;
    info->hdr.dwPictAspectRatioX = 4;
    info->hdr.dwPictAspectRatioY = 3;
    BITMAPINFOHEADER& bmi = info->hdr.bmiHeader;
    bmi.biSize = sizeof(BITMAPINFOHEADER);
    bmi.biWidth = 720;
    bmi.biHeight = 480;
    bmi.biXPelsPerMeter = 2000;
    bmi.biYPelsPerMeter = 53031;
    info->dwStartTimeCode = 455832;
    info->cbSequenceHeader = sizeof(kSequenceHeader);
    info->dwProfile = 2;   // main profile
    info->dwLevel = 2;     // main level
    memcpy(block + offsetof(MPEG2VIDEOINFO, dwSequenceHeader), kSequenceHeader, sizeof(kSequenceHeader));
    return S_OK;
}

HRESULT CMPEG2Demultiplexer::MakeAudioType(CMediaType* mt)
{
    InitCompressedType(mt, MEDIATYPE_Audio, MEDIASUBTYPE_MPEG2_AUDIO, FORMAT_WaveFormatEx);
    BYTE* block = mt->AllocFormatBuffer(sizeof(MPEG1WAVEFORMAT));
    if (!block)
        return E_OUTOFMEMORY;
    MPEG1WAVEFORMAT format = {};
    format.wfx.wFormatTag = WAVE_FORMAT_MPEG;
    format.wfx.nChannels = 2;
    format.wfx.nSamplesPerSec = 48000;
    format.wfx.nAvgBytesPerSec = 32000;
    format.wfx.nBlockAlign = 768;
    format.wfx.wBitsPerSample = 0;
    format.wfx.cbSize = sizeof(MPEG1WAVEFORMAT) - sizeof(WAVEFORMATEX);
    format.fwHeadLayer = ACM_MPEG_LAYER2;
    format.dwHeadBitrate = 256000;
    format.fwHeadMode = ACM_MPEG_STEREO;
    format.fwHeadModeExt = 1;
    format.wHeadEmphasis = 1;
    format.fwHeadFlags = ACM_MPEG_ORIGINALHOME | ACM_MPEG_PROTECTIONBIT | ACM_MPEG_ID_MPEG1;
    memcpy(block, &format, sizeof(format));
    return S_OK;
}

BOOL CMPEG2Demultiplexer::Init()
{
    m_pDemux.Reset();
    // The outputs come and go as the engine makes them.
    SetRefreshPins(TRUE);
    if (!CRootFilter::Init())
        return FALSE;
    return SUCCEEDED(m_pDemux.QueryFrom(m_pFilter, IID_IMpeg2Demultiplexer)) && m_pDemux;
}

BOOL CMPEG2Demultiplexer::CreateOutputPin(const char* name, BOOL isAudio)
{
    wchar_t wide[zunk::kPinNameSize];
    if (!m_pDemux || !zunk::AnsiToWide(name, wide, zunk::kPinNameSize))
        return FALSE;
    CMediaType mt;
    if (FAILED(isAudio ? MakeAudioType(&mt) : MakeVideoType(&mt)))
        return FALSE;
    ComPtr<IPin> pin;
    return SUCCEEDED(m_pDemux->CreateOutputPin(&mt, wide, &pin));
}

BOOL CMPEG2Demultiplexer::SetOutputPinMediaType(const char* name, AM_MEDIA_TYPE* mt)
{
    wchar_t wide[zunk::kPinNameSize];
    return m_pDemux && zunk::AnsiToWide(name, wide, zunk::kPinNameSize) &&
           SUCCEEDED(m_pDemux->SetOutputPinMediaType(wide, mt));
}

BOOL CMPEG2Demultiplexer::DeleteOutputPin(const char* name)
{
    wchar_t wide[zunk::kPinNameSize];
    return m_pDemux && zunk::AnsiToWide(name, wide, zunk::kPinNameSize) &&
           SUCCEEDED(m_pDemux->DeleteOutputPin(wide));
}

BOOL CMPEG2Demultiplexer::MapStream(const char* name, BOOL isAudio)
{
    CRootPin* pin = FindPinByName(name);
    ComPtr<IMPEG2StreamIdMap> map;
    if (!pin || FAILED(map.QueryFrom(pin->GetIPin(), IID_IMPEG2StreamIdMap)) || !map)
        return FALSE;
    const ULONG streamId = isAudio ? 0xC0 : 0xE0;
    return SUCCEEDED(map->MapStreamId(streamId, MPEG2_PROGRAM_ELEMENTARY_STREAM, 0, 0));
}
