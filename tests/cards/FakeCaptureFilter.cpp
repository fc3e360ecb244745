#include "FakeCaptureFilter.h"

#include <wchar.h>

STDMETHODIMP FakeFilterBase::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = NULL;
    if (riid == IID_IUnknown || riid == IID_IPersist || riid == IID_IMediaFilter ||
        riid == IID_IBaseFilter)
        *ppv = static_cast<IBaseFilter*>(this);
    else
        *ppv = Extra(riid);
    if (!*ppv)
        return E_NOINTERFACE;
    static_cast<IUnknown*>(*ppv)->AddRef();
    return S_OK;
}

STDMETHODIMP FakeFilterBase::GetClassID(CLSID* id)
{
    if (!id)
        return E_POINTER;
    *id = GUID_NULL;
    return S_OK;
}

STDMETHODIMP FakeFilterBase::GetState(DWORD, FILTER_STATE* state)
{
    if (!state)
        return E_POINTER;
    *state = State_Stopped;
    return S_OK;
}

STDMETHODIMP FakeFilterBase::GetSyncSource(IReferenceClock** clock)
{
    if (!clock)
        return E_POINTER;
    *clock = NULL;
    return S_OK;
}

STDMETHODIMP FakeFilterBase::QueryFilterInfo(FILTER_INFO* info)
{
    if (!info)
        return E_POINTER;
    wcscpy(info->achName, L"Fake");
    info->pGraph = NULL;
    return S_OK;
}

void* FakeCaptureFilter::Extra(REFIID riid)
{
    if (riid == IID_IKsPropertySet && m_set)
        return static_cast<IKsPropertySet*>(m_set);
    if (riid == IID_IAMAnalogVideoDecoder && m_card)
        return static_cast<IAMAnalogVideoDecoder*>(this);
    return NULL;
}

STDMETHODIMP FakeCaptureFilter::get_AvailableTVFormats(long* formats)
{
    if (!formats)
        return E_POINTER;
    *formats = AnalogVideo_PAL_B | AnalogVideo_PAL_D | AnalogVideo_NTSC_M;
    return S_OK;
}

STDMETHODIMP FakeCaptureFilter::put_TVFormat(long format)
{
    long available = 0;
    get_AvailableTVFormats(&available);
    if (!(format & available))
        return E_INVALIDARG;
    m_format = format;
    return S_OK;
}

STDMETHODIMP FakeCaptureFilter::get_TVFormat(long* format)
{
    if (!format)
        return E_POINTER;
    *format = m_format;
    return S_OK;
}

STDMETHODIMP FakeCaptureFilter::get_HorizontalLocked(long* locked)
{
    if (!locked)
        return E_POINTER;
    *locked = m_card->SignalLocked() ? 1 : 0;
    return S_OK;
}

STDMETHODIMP FakeCrossbarFilter::get_PinCounts(long* outputs, long* inputs)
{
    if (!outputs || !inputs)
        return E_POINTER;
    *outputs = m_outputs;
    *inputs = m_inputs;
    return S_OK;
}

STDMETHODIMP FakeCrossbarFilter::Route(long output, long input)
{
    routes.emplace_back(output, input);
    return S_OK;
}

void* FakeCrossbarFilter::Extra(REFIID riid)
{
    if (riid == IID_IAMCrossbar)
        return static_cast<IAMCrossbar*>(this);
    return NULL;
}

void* FakeTVTunerFilter::Extra(REFIID riid)
{
    if (riid == IID_IAMTVTuner || riid == IID_IAMTuner)
        return static_cast<IAMTVTuner*>(this);
    return NULL;
}

STDMETHODIMP FakeTVTunerFilter::put_CountryCode(LONG country)
{
    if (country == refusedCountry)
        return E_INVALIDARG;
    m_country = country;
    return S_OK;
}

STDMETHODIMP FakeTVTunerFilter::get_CountryCode(LONG* country)
{
    if (!country)
        return E_POINTER;
    *country = m_country;
    return S_OK;
}
