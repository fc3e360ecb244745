#include "platform/dshow/InputPin.h"

#include "graph/AutoMutex.h"
#include "platform/dshow/BaseFilter.h"

#include <uuids.h>

namespace dshow {

CBaseInputPin::CBaseInputPin(CBaseFilter* filter, const wchar_t* name)
    : CBasePin(filter, name, PINDIR_INPUT), m_lFlushing(0)
{
}

STDMETHODIMP CBaseInputPin::QueryInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CBaseInputPin>;
    static constexpr Row kRows[] = {Row::Via<IMemInputPin>(IID_IMemInputPin)};
    return QueryInterfaceTable(this, kRows, iid, out, [&] { return CBasePin::QueryInterface(iid, out); });
}

STDMETHODIMP_(ULONG) CBaseInputPin::AddRef()
{
    return CBasePin::AddRef();
}

STDMETHODIMP_(ULONG) CBaseInputPin::Release()
{
    return CBasePin::Release();
}

STDMETHODIMP CBaseInputPin::Connect(IPin*, const AM_MEDIA_TYPE*)
{
    // Input pins are connected to, never connect.
    return E_UNEXPECTED;
}

STDMETHODIMP CBaseInputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt)
{
    if (!connector || !mt)
        return E_POINTER;
    CAutoMutex lock(m_pFilter->StateLock());
    if (m_pConnected)
        return VFW_E_ALREADY_CONNECTED;
    if (m_pFilter->State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    PIN_DIRECTION direction = PINDIR_INPUT;
    HRESULT hr = connector->QueryDirection(&direction);
    if (FAILED(hr))
        return hr;
    if (direction != PINDIR_OUTPUT)
        return VFW_E_INVALID_DIRECTION;
    if (CheckMediaType(mt) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    hr = SetConnection(connector, mt);
    if (FAILED(hr))
        return hr;
    hr = CompleteConnect(connector);
    if (FAILED(hr)) {
        BreakConnect();
        SetConnection(NULL, NULL);
    }
    return hr;
}

void CBaseInputPin::BreakConnect()
{
    m_pAllocator.Reset();
}

STDMETHODIMP CBaseInputPin::EndOfStream()
{
    if (IsFlushing())
        return S_FALSE;
    return OnEndOfStream();
}

STDMETHODIMP CBaseInputPin::BeginFlush()
{
    InterlockedExchange(&m_lFlushing, 1);
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndFlush()
{
    InterlockedExchange(&m_lFlushing, 0);
    return S_OK;
}

HRESULT CBaseInputPin::Inactive()
{
    InterlockedExchange(&m_lFlushing, 0);
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocator(IMemAllocator** allocator)
{
    if (!allocator)
        return E_POINTER;
    CAutoMutex lock(m_pFilter->StateLock());
    if (!m_pAllocator) {
        HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, NULL, CLSCTX_INPROC_SERVER,
                                      IID_IMemAllocator, m_pAllocator.ReceiveVoid());
        if (FAILED(hr)) {
            *allocator = NULL;
            return hr;
        }
    }
    return m_pAllocator.CopyTo(allocator);
}

STDMETHODIMP CBaseInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL)
{
    if (!allocator)
        return E_POINTER;
    CAutoMutex lock(m_pFilter->StateLock());
    m_pAllocator.Set(allocator);
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBaseInputPin::Receive(IMediaSample* sample)
{
    if (!sample)
        return E_POINTER;
    if (m_pFilter->State() == State_Stopped)
        return VFW_E_WRONG_STATE;
    if (IsFlushing())
        return S_FALSE;
    return OnReceive(sample);
}

STDMETHODIMP CBaseInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed)
{
    if (!samples || !processed)
        return E_POINTER;
    *processed = 0;
    HRESULT hr = S_OK;
    while (*processed < count) {
        hr = Receive(samples[*processed]);
        if (hr != S_OK)
            break;
        ++*processed;
    }
    return hr;
}

STDMETHODIMP CBaseInputPin::ReceiveCanBlock()
{
    return S_FALSE;
}

} // namespace dshow
