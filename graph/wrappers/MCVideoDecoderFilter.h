// CMCVideoDecoderFilter: the outside MPEG video decoder of the time-shift
// graph. Init restricts its output to packed YUY2, the one format the
// renderers are given; the other operations reach its decoder parameters and
// output control. Owned by the graph's list; the graph's thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/MCInterfaces.h"

class CMCVideoDecoderFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Requires the decoder parameters and the output control, and the
    // decoder's acceptance of every output-format change and of parameter 32.
    BOOL Init() override;

    BOOL SetDecoderParam(LONG id, LONG value);
    BOOL GetDecoderParam(LONG id, LONG* value);
    BOOL CallOutput3(LONG a, LONG b);
    BOOL CallOutput4(LONG a, LONG b);
    BOOL EnableOutputFormat(DWORD fourcc, BOOL enable);
    // The decoder's information block; word 0 carries the block's size.
    BOOL GetDecoderInfo(MCDecoderInfo* info);
    BOOL SetDecoderInfo(const MCDecoderInfo& info);
    // Word 4 of the block: read it, or read the block, change word 4 alone
    // and send it back (nothing is sent when the read fails).
    BOOL SetDecoderInfoValue(LONG value);
    BOOL GetDecoderInfoValue(LONG* value);

private:
    BOOL RestrictOutputFormats();

    ComPtr<ICodecParams> m_pParams;
    ComPtr<IMCDecoderOutput> m_pOutput;
};
