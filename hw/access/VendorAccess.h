// CVendorAccess: the USB request tunnel of the Trident and Fenmo drivers,
// one operation per request code of the bridge firmware. Each request is
// one property Set carrying the setup packet and its data, answered by one
// Get; the pair holds the tunnel's own lock, so requests of several threads
// never interleave. Multi-request sequences are the caller's to lock. Owned
// by the access object (CUsbTunnelAccess) that holds it; any thread.
// Reads write their output only on success and only when the driver's reply
// carries every byte asked for.
#pragma once
#include "hw/access/UsbTunnelWire.h"

#include <strmif.h>

class CVendorAccess
{
public:
    CVendorAccess();
    virtual ~CVendorAccess();

    // Binds to the capture filter's IKsPropertySet, releasing the one held.
    // E_POINTER for NULL (the old binding is kept).
    HRESULT Attach(IUnknown* filter);
    bool IsAttached() const;

    // One request: *length bytes (a setup packet and at most 10 data bytes)
    // go out. On success the reply's bytes come back over the request, at
    // most the 20 the area holds whatever the driver reports, and *length
    // counts them. E_INVALIDARG for a missing transport or length and for
    // fewer than 8 or more than 18 bytes: nothing is sent.
    HRESULT Request(BYTE (&request)[kUsbTunnelRequestRoom], DWORD* length);
    HRESULT RequestFixed(const UsbSetupPacket& setup);

    // Request 14: the sub-address in wIndex.
    HRESULT ReadI2CByteShort(BYTE address, BYTE sub, BYTE* value);
    HRESULT WriteI2CByteShort(BYTE address, BYTE sub, BYTE value);
    // Request 16: the sub-address in wValue's high byte. The one-byte read
    // clears the read bit of the address; the others send it as given.
    HRESULT ReadI2CByteSub(BYTE address, BYTE sub, BYTE* value);
    HRESULT ReadI2CBytesSub(BYTE address, BYTE sub, BYTE* out, DWORD count);          // 1-10
    HRESULT WriteI2CBytesSub(BYTE address, BYTE sub, const BYTE* data, DWORD count);  // 1-10
    // buffer[0] device, buffer[1] sub-address; length - 2 bytes (1-10) read
    // back over the buffer from buffer[0] on.
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length);
    // Request 9: one byte from the device's current address.
    HRESULT ReadI2CNoSub(BYTE address, BYTE* value);
    // Requests 7 and 5: two byte-wide register spaces of the bridge.
    HRESULT ReadRegisterByte(BYTE reg, BYTE* value);
    HRESULT WriteRegisterByte(BYTE reg, BYTE value);
    HRESULT ReadRegister5(BYTE reg, BYTE* value);
    HRESULT WriteRegister5(BYTE reg, BYTE value);
    // Request 3. A read gives the line's level (0 or 1); lines 1-7 can be
    // read, 0-7 written.
    HRESULT ReadGpioLine(DWORD line, BYTE* value);
    HRESULT WriteGpioLine(DWORD line, DWORD on);
    // Lines 1-7 in bits 1-7 (bit 0 stays 0); fails with the first failing
    // line, so a byte it returns is whole.
    HRESULT ReadGpioByte(BYTE* value);
    // Requests whose meaning is the box firmware's; only their layout is
    // fixed. Writes with a length field carry no data bytes.
    HRESULT ReadRequest12(BYTE a, BYTE b, BYTE* value);
    HRESULT WriteRequest12(BYTE a, BYTE b, WORD length);
    HRESULT ReadWord17(BYTE a, WORD b, WORD* value);
    HRESULT WriteWord17(BYTE a, WORD b, WORD length);
    // Two requests: a lead (10 or 9), then request 20 carrying up to four
    // bytes in its wValue and wIndex.
    HRESULT WriteShort10(BYTE a, BYTE b, const BYTE* data, DWORD count);  // 1-4
    HRESULT WriteShort9(BYTE a, BYTE b, BYTE c, BYTE d, BYTE e);
    // Any request: io holds wLength going out and, on success, bytes 6-7 of
    // the request area as it came back.
    HRESULT ControlRequest(BYTE type, BYTE request, WORD value, WORD index, BYTE io[2]);

private:
    // A read of `count` bytes (wLength) into `reply`; a write with wLength
    // `length` and `count` data bytes. E_POINTER unbound or without buffer.
    HRESULT In(BYTE request, WORD value, WORD index, BYTE* reply, DWORD count);
    HRESULT Out(BYTE request, WORD value, WORD index, WORD length, const BYTE* data, DWORD count);
    HRESULT Transact(UsbTunnelBuffer* buffer, DWORD* length);

    IKsPropertySet* m_pSet;  // one reference, released on re-attach and delete
    mutable CRITICAL_SECTION m_lock;

    CVendorAccess(const CVendorAccess&) = delete;
    CVendorAccess& operator=(const CVendorAccess&) = delete;
};
