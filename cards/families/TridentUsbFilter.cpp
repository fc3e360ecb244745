#include "cards/families/TridentUsbFilter.h"

#include "hw/access/TridentUsbAccess.h"

#include <new>

HRESULT CTridentUsbFilter::OpenAccess()
{
    return OpenTunnelAccess(new (std::nothrow) TridentUsbAccess(), GetBoxCardType());
}

HRESULT CTridentUsbFilter::ReadEepromByte(BYTE sub, BYTE* value)
{
    if (!m_pAccess)
        return E_POINTER;
    return static_cast<TridentUsbAccess*>(m_pAccess)->VendorI2CRead(m_nEepromAddr, sub, value);
}

HRESULT CTridentUsbFilter::WriteEepromByte(BYTE sub, BYTE value)
{
    if (!m_pAccess)
        return E_POINTER;
    return static_cast<TridentUsbAccess*>(m_pAccess)->VendorI2CWrite(m_nEepromAddr, sub, value);
}

BOOL CTridentUsbFilter::ReadStatusBit3A()
{
    return ReadStatusBit(0x3A, TRUE);
}

BOOL CTridentUsbFilter::ResetTuner()
{
    return m_pAccess && SUCCEEDED(m_pAccess->SetTunerReset(0));
}
