#include "graph/wrappers/ColorConvertFilter.h"

#include "graph/Guids.h"
#include "graph/wrappers/HelperInterfaces.h"

namespace {

HRESULT CallControl(IBaseFilter* filter, HRESULT (STDMETHODCALLTYPE IColorConvertControl::*call)(int), int value)
{
    ComPtr<IColorConvertControl> control;
    HRESULT hr = control.QueryFrom(filter, IID_IColorConvertControl);
    if (FAILED(hr) || !control)
        return FAILED(hr) ? hr : E_NOINTERFACE;
    return (control.Get()->*call)(value);
}

} // namespace

HRESULT CColorConvertFilter::CallConvert3(int value)
{
    return CallControl(m_pFilter, &IColorConvertControl::Call3, value);
}

HRESULT CColorConvertFilter::CallConvert4(int value)
{
    return CallControl(m_pFilter, &IColorConvertControl::Call4, value);
}
