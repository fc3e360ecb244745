#include "graph/wrappers/FileWriteFilter.h"

#include "graph/wrappers/FileSinkName.h"

BOOL CFileWriteFilter::Init()
{
    m_pSink.Reset();
    if (!CRootFilter::Init())
        return FALSE;
    // IFileSinkFilter2 begins with IFileSinkFilter's methods.
    if (SUCCEEDED(m_pSink.QueryFrom(m_pFilter, IID_IFileSinkFilter2)) && m_pSink)
        return TRUE;
    return SUCCEEDED(m_pSink.QueryFrom(m_pFilter, IID_IFileSinkFilter)) && m_pSink;
}

BOOL CFileWriteFilter::SetFileName(const char* path)
{
    if (!m_pSink)
        return FALSE;
    // A NULL path is passed on as no name.
    return path ? SUCCEEDED(zunk::SetSinkFileName(m_pSink.Get(), path)) : SUCCEEDED(m_pSink->SetFileName(NULL, NULL));
}

BOOL CFileWriteFilter::GetFileName(char* out, int size)
{
    if (out && size > 0)
        out[0] = 0;
    return m_pSink && zunk::GetSinkFileName(m_pSink.Get(), out, size) == S_OK;
}
