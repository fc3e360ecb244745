#include "platform/standins/FileSinkStandin.h"

#include "graph/AutoMutex.h"

namespace standins {

CFileSinkStandin::CFileSinkStandin(const CLSID& clsid, const wchar_t* name)
    : CBaseFilter(clsid, name), m_hFile(INVALID_HANDLE_VALUE)
{
    InitializeCriticalSection(&m_csFile);
}

CFileSinkStandin::~CFileSinkStandin()
{
    CloseFile();
    DeleteCriticalSection(&m_csFile);
}

HRESULT CFileSinkStandin::QueryFilterInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CFileSinkStandin>;
    static constexpr Row kRows[] = {Row::Via<IFileSinkFilter>(IID_IFileSinkFilter)};
    return QueryInterfaceTable(this, kRows, iid, out, [&] { return CBaseFilter::QueryFilterInterface(iid, out); });
}

STDMETHODIMP CFileSinkStandin::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*)
{
    if (!name)
        return E_POINTER;
    if (!*name || wcslen(name) >= MAX_PATH)
        return E_INVALIDARG;
    CAutoMutex lock(&m_csFile);
    CloseFile();
    m_name = name;
    return S_OK;
}

STDMETHODIMP CFileSinkStandin::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* mt)
{
    if (!name)
        return E_POINTER;
    *name = NULL;
    if (mt)
        *mt = AM_MEDIA_TYPE();
    CAutoMutex lock(&m_csFile);
    if (m_name.empty())
        return E_FAIL;
    const size_t bytes = (m_name.size() + 1) * sizeof(wchar_t);
    *name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!*name)
        return E_OUTOFMEMORY;
    memcpy(*name, m_name.c_str(), bytes);
    return S_OK;
}

HRESULT CFileSinkStandin::OpenFile()
{
    CAutoMutex lock(&m_csFile);
    if (m_name.empty())
        return E_FAIL;
    CloseFile();
    m_hFile = CreateFileW(m_name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, NULL);
    return m_hFile == INVALID_HANDLE_VALUE ? HRESULT_FROM_WIN32(GetLastError()) : S_OK;
}

void CFileSinkStandin::CloseFile()
{
    CAutoMutex lock(&m_csFile);
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

} // namespace standins
