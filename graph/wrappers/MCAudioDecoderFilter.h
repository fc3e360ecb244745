// CMCAudioDecoderFilter: the outside MPEG audio decoder, which the time-shift
// graph puts behind the demultiplexer. Nothing is set on it; the wrapper is
// CRootFilter's. Owned by the graph's list; the graph's thread.
#pragma once
#include "graph/RootFilter.h"

class CMCAudioDecoderFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;
};
