#include "hw/tuners/ChannelSearchTread.h"
#include "hw/tuners/FMSearchThread.h"
#include "graph/WindowMessages.h"

#include "tests/hw/tuners/SimulatedTuner.h"
#include "tests/support/FakeClock.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/Stress.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

using Points = std::vector<std::pair<int, int>>;  // (kHz, found)

Points SearchPoints(const MessageWindow& window)
{
    Points out;
    for (const PostedMessage& m : window.MessagesOf(WM_SEARCH_POINT))
        out.emplace_back(static_cast<int>(m.wParam), static_cast<int>(m.lParam));
    return out;
}

const float kShortTable[] = {49.75f, 57.75f, 65.75f, 77.25f, 85.25f};

struct SearchRig
{
    explicit SearchRig(const virtualcard::PllConfig& pll = virtualcard::PllConfig())
        : sim(pll), tuner(new CTVTuner(&sim.access))
    {
        tuner->SetOwner(&sim.owner);
        tuner->SetNotifyWindow(window.Handle());
    }
    SimulatedCard sim;
    MessageWindow window;
    std::unique_ptr<CTVTuner> tuner;
};

} // namespace

// Three carriers, one on a table entry and two off it by a fine step or
// two: exactly those are reported found, in table order, then the end.
TEST(ChannelSearch, TableSearchFindsTheCarriers)
{
    FakeClock clock;
    SearchRig rig;
    rig.sim.card.SetCarriers({57750, 65500, 85375});
    rig.tuner->m_pChannelTable = kShortTable;
    rig.tuner->m_nChannelCount = 5;
    ASSERT_TRUE(rig.tuner->StartSearch(TRUE, FALSE));
    EXPECT_FALSE(rig.tuner->StartSearch(TRUE, FALSE));  // one search at a time
    ASSERT_TRUE(rig.window.WaitFor(WM_SEARCH_END, 10000));
    EXPECT_EQ((Points{{49750, 0}, {57750, 1}, {65500, 1}, {77250, 0}, {85375, 1}}),
              SearchPoints(rig.window));
    EXPECT_EQ(WM_SEARCH_END, rig.window.Messages().back().message);
    EXPECT_FALSE(rig.tuner->IsSearching());
    EXPECT_EQ(0, rig.sim.owner.pauseCalls);  // the table search leaves polling alone
}

// The candidate order within one window: centre, then alternately below
// and above by 125 kHz, never reaching the window's edge.
TEST(ChannelSearch, FineSearchCandidateOrder)
{
    FakeClock clock;
    SearchRig rig;
    CChannelSearchTread thread(rig.tuner.get());
    float found = 0;
    int flag = 7;
    EXPECT_FALSE(thread.FineSearch(100000, 101250, 100000, &found, &flag));  // centre on the edge
    EXPECT_EQ(7, flag);
    ASSERT_TRUE(thread.FineSearch(100000 - 625, 100000 + 625, 100000, &found, &flag));
    EXPECT_EQ(0, flag);
    EXPECT_EQ(100000.0f, found);
    std::vector<double> tried;
    for (const auto& bytes : rig.sim.TunerWrites()) {
        int divider = (bytes[0] << 8) | bytes[1];
        tried.push_back(divider * 62.5 - 38900);
    }
    // Dividers are whole 62.5 kHz steps, so each candidate shows rounded down.
    std::vector<double> expected = {100000, 99875, 100125, 99750, 100250, 99625, 100375,
                                    99500, 100500};
    ASSERT_EQ(expected.size(), tried.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(expected[i], tried[i], 62.5) << i;
}

TEST(ChannelSearch, EntriesOutsideTheRangeAreReportedUnprobed)
{
    FakeClock clock;
    SearchRig rig;
    rig.sim.card.SetCarriers({49750});
    rig.tuner->m_nMinFreq = 50500;  // 49.75 MHz's window reaches below min - 1000
    rig.tuner->m_pChannelTable = kShortTable;
    rig.tuner->m_nChannelCount = 2;
    ASSERT_TRUE(rig.tuner->StartSearch(TRUE, FALSE));
    ASSERT_TRUE(rig.window.WaitFor(WM_SEARCH_END, 10000));
    EXPECT_EQ((Points{{49750, 0}, {57750, 0}}), SearchPoints(rig.window));
}

TEST(ChannelSearch, SweepJumpsPastFoundChannelsAndPausesPolling)
{
    FakeClock clock;
    SearchRig rig;
    rig.sim.card.SetCarriers({55250});
    ASSERT_TRUE(rig.tuner->SetSweepRange(55000, 61000));
    ASSERT_TRUE(rig.tuner->StartSearch(TRUE, TRUE));
    ASSERT_TRUE(rig.window.WaitFor(WM_SEARCH_END, 10000));
    // Found at 55250 -> next centre 58750 (jump 3500); nothing there -> 60750.
    EXPECT_EQ((Points{{55250, 1}, {58750, 0}, {60750, 0}}), SearchPoints(rig.window));
    EXPECT_EQ(1, rig.sim.owner.pauseCalls);
    EXPECT_EQ(1, rig.sim.owner.resumeCalls);
}

namespace {
// A module that tunes beyond its own maximum, as the clamping modules can
// end up doing near the top of the band.
class UnboundedTuner : public CTVTuner
{
public:
    using CTVTuner::CTVTuner;
    BOOL SetTVFrequency(float kHz) override { return WriteTVMessage(kHz, m_nIF, NULL, 0); }
};
} // namespace

TEST(ChannelSearch, SweepReportsNoMoreThanTheMaximum)
{
    FakeClock clock;
    SearchRig rig;
    rig.tuner.reset(new UnboundedTuner(&rig.sim.access));
    rig.tuner->SetOwner(&rig.sim.owner);
    rig.tuner->SetNotifyWindow(rig.window.Handle());
    rig.tuner->m_nMaxFreq = 100000;
    rig.sim.card.SetCarriers({100125});
    ASSERT_TRUE(rig.tuner->SetSweepRange(100000, 100500));
    ASSERT_TRUE(rig.tuner->StartSearch(TRUE, TRUE));
    ASSERT_TRUE(rig.window.WaitFor(WM_SEARCH_END, 10000));
    EXPECT_EQ((Points{{100000, 1}}), SearchPoints(rig.window));
}

// However a sweep ends - at the end of its range, or with its tuner
// deleted while it waits - it gives back the one pause it took.
TEST(ChannelSearch, SweepGivesBackItsPauseOnEveryEnd)
{
    {
        FakeClock clock;
        SearchRig rig;
        ASSERT_TRUE(rig.tuner->SetSweepRange(55000, 57000));
        ASSERT_TRUE(rig.tuner->StartSearch(TRUE, TRUE));
        ASSERT_TRUE(rig.window.WaitFor(WM_SEARCH_END, 10000));
        EXPECT_EQ(1, rig.sim.owner.pauseCalls);
        EXPECT_EQ(1, rig.sim.owner.resumeCalls);
    }
    {
        SearchRig rig;
        rig.tuner->SetSettleTime(60000);
        ASSERT_TRUE(rig.tuner->StartSearch(TRUE, TRUE));
        ASSERT_TRUE(WaitUntil([&] { return !rig.sim.TunerWrites().empty(); }));
        rig.tuner.reset();
        EXPECT_EQ(1, rig.sim.owner.pauseCalls);
        EXPECT_EQ(1, rig.sim.owner.resumeCalls);
    }
}

// StopSearch from the UI thread cuts the settle wait short: the search ends
// with WM_SEARCH_END and no point for the candidate it was waiting on.
TEST(ChannelSearch, StopFromTheUiThread)
{
    SearchRig rig;
    rig.tuner->SetSettleTime(60000);  // a wait only a stop can end
    ASSERT_TRUE(rig.tuner->StartSearch(TRUE, TRUE));
    ASSERT_TRUE(WaitUntil([&] { return !rig.sim.TunerWrites().empty(); }));
    EXPECT_TRUE(rig.tuner->IsSearching());
    rig.tuner->StopSearch();
    EXPECT_FALSE(rig.tuner->IsSearching());
    EXPECT_EQ(nullptr, rig.tuner->m_pChannelSearch);
    ASSERT_TRUE(rig.window.WaitFor(WM_SEARCH_END, 10000));
    EXPECT_TRUE(SearchPoints(rig.window).empty());
    EXPECT_EQ(1u, rig.sim.TunerWrites().size());
    EXPECT_EQ(1, rig.sim.owner.resumeCalls);  // the pause is given back
}

namespace {

// An FM-capable module whose PLL radio messages use control byte 0x8A.
virtualcard::PllConfig RadioPll()
{
    virtualcard::PllConfig pll;
    pll.fmControl = 0x8A;
    return pll;
}

void MakeRadio(CTVTuner& tuner, int minKHz, int maxKHz)
{
    tuner.m_bHasFM = 1;
    tuner.m_nFMMin = minKHz;
    tuner.m_nFMMax = maxKHz;
    tuner.m_nFMIF = 10700;
    tuner.m_byFMControl = 0x8A;
    tuner.m_byFMBand = 0xA5;
}

} // namespace

TEST(FMSearch, FindsTheStationAndSkipsPastIt)
{
    FakeClock clock;
    SearchRig rig(RadioPll());
    rig.sim.card.SetStations({88000});
    MakeRadio(*rig.tuner, 87500, 88500);
    ASSERT_TRUE(rig.tuner->SetFMSkip(300));
    ASSERT_TRUE(rig.tuner->StartSearch(FALSE, FALSE));
    ASSERT_TRUE(rig.window.WaitFor(WM_SEARCH_END, 10000));
    EXPECT_EQ((Points{{87500, 0}, {87600, 0}, {87700, 0}, {87800, 0}, {87900, 0}, {88000, 1},
                      {88300, 0}, {88400, 0}, {88500, 0}}),
              SearchPoints(rig.window));
    EXPECT_FALSE(rig.tuner->IsSearching());
    // Each point waited the fixed 150 ms after tuning (and nothing else).
    for (DWORD ms : clock.Sleeps())
        EXPECT_EQ(150u, ms);
}

TEST(FMSearch, FullBandPostsAtMostOnePointPerStep)
{
    FakeClock clock;
    SearchRig rig(RadioPll());
    MakeRadio(*rig.tuner, 87500, 108000);
    ASSERT_TRUE(rig.tuner->StartSearch(FALSE, FALSE));
    ASSERT_TRUE(rig.window.WaitFor(WM_SEARCH_END, 10000));
    EXPECT_EQ(206u, SearchPoints(rig.window).size());
}

// A band whose end sits at the top of the 32-bit range: the step past the
// end must end the search, not wrap round below it and go on for ever.
TEST(FMSearch, BandEndingAtTheTopOfTheRangeEnds)
{
    FakeClock clock;
    SearchRig rig(RadioPll());
    MakeRadio(*rig.tuner, 87500, 0x7FFFFFFF);
    ASSERT_TRUE(rig.tuner->SetFMStep(0x40000000));
    ASSERT_TRUE(rig.tuner->StartSearch(FALSE, FALSE));
    ASSERT_TRUE(rig.window.WaitFor(WM_SEARCH_END, 10000));
    EXPECT_EQ((Points{{87500, 0}, {87500 + 0x40000000, 0}}), SearchPoints(rig.window));
}

// While an FM search runs, the tuner is searching even if an ended channel
// search thread object is still around.
TEST(FMSearch, IsSearchingWhileEitherThreadRuns)
{
    SearchRig rig(RadioPll());
    {
        FakeClock clock;
        rig.tuner->m_pChannelTable = kShortTable;
        rig.tuner->m_nChannelCount = 1;
        ASSERT_TRUE(rig.tuner->StartSearch(TRUE, FALSE));
        ASSERT_TRUE(rig.window.WaitFor(WM_SEARCH_END, 10000));
    }
    ASSERT_NE(nullptr, rig.tuner->m_pChannelSearch);
    MakeRadio(*rig.tuner, 87500, 108000);  // about 30 s of real settle waits
    ASSERT_TRUE(rig.tuner->StartSearch(FALSE, FALSE));
    EXPECT_TRUE(rig.tuner->IsSearching());
    rig.tuner->StopSearch();
    EXPECT_FALSE(rig.tuner->IsSearching());
}
