// CHeskAccess: chip access of the Hesk SAA713x cards, whose BDA driver
// carries I2C, chip registers and the remote-control byte in three property
// sets of its own. Besides I2C and GPIO it switches the audio route and the
// TV/FM line, reads the auxiliary input and the signal-present bit, and
// reads the remote control three ways. Owned by the card filter and shared
// with its tuner; called from the UI, search and remote threads.
#pragma once
#include "hw/access/CustomDataAccess.h"

#include <strmif.h>

struct IKsControl;

class CHeskAccess : public CCustomDataAccess
{
public:
    CHeskAccess();
    ~CHeskAccess() override;

    HRESULT Attach(IUnknown* filter, DWORD reserved) override;
    HRESULT SetProperty1(BYTE value) override;
    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT SetProperty3(BYTE value) override;
    HRESULT ReadGPIOMode(DWORD reserved, DWORD* value) override;
    HRESULT ReadGPIO(DWORD* value) override;
    HRESULT WriteGPIO(DWORD value, DWORD mask) override;
    HRESULT WriteGPIODelayed(DWORD value, DWORD mask, DWORD delayMs) override;
    HRESULT ReadGPIOState(DWORD* value) override;
    HRESULT ReadRegister(DWORD address, DWORD* value) override;
    HRESULT WriteRegister(DWORD address, DWORD value) override;
    HRESULT GPIO_GetAuxInput(DWORD* value) override;
    HRESULT GPIO_SetAudioRoute(LONG route) override;
    HRESULT GPIO_GetAudioRoute(DWORD* route) override;
    HRESULT GPIO_SetTVFM(DWORD on) override;
    HRESULT GetSignalPresent(DWORD* present) override;
    HRESULT ReadRemoteCode(BYTE* code) override;
    HRESULT ReadRemoteByte(BYTE* code) override;
    HRESULT ReadRemoteKey(BYTE* code) override;

private:
    HRESULT I2CTransfer(bool get, DWORD address, const BYTE* send, DWORD sendCount, BYTE* receive,
                        DWORD receiveCount, const BYTE* data, DWORD dataCount);
    // Mode word first plain, then with the strobe bit; then the pins.
    HRESULT ReadPins(DWORD mode, DWORD* value);
    HRESULT GpioWrite(DWORD value, DWORD mask, DWORD delayMs);
    // Makes the pins of `inputs` inputs (latched by the strobe bit) and
    // reads the pin word.
    HRESULT ReadInputs(DWORD inputs, DWORD* pins);
    void Release();

    IKsPropertySet* m_pKsPropertySet;  // one reference each, released on
    IKsControl* m_pKsControl;          // re-attach and delete
};
