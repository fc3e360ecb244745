// CDelvorAccess: chip access of the Delvor cards over the common property
// set. Their GPIO lines feed a slow on-card controller, so every GPIO write
// holds the pins 120 ms before the port returns to read mode; the driver
// has no control switches 7-10 and no tuner reset line. Owned by the card
// filter and shared with its tuner; any of the card's threads may call.
#pragma once
#include "hw/access/TV_IOAccess.h"

class CDelvorAccess : public CTV_IOAccess
{
public:
    // How long a written GPIO word stays on the pins before the strobe.
    static const DWORD kGpioHoldMs = 120;

    HRESULT WriteGPIO(DWORD value, DWORD mask) override;
    // The hold above already covers the controller: the delay is not used.
    HRESULT WriteGPIODelayed(DWORD value, DWORD mask, DWORD delayMs) override;
    HRESULT SetProperty7(DWORD value) override;
    HRESULT SetProperty8(DWORD value) override;
    HRESULT SetProperty9() override;
    HRESULT SetProperty10(DWORD value) override;
    HRESULT SetTunerReset(LONG level) override;
    HRESULT GetSignalPresent(DWORD* present) override;
    HRESULT SetAuxOutput(DWORD on) override;
};
