#include "hw/access/CadroxAccess.h"

HRESULT CCadroxAccess::GetSignalPresent(DWORD* present)
{
    return CCustomDataAccess::GetSignalPresent(present);
}

HRESULT CCadroxAccess::SetAuxOutput(DWORD on)
{
    return CCustomDataAccess::SetAuxOutput(on);
}
