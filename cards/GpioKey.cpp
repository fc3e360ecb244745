#include "cards/GpioKey.h"

#include "cards/McuLink.h"
#include "graph/Clock.h"

namespace {

BYTE InvertedLowByte(DWORD word) { return static_cast<BYTE>(~word); }
BYTE InvertedSplitByte(DWORD word) { return static_cast<BYTE>(~PackMcuByte(word, FALSE)); }

const DWORD kSamplePauseMs = 1;

} // namespace

const GpioKeyWiring kGpioKeyBaseWiring = {0x1C0000, 0x180000, InvertedLowByte, 1000};
const GpioKeyWiring kGpioKeyIoWiring = {0xE00, 0x600, InvertedSplitByte, 1000};

BOOL ReadGpioKey(CCustomDataAccess* access, const GpioKeyWiring& wiring, BYTE* key)
{
    if (!access || !key)
        return FALSE;
    DWORD word = 0;
    if (access->ReadGPIO(&word) != S_OK || (word & wiring.strobeMask) != wiring.strobe)
        return FALSE;
    const DWORD start = zunk::GetTickCount();
    DWORD last = word;
    for (;;) {
        zunk::Sleep(kSamplePauseMs);
        if (access->ReadGPIO(&word) != S_OK || (word & wiring.strobeMask) != wiring.strobe ||
            zunk::GetTickCount() - start > wiring.holdLimitMs)
            break;
        last = word;
    }
    *key = wiring.decode(last);
    return TRUE;
}
