// The private interfaces of the outside capture encoder and transcoder as
// slot tables, and the encoder's settings block in its own layout. Header
// only.
#pragma once
#include <windows.h>

#include <string.h>

#include "graph/wrappers/CodecSlots.h"

// The encoder's settings: fifty-seven words, word 39 a float (the frame
// rate); words 55 and 56 travel with the block as two separately addressed
// values. Words 4 and 18 to 21 are bit rates in bit/s, 13 the audio sample
// rate in Hz, 31 and 32 the picture width and height.
struct LigosEncSettings
{
    enum { kWords = 57, kFrameRateWord = 39, kFirstValueWord = 55, kSecondValueWord = 56 };
    LONG word[kWords];

    float FrameRate() const
    {
        float rate;
        memcpy(&rate, &word[kFrameRateWord], sizeof(rate));
        return rate;
    }
    void SetFrameRate(float rate) { memcpy(&word[kFrameRateWord], &rate, sizeof(rate)); }
};
static_assert(sizeof(LigosEncSettings) == 228, "encoder settings block");
static_assert(sizeof(float) == sizeof(LONG), "the frame rate takes one word");

#define LIGOS_ENC_CONTROL_SLOTS(SLOT)                                                       \
    SLOT(3, Call3, (LigosEncSettings* block, LONG* first, LONG* second),                    \
         (block, first, second))                                                            \
    SLOT(4, Call4, (LigosEncSettings* block, LONG* first, LONG* second),                    \
         (block, first, second))                                                            \
    SLOT(5, Call5, (LONG a, LONG b), (a, b))                                                \
    SLOT(6, Call6, (LONG value), (value))                                                   \
    SLOT(7, Call7, (LONG a, LONG b, LONG c), (a, b, c))                                     \
    SLOT(8, Call8, (LONG value), (value))
CODEC_INTERFACE(ILigosEncControl, LIGOS_ENC_CONTROL_SLOTS)

#define LIGOS_TRANS_CONTROL_SLOTS(SLOT)                                                     \
    SLOT(3, Call3, (LigosEncSettings* block, LONG_PTR reserved, LONG* first, LONG* second), \
         (block, reserved, first, second))                                                  \
    SLOT(4, Call4, (LigosEncSettings* block, LONG_PTR reserved, LONG* first, LONG* second), \
         (block, reserved, first, second))                                                  \
    SLOT(5, Reserved5, (), ())                                                              \
    SLOT(6, Call6, (LONG value), (value))
CODEC_INTERFACE(ILigosTransControl, LIGOS_TRANS_CONTROL_SLOTS)

// The transcoder's companion, asked of its control interface.
#define LIGOS_TRANS_POSITION_SLOTS(SLOT)                                                    \
    SLOT(3, GetPositions, (LONG* first, LONG* second), (first, second))                     \
    SLOT(4, SetPosition, (LONG value), (value))
CODEC_INTERFACE(ILigosTransPosition, LIGOS_TRANS_POSITION_SLOTS)
