// CAVSwitchStandin: stands in for the maker's AV switch where it is not
// installed: "Video Input" and "Audio Input" pass to "Video Output" and
// "Audio Output" while the switch is on, and are held back (dropped) while
// it is off (a paused recording). Control calls come from the graph's
// threads; samples arrive on the upstream streaming threads.
#pragma once
#include "graph/wrappers/HelperInterfaces.h"
#include "platform/standins/PassThroughFilter.h"

namespace standins {

class CAVSwitchStandin : public CPassThroughFilter, public IAVSwitchControl
{
public:
    static HRESULT Create(IUnknown** out);

    DSHOW_FILTER_IUNKNOWN

    HRESULT CheckInputType(CForwardInputPin* pin, const AM_MEDIA_TYPE* mt) override;
    HRESULT OnSample(CForwardInputPin* pin, IMediaSample* sample) override;

    STDMETHODIMP GetSwitch(short* on) override;
    STDMETHODIMP SetSwitch(short on) override;

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;

private:
    CAVSwitchStandin();

    CForwardInputPin* m_pVideo;
    CForwardInputPin* m_pAudio;
    volatile LONG m_lOn;  // read by the streaming threads
};

} // namespace standins
