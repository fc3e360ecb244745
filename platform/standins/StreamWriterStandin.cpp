#include "platform/standins/StreamWriterStandin.h"

#include "graph/AutoMutex.h"
#include "graph/Guids.h"
#include "platform/dshow/InputPin.h"

#include <evcode.h>

#include <new>

namespace standins {

class CStreamWriterStandin::CWriterPin : public dshow::CBaseInputPin, public IStream
{
public:
    explicit CWriterPin(CStreamWriterStandin* filter) : CBaseInputPin(filter, L"in"), m_pWriter(filter) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CBaseInputPin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CBaseInputPin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CBaseInputPin::Release(); }

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
    {
        return mt->majortype == MEDIATYPE_Stream ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT Active() override { return m_pWriter->Open(); }

    // IStream: what a multiplexer uses; the rest is not needed here.
    STDMETHODIMP Read(void*, ULONG, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP Write(const void* data, ULONG size, ULONG* written) override
    {
        CAutoMutex lock(&m_pWriter->m_csFile);
        return m_pWriter->WriteAt(m_pWriter->m_position, data, size, written);
    }
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override
    {
        return m_pWriter->Seek(move.QuadPart, origin, position);
    }
    STDMETHODIMP SetSize(ULARGE_INTEGER) override { return S_OK; }
    STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP Commit(DWORD) override { return S_OK; }
    STDMETHODIMP Revert() override { return E_NOTIMPL; }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Clone(IStream**) override { return E_NOTIMPL; }

protected:
    HRESULT QueryPinInterface(REFIID iid, void** out) override
    {
        using Row = ComInterface<CWriterPin>;
        static constexpr Row kRows[] = {Row::Via<IStream>(IID_IStream)};
        return QueryInterfaceTable(this, kRows, iid, out, [&] { return CBaseInputPin::QueryPinInterface(iid, out); });
    }
    HRESULT OnReceive(IMediaSample* sample) override
    {
        BYTE* data = NULL;
        REFERENCE_TIME start = 0, stop = 0;
        if (FAILED(sample->GetPointer(&data)) || !data || FAILED(sample->GetTime(&start, &stop)) || start < 0)
            return S_OK;
        const long length = sample->GetActualDataLength();
        if (length <= 0)
            return S_OK;
        CAutoMutex lock(&m_pWriter->m_csFile);
        ULONG written = 0;
        return m_pWriter->WriteAt(static_cast<ULONGLONG>(start), data, static_cast<ULONG>(length), &written);
    }

private:
    CStreamWriterStandin* m_pWriter;  // owns us
};

HRESULT CStreamWriterStandin::Create(IUnknown** out)
{
    if (!out)
        return E_POINTER;
    CStreamWriterStandin* filter = new (std::nothrow) CStreamWriterStandin();
    if (!filter)
        return E_OUTOFMEMORY;
    *out = static_cast<IBaseFilter*>(filter);
    return S_OK;
}

CStreamWriterStandin::CStreamWriterStandin()
    : CFileSinkStandin(CLSID_StreamWriterStandin, L"Stream Writer"), m_position(0)
{
    m_pPin = new CWriterPin(this);
}

CStreamWriterStandin::~CStreamWriterStandin()
{
    CloseFile();
    delete m_pPin;
}

dshow::CBasePin* CStreamWriterStandin::GetPin(int index)
{
    return index == 0 ? m_pPin : NULL;
}

HRESULT CStreamWriterStandin::Open()
{
    CAutoMutex lock(&m_csFile);
    m_position = 0;
    return OpenFile();
}

// Under m_csFile.
HRESULT CStreamWriterStandin::WriteAt(ULONGLONG offset, const void* data, ULONG size, ULONG* written)
{
    if (written)
        *written = 0;
    if (!data)
        return E_POINTER;
    if (m_hFile == INVALID_HANDLE_VALUE)
        return E_UNEXPECTED;
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    DWORD done = 0;
    if (!SetFilePointerEx(m_hFile, at, NULL, FILE_BEGIN) || !WriteFile(m_hFile, data, size, &done, NULL) ||
        done != size) {
        // A full disk ends the stream rather than losing data unseen.
        NotifyEvent(EC_ERRORABORT, STG_E_MEDIUMFULL, 0);
        return STG_E_MEDIUMFULL;
    }
    m_position = offset + size;
    if (written)
        *written = done;
    return S_OK;
}

HRESULT CStreamWriterStandin::Seek(LONGLONG move, DWORD origin, ULARGE_INTEGER* position)
{
    CAutoMutex lock(&m_csFile);
    LONGLONG base = 0;
    if (origin == STREAM_SEEK_CUR) {
        base = static_cast<LONGLONG>(m_position);
    } else if (origin == STREAM_SEEK_END) {
        LARGE_INTEGER size;
        if (m_hFile == INVALID_HANDLE_VALUE || !GetFileSizeEx(m_hFile, &size))
            return E_UNEXPECTED;
        base = size.QuadPart;
    } else if (origin != STREAM_SEEK_SET) {
        return STG_E_INVALIDFUNCTION;
    }
    if (base + move < 0)
        return STG_E_INVALIDFUNCTION;
    m_position = static_cast<ULONGLONG>(base + move);
    if (position)
        position->QuadPart = m_position;
    return S_OK;
}

} // namespace standins
