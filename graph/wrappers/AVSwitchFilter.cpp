#include "graph/wrappers/AVSwitchFilter.h"

#include "graph/Guids.h"

BOOL CAVSwitchFilter::Init()
{
    m_pSwitch.Reset();
    return CRootFilter::Init() && zunk::QueryCodecInterface(m_pFilter, IID_IAVSwitchControl, m_pSwitch);
}

BOOL CAVSwitchFilter::SetSwitch(BOOL pass)
{
    return zunk::CallSlotOk(m_pSwitch.Get(), &IAVSwitchControl::SetSwitch, zunk::ToBool16(pass));
}

BOOL CAVSwitchFilter::GetSwitch(BOOL* pass)
{
    short value = zunk::kTrue16;
    if (!pass || !zunk::CallSlotOk(m_pSwitch.Get(), &IAVSwitchControl::GetSwitch, &value))
        return FALSE;
    *pass = value != 0;
    return TRUE;
}
