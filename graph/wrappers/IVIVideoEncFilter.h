// CIVIVideoEncFilter: the maker's MPEG video encoder of its record chain,
// with its presets per record format and standard. The parameter interface
// is asked for on each operation. Registered for completeness: the engine's
// graphs do not ask for it. Owned by the graph's list; the graph's thread.
#pragma once
#include "graph/RootFilter.h"
#include "graph/wrappers/IVISettings.h"

class CIVIVideoEncFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Presets for an IVIStandard: FALSE for NULL words; for any other
    // standard the standard-independent words are written and the result is
    // FALSE. A nonzero highRate gives DVD 7,200 kbit/s instead of 4,500.
    static BOOL FillVCDSettings(IVIVideoEncSettings* settings, int standard);
    static BOOL FillSVCDSettings(IVIVideoEncSettings* settings, int standard);
    static BOOL FillMPEG1Settings(IVIVideoEncSettings* settings, int standard);
    static BOOL FillMPEG2Settings(IVIVideoEncSettings* settings, int standard);
    static BOOL FillDVDSettings(IVIVideoEncSettings* settings, int standard, BOOL highRate);

    // Sends the sixteen words as their parameters and then parameter 20 as
    // 1: FALSE without the interface or when any write was refused (the
    // others are still sent).
    BOOL ApplySettings(const IVIVideoEncSettings* settings);
    // Reads the same sixteen parameters back: FALSE without the interface
    // or when any read failed.
    BOOL GetSettings(IVIVideoEncSettings* settings);
};
