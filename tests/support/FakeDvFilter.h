// The system's DV capture filter with a camcorder behind it: the external
// device, transport and timecode reader interfaces answer from fields the
// test sets (each interface can be left out, each call made to fail). No
// pins. Tests own it on the stack; the polling thread reads it, so every
// field is read and written under its lock.
#pragma once
#include "tests/support/FakeFilterBase.h"

#include <mutex>

class FakeDvFilter : public FakeFilterBase, public IAMExtDevice, public IAMExtTransport,
                     public IAMTimecodeReader
{
public:
    FakeDvFilter() {}
    virtual ~FakeDvFilter() {}

    // What the camcorder reports.
    struct State
    {
        LONG deviceType = 4104;  // ED_DEVTYPE_VCR
        LONG mode = 0;
        double rate = 0;
        LONG status = 0;         // every GetStatus item
        DWORD timecode = 0;      // dwFrames of a timecode read
        DWORD atn = 0;           // dwFrames of an absolute track read
        DWORD user = 0;
        HRESULT result = S_OK;   // every interface call but QueryInterface
    };
    void Set(const State& state);
    State Get() const;
    // Which interfaces QueryInterface hands out.
    bool offersDevice = true, offersTransport = true, offersTimecode = true;
    LONG LastPutMode() const;
    DWORD LastTimecodeFlags() const;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        return FakeFilterBase::QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return FakeFilterBase::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return FakeFilterBase::Release(); }
    // IAMExtDevice and IAMExtTransport share GetCapability: the device type
    // for ED_DEVCAP_DEVICE_TYPE.
    STDMETHODIMP GetCapability(LONG capability, LONG* value, double* number) override;
    STDMETHODIMP get_ExternalDeviceID(LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP get_ExternalDeviceVersion(LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_DevicePower(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_DevicePower(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP Calibrate(HEVENT, LONG, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_DevicePort(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_DevicePort(LONG*) override { return E_NOTIMPL; }
    // IAMExtTransport
    STDMETHODIMP put_MediaState(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_MediaState(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_LocalControl(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_LocalControl(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetStatus(LONG item, LONG* value) override;
    STDMETHODIMP GetTransportBasicParameters(LONG, LONG*, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetTransportBasicParameters(LONG, LONG, LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP GetTransportVideoParameters(LONG, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP SetTransportVideoParameters(LONG, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP GetTransportAudioParameters(LONG, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP SetTransportAudioParameters(LONG, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP put_Mode(LONG mode) override;
    STDMETHODIMP get_Mode(LONG* mode) override;
    STDMETHODIMP put_Rate(double) override { return E_NOTIMPL; }
    STDMETHODIMP get_Rate(double* rate) override;
    STDMETHODIMP GetChase(LONG*, LONG*, HEVENT*) override { return E_NOTIMPL; }
    STDMETHODIMP SetChase(LONG, LONG, HEVENT) override { return E_NOTIMPL; }
    STDMETHODIMP GetBump(LONG*, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP SetBump(LONG, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_AntiClogControl(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_AntiClogControl(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP GetEditPropertySet(LONG, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP SetEditPropertySet(LONG*, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP GetEditProperty(LONG, LONG, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP SetEditProperty(LONG, LONG, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_EditStart(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_EditStart(LONG) override { return E_NOTIMPL; }
    // IAMTimecodeReader
    STDMETHODIMP GetTCRMode(LONG, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP SetTCRMode(LONG, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP put_VITCLine(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_VITCLine(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTimecode(PTIMECODE_SAMPLE sample) override;

protected:
    void* Extra(REFIID riid) override;

private:
    // A read's answer: the failure arranged, else the state's field.
    template <class T>
    HRESULT Answer(T* out, T State::*field) const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_state.result != S_OK)
            return m_state.result;
        if (!out)
            return E_POINTER;
        *out = m_state.*field;
        return S_OK;
    }

    mutable std::mutex m_lock;
    State m_state;
    LONG m_putMode = -1;
    DWORD m_timecodeFlags = 0;
};
