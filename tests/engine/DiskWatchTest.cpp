// The fixed drives and the free-space watch over drives a test makes up:
// sizes in MiB, the drive list, the threshold crossings that post
// WM_LOW_DISK, and the window-less timers that drive the watch.
#include "engine/DiskManager.h"
#include "engine/DiskWatch.h"
#include "engine/MTimer.h"
#include "tests/engine/FakeDisks.h"
#include "tests/support/MessageWindow.h"

#include <gtest/gtest.h>

namespace {

TEST(HardDisk, RootSizesAndPercent)
{
    FakeDisks disks;
    disks.Add("P:\\", 250).totalMiB = 1000;
    disks.drives["P:\\"].extraBytes = (1 << 20) - 1; // cut, not rounded

    CHardDisk disk("P:\\Movies\\TV");
    EXPECT_STREQ("P:\\", disk.GetRootPath());
    EXPECT_EQ(1u, disk.GetTotalSpace()); // nothing read yet
    ASSERT_TRUE(disk.Refresh());
    EXPECT_EQ(1000u, disk.GetTotalSpace());
    EXPECT_EQ(250u, disk.GetFreeSpace());
    EXPECT_EQ(25, disk.GetFreePercent());

    // A drive that cannot be read keeps what was last known.
    disks.drives["P:\\"].readable = false;
    EXPECT_FALSE(disk.Refresh());
    EXPECT_EQ(250u, disk.GetFreeSpace());
    EXPECT_EQ(1000u, disk.GetTotalSpace());
}

TEST(HardDisk, FreePercentOfAVolumeUnderOneMiBIsZero)
{
    FakeDisks disks;
    FakeDisks::Drive& tiny = disks.Add("P:\\", 0);
    tiny.totalMiB = 0;
    tiny.extraBytes = 4096;
    CHardDisk disk("P:\\");
    EXPECT_EQ(0, disk.GetFreePercent());
    EXPECT_EQ(0u, disk.GetTotalSpace());
}

TEST(DiskManager, ListsFixedDrivesInOrder)
{
    FakeDisks disks;
    disks.Add("Q:\\", 700);
    disks.Add("P:\\", 300);
    disks.Add("R:\\", 900, DRIVE_CDROM);
    disks.Add("S:\\", 500).readable = false; // listed all the same

    CDiskManager manager;
    ASSERT_TRUE(manager.Enumerate());
    ASSERT_EQ(3, manager.GetCount());
    EXPECT_STREQ("P:\\", manager.GetDisk(0)->GetRootPath());
    EXPECT_STREQ("Q:\\", manager.GetDisk(1)->GetRootPath());
    EXPECT_STREQ("S:\\", manager.GetDisk(2)->GetRootPath());
    EXPECT_EQ(nullptr, manager.GetDisk(3));
    EXPECT_EQ(nullptr, manager.GetDisk(-1));
    EXPECT_EQ(manager.GetDisk(1), manager.FindDisk("q:\\"));
    EXPECT_EQ(nullptr, manager.FindDisk("R:\\"));
    EXPECT_EQ(nullptr, manager.FindDisk("Q:\\TV"));

    disks.listFails = true;
    EXPECT_FALSE(manager.Enumerate());
    EXPECT_EQ(0, manager.GetCount());
}

TEST(DiskManager, DisksByFreeSpaceLeaveOutALimitEqualToTheFreeSpace)
{
    FakeDisks disks;
    disks.Add("P:\\", 300);
    disks.Add("Q:\\", 700);
    disks.Add("R:\\", 500);
    CDiskManager manager;
    ASSERT_TRUE(manager.Enumerate());

    struct Case
    {
        DWORD limit;
        BOOL above;
        const char* expected; // the drive letters appended
    };
    const Case cases[] = {
        {500, TRUE, "Q"}, {500, FALSE, "P"}, {299, TRUE, "PQR"}, {300, FALSE, ""}, {700, TRUE, ""},
    };
    for (const Case& c : cases) {
        CHardDiskArray found;
        const BOOL any = manager.GetDisksByFreeSpace(c.limit, found, c.above);
        std::string letters;
        for (INT_PTR i = 0; i < found.GetSize(); ++i)
            letters += found.GetAt(i)->GetRootPath()[0];
        EXPECT_EQ(c.expected, letters) << "limit " << c.limit << " above " << c.above;
        EXPECT_EQ(!letters.empty(), !!any);
    }
}

class DiskWatchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        disks.Add("P:\\", 5000);
        disks.Add("Q:\\", 800);
        ASSERT_TRUE(watch.Init(window.Handle()));
    }

    // One tick with the watched drive at `freeMiB`; the messages it posted.
    std::vector<PostedMessage> Tick(const char* root, ULONGLONG freeMiB)
    {
        disks.SetFree(root, freeMiB);
        window.Clear();
        watch.OnTimer();
        window.Pump();
        return window.MessagesOf(WM_LOW_DISK);
    }

    FakeDisks disks;
    MessageWindow window;
    CDiskWatch watch;
};

TEST_F(DiskWatchTest, PostsOncePerFallToTheThreshold)
{
    ASSERT_TRUE(watch.SetDisk("p:\\", 300));
    EXPECT_STREQ("P:\\", watch.GetRootPath());

    struct Step
    {
        ULONGLONG freeMiB;
        bool posts;
    };
    const Step steps[] = {
        {301, false}, // one MiB above
        {300, true},  // falls to the threshold
        {300, false}, // stays there
        {120, false}, // and below
        {301, false}, // back above
        {200, true},  // falls again
    };
    for (const Step& step : steps) {
        const auto posted = Tick("P:\\", step.freeMiB);
        ASSERT_EQ(step.posts ? 1u : 0u, posted.size()) << step.freeMiB << " MiB";
        if (step.posts) {
            // The drive by value: its letter, which outlives any drive list.
            EXPECT_EQ((WPARAM)'P', posted[0].wParam);
            EXPECT_STREQ("P:\\", LowDiskRoot(posted[0].wParam));
            EXPECT_EQ((LPARAM)step.freeMiB, posted[0].lParam);
        }
    }
}

TEST_F(DiskWatchTest, ALowDriveIsReportedAgainAfterItIsWatchedAgain)
{
    ASSERT_TRUE(watch.SetDisk("Q:\\", 1000));
    EXPECT_EQ(1u, Tick("Q:\\", 800).size()); // already low when watched
    EXPECT_EQ(0u, Tick("Q:\\", 800).size());
    ASSERT_TRUE(watch.SetDisk("Q:\\", 900)); // the reserve changed
    EXPECT_EQ(1u, Tick("Q:\\", 800).size());
}

TEST_F(DiskWatchTest, AnUnlistedDriveLeavesTheWatchIdle)
{
    ASSERT_TRUE(watch.SetDisk("P:\\", 300));
    EXPECT_FALSE(watch.SetDisk("Z:\\", 300));
    EXPECT_EQ(nullptr, watch.GetDisk());
    EXPECT_EQ(0u, Tick("P:\\", 0).size());
}

TEST_F(DiskWatchTest, ListingTheDrivesAgainKeepsTheWatchedDrive)
{
    ASSERT_TRUE(watch.SetDisk("Q:\\", 500));
    ASSERT_TRUE(watch.Init(window.Handle())); // frees the old list
    ASSERT_NE(nullptr, watch.GetDisk());
    EXPECT_EQ(watch.GetDiskManager().FindDisk("Q:\\"), watch.GetDisk());
    const auto posted = Tick("Q:\\", 400);
    ASSERT_EQ(1u, posted.size());
    EXPECT_EQ((LPARAM)400, posted[0].lParam);

    // A drive that went away is no longer watched.
    disks.drives.erase("Q:\\");
    ASSERT_TRUE(watch.Init(window.Handle()));
    EXPECT_EQ(nullptr, watch.GetDisk());
    EXPECT_EQ(0u, Tick("P:\\", 0).size());
}

TEST_F(DiskWatchTest, TimersReachTheWatchThroughTheMessageLoop)
{
    CDiskWatch quiet; // a second watch on a drive with room: its ticks post nothing
    ASSERT_TRUE(quiet.Init(window.Handle()));
    ASSERT_TRUE(quiet.SetDisk("P:\\", 100));
    quiet.Start(10);
    ASSERT_TRUE(watch.SetDisk("Q:\\", 1000));
    watch.Start(10);
    EXPECT_TRUE(watch.IsRunning());
    ASSERT_TRUE(window.WaitFor(WM_LOW_DISK, 5000));
    const auto posted = window.MessagesOf(WM_LOW_DISK);
    EXPECT_EQ((WPARAM)'Q', posted[0].wParam);
    // Ticks go on, the condition holds: no second message.
    const int reads = disks.reads;
    EXPECT_FALSE(window.WaitFor(WM_LOW_DISK, 200, 2));
    EXPECT_GT(disks.reads, reads);
}

int g_calls = 0;
int g_result = 0;
int CountingCallback()
{
    ++g_calls;
    return g_result;
}

// Pumps the thread's messages for about `ms`.
void PumpFor(DWORD ms)
{
    MessageWindow idle;
    idle.WaitFor(WM_NULL + 0x7FFF, ms);
}

TEST(MTimerTest, ANegativeResultStopsTheTimerAndStartRunsItAgain)
{
    g_calls = 0;
    g_result = -1;
    MTimer timer;
    timer.SetCallback(&CountingCallback);
    timer.Start(5);
    ASSERT_TRUE(timer.IsRunning());
    PumpFor(300);
    EXPECT_EQ(1, g_calls);
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_FALSE(timer.IsBusy());

    g_result = 0;
    timer.Restart();
    EXPECT_EQ(5u, timer.GetInterval());
    PumpFor(300);
    EXPECT_GT(g_calls, 2);
    EXPECT_TRUE(timer.IsRunning());
    timer.Stop();
    const int calls = g_calls;
    PumpFor(100);
    EXPECT_EQ(calls, g_calls);
}

TEST(MTimerTest, ATimerWithoutCallbackStopsAtItsFirstTick)
{
    MTimer timer;
    timer.Start(5);
    PumpFor(200);
    EXPECT_FALSE(timer.IsRunning());
}

} // namespace
