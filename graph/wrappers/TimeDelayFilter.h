// CTimeDelayFilter: the time-delay filter, wrapped as it is (no operation
// of its own). Owned by the graph's list; UI thread.
#pragma once
#include "graph/RootFilter.h"

class CTimeDelayFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;
};
