#include "graph/wrappers/AVSwitchFilter.h"

#include "graph/Guids.h"
#include "graph/wrappers/HelperSlots.h"

BOOL CAVSwitchFilter::Init()
{
    m_pSwitch.Reset();
    if (!CRootFilter::Init())
        return FALSE;
    return SUCCEEDED(m_pSwitch.QueryFrom(m_pFilter, IID_IAVSwitchControl)) && m_pSwitch;
}

BOOL CAVSwitchFilter::SetSwitch(BOOL pass)
{
    return m_pSwitch && AVSwitchSlots::SetSwitch::Call(m_pSwitch.Get(), zunk::ToBool16(pass)) == S_OK;
}

BOOL CAVSwitchFilter::GetSwitch(BOOL* pass)
{
    short value = zunk::kTrue16;
    if (!pass || !m_pSwitch || AVSwitchSlots::GetSwitch::Call(m_pSwitch.Get(), &value) != S_OK)
        return FALSE;
    *pass = value != 0;
    return TRUE;
}
