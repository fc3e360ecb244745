// The private interfaces of the outside MPEG and H.264 codec filters (the
// combined encoder, its single-purpose pieces and the H.264 filters) as slot
// tables, and the settings blocks they exchange in the encoder's own layout.
// Header only.
#pragma once
#include <windows.h>

#include <stddef.h>
#include <string.h>

#include "graph/wrappers/CodecSlots.h"

// The encoder's MPEG types, as its default loaders and its multiplexer take them.
enum MCVideoType
{
    MCVideoType_MPEG1 = 0,
    MCVideoType_VCD = 1,
    MCVideoType_MPEG2 = 2,
    MCVideoType_SVCD = 3,
    MCVideoType_DVD = 4,
};

#pragma pack(push, 1)

// The video settings block: the encoder fills it and takes it back whole;
// only the named fields are ours to change.
struct MCVideoSettings
{
    BYTE reserved0[48];
    LONG vcdField;          // 1 for VCD; the default otherwise
    BYTE reserved52[12];
    double bitRate;         // bit/s
    double maxBitRate;      // bit/s
    BYTE reserved80[328];
    LONG width;             // pixels
    LONG height;            // lines
    BYTE reserved416[396];
    BYTE modeBits;          // bits 1 to 4 hold the mode value; the others are the encoder's
    BYTE reserved813[8];
    double bitRateCopy;     // the bit rate again, unaligned
    BYTE reserved829[48];
};

// The audio settings block: nine words of the encoder's.
struct MCAudioSettings
{
    enum { kWords = 9, kBitRateIndexWord = 3 };
    // Word 3 is an MPEG-1 Layer II bit-rate index (1 = 32 ... 14 = 384 kbit/s).
    LONG word[kWords];
};

// The multiplexer settings block: twenty-seven words, passed through,
// except the stream's total bit rate, a double in bit/s at byte 64.
struct MCMuxSettings
{
    enum { kWords = 27, kTotalBitRateWord = 16 };
    LONG word[kWords];

    double TotalBitRate() const
    {
        double rate;
        memcpy(&rate, &word[kTotalBitRateWord], sizeof rate);
        return rate;
    }
    void SetTotalBitRate(double rate) { memcpy(&word[kTotalBitRateWord], &rate, sizeof rate); }
};

// The video decoders' information block: word 0 is its size in bytes.
struct MCDecoderInfo
{
    enum { kWords = 10, kValueWord = 4 };
    LONG word[kWords];
};

// The H.264 encoder's settings block, passed through unchanged.
struct MCH264Settings
{
    BYTE bytes[8320];
};

#pragma pack(pop)

static_assert(sizeof(MCVideoSettings) == 877, "video settings block");
static_assert(offsetof(MCVideoSettings, vcdField) == 48, "video settings block");
static_assert(offsetof(MCVideoSettings, bitRate) == 64, "video settings block");
static_assert(offsetof(MCVideoSettings, maxBitRate) == 72, "video settings block");
static_assert(offsetof(MCVideoSettings, width) == 408, "video settings block");
static_assert(offsetof(MCVideoSettings, height) == 412, "video settings block");
static_assert(offsetof(MCVideoSettings, modeBits) == 812, "video settings block");
static_assert(offsetof(MCVideoSettings, bitRateCopy) == 821, "video settings block");
static_assert(sizeof(MCAudioSettings) == 36, "audio settings block");
static_assert(sizeof(MCMuxSettings) == 108, "multiplexer settings block");
static_assert(sizeof(MCDecoderInfo) == 40, "decoder information block");
static_assert(sizeof(MCH264Settings) == 8320, "H.264 settings block");

// Bits 1 to 4 of the mode byte take the mode value's low four bits; bits 0,
// 5, 6 and 7 stay as the encoder set them.
inline void PutModeBits(MCVideoSettings* block, LONG mode)
{
    block->modeBits = static_cast<BYTE>((block->modeBits & ~0x1E) | ((mode & 0x0F) << 1));
}

#define MC_VIDEO_SETTINGS_SLOTS(SLOT)                                                      \
    SLOT(3, SetValue3, (LONG value), (value))                                              \
    SLOT(4, SetValue4, (LONG value), (value))                                              \
    SLOT(5, SetValue5, (LONG value), (value))                                              \
    SLOT(6, SetValue6, (LONG value), (value))                                              \
    SLOT(7, Reserved7, (), ())                                                             \
    SLOT(8, SetValue8, (LONG a, LONG b, LONG c), (a, b, c))                                \
    SLOT(9, SetValue9, (LONG value), (value))                                              \
    SLOT(10, Reserved10, (), ())                                                           \
    SLOT(11, SetValue11, (LONG a, LONG b, LONG c, LONG d), (a, b, c, d))                   \
    SLOT(12, GetSettings, (MCVideoSettings* block), (block))                               \
    SLOT(13, SetSettings, (MCVideoSettings* block), (block))                               \
    SLOT(14, LoadDefaults, (LONG videoType, LONG pal, MCVideoSettings* block),             \
         (videoType, pal, block))                                                          \
    SLOT(15, SetValue15, (LONG a, LONG b), (a, b))
CODEC_INTERFACE(IMCVideoSettings, MC_VIDEO_SETTINGS_SLOTS)

#define MC_AUDIO_SETTINGS_SLOTS(SLOT)                                                      \
    SLOT(3, SetValue3, (LONG value), (value))                                              \
    SLOT(4, SetValue4, (LONG value), (value))                                              \
    SLOT(5, SetValue5, (LONG value), (value))                                              \
    SLOT(6, SetValue6, (LONG value), (value))                                              \
    SLOT(7, SetValue7, (LONG value), (value))                                              \
    SLOT(8, SetValue8, (LONG value), (value))                                              \
    SLOT(9, SetValue9, (LONG value), (value))                                              \
    SLOT(10, SetValue10, (LONG value), (value))                                            \
    SLOT(11, GetSettings, (MCAudioSettings* block), (block))                               \
    SLOT(12, SetSettings, (MCAudioSettings* block), (block))                               \
    SLOT(13, LoadDefaults, (LONG videoType, MCAudioSettings* block), (videoType, block))   \
    SLOT(14, SetValue14, (LONG value), (value))
CODEC_INTERFACE(IMCAudioSettings, MC_AUDIO_SETTINGS_SLOTS)

#define MC_MUX_SETTINGS_SLOTS(SLOT)                                                        \
    SLOT(3, SetValue3, (LONG value), (value))                                              \
    SLOT(4, SetValue4, (LONG value), (value))                                              \
    SLOT(5, SetValue5, (LONG value), (value))                                              \
    SLOT(6, SetSettings, (MCMuxSettings* block), (block))                                  \
    SLOT(7, SetValue7, (LONG a, LONG b), (a, b))                                           \
    SLOT(8, SetVideoType, (LONG videoType), (videoType))                                   \
    SLOT(9, Reserved9, (), ())                                                             \
    SLOT(10, Reserved10, (), ())                                                           \
    SLOT(11, Reserved11, (), ())                                                           \
    SLOT(12, GetSettings, (MCMuxSettings* block), (block))
CODEC_INTERFACE(IMCMuxSettings, MC_MUX_SETTINGS_SLOTS)

#define MC_DECODER_OUTPUT_SLOTS(SLOT)                                                      \
    SLOT(3, Call3, (LONG a, LONG b), (a, b))                                               \
    SLOT(4, Call4, (LONG a, LONG b), (a, b))                                               \
    SLOT(5, EnableFormat, (DWORD fourcc, LONG enable), (fourcc, enable))                   \
    SLOT(6, GetInfo, (MCDecoderInfo* info), (info))                                        \
    SLOT(7, SetInfo, (MCDecoderInfo* info), (info))
CODEC_INTERFACE(IMCDecoderOutput, MC_DECODER_OUTPUT_SLOTS)

#define MC_H264_DECODER_CONTROL_SLOTS(SLOT)                                                \
    SLOT(3, Call3, (LONG a, LONG b), (a, b))                                               \
    SLOT(4, Call4, (LONG a, LONG b), (a, b))                                               \
    SLOT(5, Call5, (LONG a, LONG b), (a, b))                                               \
    SLOT(6, Call6, (LONG value), (value))                                                  \
    SLOT(7, SetInfo, (MCDecoderInfo* info), (info))
CODEC_INTERFACE(IMCH264DecoderControl, MC_H264_DECODER_CONTROL_SLOTS)

#define MC_H264_SETTINGS_SLOTS(SLOT)                                                       \
    SLOT(3, Call3, (LONG a, LONG b, LONG c), (a, b, c))                                    \
    SLOT(4, Reserved4, (), ())                                                             \
    SLOT(5, Reserved5, (), ())                                                             \
    SLOT(6, SetSettings, (MCH264Settings* block), (block))                                 \
    SLOT(7, Call7, (LONG a, LONG b, LONG c), (a, b, c))
CODEC_INTERFACE(IMCH264Settings, MC_H264_SETTINGS_SLOTS)
