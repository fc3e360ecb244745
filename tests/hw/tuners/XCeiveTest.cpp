#include "hw/tuners/XCeive2028.h"

#include "tests/hw/tuners/SimulatedTuner.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <memory>

using Bytes = std::vector<uint8_t>;
using virtualcard::RegisterChip;
using virtualcard::Transaction;

namespace {

// Builds a made-up firmware script word by word.
class Script
{
public:
    Script& Reset() { return Word(0x0000); }
    Script& Wait(unsigned ms) { return Word(0x8000 | ms); }
    Script& Message(const Bytes& bytes)
    {
        Word(static_cast<unsigned>(bytes.size()));
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    Script& End() { return Word(0xFFFF); }
    Script& Word(unsigned w)
    {
        m_bytes.push_back(static_cast<uint8_t>(w >> 8));
        m_bytes.push_back(static_cast<uint8_t>(w));
        return *this;
    }
    Script& Raw(const Bytes& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    FirmwareScript Get() const { return {m_bytes.data(), m_bytes.size()}; }

private:
    Bytes m_bytes;
};

Bytes Counting(size_t n, uint8_t first)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(first + i);
    return b;
}

// One script per slot, each a single message {0x10, tag} that names it.
struct TaggedScripts
{
    TaggedScripts()
    {
        const int tags = 2 + 5 + 4;
        for (int i = 0; i < tags; ++i)
            scripts[i].Message({0x10, static_cast<uint8_t>(0xA0 + i)}).End();
        set.baseA = scripts[0].Get();
        set.baseB = scripts[1].Get();
        for (int i = 0; i < 5; ++i)
            set.p[i] = scripts[2 + i].Get();
        for (int i = 0; i < 4; ++i)
            set.q[i] = scripts[7 + i].Get();
    }
    static uint8_t BaseA() { return 0xA0; }
    static uint8_t BaseB() { return 0xA1; }
    static uint8_t P(int n) { return static_cast<uint8_t>(0xA2 + n - 1); }
    static uint8_t Q(int n) { return static_cast<uint8_t>(0xA7 + n - 1); }
    Script scripts[11];
    XceiveScriptSet set;
};

template <class Tuner = CXCeive2028>
struct XceiveRig
{
    explicit XceiveRig(int cardType, const XceiveScriptSet* scripts = nullptr)
        : chip(std::make_shared<RegisterChip>())
    {
        sim.card.AddDevice(0xC2, chip);
        sim.card.AddDevice(0x00, std::make_shared<RegisterChip>());  // the no-address path
        sim.card.AddDevice(0x10, std::make_shared<RegisterChip>());
        sim.owner.cardType = cardType;
        tuner.reset(new Tuner(&sim.access, scripts));
        tuner->SetOwner(&sim.owner);
    }
    // Bytes written after the address, per message to `address`.
    std::vector<Bytes> WritesTo(uint8_t address) const
    {
        std::vector<Bytes> out;
        for (const Transaction& t : sim.card.I2CRecord(address)) {
            if (t.kind == Transaction::I2CWrite)
                out.push_back(t.bytes);
        }
        return out;
    }
    // The tags of the scripts sent, in order.
    Bytes Tags() const
    {
        Bytes out;
        for (const Bytes& w : WritesTo(0xC2)) {
            if (w.size() == 2 && w[0] == 0x10)
                out.push_back(w[1]);
        }
        for (const Bytes& w : WritesTo(0x10)) {
            if (w.size() == 1)
                out.push_back(w[0]);
        }
        return out;
    }
    SimulatedCard sim;
    std::shared_ptr<RegisterChip> chip;
    std::unique_ptr<Tuner> tuner;
};

} // namespace

TEST(XceiveScript, ResetWaitsAndPiecesOfAtMost64Bytes)
{
    FakeClock clock;
    XceiveRig<> rig(3);
    Script s;
    Bytes m64 = Counting(64, 0x30);
    Bytes m65 = Counting(65, 0x50);
    s.Reset().Wait(5).Message(m64).Message(m65).Message({0x77}).Word(0xFF10).End();
    EXPECT_TRUE(rig.tuner->LoadFirmwareScript(s.Get()));

    auto writes = rig.WritesTo(0xC2);
    ASSERT_EQ(3u, writes.size());
    EXPECT_EQ(m64, writes[0]);  // one piece: the first byte and 63 data bytes
    Bytes second(m65.begin(), m65.begin() + 64);
    EXPECT_EQ(second, writes[1]);
    EXPECT_EQ((Bytes{0x50, m65[64]}), writes[2]);  // led by the message's first byte again
    EXPECT_EQ(1, rig.sim.card.TunerResetPulses());
    // Reset low 200 ms, the script's waits, 10 ms after each piece; 0xFF10
    // is a wait of 0x7F10 ms, not an end.
    EXPECT_EQ((std::vector<DWORD>{200, 5, 10, 10, 10, 0x7F10}), clock.Sleeps());
}

TEST(XceiveScript, RefusesWhatItCannotRead)
{
    FakeClock clock;
    struct { const char* name; Script script; } cases[] = {
        {"end first", Script().End()},
        {"no end word", Script().Message({0x10, 1})},
        {"message past the end", Script().Word(5).Raw({0x10, 1, 2})},
        {"half a word", Script().Message({0x10, 1}).Raw({0xFF})},
        {"empty", Script()},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        XceiveRig<> rig(3);
        EXPECT_FALSE(rig.tuner->LoadFirmwareScript(c.script.Get()));
    }
    XceiveRig<> rig(3);
    EXPECT_FALSE(rig.tuner->LoadFirmwareScript(FirmwareScript{nullptr, 100}));
    EXPECT_TRUE(rig.WritesTo(0xC2).empty());
}

TEST(XceiveScript, FailedPieceEndsTheScript)
{
    FakeClock clock;
    XceiveRig<> rig(3);
    rig.sim.card.RemoveDevice(0xC2);
    Script s;
    s.Message({0x10, 1}).Message({0x10, 2}).End();
    EXPECT_FALSE(rig.tuner->LoadFirmwareScript(s.Get()));
    EXPECT_EQ(1u, rig.sim.card.I2CRecord(0xC2).size());
}

// Card type 0: the access object addresses the tuner itself; no device
// byte and no pause after the pieces.
TEST(XceiveScript, NoAddressVariant)
{
    FakeClock clock;
    XceiveRig<> rig(0);
    Script s;
    s.Message({0x10, 1, 2}).End();
    EXPECT_TRUE(rig.tuner->LoadFirmwareScript(s.Get()));
    EXPECT_EQ((std::vector<Bytes>{{1, 2}}), rig.WritesTo(0x10));
    EXPECT_TRUE(rig.WritesTo(0xC2).empty());
    EXPECT_EQ(0u, clock.TotalSlept());
}

TEST(XceiveStandards, ScriptChoiceByCardType)
{
    FakeClock clock;
    TaggedScripts t;
    struct Case { int cardType; DWORD standard; BOOL result; Bytes tags; } cases[] = {
        {3, STD_SECAM_L, 1, {TaggedScripts::BaseA(), TaggedScripts::P(5)}},
        {3, STD_NTSC_M, 1, {TaggedScripts::BaseB(), TaggedScripts::P(1)}},
        {3, STD_PAL_G, 1, {TaggedScripts::BaseA(), TaggedScripts::P(2)}},
        {3, STD_SECAM_K1, 1, {TaggedScripts::BaseA(), TaggedScripts::P(3)}},
        {3, STD_PAL_I, 1, {TaggedScripts::BaseA(), TaggedScripts::P(4)}},
        {3, 0x100000, 0, {}},
        {13, STD_SECAM_L, 1, {TaggedScripts::BaseA(), TaggedScripts::Q(4)}},
        {13, STD_PAL_I, 1, {TaggedScripts::BaseA(), TaggedScripts::Q(2)}},
        {13, STD_SECAM_H, 1, {TaggedScripts::BaseA(), TaggedScripts::Q(3)}},
        {13, STD_PAL_60, 1, {TaggedScripts::BaseB(), TaggedScripts::Q(1)}},
        {13, 0x100000, 1, {}},
        {0, STD_PAL_B, 1, {TaggedScripts::BaseA(), TaggedScripts::Q(2)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "card " << c.cardType << " standard 0x" << std::hex
                                        << c.standard);
        XceiveRig<> rig(c.cardType, &t.set);
        EXPECT_EQ(c.result, rig.tuner->SetStandard(c.standard));
        EXPECT_EQ(c.tags, rig.Tags());
        // An unlisted standard on the reset-style cards touches nothing.
        if (c.cardType == 13 && c.standard == 0x100000) {
            EXPECT_EQ(0, rig.sim.card.TunerResetPulses());
        }
    }
    // The variants keep to their own rule whatever the card.
    XceiveRig<CXCeive3028_AF> af(13, &t.set);
    EXPECT_TRUE(af.tuner->SetStandard(STD_SECAM_L));
    EXPECT_EQ((Bytes{TaggedScripts::BaseA(), TaggedScripts::P(5)}), af.Tags());
    XceiveRig<CXCeive3028_SIF> sif(3, &t.set);
    EXPECT_TRUE(sif.tuner->SetStandard(STD_SECAM_L));
    EXPECT_EQ((Bytes{TaggedScripts::BaseA(), TaggedScripts::Q(4)}), sif.Tags());
}

// The program ships no scripts: a standard change then fails, after the
// chip's reset.
TEST(XceiveStandards, WithoutScriptsAStandardChangeFails)
{
    FakeClock clock;
    XceiveRig<> rig(3);
    EXPECT_FALSE(rig.tuner->SetStandard(STD_PAL_B));
    EXPECT_TRUE(rig.WritesTo(0xC2).empty());
}

TEST(XceiveTuning, DividerAndMessages)
{
    FakeClock clock;
    EXPECT_EQ(6400, CXCeive2028::Divider(100000));
    {
        XceiveRig<> rig(3);
        ASSERT_TRUE(rig.tuner->SetTVFrequency(100000));
        EXPECT_EQ((std::vector<Bytes>{{0x00, 0x02, 0x00, 0x00}, {0x00, 0x00, 0x19, 0x00}}),
                  rig.WritesTo(0xC2));
        // The GPIO pulse between them: 1, then 0, with no pins driven.
        EXPECT_EQ((std::vector<DWORD>{10, 10, 20, 10}), clock.Sleeps());
    }
    {
        XceiveRig<> rig(0);
        ASSERT_TRUE(rig.tuner->SetTVFrequency(100000));
        EXPECT_EQ((std::vector<Bytes>{{0x02, 0x00, 0x00}, {0x00, 0x19, 0x00}}), rig.WritesTo(0x00));
    }
    {
        XceiveRig<CXCeive3028_SIF> rig(3);
        ASSERT_TRUE(rig.tuner->SetTVFrequency(100000));
        EXPECT_EQ((std::vector<Bytes>{{0x00, 0x02, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x19, 0x00, 0x00}}),
                  rig.WritesTo(0xC2));
    }
    // Frequencies the 16-bit divider cannot carry are refused unsent, on
    // every transport (1024000 kHz would wrap to divider 0).
    for (int cardType : {3, 0}) {
        XceiveRig<> rig(cardType);
        for (float kHz : {1024000.0f, -100.0f}) {
            EXPECT_FALSE(rig.tuner->SetTVFrequency(kHz)) << kHz;
        }
        EXPECT_TRUE(rig.sim.card.Record().empty());
        ASSERT_TRUE(rig.tuner->SetTVFrequency(1023984.375f));  // divider 65535
        Bytes last = cardType ? Bytes{0x00, 0x00, 0xFF, 0xFF} : Bytes{0x00, 0xFF, 0xFF};
        EXPECT_EQ(last, rig.WritesTo(cardType ? 0xC2 : 0x00).back());
    }
    XceiveRig<> none(3);
    none.sim.card.RemoveDevice(0xC2);
    EXPECT_FALSE(none.tuner->SetTVFrequency(100000));
}

TEST(XceiveLock, ReadsByCardType)
{
    FakeClock clock;
    {
        // Card type 0: the 16-bit value spans the second and third reply bytes.
        XceiveRig<> rig(0);
        auto chip = std::make_shared<RegisterChip>();
        rig.sim.card.AddDevice(0x00, chip);
        chip->SetReg(3, 0x00);
        chip->SetReg(4, 0x01);
        DWORD value = 0;
        EXPECT_TRUE(rig.tuner->GetI2CLock(&value));
        EXPECT_EQ(1u, value);
        auto reads = rig.sim.card.I2CRecord(0x01);
        ASSERT_EQ(2u, reads.size());
        EXPECT_EQ(3u, reads[1].bytes.size());
        chip->SetReg(3, 0x01);
        EXPECT_FALSE(rig.tuner->GetI2CLock(&value));
        EXPECT_EQ(0x101u, value);
    }
    {
        // Other cards read the chip's lock over I2C, never register 58.
        XceiveRig<> rig(3);
        rig.chip->SetStatus(1);
        DWORD locked = 0;
        EXPECT_TRUE(rig.tuner->GetSignalLock(&locked));
        EXPECT_EQ(1u, locked);
        for (const Transaction& t : rig.sim.card.Record())
            EXPECT_NE(Transaction::RegisterRead, t.kind);
        rig.chip->SetStatus(0);
        EXPECT_TRUE(rig.tuner->GetTVStatus(&locked));
        EXPECT_EQ(0u, locked);
    }
    {
        // The USB boxes: bit 0 of register 58 clear means locked.
        XceiveRig<> rig(12);
        rig.sim.card.WriteRegister(56, 0x00FE0000);  // byte 58 = 0xFE
        DWORD locked = 0;
        EXPECT_TRUE(rig.tuner->GetSignalLock(&locked));
        EXPECT_EQ(1u, locked);
        rig.sim.card.WriteRegister(56, 0x00010000);
        EXPECT_TRUE(rig.tuner->GetTVStatus(&locked));
        EXPECT_EQ(0u, locked);
    }
    {
        // Card type 13 asks the card's decoder, as the base tuner does.
        XceiveRig<> rig(13);
        DWORD locked = 5;
        EXPECT_TRUE(rig.tuner->GetSignalLock(&locked));
        EXPECT_GT(rig.sim.owner.lockQueries, 0);
    }
}
