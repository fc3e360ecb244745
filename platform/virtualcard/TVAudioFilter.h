// CTVAudioFilter: the virtual card's TV audio filter under the BDA driver's
// name - the sound decoder's mode (mono, stereo, language A or B) through
// IAMTVAudio. It has no pins the program connects; the mode is the card's,
// so it outlasts the filter. Calls come from the graph's threads.
#pragma once
#include "platform/dshow/BaseFilter.h"

#include <strmif.h>

namespace virtualcard {

class CTVAudioFilter : public dshow::CBaseFilter, public IAMTVAudio
{
public:
    static HRESULT Create(IUnknown** out);

    DSHOW_FILTER_IUNKNOWN

    int GetPinCount() override { return 0; }
    dshow::CBasePin* GetPin(int) override { return NULL; }

    // IAMTVAudio
    STDMETHODIMP GetHardwareSupportedTVAudioModes(long* modes) override;
    STDMETHODIMP GetAvailableTVAudioModes(long* modes) override;
    STDMETHODIMP get_TVAudioMode(long* mode) override;
    STDMETHODIMP put_TVAudioMode(long mode) override;
    STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification* notify, long events) override;
    STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification* notify) override;

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;

private:
    CTVAudioFilter();
};

} // namespace virtualcard
