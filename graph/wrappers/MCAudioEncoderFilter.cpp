#include "graph/wrappers/MCAudioEncoderFilter.h"

BOOL CMCAudioEncoderFilter::Init()
{
    ReleaseAudio();
    return CRootFilter::Init() && QueryAudio(m_pFilter);
}

BOOL CMCAudioEncoderFilter::SetAudioValue10(LONG value)
{
    return CallAudioValue10(value);
}
