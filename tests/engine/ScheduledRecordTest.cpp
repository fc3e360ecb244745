// A scheduled AVI recording on the virtual card that starts and stops by
// itself: an item added to the timing library, whose start and stop events
// (as the control panel receives them) drive the manager's recording road
// on the machine's own drive, and an AVI file of about the item's length at
// the end.
#include "AviFile.h"
#include "RecordOnCard.h"
#include "RecordingUi.h"
#include "ScreenPicture.h"

#include "engine/PathHelpers.h"
#include "engine/TVManager.h"
#include "platform/timing/Timing.h"
#include "tests/platform/standins/ServedAviMux.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const int kScheduledSeconds = 4;
const int kFramesPerSecond = 25; // PAL

// The item's timing record for a local time `secondsAhead` from now.
_tagTimingParam OnceFromNow(int secondsAhead, int duration)
{
    const CTime at(CTime::GetCurrentTime().GetTime() + secondsAhead);
    _tagTimingParam timing = {};
    timing.nYear = at.GetYear();
    timing.nMonth = at.GetMonth();
    timing.nDay = at.GetDay();
    timing.nHour = at.GetHour();
    timing.nMinute = at.GetMinute();
    timing.nSecond = at.GetSecond();
    timing.nDuration = duration;
    timing.nOnce = 1;
    return timing;
}

// The newest file of the folder with the extension, or the empty text.
std::string FindRecording(const CString& folder, const char* extension)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(PathJoin(folder, CString("*") + extension), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    std::string name = found.cFileName;
    FindClose(search);
    return std::string(PathJoin(folder, name.c_str()));
}

class ScheduledRecord : public ::testing::Test
{
protected:
    void TearDown() override
    {
        Timing_StopTrigger(0);
        Timing_Uninitialize();
        if (manager)
            manager->CloseDevice();
        manager.reset();
    }

    TempFolder dir;
    MessageBoxCapture boxes; // the missing remote key file's box
    RecordingUi ui;
    MessageWindow panel; // the control panel's part: schedule events and low disk
    PreviewHost& host = SharedPreviewHost();
    std::unique_ptr<CTVManager> manager;
};

TEST_F(ScheduledRecord, AnAviRecordingStartsAndStopsByItself)
{
    dir.Write("TVParam.ini", "[Channel]\r\nTVInput=0\r\nCountryCode=49\r\n"
                             "[Device]\r\nTunerStandard=32\r\nVideoSource=0\r\n");
    CChannelTable tv;
    tv.SetFM(FALSE);
    tv.AddChannel(CChannel(1, 471250, "E21", CHANNEL_VALID));
    ASSERT_TRUE(tv.SaveToFile(dir.File("TVChannel.tvc").c_str()));

    manager.reset(new CTVManager(dir.Path().c_str(), &ui));
    manager->GetHardware().SetVideoWindow(host.Handle());
    // Wine's file writer takes no stream writes and Wine's AVI Mux no sound:
    // the stand-ins write the AVI.
    ServedAviMux mux;
    manager->GetHardware().SetRecordDevices(StandInWriterDevices());
    manager->InitNameTables();
    manager->InitResourceIdMaps();
    manager->LoadSettings();
    manager->ApplyLoadedSettings();
    ASSERT_TRUE(manager->Startup()) << std::hex << GetStartupErrorCode();
    if (!manager->GetHardware().GetAudioFilter())
        GTEST_SKIP() << "no audio capture device in this prefix: recordings need one";
    ASSERT_TRUE(manager->RunPreview());
    ASSERT_TRUE(manager->GetTVTable().SetCurrentChannel(manager->GetTVTable().GetChannel(0)));

    // Recordings go to a folder of the scratch folder's own drive.
    const CString videos = PathJoin(dir.Path().c_str(), "Videos");
    ManagerSettings& settings = manager->Settings();
    settings.VideoDir = videos;
    settings.CurDisk = videos.Left(3);
    settings.ValidDisk.RemoveAll();
    settings.ValidDisk.Add(videos.Left(3));
    settings.ReservedSpace = 50;
    manager->InitRecordDisk(panel.Handle());
    ASSERT_FALSE(manager->IsRecordDisabled());
    ASSERT_STREQ(videos, manager->GetRecordFolder());
    ASSERT_TRUE(manager->SetRecordFormat(0));

    // The schedule: one item two seconds from now.
    ASSERT_TRUE(Timing_Initialize(dir.File("Rec.rec").c_str(), 128));
    ASSERT_TRUE(Timing_RegisterMsgWnd(panel.Handle()));
    _tagExcuteParam execute = {};
    execute.nSize = sizeof execute;
    execute.nDuration = kScheduledSeconds;
    execute.nFrequency = 471250;
    ASSERT_NE(nullptr, Timing_InsertItem(0, OnceFromNow(2, kScheduledSeconds), &execute));
    ASSERT_TRUE(Timing_StartTrigger(0));

    ASSERT_TRUE(panel.WaitFor(WM_TIMING_EVENT, 15000)) << "no start event";
    const ULONGLONG started = GetTickCount64();
    EXPECT_EQ(TIMING_EVENT_START, panel.MessagesOf(WM_TIMING_EVENT)[0].lParam);
    ASSERT_TRUE(manager->StartRecord());
    EXPECT_TRUE(manager->IsRecording());

    ASSERT_TRUE(panel.WaitFor(WM_TIMING_EVENT, (kScheduledSeconds + 10) * 1000, 2)) << "no stop event";
    // The schedule's own timing: the stop comes the item's length after the
    // start, to within the trigger's one-second tick.
    const double scheduled = (GetTickCount64() - started) / 1000.0;
    EXPECT_NEAR(kScheduledSeconds, scheduled, 1.5);
    EXPECT_EQ(TIMING_EVENT_STOP, panel.MessagesOf(WM_TIMING_EVENT)[1].lParam);
    ASSERT_TRUE(manager->StopRecord());
    EXPECT_FALSE(manager->IsRecording());

    const std::string file = FindRecording(videos, ".avi");
    ASSERT_FALSE(file.empty()) << "no recording in " << (LPCSTR)videos;
    AviContents avi;
    ASSERT_TRUE(ReadAviFile(file, &avi)) << file;
    EXPECT_TRUE(avi.hasVideoStream);
    const double seconds = double(avi.videoFrames + avi.emptyVideoChunks) / kFramesPerSecond;
    // The file holds the recording between the two: the graph's start costs
    // a share of it, a large one on a loaded machine.
    EXPECT_GE(seconds, 1.0) << avi.videoFrames << " frames";
    EXPECT_LE(seconds, kScheduledSeconds + 1.5) << avi.videoFrames << " frames";
}

} // namespace
