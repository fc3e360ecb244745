#include "hw/access/DelvorAccess.h"

HRESULT CDelvorAccess::WriteGPIO(DWORD value, DWORD mask)
{
    return GpioWrite(value, mask, kGpioHoldMs);
}

HRESULT CDelvorAccess::WriteGPIODelayed(DWORD value, DWORD mask, DWORD delayMs)
{
    return CCustomDataAccess::WriteGPIODelayed(value, mask, delayMs);
}

HRESULT CDelvorAccess::SetProperty7(DWORD value) { return CCustomDataAccess::SetProperty7(value); }
HRESULT CDelvorAccess::SetProperty8(DWORD value) { return CCustomDataAccess::SetProperty8(value); }
HRESULT CDelvorAccess::SetProperty9() { return CCustomDataAccess::SetProperty9(); }
HRESULT CDelvorAccess::SetProperty10(DWORD value) { return CCustomDataAccess::SetProperty10(value); }
HRESULT CDelvorAccess::SetTunerReset(LONG level) { return CCustomDataAccess::SetTunerReset(level); }

HRESULT CDelvorAccess::GetSignalPresent(DWORD* present)
{
    return CCustomDataAccess::GetSignalPresent(present);
}

HRESULT CDelvorAccess::SetAuxOutput(DWORD on)
{
    return CCustomDataAccess::SetAuxOutput(on);
}
