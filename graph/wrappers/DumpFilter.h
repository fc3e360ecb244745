// CDumpFilter: the "Dump" sink, which writes the stream it receives to a
// file (the engine's MPEG roads put it behind the encoder). Owned by the
// graph's list; UI thread.
#pragma once
#include "graph/RootFilter.h"

class CDumpFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // IFileSinkFilter::SetFileName; FALSE when the filter has no such
    // interface or refuses the name. NULL passes no name.
    BOOL SetFileName(const char* path);
};
