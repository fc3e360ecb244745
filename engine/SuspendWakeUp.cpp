#include "engine/SuspendWakeUp.h"

#include "graph/DebugHelper.h"
#include "platform/system/SystemServices.h"

namespace {

// File times count 100 ns steps from 1601; times count seconds from 1970.
constexpr LONGLONG kSecondsFrom1601To1970 = 11644473600LL;
constexpr LONGLONG kFileTimeStepsPerSecond = 10000000LL;
constexpr __time64_t kLatestWakeUp = 32503680000LL; // 1 January 3000

// The folder of the program's file, up to and including its last backslash.
CString ModuleFolder()
{
    char path[MAX_PATH + 1] = {0};
    const DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    char* lastSlash = strrchr(path, '\\');
    if (lastSlash)
        lastSlash[1] = '\0';
    return CString(path);
}

// Windows of the 9x family take the companion's path in its short form.
CString ForThisWindows(const CString& folder)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (!known || version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS)
        return folder;
    char shortPath[MAX_PATH + 1] = {0};
    const DWORD length = GetShortPathNameA(folder, shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH ? CString(shortPath) : folder;
}

} // namespace

const char* CSuspendWakeUp::s_timerName = CSuspendWakeUp::kTimerName;

BOOL CSuspendWakeUp::StartService(BOOL enable, __time64_t wakeUpTime, BOOL powerScheme)
{
    DebugHelper("Enter CSuspendWakeUp::StartService");
    if (!enable || wakeUpTime == -1) {
        CancelWakeUp();
        return FALSE;
    }
    if (!StartTimerProgram())
        return FALSE;
    return SetWakeUpTime(wakeUpTime, powerScheme) ? TRUE : FALSE;
}

BOOL CSuspendWakeUp::StartTimerProgram()
{
    m_strProgramFolder = ModuleFolder();
    const CString program = m_strProgramFolder + kTimerProgram;
    const HINSTANCE result = SystemServices().Execute(NULL, "open", program, " /s", NULL, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) >= 32;
}

BOOL CSuspendWakeUp::DueTimeOf(__time64_t wakeUpTime, LARGE_INTEGER* dueTime)
{
    if (!dueTime || wakeUpTime < 0 || wakeUpTime > kLatestWakeUp)
        return FALSE;
    // Straight from the instant: a local broken-down time would carry
    // today's daylight-saving bias onto a date that may lie in the other season.
    dueTime->QuadPart = (wakeUpTime + kSecondsFrom1601To1970) * kFileTimeStepsPerSecond;
    return TRUE;
}

BOOL CSuspendWakeUp::SetWakeUpTime(__time64_t wakeUpTime, BOOL powerScheme)
{
    LARGE_INTEGER dueTime;
    const BOOL validTime = DueTimeOf(wakeUpTime, &dueTime);
    BOOL set = FALSE;
    HANDLE timer = OpenWaitableTimerA(TIMER_ALL_ACCESS, FALSE, TimerName());
    if (timer) {
        DebugHelper("OpenWaitableTimer is Successful");
        // Positive: an absolute time. Resume: the computer wakes for it.
        set = validTime && SetWaitableTimer(timer, &dueTime, 0, NULL, NULL, TRUE);
    }
    SetPowerScheme(powerScheme);
    if (timer)
        CloseHandle(timer); // the companion's handle keeps the timer set
    return set;
}

BOOL CSuspendWakeUp::SetPowerScheme(BOOL enable)
{
    const CString program = ForThisWindows(ProgramFolder()) + kPowerSchemeProgram;
    DWORD exitCode = 1;
    const BOOL ended = SystemServices().RunAndWait(program, enable ? "Enable" : "Disable", SW_SHOW,
                                                   kPowerSchemeWaitMs, &exitCode);
    if (!ended)
        DebugHelper("CSuspendWakeUp::SetPowerScheme: %s did not end within %lu ms", (LPCSTR)program,
                    (unsigned long)kPowerSchemeWaitMs);
    return ended && exitCode == 0;
}

void CSuspendWakeUp::CancelWakeUp()
{
    // The companion keeps the timer between runs: a due time set on an
    // earlier way out is still pending.
    HANDLE timer = OpenWaitableTimerA(TIMER_MODIFY_STATE, FALSE, TimerName());
    if (!timer)
        return;
    CancelWaitableTimer(timer);
    CloseHandle(timer);
}

CString CSuspendWakeUp::ProgramFolder()
{
    // Before StartTimerProgram the folder is still empty: a bare name would
    // be looked for in the current folder.
    return m_strProgramFolder.IsEmpty() ? ModuleFolder() : m_strProgramFolder;
}
