#include "cards/families/TridentFilter.h"

#include "graph/NameText.h"
#include "graph/RootGraph.h"
#include "hw/access/TridentAccess.h"

#include <new>

namespace {

// The PCI card stores no card type: its tuners take the no-type paths.
const int kCardType = 0;
// Fallbacks for an EEPROM that names no tuner.
const int kFallbackBrand = 'A';
const int kFallbackTunerType = 133;

// The tuner modes SetTunerMode accepts, one at a time (AMTunerModeType).
const long kTunerModes[] = {AMTUNER_MODE_TV, AMTUNER_MODE_FM_RADIO, AMTUNER_MODE_AM_RADIO,
                            AMTUNER_MODE_DSS};

bool IsSameObject(IUnknown* a, IUnknown* b)
{
    ComPtr<IUnknown> first, second;
    return SUCCEEDED(first.QueryFrom(a, IID_IUnknown)) &&
           SUCCEEDED(second.QueryFrom(b, IID_IUnknown)) && first.Get() == second.Get();
}

} // namespace

CTridentFilter::~CTridentFilter()
{
    Close();
    m_pAMTVTuner.Reset();
    ReleaseTunerFilter();
}

HRESULT CTridentFilter::OpenAccess()
{
    CUsbTunnelAccess* access = new (std::nothrow) CTridentAccess();
    m_pAMTVTuner.Reset();
    FindTunerFilter();
    return OpenTunnelAccess(access, kCardType);
}

void CTridentFilter::FindTunerFilter()
{
    CRootGraph* graph = GetOwnerGraph();
    if (!m_pFilter || !graph || !graph->GetGraph() || !graph->GetBuilder())
        return;
    IGraphBuilder* filters = graph->GetGraph();
    // The filter joins the graph for the search only, and only if it is not
    // in it already.
    bool joined = false;
    if (!IsInGraph()) {
        wchar_t name[MAX_PATH] = L"";
        zunk::AnsiToWide(GetName(), name, MAX_PATH);
        joined = SUCCEEDED(filters->AddFilter(m_pFilter, name));
    }
    const GUID* types[] = {&MEDIATYPE_Interleaved, &MEDIATYPE_Video};
    for (const GUID* type : types) {
        HRESULT hr = graph->GetBuilder()->FindInterface(&PIN_CATEGORY_CAPTURE, type, m_pFilter,
                                                        IID_IAMTVTuner, m_pAMTVTuner.ReceiveVoid());
        if (FAILED(hr))
            m_pAMTVTuner.Reset();
        if (m_pAMTVTuner)
            break;
    }
    // The tuner filter the builder brought in is ours to take out again; a
    // capture filter that is its own tuner is not.
    ComPtr<IBaseFilter> tuner;
    if (m_pAMTVTuner && SUCCEEDED(tuner.QueryFrom(m_pAMTVTuner.Get(), IID_IBaseFilter)) &&
        !IsSameObject(tuner.Get(), m_pFilter)) {
        ReleaseTunerFilter();
        m_pTVTuner = tuner.Detach();
    }
    if (joined)
        filters->RemoveFilter(m_pFilter);
}

void CTridentFilter::ReleaseTunerFilter()
{
    if (!m_pTVTuner)
        return;
    CRootGraph* graph = GetOwnerGraph();
    if (graph && graph->GetGraph())
        graph->GetGraph()->RemoveFilter(m_pTVTuner);
    m_pTVTuner->Release();
    m_pTVTuner = NULL;
}

int CTridentFilter::ReadTunerInfo()
{
    CTunnelCardFilter::ReadTunerInfo();
    int read = m_nTunerType;
    if (m_nTunerBrand == 'N')
        m_nTunerBrand = kFallbackBrand;
    if (m_nTunerType == 0 || m_nTunerType == 255)
        m_nTunerType = kFallbackTunerType;
    return read;
}

int CTridentFilter::SetTunerMode(int mode)
{
    long available = 0;
    if (!m_pAMTVTuner || FAILED(m_pAMTVTuner->GetAvailableModes(&available)))
        return FALSE;
    for (long single : kTunerModes) {
        if (mode == single)
            return (available & mode) && SUCCEEDED(m_pAMTVTuner->put_Mode(
                                                 static_cast<AMTunerModeType>(mode)));
    }
    return FALSE;
}

BOOL CTridentFilter::McuWrite(DWORD on, DWORD line, DWORD)
{
    return WriteGpioLine(on, line);
}
