// CMCAudioEncoderFilter: the outside MPEG audio encoder with the combined
// encoder's audio settings and parameters. Registered for completeness: the
// engine's graphs do not ask for it. Owned by the graph's list; the graph's
// thread.
#pragma once
#include "graph/RootFilter.h"
#include "graph/wrappers/MCSettingsOps.h"

class CMCAudioEncoderFilter : public CRootFilter, public CMCAudioOps
{
public:
    using CRootFilter::CRootFilter;

    // Requires the audio settings and the audio parameters.
    BOOL Init() override;
    BOOL SetAudioValue10(LONG value);
};
