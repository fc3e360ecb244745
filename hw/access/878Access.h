// C878Access: chip access for Bt878 cards. It sends the driver's private
// kernel-streaming property requests on the capture filter's kernel handle
// (I2C byte by byte with start, byte and stop operations; GPIO through a
// second property). Owned by the card filter; any of the card's threads.
#pragma once
#include "hw/access/CustomDataAccess.h"
#include "hw/access/KsDeviceControl.h"

#include <cstddef>

// {C44A1A10-0A37-11D2-8328-006097BA83AB}
static const GUID KSPROPSETID_Bt878 = {
    0xC44A1A10, 0x0A37, 0x11D2, {0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB}};

#pragma pack(push, 1)
// Property 4: I2C and control operations.
struct Bt878ControlRequest
{
    GUID set;
    ULONG id;      // 4
    ULONG flags;   // KSPROPERTY_TYPE_SET, then KSPROPERTY_TYPE_GET
    ULONG operation;
    ULONG status;
    BYTE fields[88];  // operation fields from offset 32
};
// Property 2: GPIO operations.
struct Bt878GpioRequest
{
    GUID set;
    ULONG id;      // 2
    ULONG flags;
    ULONG operation;
    ULONG status;
    BYTE fields[296];
};
#pragma pack(pop)
static_assert(sizeof(Bt878ControlRequest) == 120, "Bt878 control request");
static_assert(sizeof(Bt878GpioRequest) == 328, "Bt878 GPIO request");
static_assert(offsetof(Bt878ControlRequest, operation) == 24 &&
                  offsetof(Bt878ControlRequest, fields) == 32,
              "Bt878 request header");

namespace bt878 {
const ULONG kControlProperty = 4;
const ULONG kGpioProperty = 2;
// Property 4 operation codes.
const ULONG kI2CStart = 0x1100000B;
const ULONG kI2CStop = 0x1100000C;
const ULONG kI2CReadByte = 0x1100000D;   // byte at 50
const ULONG kI2CWriteByte = 0x1100000E;  // byte at 50
const ULONG kI2CAck = 0x11000010;
const ULONG kSetControlByte = 0x11000018;  // byte at 50
// Property 2 operation codes.
const ULONG kSetGpioMode = 2;             // u32 at 36
const ULONG kWriteGpioData = 10;          // u32 at 48, u32 at 52, data from 72
const ULONG kGetGpioMode = 0x10000002;    // mode in the status word
const ULONG kReadGpioData = 0x1000000A;   // count at 40, data from 72
const ULONG kSetProperty3 = 0x1000000C;
// Offsets in the whole request.
const size_t kByteField = 50;
const size_t kGpioModeField = 36;
const size_t kGpioCountField = 40;
const size_t kGpioWriteFirst = 48;
const size_t kGpioWriteSecond = 52;
const size_t kGpioData = 72;
} // namespace bt878

class C878Access : public CCustomDataAccess
{
public:
    // NULL: the device control installed now (KsDeviceControl()).
    explicit C878Access(IKsDeviceControl* control = NULL);

    HRESULT Attach(IUnknown* filter, DWORD param) override;
    HRESULT SetProperty1(BYTE value) override;
    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT SetProperty3(BYTE value) override;
    HRESULT ReadGPIO(DWORD* value) override;
    HRESULT WriteGPIO(DWORD value, DWORD mask) override;

    HRESULT I2CStart();
    HRESULT I2CStop();
    HRESULT I2CReadByte(BYTE* value);
    HRESULT I2CWriteByte(BYTE value);
    HRESULT I2CAck();
    HRESULT SetControlByte(BYTE value);
    HRESULT SetGpioMode(DWORD mode);
    HRESULT GetGpioMode(DWORD* mode);
    HRESULT ReadGpioData(DWORD count, BYTE* data256);
    HRESULT WriteGpioData(DWORD first, DWORD second, const BYTE* data256);

private:
    // Set with the inputs, then Get on the same buffer; the first negative
    // result, else 0.
    HRESULT Exchange(void* request, ULONG size, ULONG id, ULONG operation);
    HRESULT ControlOp(ULONG operation, BYTE* byteField);

    IKsDeviceControl* m_pControl;  // process-wide or the test's; not owned
    HANDLE m_hDevice;              // the capture filter's kernel handle; not owned
};
