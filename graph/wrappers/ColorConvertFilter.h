// CColorConvertFilter: the colour converter, with the two calls of its
// control interface passed through. Owned by the graph's list; UI thread.
#pragma once
#include "graph/RootFilter.h"

class CColorConvertFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // The HRESULT of the interface query, or of the call when the query
    // succeeded.
    HRESULT CallConvert3(int value);
    HRESULT CallConvert4(int value);
};
