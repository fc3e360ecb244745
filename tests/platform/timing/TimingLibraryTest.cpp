// The timing library through its calls: the store on disk, the events
// posted to the registered window, and calls made while it is closed.
#include "platform/timing/Timing.h"
#include "platform/timing/TimingStore.h"

#include "tests/platform/timing/TimingTestSupport.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

const __time64_t kNoon = LocalTime(2027, 3, 10, 12, 0);

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<HTIMINGITEM> AllItems()
{
    std::vector<HTIMINGITEM> items;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item; item = Timing_GetNextItem(0, item))
        items.push_back(item);
    return items;
}

class TimingLibraryTest : public ::testing::Test
{
protected:
    void TearDown() override { Timing_Uninitialize(); }

    std::string StorePath() const { return folder.File("Rec.rec"); }
    void Open() { ASSERT_TRUE(Timing_Initialize(StorePath().c_str(), 128)); }

    TempFolder folder;
    FakeTimingClock clock{kNoon};
};

TEST_F(TimingLibraryTest, RecordsComeBackVerbatimAcrossRuns)
{
    Open();
    _tagExcuteParam tv = Execute(600, 0, 5, 175250);
    tv.bPowerOff = 1;
    tv.nUnused[2] = 77; // never set by the program, yet kept
    const _tagTimingParam once = Once(2027, 3, 11, 20, 0, 600, -1);
    const _tagTimingParam weekly = Weekly(kMonday | kSunday, 6, 30, 1800);
    _tagExcuteParam fm = Execute(1800, 3, 2, 98500);
    fm.bHibernate = 1;
    HTIMINGITEM first = Timing_InsertItem(0, once, &tv);
    HTIMINGITEM second = Timing_InsertItem(0, weekly, &fm);
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(Timing_Uninitialize());
    EXPECT_FALSE(Exists(StorePath() + ".tmp"));

    Open();
    const std::vector<HTIMINGITEM> items = AllItems();
    ASSERT_EQ(2u, items.size());
    _tagTimingParam timing;
    BYTE execute[44];
    ASSERT_TRUE(Timing_GetItemTimingParam(items[0], &timing));
    EXPECT_EQ(0, memcmp(&once, &timing, sizeof timing));
    ASSERT_TRUE(Timing_GetItemExcuteParam(items[0], execute, sizeof execute));
    EXPECT_EQ(0, memcmp(&tv, execute, sizeof execute));
    ASSERT_TRUE(Timing_GetItemTimingParam(items[1], &timing));
    EXPECT_EQ(0, memcmp(&weekly, &timing, sizeof timing));
    ASSERT_TRUE(Timing_GetItemExcuteParam(items[1], execute, sizeof execute));
    EXPECT_EQ(0, memcmp(&fm, execute, sizeof execute));
    EXPECT_FALSE(Timing_GetItemExcuteParam(items[1], execute, 40)); // a buffer too small

    // Edits and removals are stored too.
    const _tagTimingParam moved = Once(2027, 3, 11, 21, 0, 600);
    ASSERT_TRUE(Timing_UpdateItem(items[0], moved, &tv));
    ASSERT_TRUE(Timing_RemoveItem(items[1]));
    Timing_Uninitialize();
    Open();
    ASSERT_EQ(1u, AllItems().size());
    ASSERT_TRUE(Timing_GetItemTimingParam(Timing_GetFirstItem(0), &timing));
    EXPECT_EQ(21, timing.nHour);
}

TEST_F(TimingLibraryTest, RefusedItemsAreNotStored)
{
    Open();
    const _tagExcuteParam execute = Execute(600);
    ASSERT_TRUE(Timing_InsertItem(0, Once(2027, 3, 11, 20, 0, 600), &execute));
    int result = -1;
    ASSERT_TRUE(Timing_CheckItem(0, nullptr, Once(2027, 3, 11, 20, 5, 600), &result));
    EXPECT_EQ(TIMING_CHECK_OVERLAPS_ONCE, result);
    EXPECT_EQ(nullptr, Timing_InsertItem(0, Once(2027, 3, 11, 20, 5, 600), &execute));
    EXPECT_EQ(nullptr, Timing_InsertItem(0, Once(2027, 3, 11, 8, 0, 600), nullptr));
    EXPECT_EQ(nullptr, Timing_InsertItem(0, Once(2027, 2, 30, 8, 0, 600), &execute));
    EXPECT_FALSE(Timing_UpdateItem(nullptr, Once(2027, 3, 11, 8, 0, 600), &execute));
    EXPECT_FALSE(Timing_RemoveItem(nullptr));
    EXPECT_FALSE(Timing_CheckItem(0, nullptr, Once(2027, 3, 11, 8, 0, 600), nullptr));
    EXPECT_EQ(1u, AllItems().size());
}

TEST_F(TimingLibraryTest, FailedWriteKeepsTheOldSchedule)
{
    Open();
    const _tagExcuteParam execute = Execute(600);
    HTIMINGITEM item = Timing_InsertItem(0, Once(2027, 3, 11, 20, 0, 600), &execute);
    ASSERT_NE(nullptr, item);
    // A folder in the temporary file's place makes every write fail.
    ASSERT_TRUE(CreateDirectoryA((StorePath() + ".tmp").c_str(), nullptr));
    EXPECT_EQ(nullptr, Timing_InsertItem(0, Once(2027, 3, 12, 8, 0, 600), &execute));
    EXPECT_FALSE(Timing_UpdateItem(item, Once(2027, 3, 12, 9, 0, 600), &execute));
    EXPECT_FALSE(Timing_RemoveItem(item));
    ASSERT_EQ(std::vector<HTIMINGITEM>{item}, AllItems());
    _tagTimingParam timing;
    ASSERT_TRUE(Timing_GetItemTimingParam(item, &timing));
    EXPECT_EQ(20, timing.nHour);
    RemoveDirectoryA((StorePath() + ".tmp").c_str());
}

// A store written by the library, damaged in the given way.
struct Damage
{
    const char* what;
    void (*apply)(std::string& bytes);
};

TEST_F(TimingLibraryTest, DamagedStoreIsSetAsideAndTheScheduleStartsEmpty)
{
    Open();
    const _tagExcuteParam execute = Execute(600);
    ASSERT_TRUE(Timing_InsertItem(0, Once(2027, 3, 11, 20, 0, 600), &execute));
    ASSERT_TRUE(Timing_InsertItem(0, Once(2027, 3, 11, 21, 0, 600), &execute));
    Timing_Uninitialize();
    const std::string whole = ReadBytes(StorePath());

    const Damage damages[] = {
        {"text instead of a store", [](std::string& b) { b = "[Schedule]\r\nItem=1\r\n"; }},
        {"empty", [](std::string& b) { b.clear(); }},
        {"cut short", [](std::string& b) { b.resize(b.size() - 10); }},
        {"one byte changed", [](std::string& b) { b[TimingStore::kHeaderSize + 3] ^= 0x40; }},
        {"a later version", [](std::string& b) { b[4] = 2; }},
        {"a count past the bound", [](std::string& b) { b[9] = 0x7F; }},
        {"trailing bytes", [](std::string& b) { b += "junk"; }},
    };
    for (const Damage& damage : damages) {
        std::string bytes = whole;
        damage.apply(bytes);
        ASSERT_TRUE(folder.Write("Rec.rec", bytes));
        DeleteFileA((StorePath() + ".unread").c_str());

        EXPECT_TRUE(Timing_Initialize(StorePath().c_str(), 128)) << damage.what;
        EXPECT_TRUE(AllItems().empty()) << damage.what;
        EXPECT_EQ(bytes, ReadBytes(StorePath() + ".unread")) << damage.what;
        EXPECT_FALSE(Exists(StorePath())) << damage.what;
        Timing_Uninitialize();
    }

    // A second damaged file does not take the first one's place.
    ASSERT_TRUE(folder.Write("Rec.rec", "again"));
    Open();
    EXPECT_TRUE(Exists(StorePath() + ".unread"));
    EXPECT_EQ("again", ReadBytes(StorePath() + ".unread2"));
    ASSERT_TRUE(Timing_InsertItem(0, Once(2027, 3, 11, 20, 0, 600), &execute));
    Timing_Uninitialize();
    Open();
    EXPECT_EQ(1u, AllItems().size());
}

TEST_F(TimingLibraryTest, EveryCallIsSafeWhileClosed)
{
    const _tagExcuteParam execute = Execute(600);
    const _tagTimingParam timing = Once(2027, 3, 11, 20, 0, 600);
    auto callEverything = [&] {
        int result = -1;
        _tagTimingParam read;
        BYTE buffer[44];
        HTIMINGITEM stray = CTimingSchedule::ToHandle(1);
        EXPECT_FALSE(Timing_RegisterMsgWnd(nullptr));
        EXPECT_FALSE(Timing_StartTrigger(0));
        EXPECT_FALSE(Timing_RefreshTrigger(0));
        EXPECT_FALSE(Timing_CancelItem(0));
        EXPECT_EQ(nullptr, Timing_GetFirstItem(0));
        EXPECT_EQ(nullptr, Timing_GetNextItem(0, stray));
        EXPECT_FALSE(Timing_GetItemTimingParam(stray, &read));
        EXPECT_FALSE(Timing_GetItemExcuteParam(stray, buffer, sizeof buffer));
        EXPECT_FALSE(Timing_CheckItem(0, nullptr, timing, &result));
        EXPECT_EQ(-1, result);
        EXPECT_EQ(nullptr, Timing_InsertItem(0, timing, &execute));
        EXPECT_FALSE(Timing_UpdateItem(stray, timing, &execute));
        EXPECT_FALSE(Timing_RemoveItem(stray));
        EXPECT_FALSE(Timing_StopTrigger(0));
        EXPECT_FALSE(Timing_Uninitialize());
    };
    callEverything();
    Open();
    ASSERT_TRUE(Timing_InsertItem(0, timing, &execute));
    ASSERT_TRUE(Timing_StartTrigger(0));
    ASSERT_TRUE(Timing_Uninitialize());
    callEverything();
    EXPECT_FALSE(Timing_Initialize(nullptr, 128));
    EXPECT_FALSE(Timing_Initialize("", 128));
}

TEST_F(TimingLibraryTest, EventsGoToTheRegisteredWindow)
{
    MessageWindow window;
    Open();
    ASSERT_TRUE(Timing_RegisterMsgWnd(window.Handle()));
    const _tagExcuteParam execute = Execute(600);
    HTIMINGITEM item = Timing_InsertItem(0, Once(2027, 3, 10, 12, 10, 600), &execute);
    ASSERT_NE(nullptr, item);

    clock.Set(LocalTime(2027, 3, 10, 12, 10));
    ASSERT_TRUE(Timing_RefreshTrigger(0));
    clock.Set(LocalTime(2027, 3, 10, 12, 20));
    ASSERT_TRUE(Timing_RefreshTrigger(0));
    window.Pump();
    const std::vector<PostedMessage> events = window.MessagesOf(WM_TIMING_EVENT);
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(item), events[0].wParam);
    EXPECT_EQ(TIMING_EVENT_START, events[0].lParam);
    EXPECT_EQ(reinterpret_cast<WPARAM>(item), events[1].wParam);
    EXPECT_EQ(TIMING_EVENT_STOP, events[1].lParam);
}

TEST_F(TimingLibraryTest, TriggerTimerTicksOnThisThread)
{
    MessageWindow window;
    Open();
    ASSERT_TRUE(Timing_RegisterMsgWnd(window.Handle()));
    const _tagExcuteParam execute = Execute(600);
    ASSERT_TRUE(Timing_InsertItem(0, Once(2027, 3, 10, 11, 55, 600), &execute));
    ASSERT_TRUE(Timing_StartTrigger(0));
    EXPECT_TRUE(window.WaitFor(WM_TIMING_EVENT, 10000));
    ASSERT_TRUE(Timing_StopTrigger(0));
    clock.Set(LocalTime(2027, 3, 10, 12, 30));
    window.Clear();
    Sleep(1500);
    window.Pump();
    EXPECT_EQ(0u, window.CountOf(WM_TIMING_EVENT)); // stopped: no stop event
}

// What was started or cancelled is remembered across runs: a recording the
// user cancelled does not start again when the program comes back within
// its time, one cut short by an ended program does.
TEST_F(TimingLibraryTest, HandledOccurrencesAreRememberedAcrossRuns)
{
    MessageWindow window;
    Open();
    const _tagExcuteParam execute = Execute(3600);
    ASSERT_TRUE(Timing_InsertItem(0, Once(2027, 3, 10, 12, 0, 3600), &execute));
    ASSERT_TRUE(Timing_InsertItem(0, Once(2027, 3, 10, 14, 0, 3600), &execute));
    auto reopenAt = [&](__time64_t now) {
        Timing_Uninitialize();
        clock.Set(now);
        Open();
        ASSERT_TRUE(Timing_RegisterMsgWnd(window.Handle()));
        window.Clear();
        ASSERT_TRUE(Timing_RefreshTrigger(0));
        window.Pump();
    };
    reopenAt(LocalTime(2027, 3, 10, 12, 5));
    EXPECT_EQ(1u, window.CountOf(WM_TIMING_EVENT));
    ASSERT_TRUE(Timing_CancelItem(0));
    EXPECT_FALSE(Timing_CancelItem(0));
    reopenAt(LocalTime(2027, 3, 10, 12, 10));
    EXPECT_EQ(0u, window.CountOf(WM_TIMING_EVENT));

    reopenAt(LocalTime(2027, 3, 10, 14, 5));
    EXPECT_EQ(1u, window.CountOf(WM_TIMING_EVENT));
    reopenAt(LocalTime(2027, 3, 10, 14, 10)); // ended without a stop: starts again
    EXPECT_EQ(1u, window.CountOf(WM_TIMING_EVENT));
}

} // namespace
