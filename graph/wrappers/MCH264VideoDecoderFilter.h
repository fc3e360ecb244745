// CMCH264VideoDecoderFilter: the outside H.264 video decoder and its control
// interface. Registered for completeness: the engine's graphs do not ask for
// it. Owned by the graph's list; the graph's thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/MCInterfaces.h"

class CMCH264VideoDecoderFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Requires the decoder control.
    BOOL Init() override;

    BOOL CallDecoder3(LONG a, LONG b);
    BOOL CallDecoder4(LONG a, LONG b);
    BOOL CallDecoder5(LONG a, LONG b);
    BOOL CallDecoder6(LONG value);
    // Sends a copy of the block unchanged.
    BOOL SetDecoderInfo(const MCDecoderInfo& info);

private:
    ComPtr<IMCH264DecoderControl> m_pControl;
};
