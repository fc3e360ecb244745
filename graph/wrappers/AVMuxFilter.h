// CAVMuxFilter: the AVI multiplexer of the AVI, MPEG-4 and PCM/ADPCM record
// graphs, with its master stream and interleaving set. Owned by the graph's
// list; UI thread.
#pragma once
#include "graph/RootFilter.h"

class CAVMuxFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Master stream 0; FALSE when the mux lacks the interfaces for it.
    BOOL Init() override;
    // Compatibility index on (where the mux has the setting), the master
    // stream, interleaving off with a 100 us interleave and 75 us preroll;
    // FALSE when the mux refuses.
    BOOL SetMasterStream(int stream);
};
