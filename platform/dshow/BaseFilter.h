// CBaseFilter: base of the filters we write ourselves (the virtual card's
// capture filter and crossbar, test peers). It owns the reference count, the
// Stop/Pause/Run state machine, the reference clock and the graph back
// pointer; a concrete filter supplies its pins and extra interfaces. COM
// calls come from the graph's threads; the state lock guards the state and
// is never taken by a streaming thread.
#pragma once
#include "graph/ComObject.h"
#include "platform/dshow/ComPtr.h"

#include <strmif.h>
#include <vfwmsgs.h>

#include <string>

namespace dshow {

class CBasePin;

class CBaseFilter : public ComObject<IBaseFilter, IAMFilterMiscFlags>
{
public:
    // `name` is the filter's default name until the graph gives it one.
    CBaseFilter(const CLSID& clsid, const wchar_t* name);
    ~CBaseFilter() override;

    // IUnknown: the count is ComObject's.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;

    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;

    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;

    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

    // IAMFilterMiscFlags
    STDMETHODIMP_(ULONG) GetMiscFlags() override;

    // The pins, in a fixed order for the filter's lifetime.
    virtual int GetPinCount() = 0;
    virtual CBasePin* GetPin(int index) = 0;

    FILTER_STATE State() const;
    // The clock and the stream start, for streaming threads (their own lock).
    HRESULT GetClockAndStart(IReferenceClock** clock, REFERENCE_TIME* start);
    // Sends an event to the graph's event sink, when there is a graph.
    HRESULT NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);
    IFilterGraph* Graph() const { return m_pGraph; }
    CRITICAL_SECTION* StateLock() { return &m_csState; }

protected:
    // Extra interfaces of the concrete filter; E_NOINTERFACE by default.
    virtual HRESULT QueryFilterInterface(REFIID iid, void** out);
    // A live source answers VFW_S_CANT_CUE while paused and flags itself
    // as a source.
    virtual bool IsLiveSource() const { return false; }

private:
    CLSID m_clsid;
    CRITICAL_SECTION m_csState;   // state, graph, name
    CRITICAL_SECTION m_csClock;   // clock and start time, read by streaming threads
    volatile LONG m_state;        // a FILTER_STATE; written under m_csState
    REFERENCE_TIME m_tStart;
    ComPtr<IReferenceClock> m_pClock;
    // The graph holds a reference on us, so we cannot hold one on it.
    IFilterGraph* m_pGraph;
    IMediaEventSink* m_pEventSink; // the graph's, unreferenced for the same reason
    std::wstring m_name;

    CBaseFilter(const CBaseFilter&) = delete;
    CBaseFilter& operator=(const CBaseFilter&) = delete;
};

// The three IUnknown methods of a class that adds interfaces to CBaseFilter.
#define DSHOW_FILTER_IUNKNOWN                                                              \
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override                            \
    {                                                                                       \
        return dshow::CBaseFilter::QueryInterface(iid, out);                                \
    }                                                                                       \
    STDMETHODIMP_(ULONG) AddRef() override { return dshow::CBaseFilter::AddRef(); }         \
    STDMETHODIMP_(ULONG) Release() override { return dshow::CBaseFilter::Release(); }

} // namespace dshow
