#include "graph/RootGraph.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "graph/Clock.h"
#include "graph/ComPtr.h"
#include "graph/DeviceEnum.h"
#include "graph/FilterCreatorRecord.h"
#include "graph/ReferenceClock.h"

namespace {

// The layer's last failure text; written and read on the UI thread.
char g_szLastError[1024];

// A pin that refuses to disconnect is retried this often, with the graph
// stopped and a pause between attempts: a filter still leaving its running
// state answers within a few hundred ms.
const int kDisconnectAttempts = 3;
const DWORD kDisconnectPauseMs = 200;

const GUID* const kDeviceCategories[] = {
    &CLSID_AudioInputDeviceCategory,
    &CLSID_VideoInputDeviceCategory,
    &CLSID_AudioCompressorCategory,
    &CLSID_VideoCompressorCategory,
};

template <class T>
void ReleaseAndClear(T*& p)
{
    if (p) {
        T* q = p;
        p = NULL;
        q->Release();
    }
}

} // namespace

CRootGraph::CRootGraph()
    : m_pFilters(NULL), m_pBuilder(NULL), m_pGraph(NULL), m_pEvents(NULL), m_pControl(NULL),
      m_pVideoWindow(NULL), m_pSeeking(NULL), m_pBasicVideo(NULL), m_pBasicAudio(NULL),
      m_pGraphStreams(NULL), m_nState(0), m_bComInitialised(FALSE)
{
    memset(m_szDeviceNames, 0, sizeof(m_szDeviceNames));
    MakeGraph();
}

CRootGraph::~CRootGraph()
{
    DestroyGraph();
}

void CRootGraph::ReportError(const char* format, ...)
{
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    vsnprintf(g_szLastError, sizeof(g_szLastError), format, args);
    va_end(args);
}

std::string CRootGraph::GetLastErrorText()
{
    return g_szLastError;
}

std::string CRootGraph::GetVersion()
{
    return "3.1.0.0";
}

BOOL CRootGraph::MakeGraph()
{
    // Making it again without DestroyGraph would lose the interfaces and the
    // wrappers of the graph in place.
    if (m_bComInitialised)
        DestroyGraph();
    if (FAILED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)))
        return FALSE;
    m_bComInitialised = TRUE;
    m_pFilters = NULL;
    m_nState = 0;

    auto fail = [this](const char* text) {
        ReportError("%s", text);
        DestroyGraph();
        return FALSE;
    };
    HRESULT hr = CoCreateInstance(CLSID_CaptureGraphBuilder2, NULL, CLSCTX_INPROC,
                                  IID_ICaptureGraphBuilder2, reinterpret_cast<void**>(&m_pBuilder));
    if (hr != S_OK)
        return fail("MakeBuilder() fail : Cannot instantiate graph builder");
    hr = CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC, IID_IGraphBuilder,
                          reinterpret_cast<void**>(&m_pGraph));
    if (hr != S_OK)
        return fail("MakeGraph() fail : Cannot instantiate filtergraph");
    if (m_pBuilder->SetFiltergraph(m_pGraph) != S_OK)
        return fail("Cannot give graph to builder");
    struct Step
    {
        HRESULT hr;
        const char* failure;
    };
    const Step steps[] = {
        {m_pGraph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&m_pEvents)),
         "Cannot get IID_IMediaEventEx interface"},
        {m_pGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m_pControl)),
         "Cannot get IID_IMediaControl interface"},
        {m_pGraph->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&m_pVideoWindow)),
         "Cannot get IVideoWindow interface"},
        {m_pGraph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&m_pSeeking)),
         "Cannot get IID_IMediaSeeking interface"},
    };
    for (const Step& step : steps) {
        if (step.hr != S_OK)
            return fail(step.failure);
    }
    if (m_pControl->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&m_pBasicVideo)) != S_OK)
        return fail("Cannot get IID_IBasicVideo interface");
    if (m_pControl->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&m_pBasicAudio)) != S_OK)
        return fail("Cannot get IID_IBasicAudio interface");
    // Optional: some graphs (Wine's among them) have no IAMGraphStreams;
    // only SyncUsingStreamOffset needs it.
    if (m_pGraph->QueryInterface(IID_IAMGraphStreams,
                                 reinterpret_cast<void**>(&m_pGraphStreams)) != S_OK)
        m_pGraphStreams = NULL;
    return TRUE;
}

void CRootGraph::DestroyGraph()
{
    if (!m_bComInitialised)
        return;
    m_bComInitialised = FALSE;
    // The graph's clock outlives the graph here and goes last, through the
    // release that cannot hang on it.
    IReferenceClock* clock = TakeSyncSource();
    Stop();
    if (m_pVideoWindow) {
        m_pVideoWindow->put_Visible(OAFALSE);
        m_pVideoWindow->put_Owner(0);
    }
    DeleteAllFilters();
    ReleaseAndClear(m_pBasicVideo);
    ReleaseAndClear(m_pSeeking);
    ReleaseAndClear(m_pVideoWindow);
    ReleaseAndClear(m_pControl);
    ReleaseAndClear(m_pEvents);
    ReleaseAndClear(m_pGraph);
    ReleaseAndClear(m_pBuilder);
    ReleaseAndClear(m_pGraphStreams);
    ReleaseAndClear(m_pBasicAudio);
    zunk::ReleaseReferenceClock(clock);
    m_nState = 0;
    CoUninitialize();
}

IReferenceClock* CRootGraph::TakeSyncSource() const
{
    ComPtr<IMediaFilter> filter;
    IReferenceClock* clock = NULL;
    if (m_pGraph && SUCCEEDED(m_pGraph->QueryInterface(IID_IMediaFilter, filter.ReceiveVoid())) &&
        FAILED(filter->GetSyncSource(&clock)))
        clock = NULL;
    return clock;
}

HRESULT CRootGraph::SetState(int state)
{
    if (!m_pControl)
        return E_POINTER;
    HRESULT hr;
    switch (state) {
    case 0: hr = m_pControl->Stop(); break;
    case 1: hr = m_pControl->Run(); break;
    case 2: hr = m_pControl->Pause(); break;
    default: return E_FAIL;
    }
    if (SUCCEEDED(hr))
        m_nState = state;
    return hr;
}

BOOL CRootGraph::Run()
{
    return m_nState == 1 || SUCCEEDED(SetState(1));
}

BOOL CRootGraph::Pause()
{
    return m_nState == 2 || SUCCEEDED(SetState(2));
}

BOOL CRootGraph::Stop()
{
    return m_nState == 0 || SUCCEEDED(SetState(0));
}

HRESULT CRootGraph::SyncUsingStreamOffset(BOOL use)
{
    if (!m_pGraphStreams)
        return E_NOTIMPL;
    return m_pGraphStreams->SyncUsingStreamOffset(use);
}

CRootFilter* CRootGraph::AddMadeFilter(CRootFilter* wrapper, const char* name)
{
    if (!wrapper)
        return NULL;
    if (wrapper->InitOnce()) {
        wrapper->SetName(name);
        if (AddFilterToGraph(wrapper)) {
            wrapper->SetNext(m_pFilters);
            m_pFilters = wrapper;
            return wrapper;
        }
    }
    delete wrapper;
    return NULL;
}

CRootFilter* CRootGraph::AddFilterByCLSID(const CLSID* clsid, const char* name)
{
    if (!name || !clsid)
        return NULL;
    CRootFilter* wrapper;
    if (FilterCreatorRecord* record = FilterCreatorRecord::FindByCLSID(clsid))
        wrapper = record->creator(this, FALSE, *record, NULL);
    else
        wrapper = new (std::nothrow) CRootFilter(this, clsid);
    return AddMadeFilter(wrapper, name);
}

CRootFilter* CRootGraph::AddFilterByName(const GUID* category, const char* friendlyName,
                                         const char* name, BOOL firstMatch, int deviceIndex)
{
    if (!name || !category || !friendlyName)
        return NULL;
    CRootFilter* wrapper;
    FilterCreatorRecord::SetDeviceIndex(deviceIndex);
    if (FilterCreatorRecord* record = FilterCreatorRecord::FindByName(category, friendlyName))
        wrapper = record->creator(this, firstMatch, *record, NULL);
    else
        wrapper = new (std::nothrow) CRootFilter(this, category, friendlyName, FALSE);
    return AddMadeFilter(wrapper, name);
}

BOOL CRootGraph::IsInList(CRootFilter* filter) const
{
    for (CRootFilter* f = m_pFilters; f; f = f->GetNext()) {
        if (f == filter)
            return TRUE;
    }
    return FALSE;
}

BOOL CRootGraph::AddFilter(CRootFilter* filter)
{
    // Adding a listed wrapper again would make the list a cycle.
    if (!filter || IsInList(filter) || !filter->InitOnce() || !AddFilterToGraph(filter))
        return FALSE;
    filter->SetNext(m_pFilters);
    m_pFilters = filter;
    return TRUE;
}

BOOL CRootGraph::AddFilterToGraph(CRootFilter* filter)
{
    if (!filter || !filter->GetFilter() || !m_pGraph)
        return FALSE;
    wchar_t name[zunk::kNameSize];
    zunk::AnsiToWide(filter->GetName(), name, zunk::kNameSize);
    HRESULT hr = m_pGraph->AddFilter(filter->GetFilter(), name);
    return hr == S_OK || hr == VFW_S_DUPLICATE_NAME;
}

BOOL CRootGraph::RemoveFilterFromGraph(CRootFilter* filter)
{
    if (!filter || !m_pGraph || !filter->IsInGraph())
        return FALSE;
    return m_pGraph->RemoveFilter(filter->GetFilter()) == S_OK;
}

BOOL CRootGraph::RemoveFilterByName(const char* name)
{
    return RemoveFilterFromGraph(FindFilterByName(name));
}

CRootFilter* CRootGraph::FindFilterByName(const char* name) const
{
    if (!name)
        return NULL;
    for (CRootFilter* f = m_pFilters; f; f = f->GetNext()) {
        if (strcmp(f->GetName(), name) == 0)
            return f;
    }
    return NULL;
}

CRootFilter* CRootGraph::FindFilter(IBaseFilter* filter) const
{
    if (!filter)
        return NULL;
    for (CRootFilter* f = m_pFilters; f; f = f->GetNext()) {
        if (f->GetFilter() == filter)
            return f;
    }
    return NULL;
}

void CRootGraph::DeleteFilter(CRootFilter* filter)
{
    if (!filter)
        return;
    CRootFilter* prev = NULL;
    for (CRootFilter* f = m_pFilters; f; prev = f, f = f->GetNext()) {
        if (f != filter)
            continue;
        if (prev)
            prev->SetNext(f->GetNext());
        else
            m_pFilters = f->GetNext();
        filter->SetNext(NULL);
        DisconnectFilter(filter);
        RemoveFilterFromGraph(filter);
        delete filter;
        return;
    }
}

void CRootGraph::DeleteAllFilters()
{
    Stop();
    std::vector<CRootFilter*> filters;
    for (CRootFilter* f = m_pFilters; f; f = f->GetNext())
        filters.push_back(f);
    for (CRootFilter* f : filters)
        DeleteFilter(f);
    m_pFilters = NULL;
}

void CRootGraph::RemoveAllFilters()
{
    Stop();
    DisconnectAll();
    for (CRootFilter* f = m_pFilters; f; f = f->GetNext())
        RemoveFilterFromGraph(f);
}

void CRootGraph::AddExistingFilter(IBaseFilter* filter)
{
    if (!filter || FindFilter(filter))
        return;
    char name[zunk::kNameSize] = "";
    FILTER_INFO info = {};
    if (SUCCEEDED(filter->QueryFilterInfo(&info))) {
        zunk::WideToAnsi(info.achName, name, sizeof(name));
        if (info.pGraph)
            info.pGraph->Release();
    }
    CLSID clsid;
    if (!GetFilterClassID(filter, &clsid))
        return;
    // The wrapper takes the filter found in the graph, never a new object of
    // the same class.
    CRootFilter* wrapper;
    if (FilterCreatorRecord* record = FilterCreatorRecord::FindByCLSID(&clsid))
        wrapper = record->creator(this, FALSE, *record, filter);
    else
        wrapper = new (std::nothrow) CRootFilterFromInterface(this, filter);
    if (!wrapper)
        return;
    if (!wrapper->InitOnce() || wrapper->GetFilter() != filter) {
        delete wrapper;
        return;
    }
    wrapper->SetName(name);
    wrapper->RefreshPins();
    wrapper->SetNext(m_pFilters);
    m_pFilters = wrapper;
}

BOOL CRootGraph::WrapGraphFilters()
{
    if (!m_pGraph)
        return FALSE;
    ComPtr<IEnumFilters> filters;
    if (FAILED(m_pGraph->EnumFilters(&filters)) || !filters)
        return FALSE;
    filters->Reset();
    for (;;) {
        ComPtr<IBaseFilter> filter;
        ULONG fetched = 0;
        if (filters->Next(1, &filter, &fetched) != S_OK || fetched != 1)
            break;
        AddExistingFilter(filter.Get());
    }
    return TRUE;
}

BOOL CRootGraph::GetFilterClassID(IUnknown* object, CLSID* out)
{
    if (!object || !out)
        return FALSE;
    ComPtr<IPersist> persist;
    if (FAILED(object->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist))) || !persist)
        return FALSE;
    return SUCCEEDED(persist->GetClassID(out));
}

void CRootGraph::RefreshPinLists()
{
    for (CRootFilter* f = m_pFilters; f; f = f->GetNext()) {
        if (f->NeedsPinRefresh())
            f->RefreshPins();
    }
}

BOOL CRootGraph::ConnectPins(CRootPin* out, CRootPin* in)
{
    if (!out || !in || out->GetPeer() || in->GetPeer() || !m_pGraph)
        return FALSE;
    if (FAILED(m_pGraph->Connect(out->GetIPin(), in->GetIPin())))
        return FALSE;
    out->SetPeer(in);
    in->SetPeer(out);
    // Both connected pins remain, so the refreshes keep these two wrappers.
    CRootFilter* up = out->GetOwner();
    CRootFilter* down = in->GetOwner();
    if (up)
        up->RefreshPins();
    if (down && down != up)
        down->RefreshPins();
    return TRUE;
}

BOOL CRootGraph::ConnectFilters(CRootFilter* up, CRootFilter* down, const char* outPin,
                                const char* inPin)
{
    if (!up || !down)
        return FALSE;
    CRootPin* out = (outPin && *outPin) ? up->FindPinByName(outPin) : up->FindPin(PINDIR_OUTPUT, TRUE);
    CRootPin* in = (inPin && *inPin) ? down->FindPinByName(inPin) : down->FindPin(PINDIR_INPUT, TRUE);
    if (!out || !in)
        return FALSE;
    return ConnectPins(out, in);
}

HRESULT CRootGraph::Render(CRootPin* pin)
{
    if (!pin || !pin->GetIPin() || !m_pGraph)
        return E_POINTER;
    return m_pGraph->Render(pin->GetIPin());
}

BOOL CRootGraph::RenderEx(CRootPin* pin, DWORD flags)
{
    if (!pin || !pin->GetIPin() || !m_pGraph)
        return FALSE;
    ComPtr<IFilterGraph2> graph2;
    if (FAILED(m_pGraph->QueryInterface(IID_IFilterGraph2, reinterpret_cast<void**>(&graph2))))
        return FALSE;
    HRESULT hr = graph2->RenderEx(pin->GetIPin(), flags, NULL);
    RefreshPinLists();
    return SUCCEEDED(hr);
}

BOOL CRootGraph::DisconnectPinRetry(IPin* pin)
{
    if (!pin || !m_pGraph)
        return FALSE;
    for (int attempt = 0; attempt < kDisconnectAttempts; attempt++) {
        // S_FALSE: the pin was not connected, which is what we want.
        HRESULT hr = m_pGraph->Disconnect(pin);
        if (hr == S_OK || hr == S_FALSE)
            return TRUE;
        // A pin of a filter that is not stopped refuses (VFW_E_NOT_STOPPED).
        SetState(0);
        if (attempt + 1 < kDisconnectAttempts)
            zunk::Sleep(kDisconnectPauseMs);
    }
    return FALSE;
}

void CRootGraph::DisconnectPair(IPin* a, IPin* b)
{
    // The input side first: a parser whose input goes after its upstream
    // output still reads from it while tearing down (Wine's splitters).
    PIN_DIRECTION dir = PINDIR_INPUT;
    if (a && a->QueryDirection(&dir) == S_OK && dir == PINDIR_OUTPUT) {
        IPin* t = a;
        a = b;
        b = t;
    }
    DisconnectPinRetry(a);
    DisconnectPinRetry(b);
}

CRootPin* CRootGraph::FindPinWrapper(IPin* pin) const
{
    for (CRootFilter* f = m_pFilters; f; f = f->GetNext()) {
        if (CRootPin* wrapper = f->FindPinByIPin(pin))
            return wrapper;
    }
    return NULL;
}

void CRootGraph::DisconnectPinOnly(CRootPin* pin, std::vector<CRootFilter*>* touched)
{
    if (!pin)
        return;
    // Both ends always go through the graph, so the pins are free for the
    // next connection (the engine disconnects and rebuilds its graphs).
    if (CRootPin* peer = pin->GetPeer()) {
        DisconnectPair(pin->GetIPin(), peer->GetIPin());
        pin->SetPeer(NULL);
        peer->SetPeer(NULL);
        touched->push_back(pin->GetOwner());
        touched->push_back(peer->GetOwner());
        return;
    }
    ComPtr<IPin> other;
    if (!pin->GetIPin() || pin->GetIPin()->ConnectedTo(&other) != S_OK || !other)
        return;
    DisconnectPair(pin->GetIPin(), other.Get());
    touched->push_back(pin->GetOwner());
    if (CRootPin* wrapper = FindPinWrapper(other.Get()))
        touched->push_back(wrapper->GetOwner());
}

void CRootGraph::RefreshOwners(const std::vector<CRootFilter*>& touched)
{
    std::vector<CRootFilter*> owners;
    for (CRootFilter* f : touched) {
        if (f && std::find(owners.begin(), owners.end(), f) == owners.end())
            owners.push_back(f);
    }
    for (CRootFilter* f : owners)
        f->RefreshPins();
}

void CRootGraph::DisconnectPin(CRootPin* pin)
{
    std::vector<CRootFilter*> touched;
    DisconnectPinOnly(pin, &touched);
    RefreshOwners(touched);
}

void CRootGraph::DisconnectFilter(CRootFilter* filter)
{
    if (!filter)
        return;
    // Refreshing relinks and deletes pin wrappers: walk a copy of the list
    // and refresh each touched filter once at the end.
    std::vector<CRootPin*> pins;
    for (CRootPin* pin = filter->GetFirstPin(); pin; pin = pin->GetNext())
        pins.push_back(pin);
    std::vector<CRootFilter*> touched;
    for (CRootPin* pin : pins) {
        // Disconnecting an input can make the filter drop other pins (a
        // parser's outputs); those are skipped until the refresh.
        if (filter->HasPin(pin->GetIPin()))
            DisconnectPinOnly(pin, &touched);
    }
    RefreshOwners(touched);
}

void CRootGraph::DisconnectAll()
{
    Stop();
    for (CRootFilter* f = m_pFilters; f; f = f->GetNext())
        DisconnectFilter(f);
}

char (*CRootGraph::EnumDeviceNames(int kind, int* count))[zunk::kNameSize]
{
    memset(m_szDeviceNames, 0, sizeof(m_szDeviceNames));
    if (!count || kind < 0 || kind >= (int)(sizeof(kDeviceCategories) / sizeof(kDeviceCategories[0])))
        return NULL;
    std::vector<std::string> names;
    if (EnumDeviceNameList(kDeviceCategories[kind], &names) != S_OK)
        return NULL;
    return FillDeviceNames(names, count);
}

char (*CRootGraph::FillDeviceNames(const std::vector<std::string>& names, int* count))[zunk::kNameSize]
{
    memset(m_szDeviceNames, 0, sizeof(m_szDeviceNames));
    int stored = 0;
    for (; stored < (int)names.size() && stored < kMaxDeviceNames; stored++)
        lstrcpynA(m_szDeviceNames[stored], names[stored].c_str(), zunk::kNameSize);
    if (count)
        *count = stored;
    return stored ? m_szDeviceNames : NULL;
}

HRESULT CRootGraph::EnumDeviceNameList(const GUID* category, std::vector<std::string>* out)
{
    if (!category || !out)
        return E_POINTER;
    return zunk::ForEachDevice(*category, [&](IMoniker* moniker) {
        char name[zunk::kNameSize];
        if (zunk::ReadFriendlyName(moniker, name, sizeof(name)))
            out->push_back(name);
        return TRUE;
    });
}

HRESULT CRootGraph::ShowVideoWindow(BOOL show)
{
    return m_pVideoWindow ? m_pVideoWindow->put_Visible(show ? OATRUE : OAFALSE) : E_POINTER;
}

BOOL CRootGraph::IsVideoWindowVisible()
{
    long visible = OAFALSE;
    return m_pVideoWindow && SUCCEEDED(m_pVideoWindow->get_Visible(&visible)) && visible == OATRUE;
}

HRESULT CRootGraph::SetVideoOwner(HWND owner)
{
    return m_pVideoWindow ? m_pVideoWindow->put_Owner(reinterpret_cast<OAHWND>(owner)) : E_POINTER;
}

HRESULT CRootGraph::SetMessageDrain(HWND drain)
{
    return m_pVideoWindow ? m_pVideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(drain))
                          : E_POINTER;
}

HRESULT CRootGraph::SetVideoWindowStyle(long style)
{
    return m_pVideoWindow ? m_pVideoWindow->put_WindowStyle(style) : E_POINTER;
}

HRESULT CRootGraph::SetVideoWindowPosition(long left, long top, long right, long bottom)
{
    return m_pVideoWindow ? m_pVideoWindow->SetWindowPosition(left, top, right - left, bottom - top)
                          : E_POINTER;
}

HRESULT CRootGraph::GetEvent(long* code, LONG_PTR* p1, LONG_PTR* p2, long timeout)
{
    return m_pEvents ? m_pEvents->GetEvent(code, p1, p2, timeout) : E_POINTER;
}

HRESULT CRootGraph::SetNotifyWindow(HWND wnd, long message, LONG_PTR instance)
{
    return m_pEvents ? m_pEvents->SetNotifyWindow(reinterpret_cast<OAHWND>(wnd), message, instance)
                     : E_POINTER;
}

HRESULT CRootGraph::SetRate(double rate)
{
    return m_pSeeking ? m_pSeeking->SetRate(rate) : E_POINTER;
}

LONGLONG CRootGraph::GetCurrentPosition()
{
    LONGLONG position = 0;
    if (!m_pSeeking || FAILED(m_pSeeking->GetCurrentPosition(&position)))
        return 0;
    return position;
}

HRESULT CRootGraph::SetCurrentPosition(LONGLONG position)
{
    return m_pSeeking ? m_pSeeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, NULL,
                                                 AM_SEEKING_NoPositioning)
                      : E_POINTER;
}

LONGLONG CRootGraph::GetDuration()
{
    LONGLONG duration = 0;
    if (!m_pSeeking || FAILED(m_pSeeking->GetDuration(&duration)))
        return 0;
    return duration;
}
