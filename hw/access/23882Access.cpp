#include "hw/access/23882Access.h"

#include "graph/Guids.h"

C23882Access::C23882Access() : C2388xRequestAccess(KSPROPSETID_Cx23882) {}

HRESULT C23882Access::Attach(IUnknown* filter, DWORD reserved)
{
    HRESULT hr = C2388xRequestAccess::Attach(filter, reserved);
    if (FAILED(hr))
        return hr;
    DWORD support = 0;  // the answer is enough; what it supports is not looked at
    return m_pKsPropertySet->QuerySupported(KSPROPSETID_Cx23882, COMMONCARD_BOARD_ID, &support);
}

BOOL C23882Access::BeginRequest(bool gpio)
{
    if (gpio)
        EnterCriticalSection(&m_lock);
    return TRUE;
}

void C23882Access::EndRequest(bool gpio)
{
    if (gpio)
        LeaveCriticalSection(&m_lock);
}
