// A capture pin's input mixer (IAMAudioInputMixer) that keeps what it is
// told: enable and mix level, every write counted. The test owns it and
// keeps it alive longer than any filter that hands it out. Header only; any
// thread the calls come from.
#pragma once
#include <strmif.h>

class FakeAudioMixer : public IAMAudioInputMixer
{
public:
    BOOL enabled = FALSE;
    double level = 0;
    int levelWrites = 0;
    int enableWrites = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = iid == IID_IUnknown || iid == IID_IAMAudioInputMixer ? this : NULL;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP put_Enable(BOOL enable) override
    {
        enabled = enable;
        ++enableWrites;
        return S_OK;
    }
    STDMETHODIMP get_Enable(BOOL* enable) override
    {
        *enable = enabled;
        return S_OK;
    }
    STDMETHODIMP put_Mono(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_Mono(BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Loudness(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_Loudness(BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_MixLevel(double value) override
    {
        level = value;
        ++levelWrites;
        return S_OK;
    }
    STDMETHODIMP get_MixLevel(double* value) override
    {
        *value = level;
        return S_OK;
    }
    STDMETHODIMP put_Pan(double) override { return E_NOTIMPL; }
    STDMETHODIMP get_Pan(double*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Treble(double) override { return E_NOTIMPL; }
    STDMETHODIMP get_Treble(double*) override { return E_NOTIMPL; }
    STDMETHODIMP get_TrebleRange(double*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Bass(double) override { return E_NOTIMPL; }
    STDMETHODIMP get_Bass(double*) override { return E_NOTIMPL; }
    STDMETHODIMP get_BassRange(double*) override { return E_NOTIMPL; }
};
