// CMCMuxFilter: the outside MPEG multiplexer, which writes the file itself;
// its settings, parameters and file name. Registered for completeness: the
// engine's graphs do not ask for it. Owned by the graph's list; the graph's
// thread.
#pragma once
#include "graph/RootFilter.h"
#include "graph/wrappers/MCSettingsOps.h"

class CMCMuxFilter : public CRootFilter,
                     public CMCMuxOps,
                     public CMCMuxParamOps,
                     public CMCFileOps
{
public:
    using CRootFilter::CRootFilter;

    // Requires the multiplexer settings, the multiplexer parameters and the
    // file sink. The multiplexer adds inputs as they connect.
    BOOL Init() override;
};
