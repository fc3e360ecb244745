// CPcieAccess: chip access of the PCI Express card. It does not go through
// the capture filter: it opens the card's driver by its device interface
// (hw/access/PcieDevice.h) and sends I/O control requests for I2C and the
// GPIO byte. The card parameter picks the card among the present
// interfaces (bits 1 and up) and its tuner address pair and GPIO request
// (bit 0). Driver results are Win32 errors; they leave this class as
// HRESULTs. Owned by the card filter and shared with its tuner; UI, search
// and remote threads, each I2C request under m_lock.
#pragma once
#include "hw/access/CustomDataAccess.h"

class CPcieAccess : public CCustomDataAccess
{
public:
    // I/O control codes of the driver.
    static constexpr DWORD kI2CRead = 0x226000;
    static constexpr DWORD kI2CWrite = 0x22A004;
    static constexpr DWORD kGpio = 0x226458;
    // Request sizes and the most bytes one request carries.
    static constexpr DWORD kReadRequestBytes = 253;
    static constexpr DWORD kWriteRequestBytes = 252;
    static constexpr LONG kMaxBlockRead = 255;
    static constexpr LONG kMaxBlockWrite = kWriteRequestBytes - 2;

    CPcieAccess();
    ~CPcieAccess() override;

    // Stores `param` (kept when above 255) and reopens the device: S_OK
    // once it is open, else the failure to open it.
    HRESULT Attach(IUnknown* unused, DWORD param) override;
    // Under m_lock: the device of interface number param >> 1 of the class,
    // or INVALID_HANDLE_VALUE with the Win32 error in *error.
    HANDLE OpenDevice(const GUID* interfaceClass, DWORD param, DWORD* error);
    void CloseDevice();
    bool IsOpen() const { return m_hDevice != INVALID_HANDLE_VALUE; }
    DWORD GetCardParam() const { return m_nCardParam; }

    HRESULT SetProperty1(BYTE) override { return S_OK; }
    // No such switch, and no GPIO to read.
    HRESULT SetProperty3(BYTE) override;
    HRESULT ReadGPIO(DWORD*) override;
    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    HRESULT ReadI2CByte16(BYTE address, LONG subAddress, BYTE* value);
    HRESULT WriteI2CByte16(BYTE address, LONG subAddress, BYTE value);
    // The tuner of the card parameter answers, whatever buffer[0] says:
    // 1-255 bytes into buffer[0] on.
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    // The caller's 1-250 bytes (its address byte included) to the tuner.
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    // The low byte of value; mask is not used.
    HRESULT WriteGPIO(DWORD value, DWORD mask) override;
    HRESULT SetTunerReset(LONG level) override;

private:
    bool UsesHighPair() const { return (m_nCardParam & 1) != 0; }
    BYTE TunerWriteAddress() const { return UsesHighPair() ? 0xC8 : 0xC2; }
    BYTE TunerReadAddress() const { return UsesHighPair() ? 0xC9 : 0xC3; }
    // One request: ERROR_SUCCESS or the Win32 error (a short reply is
    // ERROR_INVALID_DATA).
    DWORD Control(DWORD code, void* in, DWORD inLength, void* out, DWORD outLength);
    HRESULT ReadWithSub(BYTE address, const BYTE* sub, BYTE subBytes, BYTE* value);
    HRESULT WriteBytes(BYTE address, const BYTE* bytes, LONG count);

    HANDLE m_hDevice;
    DWORD m_nCardParam;
};
