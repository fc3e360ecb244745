// The manager's recording road over made-up drives and a fake of the
// record graphs: file names for a fixed time, the guards before a start,
// the record disk's choice and moves, time shift and snapshots.
#include "engine/PathHelpers.h"
#include "engine/TVManager.h"
#include "tests/engine/FakeDisks.h"
#include "tests/engine/FakeRecordGraphs.h"
#include "tests/engine/RecordingUi.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <memory>
#include <string>
#include <vector>

namespace {

class TimedMessageUi : public RecordingUi
{
public:
    int ShowMessage(UINT id, UINT flags) override
    {
        messages.push_back(id);
        messageFlags = flags;
        return IDOK;
    }
    int ShowTimedMessage(LPCSTR text, UINT seconds) override
    {
        timedMessages.push_back(text ? text : "");
        timedSeconds = seconds;
        return IDOK;
    }
    std::vector<UINT> messages;
    UINT messageFlags = 0;
    std::vector<std::string> timedMessages;
    UINT timedSeconds = 0;
};

CTime FixedNow()
{
    return CTime(2026, 3, 7, 9, 5, 2);
}

// The drives P:, Q: and R: (drives the test prefix does not have, so no
// folder is made on the machine); reserve 300 MiB.
class RecordRoadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        disks.Add("P:\\", 5000);
        disks.Add("Q:\\", 5000);
        disks.Add("R:\\", 5000);
        manager.reset(new CTVManager(work.Path().c_str(), &ui));
        manager->SetRecordGraphs(&graphs);
        manager->SetClock(&FixedNow);
        ManagerSettings& s = manager->Settings();
        s.ReservedSpace = 300;
        s.VideoFolder = "TVVideo";
        s.VideoDir = "Q:\\Movies\\TV";
        s.CurDisk = "Q:\\";
        s.ValidDisk.RemoveAll();
        s.ValidDisk.Add("P:\\");
        s.ValidDisk.Add("Q:\\");
    }

    TempFolder work;
    FakeDisks disks;
    MessageBoxCapture boxes;
    TimedMessageUi ui;
    FakeRecordGraphs graphs;
    MessageWindow panel;
    std::unique_ptr<CTVManager> manager;
};

TEST_F(RecordRoadTest, FileNamesForAFixedTime)
{
    enum Kind { kVideo, kFM, kSnapshot };
    struct Case
    {
        Kind kind;
        int format;
        const char* name;
    };
    const Case cases[] = {
        {kVideo, 0, "20260307-090502.avi"}, {kVideo, 1, "20260307-090502.mpg"},
        {kVideo, 2, "20260307-090502.mpg"}, {kVideo, 3, "20260307-090502.avi"},
        {kVideo, 4, "20260307-090502.mpg"}, {kVideo, 7, "20260307-090502.mpg"},
        {kVideo, 8, "20260307-090502.avi"}, {kVideo, -1, "20260307-090502.avi"},
        {kFM, 0, "20260307-090502.avi"},    {kFM, 2, "20260307-090502.mp2"},
        {kFM, 3, "20260307-090502.avi"},    {kSnapshot, 2, "20260307-090502.jpg"},
        {kSnapshot, 1, "20260307-090502.bmp"}, {kSnapshot, 0, "20260307-090502.bmp"},
    };
    for (const Case& c : cases) {
        const CString name = c.kind == kVideo ? manager->GetRecordFileName(c.format)
                             : c.kind == kFM  ? manager->GetFMRecordFileName(c.format)
                                              : manager->GetSnapshotFileName(c.format);
        EXPECT_STREQ(c.name, name) << "kind " << c.kind << " format " << c.format;
    }
}

TEST_F(RecordRoadTest, FormatNames)
{
    const char* const video[] = {"AVI", "MPEG1", "MPEG2", "MPEG4", "VCD", "SVCD", "DVD", "HIDVD", ""};
    for (int id = 0; id <= 8; ++id) {
        CString name;
        manager->GetRecordFormatNameById(name, id);
        EXPECT_STREQ(video[id], name) << id;
    }
    const char* const fm[] = {"PCM", "ADPCM", "MP2", "", ""};
    for (int id = 0; id <= 4; ++id) {
        CString name;
        manager->GetFMRecordFormatName(name, id);
        EXPECT_STREQ(fm[id], name) << id;
    }
    CCustomFMFormat& user = manager->GetCustomFMFormat();
    user.GetAt(0)->Name = "Speech";
    user.SetSelected(0);
    CString name;
    manager->GetFMRecordFormatName(name, 3);
    EXPECT_STREQ("Speech", name);
    user.SetSelected(1);
    manager->GetFMRecordFormatName(name, 3);
    EXPECT_STREQ("", name);

    EXPECT_FALSE(manager->SetRecordFormat(8));
    ASSERT_TRUE(manager->SetRecordFormat(5));
    manager->GetRecordFormatName(name);
    EXPECT_STREQ("SVCD", name);
}

TEST_F(RecordRoadTest, StartRecordsIntoTheRecordFolderWithTheFormatsName)
{
    manager->InitRecordDisk(panel.Handle());
    ASSERT_STREQ("Q:\\Movies\\TV", manager->GetRecordFolder());
    ASSERT_TRUE(manager->SetRecordFormat(0));
    ASSERT_TRUE(manager->StartRecord());
    EXPECT_TRUE(manager->IsRecording());
    EXPECT_EQ("Q:\\Movies\\TV\\20260307-090502.avi", graphs.recordFile);

    EXPECT_FALSE(manager->StartRecord()); // already recording
    EXPECT_EQ(1, graphs.runs);
    EXPECT_TRUE(manager->StopRecord());
    EXPECT_FALSE(manager->IsRecording());
    EXPECT_TRUE(ui.timedMessages.empty());

    graphs.runResult = FALSE; // the graph could not be built
    EXPECT_FALSE(manager->StartRecord());
    EXPECT_FALSE(manager->IsRecording());
}

TEST_F(RecordRoadTest, StartGuards)
{
    manager->InitRecordDisk(panel.Handle());
    struct Case
    {
        const char* what;
        BOOL audio;
        BOOL disabled;
        ULONGLONG freeP, freeQ; // MiB; the reserve is 300
        bool starts;
    };
    const Case cases[] = {
        {"room on the current disk", TRUE, FALSE, 5000, 311, true},
        {"exactly the reserve and ten", TRUE, FALSE, 310, 310, false},
        {"no audio capture filter", FALSE, FALSE, 5000, 5000, false},
        {"recording disabled", TRUE, TRUE, 5000, 5000, false},
    };
    for (const Case& c : cases) {
        graphs.audio = c.audio;
        disks.SetFree("P:\\", c.freeP);
        disks.SetFree("Q:\\", c.freeQ);
        manager->DisableRecord(c.disabled);
        const int runs = graphs.runs;
        EXPECT_EQ(c.starts, !!manager->StartRecord()) << c.what;
        EXPECT_EQ(c.starts ? runs + 1 : runs, graphs.runs) << c.what;
        if (manager->IsRecording())
            manager->StopRecord();
    }
}

TEST_F(RecordRoadTest, AFullCurrentDiskRecordsOnTheDiskFoundWithRoom)
{
    manager->InitRecordDisk(panel.Handle());
    ASSERT_STREQ("Q:\\", manager->GetCurDisk());
    disks.SetFree("Q:\\", 305); // above the reserve, short of the start margin
    ASSERT_TRUE(manager->SetRecordFormat(4));
    ASSERT_TRUE(manager->StartRecord());
    // Not into the nearly full folder on Q: the record disk moved to P:.
    EXPECT_EQ("P:\\TVVideo\\20260307-090502.mpg", graphs.recordFile);
    EXPECT_STREQ("P:\\", manager->GetCurDisk());
    EXPECT_STREQ("P:\\TVVideo", manager->GetRecordFolder());
    EXPECT_STREQ("P:\\", manager->GetDiskWatch().GetRootPath());
}

TEST_F(RecordRoadTest, DiskWalksStartAtTheCurrentDiskAndGoRound)
{
    manager->InitRecordDisk(panel.Handle());
    CString root;
    disks.SetFree("Q:\\", 100);
    manager->getRecordDisk(root);
    EXPECT_STREQ("P:\\", root); // Q: first, then round to P:
    disks.SetFree("P:\\", 310);
    manager->getRecordDisk(root);
    EXPECT_STREQ("", root);
    CHardDisk* next = manager->FindNextRecordDisk("Q:\\");
    ASSERT_NE(nullptr, next); // the reserve alone is enough here
    EXPECT_STREQ("P:\\", next->GetRootPath());
    disks.SetFree("Q:\\", 5000);
    next = manager->FindNextRecordDisk("R:\\"); // not allowed: from the first on
    ASSERT_NE(nullptr, next);
    EXPECT_STREQ("P:\\", next->GetRootPath());

    // An allowed root the system does not list is passed over.
    manager->Settings().ValidDisk.InsertAt(0, "X:\\");
    manager->getRecordDisk(root);
    EXPECT_STREQ("Q:\\", root);
}

TEST_F(RecordRoadTest, SwitchingDisksMovesTheRecordFolder)
{
    manager->InitRecordDisk(panel.Handle());
    CDiskManager& drives = manager->GetDiskManager();
    // Back to the drive of VideoDir: VideoDir is the folder.
    ASSERT_TRUE(manager->SwitchRecordDisk(drives.FindDisk("Q:\\")));
    EXPECT_STREQ("Q:\\Movies\\TV", manager->GetRecordFolder());
    // Elsewhere: the drive's root and the folder name, VideoDir too.
    ASSERT_TRUE(manager->SwitchRecordDisk(drives.FindDisk("P:\\")));
    EXPECT_STREQ("P:\\TVVideo", manager->GetRecordFolder());
    EXPECT_STREQ("P:\\TVVideo", manager->GetVideoDir());
    EXPECT_STREQ("P:\\", manager->GetCurDisk());
    EXPECT_EQ(300u, manager->GetDiskWatch().GetThreshold());

    disks.SetFree("R:\\", 300);
    EXPECT_FALSE(manager->SwitchRecordDisk(drives.FindDisk("R:\\")));
    EXPECT_FALSE(manager->SwitchRecordDisk(NULL));
    EXPECT_STREQ("P:\\", manager->GetCurDisk());

    const char* const refused[] = {"", "R:", "X:\\Movies", "R:\\Movies"};
    for (const char* path : refused)
        EXPECT_FALSE(manager->SetRecordDiskByPath(path)) << path;
    EXPECT_TRUE(manager->SetRecordDiskByPath("q:\\Anything"));
    EXPECT_STREQ("Q:\\", manager->GetCurDisk());
}

TEST_F(RecordRoadTest, FirstChoiceOfTheRecordDisk)
{
    // No allowed disks yet: every fixed disk with room beyond the reserve.
    disks.SetFree("R:\\", 300);
    manager->Settings().ValidDisk.RemoveAll();
    manager->Settings().CurDisk.Empty();
    manager->InitRecordDisk(panel.Handle());
    const CStringArray& valid = manager->GetValidDiskArray();
    ASSERT_EQ(2, valid.GetSize());
    EXPECT_STREQ("P:\\", valid[0]);
    EXPECT_STREQ("Q:\\", valid[1]);
    EXPECT_STREQ("Q:\\", manager->GetCurDisk()); // the drive of VideoDir
    EXPECT_FALSE(manager->IsRecordDisabled());
    EXPECT_EQ(panel.Handle(), manager->GetDiskWatch().GetOwner());
    EXPECT_TRUE(ui.messages.empty());

    // The current disk is full: the next one with room.
    manager->Settings().CurDisk = "Q:\\";
    disks.SetFree("Q:\\", 200);
    manager->InitRecordDisk(panel.Handle());
    EXPECT_STREQ("P:\\", manager->GetCurDisk());
    EXPECT_STREQ("P:\\TVVideo", manager->GetRecordFolder());
}

TEST_F(RecordRoadTest, NoDiskWithRoomDisablesRecording)
{
    for (const char* root : {"P:\\", "Q:\\", "R:\\"})
        disks.SetFree(root, 300);
    manager->Settings().ValidDisk.RemoveAll();
    manager->InitRecordDisk(panel.Handle());
    EXPECT_TRUE(manager->IsRecordDisabled());
    ASSERT_EQ(1, manager->GetValidDiskArray().GetSize());
    EXPECT_STREQ(CString(work.Path().c_str()).Left(3), manager->GetValidDiskArray()[0]);
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(34047u, ui.messages[0]);
    EXPECT_EQ((UINT)MB_ICONINFORMATION, ui.messageFlags);
    EXPECT_FALSE(manager->StartRecord());
}

TEST_F(RecordRoadTest, ChangingTheReserveOrTheAllowedDisks)
{
    manager->InitRecordDisk(panel.Handle());
    ASSERT_TRUE(manager->StartRecord());

    // Still room on Q: the watch takes the new threshold.
    EXPECT_TRUE(manager->SetReservedSpace(1000));
    EXPECT_EQ(1000u, manager->GetDiskWatch().GetThreshold());
    EXPECT_TRUE(manager->IsRecording());

    // Q: is short of the new reserve: the recording stops, P: takes over.
    disks.SetFree("Q:\\", 1500);
    EXPECT_TRUE(manager->SetReservedSpace(2000));
    EXPECT_FALSE(manager->IsRecording());
    EXPECT_EQ(1, graphs.stops);
    EXPECT_STREQ("P:\\", manager->GetCurDisk());

    EXPECT_FALSE(manager->SetReservedSpace(-1));
    EXPECT_EQ(2000, manager->GetReservedSpace());

    // None has room for the reserve.
    EXPECT_FALSE(manager->SetReservedSpace(6000));
    EXPECT_TRUE(manager->IsRecordDisabled());
    EXPECT_TRUE(manager->SetReservedSpace(300));
    EXPECT_FALSE(manager->IsRecordDisabled());

    CStringArray disksOnly;
    disksOnly.Add("R:\\");
    disksOnly.Add("p:\\");
    EXPECT_EQ(1, manager->SetDiskArray(disksOnly)); // P: is still allowed
    EXPECT_STREQ("P:\\", manager->GetCurDisk());
    ASSERT_TRUE(manager->StartRecord());
    disksOnly.RemoveAt(1);
    EXPECT_EQ(0, manager->SetDiskArray(disksOnly)); // P: went: R: now
    EXPECT_STREQ("R:\\", manager->GetCurDisk());
    EXPECT_FALSE(manager->IsRecording());
}

TEST_F(RecordRoadTest, ANewFolderNameIsTakenOnlyOnceTheFolderIsMade)
{
    manager->InitRecordDisk(panel.Handle());
    // P: is not a drive of this machine: nothing can be made there.
    ASSERT_TRUE(manager->SetRecordDiskByPath("P:\\"));
    EXPECT_FALSE(manager->SetVideoFolder("Shows"));
    EXPECT_STREQ("TVVideo", manager->GetVideoFolder());
    EXPECT_STREQ("P:\\TVVideo", manager->GetRecordFolder());
    EXPECT_FALSE(manager->SetVideoFolder(""));

    // The drive of the scratch folder, listed with room; every folder
    // named here lies under the scratch folder.
    const CString scratch(work.Path().c_str());
    const CString root = scratch.Left(3);
    disks.Add((LPCSTR)root, 5000);
    manager->InitRecordDisk(panel.Handle());
    manager->Settings().VideoDir = PathJoin(scratch, "Videos");
    ASSERT_TRUE(manager->SetRecordDiskByPath(root));
    EXPECT_STREQ(PathJoin(scratch, "Videos"), manager->GetRecordFolder());
    const CString shows = scratch.Mid(3) + "\\Shows";
    ASSERT_TRUE(manager->SetVideoFolder(shows));
    EXPECT_STREQ(shows, manager->GetVideoFolder());
    EXPECT_TRUE(IsDirectoryExist(PathJoin(root, shows)));
    EXPECT_STREQ(PathJoin(scratch, "Videos"), manager->GetRecordFolder()); // VideoDir stays the folder

    // A record folder that is not VideoDir follows the new name.
    manager->Settings().VideoDir = PathJoin(scratch, "Elsewhere");
    const CString news = scratch.Mid(3) + "\\News";
    ASSERT_TRUE(manager->SetVideoFolder(news));
    EXPECT_STREQ(PathJoin(root, news), manager->GetRecordFolder());
}

TEST_F(RecordRoadTest, TheWatchReportsTheRecordDiskRunningLow)
{
    manager->InitRecordDisk(panel.Handle());
    disks.SetFree("Q:\\", 250);
    manager->GetDiskWatch().OnTimer();
    ASSERT_TRUE(panel.WaitFor(WM_LOW_DISK, 1000));
    const PostedMessage low = panel.MessagesOf(WM_LOW_DISK)[0];
    EXPECT_STREQ(manager->GetCurDisk(), LowDiskRoot(low.wParam));
    EXPECT_EQ((LPARAM)250, low.lParam);
}

TEST_F(RecordRoadTest, StopFailureEndsTheProgramWithATimedMessage)
{
    manager->InitRecordDisk(panel.Handle());
    ASSERT_TRUE(manager->StartRecord());
    graphs.stopResult = FALSE;
    EXPECT_FALSE(manager->StopRecord());
    EXPECT_FALSE(manager->IsRecording());
    ASSERT_EQ(1u, ui.timedMessages.size());
    EXPECT_EQ(1u, ui.timedSeconds);
}

TEST_F(RecordRoadTest, TimeShiftAndSnapshots)
{
    manager->InitRecordDisk(panel.Handle());
    EXPECT_TRUE(manager->StartTFPreview());
    EXPECT_EQ("Q:\\Movies\\TV\\20260307-090502.mpg", graphs.tfFile);
    graphs.audio = FALSE;
    graphs.tfFile.clear();
    EXPECT_FALSE(manager->StartTFPreview());
    EXPECT_TRUE(graphs.tfFile.empty());

    TempFolder pictures;
    const std::string picDir = pictures.File("Snaps\\Today");
    manager->Settings().PicDir = picDir.c_str();
    manager->Settings().JpgQuality = 70;
    manager->Settings().SnapBmp = FALSE;
    ASSERT_TRUE(manager->TakeSnapshot());
    manager->Settings().SnapBmp = TRUE;
    ASSERT_TRUE(manager->TakeSnapshot());
    ASSERT_TRUE(manager->SaveBmpSnapshot("wall.bmp"));
    EXPECT_TRUE(IsDirectoryExist(picDir.c_str()));
    ASSERT_EQ(3u, graphs.snapshots.size());
    EXPECT_EQ(picDir + "\\20260307-090502.jpg", graphs.snapshots[0].path);
    EXPECT_EQ(2, graphs.snapshots[0].type);
    EXPECT_EQ(70, graphs.snapshots[0].quality);
    EXPECT_EQ(picDir + "\\20260307-090502.bmp", graphs.snapshots[1].path);
    EXPECT_EQ(1, graphs.snapshots[1].type);
    EXPECT_EQ("wall.bmp", graphs.snapshots[2].path);
    EXPECT_EQ(1, graphs.snapshots[2].type);
    EXPECT_EQ(0, graphs.snapshots[2].quality);

    // Another picture within the same second keeps the one already written.
    FILE* written = fopen(graphs.snapshots[0].path.c_str(), "wb");
    ASSERT_TRUE(written != NULL);
    fclose(written);
    manager->Settings().SnapBmp = FALSE;
    ASSERT_TRUE(manager->TakeSnapshot());
    ASSERT_EQ(4u, graphs.snapshots.size());
    EXPECT_EQ(picDir + "\\20260307-090502-2.jpg", graphs.snapshots[3].path);
}

} // namespace
