#include "graph/wrappers/MCH264VideoDecoderFilter.h"

#include "graph/Guids.h"

using zunk::CallSlot;

BOOL CMCH264VideoDecoderFilter::Init()
{
    m_pControl.Reset();
    return CRootFilter::Init() &&
           zunk::QueryCodecInterface(m_pFilter, IID_IMCH264DecoderControl, m_pControl);
}

BOOL CMCH264VideoDecoderFilter::CallDecoder3(LONG a, LONG b)
{
    return CallSlot(m_pControl.Get(), &IMCH264DecoderControl::Call3, a, b);
}

BOOL CMCH264VideoDecoderFilter::CallDecoder4(LONG a, LONG b)
{
    return CallSlot(m_pControl.Get(), &IMCH264DecoderControl::Call4, a, b);
}

BOOL CMCH264VideoDecoderFilter::CallDecoder5(LONG a, LONG b)
{
    return CallSlot(m_pControl.Get(), &IMCH264DecoderControl::Call5, a, b);
}

BOOL CMCH264VideoDecoderFilter::CallDecoder6(LONG value)
{
    return CallSlot(m_pControl.Get(), &IMCH264DecoderControl::Call6, value);
}

BOOL CMCH264VideoDecoderFilter::SetDecoderInfo(const MCDecoderInfo& info)
{
    MCDecoderInfo copy = info;
    return CallSlot(m_pControl.Get(), &IMCH264DecoderControl::SetInfo, &copy);
}
