#include "platform/dshow/BaseFilter.h"

#include "graph/AutoMutex.h"
#include "platform/dshow/BasePin.h"
#include "platform/dshow/ClassFactory.h"

#include <evcode.h>

#include <new>

namespace dshow {

namespace {

// A pin enumerator over the filter's fixed pin list; it holds the filter.
class CEnumPins : public ComObject<IEnumPins>
{
public:
    CEnumPins(CBaseFilter* filter, ULONG position) : m_pFilter(filter), m_position(position)
    {
        m_pFilter->AddRef();
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        using Row = ComInterface<CEnumPins>;
        static constexpr Row kRows[] = {
            Row::Via<IEnumPins>(IID_IUnknown),
            Row::Via<IEnumPins>(IID_IEnumPins),
        };
        return QueryInterfaceTable(this, kRows, iid, out);
    }

    STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override
    {
        if (!pins || (count > 1 && !fetched))
            return E_POINTER;
        ULONG total = static_cast<ULONG>(m_pFilter->GetPinCount());
        ULONG got = 0;
        while (got < count && m_position < total) {
            IPin* pin = m_pFilter->GetPin(static_cast<int>(m_position++));
            pin->AddRef();
            pins[got++] = pin;
        }
        if (fetched)
            *fetched = got;
        return got == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        ULONG total = static_cast<ULONG>(m_pFilter->GetPinCount());
        if (count > total - m_position) {
            m_position = total;
            return S_FALSE;
        }
        m_position += count;
        return S_OK;
    }
    STDMETHODIMP Reset() override
    {
        m_position = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumPins** out) override
    {
        if (!out)
            return E_POINTER;
        *out = new (std::nothrow) CEnumPins(m_pFilter, m_position);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    ~CEnumPins() override { m_pFilter->Release(); }

    CBaseFilter* m_pFilter;   // referenced in the constructor
    ULONG m_position;
};

} // namespace

CBaseFilter::CBaseFilter(const CLSID& clsid, const wchar_t* name)
    : m_clsid(clsid), m_state(State_Stopped), m_tStart(0), m_pGraph(NULL),
      m_pEventSink(NULL), m_name(name ? name : L"")
{
    InitializeCriticalSection(&m_csState);
    InitializeCriticalSection(&m_csClock);
    ModuleAddRef();
}

CBaseFilter::~CBaseFilter()
{
    DeleteCriticalSection(&m_csClock);
    DeleteCriticalSection(&m_csState);
    ModuleRelease();
}

STDMETHODIMP CBaseFilter::QueryInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CBaseFilter>;
    static constexpr Row kRows[] = {
        Row::Via<IBaseFilter>(IID_IUnknown),
        Row::Via<IBaseFilter>(IID_IPersist),
        Row::Via<IBaseFilter>(IID_IMediaFilter),
        Row::Via<IBaseFilter>(IID_IBaseFilter),
        Row::Via<IAMFilterMiscFlags>(IID_IAMFilterMiscFlags),
    };
    return QueryInterfaceTable(this, kRows, iid, out, [&] { return QueryFilterInterface(iid, out); });
}

HRESULT CBaseFilter::QueryFilterInterface(REFIID, void** out)
{
    *out = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP CBaseFilter::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = m_clsid;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Stop()
{
    CAutoMutex lock(&m_csState);
    if (m_state == State_Stopped)
        return S_OK;
    // Every pin goes inactive even when one fails; the first failure is kept.
    HRESULT result = S_OK;
    for (int i = 0; i < GetPinCount(); ++i) {
        CBasePin* pin = GetPin(i);
        if (!pin->IsConnected())
            continue;
        HRESULT hr = pin->Inactive();
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
    }
    m_state = State_Stopped;
    return result;
}

STDMETHODIMP CBaseFilter::Pause()
{
    CAutoMutex lock(&m_csState);
    if (m_state == State_Stopped) {
        for (int i = 0; i < GetPinCount(); ++i) {
            CBasePin* pin = GetPin(i);
            if (!pin->IsConnected())
                continue;
            HRESULT hr = pin->Active();
            if (FAILED(hr)) {
                // Undo the pins already started; the filter stays stopped.
                for (int j = 0; j < i; ++j) {
                    if (GetPin(j)->IsConnected())
                        GetPin(j)->Inactive();
                }
                return hr;
            }
        }
    } else if (m_state == State_Running) {
        for (int i = 0; i < GetPinCount(); ++i) {
            if (GetPin(i)->IsConnected())
                GetPin(i)->Paused();
        }
    }
    m_state = State_Paused;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME start)
{
    CAutoMutex lock(&m_csState);
    if (m_state == State_Running)
        return S_OK;
    if (m_state == State_Stopped) {
        HRESULT hr = Pause();
        if (FAILED(hr))
            return hr;
    }
    {
        CAutoMutex clockLock(&m_csClock);
        m_tStart = start;
    }
    m_state = State_Running;
    for (int i = 0; i < GetPinCount(); ++i) {
        if (GetPin(i)->IsConnected())
            GetPin(i)->Run(start);
    }
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetState(DWORD, FILTER_STATE* state)
{
    if (!state)
        return E_POINTER;
    CAutoMutex lock(&m_csState);
    *state = static_cast<FILTER_STATE>(m_state);
    // A live source has nothing to show while paused: the graph must not
    // wait for a cued frame.
    if (m_state == State_Paused && IsLiveSource())
        return VFW_S_CANT_CUE;
    return S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* clock)
{
    CAutoMutex lock(&m_csClock);
    m_pClock.Set(clock);
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** clock)
{
    if (!clock)
        return E_POINTER;
    CAutoMutex lock(&m_csClock);
    return m_pClock.CopyTo(clock);
}

HRESULT CBaseFilter::GetClockAndStart(IReferenceClock** clock, REFERENCE_TIME* start)
{
    CAutoMutex lock(&m_csClock);
    *start = m_tStart;
    return m_pClock.CopyTo(clock);
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** pins)
{
    if (!pins)
        return E_POINTER;
    *pins = new (std::nothrow) CEnumPins(this, 0);
    return *pins ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR id, IPin** pin)
{
    if (!id || !pin)
        return E_POINTER;
    for (int i = 0; i < GetPinCount(); ++i) {
        CBasePin* candidate = GetPin(i);
        if (candidate->Name() == id) {
            candidate->AddRef();
            *pin = candidate;
            return S_OK;
        }
    }
    *pin = NULL;
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* info)
{
    if (!info)
        return E_POINTER;
    CAutoMutex lock(&m_csState);
    lstrcpynW(info->achName, m_name.c_str(), MAX_FILTER_NAME);
    info->pGraph = m_pGraph;
    if (m_pGraph)
        m_pGraph->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name)
{
    CAutoMutex lock(&m_csState);
    m_pGraph = graph;
    m_pEventSink = NULL;
    if (graph) {
        // The sink is part of the graph, which outlives our membership:
        // its reference is dropped at once.
        IMediaEventSink* sink = NULL;
        if (SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink)))) {
            m_pEventSink = sink;
            sink->Release();
        }
    }
    if (name)
        m_name = name;
    return S_OK;
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR* info)
{
    if (!info)
        return E_POINTER;
    *info = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP_(ULONG) CBaseFilter::GetMiscFlags()
{
    return IsLiveSource() ? AM_FILTER_MISC_FLAGS_IS_SOURCE : 0;
}

FILTER_STATE CBaseFilter::State() const
{
    // Streaming threads read it without the lock; callers that act on it
    // hold the state lock.
    return static_cast<FILTER_STATE>(m_state);
}

HRESULT CBaseFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2)
{
    IMediaEventSink* sink = m_pEventSink;
    if (!sink)
        return E_NOTIMPL;
    if (code == EC_COMPLETE) {
        // The graph wants to know which filter ended.
        return sink->Notify(code, param1, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
    }
    return sink->Notify(code, param1, param2);
}

} // namespace dshow
