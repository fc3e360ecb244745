#include "graph/wrappers/IVIAudioEncFilter.h"

#include "graph/Guids.h"

namespace {

// In the order the encoder takes them.
const IVIParamWord kSendOrder[] = {
    {258, 1}, {261, 0}, {264, 3}, {260, 2}, {259, 5}, {257, 4},
};
static_assert(sizeof(kSendOrder) / sizeof(kSendOrder[0]) == IVIAudioEncSettings::kWords,
              "every word is sent");

BOOL FillAudio(IVIAudioEncSettings* settings, LONG sampleRate)
{
    if (!settings)
        return FALSE;
    const LONG words[IVIAudioEncSettings::kWords] = {
        sampleRate, 224 /* kbit/s */, 100, 1, 2, 0,
    };
    for (int i = 0; i < IVIAudioEncSettings::kWords; i++)
        settings->word[i] = words[i];
    return TRUE;
}

} // namespace

BOOL CIVIAudioEncFilter::FillVCDSettings(IVIAudioEncSettings* settings)
{
    return FillAudio(settings, 44100);
}

BOOL CIVIAudioEncFilter::FillDVDSettings(IVIAudioEncSettings* settings)
{
    return FillAudio(settings, 48000);
}

BOOL CIVIAudioEncFilter::FillSVCDSettings(IVIAudioEncSettings* settings)
{
    return FillAudio(settings, 44100);
}

BOOL CIVIAudioEncFilter::FillMPEG1Settings(IVIAudioEncSettings* settings)
{
    return FillAudio(settings, 44100);
}

BOOL CIVIAudioEncFilter::FillMPEG2Settings(IVIAudioEncSettings* settings)
{
    return FillAudio(settings, 44100);
}

BOOL CIVIAudioEncFilter::ApplySettings(const IVIAudioEncSettings* settings)
{
    ComPtr<ICodecParams> params;
    if (!settings || !zunk::QueryCodecInterface(m_pFilter, IID_IIVIAudioEncParams, params))
        return FALSE;
    return zunk::SendParamWords(params.Get(), settings->word, kSendOrder,
                                IVIAudioEncSettings::kWords);
}
