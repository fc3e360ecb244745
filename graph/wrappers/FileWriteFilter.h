// CFileWriteFilter: the file writer the engine puts behind multiplexers to
// write recordings. Its IFileSinkFilter2 where the writer has one, else
// IFileSinkFilter (Wine's writer has only that). Owned by the graph's
// list; UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"

class CFileWriteFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // The writer must offer a file sink interface.
    BOOL Init() override;
    // NULL passes no name.
    BOOL SetFileName(const char* path);
    // The current file name within size bytes of out.
    BOOL GetFileName(char* out, int size);

private:
    ComPtr<IFileSinkFilter> m_pSink;  // the IFileSinkFilter2 when there is one
};
