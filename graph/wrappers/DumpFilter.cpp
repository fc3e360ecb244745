#include "graph/wrappers/DumpFilter.h"

#include "graph/ComPtr.h"
#include "graph/wrappers/FileSinkName.h"

BOOL CDumpFilter::SetFileName(const char* path)
{
    ComPtr<IFileSinkFilter> sink;
    if (FAILED(sink.QueryFrom(m_pFilter, IID_IFileSinkFilter)) || !sink)
        return FALSE;
    // A NULL path is passed on as no name.
    return path ? SUCCEEDED(zunk::SetSinkFileName(sink.Get(), path)) : SUCCEEDED(sink->SetFileName(NULL, NULL));
}
