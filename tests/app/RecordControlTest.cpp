// The control panel's recording decisions on a fake engine and a fake
// clock: files cut at the maximum length, the check coming closer towards a
// file's end, restarts that fail, the schedule's start and stop events,
// low disk and the record command's hold.
#include "app/RecordControl.h"

#include "resources/Resource.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

class FakeRecordHost : public IRecordHost
{
public:
    // What the engine answers.
    std::deque<BOOL> startResults; // empty: starts succeed
    int maxLength = 30;
    BOOL segmentStop = FALSE;
    BOOL diskFullStop = FALSE;
    CString recordDisk = "D:\\";
    BOOL disabled = FALSE;
    CString curDisk = "D:\\";
    int reserve = 300;
    std::map<std::string, std::string> nextDisk; // from a root to the next root
    CString folder = "TVVideo";
    BOOL mute = FALSE;
    BOOL cardOpen = TRUE;
    BOOL scanning = FALSE;
    BOOL timeShift = FALSE;
    BOOL timeShiftStops = TRUE;
    int source = 0;
    BOOL itemReadable = TRUE;
    _tagExcuteParam execute = {44, 0, 600, 0, 3, 175250, 0, 0, {0, 0, 0}};
    __time64_t now = 1000;
    ULONGLONG fileBytes = 0;

    // What was done.
    std::vector<std::string> log;
    int starts = 0;
    int stops = 0;
    int cancels = 0;
    std::vector<UINT> messages;
    UINT timer = 0;           // the rotation timer, 0 stopped
    BOOL uiRecording = FALSE;
    BOOL held = FALSE;

    BOOL StartRecord() override
    {
        BOOL ok = TRUE;
        if (!startResults.empty()) {
            ok = startResults.front();
            startResults.pop_front();
        }
        ++starts;
        log.push_back(ok ? "start" : "start failed");
        return ok;
    }
    BOOL StopRecord() override
    {
        ++stops;
        log.push_back("stop");
        return TRUE;
    }
    int GetMaxLength() override { return maxLength; }
    BOOL GetSegmentStop() override { return segmentStop; }
    BOOL GetDiskFullStop() override { return diskFullStop; }
    ULONGLONG GetLimitedFileBytes() override { return fileBytes; }
    CString GetRecordDisk() override { return recordDisk; }
    BOOL IsRecordDisabled() override { return disabled; }
    CString GetCurDisk() override { return curDisk; }
    int GetReservedSpace() override { return reserve; }
    CString FindNextRecordDisk(const CString& root) override
    {
        auto it = nextDisk.find((LPCSTR)root);
        return it == nextDisk.end() ? CString() : CString(it->second.c_str());
    }
    CString GetVideoFolder() override { return folder; }
    BOOL SetRecordDiskByPath(const CString& path) override
    {
        log.push_back("disk " + std::string((LPCSTR)path));
        curDisk = path.Left(3);
        return TRUE;
    }
    BOOL SetVideoDir(const CString& path) override
    {
        log.push_back("dir " + std::string((LPCSTR)path));
        return TRUE;
    }
    BOOL GetMute() override { return mute; }
    void SetMute(BOOL on) override { mute = on; }
    BOOL IsCardOpen() override { return cardOpen; }
    BOOL IsScanning() override { return scanning; }
    BOOL IsTimeShiftRunning() override { return timeShift; }
    BOOL StopTimeShift() override
    {
        log.push_back("time shift stop");
        if (timeShiftStops)
            timeShift = FALSE;
        return timeShiftStops;
    }
    int GetVideoSource() override { return source; }
    void SetVideoSource(int input) override
    {
        log.push_back("source " + std::to_string(input));
        source = input;
    }
    void TuneScheduledChannel(int input, int kHz) override
    {
        log.push_back("tune " + std::to_string(input) + " " + std::to_string(kHz));
    }
    void TuneCurrentChannel() override { log.push_back("retune"); }
    BOOL GetScheduleItem(HTIMINGITEM, _tagTimingParam* timing, _tagExcuteParam* exec) override
    {
        if (!itemReadable)
            return FALSE;
        *timing = _tagTimingParam{};
        *exec = execute;
        return TRUE;
    }
    void CancelScheduleItem() override
    {
        ++cancels;
        log.push_back("cancel");
    }
    void MuteForTuning() override {}
    void SetRecordUiState(BOOL recording) override { uiRecording = recording; }
    void PostRecordMessage(UINT textId) override
    {
        messages.push_back(textId);
        log.push_back("message " + std::to_string(textId));
    }
    void PrepareVideoWindow() override {}
    void CloseForSchedule() override { log.push_back("close windows"); }
    void StartBlink() override {}
    void StopBlink() override {}
    void UpdatePauseCommand() override {}
    void SetRotationTimer(UINT seconds) override { timer = seconds; }
    void HoldRecordCommand() override { held = TRUE; }
    void SettleBeforeRestart() override {}
    void ShowPowerOffCountdown() override { log.push_back("countdown"); }
    void ExitAndHibernate() override { log.push_back("hibernate"); }
    __time64_t Now() override { return now; }
};

const HTIMINGITEM kItem = reinterpret_cast<HTIMINGITEM>(1);

// Starts a recording of the given kind at the host's clock.
void Begin(CRecordControl& control, FakeRecordHost& host, int state)
{
    if (state == CRecordControl::kManual)
        ASSERT_TRUE(control.StartManualRecord());
    else if (state == CRecordControl::kScheduled)
        control.OnTimingEvent(kItem, TIMING_EVENT_START);
    ASSERT_EQ(state, control.GetState());
    host.log.clear();
}

} // namespace

// The check comes every 30 s while more than a minute remains, then at half
// of what remains, never below 1 s; at 1 s or less left the file is cut.
TEST(RecordControl, CheckIntervalHalvesTowardsTheFileEnd)
{
    struct Row
    {
        LONGLONG elapsed;
        UINT timer;   // 0: the file is cut
    };
    const Row rows[] = {
        {0, 30}, {1, 30}, {1739, 30}, {1740, 30}, {1741, 29}, {1770, 15},
        {1790, 5}, {1796, 2}, {1797, 1}, {1798, 1}, {1799, 0}, {1800, 0}, {5000, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "elapsed " << row.elapsed);
        FakeRecordHost host;
        CRecordControl control(host);
        Begin(control, host, CRecordControl::kManual);
        EXPECT_EQ(1u, host.timer);
        host.now += row.elapsed;
        control.RotateRecordFile();
        if (row.timer != 0) {
            EXPECT_EQ(row.timer, host.timer);
            EXPECT_EQ(0, host.stops);
        } else {
            EXPECT_EQ(1, host.stops);
            EXPECT_EQ(2, host.starts); // the first file and the next
        }
    }
}

// A file's end: a new file follows unless the segment-stop setting ends the
// recording; a new file that does not start ends the recording with one
// message, and nothing more happens on the following checks.
TEST(RecordControl, SegmentEnd)
{
    struct Row
    {
        const char* name;
        int state;
        BOOL segmentStop;
        BOOL restartWorks;
        int stateAfter;
        std::vector<UINT> messages;
    };
    const Row rows[] = {
        {"manual, next file", CRecordControl::kManual, FALSE, TRUE, CRecordControl::kManual, {}},
        {"manual, segment stop", CRecordControl::kManual, TRUE, TRUE, CRecordControl::kNone, {}},
        {"manual, next file fails", CRecordControl::kManual, FALSE, FALSE, CRecordControl::kNone,
         {IDS_RECORD_START_FAILED}},
        {"scheduled, next file", CRecordControl::kScheduled, FALSE, TRUE, CRecordControl::kScheduled, {}},
        {"scheduled, segment stop", CRecordControl::kScheduled, TRUE, TRUE, CRecordControl::kNone, {}},
        {"scheduled, next file fails", CRecordControl::kScheduled, FALSE, FALSE, CRecordControl::kNone,
         {IDS_RECORD_START_FAILED}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeRecordHost host;
        host.segmentStop = row.segmentStop;
        CRecordControl control(host);
        Begin(control, host, row.state);
        host.startResults.push_back(row.restartWorks);
        host.now += 30 * 60;
        control.RotateRecordFile();
        EXPECT_EQ(row.stateAfter, control.GetState());
        EXPECT_EQ(row.messages, host.messages);
        const bool goesOn = row.stateAfter != CRecordControl::kNone;
        EXPECT_EQ(goesOn, host.uiRecording != FALSE);
        if (goesOn) {
            // The new file's length counts from its own start.
            EXPECT_EQ(host.now, control.GetStartTime());
            EXPECT_EQ(1u, host.timer);
        } else {
            EXPECT_EQ(0u, host.timer);
        }
        // Later checks (a timer already queued) change nothing.
        const std::vector<std::string> before = host.log;
        if (!goesOn) {
            host.now += 60;
            control.RotateRecordFile();
            control.RotateRecordFile();
            EXPECT_EQ(before, host.log);
            EXPECT_EQ(row.messages, host.messages);
        }
    }
}

// A clock put back, or times past 2038 and across a 32-bit wrap of the
// seconds: the length is measured in 64 bits.
TEST(RecordControl, StartTimesIn64Bits)
{
    struct Row
    {
        __time64_t start;
        LONGLONG step;    // the clock's move after the start
        bool cut;
    };
    const Row rows[] = {
        {1000, -5, true},
        {0xFFFFFFF0LL, 0x20, false},
        {0x1FFFFFFF0LL, 30 * 60 - 1, true},
        {0x1FFFFFFF0LL, 30 * 60 - 2, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.start << " + " << row.step);
        FakeRecordHost host;
        host.now = row.start;
        CRecordControl control(host);
        Begin(control, host, CRecordControl::kManual);
        host.now += row.step;
        control.RotateRecordFile();
        EXPECT_EQ(row.cut ? 1 : 0, host.stops);
    }
}

// The schedule's start: refused items are cancelled in the library, and
// every refusal but a running recording's says so on the screen.
TEST(RecordControl, ScheduleStart)
{
    struct Row
    {
        const char* name;
        bool manualRunning;
        BOOL readable;
        BOOL cardOpen;
        BOOL timeShift;
        BOOL timeShiftStops;
        BOOL startWorks;
        int itemSource;
        int stateAfter;
        int cancels;
        std::vector<UINT> messages;
        std::vector<std::string> log; // from the event on, messages included
    };
    const Row rows[] = {
        {"records", false, TRUE, TRUE, FALSE, TRUE, TRUE, 0, CRecordControl::kScheduled, 0, {},
         {"close windows", "tune 0 175250", "start"}},
        {"switches the source", false, TRUE, TRUE, FALSE, TRUE, TRUE, 3, CRecordControl::kScheduled, 0, {},
         {"close windows", "source 3", "tune 3 175250", "start"}},
        {"a manual recording runs", true, TRUE, TRUE, FALSE, TRUE, TRUE, 0, CRecordControl::kManual, 1, {},
         {"cancel"}},
        {"the start fails", false, TRUE, TRUE, FALSE, TRUE, FALSE, 0, CRecordControl::kNone, 1,
         {IDS_SCHEDULE_RECORD_FAILED},
         {"close windows", "tune 0 175250", "start failed", "cancel", "message 34061"}},
        {"no card", false, TRUE, FALSE, FALSE, TRUE, TRUE, 0, CRecordControl::kNone, 1,
         {IDS_SCHEDULE_RECORD_FAILED}, {"cancel", "message 34061"}},
        {"unreadable item", false, FALSE, TRUE, FALSE, TRUE, TRUE, 0, CRecordControl::kNone, 1,
         {IDS_SCHEDULE_RECORD_FAILED}, {"cancel", "message 34061"}},
        {"time shift stops for it", false, TRUE, TRUE, TRUE, TRUE, TRUE, 0, CRecordControl::kScheduled, 0, {},
         {"time shift stop", "close windows", "tune 0 175250", "start"}},
        {"time shift does not stop", false, TRUE, TRUE, TRUE, FALSE, TRUE, 0, CRecordControl::kNone, 1,
         {IDS_SCHEDULE_TIMESHIFT}, {"time shift stop", "cancel", "message 34062"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeRecordHost host;
        host.itemReadable = row.readable;
        host.cardOpen = row.cardOpen;
        host.timeShift = row.timeShift;
        host.timeShiftStops = row.timeShiftStops;
        host.execute.nSource = row.itemSource;
        host.mute = TRUE;
        CRecordControl control(host);
        if (row.manualRunning)
            Begin(control, host, CRecordControl::kManual);
        if (!row.startWorks)
            host.startResults.push_back(FALSE);
        control.OnTimingEvent(kItem, TIMING_EVENT_START);
        EXPECT_EQ(row.stateAfter, control.GetState());
        EXPECT_EQ(row.cancels, host.cancels);
        EXPECT_EQ(row.messages, host.messages);
        EXPECT_EQ(row.log, host.log);
        // The mute the user had is his again after a failed start.
        EXPECT_TRUE(host.mute);
    }
}

// The schedule's stop: the recording ends and what the item asked for
// follows, also after the recording ended early; not after the user
// cancelled it, and not under a recording the user started since.
TEST(RecordControl, ScheduleStop)
{
    enum Between
    {
        kNothing,
        kDiskFull,        // no next disk: the recording ended early
        kRestartFails,    // a new file did not start
        kUserCancels,     // the record command
        kUserRecords,     // ended early, then the user started his own
    };
    struct Row
    {
        const char* name;
        BOOL powerOff;
        BOOL hibernate;
        Between between;
        std::vector<std::string> tail; // the log from the stop event on
        int stateAfter;
    };
    const Row rows[] = {
        {"plain", FALSE, FALSE, kNothing, {"stop", "retune"}, CRecordControl::kNone},
        {"power off", TRUE, FALSE, kNothing, {"stop", "retune", "countdown"}, CRecordControl::kNone},
        {"hibernate", FALSE, TRUE, kNothing, {"stop", "retune", "hibernate"}, CRecordControl::kNone},
        {"both asked: power off", TRUE, TRUE, kNothing, {"stop", "retune", "countdown"}, CRecordControl::kNone},
        {"ended early, power off", TRUE, FALSE, kDiskFull, {"countdown"}, CRecordControl::kNone},
        {"ended early, hibernate", FALSE, TRUE, kRestartFails, {"hibernate"}, CRecordControl::kNone},
        {"cancelled by the user", TRUE, FALSE, kUserCancels, {}, CRecordControl::kNone},
        {"user records since", FALSE, TRUE, kUserRecords, {}, CRecordControl::kManual},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeRecordHost host;
        host.execute.bPowerOff = row.powerOff;
        host.execute.bHibernate = row.hibernate;
        host.mute = TRUE;
        CRecordControl control(host);
        Begin(control, host, CRecordControl::kScheduled);
        host.mute = FALSE;
        switch (row.between) {
        case kNothing:
            break;
        case kDiskFull:
        case kUserRecords:
            control.OnLowDisk("D:\\", 10);
            EXPECT_EQ(CRecordControl::kNone, control.GetState());
            if (row.between == kUserRecords) {
                ASSERT_TRUE(control.StartManualRecord());
            }
            break;
        case kRestartFails:
            host.startResults.push_back(FALSE);
            host.now += 30 * 60;
            control.RotateRecordFile();
            EXPECT_EQ(CRecordControl::kNone, control.GetState());
            break;
        case kUserCancels:
            control.OnRecordCommand();
            EXPECT_EQ(1, host.cancels);
            EXPECT_TRUE(host.mute); // the user's mute back
            break;
        }
        host.log.clear();
        control.OnTimingEvent(kItem, TIMING_EVENT_STOP);
        EXPECT_EQ(row.tail, host.log);
        EXPECT_EQ(row.stateAfter, control.GetState());
        // A second stop event finds nothing to do.
        host.log.clear();
        control.OnTimingEvent(kItem, TIMING_EVENT_STOP);
        EXPECT_TRUE(host.log.empty());
    }
}

// WM_LOW_DISK: only for the record disk at or below its reserve; the next
// disk takes the recording unless the disk-full-stop setting ends it, and
// with no next disk the recording ends and says so.
TEST(RecordControl, LowDisk)
{
    struct Row
    {
        const char* name;
        const char* root;
        LONGLONG freeMiB;
        const char* next;   // "" none
        BOOL diskFullStop;
        BOOL restartWorks;
        int state;
        int stateAfter;
        std::vector<std::string> log;
    };
    const Row rows[] = {
        {"another drive", "E:\\", 10, "E:\\", FALSE, TRUE, CRecordControl::kManual, CRecordControl::kManual, {}},
        {"above the reserve", "D:\\", 301, "E:\\", FALSE, TRUE, CRecordControl::kManual, CRecordControl::kManual,
         {}},
        {"next disk", "d:\\", 300, "E:\\", FALSE, TRUE, CRecordControl::kManual, CRecordControl::kManual,
         {"disk E:\\TVVideo", "stop", "start", "dir E:\\TVVideo"}},
        {"next disk, scheduled", "D:\\", 5, "E:\\", FALSE, TRUE, CRecordControl::kScheduled,
         CRecordControl::kScheduled, {"disk E:\\TVVideo", "stop", "start", "dir E:\\TVVideo"}},
        {"next disk fails to start", "D:\\", 5, "E:\\", FALSE, FALSE, CRecordControl::kScheduled,
         CRecordControl::kNone,
         {"disk E:\\TVVideo", "stop", "start failed", "retune", "message 34022", "dir E:\\TVVideo"}},
        {"disk-full stop", "D:\\", 5, "E:\\", TRUE, TRUE, CRecordControl::kManual, CRecordControl::kNone,
         {"disk E:\\TVVideo", "stop", "message 34060", "dir E:\\TVVideo"}},
        {"no next disk", "D:\\", 5, "", FALSE, TRUE, CRecordControl::kManual, CRecordControl::kNone,
         {"stop", "message 34060"}},
        {"no next disk, scheduled", "D:\\", 5, "", FALSE, TRUE, CRecordControl::kScheduled, CRecordControl::kNone,
         {"stop", "retune", "message 34060"}},
        {"no next disk, not recording", "D:\\", 5, "", FALSE, TRUE, CRecordControl::kNone, CRecordControl::kNone,
         {}},
        {"only the same disk again", "D:\\", 5, "D:\\", FALSE, TRUE, CRecordControl::kManual, CRecordControl::kNone,
         {"stop", "message 34060"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeRecordHost host;
        host.diskFullStop = row.diskFullStop;
        if (*row.next)
            host.nextDisk["D:\\"] = row.next;
        CRecordControl control(host);
        Begin(control, host, row.state);
        if (!row.restartWorks)
            host.startResults.push_back(FALSE);
        control.OnLowDisk(row.root, row.freeMiB);
        EXPECT_EQ(row.stateAfter, control.GetState());
        EXPECT_EQ(row.log, host.log);
    }
}

// The record command held for a moment acts once; a scheduled recording is
// cancelled by it; time shift is stopped by it.
TEST(RecordControl, RecordCommand)
{
    FakeRecordHost host;
    CRecordControl control(host);
    control.OnRecordCommand();
    control.OnRecordCommand();
    EXPECT_EQ(1, host.starts);
    EXPECT_EQ(0, host.stops);
    EXPECT_TRUE(host.held);
    EXPECT_EQ(CRecordControl::kManual, control.GetState());
    control.ReleaseRecordCommand();
    control.OnRecordCommand();
    EXPECT_EQ(1, host.stops);
    EXPECT_EQ(CRecordControl::kNone, control.GetState());

    // A start that fails says why once and shows no recording.
    FakeRecordHost failing;
    failing.startResults.push_back(FALSE);
    failing.recordDisk = "";
    CRecordControl failed(failing);
    failed.OnRecordCommand();
    EXPECT_EQ(CRecordControl::kNone, failed.GetState());
    EXPECT_EQ(std::vector<UINT>{IDS_RECORD_NO_DISK}, failing.messages);
    EXPECT_FALSE(failing.uiRecording);
    EXPECT_EQ(0u, failing.timer);

    FakeRecordHost shifting;
    shifting.timeShift = TRUE;
    CRecordControl shift(shifting);
    shift.OnRecordCommand();
    EXPECT_EQ(std::vector<std::string>{"time shift stop"}, shifting.log);
    EXPECT_EQ(0, shifting.starts);

    // Nothing while a scan runs.
    FakeRecordHost scanning;
    scanning.scanning = TRUE;
    CRecordControl scan(scanning);
    scan.OnRecordCommand();
    EXPECT_EQ(0, scanning.starts);
}

// Files the multiplexer ends at 2 GiB: a new file starts before the limit
// (also with the segment-stop setting on: the user's recording goes on),
// and the check comes often enough to see it coming.
TEST(RecordControl, NewFileBeforeTheTwoGiBLimit)
{
    const ULONGLONG MiB = 1ull << 20;
    const ULONGLONG rate = 21 * MiB; // uncompressed 720 x 576 at 25 frames a second
    struct Row
    {
        LONGLONG elapsed;
        UINT timer;   // 0: a new file
    };
    const Row rows[] = {
        {10, 30},     // 210 MiB: 85 s to the limit, checked within half of it
        {60, 18},     // 1260 MiB: 37 s left
        {90, 2},      // 1890 MiB: 4 s left
        {93, 0},      // 1953 MiB: within two seconds of the limit's margin
        {100, 0},     // past the margin
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "elapsed " << row.elapsed);
        FakeRecordHost host;
        host.segmentStop = TRUE;
        host.maxLength = 120;
        CRecordControl control(host);
        Begin(control, host, CRecordControl::kManual);
        host.now += row.elapsed;
        host.fileBytes = rate * (ULONGLONG)row.elapsed;
        control.RotateRecordFile();
        if (row.timer != 0) {
            EXPECT_EQ(0, host.stops);
            EXPECT_GE(row.timer, host.timer);
            EXPECT_LE(1u, host.timer);
        } else {
            EXPECT_EQ(1, host.stops);
            EXPECT_EQ(CRecordControl::kManual, control.GetState());
            EXPECT_EQ(host.now, control.GetStartTime());
        }
    }
}
