// CIVIDownScaleFilter: the maker's down-scale filter and its two switches.
// Registered for completeness: the engine's graphs do not ask for it. Owned
// by the graph's list; the graph's thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/CodecSlots.h"

class CIVIDownScaleFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Requires the filter's parameter interface.
    BOOL Init() override;

    // Both switches, sent as 0 or 1; TRUE only when the filter answered S_OK
    // to both (the second is not sent when the first is refused).
    BOOL SetDownScale(BOOL first, BOOL second);
    // Both switches read back: TRUE only when both reads answered S_OK.
    BOOL GetDownScale(BOOL* first, BOOL* second);

private:
    ComPtr<ICodecParams> m_pParams;
};
