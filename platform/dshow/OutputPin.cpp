#include "platform/dshow/OutputPin.h"

#include "graph/AutoMutex.h"
#include "graph/MediaTypePtr.h"
#include "platform/dshow/BaseFilter.h"

#include <uuids.h>

namespace dshow {

CBaseOutputPin::CBaseOutputPin(CBaseFilter* filter, const wchar_t* name)
    : CBasePin(filter, name, PINDIR_OUTPUT)
{
}

STDMETHODIMP CBaseOutputPin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* mt)
{
    if (!receivePin)
        return E_POINTER;
    CAutoMutex lock(m_pFilter->StateLock());
    if (m_pConnected)
        return VFW_E_ALREADY_CONNECTED;
    if (m_pFilter->State() != State_Stopped)
        return VFW_E_NOT_STOPPED;

    // A complete type is tried as it stands and its own failure reported.
    if (IsFullySpecified(mt))
        return AttemptConnection(receivePin, mt);

    ComPtr<IEnumMediaTypes> types;
    HRESULT hr = EnumMediaTypes(types.Receive());
    if (SUCCEEDED(hr) && TryTypes(receivePin, types.Get(), mt) == S_OK)
        return S_OK;
    if (SUCCEEDED(receivePin->EnumMediaTypes(types.Receive())) &&
        TryTypes(receivePin, types.Get(), mt) == S_OK)
        return S_OK;
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT CBaseOutputPin::TryTypes(IPin* receivePin, IEnumMediaTypes* types,
                                 const AM_MEDIA_TYPE* partial)
{
    CMediaTypePtr candidate;
    ULONG fetched = 0;
    while (types->Next(1, &candidate, &fetched) == S_OK && fetched == 1 && candidate) {
        if (MatchesPartial(*candidate, partial) && AttemptConnection(receivePin, candidate.Get()) == S_OK)
            return S_OK;
    }
    return S_FALSE;
}

HRESULT CBaseOutputPin::AttemptConnection(IPin* receivePin, const AM_MEDIA_TYPE* mt)
{
    HRESULT hr = CheckMediaType(mt);
    if (hr != S_OK)
        return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
    PIN_DIRECTION direction = PINDIR_OUTPUT;
    hr = receivePin->QueryDirection(&direction);
    if (FAILED(hr))
        return hr;
    if (direction != PINDIR_INPUT)
        return VFW_E_INVALID_DIRECTION;

    hr = SetConnection(receivePin, mt);
    if (FAILED(hr))
        return hr;
    hr = receivePin->ReceiveConnection(this, mt);
    if (FAILED(hr)) {
        SetConnection(NULL, NULL);
        return hr;
    }
    hr = CompleteConnect(receivePin);
    if (FAILED(hr)) {
        receivePin->Disconnect();
        BreakConnect();
        SetConnection(NULL, NULL);
        return hr;
    }
    return S_OK;
}

STDMETHODIMP CBaseOutputPin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*)
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBaseOutputPin::EndOfStream()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBaseOutputPin::BeginFlush()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBaseOutputPin::EndFlush()
{
    return E_UNEXPECTED;
}

HRESULT CBaseOutputPin::CompleteConnect(IPin*)
{
    if (!CarriesSamples())
        return S_OK;
    return DecideAllocator();
}

void CBaseOutputPin::BreakConnect()
{
    if (m_pAllocator)
        m_pAllocator->Decommit();
    m_pAllocator.Reset();
    m_pInputPin.Reset();
}

HRESULT CBaseOutputPin::DecideAllocator()
{
    HRESULT hr = m_pInputPin.QueryFrom(m_pConnected.Get(), IID_IMemInputPin);
    if (FAILED(hr))
        return VFW_E_NO_TRANSPORT;

    // The peer's allocator first, then the system memory allocator.
    ComPtr<IMemAllocator> allocator;
    if (SUCCEEDED(m_pInputPin->GetAllocator(allocator.Receive())) && allocator &&
        SUCCEEDED(TryAllocator(allocator.Get(), FALSE)))
        return S_OK;
    hr = CoCreateInstance(CLSID_MemoryAllocator, NULL, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                          allocator.ReceiveVoid());
    if (FAILED(hr)) {
        m_pInputPin.Reset();
        return hr;
    }
    hr = TryAllocator(allocator.Get(), FALSE);
    if (FAILED(hr))
        m_pInputPin.Reset();
    return hr;
}

HRESULT CBaseOutputPin::TryAllocator(IMemAllocator* allocator, BOOL readOnly)
{
    ALLOCATOR_PROPERTIES request = {};
    // A peer without wishes answers E_NOTIMPL and leaves zeros.
    m_pInputPin->GetAllocatorRequirements(&request);
    if (request.cbAlign == 0)
        request.cbAlign = 1;
    HRESULT hr = DecideBufferSize(allocator, &request);
    if (FAILED(hr))
        return hr;
    hr = m_pInputPin->NotifyAllocator(allocator, readOnly);
    if (FAILED(hr))
        return hr;
    m_pAllocator.Set(allocator);
    return S_OK;
}

HRESULT CBaseOutputPin::DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES*)
{
    return E_NOTIMPL;
}

HRESULT CBaseOutputPin::Active()
{
    if (!m_pAllocator)
        return CarriesSamples() ? VFW_E_NO_ALLOCATOR : S_OK;
    return m_pAllocator->Commit();
}

HRESULT CBaseOutputPin::Inactive()
{
    // Decommitting also wakes a streaming thread blocked in GetBuffer.
    if (!m_pAllocator)
        return S_OK;
    return m_pAllocator->Decommit();
}

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** sample)
{
    if (!m_pAllocator)
        return VFW_E_NO_ALLOCATOR;
    return m_pAllocator->GetBuffer(sample, NULL, NULL, 0);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* sample)
{
    if (!m_pInputPin)
        return VFW_E_NOT_CONNECTED;
    return m_pInputPin->Receive(sample);
}

HRESULT CBaseOutputPin::DeliverEndOfStream()
{
    if (!m_pConnected)
        return VFW_E_NOT_CONNECTED;
    return m_pConnected->EndOfStream();
}

} // namespace dshow
