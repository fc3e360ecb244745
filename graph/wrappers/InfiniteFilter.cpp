#include "graph/wrappers/InfiniteFilter.h"
#include "graph/wrappers/SplitterFilters.h"

// Each of these filters adds or drops pins as it is connected.

BOOL CInfiniteFilter::Init()
{
    SetRefreshPins(TRUE);
    return CRootFilter::Init();
}

BOOL CMpeg2SplitterFilter::Init()
{
    SetRefreshPins(TRUE);
    return CRootFilter::Init();
}

BOOL CMpeg1SplitterFilter::Init()
{
    SetRefreshPins(TRUE);
    return CRootFilter::Init();
}
