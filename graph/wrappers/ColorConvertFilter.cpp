#include "graph/wrappers/ColorConvertFilter.h"

#include "graph/ComPtr.h"
#include "graph/Guids.h"
#include "graph/wrappers/HelperSlots.h"

namespace {

template <class Slot>
HRESULT CallControl(IBaseFilter* filter, int value)
{
    ComPtr<IUnknown> control;
    HRESULT hr = control.QueryFrom(filter, IID_IColorConvertControl);
    if (FAILED(hr) || !control)
        return FAILED(hr) ? hr : E_NOINTERFACE;
    return Slot::Call(control.Get(), value);
}

} // namespace

HRESULT CColorConvertFilter::CallConvert3(int value)
{
    return CallControl<ColorConvertSlots::Call3>(m_pFilter, value);
}

HRESULT CColorConvertFilter::CallConvert4(int value)
{
    return CallControl<ColorConvertSlots::Call4>(m_pFilter, value);
}
