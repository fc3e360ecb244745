// CBaseOutputPin: an output pin that connects itself (type negotiation in
// its own order, then the peer's) and, for pins that carry samples, agrees
// an allocator with the peer: the peer's own, else the system memory
// allocator. Pins that carry no samples (a crossbar's analog outputs) opt
// out. Connection calls arrive on the graph's threads; Deliver runs on the
// streaming thread.
#pragma once
#include "platform/dshow/BasePin.h"

namespace dshow {

class CBaseOutputPin : public CBasePin
{
public:
    CBaseOutputPin(CBaseFilter* filter, const wchar_t* name);

    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    HRESULT CompleteConnect(IPin* peer) override;
    void BreakConnect() override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    // Streaming thread: a buffer of the agreed allocator, and its delivery.
    HRESULT GetDeliveryBuffer(IMediaSample** sample);
    HRESULT Deliver(IMediaSample* sample);
    HRESULT DeliverEndOfStream();
    IMemAllocator* Allocator() const { return m_pAllocator.Get(); }

protected:
    // False for pins that carry no samples: no allocator is agreed.
    virtual bool CarriesSamples() const { return true; }
    // Sets the buffer count and size on `allocator`; `request` holds the
    // peer's wishes (zeros where it has none).
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request);

private:
    HRESULT AttemptConnection(IPin* receivePin, const AM_MEDIA_TYPE* mt);
    HRESULT TryTypes(IPin* receivePin, IEnumMediaTypes* types, const AM_MEDIA_TYPE* partial);
    HRESULT DecideAllocator();
    HRESULT TryAllocator(IMemAllocator* allocator, BOOL readOnly);

    ComPtr<IMemInputPin> m_pInputPin;
    ComPtr<IMemAllocator> m_pAllocator;
};

} // namespace dshow
