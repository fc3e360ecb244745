// CCaptureFilter: the virtual card's capture filter, what the card driver's
// WDM capture filter is to the program: the common property set over the
// simulated card (IKsPropertySet), the decoder's standards and lock
// (IAMAnalogVideoDecoder), the proc amp (IAMVideoProcAmp), an analog video
// input for the crossbar and the "Capture" and "Preview" outputs, each
// pushing the card's picture from its own streaming thread. Under its BDA
// personality it answers the BDA driver's property sets instead of the
// common set, and carries IKsControl. Control calls come from the graph's
// threads.
#pragma once
#include "platform/dshow/BaseFilter.h"

#include <strmif.h>
#include <ks.h>
#include <ksproxy.h>

namespace virtualcard {

class CCaptureFilter : public dshow::CBaseFilter,
                       public IKsPropertySet,
                       public IAMAnalogVideoDecoder,
                       public IAMVideoProcAmp,
                       public IKsControl
{
public:
    static HRESULT Create(IUnknown** out);
    // The same card under the BDA driver's class id, name and property sets.
    static HRESULT CreateBda(IUnknown** out);

    DSHOW_FILTER_IUNKNOWN

    int GetPinCount() override { return 3; }
    dshow::CBasePin* GetPin(int index) override;

    // IKsPropertySet
    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength, DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    // IAMAnalogVideoDecoder
    STDMETHODIMP get_AvailableTVFormats(long* formats) override;
    STDMETHODIMP put_TVFormat(long format) override;
    STDMETHODIMP get_TVFormat(long* format) override;
    STDMETHODIMP get_HorizontalLocked(long* locked) override;
    STDMETHODIMP put_VCRHorizontalLocking(long vcr) override;
    STDMETHODIMP get_VCRHorizontalLocking(long* vcr) override;
    STDMETHODIMP get_NumberOfLines(long* lines) override;
    STDMETHODIMP put_OutputEnable(long enable) override;
    STDMETHODIMP get_OutputEnable(long* enable) override;

    // IAMVideoProcAmp
    STDMETHODIMP GetRange(long property, long* minimum, long* maximum, long* step,
                          long* defaultValue, long* flags) override;
    STDMETHODIMP Set(long property, long value, long flags) override;
    STDMETHODIMP Get(long property, long* value, long* flags) override;

    // IKsControl (BDA personality): property requests by KSPROPERTY header.
    STDMETHODIMP KsProperty(PKSPROPERTY property, ULONG propertyLength, LPVOID data,
                            ULONG dataLength, ULONG* returned) override;
    STDMETHODIMP KsMethod(PKSMETHOD, ULONG, LPVOID, ULONG, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP KsEvent(PKSEVENT, ULONG, LPVOID, ULONG, ULONG*) override { return E_NOTIMPL; }

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;
    bool IsLiveSource() const override { return true; }

private:
    class CAnalogInPin;
    class CVideoOutPin;

    explicit CCaptureFilter(bool bda);
    ~CCaptureFilter();
    static HRESULT Make(bool bda, IUnknown** out);

    CAnalogInPin* m_pAnalogIn;
    CVideoOutPin* m_pCapture;
    CVideoOutPin* m_pPreview;
    long m_lVcrLocking;
    long m_lOutputEnable;
    const bool m_bBda;
};

} // namespace virtualcard
