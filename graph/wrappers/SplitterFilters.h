// CMpeg2SplitterFilter and CMpeg1SplitterFilter: the MPEG-2 and MPEG-1
// splitters, wrapped as they are; their outputs appear once their input is
// connected. Owned by the graph's list; UI thread.
#pragma once
#include "graph/RootFilter.h"

class CMpeg2SplitterFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;
    BOOL Init() override;
};

class CMpeg1SplitterFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;
    BOOL Init() override;
};
