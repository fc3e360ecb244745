// CUpstreamSearch: finds the driver filters that sit upstream of a card's
// capture filter (its tuner, crossbar, TV audio) through the graph's
// capture graph builder. The builder searches only a graph the capture
// filter is in, so the filter joins its owner's graph for the search - when
// it is not in it already - and leaves it again when the search object
// goes. Lives on the caller's stack; UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"

#include <strmif.h>

class CUpstreamSearch
{
public:
    explicit CUpstreamSearch(CRootFilter* capture);
    ~CUpstreamSearch();

    // The interface on the capture path, asked for interleaved streams
    // first and video second: S_OK, or the second answer's failure
    // (E_FAIL without a graph to search).
    HRESULT FindInterface(REFIID iid, void** out);
    // The filter that carries `object`; NULL (S_FALSE) when that is the
    // capture filter itself, which is no upstream filter of its own.
    HRESULT FilterOf(IUnknown* object, IBaseFilter** filter);
    // FindInterface, and FilterOf what it found into *filter (which must
    // be empty): S_OK once the interface is found.
    HRESULT Find(REFIID iid, void** out, IBaseFilter** filter);

    // The driver's TV tuner: its control into `control` and, unless it is
    // the capture filter itself, its filter into *filter (what that held is
    // released). S_OK at once when `control` holds it already.
    static HRESULT FindTuner(CRootFilter* capture, ComPtr<IAMTVTuner>& control, IBaseFilter** filter);
    // Takes a filter found upstream out of the graph (when one is given)
    // and releases it.
    static void RemoveFilter(CRootGraph* graph, IBaseFilter** filter);

private:
    CRootFilter* m_pCapture;  // the caller's
    bool m_bJoined;

    CUpstreamSearch(const CUpstreamSearch&) = delete;
    CUpstreamSearch& operator=(const CUpstreamSearch&) = delete;
};
