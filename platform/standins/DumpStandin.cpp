#include "platform/standins/DumpStandin.h"

#include "graph/AutoMutex.h"
#include "graph/Guids.h"
#include "platform/dshow/InputPin.h"

#include <evcode.h>

#include <new>

namespace standins {

class CDumpStandin::CDumpPin : public dshow::CBaseInputPin
{
public:
    explicit CDumpPin(CDumpStandin* filter) : CBaseInputPin(filter, L"Input"), m_pDump(filter) {}

    HRESULT CheckMediaType(const AM_MEDIA_TYPE*) override { return S_OK; }
    HRESULT Active() override { return m_pDump->Open(); }
    HRESULT Inactive() override
    {
        m_pDump->Close();
        return CBaseInputPin::Inactive();
    }

protected:
    HRESULT OnReceive(IMediaSample* sample) override { return m_pDump->Write(sample); }

private:
    CDumpStandin* m_pDump;  // owns us
};

HRESULT CDumpStandin::Create(IUnknown** out)
{
    if (!out)
        return E_POINTER;
    CDumpStandin* filter = new (std::nothrow) CDumpStandin();
    if (!filter)
        return E_OUTOFMEMORY;
    *out = static_cast<IBaseFilter*>(filter);
    return S_OK;
}

CDumpStandin::CDumpStandin() : CBaseFilter(CLSID_DumpFilter, L"Dump"), m_hFile(INVALID_HANDLE_VALUE)
{
    InitializeCriticalSection(&m_csFile);
    m_pPin = new CDumpPin(this);
}

CDumpStandin::~CDumpStandin()
{
    Close();
    delete m_pPin;
    DeleteCriticalSection(&m_csFile);
}

dshow::CBasePin* CDumpStandin::GetPin(int index)
{
    return index == 0 ? m_pPin : NULL;
}

HRESULT CDumpStandin::QueryFilterInterface(REFIID iid, void** out)
{
    if (iid != IID_IFileSinkFilter)
        return CBaseFilter::QueryFilterInterface(iid, out);
    *out = static_cast<IFileSinkFilter*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP CDumpStandin::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*)
{
    if (!name)
        return E_POINTER;
    if (!*name || wcslen(name) >= MAX_PATH)
        return E_INVALIDARG;
    CAutoMutex lock(&m_csFile);
    m_name = name;
    return S_OK;
}

STDMETHODIMP CDumpStandin::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* mt)
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

HRESULT CDumpStandin::Open()
{
    CAutoMutex lock(&m_csFile);
    if (m_name.empty())
        return E_FAIL;
    m_hFile = CreateFileW(m_name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, NULL);
    return m_hFile == INVALID_HANDLE_VALUE ? HRESULT_FROM_WIN32(GetLastError()) : S_OK;
}

void CDumpStandin::Close()
{
    CAutoMutex lock(&m_csFile);
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

HRESULT CDumpStandin::Write(IMediaSample* sample)
{
    BYTE* data = NULL;
    if (FAILED(sample->GetPointer(&data)) || !data)
        return S_OK;
    const long length = sample->GetActualDataLength();
    CAutoMutex lock(&m_csFile);
    if (m_hFile == INVALID_HANDLE_VALUE || length <= 0)
        return S_OK;
    DWORD written = 0;
    if (!WriteFile(m_hFile, data, static_cast<DWORD>(length), &written, NULL) ||
        written != static_cast<DWORD>(length)) {
        // A full disk ends the stream rather than losing data unseen.
        NotifyEvent(EC_ERRORABORT, E_FAIL, 0);
        return E_FAIL;
    }
    return S_OK;
}

} // namespace standins
