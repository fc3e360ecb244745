// CI2CAccess: register-level I2C for the silicon tuner drivers - one
// register write or read, or a block, addressed by device byte. Implemented
// over the card's chip access object by CPhilipsTDA8275A::CRegAccess.
// Results are nonzero for success. Threads as the owning tuner.
#pragma once
#include <windows.h>

class CI2CAccess
{
public:
    virtual ~CI2CAccess() {}
    virtual BOOL WriteRegister(BYTE device, BYTE reg, BYTE value) = 0;
    virtual BOOL ReadRegister(BYTE device, BYTE reg, BYTE* value) = 0;
    virtual BOOL WriteBlock(BYTE device, const BYTE* data, DWORD length) = 0;
};
