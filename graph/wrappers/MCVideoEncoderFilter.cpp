#include "graph/wrappers/MCVideoEncoderFilter.h"

BOOL CMCVideoEncoderFilter::Init()
{
    ReleaseVideo();
    return CRootFilter::Init() && QueryVideo(m_pFilter);
}

BOOL CMCVideoEncoderFilter::SetVideoValue4(LONG value)
{
    return zunk::CallSlot(m_pVideoSettings.Get(), &IMCVideoSettings::SetValue4, value);
}
