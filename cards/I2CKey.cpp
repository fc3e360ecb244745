#include "cards/I2CKey.h"

#include "graph/Clock.h"

const I2CKeyWiring kI2CKeyTunnelWiring = {0xBB, 0x30, 0x31, false};
const I2CKeyWiring kI2CKeyUsbBoxWiring = {0x60, 48, 49, false};
const I2CKeyWiring kI2CKeyCorvaneWiring = {0xBB, 48, 49, true};
const I2CKeyWiring kI2CKeyRaptorWiring = {0xBA, 0xAA, 0xAB, false};

namespace {

const DWORD kTakeSettleMs = 10;

} // namespace

BOOL ReadI2CKey(CCustomDataAccess* access, const I2CKeyWiring& wiring, BYTE* key)
{
    if (!access || !key)
        return FALSE;
    BYTE waiting = 0, code = 0;
    if (access->ReadI2CByte(wiring.address, wiring.waitingRegister, &waiting) != S_OK || waiting != 1)
        return FALSE;
    if (wiring.takeWaiting) {
        access->WriteI2CByte(wiring.address, wiring.waitingRegister, 0);
        zunk::Sleep(kTakeSettleMs);
    }
    if (access->ReadI2CByte(wiring.address, wiring.keyRegister, &code) != S_OK)
        return FALSE;
    *key = code;
    return TRUE;
}
