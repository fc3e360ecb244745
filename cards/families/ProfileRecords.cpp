#include "cards/families/ProfileRecords.h"

#include "cards/families/EncoderCombinations.h"
#include "cards/families/ProfileParser.h"

#include <string.h>

#include <initializer_list>

namespace {

#define NUMBER(Record, field, flag) \
    {#field, kNumberValue, offsetof(Record, field), sizeof(((Record*)0)->field), flag, 0, 0, false, 0}
#define STANDARD(Record, flag) \
    {"tv_standard", kStandardValue, offsetof(Record, tv_standard), 4, flag, 0, 0, false, 0}
#define REFERENCE(key, target) {key, kReferenceValue, 0, 0, 0, target, 0, false, 0}
#define RATE_CONTROL(key, flag, shift, boolean, mask) \
    {key, kRateControlValue, offsetof(BitrateSetting, rate_control), 4, flag, 0, shift, boolean, mask}

const ProfileKeyRow kStreamKeys[] = {
    NUMBER(StreamSetting, compress_mode, StreamSetting::kCompressMode),
    NUMBER(StreamSetting, sequence, StreamSetting::kSequence),
    NUMBER(StreamSetting, gop_mode, StreamSetting::kGopMode),
    NUMBER(StreamSetting, gop_size, StreamSetting::kGopSize),
    NUMBER(StreamSetting, mpeg4_mode, StreamSetting::kMpeg4Mode),
    NUMBER(StreamSetting, DVD_compliant, StreamSetting::kDvdCompliant),
    NUMBER(StreamSetting, deinterlace_mode, StreamSetting::kDeinterlaceMode),
    NUMBER(StreamSetting, search_range, StreamSetting::kSearchRange),
    NUMBER(StreamSetting, gop_head_enable, StreamSetting::kGopHeadEnable),
    NUMBER(StreamSetting, seq_head_enable, StreamSetting::kSeqHeadEnable),
    NUMBER(StreamSetting, aspect_ratio, StreamSetting::kAspectRatio),
    REFERENCE("rescfg", kResolutionKind),
    REFERENCE("fpscfg", kFrameRateKind),
    REFERENCE("ctlcfg", kBitrateKind),
};

const ProfileKeyRow kFrameRateKeys[] = {
    STANDARD(FrameRateSetting, FrameRateSetting::kTvStandard),
    NUMBER(FrameRateSetting, frame_rate, FrameRateSetting::kFrameRate),
    NUMBER(FrameRateSetting, drop_frame, FrameRateSetting::kDropFrame),
    NUMBER(FrameRateSetting, ivtc_enable, FrameRateSetting::kIvtcEnable),
    REFERENCE("rescfg", kResolutionKind),
    REFERENCE("ctlcfg", kBitrateKind),
};

const ProfileKeyRow kResolutionKeys[] = {
    STANDARD(ResolutionSetting, ResolutionSetting::kTvStandard),
    NUMBER(ResolutionSetting, width, ResolutionSetting::kWidth),
    NUMBER(ResolutionSetting, height, ResolutionSetting::kHeight),
    NUMBER(ResolutionSetting, h_sub_window, ResolutionSetting::kHSubWindow),
    NUMBER(ResolutionSetting, v_sub_window, ResolutionSetting::kVSubWindow),
    NUMBER(ResolutionSetting, h_sub_offset, ResolutionSetting::kHSubOffset),
    NUMBER(ResolutionSetting, v_sub_offset, ResolutionSetting::kVSubOffset),
    NUMBER(ResolutionSetting, h_scale_enb, ResolutionSetting::kHScaleEnb),
    NUMBER(ResolutionSetting, v_scale_enb, ResolutionSetting::kVScaleEnb),
    NUMBER(ResolutionSetting, sub_sample, ResolutionSetting::kSubSample),
    NUMBER(ResolutionSetting, max_bitrate, ResolutionSetting::kMaxBitrate),
    NUMBER(ResolutionSetting, min_bitrate, ResolutionSetting::kMinBitrate),
    REFERENCE("ctlcfg", kBitrateKind),
};

const ProfileKeyRow kBitrateKeys[] = {
    NUMBER(BitrateSetting, target_bitrate, BitrateSetting::kTargetBitrate),
    NUMBER(BitrateSetting, peak_bitrate, BitrateSetting::kPeakBitrate),
    NUMBER(BitrateSetting, vbv_buffer, BitrateSetting::kVbvBuffer),
    NUMBER(BitrateSetting, converge_speed, BitrateSetting::kConvergeSpeed),
    NUMBER(BitrateSetting, lambda, BitrateSetting::kLambda),
    NUMBER(BitrateSetting, Q, BitrateSetting::kQ),
    NUMBER(BitrateSetting, IQ, BitrateSetting::kIQ),
    NUMBER(BitrateSetting, PQ, BitrateSetting::kPQ),
    NUMBER(BitrateSetting, BQ, BitrateSetting::kBQ),
    RATE_CONTROL("QMin", BitrateSetting::kQMin, 0, false, 0x7F),
    RATE_CONTROL("Duplicate", BitrateSetting::kDuplicate, 7, true, 1),
    RATE_CONTROL("QMax", BitrateSetting::kQMax, 8, false, 0x7F),
    RATE_CONTROL("MBBrc", BitrateSetting::kMBBrc, 15, true, 1),
    RATE_CONTROL("WindowSize", BitrateSetting::kWindowSize, 16, false, 0xFFFF),
};

// --- checks ----------------------------------------------------------------

bool Given(DWORD flags, DWORD flag)
{
    return (flags & flag) == flag;
}

// A flag byte given as any nonzero number reads 1.
void NormaliseFlag(BYTE* field, DWORD flags, DWORD flag)
{
    if (!Given(flags, flag))
        *field = 0;
    else if (*field)
        *field = 1;
}

int CheckStream(BYTE* bytes)
{
    StreamSetting& s = *reinterpret_cast<StreamSetting*>(bytes);
    const DWORD given = s.head.flags;
    static const DWORD kModes[] = {0, 1, 3, 4, 8, 64, 65, 67, 68};
    if (!Given(given, StreamSetting::kCompressMode))
        return kProfileNoCompressMode;
    bool known = false;
    for (DWORD mode : kModes)
        known = known || s.compress_mode == mode;
    if (!known)
        return kProfileBadCompressMode;
    if (s.sequence < 1 || s.sequence > 3)
        return kProfileBadSequence;
    NormaliseFlag(&s.gop_mode, given, StreamSetting::kGopMode);
    if (!Given(given, StreamSetting::kGopSize))
        s.gop_size = 0;
    if (!Given(given, StreamSetting::kMpeg4Mode)) {
        if (s.compress_mode == 4 || s.compress_mode == 68)
            return kProfileBadMpeg4Mode;
        s.mpeg4_mode = 0;
    } else if (s.mpeg4_mode > 3) {
        return kProfileBadMpeg4Mode;
    }
    NormaliseFlag(&s.DVD_compliant, given, StreamSetting::kDvdCompliant);
    if (Given(given, StreamSetting::kDeinterlaceMode) &&
        (s.deinterlace_mode > 2 || (s.deinterlace_mode == 2 && s.compress_mode != 1)))
        return kProfileBadDeinterlaceMode;
    if (Given(given, StreamSetting::kSearchRange) && s.search_range != 16 && s.search_range != 32 &&
        s.search_range != 64 && s.search_range != 128)
        return kProfileBadSearchRange;
    NormaliseFlag(&s.gop_head_enable, given, StreamSetting::kGopHeadEnable);
    NormaliseFlag(&s.seq_head_enable, given, StreamSetting::kSeqHeadEnable);
    if (Given(given, StreamSetting::kAspectRatio) && (s.aspect_ratio < 1 || s.aspect_ratio > 3))
        return kProfileBadAspectRatio;
    return kProfileOk;
}

int CheckFrameRate(BYTE* bytes)
{
    FrameRateSetting& f = *reinterpret_cast<FrameRateSetting*>(bytes);
    // A rate of 0 would divide by zero where a frame time is worked out.
    if (!Given(f.head.flags, FrameRateSetting::kFrameRate | FrameRateSetting::kTvStandard) ||
        f.frame_rate == 0)
        return kProfileBadFrameRate;
    NormaliseFlag(&f.ivtc_enable, f.head.flags, FrameRateSetting::kIvtcEnable);
    return kProfileOk;
}

int CheckResolution(BYTE* bytes)
{
    ResolutionSetting& r = *reinterpret_cast<ResolutionSetting*>(bytes);
    DWORD& given = r.head.flags;
    if (!Given(given, ResolutionSetting::kWidth | ResolutionSetting::kHeight | ResolutionSetting::kTvStandard))
        return kProfileNoSize;
    // The bit-rate limits come from the matching capability.
    given |= ResolutionSetting::kMaxBitrate | ResolutionSetting::kMinBitrate;
    if (!Given(given, ResolutionSetting::kHSubWindow))
        r.h_sub_window = 1;
    // tv_standard's flag carries v_sub_window's bit too, which the driver
    // has always been sent: a record without v_sub_window keeps 0 there.
    if (!Given(given, ResolutionSetting::kVSubWindow))
        r.v_sub_window = 1;
    if (!Given(given, ResolutionSetting::kSubSample))
        r.sub_sample = 0;
    const DWORD offsets = ResolutionSetting::kHSubOffset | ResolutionSetting::kVSubOffset |
                          ResolutionSetting::kHScaleEnb | ResolutionSetting::kVScaleEnb;
    if (Given(given, offsets))
        given |= ResolutionSetting::kAllOffsets;
    else if (given & offsets)
        return kProfileSomeOffsets;
    return kProfileOk;
}

int CheckBitrate(BYTE* bytes)
{
    BitrateSetting& b = *reinterpret_cast<BitrateSetting*>(bytes);
    DWORD& given = b.head.flags;
    if (!Given(given, BitrateSetting::kTargetBitrate | BitrateSetting::kQ))
        return kProfileNoTargetBitrate;
    if (Given(given, BitrateSetting::kPeakBitrate) && b.target_bitrate > b.peak_bitrate)
        return kProfileTargetAbovePeak;
    if (b.converge_speed > 100)
        return kProfileBadConvergeSpeed;
    if (b.lambda > 100)
        return kProfileBadLambda;
    const DWORD quantisers = BitrateSetting::kIQ | BitrateSetting::kPQ | BitrateSetting::kBQ;
    if ((given & quantisers) == 0)
        return kProfileOk;
    if (!Given(given, quantisers))
        return kProfileBadQuantisers;
    given |= BitrateSetting::kAllQuantisers;
    for (BYTE q : {b.IQ, b.PQ, b.BQ}) {
        if (q < 1 || q > 32)
            return kProfileBadQuantisers;
    }
    return kProfileOk;
}

// --- matching ----------------------------------------------------------------

// Each field must equal the capability's when the capability's mask asks.
struct ByteField
{
    size_t offset;
    int width;
    DWORD bit;
};

bool MaskedFieldsEqual(const BYTE* record, const BYTE* capability, DWORD mask, const ByteField* fields,
                       size_t count)
{
    for (size_t i = 0; i < count; i++) {
        if (HasAllBits(mask, fields[i].bit) &&
            memcmp(record + fields[i].offset, capability + fields[i].offset, fields[i].width) != 0)
            return false;
    }
    return true;
}

#define FIELD(Record, field, bit) {offsetof(Record, field), sizeof(((Record*)0)->field), bit}

// The first capability record whose key fields equal the record's and
// whose masked fields do too, or -1.
template <class Record, size_t N>
int MatchFirst(const Record& record, const Record* capabilities, DWORD count,
               bool (*keysEqual)(const Record&, const Record&), const ByteField (&fields)[N])
{
    for (DWORD i = 0; i < count; i++) {
        const Record& c = capabilities[i];
        if (keysEqual(record, c) && MaskedFieldsEqual(reinterpret_cast<const BYTE*>(&record),
                                                      reinterpret_cast<const BYTE*>(&c), c.head.flags, fields, N))
            return (int)i;
    }
    return -1;
}

const ByteField kStreamFields[] = {
    FIELD(StreamSetting, sequence, StreamSetting::kSequence),
    FIELD(StreamSetting, gop_mode, StreamSetting::kGopMode),
    FIELD(StreamSetting, gop_size, StreamSetting::kGopSize),
    FIELD(StreamSetting, mpeg4_mode, StreamSetting::kMpeg4Mode),
    FIELD(StreamSetting, DVD_compliant, StreamSetting::kDvdCompliant),
    FIELD(StreamSetting, deinterlace_mode, StreamSetting::kDeinterlaceMode),
    FIELD(StreamSetting, search_range, StreamSetting::kSearchRange),
    FIELD(StreamSetting, gop_head_enable, StreamSetting::kGopHeadEnable),
    FIELD(StreamSetting, seq_head_enable, StreamSetting::kSeqHeadEnable),
    FIELD(StreamSetting, aspect_ratio, StreamSetting::kAspectRatio),
};
const ByteField kFrameRateFields[] = {
    FIELD(FrameRateSetting, drop_frame, FrameRateSetting::kDropFrame),
    FIELD(FrameRateSetting, ivtc_enable, FrameRateSetting::kIvtcEnable),
};
// All four only when the capability asks for the offsets.
const ByteField kResolutionFields[] = {
    FIELD(ResolutionSetting, h_sub_offset, ResolutionSetting::kAllOffsets),
    FIELD(ResolutionSetting, v_sub_offset, ResolutionSetting::kAllOffsets),
    FIELD(ResolutionSetting, h_scale_enb, ResolutionSetting::kAllOffsets),
    FIELD(ResolutionSetting, v_scale_enb, ResolutionSetting::kAllOffsets),
};

bool StreamKeysEqual(const StreamSetting& s, const StreamSetting& c)
{
    return s.compress_mode == c.compress_mode;
}

// The capability offers its standards; the record wants its own.
bool FrameRateKeysEqual(const FrameRateSetting& f, const FrameRateSetting& c)
{
    return f.frame_rate == c.frame_rate && IsStandardCompatible(f.tv_standard, c.tv_standard);
}

bool ResolutionKeysEqual(const ResolutionSetting& r, const ResolutionSetting& c)
{
    return r.width == c.width && r.height == c.height && IsStandardCompatible(r.tv_standard, c.tv_standard);
}

int MatchStream(BYTE* bytes, const EncoderCaps* caps)
{
    return MatchFirst(*reinterpret_cast<const StreamSetting*>(bytes), caps->streams, caps->streamCount,
                      StreamKeysEqual, kStreamFields);
}

int MatchFrameRate(BYTE* bytes, const EncoderCaps* caps)
{
    return MatchFirst(*reinterpret_cast<const FrameRateSetting*>(bytes), caps->frameRates, caps->frameRateCount,
                      FrameRateKeysEqual, kFrameRateFields);
}

// A matched size takes the capability's bit-rate limits.
int MatchResolution(BYTE* bytes, const EncoderCaps* caps)
{
    ResolutionSetting& r = *reinterpret_cast<ResolutionSetting*>(bytes);
    int index = MatchFirst(r, caps->resolutions, caps->resolutionCount, ResolutionKeysEqual, kResolutionFields);
    if (index >= 0) {
        r.max_bitrate = caps->resolutions[index].max_bitrate;
        r.min_bitrate = caps->resolutions[index].min_bitrate;
    }
    return index;
}

// A section of records matched against the capability table; its keys,
// checks and matching are k<Name>Keys, Check<Name> and Match<Name>.
#define MATCHED_SECTION(header, kind, Record, table, Name, unknownKey)                                  \
    {header, kind, sizeof(Record), offsetof(EncoderProfileSet, table##Count),                          \
     offsetof(EncoderProfileSet, table##s), offsetof(EncoderProfileSet, table##Map), k##Name##Keys,     \
     sizeof(k##Name##Keys) / sizeof(k##Name##Keys[0]), unknownKey, Check##Name, Match##Name}

} // namespace

const ProfileSection kProfileSections[kProfileSectionCount] = {
    MATCHED_SECTION("[streamsetting]", kStreamKind, StreamSetting, stream, Stream, kProfileUnknownStreamKey),
    MATCHED_SECTION("[frameratesetting]", kFrameRateKind, FrameRateSetting, frameRate, FrameRate,
                    kProfileUnknownFrameRateKey),
    MATCHED_SECTION("[resolutionsetting]", kResolutionKind, ResolutionSetting, resolution, Resolution,
                    kProfileUnknownResolutionKey),
    // Bit rates match no capability: no index map.
    {"[bitratesetting]", kBitrateKind, sizeof(BitrateSetting), offsetof(EncoderProfileSet, bitrateCount),
     offsetof(EncoderProfileSet, bitrates), 0, kBitrateKeys, sizeof(kBitrateKeys) / sizeof(kBitrateKeys[0]),
     kProfileUnknownBitrateKey, CheckBitrate, NULL},
};

const ProfileSection* ProfileSectionOfKind(int kind)
{
    for (const ProfileSection& s : kProfileSections) {
        if (s.kind == kind)
            return &s;
    }
    return NULL;
}

