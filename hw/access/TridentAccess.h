// CTridentAccess: chip access of the Trident PCI card (CTridentFilter)
// through the USB request tunnel of its driver: I2C bytes and one-byte reads,
// short block writes, the bridge's registers and GPIO lines. Owned by the
// card filter and shared with its tuner; UI, search and remote threads.
#pragma once
#include "hw/access/UsbTunnelAccess.h"

class CTridentAccess : public CUsbTunnelAccess
{
public:
    CTridentAccess() : CUsbTunnelAccess(kTridentPciTunnel) {}

    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    // One byte from the device's current address into buffer[0]; length 1.
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;

    // The card filter reads its EEPROM through these.
    HRESULT ReadEepromByte(BYTE address, LONG subAddress, BYTE* value);
    HRESULT WriteEepromByte(BYTE address, LONG subAddress, BYTE value);
    // One I2C write with sub-address and no pause: buffer[0] device,
    // buffer[1] sub-address, length 3-12; or to `address`, buffer[0]
    // sub-address, then count - 1 (1-10) data bytes.
    HRESULT WriteI2CWithSub(const BYTE* buffer, LONG length);
    HRESULT WriteI2CWithSub(BYTE address, const BYTE* buffer, DWORD count);
};
