// CMpeg2BoxDataAccess: chip access of the USB MPEG-2 encoder box. Its
// I2C goes through the encoder property set of the box's capture filter
// (property 20, CMpeg2BoxAccess::I2CTransfer), one byte or one 16-bit pair
// per request; the box has no GPIO. Owned by the box's card filter and
// shared with its tuner; UI, search and remote threads, each transfer
// under the object's own I2C lock.
#pragma once
#include "hw/access/CustomDataAccess.h"

class CMpeg2BoxDataAccess : public CCustomDataAccess
{
public:
    CMpeg2BoxDataAccess();
    ~CMpeg2BoxDataAccess() override;

    // Keeps the capture filter (E_INVALIDARG for none).
    HRESULT Attach(IUnknown* filter, DWORD reserved) override;
    // Sends nothing: E_FAIL when switched on without a filter.
    HRESULT SetProperty1(BYTE on) override;
    // The decoder (device byte 0x40/0x41) is read in its own mode.
    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    // One byte from device buffer[0]'s current address, into buffer[0].
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    // A tuner word: buffer[0] device, then the divider's two bytes and the
    // band word's two bytes - five bytes at least; more are not sent.
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT SetProperty3(BYTE) override { return E_NOTIMPL; }
    HRESULT ReadGPIO(DWORD*) override { return E_NOTIMPL; }
    HRESULT WriteGPIO(DWORD, DWORD) override { return E_NOTIMPL; }

protected:
    // One request of the tunnelled I2C under m_i2cLock: S_OK or E_FAIL.
    HRESULT Read(BYTE device, BYTE mode, DWORD subAddress, DWORD* value);
    // One byte from device buffer[0]'s current address in `mode`, found
    // `shift` bits up in the answer, into buffer[place].
    HRESULT ReadCurrentByte(BYTE* buffer, LONG length, BYTE mode, int shift, LONG place);
    HRESULT Write(BYTE device, BYTE mode, DWORD subAddress, DWORD value);

    CRITICAL_SECTION m_i2cLock;
    IUnknown* m_pTransport;  // the capture filter, one reference
};
