#include "tests/support/FakeDvFilter.h"

#include <edevdefs.h>
#include <wchar.h>

void FakeDvFilter::Set(const State& state)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_state = state;
}

FakeDvFilter::State FakeDvFilter::Get() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_state;
}

LONG FakeDvFilter::LastPutMode() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_putMode;
}

DWORD FakeDvFilter::LastTimecodeFlags() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_timecodeFlags;
}

STDMETHODIMP FakeDvFilter::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = NULL;
    if (riid == IID_IUnknown || riid == IID_IPersist || riid == IID_IMediaFilter ||
        riid == IID_IBaseFilter)
        *ppv = static_cast<IBaseFilter*>(this);
    else if (riid == IID_IAMExtDevice && offersDevice)
        *ppv = static_cast<IAMExtDevice*>(this);
    else if (riid == IID_IAMExtTransport && offersTransport)
        *ppv = static_cast<IAMExtTransport*>(this);
    else if (riid == IID_IAMTimecodeReader && offersTimecode)
        *ppv = static_cast<IAMTimecodeReader*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP FakeDvFilter::GetClassID(CLSID* id)
{
    if (!id)
        return E_POINTER;
    *id = GUID_NULL;
    return S_OK;
}

STDMETHODIMP FakeDvFilter::GetState(DWORD, FILTER_STATE* state)
{
    if (!state)
        return E_POINTER;
    *state = State_Stopped;
    return S_OK;
}

STDMETHODIMP FakeDvFilter::GetSyncSource(IReferenceClock** clock)
{
    if (!clock)
        return E_POINTER;
    *clock = NULL;
    return S_OK;
}

STDMETHODIMP FakeDvFilter::QueryFilterInfo(FILTER_INFO* info)
{
    if (!info)
        return E_POINTER;
    wcscpy(info->achName, L"Fake DV");
    info->pGraph = NULL;
    return S_OK;
}

STDMETHODIMP FakeDvFilter::GetCapability(LONG capability, LONG* value, double*)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_state.result != S_OK)
        return m_state.result;
    if (!value || capability != ED_DEVCAP_DEVICE_TYPE)
        return E_INVALIDARG;
    *value = m_state.deviceType;
    return S_OK;
}

STDMETHODIMP FakeDvFilter::GetStatus(LONG, LONG* value)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_state.result != S_OK)
        return m_state.result;
    *value = m_state.status;
    return S_OK;
}

STDMETHODIMP FakeDvFilter::put_Mode(LONG mode)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_state.result != S_OK)
        return m_state.result;
    m_putMode = mode;
    m_state.mode = mode;
    return S_OK;
}

STDMETHODIMP FakeDvFilter::get_Mode(LONG* mode)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_state.result != S_OK)
        return m_state.result;
    *mode = m_state.mode;
    return S_OK;
}

STDMETHODIMP FakeDvFilter::get_Rate(double* rate)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_state.result != S_OK)
        return m_state.result;
    *rate = m_state.rate;
    return S_OK;
}

STDMETHODIMP FakeDvFilter::GetTimecode(PTIMECODE_SAMPLE sample)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_state.result != S_OK)
        return m_state.result;
    if (!sample)
        return E_POINTER;
    m_timecodeFlags = sample->dwFlags;
    sample->timecode.dwFrames = sample->dwFlags == ED_DEVCAP_TIMECODE_READ ? m_state.timecode : m_state.atn;
    sample->dwUser = m_state.user;
    return S_OK;
}
