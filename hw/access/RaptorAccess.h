// CRaptorAccess: chip access of the Raptor MPEG encoder card through the
// three property sets of its driver (hw/access/RaptorWire.h): I2C messages
// as fixed 19-byte records, chip registers, GPIO through a quartet of chip
// registers. Every call first asks the driver whether it supports it.
// Owned by the card filter and shared with its tuner; UI, search and remote
// threads, each operation under m_lock.
#pragma once
#include "hw/access/CustomDataAccess.h"
#include "hw/access/RaptorWire.h"

#include <strmif.h>

class CRaptorAccess : public CCustomDataAccess
{
public:
    CRaptorAccess();
    ~CRaptorAccess() override;

    HRESULT Attach(IUnknown* filter, DWORD reserved) override;
    // The driver has no such switches: S_OK once attached, E_FAIL before.
    HRESULT SetProperty1(BYTE value) override;
    HRESULT SetProperty3(BYTE value) override;
    // subAddress 0-255.
    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    // 1-16 bytes from device buffer[0] into buffer[0] on.
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    // buffer[0] device, buffer[1] sub-address, then length - 2 data bytes,
    // in pieces of 15 that each repeat the device and the sub-address.
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT ReadGPIO(DWORD* value) override;
    HRESULT WriteGPIO(DWORD value, DWORD mask) override;
    HRESULT WriteGPIODelayed(DWORD value, DWORD mask, DWORD delayMs) override;
    // Whatever the level, a full pulse: GPIO bit 1 low for 20 ms, then high
    // for 20 ms.
    HRESULT SetTunerReset(LONG level) override;
    HRESULT WriteRegisterByte(DWORD, BYTE) override { return E_NOTIMPL; }
    HRESULT ReadRegisterByte(DWORD, BYTE*) override { return E_NOTIMPL; }
    // No TV/FM switch on this card, and no message box about it.
    HRESULT GPIO_SetTVFM(DWORD) override { return E_FAIL; }

    HRESULT SetGPIOBit(int bit, BOOL level);
    HRESULT GetGPIOBit(int bit, DWORD* level);
    // A write of the sub-address (buffer[0]) and a read of the reply in
    // one call.
    HRESULT ReadI2CByteCombined(BYTE address, BYTE subAddress, BYTE* value, BYTE mode);
    HRESULT ReadI2CBlockCombined(BYTE address, BYTE* buffer, LONG length, BYTE mode);
    HRESULT BulkRead(BYTE (&buffer)[kRaptorBulkBytes]);
    HRESULT BulkWrite(BYTE (&buffer)[kRaptorBulkBytes]);
    HRESULT ReadStatusBlock(BYTE (&buffer)[kRaptorStatusBytes]);
    HRESULT GetControlValue(DWORD* value);
    HRESULT SetControlValue(DWORD value);
    HRESULT GetStatusValue(DWORD* value);

    // The mode byte of a message to `address`.
    static BYTE I2CModeOf(BYTE address);

private:
    // One call of the driver, which must say it supports it; a Get must
    // answer the whole buffer. No lock.
    HRESULT Call(const GUID& set, ULONG id, bool get, void* buffer, DWORD length);
    HRESULT SendRecord(ULONG id, bool get, RaptorI2CRecord* record);
    // A block read of `length` bytes into `buffer` can go: S_OK, or why not.
    HRESULT CheckBlockRead(const BYTE* buffer, LONG length) const;
    HRESULT ReadChipRegister(DWORD address, DWORD* value);
    HRESULT WriteChipRegister(DWORD address, DWORD value);
    HRESULT GetValue(const GUID& set, DWORD* value);
    void Release();

    IKsPropertySet* m_pKsPropertySet;  // one reference, released on re-attach and delete
};
