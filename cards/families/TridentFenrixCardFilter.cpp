#include "cards/families/TridentFenrixCardFilter.h"

BOOL CTridentFenrixCardFilter::McuWrite(DWORD on, DWORD line, DWORD)
{
    return WriteGpioLine(on, line);
}

HRESULT CTridentFenrixCardFilter::ExtCommand(DWORD line, DWORD on)
{
    if (!m_pAccess)
        return E_FAIL;
    HRESULT hr = m_pAccess->WriteGPIO(on, line);
    return FAILED(hr) ? hr : S_OK;
}
