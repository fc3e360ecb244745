#include "hw/access/TridentUsbAccess.h"

#include "graph/AutoMutex.h"

HRESULT TridentUsbAccess::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    CAutoMutex hold(&m_lock);
    if (!IsAttached())
        return E_FAIL;
    if (!value)
        return E_POINTER;
    if (!IsByteSub(subAddress))
        return E_INVALIDARG;
    return m_vendor.ReadI2CByteSub(address, static_cast<BYTE>(subAddress), value);
}

HRESULT TridentUsbAccess::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    if (!IsAttached())
        return E_FAIL;
    if (!IsByteSub(subAddress))
        return E_INVALIDARG;
    UsbSetupPacket setup = {kUsbVendorOut, USBREQ_I2C,
                            MAKEWORD(address, static_cast<BYTE>(subAddress)), value, 0};
    HRESULT hr = m_vendor.RequestFixed(setup);
    return FAILED(hr) ? hr : S_OK;
}

HRESULT TridentUsbAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    return m_vendor.ReadI2CBlock(buffer, length);
}

HRESULT TridentUsbAccess::SetGPIOLine(DWORD on)
{
    return WriteGPIO(on != 0, 0);
}

HRESULT TridentUsbAccess::VendorI2CRead(BYTE address, BYTE subAddress, BYTE* value)
{
    return m_vendor.ReadI2CBytesSub(address, subAddress, value, 1);
}

HRESULT TridentUsbAccess::VendorI2CWrite(BYTE address, BYTE subAddress, BYTE value)
{
    return m_vendor.WriteI2CBytesSub(address, subAddress, &value, 1);
}
