// The control panel's time shift over the manager on made-up drives and a
// fake of the record graphs: the start's guards and messages, pause and
// stop with their refusals, the bar moved once a second from the buffer's
// figures, and the seek of a dragged bar.
#include "app/TimeShiftControl.h"

#include "engine/TVManager.h"
#include "resources/Resource.h"
#include "tests/engine/FakeDisks.h"
#include "tests/engine/FakeRecordGraphs.h"
#include "tests/engine/RecordingUi.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class FakeView : public ITimeShiftView
{
public:
    BOOL desktop = FALSE;
    std::vector<std::string> log;
    std::vector<UINT> messages;
    BarState state = kStopped;
    TimeShiftPosition bar = {-1, -1, -1, -1};
    UINT tick = 0;

    BOOL IsDesktopVideo() override { return desktop; }
    void ShowOsdText(UINT textId) override { log.push_back("osd " + std::to_string(textId)); }
    void PostMessageText(UINT textId, UINT captionId) override
    {
        messages.push_back(textId);
        // The limit is news, not an error.
        EXPECT_EQ(textId == IDS_TIMESHIFT_LIMIT_REACHED ? (UINT)IDS_TIMESHIFT : (UINT)IDS_TIMESHIFT_ERROR_CAPTION,
                  captionId);
    }
    void MuteForTuning() override { log.push_back("tuning mute"); }
    void EndTuningMute() override { log.push_back("tuning mute ends"); }
    void ClearMute() override { log.push_back("mute off"); }
    void SetBarState(BarState s) override { state = s; }
    void SetBar(const TimeShiftPosition& position) override { bar = position; }
    void SetTickTimer(UINT ms) override { tick = ms; }
    void UpdateChannelButtons() override { ++buttonUpdates; }
    int buttonUpdates = 0;
};

// The manager on one made-up drive Q: (reserve 300 MiB) with the fake graphs.
struct Rig
{
    Rig()
    {
        disks.Add("Q:\\", 5000);
        manager.reset(new CTVManager(work.Path().c_str(), &ui));
        manager->SetRecordGraphs(&graphs);
        ManagerSettings& s = manager->Settings();
        s.ReservedSpace = 300;
        s.VideoFolder = "TVVideo";
        s.CurDisk = "Q:\\";
        s.ValidDisk.RemoveAll();
        s.ValidDisk.Add("Q:\\");
        manager->InitRecordDisk(panel.Handle());
        control.reset(new CTimeShiftControl(*manager, view));
    }

    TempFolder work;
    FakeDisks disks;
    MessageBoxCapture boxes;
    RecordingUi ui;
    FakeRecordGraphs graphs;
    FakeView view;
    MessageWindow panel;
    std::unique_ptr<CTVManager> manager;
    std::unique_ptr<CTimeShiftControl> control;
};

class TimeShiftTest : public ::testing::Test
{
protected:
    void Start()
    {
        ASSERT_TRUE(control->Start());
        ASSERT_TRUE(graphs.tfRunning);
    }

    Rig rig;
    FakeRecordGraphs& graphs = rig.graphs;
    FakeView& view = rig.view;
    std::unique_ptr<CTimeShiftControl>& control = rig.control;
};

TEST_F(TimeShiftTest, AStartRunsTheGraphMutesTheLineAndStartsTheBar)
{
    Start();
    EXPECT_EQ(1, graphs.tfRuns);
    EXPECT_EQ(0u, graphs.tfFile.find("Q:\\TVVideo\\")) << graphs.tfFile;
    const std::vector<std::string> expected = {"osd " + std::to_string(IDS_TIMESHIFT), "tuning mute",
                                               "tuning mute ends"};
    EXPECT_EQ(expected, view.log);
    EXPECT_EQ(std::vector<BOOL>{TRUE}, graphs.playbackMutes);
    EXPECT_EQ(ITimeShiftView::kRunning, view.state);
    EXPECT_EQ(CTimeShiftControl::kTickMs, view.tick);
    EXPECT_TRUE(view.messages.empty());
    // Started twice: the second does nothing.
    EXPECT_FALSE(control->Start());
    EXPECT_EQ(1, graphs.tfRuns);
}

TEST(TimeShift, StartsThatAreRefusedOrFail)
{
    enum What { kRecording, kFM, kDesktop, kUnavailable, kNoDisk, kGraphFails };
    struct Case
    {
        What what;
        UINT message; // 0: refused without a word
        bool triedGraph;
    };
    const Case cases[] = {
        {kRecording, 0, false},
        {kFM, 0, false},
        {kDesktop, 0, false},
        {kUnavailable, IDS_TIMESHIFT_UNAVAILABLE, false},
        {kNoDisk, IDS_TIMESHIFT_NO_DISK, false},
        {kGraphFails, IDS_TIMESHIFT_START_FAILED, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        CTVManager* manager = rig.manager.get();
        FakeRecordGraphs& graphs = rig.graphs;
        FakeView& view = rig.view;
        switch (c.what) {
        case kRecording:
            ASSERT_TRUE(manager->StartRecord());
            break;
        case kFM:
            manager->GetHardware().Settings().VideoSource = CTVHardWare::kInputFM;
            break;
        case kDesktop:
            view.desktop = TRUE;
            break;
        case kUnavailable:
            graphs.tfAvailable = FALSE;
            break;
        case kNoDisk:
            rig.disks.SetFree("Q:\\", 100); // below the reserve
            break;
        case kGraphFails:
            graphs.tfRunResult = FALSE;
            break;
        }
        EXPECT_FALSE(rig.control->Start());
        EXPECT_EQ(c.triedGraph ? 1 : 0, graphs.tfRuns);
        EXPECT_EQ(c.message == 0 ? std::vector<UINT>() : std::vector<UINT>{c.message}, view.messages);
        EXPECT_EQ(ITimeShiftView::kStopped, view.state);
        EXPECT_EQ(0u, view.tick);
        EXPECT_TRUE(graphs.playbackMutes.empty());
    }
}

TEST_F(TimeShiftTest, PauseAndStopWithTheirRefusals)
{
    // Neither acts before time shift runs; the stop still gives the sound back.
    EXPECT_FALSE(control->Pause());
    EXPECT_TRUE(control->Stop());
    EXPECT_EQ(0, graphs.stops);
    EXPECT_EQ(std::vector<BOOL>{FALSE}, graphs.playbackMutes);
    graphs.playbackMutes.clear();

    Start();
    EXPECT_TRUE(control->Pause());
    EXPECT_EQ(ITimeShiftView::kPaused, view.state);
    EXPECT_TRUE(control->Pause());
    EXPECT_EQ(ITimeShiftView::kRunning, view.state);
    graphs.tfPauseResult = FALSE;
    EXPECT_FALSE(control->Pause());
    EXPECT_EQ(ITimeShiftView::kRunning, view.state);
    EXPECT_EQ(std::vector<UINT>{IDS_TIMESHIFT_PAUSE_FAILED}, view.messages);

    // A stop the graph refuses changes nothing but says so.
    view.messages.clear();
    view.log.clear();
    control->OnTick();
    graphs.stopResult = FALSE;
    EXPECT_FALSE(control->Stop());
    EXPECT_EQ(std::vector<UINT>{IDS_TIMESHIFT_STOP_FAILED}, view.messages);
    EXPECT_EQ(ITimeShiftView::kRunning, view.state);
    EXPECT_EQ(1, control->GetSeconds());
    EXPECT_TRUE(view.log.empty());

    graphs.stopResult = TRUE;
    EXPECT_TRUE(control->Stop());
    EXPECT_FALSE(graphs.tfRunning);
    EXPECT_EQ(ITimeShiftView::kStopped, view.state);
    EXPECT_EQ(0u, view.tick);
    EXPECT_EQ(0, control->GetSeconds());
    EXPECT_EQ(std::vector<std::string>{"mute off"}, view.log);
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), graphs.playbackMutes);
}

TEST_F(TimeShiftTest, TheBarFollowsTheBufferOnceASecondAndADragSeeks)
{
    Start();
    struct Tick
    {
        TimeShiftPosition filter;
        BOOL answers;
        TimeShiftPosition shown; // {-1...}: the bar stays as it was
    };
    const Tick ticks[] = {
        {{1000, 0, 100, 100}, TRUE, {1000, 0, 100, 100}},
        {{1000, 0, 400, 250}, TRUE, {1000, 0, 400, 250}},
        {{1000, 0, 400, 250}, FALSE, {1000, 0, 400, 250}}, // no answer: kept
        {{1000, 600, 1600, 900}, TRUE, {1000, 600, 1600, 900}}, // the ring has turned
    };
    int seconds = 0;
    for (const Tick& t : ticks) {
        graphs.tfPosition = t.filter;
        graphs.tfPositionResult = t.answers;
        control->OnTick();
        EXPECT_EQ(t.shown.capacity, view.bar.capacity);
        EXPECT_EQ(t.shown.start, view.bar.start);
        EXPECT_EQ(t.shown.end, view.bar.end);
        EXPECT_EQ(t.shown.read, view.bar.read);
        EXPECT_EQ(++seconds, control->GetSeconds());
        EXPECT_EQ(CTimeShiftControl::kTickMs, view.tick);
    }
    EXPECT_TRUE(control->SeekTo(700));
    EXPECT_EQ(std::vector<LONGLONG>{700}, graphs.seeks);

    // Time shift ended elsewhere: the next tick stops the bar and itself.
    graphs.tfRunning = FALSE;
    control->OnTick();
    EXPECT_EQ(ITimeShiftView::kStopped, view.state);
    EXPECT_EQ(0u, view.tick);
    EXPECT_FALSE(control->SeekTo(100));
    EXPECT_EQ(1u, graphs.seeks.size());
}

// With the limit on (the record page's reserve switch) time shift stops once
// it has run its stored length and says so; off, it runs on over its ring.
TEST_F(TimeShiftTest, TheLengthLimitStopsTimeShiftOnce)
{
    CTVManager& manager = *rig.manager;
    ASSERT_TRUE(manager.SetTFTime(600));
    ASSERT_TRUE(manager.SetTFReserved(0));
    Start();
    for (int i = 0; i < 700; ++i)
        control->OnTick();
    EXPECT_TRUE(graphs.tfRunning) << "no limit: time shift runs on";
    EXPECT_TRUE(view.messages.empty());
    ASSERT_TRUE(control->Stop());

    ASSERT_TRUE(manager.SetTFReserved(1));
    Start();
    for (int i = 0; i < 600; ++i)
        control->OnTick();
    EXPECT_TRUE(graphs.tfRunning);
    EXPECT_EQ(600, control->GetSeconds());
    const int updates = view.buttonUpdates;
    control->OnTick();
    EXPECT_FALSE(graphs.tfRunning);
    EXPECT_EQ(ITimeShiftView::kStopped, view.state);
    EXPECT_EQ(0u, view.tick);
    EXPECT_EQ(std::vector<UINT>{IDS_TIMESHIFT_LIMIT_REACHED}, view.messages);
    EXPECT_LT(updates, view.buttonUpdates);

    // A stop the graph refuses is said once; time shift and its bar go on.
    view.messages.clear();
    Start();
    graphs.stopResult = FALSE;
    for (int i = 0; i < 605; ++i)
        control->OnTick();
    EXPECT_TRUE(graphs.tfRunning);
    EXPECT_EQ(std::vector<UINT>{IDS_TIMESHIFT_STOP_FAILED}, view.messages);
    EXPECT_EQ(CTimeShiftControl::kTickMs, view.tick);
    EXPECT_EQ(605, control->GetSeconds());
    graphs.stopResult = TRUE;
}

} // namespace
