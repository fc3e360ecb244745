// CIVIAudioEncFilter: the maker's MPEG audio encoder of its record chain,
// with its presets per record format. The parameter interface is asked for
// on each operation. Registered for completeness: the engine's graphs do not
// ask for it. Owned by the graph's list; the graph's thread.
#pragma once
#include "graph/RootFilter.h"
#include "graph/wrappers/IVISettings.h"

class CIVIAudioEncFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Presets: FALSE for NULL, else the words filled, TRUE. DVD alone
    // samples at 48 kHz.
    static BOOL FillVCDSettings(IVIAudioEncSettings* settings);
    static BOOL FillDVDSettings(IVIAudioEncSettings* settings);
    static BOOL FillSVCDSettings(IVIAudioEncSettings* settings);
    static BOOL FillMPEG1Settings(IVIAudioEncSettings* settings);
    static BOOL FillMPEG2Settings(IVIAudioEncSettings* settings);

    // Sends every word as its parameter: FALSE without the interface or
    // when the encoder refused any of them (the others are still sent).
    BOOL ApplySettings(const IVIAudioEncSettings* settings);
};
