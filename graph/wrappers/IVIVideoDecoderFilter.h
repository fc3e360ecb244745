// CIVIVideoDecoderFilter: the maker's MPEG video decoder. Nothing is set on
// it; its pins change as it connects. Registered for completeness: the
// engine's graphs do not ask for it. Owned by the graph's list; the graph's
// thread.
#pragma once
#include "graph/RootFilter.h"

class CIVIVideoDecoderFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    BOOL Init() override;
};
