#include "platform/standins/AVSwitchStandin.h"

#include "graph/Guids.h"

#include <uuids.h>

#include <new>

namespace standins {

HRESULT CAVSwitchStandin::Create(IUnknown** out)
{
    if (!out)
        return E_POINTER;
    CAVSwitchStandin* filter = new (std::nothrow) CAVSwitchStandin();
    if (!filter)
        return E_OUTOFMEMORY;
    *out = static_cast<IBaseFilter*>(filter);
    return S_OK;
}

CAVSwitchStandin::CAVSwitchStandin() : CPassThroughFilter(CLSID_AVSwitchFilter, L"AV Switch"), m_lOn(1)
{
    m_pVideo = AddInput(L"Video Input");
    m_pAudio = AddInput(L"Audio Input");
    AddOutput(L"Video Output", m_pVideo);
    AddOutput(L"Audio Output", m_pAudio);
}

HRESULT CAVSwitchStandin::QueryFilterInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CAVSwitchStandin>;
    static constexpr Row kRows[] = {Row::Via<IAVSwitchControl>(IID_IAVSwitchControl)};
    return QueryInterfaceTable(this, kRows, iid, out, [&] { return CPassThroughFilter::QueryFilterInterface(iid, out); });
}

HRESULT CAVSwitchStandin::CheckInputType(CForwardInputPin* pin, const AM_MEDIA_TYPE* mt)
{
    const GUID& major = pin == m_pVideo ? MEDIATYPE_Video : MEDIATYPE_Audio;
    return mt->majortype == major ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAVSwitchStandin::OnSample(CForwardInputPin* pin, IMediaSample* sample)
{
    if (m_lOn == 0)
        return S_OK;
    return DeliverToOutputs(pin, sample);
}

STDMETHODIMP CAVSwitchStandin::GetSwitch(short* on)
{
    if (!on)
        return E_POINTER;
    *on = m_lOn ? -1 : 0;
    return S_OK;
}

STDMETHODIMP CAVSwitchStandin::SetSwitch(short on)
{
    if (on != -1 && on != 0)
        return E_INVALIDARG;
    InterlockedExchange(&m_lOn, on ? 1 : 0);
    return S_OK;
}

} // namespace standins
