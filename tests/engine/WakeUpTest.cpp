// The wake-up set-up: the earliest scheduled start for a given "now", the
// card's minute count, the manager's wake-up and power-on times over the
// timing library, the automatic-logon values, and the wake-up timer with
// its companion programs behind the system-services seam.
#include "engine/SuspendWakeUp.h"
#include "engine/TVManager.h"
#include "engine/WakeUpSchedule.h"
#include "platform/system/SystemServices.h"
#include "tests/platform/timing/TimingTestSupport.h"
#include "tests/support/HandleCount.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

CTime Local(int year, int month, int day, int hour, int minute, int second = 0)
{
    return CTime(LocalTime(year, month, day, hour, minute, second));
}

struct OccurrenceCase
{
    const char* what;
    CTime now;
    std::vector<_tagTimingParam> items;
    CTime expected; // 0: none
};

// Wednesday 10 March 2027, ten to midnight.
const CTime kWednesdayNight = Local(2027, 3, 10, 23, 50);

TEST(WakeUpSchedule, EarliestOccurrenceTable)
{
    const OccurrenceCase cases[] = {
        {"once tomorrow", kWednesdayNight, {Once(2027, 3, 11, 8, 0, 600)}, Local(2027, 3, 11, 8, 0)},
        {"once exactly now", kWednesdayNight, {Once(2027, 3, 10, 23, 50, 600)}, kWednesdayNight},
        {"once gone by", kWednesdayNight, {Once(2027, 3, 10, 20, 0, 600)}, CTime()},
        {"weekly across midnight", kWednesdayNight, {Weekly(kThursday, 0, 10, 600)}, Local(2027, 3, 11, 0, 10)},
        {"weekly later today", kWednesdayNight, {Weekly(kWednesday, 23, 55, 600)}, Local(2027, 3, 10, 23, 55)},
        {"weekly today, time passed: next week", kWednesdayNight, {Weekly(kWednesday, 23, 0, 600)},
         Local(2027, 3, 17, 23, 0)},
        {"Sunday night to Monday morning", Local(2027, 3, 14, 23, 30), {Weekly(kMonday, 6, 0, 600)},
         Local(2027, 3, 15, 6, 0)},
        {"Monday weekly against a once item on Sunday", kWednesdayNight,
         {Weekly(kMonday, 6, 0, 600), Once(2027, 3, 14, 10, 0, 600)}, Local(2027, 3, 14, 10, 0)},
        {"Monday weekly against a once item on Tuesday", kWednesdayNight,
         {Once(2027, 3, 16, 10, 0, 600), Weekly(kMonday, 6, 0, 600)}, Local(2027, 3, 15, 6, 0)},
        {"passed items left out", kWednesdayNight,
         {Once(2027, 3, 9, 10, 0, 600), Weekly(kSaturday | kSunday, 7, 30, 600), Once(2027, 3, 10, 23, 0, 60)},
         Local(2027, 3, 13, 7, 30)},
        {"an unreadable second counts as 0", kWednesdayNight, {Once(2027, 3, 11, 8, 0, 600, -1)},
         Local(2027, 3, 11, 8, 0)},
        {"none left", kWednesdayNight, {}, CTime()},
        {"damaged records", kWednesdayNight,
         {Once(2027, 13, 1, 8, 0, 600), Once(2027, 2, 30, 8, 0, 600), Weekly(0, 8, 0, 600),
          Weekly(kMonday, 25, 0, 600)},
         CTime()},
    };
    for (const OccurrenceCase& c : cases) {
        CTime earliest;
        const BOOL found = WakeUpSchedule::EarliestOccurrence(c.items, c.now, earliest);
        EXPECT_EQ(c.expected != CTime(), found != FALSE) << c.what;
        if (found) {
            EXPECT_EQ(c.expected, earliest) << c.what << ": " << (LPCSTR)earliest.Format("%Y-%m-%d %H:%M:%S");
        }
    }
}

TEST(WakeUpSchedule, PowerOnMinutesAreTheWholeMinutesLeft)
{
    const CTime now = kWednesdayNight;
    const struct
    {
        CTimeSpan left;
        WORD minutes;
    } cases[] = {
        {CTimeSpan(0, 0, 3, 0), 3},
        {CTimeSpan(0, 1, 30, 30), 90},
        {CTimeSpan(0, 2, 5, 0), 125}, // past the hour: the whole count, not 5
        {CTimeSpan(0, 0, 0, 30), 1},  // under a minute still arms
        {CTimeSpan(60, 0, 0, 0), 0xFFFF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.minutes, WakeUpSchedule::PowerOnMinutes(now, now + c.left)) << c.left.GetTotalSeconds();
}

// The manager over a timing library opened on a scratch store, both at a
// fixed "now".
class ManagerWakeUp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Timing_Initialize(folder.File("Rec.rec").c_str(), 128));
        manager.reset(new CTVManager(folder.Path().c_str()));
    }
    void TearDown() override { Timing_Uninitialize(); }

    void Add(const _tagTimingParam& timing)
    {
        const _tagExcuteParam execute = Execute(timing.nDuration);
        ASSERT_NE(nullptr, Timing_InsertItem(0, timing, &execute));
    }

    const CTime now = Local(2027, 3, 10, 12, 0);
    TempFolder folder;
    FakeTimingClock clock{now.GetTime()};
    MessageBoxCapture boxes; // the missing remote key file's box
    std::unique_ptr<CTVManager> manager;
};

TEST_F(ManagerWakeUp, LeadTimeAgainstTheEarliestStart)
{
    Add(Once(2027, 3, 10, 12, 5, 600));
    Add(Weekly(kWednesday, 18, 0, 600));
    ASSERT_TRUE(manager->SetStartUpTime(120));
    EXPECT_TRUE(manager->SetOpenComputerTime(now));
    EXPECT_EQ(Local(2027, 3, 10, 12, 3), manager->GetOpenTime());
    EXPECT_EQ(Local(2027, 3, 10, 12, 3), manager->GetWakeUpTime(now));

    // A lead longer than the time left: the wake-up timer and the power-on
    // time both look past the item, to the next one.
    ASSERT_TRUE(manager->SetStartUpTime(600));
    EXPECT_EQ(Local(2027, 3, 10, 17, 50), manager->GetWakeUpTime(now));
    EXPECT_TRUE(manager->SetOpenComputerTime(now));
    EXPECT_EQ(Local(2027, 3, 10, 17, 50), manager->GetOpenTime());
    EXPECT_FALSE(manager->SetStartUpTime(-1));
    EXPECT_EQ(600, manager->GetStartUpTime());
}

TEST_F(ManagerWakeUp, AWeeklyItemInsideTheLeadArmsBothTimersForNextWeek)
{
    // The program ends at 11:59 before a weekly item at 12:00 today.
    Add(Weekly(kWednesday, 12, 0, 600));
    ASSERT_TRUE(manager->SetStartUpTime(120));
    const CTime exit = Local(2027, 3, 10, 11, 59);
    const CTime nextWeek = Local(2027, 3, 17, 11, 58);
    EXPECT_EQ(nextWeek, manager->GetWakeUpTime(exit));
    EXPECT_TRUE(manager->SetOpenComputerTime(exit));
    EXPECT_EQ(nextWeek, manager->GetOpenTime());
}

TEST_F(ManagerWakeUp, NothingToComeGivesNoTime)
{
    const CTime kept = Local(2027, 3, 11, 7, 0);
    manager->SetOpenTime(kept);
    Add(Once(2027, 3, 10, 12, 0, 60)); // starts now: already under way
    EXPECT_EQ(CTime(CTVManager::kNoWakeUpTime), manager->GetWakeUpTime(now));
    ASSERT_TRUE(Timing_RemoveItem(Timing_GetFirstItem(0)));
    EXPECT_FALSE(manager->SetOpenComputerTime(now));
    EXPECT_EQ(kept, manager->GetOpenTime());
    EXPECT_EQ(CTime(CTVManager::kNoWakeUpTime), manager->GetWakeUpTime(now));

    Timing_Uninitialize(); // the program runs without schedules
    EXPECT_FALSE(manager->SetOpenComputerTime(now));
    EXPECT_EQ(CTime(CTVManager::kNoWakeUpTime), manager->GetWakeUpTime(now));
}

// The Winlogon values under a scratch key in place of HKLM.
class AutoLogon : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kRoot, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                                 &root, NULL));
        manager.reset(new CTVManager(folder.Path().c_str()));
        manager->SetRegistryRoot(root);
    }
    void TearDown() override
    {
        manager.reset();
        RegCloseKey(root);
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    }
    void MakeWinlogonKey(LPCSTR domain)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, kWinlogon, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
        RegSetValueExA(key, "DefaultDomainName", 0, REG_SZ, (const BYTE*)domain, (DWORD)strlen(domain) + 1);
        RegCloseKey(key);
    }
    std::string Value(LPCSTR name)
    {
        char text[256] = {0};
        DWORD size = sizeof text;
        if (RegGetValueA(root, kWinlogon, name, RRF_RT_REG_SZ, NULL, text, &size) != ERROR_SUCCESS)
            return "<none>";
        return text;
    }

    static constexpr char kRoot[] = "Software\\PellamarTest\\AutoLogon";
    static constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    HKEY root = NULL;
    TempFolder folder;
    MessageBoxCapture boxes;
    std::unique_ptr<CTVManager> manager;
};

TEST_F(AutoLogon, EnableWritesTheAccountDisableTakesThePasswordAway)
{
    MakeWinlogonKey("HOME");
    EXPECT_FALSE(manager->SetAutoLogin(TRUE)); // no account yet
    EXPECT_EQ("<none>", Value("AutoAdminLogon"));
    EXPECT_FALSE(manager->SetAutoLoginAccount("", "pw"));

    ASSERT_TRUE(manager->SetAutoLoginAccount("viewer", "s3cret"));
    ASSERT_TRUE(manager->SetAutoLogin(TRUE));
    EXPECT_TRUE(manager->GetAutoLogin());
    EXPECT_EQ("1", Value("AutoAdminLogon"));
    EXPECT_EQ("viewer", Value("DefaultUserName"));
    EXPECT_EQ("s3cret", Value("DefaultPassword"));
    EXPECT_EQ("HOME", Value("DefaultDomainName")); // the domain is not the user's name

    ASSERT_TRUE(manager->SetAutoLogin(FALSE));
    EXPECT_FALSE(manager->GetAutoLogin());
    EXPECT_EQ("0", Value("AutoAdminLogon"));
    EXPECT_EQ("<none>", Value("DefaultPassword"));
    EXPECT_EQ("viewer", Value("DefaultUserName"));
    EXPECT_TRUE(manager->SetAutoLogin(FALSE)); // no password left to delete

    CString user, password;
    EXPECT_TRUE(manager->GetAutoLoginAccount(user, password));
    EXPECT_EQ("viewer", user);
    EXPECT_EQ("s3cret", password);
}

TEST_F(AutoLogon, MissingKeyLeavesTheSettingAsItWas)
{
    ASSERT_TRUE(manager->SetAutoLoginAccount("viewer", "s3cret"));
    EXPECT_FALSE(manager->SetAutoLogin(TRUE));
    EXPECT_FALSE(manager->GetAutoLogin());
}

// The companions: the timer companion makes the named timer as the real one
// would; the power-scheme companion's runs are recorded.
class FakeCompanions : public ISystemServices
{
public:
    // The timer gets a name of this process's own: other test programs
    // running at the same time set and cancel the program's timer.
    FakeCompanions() : m_timerName(std::string(CSuspendWakeUp::kTimerName) + "-" + std::to_string(GetCurrentProcessId()))
    {
        CSuspendWakeUp::SetTimerName(m_timerName.c_str());
    }
    ~FakeCompanions() override
    {
        if (timer)
            CloseHandle(timer);
        CSuspendWakeUp::SetTimerName(NULL);
    }
    BOOL ExitSystem(UINT) override { return FALSE; }
    BOOL SetPowerState(BOOL, BOOL) override { return FALSE; }
    BOOL GetScreenSaverActive(BOOL*) override { return FALSE; }
    BOOL SetScreenSaverActive(BOOL) override { return FALSE; }
    BOOL GetPowerOffTimeout(int*) override { return FALSE; }
    BOOL SetPowerOffTimeout(int, BOOL) override { return FALSE; }
    HINSTANCE Execute(HWND, const char* verb, const char* file, const char* parameters, const char*,
                      int show) override
    {
        executed.push_back(std::string(verb) + "|" + file + "|" + parameters + "|" + std::to_string(show));
        if (timerMade && !timer)
            timer = CreateWaitableTimerA(NULL, FALSE, CSuspendWakeUp::TimerName());
        return reinterpret_cast<HINSTANCE>(executeResult);
    }
    BOOL RunAndWait(const char* file, const char* parameters, int show, DWORD timeoutMs, DWORD* exitCode) override
    {
        ran.push_back(std::string(file) + "|" + parameters + "|" + std::to_string(show));
        waitedMs = timeoutMs;
        if (exitCode)
            *exitCode = 0;
        return TRUE;
    }
    BOOL StartProcess(const char*, BOOL) override { return FALSE; }

    INT_PTR executeResult = 42;
    bool timerMade = true;
    HANDLE timer = NULL;
    std::vector<std::string> executed;
    std::vector<std::string> ran;
    DWORD waitedMs = 0;

private:
    std::string m_timerName;
};

std::string ProgramFolder()
{
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

TEST(SuspendWakeUp, StartServiceCases)
{
    const __time64_t inAnHour = _time64(NULL) + 3600;
    const struct
    {
        const char* what;
        BOOL enable;
        __time64_t time;
        INT_PTR executeResult;
        bool timerMade;
        BOOL powerScheme;
        BOOL result;
        size_t executed;
        const char* ranWith; // "" when the power-scheme companion did not run
    } cases[] = {
        {"not enabled", FALSE, inAnHour, 42, true, FALSE, FALSE, 0, ""},
        {"no time", TRUE, -1, 42, true, FALSE, FALSE, 0, ""},
        {"timer companion missing", TRUE, inAnHour, SE_ERR_FNF, true, FALSE, FALSE, 1, ""},
        {"timer not made yet", TRUE, inAnHour, 42, false, FALSE, FALSE, 1, "Disable"},
        {"timer set, scheme off", TRUE, inAnHour, 42, true, FALSE, TRUE, 1, "Disable"},
        {"timer set, scheme on", TRUE, inAnHour, 42, true, TRUE, TRUE, 1, "Enable"},
        {"a time past the year 3000", TRUE, 40000000000LL, 42, true, FALSE, FALSE, 1, "Disable"},
    };
    const std::string folder = ProgramFolder();
    for (const auto& c : cases) {
        FakeCompanions companions;
        companions.executeResult = c.executeResult;
        companions.timerMade = c.timerMade;
        ScopedReplacement<ISystemServices> scope(SystemServicesSeam(), &companions);
        CSuspendWakeUp wakeUp;
        EXPECT_EQ(c.result, wakeUp.StartService(c.enable, c.time, c.powerScheme)) << c.what;
        ASSERT_EQ(c.executed, companions.executed.size()) << c.what;
        if (c.executed) {
            EXPECT_EQ("open|" + folder + "Tobrel.exe| /s|" + std::to_string(SW_SHOWNORMAL), companions.executed[0]);
        }
        if (*c.ranWith) {
            ASSERT_EQ(1u, companions.ran.size()) << c.what;
            EXPECT_EQ(folder + "Umbrin.exe|" + c.ranWith + "|" + std::to_string(SW_SHOW), companions.ran[0]);
            EXPECT_EQ(CSuspendWakeUp::kPowerSchemeWaitMs, companions.waitedMs); // bounded, not INFINITE
        } else {
            EXPECT_TRUE(companions.ran.empty()) << c.what;
        }
    }
}

TEST(SuspendWakeUp, TheTimerFiresAtTheWakeUpTimeAndNoHandleIsLeft)
{
    FakeCompanions companions;
    ScopedReplacement<ISystemServices> scope(SystemServicesSeam(), &companions);
    CSuspendWakeUp wakeUp;
    ASSERT_TRUE(wakeUp.StartTimerProgram());
    ASSERT_NE(nullptr, companions.timer);
    EXPECT_EQ(ProgramFolder(), std::string(wakeUp.GetProgramFolder()));

    const DWORD handles = OpenHandleCount();
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(wakeUp.SetWakeUpTime(_time64(NULL) + 3600, FALSE));
    EXPECT_EQ(handles, OpenHandleCount());

    ASSERT_TRUE(wakeUp.SetWakeUpTime(_time64(NULL) + 2, FALSE));
    EXPECT_EQ(DWORD(WAIT_TIMEOUT), WaitForSingleObject(companions.timer, 0));
    EXPECT_EQ(DWORD(WAIT_OBJECT_0), WaitForSingleObject(companions.timer, 10000));
}

// A wake-up set on an earlier way out is taken back when nothing is left
// to record or waking is turned off.
TEST(SuspendWakeUp, NoTimeOrNotEnabledCancelsAnEarlierWakeUp)
{
    for (BOOL enable : {TRUE, FALSE}) {
        FakeCompanions companions;
        ScopedReplacement<ISystemServices> scope(SystemServicesSeam(), &companions);
        CSuspendWakeUp wakeUp;
        ASSERT_TRUE(wakeUp.StartService(TRUE, _time64(NULL) + 1, FALSE));
        companions.executed.clear();
        EXPECT_FALSE(wakeUp.StartService(enable, enable ? -1 : _time64(NULL) + 1, FALSE));
        EXPECT_TRUE(companions.executed.empty());
        EXPECT_EQ(DWORD(WAIT_TIMEOUT), WaitForSingleObject(companions.timer, 2500)) << enable;
    }
}

TEST(SuspendWakeUp, DueTimeIsTheInstantInUtc)
{
    LARGE_INTEGER due;
    ASSERT_TRUE(CSuspendWakeUp::DueTimeOf(0, &due));
    EXPECT_EQ(116444736000000000LL, due.QuadPart); // 1 January 1970 as a file time

    // 08:00 at UTC+2 is 06:00 UTC, whatever the season here.
    struct tm utc = {};
    utc.tm_year = 2027 - 1900;
    utc.tm_mon = 6;
    utc.tm_mday = 1;
    utc.tm_hour = 6;
    const __time64_t eightAtUtcPlus2 = _mkgmtime64(&utc);
    ASSERT_TRUE(CSuspendWakeUp::DueTimeOf(eightAtUtcPlus2, &due));
    FILETIME file = {due.LowPart, (DWORD)due.HighPart};
    SYSTEMTIME st;
    ASSERT_TRUE(FileTimeToSystemTime(&file, &st));
    EXPECT_EQ(2027, st.wYear);
    EXPECT_EQ(7, st.wMonth);
    EXPECT_EQ(1, st.wDay);
    EXPECT_EQ(6, st.wHour);
    EXPECT_EQ(0, st.wMinute);

    // Summer and winter dates keep their own local hour.
    for (const CTime& local : {Local(2027, 1, 15, 8, 0), Local(2027, 7, 15, 8, 0)}) {
        ASSERT_TRUE(CSuspendWakeUp::DueTimeOf(local.GetTime(), &due));
        FILETIME utcFile = {due.LowPart, (DWORD)due.HighPart};
        SYSTEMTIME utcTime, localTime;
        ASSERT_TRUE(FileTimeToSystemTime(&utcFile, &utcTime));
        // The date's own rules (FileTimeToLocalFileTime would apply today's).
        ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(NULL, &utcTime, &localTime));
        EXPECT_EQ(8, localTime.wHour) << local.GetMonth();
    }

    EXPECT_FALSE(CSuspendWakeUp::DueTimeOf(-1, &due));
    EXPECT_FALSE(CSuspendWakeUp::DueTimeOf(40000000000LL, &due));
}

} // namespace
