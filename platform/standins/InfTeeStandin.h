// CInfTeeStandin: stands in for the infinite pin tee, which Wine lacks: one
// "Input" and outputs "Output1", "Output2" and so on, a new one whenever the
// last is connected; every connected output gets each input sample.
// Connection calls come from the graph's threads; samples arrive on the
// upstream streaming thread.
#pragma once
#include "platform/standins/PassThroughFilter.h"

namespace standins {

class CInfTeeStandin : public CPassThroughFilter
{
public:
    static HRESULT Create(IUnknown** out);

    HRESULT CheckInputType(CForwardInputPin* pin, const AM_MEDIA_TYPE* mt) override;
    void OnOutputConnected(CForwardOutputPin* pin) override;
    HRESULT OnSample(CForwardInputPin* pin, IMediaSample* sample) override;

private:
    CInfTeeStandin();
    void AddNextOutput();

    CForwardInputPin* m_pInput;
    int m_nOutputs;  // under the state lock
};

} // namespace standins
