#include "graph/wrappers/MCVideoDecoderFilter.h"

#include <mmsystem.h>

#include "graph/Guids.h"

using zunk::CallSlot;

namespace {

// The decoder parameter set to 0 after the output formats.
const LONG kDecoderParam32 = 32;

struct OutputFormat
{
    DWORD fourcc;
    BOOL enable;
};

// Packed YUY2 alone; every other format the decoder offers is switched off,
// in this order.
const OutputFormat kOutputFormats[] = {
    {mmioFOURCC('Y', 'U', 'Y', '2'), TRUE},  {mmioFOURCC('B', 'G', 'R', '4'), FALSE},
    {mmioFOURCC('B', 'G', 'R', '3'), FALSE}, {mmioFOURCC('R', '5', '5', '5'), FALSE},
    {mmioFOURCC('R', '5', '6', '5'), FALSE}, {mmioFOURCC('U', 'Y', 'V', 'Y'), FALSE},
    {mmioFOURCC('Y', 'V', '1', '2'), FALSE},
};

} // namespace

BOOL CMCVideoDecoderFilter::Init()
{
    m_pParams.Reset();
    m_pOutput.Reset();
    return CRootFilter::Init() &&
           zunk::QueryCodecInterface(m_pFilter, IID_IMCDecoderParams, m_pParams) &&
           zunk::QueryCodecInterface(m_pFilter, IID_IMCDecoderOutput, m_pOutput) &&
           RestrictOutputFormats() && SetDecoderParam(kDecoderParam32, 0);
}

BOOL CMCVideoDecoderFilter::RestrictOutputFormats()
{
    for (const OutputFormat& format : kOutputFormats) {
        if (!EnableOutputFormat(format.fourcc, format.enable))
            return FALSE;
    }
    return TRUE;
}

BOOL CMCVideoDecoderFilter::SetDecoderParam(LONG id, LONG value)
{
    return zunk::SetCodecParam(m_pParams.Get(), id, value);
}

BOOL CMCVideoDecoderFilter::GetDecoderParam(LONG id, LONG* value)
{
    return zunk::GetCodecParam(m_pParams.Get(), id, value);
}

BOOL CMCVideoDecoderFilter::CallOutput3(LONG a, LONG b)
{
    return CallSlot(m_pOutput.Get(), &IMCDecoderOutput::Call3, a, b);
}

BOOL CMCVideoDecoderFilter::CallOutput4(LONG a, LONG b)
{
    return CallSlot(m_pOutput.Get(), &IMCDecoderOutput::Call4, a, b);
}

BOOL CMCVideoDecoderFilter::EnableOutputFormat(DWORD fourcc, BOOL enable)
{
    return CallSlot(m_pOutput.Get(), &IMCDecoderOutput::EnableFormat, fourcc,
                    static_cast<LONG>(enable));
}

BOOL CMCVideoDecoderFilter::GetDecoderInfo(MCDecoderInfo* info)
{
    if (!info)
        return FALSE;
    info->word[0] = sizeof(MCDecoderInfo);
    return CallSlot(m_pOutput.Get(), &IMCDecoderOutput::GetInfo, info);
}

BOOL CMCVideoDecoderFilter::SetDecoderInfo(const MCDecoderInfo& info)
{
    MCDecoderInfo copy = info;
    copy.word[0] = sizeof(MCDecoderInfo);
    return CallSlot(m_pOutput.Get(), &IMCDecoderOutput::SetInfo, &copy);
}

BOOL CMCVideoDecoderFilter::SetDecoderInfoValue(LONG value)
{
    MCDecoderInfo info = {};
    if (!GetDecoderInfo(&info))
        return FALSE;
    info.word[MCDecoderInfo::kValueWord] = value;
    return SetDecoderInfo(info);
}

BOOL CMCVideoDecoderFilter::GetDecoderInfoValue(LONG* value)
{
    MCDecoderInfo info = {};
    if (!value || !GetDecoderInfo(&info))
        return FALSE;
    *value = info.word[MCDecoderInfo::kValueWord];
    return TRUE;
}
