// CTV_IOAccess: chip access for SAA713x-type cards whose capture driver
// answers the maker's common property set. Owned by the card filter and
// shared with its tuner; any of the card's threads may call. I2C, GPIO and
// the control switches 7-10 hold m_lock for their whole sequence; single
// register operations do not.
#pragma once
#include "hw/access/CommonPropertyClient.h"
#include "hw/access/CustomDataAccess.h"

class CTV_IOAccess : public CCustomDataAccess
{
public:
    // SAA713x registers reached through the set's register property.
    static const DWORD kGpioModeRegister = 0x1B0;
    static const DWORD kGpioStatusRegister = 0x1B4;
    static const DWORD kGpioStrobe = 0x80000000;
    static const DWORD kGpioReadMode = 0x3000;
    static const DWORD kTunerResetPin = 0x40000;
    static const DWORD kDecoderStatusRegister = 0x11F;
    static const DWORD kAuxOutputRegister = 0x16C;

    CTV_IOAccess();
    ~CTV_IOAccess() override;

    HRESULT Attach(IUnknown* filter, DWORD reserved) override;
    HRESULT SetProperty1(BYTE value) override;
    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT SetProperty3(BYTE value) override;
    HRESULT ReadGPIO(DWORD* value) override;
    HRESULT WriteGPIO(DWORD value, DWORD mask) override;
    HRESULT WriteGPIODelayed(DWORD value, DWORD mask, DWORD delayMs) override;
    HRESULT SetProperty7(DWORD value) override;
    HRESULT SetProperty8(DWORD value) override;
    HRESULT SetProperty9() override;
    HRESULT SetProperty10(DWORD value) override;
    HRESULT SetTunerReset(LONG level) override;
    HRESULT ReadRegisterByte(DWORD address, BYTE* value) override;
    HRESULT ReadRegister(DWORD address, DWORD* value) override;
    HRESULT WriteRegister(DWORD address, DWORD value) override;
    HRESULT GPIO_GetAuxInput(DWORD* value) override;
    HRESULT GPIO_SetAudioRoute(LONG route) override;
    HRESULT GPIO_GetAudioRoute(DWORD* route) override;
    HRESULT GPIO_SetTVFM(DWORD fm) override;
    HRESULT GetSignalPresent(DWORD* present) override;
    HRESULT SetAuxOutput(DWORD on) override;

protected:
    // The four-step GPIO write, with `delayMs` before the final strobe.
    HRESULT GpioWrite(DWORD value, DWORD mask, DWORD delayMs);

    IKsPropertySet* m_pKsPropertySet;  // one reference, released on re-attach and delete
    CCommonPropertyClient m_client;

private:
    HRESULT SetControl(ULONG id, DWORD value);
};
