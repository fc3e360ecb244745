// The records of the WIS encoder box's settings: the four kinds of encoder
// setting that the profile file names and the driver's capability table
// describes, the capability table itself, the allowed combinations and the
// configuration written into a pin's format block. The driver reads and
// writes these byte for byte, so every offset is fixed (little-endian,
// unused bytes zero) and checked below for both builds. Plain data; no
// threads.
#pragma once
#include <windows.h>

#include <stddef.h>

#pragma pack(push, 4)

// What every record begins with. flags holds one bit per key given (see the
// record kinds), kNameGiven and kDescGiven; in a capability record it is the
// match mask instead: a 1 bit means that field must match, 0 means all must.
struct ProfileRecordHeader
{
    enum { kNameSize = 64, kDescSize = 256 };
    char name[kNameSize];
    char desc[kDescSize];
    DWORD flags;
    DWORD unused;
};

struct StreamSetting
{
    enum {
        kCompressMode = 0x1, kSequence = 0x2, kGopMode = 0x4, kGopSize = 0x8, kMpeg4Mode = 0x10,
        kDeinterlaceMode = 0x20, kSearchRange = 0x40, kGopHeadEnable = 0x80,
        kSeqHeadEnable = 0x100, kAspectRatio = 0x200, kDvdCompliant = 0x400,
    };
    ProfileRecordHeader head;
    DWORD compress_mode;
    DWORD sequence;
    BYTE gop_mode;
    BYTE pad337[3];
    DWORD gop_size;
    BYTE mpeg4_mode;
    BYTE DVD_compliant;
    BYTE deinterlace_mode;
    BYTE search_range;
    BYTE gop_head_enable;
    BYTE seq_head_enable;
    BYTE aspect_ratio;
    BYTE unused351[5];
};

struct FrameRateSetting
{
    enum { kFrameRate = 0x1, kIvtcEnable = 0x2, kDropFrame = 0x4, kTvStandard = 0x8 };
    ProfileRecordHeader head;
    DWORD tv_standard;
    DWORD frame_rate;  // frames per second x 1001
    DWORD drop_frame;
    BYTE ivtc_enable;
    BYTE unused341[7];
};

struct ResolutionSetting
{
    enum {
        kWidth = 0x1, kHeight = 0x2, kHSubWindow = 0x4, kVSubWindow = 0x8,
        kAllOffsets = 0x10,  // the four offset and scale keys, all given
        kSubSample = 0x100, kTvStandard = 0x208, kMaxBitrate = 0x400, kMinBitrate = 0x800,
        kHSubOffset = 0x1000, kVSubOffset = 0x2000, kHScaleEnb = 0x4000, kVScaleEnb = 0x8000,
    };
    ProfileRecordHeader head;
    DWORD tv_standard;
    DWORD width;
    DWORD height;
    BYTE h_sub_window;
    BYTE v_sub_window;
    BYTE pad342[2];
    DWORD h_sub_offset;
    DWORD v_sub_offset;
    BYTE h_scale_enb;
    BYTE v_scale_enb;
    BYTE sub_sample;
    BYTE pad355;
    DWORD max_bitrate;
    DWORD min_bitrate;
    DWORD unused364;
};

struct BitrateSetting
{
    enum {
        kTargetBitrate = 0x4, kPeakBitrate = 0x8, kVbvBuffer = 0x10, kConvergeSpeed = 0x20,
        kLambda = 0x40, kQ = 0x80, kAllQuantisers = 0x100,  // IQ, PQ and BQ, all given
        kIQ = 0x200, kPQ = 0x400, kBQ = 0x800, kQMin = 0x1000, kQMax = 0x2000,
        kDuplicate = 0x4000, kMBBrc = 0x8000, kWindowSize = 0x10000,
    };
    ProfileRecordHeader head;
    DWORD target_bitrate;
    DWORD peak_bitrate;
    DWORD vbv_buffer;
    BYTE converge_speed;
    BYTE lambda;
    BYTE pad342[2];
    DWORD Q;
    BYTE IQ;
    BYTE PQ;
    BYTE BQ;
    BYTE pad351;
    // Bits 0-6 QMin, 7 Duplicate, 8-14 QMax, 15 MBBrc, 16-31 WindowSize.
    DWORD rate_control;
};

// Flags of every record's header.
const DWORD kProfileNameGiven = 0x20000000;
const DWORD kProfileDescGiven = 0x10000000;

// Record kinds, as association entries number them.
enum ProfileKind { kStreamKind = 1, kResolutionKind = 2, kBitrateKind = 3, kFrameRateKind = 4 };

// TV standards as the file names them (AnalogVideoStandard bits).
const DWORD kProfileNtsc = 0x807;  // NTSC_M, NTSC_M_J, NTSC_433, PAL_60
const DWORD kProfilePal = 0x7F0;   // PAL_B, D, G, H, I, M, N
const DWORD kProfileNone = 0;

const int kProfileTableSize = 30;

// What the profile file gave, record by record, with each accepted record's
// matching capability index (the bit-rate records match none).
struct EncoderProfileSet
{
    DWORD streamCount;
    StreamSetting streams[kProfileTableSize];
    DWORD streamMap[kProfileTableSize];
    DWORD resolutionCount;
    ResolutionSetting resolutions[kProfileTableSize];
    DWORD resolutionMap[kProfileTableSize];
    DWORD bitrateCount;
    BitrateSetting bitrates[kProfileTableSize];
    DWORD bitrateUnused[kProfileTableSize];
    DWORD frameRateCount;
    FrameRateSetting frameRates[kProfileTableSize];
    DWORD frameRateMap[kProfileTableSize];
};

// One entry of the association list: may the owner record be used with the
// target record? The first entry that fits a question answers it.
struct ProfileAssociation
{
    static const DWORD kAny = 0xFFFFFFFF;
    DWORD ownerKind;
    DWORD ownerIndex;
    DWORD targetKind;
    DWORD targetIndex;
    BYTE deny;
    BYTE pad[3];
};

// An allowed stream / resolution / frame-rate triple, by capability index.
struct ProfileCombination
{
    DWORD stream;
    DWORD resolution;
    DWORD frameRate;
};

// One board the driver knows; also the descriptor of the board in hand,
// with its TV standard mask.
struct EncoderBoard
{
    char name[ProfileRecordHeader::kNameSize];
    BYTE desc[ProfileRecordHeader::kDescSize];
    DWORD flags;
    DWORD unused;
    DWORD tv_standard;
    BYTE reserved[28];
};

const int kEncoderBoardCount = 16;
const int kAssociationCount = 300;

// The encoder's capabilities as the driver fills them, then the program's
// own list of allowed combinations (owned: FreeCombinations).
struct EncoderCaps
{
    DWORD boardCount;
    EncoderBoard boards[kEncoderBoardCount];
    DWORD streamCount;
    StreamSetting streams[kProfileTableSize];
    DWORD resolutionCount;
    ResolutionSetting resolutions[kProfileTableSize];
    DWORD frameRateCount;
    FrameRateSetting frameRates[kProfileTableSize];
    DWORD associationCount;
    ProfileAssociation associations[kAssociationCount];
    DWORD combinationCount;
    ProfileCombination* combinations;
};

// One setting of each kind: what the header builders read and what a pin's
// format block carries after the video header.
struct EncoderConfig
{
    StreamSetting stream;
    FrameRateSetting frameRate;
    ResolutionSetting resolution;
    BitrateSetting bitrate;
};

#pragma pack(pop)

static_assert(sizeof(ProfileRecordHeader) == 328, "record header");
static_assert(offsetof(ProfileRecordHeader, desc) == 64 && offsetof(ProfileRecordHeader, flags) == 320 &&
                  offsetof(ProfileRecordHeader, unused) == 324,
              "record header fields");

static_assert(sizeof(StreamSetting) == 356, "stream record");
static_assert(offsetof(StreamSetting, compress_mode) == 328 && offsetof(StreamSetting, sequence) == 332 &&
                  offsetof(StreamSetting, gop_mode) == 336 && offsetof(StreamSetting, gop_size) == 340 &&
                  offsetof(StreamSetting, mpeg4_mode) == 344 && offsetof(StreamSetting, DVD_compliant) == 345 &&
                  offsetof(StreamSetting, deinterlace_mode) == 346 &&
                  offsetof(StreamSetting, search_range) == 347 &&
                  offsetof(StreamSetting, gop_head_enable) == 348 &&
                  offsetof(StreamSetting, seq_head_enable) == 349 &&
                  offsetof(StreamSetting, aspect_ratio) == 350 && offsetof(StreamSetting, unused351) == 351,
              "stream record fields");

static_assert(sizeof(FrameRateSetting) == 348, "frame-rate record");
static_assert(offsetof(FrameRateSetting, tv_standard) == 328 && offsetof(FrameRateSetting, frame_rate) == 332 &&
                  offsetof(FrameRateSetting, drop_frame) == 336 &&
                  offsetof(FrameRateSetting, ivtc_enable) == 340,
              "frame-rate record fields");

static_assert(sizeof(ResolutionSetting) == 368, "resolution record");
static_assert(offsetof(ResolutionSetting, tv_standard) == 328 && offsetof(ResolutionSetting, width) == 332 &&
                  offsetof(ResolutionSetting, height) == 336 &&
                  offsetof(ResolutionSetting, h_sub_window) == 340 &&
                  offsetof(ResolutionSetting, v_sub_window) == 341 &&
                  offsetof(ResolutionSetting, h_sub_offset) == 344 &&
                  offsetof(ResolutionSetting, v_sub_offset) == 348 &&
                  offsetof(ResolutionSetting, h_scale_enb) == 352 &&
                  offsetof(ResolutionSetting, v_scale_enb) == 353 &&
                  offsetof(ResolutionSetting, sub_sample) == 354 &&
                  offsetof(ResolutionSetting, max_bitrate) == 356 &&
                  offsetof(ResolutionSetting, min_bitrate) == 360 && offsetof(ResolutionSetting, unused364) == 364,
              "resolution record fields");

static_assert(sizeof(BitrateSetting) == 356, "bit-rate record");
static_assert(offsetof(BitrateSetting, target_bitrate) == 328 && offsetof(BitrateSetting, peak_bitrate) == 332 &&
                  offsetof(BitrateSetting, vbv_buffer) == 336 &&
                  offsetof(BitrateSetting, converge_speed) == 340 && offsetof(BitrateSetting, lambda) == 341 &&
                  offsetof(BitrateSetting, Q) == 344 && offsetof(BitrateSetting, IQ) == 348 &&
                  offsetof(BitrateSetting, PQ) == 349 && offsetof(BitrateSetting, BQ) == 350 &&
                  offsetof(BitrateSetting, rate_control) == 352,
              "bit-rate record fields");

static_assert(sizeof(EncoderProfileSet) == 43336, "profile set");
static_assert(offsetof(EncoderProfileSet, streams) == 4 && offsetof(EncoderProfileSet, streamMap) == 10684 &&
                  offsetof(EncoderProfileSet, resolutionCount) == 10804 &&
                  offsetof(EncoderProfileSet, resolutions) == 10808 &&
                  offsetof(EncoderProfileSet, resolutionMap) == 21848 &&
                  offsetof(EncoderProfileSet, bitrateCount) == 21968 &&
                  offsetof(EncoderProfileSet, bitrates) == 21972 &&
                  offsetof(EncoderProfileSet, bitrateUnused) == 32652 &&
                  offsetof(EncoderProfileSet, frameRateCount) == 32772 &&
                  offsetof(EncoderProfileSet, frameRates) == 32776 &&
                  offsetof(EncoderProfileSet, frameRateMap) == 43216,
              "profile set fields");

static_assert(sizeof(ProfileAssociation) == 20 && offsetof(ProfileAssociation, targetIndex) == 12 &&
                  offsetof(ProfileAssociation, deny) == 16,
              "association entry");
static_assert(sizeof(ProfileCombination) == 12 && offsetof(ProfileCombination, frameRate) == 8,
              "combination entry");
static_assert(sizeof(EncoderBoard) == 360 && offsetof(EncoderBoard, tv_standard) == 328, "board record");

static_assert(offsetof(EncoderCaps, boards) == 4 && offsetof(EncoderCaps, streamCount) == 5764 &&
                  offsetof(EncoderCaps, streams) == 5768 && offsetof(EncoderCaps, resolutionCount) == 16448 &&
                  offsetof(EncoderCaps, resolutions) == 16452 &&
                  offsetof(EncoderCaps, frameRateCount) == 27492 &&
                  offsetof(EncoderCaps, frameRates) == 27496 &&
                  offsetof(EncoderCaps, associationCount) == 37936 &&
                  offsetof(EncoderCaps, associations) == 37940 &&
                  offsetof(EncoderCaps, combinationCount) == 43940 &&
                  offsetof(EncoderCaps, combinations) == 43944,
              "capability table fields");
// The driver fills everything before the combination count; the pointer
// after it is the program's, pointer-wide in each build.
static_assert(sizeof(EncoderCaps) == 43944 + sizeof(void*), "capability table");

static_assert(sizeof(EncoderConfig) == 1428 && offsetof(EncoderConfig, frameRate) == 356 &&
                  offsetof(EncoderConfig, resolution) == 704 && offsetof(EncoderConfig, bitrate) == 1072,
              "encoder configuration");
