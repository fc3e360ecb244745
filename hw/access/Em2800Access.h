// CEm2800Access: chip access of the USB TV boxes on the Empia bridges
// (CUsbTVFilter and its models) through the bridge driver's control
// interface (CEm28xxDevice). The box is reached by the friendly name of its
// video capture filter, not through the filter the card wraps: the name is
// given first (SetDeviceName), then Attach opens the device. Owned by the
// card filter and shared with its tuner; UI, search and remote threads,
// each operation under m_lock.
//
// Results are S_OK or E_FAIL (E_INVALIDARG for a bad argument): the
// bridge's own codes are folded into E_FAIL, so every caller of the access
// interface can test them with SUCCEEDED.
#pragma once
#include "hw/access/CustomDataAccess.h"
#include "hw/access/Em28xxDevice.h"

#include <string>

class CEm2800Access : public CCustomDataAccess
{
public:
    // The largest I2C transfer one transaction carries (its count is a byte).
    static const LONG kMaxI2CBytes = 255;
    // Bus addresses ScanI2CBus may probe (0 to this).
    static const DWORD kLastScanAddress = 254;

    CEm2800Access();
    ~CEm2800Access() override;

    // The friendly name of the box's video capture filter; kept for later
    // opens (Attach, SetProperty1, SetProperty3).
    void SetDeviceName(const char* name);
    const std::string& GetDeviceName() const { return m_strName; }
    BOOL IsOpen();

    // Opens the device by the name set before; the transport is not used.
    // E_FAIL without a name or when the device does not open (the name is
    // kept, so a later SetProperty1(1) may open it).
    HRESULT Attach(IUnknown* transport, DWORD reserved) override;
    // 0 closes the device, anything else opens it: E_FAIL when it stays closed.
    HRESULT SetProperty1(BYTE on) override;
    // Non-zero opens the device; 0 does nothing.
    HRESULT SetProperty3(BYTE on) override;
    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    // buffer[0] the device address; 1 to kMaxI2CBytes bytes read back over
    // the buffer from buffer[0] on.
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    // buffer[0] the device address; the 1 to kMaxI2CBytes bytes after it sent.
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    // The bridge's GPIO byte (the low byte of the value; the mask is unused).
    HRESULT ReadGPIO(DWORD* value) override;
    HRESULT WriteGPIO(DWORD value, DWORD mask) override;

    // Probes the bus addresses 0 to min(last, kLastScanAddress) with one-byte
    // reads and records, up to `capacity` of them, those that answer with a
    // byte that has a bit of `mask` set. The number recorded.
    size_t ScanI2CBus(BYTE* found, size_t capacity, DWORD last, BYTE mask);

    // Bridge operations the box filters use beyond the access interface,
    // under the same lock; results as CEm28xxDevice's (0 success).
    LONG ReadIndexedWord(BYTE index, WORD* value);
    LONG WriteIndexedWord(BYTE index, const WORD* value);
    LONG GetControlValue(DWORD id, void* data);
    LONG SetControlValue(DWORD id, void* data);

private:
    // Opens the device when it is closed and a name is set; TRUE when open.
    BOOL OpenDevice();
    static HRESULT Folded(LONG result) { return result == EM28XX_OK ? S_OK : E_FAIL; }

    CEm28xxDevice m_device;
    std::string m_strName;
    BOOL m_bOpen;
};
