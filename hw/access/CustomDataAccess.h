// CCustomDataAccess: the one interface through which tuners, card filters
// and the remote poller reach a card's chips (I2C, GPIO, registers, driver
// switches). One subclass per transport; the card filter owns the object
// and shares it with its tuner. Called from the UI thread, the search
// threads and the remote thread; subclasses lock each multi-step
// transaction on m_lock.
#pragma once
#include <windows.h>

class CCustomDataAccess
{
public:
    CCustomDataAccess();
    virtual ~CCustomDataAccess();

    virtual HRESULT Attach(IUnknown* transport, DWORD reserved) = 0;
    virtual HRESULT SetProperty1(BYTE value) = 0;
    virtual HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) = 0;
    virtual HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) = 0;
    // buffer[0] carries the device address on entry and, for a read, the
    // first data byte on return.
    virtual HRESULT ReadI2CBlock(BYTE* buffer, LONG length) = 0;
    virtual HRESULT WriteI2CBlock(BYTE* buffer, LONG length) = 0;
    virtual HRESULT SetProperty3(BYTE value) = 0;
    virtual HRESULT ReadGPIOMode(DWORD reserved, DWORD* value);
    virtual HRESULT ReadGPIO(DWORD* value) = 0;
    virtual HRESULT WriteGPIO(DWORD value, DWORD mask) = 0;
    virtual HRESULT WriteGPIODelayed(DWORD value, DWORD mask, DWORD delayMs);
    virtual HRESULT ReadGPIOState(DWORD* value);
    virtual HRESULT SetProperty7(DWORD value);
    virtual HRESULT SetProperty8(DWORD value);
    virtual HRESULT SetProperty9();
    virtual HRESULT SetProperty10(DWORD value);
    virtual HRESULT SetTunerReset(LONG level);
    virtual HRESULT WriteRegisterByte(DWORD address, BYTE value);
    virtual HRESULT ReadRegisterByte(DWORD address, BYTE* value);
    virtual HRESULT SetGPIOLine(DWORD on);
    virtual HRESULT ReadRegister(DWORD address, DWORD* value);
    virtual HRESULT WriteRegister(DWORD address, DWORD value);
    virtual HRESULT GPIO_GetAuxInput(DWORD* value);
    virtual HRESULT GPIO_SetAudioRoute(LONG route);
    virtual HRESULT GPIO_GetAudioRoute(DWORD* route);
    virtual HRESULT GPIO_SetTVFM(DWORD fm);
    virtual HRESULT GetSignalPresent(DWORD* present);
    virtual HRESULT SetAuxOutput(DWORD on);
    virtual HRESULT ReadRemoteCode(BYTE* code);
    virtual HRESULT ReadRemoteByte(BYTE* value);
    virtual HRESULT ReadRemoteKey(BYTE* key);

protected:
    CRITICAL_SECTION m_lock;  // re-entrant: a locked operation may call others

private:
    CCustomDataAccess(const CCustomDataAccess&) = delete;
    CCustomDataAccess& operator=(const CCustomDataAccess&) = delete;
};
