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
    HRESULT Active() override { return m_pDump->OpenFile(); }
    HRESULT Inactive() override
    {
        m_pDump->CloseFile();
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

CDumpStandin::CDumpStandin() : CFileSinkStandin(CLSID_DumpFilter, L"Dump")
{
    m_pPin = new CDumpPin(this);
}

CDumpStandin::~CDumpStandin()
{
    CloseFile();
    delete m_pPin;
}

dshow::CBasePin* CDumpStandin::GetPin(int index)
{
    return index == 0 ? m_pPin : NULL;
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
