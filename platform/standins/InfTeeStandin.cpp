#include "platform/standins/InfTeeStandin.h"

#include <uuids.h>
#include <wchar.h>

#include <new>

namespace standins {

HRESULT CInfTeeStandin::Create(IUnknown** out)
{
    if (!out)
        return E_POINTER;
    CInfTeeStandin* filter = new (std::nothrow) CInfTeeStandin();
    if (!filter)
        return E_OUTOFMEMORY;
    *out = static_cast<IBaseFilter*>(filter);
    return S_OK;
}

CInfTeeStandin::CInfTeeStandin() : CPassThroughFilter(CLSID_InfTee, L"Infinite Pin Tee"), m_nOutputs(0)
{
    m_pInput = AddInput(L"Input");
    AddNextOutput();
}

void CInfTeeStandin::AddNextOutput()
{
    wchar_t name[32];
    swprintf(name, 32, L"Output%d", m_nOutputs + 1);
    if (AddOutput(name, m_pInput))
        ++m_nOutputs;
}

HRESULT CInfTeeStandin::CheckInputType(CForwardInputPin*, const AM_MEDIA_TYPE* mt)
{
    return mt->majortype != GUID_NULL ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

void CInfTeeStandin::OnOutputConnected(CForwardOutputPin* pin)
{
    // Called under the state lock while the output connects.
    if (GetPin(GetPinCount() - 1) == pin)
        AddNextOutput();
}

HRESULT CInfTeeStandin::OnSample(CForwardInputPin* pin, IMediaSample* sample)
{
    return DeliverToOutputs(pin, sample);
}

} // namespace standins
