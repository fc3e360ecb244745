#include "cards/families/BrennCardFilter.h"

#include "cards/McuLink.h"
#include "graph/ComPtr.h"
#include "graph/RootGraph.h"
#include "hw/access/TV_IOAccess.h"

#include <new>

namespace {

const char kTunerDevice[] = "PhTVTune";
const DWORD kPatternWaitMs = 500;

} // namespace

BOOL CBrennCardFilter::Init()
{
    m_strTunerDevice = kTunerDevice;
    return CTVCardFilter::Init();
}

HRESULT CBrennCardFilter::OpenAccess()
{
    m_pTunerControl = NULL;
    return AttachAccess(new (std::nothrow) CTV_IOAccess(), CardType());
}

BOOL CBrennCardFilter::WaitGpioPattern(DWORD* out, DWORD mask, DWORD value)
{
    return ::WaitGpioPattern(m_pAccess, out, mask, value, kPatternWaitMs);
}

HRESULT CBrennCardFilter::FindTunerInterface()
{
    if (m_pTunerControl)
        return S_OK;
    ICaptureGraphBuilder2* builder = m_pOwner ? m_pOwner->GetBuilder() : NULL;
    if (!builder || !m_pFilter)
        return E_FAIL;
    IAMTVTuner* tuner = NULL;
    HRESULT hr = builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Interleaved, m_pFilter,
                                        IID_IAMTVTuner, reinterpret_cast<void**>(&tuner));
    if (FAILED(hr))
        hr = builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, m_pFilter, IID_IAMTVTuner,
                                    reinterpret_cast<void**>(&tuner));
    if (FAILED(hr))
        return hr;
    if (m_pTVTuner) {
        m_pTVTuner->Release();
        m_pTVTuner = NULL;
    }
    hr = tuner->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&m_pTVTuner));
    // The interface belongs to the tuner filter we now hold.
    tuner->Release();
    m_pTunerControl = SUCCEEDED(hr) ? tuner : NULL;
    return hr;
}
