// CBaseInputPin: an input pin that accepts connections and samples. It
// offers the system memory allocator and uses whichever the upstream pin
// settles on. Samples arrive on the upstream streaming thread through
// OnReceive; flushing and the end of stream through their hooks.
#pragma once
#include "platform/dshow/BasePin.h"

namespace dshow {

class CBaseInputPin : public CBasePin, public IMemInputPin
{
public:
    CBaseInputPin(CBaseFilter* filter, const wchar_t* name);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IPin
    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* props) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    STDMETHODIMP ReceiveCanBlock() override;

    void BreakConnect() override;
    HRESULT Inactive() override;
    bool IsFlushing() const { return m_lFlushing != 0; }

protected:
    // Streaming thread: one sample, after the state and flush checks.
    virtual HRESULT OnReceive(IMediaSample* sample) = 0;
    virtual HRESULT OnEndOfStream() { return S_OK; }

private:
    ComPtr<IMemAllocator> m_pAllocator;
    volatile LONG m_lFlushing;
};

} // namespace dshow
