// The settings words of the maker's MPEG record chain (audio encoder, video
// encoder, multiplexer) and the numbered parameters each word is sent as.
// The filters take their settings one parameter at a time through their
// parameter interfaces (ICodecParams in shape). Header and helpers; no state.
#pragma once
#include <windows.h>

#include <stddef.h>

#include "graph/wrappers/CodecSlots.h"

// The standards the video presets take.
enum IVIStandard
{
    IVIStandard_PAL = 1,
    IVIStandard_NTSC = 2,
};

struct IVIAudioEncSettings
{
    enum { kWords = 6 };
    LONG word[kWords];   // word 0 sample rate in Hz, word 1 bit rate in kbit/s
};

struct IVIVideoEncSettings
{
    enum { kWords = 17 };
    // Word 4 width, 5 height, 6 bit rate and 7 maximum bit rate in kbit/s,
    // 12 standard code, 14 standard argument; word 11 is never sent.
    LONG word[kWords];
};

struct IVIMuxSettings
{
    enum { kWords = 6 };
    LONG word[kWords];   // word 0 pack size in bytes, word 4 stream type
};

// One parameter and the settings word it carries.
struct IVIParamWord
{
    LONG id;
    int word;
};

namespace zunk {

// Writes every word of the map, in its order, even past a refused one:
// TRUE only when every write succeeded.
BOOL SendParamWords(ICodecParams* params, const LONG* words, const IVIParamWord* map, size_t count);
// Reads every parameter of the map into its word: TRUE only when every read
// succeeded.
BOOL ReadParamWords(ICodecParams* params, LONG* words, const IVIParamWord* map, size_t count);

} // namespace zunk
