// Remote-control keys on GPIO lines: the receiver (or the on-card
// controller) holds a strobe pattern on some lines while a key is down and
// the key code on others. One reader for every card wiring; each wiring is
// a GpioKeyWiring row. Called on the remote-control thread under the
// card's "Mutex_Remote_Control".
#pragma once
#include "hw/access/CustomDataAccess.h"

struct GpioKeyWiring
{
    DWORD strobeMask;   // lines of the strobe pattern
    DWORD strobe;       // their levels while a key is down
    BYTE (*decode)(DWORD word);  // key code of a sample
    DWORD holdLimitMs;  // a key held longer is reported at the limit;
                        // 0: the first sample is the key (no hold)
};

// Strobe 0x180000 on bits 18-20, key inverted in the low byte.
extern const GpioKeyWiring kGpioKeyBaseWiring;
// Strobe 0x600 on bits 9-11, key inverted in PackMcuByte's lines.
extern const GpioKeyWiring kGpioKeyIoWiring;
// Strobe 0x600 on bits 9-11, key inverted in bits 16-23 (the CX2388x
// cards' controller).
extern const GpioKeyWiring kGpioKeyCx2388xWiring;
// Receivers on bits 0-8 read once: bit 8 high means no key, bits 0-7 carry
// the key inverted with its nibbles swapped.
extern const GpioKeyWiring kGpioKeyNineBitWiring;

// The key of one sample: FALSE when the strobe pattern does not hold.
BOOL DecodeGpioKey(const GpioKeyWiring& wiring, DWORD word, BYTE* key);

// FALSE when the first read fails or shows no key. Otherwise samples 1 ms
// apart while the pattern holds, up to the limit, and decodes the last
// sample taken while it held: a held key is reported once per call, and a
// read that fails after the key was seen still reports it.
BOOL ReadGpioKey(CCustomDataAccess* access, const GpioKeyWiring& wiring, BYTE* key);
