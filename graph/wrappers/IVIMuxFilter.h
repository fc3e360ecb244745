// CIVIMuxFilter: the maker's MPEG multiplexer of its record chain, with its
// presets per record format. The parameter interface is asked for on each
// operation. Registered for completeness: the engine's graphs do not ask for
// it. Owned by the graph's list; the graph's thread.
#pragma once
#include "graph/RootFilter.h"
#include "graph/wrappers/IVISettings.h"

class CIVIMuxFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // The multiplexer adds inputs as they connect.
    BOOL Init() override;

    // Presets: FALSE for NULL, else the words filled, TRUE.
    static BOOL FillVCDSettings(IVIMuxSettings* settings);
    static BOOL FillDVDSettings(IVIMuxSettings* settings);
    static BOOL FillSVCDSettings(IVIMuxSettings* settings);
    static BOOL FillMPEG1Settings(IVIMuxSettings* settings);
    static BOOL FillMPEG2Settings(IVIMuxSettings* settings);

    // Sends every word as its parameter: FALSE without the interface or
    // when any write was refused (the others are still sent).
    BOOL ApplySettings(const IVIMuxSettings* settings);
};
