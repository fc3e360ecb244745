// Wire format of the USB request tunnel of the Trident and Fenmo capture
// drivers: a USB vendor control request (an 8-byte setup packet and at most
// 10 data bytes) goes to the driver in one Set of a kernel-streaming
// property, and the driver's answer comes back in a Get of the same
// property. Shared by CVendorAccess, the test fake and the access classes.
#pragma once
#include <windows.h>

#include <cstddef>

// {85551A18-A51C-4F2D-955F-3F36372ADB5C}
static const GUID KSPROPSETID_UsbTunnel = {
    0x85551A18, 0xA51C, 0x4F2D, {0x95, 0x5F, 0x3F, 0x36, 0x37, 0x2A, 0xDB, 0x5C}};
const ULONG USBTUNNEL_REQUEST = 0;

const DWORD kUsbSetupBytes = 8;
const DWORD kUsbTunnelMaxData = 10;
// Requests of 19 bytes or more do not fit the driver's request area.
const DWORD kUsbTunnelMaxRequest = kUsbSetupBytes + kUsbTunnelMaxData;
// The request area: the request going out, the reply coming back.
const DWORD kUsbTunnelRequestRoom = 20;

// bmRequestType of the bridge firmware's vendor requests.
const BYTE kUsbVendorIn = 0xC0;   // device to host: a read
const BYTE kUsbVendorOut = 0x40;  // host to device: a write

// bRequest codes of the bridge firmware.
enum UsbTunnelRequestCode : BYTE
{
    USBREQ_GPIO = 3,          // GPIO line write, or read of one port's lines
    USBREQ_REGISTER5 = 5,     // second register space
    USBREQ_REGISTER = 7,      // bridge register byte
    USBREQ_I2C_NOSUB = 9,     // I2C read without sub-address; lead of WriteShort9
    USBREQ_SHORT10 = 10,      // lead of WriteShort10
    USBREQ_REQUEST12 = 12,
    USBREQ_I2C_SHORT = 14,    // I2C byte, sub-address in wIndex
    USBREQ_I2C = 16,          // I2C with the sub-address in wValue's high byte
    USBREQ_WORD17 = 17,
    USBREQ_SHORT_DATA = 20,   // the data half of WriteShort9 and WriteShort10
};

#pragma pack(push, 1)
// The property buffer, used as instance data and as property data.
struct UsbTunnelBuffer
{
    GUID set;        // written by the caller
    ULONG id;        // USBTUNNEL_REQUEST
    ULONG flags;     // left to the kernel-streaming proxy
    BYTE request[kUsbTunnelRequestRoom];
    ULONG length;    // valid request (or reply) bytes
};

struct UsbSetupPacket
{
    BYTE requestType;
    BYTE request;
    WORD value;    // little-endian on the wire, as the buffer is
    WORD index;
    WORD length;
};
#pragma pack(pop)

static_assert(sizeof(UsbTunnelBuffer) == 48, "tunnel buffer");
static_assert(offsetof(UsbTunnelBuffer, id) == 16 && offsetof(UsbTunnelBuffer, flags) == 20 &&
                  offsetof(UsbTunnelBuffer, request) == 24 &&
                  offsetof(UsbTunnelBuffer, length) == 44,
              "tunnel buffer offsets");
static_assert(sizeof(UsbSetupPacket) == kUsbSetupBytes, "setup packet");

// GPIO lines 0-7 of the bridge as {bit, port} (wValue low and high byte):
// the line code of a write, and for a read of lines 1-7 the port to ask
// for and the bit of the reply that carries the line.
struct UsbGpioLineCode
{
    BYTE bit;
    BYTE port;
};
const UsbGpioLineCode kUsbGpioLineCodes[] = {
    {1, 1}, {2, 1}, {3, 1}, {4, 1}, {0, 3}, {1, 3}, {4, 3}, {5, 3},
};
static_assert(sizeof(kUsbGpioLineCodes) / sizeof(kUsbGpioLineCodes[0]) == 8, "eight GPIO lines");
