#include "hw/tuners/TVTuner.h"

#include "hw/tuners/TunerModelTable.h"
#include "tests/hw/tuners/SimulatedTuner.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using Bytes = std::vector<uint8_t>;

// Divider = trunc((f + 38900) x 16 / 1000), band by the switch points
// 170000 / 450000, the base data's 48250-863250 range.
TEST(TVTuner, PllBytesAtAndAroundBandEdges)
{
    struct { float kHz; bool tunes; Bytes bytes; } cases[] = {
        {48249.0f, false, {}},
        {48250.0f, true, {0x05, 0x72, 0xCE, 0x01}},    // 1394.4 -> 1394
        {55250.0f, true, {0x05, 0xE2, 0xCE, 0x01}},    // 1506.4 -> 1506
        {169999.0f, true, {0x0D, 0x0E, 0xCE, 0x01}},   // 3342.384 -> 3342, low band
        {170000.0f, true, {0x0D, 0x0E, 0xCE, 0x02}},   // the switch point is mid band
        {449999.0f, true, {0x1E, 0x8E, 0xCE, 0x02}},   // 7822.384
        {450000.0f, true, {0x1E, 0x8E, 0xCE, 0x08}},
        {863250.0f, true, {0x38, 0x62, 0xCE, 0x08}},   // 14434.4
        {863251.0f, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kHz);
        SimulatedCard t;
        CTVTuner tuner(&t.access);
        EXPECT_EQ(c.tunes ? 1 : 0, tuner.SetTVFrequency(c.kHz));
        auto writes = t.TunerWrites();
        if (!c.tunes) {
            EXPECT_TRUE(writes.empty());
            continue;
        }
        ASSERT_EQ(1u, writes.size());
        EXPECT_EQ(c.bytes, writes[0]);
        // The card decodes the bytes back to within one 62.5 kHz step.
        EXPECT_LE(std::fabs(t.card.Tuner()->FrequencyKHz() - c.kHz), 62.5);
    }
}

TEST(TVTuner, FmDividerIsClampedToTheBand)
{
    struct { float kHz; Bytes bytes; } cases[] = {
        {100000.0f, {0x0D, 0xD6, 0x8A, 0xA5}},  // 110700 / 31.25 = 3542.4
        {120000.0f, {0x0E, 0xD6, 0x8A, 0xA5}},  // clamped to 108000: 3798.4
        {50000.0f, {0x0C, 0x46, 0x8A, 0xA5}},   // clamped to 87500: 3142.4
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kHz);
        SimulatedCard t;
        CTVTuner tuner(&t.access);
        tuner.m_bHasFM = 1;
        tuner.m_nFMMin = 87500;
        tuner.m_nFMMax = 108000;
        tuner.m_nFMIF = 10700;
        tuner.m_byFMControl = 0x8A;
        tuner.m_byFMBand = 0xA5;
        ASSERT_TRUE(tuner.SetFMFrequency(c.kHz));
        ASSERT_EQ(1u, t.TunerWrites().size());
        EXPECT_EQ(c.bytes, t.TunerWrites()[0]);
    }
    // The base data (FM limits 0, 0) sends the divider of the FM IF alone.
    SimulatedCard t;
    CTVTuner tuner(&t.access);
    tuner.m_nFMIF = 10700;
    ASSERT_TRUE(tuner.SetFMFrequency(95000.0f));
    EXPECT_EQ((Bytes{0x01, 0x56, 0xCE, 0x01}), t.TunerWrites()[0]);  // 342.4
}

TEST(TVTuner, StatusNeedsTheMaskBitAndTunedMeansTheThirdAfcCode)
{
    SimulatedCard t;
    t.card.SetCarriers({55250});
    CTVTuner tuner(&t.access);
    DWORD status = 99;
    EXPECT_FALSE(tuner.GetTVStatus(&status));  // nothing programmed: no lock flag
    EXPECT_EQ(99u, status);

    ASSERT_TRUE(tuner.SetTVFrequency(55250.0f));
    ASSERT_TRUE(tuner.GetTVStatus(&status));
    EXPECT_EQ(2u, status);
    EXPECT_TRUE(tuner.IsTVTuned());

    ASSERT_TRUE(tuner.SetTVFrequency(55250.0f + 500.0f));
    EXPECT_TRUE(tuner.GetTVStatus(&status));
    EXPECT_EQ(0u, status);  // far above the carrier
    EXPECT_FALSE(tuner.IsTVTuned());

    tuner.m_byStatusMask = 0x80;  // a module whose flag the PLL never sets
    EXPECT_FALSE(tuner.GetTVStatus(&status));
    tuner.m_byStatusAddr = 0xC6;  // nobody there
    tuner.m_byStatusMask = 0x40;
    EXPECT_FALSE(tuner.GetTVStatus(&status));
}

TEST(TVTuner, FmSignalFromTheTunedCode)
{
    virtualcard::PllConfig pll;
    pll.fmControl = 0x8A;
    SimulatedCard t(pll);
    t.card.SetStations({98000});
    CTVTuner tuner(&t.access);
    tuner.m_bHasFM = 1;
    tuner.m_nFMMin = 87500;
    tuner.m_nFMMax = 108000;
    tuner.m_nFMIF = 10700;
    tuner.m_byFMControl = 0x8A;
    ASSERT_TRUE(tuner.SetFMFrequency(98000.0f));
    EXPECT_TRUE(tuner.IsFMSignal());
    ASSERT_TRUE(tuner.SetFMFrequency(98300.0f));
    EXPECT_FALSE(tuner.IsFMSignal());
    tuner.m_fmStatuses.clear();
    ASSERT_TRUE(tuner.SetFMFrequency(98000.0f));
    EXPECT_FALSE(tuner.IsFMSignal());
}

TEST(TVTuner, SignalLockAsksTheCardTwice)
{
    FakeClock clock;
    SimulatedCard t;
    CTVTuner tuner(&t.access);
    DWORD locked = 5;
    EXPECT_FALSE(tuner.GetSignalLock(&locked));  // no owner
    EXPECT_EQ(5u, locked);

    tuner.SetOwner(&t.owner);
    EXPECT_TRUE(tuner.GetSignalLock(&locked));
    EXPECT_EQ(0u, locked);
    EXPECT_EQ(2, t.owner.lockQueries);
    EXPECT_EQ((std::vector<DWORD>{20, 10}), clock.Sleeps());

    t.card.SetCarriers({55250});
    ASSERT_TRUE(tuner.SetTVFrequency(55250.0f));
    EXPECT_TRUE(tuner.GetSignalLock(&locked));
    EXPECT_EQ(1u, locked);
    EXPECT_EQ(3, t.owner.lockQueries);

    t.owner.lockResult = E_FAIL;
    EXPECT_FALSE(tuner.GetSignalLock(&locked));
}

TEST(TVTuner, SettersValidateTheirValues)
{
    SimulatedCard t;
    CTVTuner tuner(&t.access);
    EXPECT_FALSE(tuner.SetSweepSteps(1000, 1000));
    EXPECT_FALSE(tuner.SetSweepSteps(3000, 0));
    EXPECT_TRUE(tuner.SetSweepSteps(1001, 1000));
    EXPECT_EQ(1001, tuner.m_nSweepJump);
    EXPECT_FALSE(tuner.SetSweepRange(0, 100));
    EXPECT_FALSE(tuner.SetSweepRange(100, 100));
    EXPECT_TRUE(tuner.SetSweepRange(100, 101));
    EXPECT_FALSE(tuner.SetFMStep(0));
    EXPECT_FALSE(tuner.SetFMSkip(-1));
    EXPECT_FALSE(tuner.SetFMRange(87500, 108000));  // no FM section
    tuner.m_bHasFM = 1;
    EXPECT_FALSE(tuner.SetFMRange(0, 108000));
    EXPECT_FALSE(tuner.SetFMRange(90000, 89000));
    EXPECT_TRUE(tuner.SetFMRange(87500, 87500));
    tuner.SetSettleTime(0);
    EXPECT_EQ(60, tuner.m_nSettleMs);
    tuner.SetSettleTime(5);
    EXPECT_EQ(5, tuner.m_nSettleMs);
}

TEST(TVTuner, StartsWithoutNotifyWindowAndCopiesWithoutThreads)
{
    SimulatedCard t;
    CTVTuner tuner(&t.access);
    EXPECT_EQ(HWND(NULL), tuner.GetNotifyWindow());
    EXPECT_FALSE(tuner.IsSearching());
    EXPECT_FALSE(tuner.StartSearch(FALSE, FALSE));  // no FM section

    tuner.m_nIF = 45750;
    tuner.m_standards = {STD_NTSC_M, STD_PAL_M};
    tuner.SetOwner(&t.owner);
    tuner.SetNotifyWindow(reinterpret_cast<HWND>(0x10));
    ASSERT_TRUE(tuner.CreateChannelSearchThread());
    CTVTuner copy(tuner);
    EXPECT_EQ(45750, copy.m_nIF);
    EXPECT_EQ(tuner.m_standards, copy.m_standards);
    EXPECT_EQ(&t.owner, copy.m_pCard);
    EXPECT_EQ(reinterpret_cast<HWND>(0x10), copy.GetNotifyWindow());
    EXPECT_EQ(nullptr, copy.m_pChannelSearch);
    EXPECT_EQ(0, copy.m_bSearching);
}

TEST(TVTuner, BuiltInChannelTableIsAscendingToTheTop)
{
    ASSERT_EQ(863.25f, CTVTuner::kChannelTable[94]);
    for (int i = 1; i < 95; ++i)
        EXPECT_LT(CTVTuner::kChannelTable[i - 1], CTVTuner::kChannelTable[i]) << i;
}

TEST(TunerModelTable, NamesByModelId)
{
    TunerModelTable& table = TunerModelTable::Instance();
    EXPECT_STREQ("FQ1216ME_5", table.Find(97));
    EXPECT_STREQ("MFO2GIP_5N_E", table.Find(9));
    EXPECT_STREQ("TNJ8355CF", table.Find(139));
    EXPECT_EQ(nullptr, table.Find(6));
    EXPECT_EQ(nullptr, table.Find(131));
    EXPECT_EQ(66u, table.Size());
    table.Fill();
    EXPECT_EQ(66u, table.Size());
    std::set<int> ids;
    for (const auto& pair : table.Pairs())
        EXPECT_TRUE(ids.insert(pair.first).second) << pair.first;
}
