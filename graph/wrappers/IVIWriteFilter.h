// CIVIWriteFilter: the maker's file writer at the end of its record chain:
// its output file and its one numbered setting. Registered for
// completeness: the engine's graphs do not ask for it. Owned by the graph's
// list; the graph's thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/CodecSlots.h"

class CIVIWriteFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Requires the writer's parameter interface.
    BOOL Init() override;

    // The writer's setting 1280 is a pair of words, low word first; it is
    // written by the address of the pair and read into one.
    BOOL SetWriteValue(LONG low, LONG high);
    BOOL GetWriteValue(LONG* low, LONG* high);
    // The output file, through the filter's IFileSinkFilter.
    BOOL SetFileName(const char* path);

private:
    ComPtr<ICodecParams> m_pParams;
};
