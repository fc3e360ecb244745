#include "cards/UpstreamSearch.h"

#include "graph/ComPtr.h"
#include "graph/NameText.h"
#include "graph/RootGraph.h"

#include <dshow.h>

namespace {

IGraphBuilder* GraphOf(CRootFilter* filter)
{
    CRootGraph* graph = filter ? filter->GetOwnerGraph() : NULL;
    return graph ? graph->GetGraph() : NULL;
}

bool IsSameObject(IUnknown* a, IUnknown* b)
{
    ComPtr<IUnknown> first, second;
    return SUCCEEDED(first.QueryFrom(a, IID_IUnknown)) && SUCCEEDED(second.QueryFrom(b, IID_IUnknown)) &&
           first.Get() == second.Get();
}

} // namespace

CUpstreamSearch::CUpstreamSearch(CRootFilter* capture) : m_pCapture(capture), m_bJoined(false)
{
    IGraphBuilder* graph = GraphOf(capture);
    if (!graph || !capture->GetFilter() || capture->IsInGraph())
        return;
    wchar_t name[MAX_PATH] = L"";
    zunk::AnsiToWide(capture->GetName(), name, MAX_PATH);
    m_bJoined = SUCCEEDED(graph->AddFilter(capture->GetFilter(), name));
}

CUpstreamSearch::~CUpstreamSearch()
{
    if (m_bJoined)
        GraphOf(m_pCapture)->RemoveFilter(m_pCapture->GetFilter());
}

HRESULT CUpstreamSearch::FindInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = NULL;
    CRootGraph* graph = m_pCapture ? m_pCapture->GetOwnerGraph() : NULL;
    ICaptureGraphBuilder2* builder = graph ? graph->GetBuilder() : NULL;
    if (!builder || !m_pCapture->GetFilter())
        return E_FAIL;
    const GUID* types[] = {&MEDIATYPE_Interleaved, &MEDIATYPE_Video};
    HRESULT hr = E_FAIL;
    for (const GUID* type : types) {
        // Held as IUnknown: whatever interface it is, Release is in its place.
        ComPtr<IUnknown> found;
        hr = builder->FindInterface(&PIN_CATEGORY_CAPTURE, type, m_pCapture->GetFilter(), iid,
                                    found.ReceiveVoid());
        if (hr == S_OK && found) {
            *out = found.Detach();
            return S_OK;
        }
    }
    return FAILED(hr) ? hr : E_NOINTERFACE;
}

HRESULT CUpstreamSearch::FilterOf(IUnknown* object, IBaseFilter** filter)
{
    if (!filter)
        return E_POINTER;
    *filter = NULL;
    ComPtr<IBaseFilter> found;
    HRESULT hr = found.QueryFrom(object, IID_IBaseFilter);
    if (FAILED(hr))
        return hr;
    if (IsSameObject(found.Get(), m_pCapture->GetFilter()))
        return S_FALSE;
    *filter = found.Detach();
    return S_OK;
}

HRESULT CUpstreamSearch::Find(REFIID iid, void** out, IBaseFilter** filter)
{
    if (!filter)
        return E_POINTER;
    HRESULT hr = FindInterface(iid, out);
    if (FAILED(hr))
        return hr;
    FilterOf(static_cast<IUnknown*>(*out), filter);
    return S_OK;
}

HRESULT CUpstreamSearch::FindTuner(CRootFilter* capture, ComPtr<IAMTVTuner>& control, IBaseFilter** filter)
{
    if (!filter)
        return E_POINTER;
    if (control)
        return S_OK;
    RemoveFilter(NULL, filter);
    CUpstreamSearch search(capture);
    return search.Find(IID_IAMTVTuner, control.ReceiveVoid(), filter);
}

void CUpstreamSearch::RemoveFilter(CRootGraph* graph, IBaseFilter** filter)
{
    if (!filter || !*filter)
        return;
    if (graph && graph->GetGraph())
        graph->GetGraph()->RemoveFilter(*filter);
    (*filter)->Release();
    *filter = NULL;
}
