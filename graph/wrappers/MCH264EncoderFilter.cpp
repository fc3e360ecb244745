#include "graph/wrappers/MCH264EncoderFilter.h"

#include <memory>
#include <new>

#include "graph/Guids.h"

using zunk::CallSlot;
using zunk::QueryCodecInterface;

BOOL CMCH264EncoderFilter::Init()
{
    SetRefreshPins(TRUE);
    ReleaseInterfaces();
    return CRootFilter::Init() && QueryAudio(m_pFilter) && QueryMux(m_pFilter) &&
           QueryMuxParams(m_pFilter) && QueryFileSink(m_pFilter) &&
           QueryCodecInterface(m_pFilter, IID_IMCH264Settings, m_pH264Settings) &&
           QueryCodecInterface(m_pFilter, IID_IMCH264Params, m_pH264Params);
}

void CMCH264EncoderFilter::ReleaseInterfaces()
{
    ReleaseAudio();
    ReleaseMux();
    ReleaseMuxParams();
    ReleaseFileSink();
    m_pH264Settings.Reset();
    m_pH264Params.Reset();
}

BOOL CMCH264EncoderFilter::SetAudioValue10(LONG value)
{
    return CallAudioValue10(value);
}

BOOL CMCH264EncoderFilter::CallH264Settings3(LONG a, LONG b, LONG c)
{
    return CallSlot(m_pH264Settings.Get(), &IMCH264Settings::Call3, a, b, c);
}

BOOL CMCH264EncoderFilter::SetH264Settings(const MCH264Settings& block)
{
    if (!m_pH264Settings)
        return FALSE;
    // Eight kilobytes: a copy on the heap rather than the stack.
    std::unique_ptr<MCH264Settings> copy(new (std::nothrow) MCH264Settings(block));
    return copy && CallSlot(m_pH264Settings.Get(), &IMCH264Settings::SetSettings, copy.get());
}

BOOL CMCH264EncoderFilter::CallH264Settings7(LONG a, LONG b, LONG c)
{
    return CallSlot(m_pH264Settings.Get(), &IMCH264Settings::Call7, a, b, c);
}

BOOL CMCH264EncoderFilter::SetH264Param(LONG id, LONG value)
{
    return zunk::SetCodecParam(m_pH264Params.Get(), id, value);
}
