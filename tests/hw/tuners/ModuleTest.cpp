#include "hw/tuners/TunerModules.h"

#include "hw/tuners/TunerModelTable.h"
#include "tests/hw/tuners/SimulatedTuner.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

using Bytes = std::vector<uint8_t>;
using virtualcard::RegisterChip;
using virtualcard::Transaction;

namespace {

struct ModuleRig
{
    explicit ModuleRig(int type) : demod(std::make_shared<RegisterChip>())
    {
        sim.card.AddDevice(0x86, demod);
        sim.card.AddDevice(0x56, std::make_shared<RegisterChip>());
        sim.card.AddDevice(0xB6, std::make_shared<RegisterChip>());
        sim.card.AddDevice(0x40, std::make_shared<RegisterChip>());
        sim.card.AddDevice(0xC6, std::make_shared<RegisterChip>());  // a second tuner address
        tuner.reset(CreateTunerModule(type, &sim.access));
    }
    // Every write the bus carried, as {address, bytes...}.
    std::vector<Bytes> Writes() const
    {
        std::vector<Bytes> out;
        for (const Transaction& t : sim.card.Record()) {
            if (t.kind != Transaction::I2CWrite)
                continue;
            Bytes b{static_cast<uint8_t>(t.address)};
            b.insert(b.end(), t.bytes.begin(), t.bytes.end());
            out.push_back(b);
        }
        return out;
    }
    SimulatedCard sim;
    std::shared_ptr<RegisterChip> demod;
    std::unique_ptr<CTVTuner> tuner;
};

} // namespace

// Tuning messages worked out from each module's data: divider =
// trunc((f + IF) x 16 / 1000), the band byte by the switch points, the
// control byte, and the aux byte of the six-byte modules.
TEST(TunerModules, TuningBytesAtAndAroundBandEdges)
{
    struct Case { int type; float kHz; DWORD standard; bool tunes; Bytes bytes; } cases[] = {
        // Starts at 18250 kHz, unlike its sibling.
        {23, 20000, STD_PAL_B, true, {0xC0, 0x03, 0xAE, 0xCE, 0x01}},
        {20, 20000, STD_PAL_B, false, {}},
        {20, 48250, STD_PAL_B, true, {0xC0, 0x05, 0x72, 0xCE, 0x01}},
        // Clamping modules: second IF for SECAM L1, edges, clamp above the top.
        {12, 100000, STD_SECAM_L1, true, {0xC0, 0x08, 0x5E, 0xCE, 0x01}},  // (f + 33900)
        {12, 100000, STD_PAL_B, true, {0xC0, 0x08, 0xAE, 0xCE, 0x01}},
        {12, 160249, STD_PAL_B, true, {0xC0, 0x0C, 0x72, 0xCE, 0x01}},
        {12, 160250, STD_PAL_B, true, {0xC0, 0x0C, 0x72, 0xCE, 0x02}},
        {12, 900000, STD_PAL_B, true, {0xC0, 0x38, 0x62, 0xCE, 0x04}},     // sent as 863250
        {13, 100000, STD_SECAM_L1, true, {0xC0, 0x08, 0x5F, 0xCE, 0x01}},  // 33950: 2143.2
        {92, 471250, STD_PAL_B, true, {0xC0, 0x1F, 0xE2, 0xCE, 0x04, 0xA0}},
        {92, 471250, STD_SECAM_L, true, {0xC0, 0x1F, 0xE2, 0xCE, 0x04, 0x20}},
        {92, 471250, STD_SECAM_L1, true, {0xC0, 0x1F, 0x92, 0xCE, 0x04, 0x20}},
        {93, 471250, STD_SECAM_L1, true, {0xC0, 0x1F, 0xE2, 0xCE, 0x04, 0x20}},
        {97, 471250, STD_PAL_B, true, {0xC0, 0x1F, 0xE2, 0xCE, 0x04}},      // aux not sent
        {96, 90000, STD_NTSC_M_J, true, {0xC0, 0x09, 0x60, 0xCE, 0x01, 0x50}},  // from 91250
        // 250 kHz offset: 140000 tunes 140250, not below the switch point.
        {59, 140000, STD_PAL_B, true, {0xC0, 0x0B, 0x32, 0x8E, 0x02}},
        {59, 139999, STD_PAL_B, true, {0xC0, 0x0B, 0x32, 0x8E, 0x01}},
        {59, 863250, STD_PAL_B, false, {}},
        {72, 147250, STD_PAL_B, true, {0xC0, 0x0B, 0xA2, 0x8E, 0x02}},      // no offset
        // Own band bytes, IFs and addresses.
        {68, 165250, STD_NTSC_M, true, {0xC0, 0x0E, 0x00, 0xCE, 0x22}},
        {70, 463250, STD_PAL_B, true, {0xC0, 0x1F, 0x62, 0xCE, 0x18}},
        {2, 55250, STD_NTSC_M, true, {0xC0, 0x06, 0x50, 0xCE, 0x01}},
        {53, 49750, STD_PAL_D, true, {0xC0, 0x05, 0x7C, 0xCE, 0x01}},       // IF 38000
        {10, 170000, STD_PAL_B, true, {0xC0, 0x0D, 0x0E, 0xC8, 0x90}},
        {15, 801250, STD_NTSC_M, true, {0xC6, 0x34, 0xF0, 0xCE, 0x30}},     // writes at 0xC7
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " at " << c.kHz);
        ModuleRig rig(c.type);
        ASSERT_NE(nullptr, rig.tuner);
        rig.tuner->m_nStandard = static_cast<int>(c.standard);
        EXPECT_EQ(c.tunes ? 1 : 0, rig.tuner->SetTVFrequency(c.kHz));
        auto writes = rig.Writes();
        if (!c.tunes) {
            EXPECT_TRUE(writes.empty());
            continue;
        }
        ASSERT_EQ(1u, writes.size());
        EXPECT_EQ(c.bytes, writes[0]);
    }
}

// The demodulator's registers 0, 1, 2 per standard (address first).
TEST(TunerModules, StandardSetUps)
{
    struct Case { int type; DWORD standard; std::vector<Bytes> writes; DWORD slept; } cases[] = {
        {12, STD_PAL_D, {{0x56, 0, 0x56}, {0x56, 1, 0x70}, {0x56, 2, 0x0B}}, 100},
        {13, STD_SECAM_L, {{0x86, 0, 0x46}, {0x86, 1, 0x50}, {0x86, 2, 0x4B}}, 100},
        {92, STD_SECAM_K, {{0x86, 0, 0x16}, {0x86, 1, 0x70}, {0x86, 2, 0x4B}}, 0},
        {92, STD_NTSC_M, {{0x86, 0, 0x16}, {0x86, 1, 0x70}, {0x86, 2, 0x49}}, 0},  // PAL B column
        {97, STD_SECAM_L1, {{0x86, 0, 0x86}, {0x86, 1, 0x50}, {0x86, 2, 0x53}}, 0},
        {75, STD_PAL_D, {{0x86, 0, 0xD6}, {0x86, 1, 0x70}, {0x86, 2, 0x4A}}, 0},
        {67, STD_SECAM_D, {{0x86, 0, 0x16}, {0x86, 1, 0x70}, {0x86, 2, 0x4B}}, 0},
        {70, STD_SECAM_G, {{0x86, 0, 0x06}, {0x86, 1, 0x50}, {0x86, 2, 0x4B}}, 0},
        {70, STD_PAL_I, {{0x86, 0, 0x16}, {0x86, 1, 0x30}, {0x86, 2, 0x4A}}, 0},
        {68, STD_NTSC_M_J, {{0x86, 0, 0x16}, {0x86, 1, 0x70}, {0x86, 2, 0x00}}, 0},
        {17, STD_PAL_I, {{0x86, 0, 0x52}, {0x86, 1, 0x70}, {0x86, 2, 0x0A}}, 0},
        {132, STD_PAL_D, {{0x86, 0, 0xD6}, {0x86, 1, 0x30}, {0x86, 2, 0x4A}}, 0},
        {72, STD_PAL_D, {{0x86, 0, 0xD6}, {0x86, 1, 0x70}, {0x86, 2, 0x4B}}, 0},
        {72, STD_SECAM_K, {{0x86, 0, 0xD6}, {0x86, 1, 0x70}, {0x86, 2, 0x4A}}, 0},
        {59, STD_PAL_G, {{0x86, 0, 0xD6}, {0x86, 1, 0x70}, {0x86, 2, 0x49}}, 0},
        {63, STD_PAL_M, {{0x86, 0, 0xD6}, {0x86, 1, 0x30}, {0x86, 2, 0x00}}, 0},
        {94, STD_NTSC_M, {{0x86, 0, 0x56}, {0x86, 1, 0x30}, {0x86, 2, 0x44}}, 0},
        {96, STD_NTSC_M_J, {{0x86, 0, 0x56}, {0x86, 1, 0x30}, {0x86, 2, 0x40}}, 0},
        {98, STD_PAL_N, {{0x86, 0, 0x56}, {0x86, 1, 0x30}, {0x86, 2, 0x44}}, 0},
        {139, STD_SECAM_L, {{0x86, 0, 0x06}, {0x86, 1, 0x50}, {0x86, 2, 0x4B}}, 0},
        {139, STD_NTSC_M, {{0x86, 0, 0x16}, {0x86, 1, 0x70}, {0x86, 2, 0x09}}, 0},  // PAL B column
        {100, STD_NTSC_M_J,
         {{0x86, 0, 0xD0}, {0x86, 1, 0x0D}, {0x86, 2, 0x80}, {0xB6, 0, 0x80}, {0xB6, 1, 0x04}}, 0},
        {4, STD_PAL_D, {}, 0},  // no demodulator: nothing to do
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " standard 0x" << std::hex
                                        << c.standard);
        FakeClock clock;
        ModuleRig rig(c.type);
        EXPECT_TRUE(rig.tuner->SetStandard(c.standard));
        EXPECT_EQ(c.writes, rig.Writes());
        EXPECT_EQ(c.slept, clock.TotalSlept());
    }
}

TEST(TunerModules, StandardSetUpFormsAndFailures)
{
    // Byte form goes out as the I2C byte property, block form as the block one.
    {
        ModuleRig rig(92);
        rig.tuner->SetStandard(STD_PAL_B);
        EXPECT_EQ(2u, rig.sim.set.Calls()[0].id);
        ModuleRig block(17);
        block.tuner->SetStandard(STD_PAL_B);
        EXPECT_EQ(6u, block.sim.set.Calls()[0].id);
    }
    // Without a demodulator: "last" and "first" read their one write; the
    // stopping kind ends at the first failure.
    struct { int type; size_t attempts; } cases[] = {{92, 3}, {17, 3}, {72, 1}, {94, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ModuleRig rig(c.type);
        rig.sim.card.RemoveDevice(0x86);
        EXPECT_FALSE(rig.tuner->SetStandard(STD_PAL_B));
        EXPECT_EQ(c.attempts, rig.sim.card.I2CRecord(0x86).size());
    }
    // The IF follows the standard on the module that changes it.
    ModuleRig rig(139);
    rig.tuner->SetStandard(STD_SECAM_L1);
    EXPECT_EQ(33900, rig.tuner->m_nIF);
    rig.tuner->SetStandard(STD_PAL_I);
    EXPECT_EQ(38900, rig.tuner->m_nIF);
}

// AFC code from the demodulator status byte: a = (byte >> 1) & 15.
TEST(TunerModules, DemodulatorStatusCodes)
{
    struct Case { int type; BYTE status; DWORD code; } cases[] = {
        {93, 0x1E, 3}, {92, 0x1E, 3}, {97, 0x1E, 3}, {70, 0x1E, 3}, {100, 0x1E, 3},
        {93, 0x0A, 2}, {92, 0x0A, 4}, {97, 0x0A, 2}, {70, 0x0A, 2},   // a = 5
        {93, 0x02, 2}, {92, 0x02, 2}, {97, 0x02, 3}, {70, 0x02, 3},   // a = 1
        {93, 0x1A, 1}, {92, 0x1A, 1}, {97, 0x1A, 1}, {70, 0x1A, 3},   // a = 13
        {93, 0x12, 2}, {92, 0x12, 0}, {75, 0x12, 2}, {132, 0x12, 2},  // a = 9
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " status " << int(c.status));
        ModuleRig rig(c.type);
        rig.demod->SetStatus(c.status);
        DWORD code = 99;
        ASSERT_TRUE(rig.tuner->GetTVStatus(&code));
        EXPECT_EQ(c.code, code);
        auto reads = rig.sim.card.I2CRecord(0x87);
        ASSERT_EQ(1u, reads.size());
        EXPECT_EQ(0x87u, reads[0].address);
    }
    // CTNJ3321CF: bit 6 of the PLL status byte, 1 or 0.
    ModuleRig rig(67);
    DWORD code = 99;
    ASSERT_TRUE(rig.tuner->SetTVFrequency(100000));
    ASSERT_TRUE(rig.tuner->GetTVStatus(&code));
    EXPECT_EQ(1u, code);
    ModuleRig none(93);
    none.sim.card.RemoveDevice(0x86);
    EXPECT_FALSE(none.tuner->GetTVStatus(&code));
}

TEST(TunerModules, TunedTestOnItsOwnRegister)
{
    ModuleRig rig(97);
    auto chip = std::make_shared<RegisterChip>();
    rig.sim.card.AddDevice(0x42, chip);
    chip->SetReg(31, 0x00);
    EXPECT_TRUE(rig.tuner->IsTVTuned());
    chip->SetReg(31, 0x40);
    EXPECT_FALSE(rig.tuner->IsTVTuned());
    EXPECT_EQ(0, static_cast<CFQ1216ME_5*>(rig.tuner.get())->m_bFlag);
}

// A demodulator reports a station as 4; without its indicator bits there
// is no station, whatever status the caller held.
TEST(TunerModules, DemodulatorFmStatus)
{
    struct Case { int type; BYTE status; BOOL result; DWORD code; } cases[] = {
        {98, 0xA0, 1, 4},   // bits 5 and 7, a = 0
        {98, 0xBA, 1, 4},   // a = 13 counts here
        {98, 0xA8, 1, 0},   // a = 4
        {98, 0x80, 0, 99},  // bit 5 missing
        {98, 0x00, 0, 99},
        {70, 0x80, 1, 4},   // either bit will do
        {70, 0x20, 1, 4},
        {70, 0xBA, 1, 0},   // a = 13 does not
        {70, 0x00, 0, 99},
        {68, 0x9C, 1, 4},   // a = 14
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " status " << int(c.status));
        ModuleRig rig(c.type);
        rig.demod->SetStatus(c.status);
        DWORD code = 99;
        EXPECT_EQ(c.result, rig.tuner->GetFMStatus(&code));
        EXPECT_EQ(c.code, code);
        EXPECT_EQ(c.result && c.code == 4, rig.tuner->IsFMSignal());
    }
}

TEST(TunerModules, FmSetUps)
{
    {
        // Demodulator bytes after a successful FM tuning.
        ModuleRig rig(70);
        ASSERT_TRUE(rig.tuner->SetFMFrequency(100000));
        auto writes = rig.Writes();
        ASSERT_EQ(4u, writes.size());
        EXPECT_EQ((Bytes{0xC0, 0x0D, 0xD6, 0x8A, 0x21}), writes[0]);
        EXPECT_EQ((Bytes{0x86, 0, 0x5D}), writes[1]);
        EXPECT_EQ((Bytes{0x86, 2, 0x00}), writes[3]);
    }
    {
        ModuleRig rig(98);
        rig.sim.card.RemoveDevice(0x86);
        EXPECT_TRUE(rig.tuner->SetFMFrequency(100000));  // the tuning result stands
        EXPECT_EQ(1u, rig.sim.card.I2CRecord(0x86).size());  // stopped at the first failure
    }
    {
        // 50 kHz divider after the demodulator preparation.
        FakeClock clock;
        ModuleRig rig(92);
        ASSERT_TRUE(rig.tuner->SetFMFrequency(100000));
        EXPECT_EQ((std::vector<Bytes>{{0xC0, 0x08, 0xFF, 0x8E, 0x01},
                                      {0xC0, 0x08, 0xFF, 0x8E, 0x19},
                                      {0x86, 0x00, 0x5A, 0x90, 0x20},
                                      {0xC0, 0x08, 0xA6, 0x88, 0x19}}),  // 110700 x 20 / 1000
                  rig.Writes());
        EXPECT_EQ(10u, clock.TotalSlept());
    }
    {
        // The radio decoder's word in kHz: (100000 + 10700) x 16 / 1000 = 1771.
        ModuleRig rig(138);
        ASSERT_TRUE(rig.tuner->SetFMFrequency(100000));
        auto writes = rig.Writes();
        ASSERT_EQ(3u, writes.size());
        EXPECT_EQ((Bytes{0x40, 0x09, 0xC0, 0x04, 0, 0, 0, 0}), writes[1]);
        EXPECT_EQ((Bytes{0x40, 0x14, 0xEB, 0x06, 0x8E, 0x11, 0, 0}), writes[2]);
        // Above the band the PLL gets 108000, and so does the decoder:
        // (108000 + 10700) x 16 / 1000 = 1899.
        ASSERT_TRUE(rig.tuner->SetFMFrequency(120000));
        writes = rig.Writes();
        ASSERT_EQ(6u, writes.size());
        EXPECT_EQ((Bytes{0xC0, 0x0E, 0xD6, 0x8A, 0x11}), writes[3]);  // 118700 / 31.25
        EXPECT_EQ((Bytes{0x40, 0x14, 0x6B, 0x07, 0x8E, 0x11, 0, 0}), writes[5]);
        rig.sim.card.RemoveDevice(0x40);
        EXPECT_FALSE(rig.tuner->SetFMFrequency(100000));
    }
    {
        // The 32.768 kHz section, when switched on.
        ModuleRig rig(60);
        rig.tuner->m_nFMMode = 1;
        ASSERT_TRUE(rig.tuner->SetFMFrequency(100000));
        // N = trunc((100000000 + 225000) x 4 / 32768) = 12234 = 0x2FCA
        EXPECT_EQ((Bytes{0xC0, 0x6F, 0xCA, 0xD0, 0x30, 0x00}), rig.Writes()[0]);
    }
}

// Every plain PLL module can find a station: its tuned AFC code counts.
TEST(TunerModules, PlainPllModuleFindsAStation)
{
    virtualcard::PllConfig pll;
    pll.fmControl = 0x8A;
    pll.afc[2] = 3;  // CTCL2002MB_33F's tuned code
    SimulatedCard radio(pll);
    radio.card.SetStations({98000});
    std::unique_ptr<CTVTuner> tuner(CreateTunerModule(14, &radio.access));
    EXPECT_EQ(std::vector<DWORD>{3}, tuner->m_fmStatuses);
    ASSERT_TRUE(tuner->SetFMFrequency(98000));
    EXPECT_TRUE(tuner->IsFMSignal());
    ASSERT_TRUE(tuner->SetFMFrequency(98500));
    EXPECT_FALSE(tuner->IsFMSignal());
}

TEST(TunerModules, EveryTypeOfTheTableIsMade)
{
    size_t count = 0;
    const TunerModuleData* rows = TunerModules(&count);
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(rows[i].className);
        std::unique_ptr<CTVTuner> tuner(CreateTunerModule(rows[i].type, NULL));
        ASSERT_NE(nullptr, tuner);
        EXPECT_EQ(rows[i].type, tuner->m_nModelId);
        EXPECT_FALSE(tuner->m_standards.empty());
        EXPECT_LT(tuner->m_nMinFreq, tuner->m_nBand1Top);
        EXPECT_LE(tuner->m_nBand1Top, tuner->m_nBand2Top);
        EXPECT_LT(tuner->m_nBand2Top, tuner->m_nMaxFreq);
        EXPECT_EQ(1u, tuner->m_fmStatuses.size());
        // Only these modules have no display name.
        static const std::set<int> unnamed = {20, 21, 22, 23, 24, 131, 142, 143};
        if (!unnamed.count(rows[i].type)) {
            EXPECT_NE(nullptr, TunerModelTable::Instance().Find(rows[i].type));
        }
        EXPECT_FALSE(tuner->SetTVFrequency(100000));  // no access object: nothing sent
    }
    EXPECT_EQ(nullptr, CreateTunerModule(6, NULL));
    EXPECT_EQ(nullptr, CreateTunerModule(0, NULL));
    std::unique_ptr<CTVTuner> fq1286(CreateTunerModule(96, NULL));
    EXPECT_EQ(STD_NTSC_M_J, static_cast<DWORD>(fq1286->m_nStandard));
}

TEST(TunerModules, CopyModuleTableTakesTheFittedModule)
{
    std::unique_ptr<CTVTuner> lgm(CreateTunerModule(72, NULL));
    lgm->m_afc[0] = 9;
    CFQ1216ME_5 target(NULL);
    size_t before = target.m_standards.size();
    target.CopyModuleTable(*lgm);
    EXPECT_EQ(72, target.m_nModelId);
    EXPECT_EQ(0x8E, target.m_byControl);
    EXPECT_EQ(147250, target.m_nBand1Top);
    EXPECT_EQ(9, target.m_afc[0]);
    EXPECT_EQ(before + lgm->m_standards.size(), target.m_standards.size());
    EXPECT_EQ(0x42, target.m_byStatusRegAddr);

    std::unique_ptr<CTVTuner> js(CreateTunerModule(13, NULL));
    CFQ1216ME_5 other(NULL);
    int afc0 = other.m_afc[0];
    js->m_afc[0] = 9;
    other.CopyModuleTable(*js);
    EXPECT_EQ(0x86, other.m_byStatusRegAddr);
    EXPECT_EQ(afc0, other.m_afc[0]);  // AFC codes only from the LG modules
}
