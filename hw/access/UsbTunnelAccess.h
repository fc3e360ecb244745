// CUsbTunnelAccess: the chip access slots that the Trident and Fenmo
// access classes share over the USB request tunnel (CVendorAccess): block
// writes, GPIO lines, the tuner reset line and the bridge's byte registers.
// Where the bridges differ is a row of UsbTunnelVariant. Owned by the card
// filter and shared with its tuner; UI, search and remote threads. A
// multi-request transaction holds m_lock; each request holds the tunnel's.
//
// GPIO on these bridges is a set of single lines, not a port word: the
// interface's WriteGPIO(value, mask) is read as (level, line) - value non-
// zero switches line `mask` (0-7) on; any other mask is refused. A caller
// that pulses "bit 0" (an Xceive tuner before tuning) therefore pulses line
// 0, which is not the tuner's reset on the USB bridges (their reset is line
// 1). On the PCI card line 0 is the reset; the Xceive tuners skip the pulse
// for its card type (0).
#pragma once
#include "hw/access/CustomDataAccess.h"
#include "hw/access/I2CWritePieces.h"
#include "hw/access/VendorAccess.h"

struct UsbTunnelVariant
{
    I2CWritePieces writes;     // how a block write travels
    DWORD resetLine;           // GPIO line of the tuner's reset
    bool resetOnWhileLow;      // the line is on while the reset level is 0
    bool readsGpioLines;       // ReadGPIO gives lines 1-7 (else not provided)
    HRESULT property3Result;   // the driver has no switch 3: what SetProperty3 says
};

// The PCI card: block writes of at most 10 data bytes, 5 ms after each;
// reset on line 0, on while low.
extern const UsbTunnelVariant kTridentPciTunnel;
// The Trident USB boxes: pieces of 8 data bytes, 2 ms after each; reset on
// line 1, following the level.
extern const UsbTunnelVariant kTridentUsbTunnel;
// The Fenmo boxes: the USB boxes' writes and reset, with readable lines.
extern const UsbTunnelVariant kFenmoTunnel;

class CUsbTunnelAccess : public CCustomDataAccess
{
public:
    HRESULT Attach(IUnknown* filter, DWORD reserved) override;
    HRESULT SetProperty1(BYTE) override { return S_OK; }
    HRESULT SetProperty3(BYTE) override { return m_variant.property3Result; }
    // buffer[0] device, buffer[1] sub-address, then length - 2 data bytes.
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT ReadGPIO(DWORD* value) override;
    HRESULT WriteGPIO(DWORD on, DWORD line) override;
    HRESULT SetTunerReset(LONG level) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* value) override;
    HRESULT WriteRegisterByte(DWORD reg, BYTE value) override;
    HRESULT GPIO_SetTVFM(DWORD) override { return E_FAIL; }

    // One request through the tunnel, under the object's lock.
    HRESULT VendorRequest(BYTE (&request)[kUsbTunnelRequestRoom], DWORD* length);
    HRESULT VendorRequestFixed(const UsbSetupPacket& setup);

protected:
    explicit CUsbTunnelAccess(const UsbTunnelVariant& variant) : m_variant(variant) {}
    bool IsAttached() const { return m_vendor.IsAttached(); }
    // A sub-address the wire carries in one byte.
    static bool IsByteSub(LONG sub) { return sub >= 0 && sub <= 0xFF; }

    CVendorAccess m_vendor;

private:
    const UsbTunnelVariant& m_variant;
};
