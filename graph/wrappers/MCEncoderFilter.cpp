#include "graph/wrappers/MCEncoderFilter.h"

#include "graph/Guids.h"

namespace {

// Parameter ids of the encoder's video and audio parameter interfaces.
const LONG kOption1 = 1;
const LONG kOption96 = 96;
const LONG kOption97 = 97;

// Word values ApplySettings puts into the audio block besides the bit rate.
const LONG kAudioWord0 = 0;
const LONG kAudioWord1 = 2;

struct EncoderPreset
{
    MCVideoType videoType;
    LONG mpeg2;
    LONG mode;
    double bitRate;     // bit/s
    double maxBitRate;  // bit/s
    LONG width;
    LONG ntscHeight;
    LONG palHeight;
    LONG audioBitRateIndex;
    LONG groupCode;
};

enum PresetRow { kMPEG1, kVCD, kMPEG2, kSVCD, kDVD, kHIDVD, kPresetCount };

// One row per record format; DVD and HIDVD differ only in the bit rate, and
// SVCD keeps its 480 pixels for both standards. Audio index 11 = 224 kbit/s.
constexpr EncoderPreset kPresets[] = {
    /* MPEG1 */ {MCVideoType_MPEG1, 0, 2, 4500000.0, 9800000.0, 352, 240, 288, 11, 2},
    /* VCD   */ {MCVideoType_VCD, 0, 1, 1150000.0, 9800000.0, 352, 240, 288, 11, 2},
    /* MPEG2 */ {MCVideoType_MPEG2, 1, 2, 4500000.0, 9800000.0, 720, 480, 576, 11, 2},
    /* SVCD  */ {MCVideoType_SVCD, 1, 1, 2200000.0, 9800000.0, 480, 480, 576, 11, 2},
    /* DVD   */ {MCVideoType_DVD, 1, 1, 4500000.0, 9800000.0, 720, 480, 576, 11, 4},
    /* HIDVD */ {MCVideoType_DVD, 1, 1, 7200000.0, 9800000.0, 720, 480, 576, 11, 4},
};
static_assert(sizeof(kPresets) / sizeof(kPresets[0]) == kPresetCount, "one preset per format");

BOOL FillPreset(PresetRow row, MCEncoderSettings* settings, BOOL pal)
{
    if (!settings)
        return FALSE;
    const EncoderPreset& preset = kPresets[row];
    settings->videoType = preset.videoType;
    settings->pal = pal;
    settings->mpeg2 = preset.mpeg2;
    settings->mode = preset.mode;
    settings->bitRate = preset.bitRate;
    settings->maxBitRate = preset.maxBitRate;
    settings->width = preset.width;
    settings->height = pal ? preset.palHeight : preset.ntscHeight;
    settings->audioBitRateIndex = preset.audioBitRateIndex;
    settings->groupCode = preset.groupCode;
    return TRUE;
}

} // namespace

BOOL CMCEncoderFilter::Init()
{
    SetRefreshPins(TRUE);
    ReleaseInterfaces();
    return CRootFilter::Init() && QueryAudio(m_pFilter) && QueryMux(m_pFilter) &&
           QueryFileSink(m_pFilter) && QueryVideo(m_pFilter);
}

void CMCEncoderFilter::ReleaseInterfaces()
{
    ReleaseAudio();
    ReleaseMux();
    ReleaseFileSink();
    ReleaseVideo();
}

#define PRESET(Fill, row)                                                    \
    BOOL CMCEncoderFilter::Fill(MCEncoderSettings* settings, BOOL pal)       \
    {                                                                        \
        return FillPreset(row, settings, pal);                               \
    }
PRESET(FillMPEG1Settings, kMPEG1)
PRESET(FillVCDSettings, kVCD)
PRESET(FillMPEG2Settings, kMPEG2)
PRESET(FillSVCDSettings, kSVCD)
PRESET(FillDVDSettings, kDVD)
PRESET(FillHIDVDSettings, kHIDVD)
#undef PRESET

BOOL CMCEncoderFilter::ApplySettings(const MCEncoderSettings* settings)
{
    if (!settings || !m_pVideoSettings)
        return FALSE;

    MCVideoSettings video = {};
    if (!LoadVideoDefaults(settings->videoType, settings->pal ? 1 : 0, &video))
        return FALSE;
    if (settings->videoType == MCVideoType_VCD)
        video.vcdField = 1;
    video.bitRate = settings->bitRate;
    video.bitRateCopy = settings->bitRate;
    video.maxBitRate = settings->maxBitRate;
    video.width = settings->width;
    video.height = settings->height;
    // The record road adds its own value to the preset's mode; only four
    // bits of it fit the field.
    PutModeBits(&video, settings->mode);
    if (!zunk::CallSlot(m_pVideoSettings.Get(), &IMCVideoSettings::SetSettings, &video))
        return FALSE;

    if (!SetOption97(0) || !SetOption96(1) || !SetAudioOption96(1))
        return FALSE;

    MCAudioSettings audio = {};
    if (!LoadAudioDefaults(settings->videoType, &audio))
        return FALSE;
    audio.word[MCAudioSettings::kBitRateIndexWord] = settings->audioBitRateIndex;
    audio.word[1] = kAudioWord1;
    audio.word[0] = kAudioWord0;
    if (!zunk::CallSlot(m_pAudioSettings.Get(), &IMCAudioSettings::SetSettings, &audio))
        return FALSE;

    return SetMuxType(settings->videoType);
}

BOOL CMCEncoderFilter::SetOption97(LONG value)
{
    return zunk::SetCodecParam(m_pVideoParams.Get(), kOption97, value);
}

BOOL CMCEncoderFilter::SetOption96(LONG value)
{
    return zunk::SetCodecParam(m_pVideoParams.Get(), kOption96, value);
}

BOOL CMCEncoderFilter::GetOption97(LONG* value)
{
    return zunk::GetCodecParam(m_pVideoParams.Get(), kOption97, value);
}

BOOL CMCEncoderFilter::GetOption96(LONG* value)
{
    return zunk::GetCodecParam(m_pVideoParams.Get(), kOption96, value);
}

BOOL CMCEncoderFilter::SetAudioOption1(LONG value)
{
    return SetAudioParam(kOption1, value);
}

BOOL CMCEncoderFilter::SetAudioOption96(LONG value)
{
    return SetAudioParam(kOption96, value);
}

BOOL CMCEncoderFilter::GetAudioOption96(LONG* value)
{
    if (!value)
        return FALSE;
    // The filter writes into a copy, which then goes back to the caller.
    LONG copy = *value;
    BOOL ok = GetAudioParam(kOption96, &copy);
    *value = copy;
    return ok;
}

BOOL CMCEncoderFilter::SetConfigValue10(LONG value)
{
    return CallAudioValue10(value);
}

BOOL CMCEncoderFilter::SetVideoParam(LONG id, LONG value)
{
    return zunk::SetCodecParam(m_pVideoParams.Get(), id, value);
}
