// CInfiniteFilter: the infinite pin tee of the AVI record graph, which adds
// an output whenever its last one is connected. Owned by the graph's list;
// UI thread.
#pragma once
#include "graph/RootFilter.h"

class CInfiniteFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;
    BOOL Init() override;
};
