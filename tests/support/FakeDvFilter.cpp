#include "tests/support/FakeDvFilter.h"

#include <edevdefs.h>

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

void* FakeDvFilter::Extra(REFIID riid)
{
    if (riid == IID_IAMExtDevice && offersDevice)
        return static_cast<IAMExtDevice*>(this);
    if (riid == IID_IAMExtTransport && offersTransport)
        return static_cast<IAMExtTransport*>(this);
    if (riid == IID_IAMTimecodeReader && offersTimecode)
        return static_cast<IAMTimecodeReader*>(this);
    return NULL;
}

STDMETHODIMP FakeDvFilter::GetCapability(LONG capability, LONG* value, double*)
{
    if (capability != ED_DEVCAP_DEVICE_TYPE)
        return E_INVALIDARG;
    return Answer(value, &State::deviceType);
}

STDMETHODIMP FakeDvFilter::GetStatus(LONG, LONG* value)
{
    return Answer(value, &State::status);
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
    return Answer(mode, &State::mode);
}

STDMETHODIMP FakeDvFilter::get_Rate(double* rate)
{
    return Answer(rate, &State::rate);
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
