#include "cards/GpioKey.h"

#include "cards/McuLink.h"
#include "graph/Clock.h"

namespace {

BYTE InvertedLowByte(DWORD word) { return static_cast<BYTE>(~word); }
BYTE InvertedSplitByte(DWORD word) { return static_cast<BYTE>(~PackMcuByte(word, FALSE)); }
BYTE InvertedThirdByte(DWORD word) { return static_cast<BYTE>(~(word >> 16)); }
BYTE InvertedSwappedLowByte(DWORD word)
{
    const BYTE inverted = static_cast<BYTE>(~word);
    return static_cast<BYTE>((inverted << 4) | (inverted >> 4));
}

const DWORD kSamplePauseMs = 1;

} // namespace

const GpioKeyWiring kGpioKeyBaseWiring = {0x1C0000, 0x180000, InvertedLowByte, 1000};
const GpioKeyWiring kGpioKeyIoWiring = {0xE00, 0x600, InvertedSplitByte, 1000};
const GpioKeyWiring kGpioKeyCx2388xWiring = {0xE00, 0x600, InvertedThirdByte, 1000};
const GpioKeyWiring kGpioKeyNineBitWiring = {0x100, 0, InvertedSwappedLowByte, 0};

BOOL DecodeGpioKey(const GpioKeyWiring& wiring, DWORD word, BYTE* key)
{
    if (!key || (word & wiring.strobeMask) != wiring.strobe)
        return FALSE;
    *key = wiring.decode(word);
    return TRUE;
}

BOOL ReadGpioKey(CCustomDataAccess* access, const GpioKeyWiring& wiring, BYTE* key)
{
    if (!access || !key)
        return FALSE;
    DWORD word = 0;
    if (access->ReadGPIO(&word) != S_OK || (word & wiring.strobeMask) != wiring.strobe)
        return FALSE;
    DWORD last = word;
    if (wiring.holdLimitMs) {
        const DWORD start = zunk::GetTickCount();
        for (;;) {
            zunk::Sleep(kSamplePauseMs);
            if (access->ReadGPIO(&word) != S_OK || (word & wiring.strobeMask) != wiring.strobe ||
                zunk::GetTickCount() - start > wiring.holdLimitMs)
                break;
            last = word;
        }
    }
    return DecodeGpioKey(wiring, last, key);
}
