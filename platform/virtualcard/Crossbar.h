// CCrossbar: the virtual card's crossbar - six inputs (video from the tuner,
// composite and S-Video, then their audio) and two outputs (to the video
// decoder and the audio decoder). The routed video input is the card's, so
// the capture filter's picture follows it. Pins carry no samples; calls
// come from the graph's threads.
#pragma once
#include "platform/dshow/BaseFilter.h"

#include <strmif.h>

namespace virtualcard {

class CCrossbar : public dshow::CBaseFilter, public IAMCrossbar
{
public:
    static HRESULT Create(IUnknown** out);
    // The same crossbar under the BDA driver's class id and name.
    static HRESULT CreateBda(IUnknown** out);

    DSHOW_FILTER_IUNKNOWN

    int GetPinCount() override { return kInputs + kOutputs; }
    dshow::CBasePin* GetPin(int index) override;

    // IAMCrossbar
    STDMETHODIMP get_PinCounts(long* outputs, long* inputs) override;
    STDMETHODIMP CanRoute(long output, long input) override;
    STDMETHODIMP Route(long output, long input) override;
    STDMETHODIMP get_IsRoutedTo(long output, long* input) override;
    STDMETHODIMP get_CrossbarPinInfo(BOOL isInput, long index, long* related,
                                     long* physicalType) override;

    static const int kInputs = 6;
    static const int kOutputs = 2;

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;

private:
    class CAnalogPin;
    class CAnalogOutPin;

    CCrossbar(const CLSID& clsid, const wchar_t* name);
    ~CCrossbar();
    static HRESULT Make(const CLSID& clsid, const wchar_t* name, IUnknown** out);

    dshow::CBasePin* m_pins[kInputs + kOutputs];
};

} // namespace virtualcard
