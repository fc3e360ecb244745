// CMpeg2BoxAccess: the chips behind the box's tunnelled I2C - the video
// decoder at 0x21, the IF demodulator at 0x43, device 0x51 and the tuner
// at 0x60 or 0x61 with the channel plans of its modules.
#include "hw/access/Mpeg2BoxAccess.h"

#include "graph/Clock.h"

namespace {

const BYTE kDemodulator = 0x43;
const BYTE kDevice51 = 0x51;
const BYTE kTuner = 0x60;
const BYTE kTunerAlt = 0x61;

const DWORD kDecoderInputReg = 2;
const DWORD kDecoderStatusReg = 0x1F;
const DWORD kDecoderBusy = 0x40;       // status bit 6: not ready
const DWORD kDecoderNoSignal = 0x20;   // status bit 5
const DWORD kTunerStatusSub = 0x8E;
const DWORD kTunerLocked = 0x40;

const int kPollTries = 50;
const DWORD kPollPauseMs = 10;

// The demodulator is programmed for one standard only; the others need
// nothing from it.
const int kDemodulatedStandard = 5;

// The brightness register carries an offset that differs by decoder
// variant; the contrast register is centred on 127.
const DWORD kBrightnessReg = 9;
const DWORD kContrastReg = 13;
LONG BrightnessOffset(int variant)
{
    return variant == 0 ? 189 : (variant == 1 || variant == 2) ? 77 : 0;
}

BOOL ReadDevice(IUnknown* filter, BYTE device, BYTE mode, DWORD sub, DWORD* value)
{
    return CMpeg2BoxAccess::I2CTransfer(filter, device, mode, sub, value);
}

BOOL WriteDevice(IUnknown* filter, BYTE device, BYTE mode, DWORD sub, DWORD value)
{
    return CMpeg2BoxAccess::I2CWrite(filter, device, mode, sub, value);
}

BOOL WriteDemodulator(IUnknown* filter, int standard, DWORD word)
{
    if (standard != kDemodulatedStandard)
        return TRUE;
    return WriteDevice(filter, kDemodulator, ENCBOX_I2C_WORD, 0, word);
}

// --- tuner channel plans ---------------------------------------------------------

// The tuner's band words, in the order its modules list them.
enum Band { kLow, kMid, kHigh };

// A run of channels n = first..last in one band. The divider counts
// 62.5 kHz steps of the picture carrier plus the 45.75 MHz IF:
// d = (3n - k) x 32 + base, that is 6 MHz (96 steps) per channel.
struct ChannelRun
{
    int first, last;
    Band band;
    int k;
    int base;
};

constexpr int Divider(const ChannelRun& run, int channel)
{
    return (3 * channel - run.k) * 32 + run.base;
}

// North American channels: on air 2-69, on cable 1-125.
constexpr ChannelRun kAirPlan[] = {
    {2, 4, kLow, 6, 1616},       // 55.25 MHz
    {5, 6, kLow, 15, 1968},      // 77.25 MHz
    {7, 13, kMid, 21, 3536},     // 175.25 MHz
    {14, 69, kHigh, 42, 8272},   // 471.25 MHz
};
constexpr ChannelRun kCablePlan[] = {
    {1, 1, kLow, 3, 1904},       // 73.25 MHz
    {2, 4, kLow, 6, 1616},
    {5, 6, kLow, 15, 1968},
    {7, 13, kMid, 21, 3536},
    {14, 20, kLow, 42, 2672},    // 121.25 MHz
    {21, 22, kMid, 63, 3344},    // 163.25 MHz
    {23, 62, kMid, 69, 4208},    // 217.25 MHz
    {63, 94, kHigh, 189, 8048},  // 457.25 MHz
    {95, 99, kLow, 285, 2192},   // 91.25 MHz
    {100, 125, kHigh, 300, 11120},  // 649.25 MHz
};
// The module with a plan of its own: 62 channels, 1-3 from 91.25 MHz, 4-12
// from 171.25 MHz, 13-62 from 471.25 MHz, 6 MHz apart except between 7
// and 8 (189.25 and 193.25 MHz, 64 steps): channel 4 at 3472 and 12 at
// 4208. Cable reception uses the same dividers with other band words.
constexpr ChannelRun kTableAirPlan[] = {
    {1, 3, kLow, 3, 2192},
    {4, 7, kMid, 12, 3472},
    {8, 12, kMid, 24, 3824},
    {13, 62, kHigh, 39, 8272},
};
constexpr ChannelRun kTableCablePlan[] = {
    {1, 3, kLow, 3, 2192},
    {4, 7, kMid, 12, 3472},
    {8, 12, kMid, 24, 3824},
    {13, 21, kLow, 39, 8272},
    {22, 62, kMid, 39, 8272},
};

template <size_t N>
constexpr bool RunsFollowOn(const ChannelRun (&plan)[N])
{
    for (size_t i = 1; i < N; i++) {
        if (plan[i].first != plan[i - 1].last + 1)
            return false;
    }
    return true;
}
static_assert(RunsFollowOn(kAirPlan) && kAirPlan[0].first == 2 && kAirPlan[3].last == 69, "air plan");
static_assert(RunsFollowOn(kCablePlan) && kCablePlan[0].first == 1 && kCablePlan[9].last == 125,
              "cable plan");
static_assert(RunsFollowOn(kTableAirPlan) && RunsFollowOn(kTableCablePlan) &&
                  kTableAirPlan[3].last == 62 && kTableCablePlan[4].last == 62,
              "62-channel plan");
static_assert(Divider(kTableAirPlan[0], 1) == 2192 && Divider(kTableAirPlan[0], 3) == 2384 &&
                  Divider(kTableAirPlan[1], 4) == 3472 && Divider(kTableAirPlan[2], 12) == 4208 &&
                  Divider(kTableAirPlan[3], 62) == 12976,
              "62-channel plan end points");

struct Plan
{
    const ChannelRun* runs;
    size_t count;
};
template <size_t N>
constexpr Plan PlanOf(const ChannelRun (&runs)[N])
{
    return {runs, N};
}

// How a module takes its divider and band word.
enum TunerWrite
{
    kDividerThenBand,  // mode 10: sub-address the divider, value the band word
    kBandThenDivider,  // mode 10: sub-address the band word, value the divider
    kDividerWithAux,   // mode 18: the divider, the band word and an auxiliary byte
};

struct TunerKind
{
    WORD bandWords[3];  // low, mid, high
    BYTE device;
    bool ownPlan;       // the 62-channel plan
    TunerWrite write;
};
constexpr TunerKind kTunerKinds[] = {
    {{0x8E02, 0x8E04, 0x8E01}, kTunerAlt, false, kDividerThenBand},
    {{0x8EA0, 0x8E90, 0x8E30}, kTunerAlt, false, kDividerThenBand},
    {{0x8EA0, 0x8E90, 0x8E30}, kTuner, false, kDividerThenBand},
    {{0x8E01, 0x8E02, 0x8E08}, kTunerAlt, true, kBandThenDivider},
    {{0x8E01, 0x8E02, 0x8E08}, kTuner, false, kDividerThenBand},
    {{0xCE01, 0xCE02, 0xCE04}, kTuner, false, kDividerWithAux},
};
const int kTunerKindCount = sizeof(kTunerKinds) / sizeof(kTunerKinds[0]);
static_assert(kTunerKindCount == 6, "tuner kinds 0-5");
const DWORD kAuxByte = 0xA0;

Plan PlanFor(const TunerKind& kind, BOOL air)
{
    if (kind.ownPlan)
        return air ? PlanOf(kTableAirPlan) : PlanOf(kTableCablePlan);
    return air ? PlanOf(kAirPlan) : PlanOf(kCablePlan);
}

const ChannelRun* FindRun(const Plan& plan, int channel)
{
    for (size_t i = 0; i < plan.count; i++) {
        if (channel >= plan.runs[i].first && channel <= plan.runs[i].last)
            return &plan.runs[i];
    }
    return NULL;
}

// A frequency's divider: the picture carrier plus the 38.9 MHz IF in
// 62.5 kHz steps, with the band of the carrier.
const DWORD kFrequencyIfKHz = 38900;
const DWORD kMaxDivider = 0x7FFF;  // the PLL's divider has 15 bits
WORD FrequencyBandWord(DWORD kHz)
{
    return kHz < 170000 ? 0xCE01 : kHz < 450000 ? 0xCE02 : 0xCE08;
}

} // namespace

BOOL CMpeg2BoxAccess::SetDecoderInput(IUnknown* filter, int input, int kind)
{
    static const DWORD kInputBits[] = {6, 3, 4};
    if ((kind != 1 && kind != 2) || input < 0 || input > 2)
        return FALSE;
    DWORD value = 0;
    if (!ReadDevice(filter, kEncoderBoxDecoder, ENCBOX_I2C_READ_REG, kDecoderInputReg, &value))
        return FALSE;
    value = (value & 0xF0) | kInputBits[input];
    return WriteDevice(filter, kEncoderBoxDecoder, ENCBOX_I2C_DECODER, kDecoderInputReg, value);
}

BOOL CMpeg2BoxAccess::SetDemodulatorA(IUnknown* filter, int standard)
{
    return WriteDemodulator(filter, standard, 0x1610);
}

BOOL CMpeg2BoxAccess::SetDemodulatorB(IUnknown* filter, int standard)
{
    return WriteDemodulator(filter, standard, 0x3610);
}

BOOL CMpeg2BoxAccess::SetDemodulatorC(IUnknown* filter, int standard)
{
    return WriteDemodulator(filter, standard, 0x1610);
}

BOOL CMpeg2BoxAccess::SetDemodulator(IUnknown* filter, int, int standard, int)
{
    return SetDemodulatorA(filter, standard) ? TRUE : FALSE;
}

BOOL CMpeg2BoxAccess::ReadDecoderStatus(IUnknown* filter, DWORD* status)
{
    return ReadDevice(filter, kEncoderBoxDecoder, ENCBOX_I2C_READ_REG, kDecoderStatusReg, status);
}

BOOL CMpeg2BoxAccess::WriteDevice51Register(IUnknown* filter, DWORD reg, DWORD value)
{
    return WriteDevice(filter, kDevice51, ENCBOX_I2C_WRITE_REG, reg, value);
}

BOOL CMpeg2BoxAccess::ReadDevice51Register(IUnknown* filter, DWORD reg, DWORD* value)
{
    return ReadDevice(filter, kDevice51, ENCBOX_I2C_READ_OTHER, reg, value);
}

BOOL CMpeg2BoxAccess::ProbeTuner(IUnknown* filter)
{
    DWORD value = 0;
    return ReadDevice(filter, kTuner, ENCBOX_I2C_CURRENT, 0, &value);
}

BOOL CMpeg2BoxAccess::IsDecoderStatusBit1(IUnknown* filter, int kind)
{
    DWORD status = 0;
    if ((kind != 1 && kind != 3) ||
        !ReadDevice(filter, kEncoderBoxDecoder, ENCBOX_I2C_DECODER, kDecoderStatusReg, &status))
        return FALSE;
    return (status >> 1) & 1;
}

BOOL CMpeg2BoxAccess::WaitDecoderReady(IUnknown* filter)
{
    for (int attempt = 0; attempt < kPollTries; attempt++) {
        DWORD status = 0;
        if (ReadDevice(filter, kEncoderBoxDecoder, ENCBOX_I2C_DECODER, kDecoderStatusReg, &status) &&
            !(status & kDecoderBusy))
            return TRUE;
        zunk::Sleep(kPollPauseMs);
    }
    return FALSE;
}

BOOL CMpeg2BoxAccess::GetDecoderSignal(IUnknown* filter, DWORD* signal)
{
    if (!signal)
        return FALSE;
    for (int attempt = 0; attempt < kPollTries; attempt++) {
        DWORD status = 0;
        if (ReadDevice(filter, kEncoderBoxDecoder, ENCBOX_I2C_DECODER, kDecoderStatusReg, &status)) {
            *signal = (status & kDecoderNoSignal) ? 0 : 1;
            return TRUE;
        }
        zunk::Sleep(kPollPauseMs);
    }
    return FALSE;
}

BOOL CMpeg2BoxAccess::GetPictureControl(IUnknown* filter, DWORD reg, LONG* value, int variant)
{
    DWORD raw = 0;
    if (!value || !ReadDevice(filter, kEncoderBoxDecoder, ENCBOX_I2C_READ_REG, reg, &raw))
        return FALSE;
    *value = static_cast<LONG>(raw);
    if (reg == kBrightnessReg)
        *value -= BrightnessOffset(variant);
    return TRUE;
}

BOOL CMpeg2BoxAccess::SetPictureControl(IUnknown* filter, DWORD reg, LONG value, int variant)
{
    if (reg == kBrightnessReg)
        value += BrightnessOffset(variant);
    else if (reg == kContrastReg)
        value -= 127;
    return WriteDevice(filter, kEncoderBoxDecoder, ENCBOX_I2C_DECODER, reg, static_cast<DWORD>(value));
}

BOOL CMpeg2BoxAccess::SetAudioPaths(IUnknown* filter)
{
    const struct
    {
        ULONG id;
        EncoderBoxIndexedValue value;
    } paths[] = {
        {ENCBOX_AUDIO_PATH_ON, {3, 1}},
        {ENCBOX_AUDIO_PATH_ON, {13, 1}},
        {ENCBOX_AUDIO_PATH_OFF, {3, 0}},
        {ENCBOX_AUDIO_PATH_OFF, {13, 0}},
    };
    for (const auto& path : paths) {
        EncoderBoxIndexedValue instance = path.value;
        EncoderBoxIndexedValue data = path.value;
        SetEncoderProperty(filter, path.id, &instance, sizeof(instance), &data, sizeof(data));
    }
    return TRUE;
}

BOOL CMpeg2BoxAccess::WaitTunerLock(IUnknown* filter, DWORD device, DWORD)
{
    for (int attempt = 0; attempt < kPollTries; attempt++) {
        DWORD status = 0;
        if (!ReadDevice(filter, static_cast<BYTE>(device), ENCBOX_I2C_READ_REG, kTunerStatusSub, &status) ||
            (status & kTunerLocked))
            break;
        zunk::Sleep(kPollPauseMs);
    }
    return TRUE;
}

BOOL CMpeg2BoxAccess::SetTunerFrequency(IUnknown* filter, DWORD kHz)
{
    const unsigned long long divider = (static_cast<unsigned long long>(kHz) + kFrequencyIfKHz) * 16 / 1000;
    if (divider > kMaxDivider)
        return FALSE;
    BOOL written = WriteDevice(filter, kTuner, ENCBOX_I2C_TWO_WORDS, static_cast<DWORD>(divider),
                               FrequencyBandWord(kHz));
    WaitTunerLock(filter, kTuner, 0);
    return written;
}

BOOL CMpeg2BoxAccess::ChannelDivider(int kind, int channel, BOOL air, DWORD* divider, DWORD* bandWord)
{
    if (kind < 0 || kind >= kTunerKindCount || !divider || !bandWord)
        return FALSE;
    const TunerKind& tuner = kTunerKinds[kind];
    const ChannelRun* run = FindRun(PlanFor(tuner, air), channel);
    if (!run)
        return FALSE;
    *divider = static_cast<DWORD>(Divider(*run, channel));
    *bandWord = tuner.bandWords[run->band];
    return TRUE;
}

BOOL CMpeg2BoxAccess::SetTunerChannel(IUnknown* filter, int kind, int channel, BOOL air)
{
    DWORD divider = 0, band = 0;
    if (!ChannelDivider(kind, channel, air, &divider, &band))
        return FALSE;
    const TunerKind& tuner = kTunerKinds[kind];
    BOOL written = FALSE;
    switch (tuner.write) {
    case kDividerThenBand:
        written = WriteDevice(filter, tuner.device, ENCBOX_I2C_TWO_WORDS, divider, band);
        break;
    case kBandThenDivider:
        written = WriteDevice(filter, tuner.device, ENCBOX_I2C_TWO_WORDS, band, divider);
        break;
    case kDividerWithAux:
        written = WriteDevice(filter, tuner.device, ENCBOX_I2C_DIVIDER_AUX, divider,
                              band * 256 + kAuxByte);
        break;
    }
    WaitTunerLock(filter, tuner.device, 0);
    return written;
}
