// CPassThroughFilter: base of the stand-ins that pass streams from input
// pins to output pins (the deinterlace filter, the AV switch, the infinite
// pin tee). Each output follows one input: it offers that input's connected
// type (and whatever else the concrete filter adds) and gets its samples
// from the concrete filter's OnSample, which runs on the upstream streaming
// thread. End of stream and flushes travel on to every connected output of
// the input. Pins live as long as the filter; a filter may add outputs
// while it lives (up to kMaxPins pins in all) but never removes one.
#pragma once
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/InputPin.h"
#include "platform/dshow/OutputPin.h"

namespace standins {

class CPassThroughFilter;

class CForwardInputPin : public dshow::CBaseInputPin
{
public:
    CForwardInputPin(CPassThroughFilter* filter, const wchar_t* name);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

protected:
    HRESULT OnReceive(IMediaSample* sample) override;
    HRESULT OnEndOfStream() override;

private:
    CPassThroughFilter* m_pHost;  // owns us
};

class CForwardOutputPin : public dshow::CBaseOutputPin
{
public:
    CForwardOutputPin(CPassThroughFilter* filter, const wchar_t* name, CForwardInputPin* source);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override;
    HRESULT GetMediaType(int index, CMediaType* mt) override;
    HRESULT CompleteConnect(IPin* peer) override;
    CForwardInputPin* Source() const { return m_pSource; }

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

private:
    CPassThroughFilter* m_pHost;  // owns us
    CForwardInputPin* m_pSource;  // a sibling pin
};

class CPassThroughFilter : public dshow::CBaseFilter
{
public:
    static const int kMaxPins = 32;

    CPassThroughFilter(const CLSID& clsid, const wchar_t* name);

    int GetPinCount() override { return m_nPins; }
    dshow::CBasePin* GetPin(int index) override;

    // Hooks of the concrete filter. Input types it takes.
    virtual HRESULT CheckInputType(CForwardInputPin* pin, const AM_MEDIA_TYPE* mt) = 0;
    // Output types beyond the source's own type (index counts from 0 past
    // it); VFW_S_NO_MORE_ITEMS by default.
    virtual HRESULT GetExtraOutputType(CForwardOutputPin* pin, int index, CMediaType* mt);
    // Whether an output takes mt; the source's own type by default.
    virtual HRESULT CheckOutputType(CForwardOutputPin* pin, const AM_MEDIA_TYPE* mt);
    virtual void OnOutputConnected(CForwardOutputPin*) {}
    // Streaming thread: one sample of an input.
    virtual HRESULT OnSample(CForwardInputPin* pin, IMediaSample* sample) = 0;

    // Streaming thread: sample itself to every connected output of input.
    HRESULT DeliverToOutputs(CForwardInputPin* input, IMediaSample* sample);
    void ForwardEndOfStream(CForwardInputPin* input);
    void ForwardFlush(CForwardInputPin* input, bool begin);

protected:
    ~CPassThroughFilter();
    // Construction, then while stopped under the state lock.
    CForwardInputPin* AddInput(const wchar_t* name);
    CForwardOutputPin* AddOutput(const wchar_t* name, CForwardInputPin* source);

private:
    // A fixed array: a reader enumerating pins on another thread never
    // sees an entry move.
    dshow::CBasePin* m_pins[kMaxPins];
    volatile LONG m_nPins;
};

// Copies a sample's times and flags onto another.
void CopySampleProperties(IMediaSample* from, IMediaSample* to);

} // namespace standins
