#include "graph/wrappers/AVMuxFilter.h"

#include "graph/ComPtr.h"

namespace {

// 100-nanosecond units.
const REFERENCE_TIME kInterleave = 1000;
const REFERENCE_TIME kPreroll = 750;

} // namespace

BOOL CAVMuxFilter::Init()
{
    // The mux adds an input pin whenever one is connected.
    SetRefreshPins(TRUE);
    if (!CRootFilter::Init())
        return FALSE;
    return SetMasterStream(0);
}

BOOL CAVMuxFilter::SetMasterStream(int stream)
{
    ComPtr<IConfigAviMux> config;
    if (FAILED(config.QueryFrom(m_pFilter, IID_IConfigAviMux)) || !config)
        return FALSE;
    HRESULT compatibility = config->SetOutputCompatibilityIndex(TRUE);
    config->SetMasterStream(stream);
    // A mux without the old-style index (Wine's: E_NOTIMPL) still writes
    // files every player reads; any other refusal fails.
    if (compatibility != S_OK && compatibility != E_NOTIMPL)
        return FALSE;
    ComPtr<IConfigInterleaving> interleaving;
    if (FAILED(interleaving.QueryFrom(m_pFilter, IID_IConfigInterleaving)) || !interleaving)
        return FALSE;
    REFERENCE_TIME interleave = kInterleave;
    REFERENCE_TIME preroll = kPreroll;
    interleaving->put_Interleaving(&interleave, &preroll);
    interleaving->put_Mode(INTERLEAVE_NONE);
    return TRUE;
}
