// CMCSplitterFilter: the outside MPEG splitter and its parameters.
// Registered for completeness: the engine's graphs do not ask for it. Owned
// by the graph's list; the graph's thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/CodecSlots.h"

class CMCSplitterFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Requires the splitter parameters. The splitter makes its outputs as
    // it reads a stream.
    BOOL Init() override;
    BOOL SetSplitterParam(LONG id, LONG value);
    BOOL GetSplitterParam(LONG id, LONG* value);

private:
    ComPtr<ICodecParams> m_pParams;
};
