// TridentUsbAccess: chip access of the Trident USB boxes (CTridentUsbFilter,
// CTridentFenrixCardFilter) through the USB request tunnel of their driver:
// I2C bytes and blocks, chunked block writes, the bridge's registers and
// GPIO lines (line 0 a general line, line 1 the tuner's reset). Owned by the
// card filter and shared with its tuner; UI, search and remote threads.
#pragma once
#include "hw/access/UsbTunnelAccess.h"

class TridentUsbAccess : public CUsbTunnelAccess
{
public:
    TridentUsbAccess() : CUsbTunnelAccess(kTridentUsbTunnel) {}

    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    // The value travels in the request's wIndex, not as a data byte.
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    // buffer[0] device, buffer[1] sub-address; length - 2 (1-10) bytes read
    // back over the buffer from buffer[0] on.
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT SetGPIOLine(DWORD on) override;

    // The card filters read and write their EEPROM through these: the
    // address as given, the byte as data.
    HRESULT VendorI2CRead(BYTE address, BYTE subAddress, BYTE* value);
    HRESULT VendorI2CWrite(BYTE address, BYTE subAddress, BYTE value);
};
