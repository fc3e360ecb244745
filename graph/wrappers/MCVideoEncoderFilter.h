// CMCVideoEncoderFilter: the outside MPEG video encoder with the combined
// encoder's video settings and parameters. Registered for completeness: the
// engine's graphs do not ask for it. Owned by the graph's list; the graph's
// thread.
#pragma once
#include "graph/RootFilter.h"
#include "graph/wrappers/MCSettingsOps.h"

class CMCVideoEncoderFilter : public CRootFilter, public CMCVideoOps
{
public:
    using CRootFilter::CRootFilter;

    // Requires the video settings and the video parameters.
    BOOL Init() override;
    BOOL SetVideoValue4(LONG value);
};
