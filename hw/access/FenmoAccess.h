// CFenmoAccess: chip access of the Fenmo and Fenmor USB boxes through the
// USB request tunnel of their driver. Their firmware has two I2C byte
// requests: a short one (sub-address in wIndex) that some boxes carry to
// one place whatever the sub-address, and a long one that always reaches
// it. Attach probes the box's EEPROM once to learn which kind it is and
// picks the request from then on. Owned by the card filter and shared with
// its tuner; UI, search and remote threads.
#pragma once
#include "hw/access/UsbTunnelAccess.h"

class CFenmoAccess : public CUsbTunnelAccess
{
public:
    CFenmoAccess() : CUsbTunnelAccess(kFenmoTunnel), m_bSubAddressIgnored(false), m_bProbed(false) {}

    HRESULT Attach(IUnknown* filter, DWORD reserved) override;
    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    // buffer[0] 0xC0 or 0xC1: one byte from that device's current address
    // into buffer[0]. Otherwise buffer[0] device, buffer[1] sub-address and
    // length - 2 (1-10) bytes read back from buffer[0] on.
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;

    bool SubAddressIgnored() const { return m_bSubAddressIgnored; }

    static const BYTE kEepromAddress = 0xA0;
    static const BYTE kProbeMark = 0x99;

private:
    // Whether the short request misses the sub-address: a mark written
    // with it at sub-address 0 reads back at 1 and at 16. Writes nothing
    // unless both copies of byte 0 could be read first, and puts each copy
    // back (checked by reading it again) before it returns.
    bool ProbeEeprom();
    bool ShortReadGives(BYTE sub, BYTE expected);
    // Writes `value` to EEPROM byte 0 with the short or long request and
    // reads it back the same way, a few times if need be.
    bool RestoreByteZero(bool shortRequest, BYTE value);
    bool UsesShortRequest(BYTE address) const;

    bool m_bSubAddressIgnored;
    bool m_bProbed;  // the probe writes to the EEPROM: once per object
};
