// CSuspendWakeUp: sets the named waitable timer that wakes the computer for
// a scheduled recording, and switches the power scheme. The timer belongs to
// the companion program "Tobrel.exe", which creates it and keeps it after
// this program ends; "Umbrin.exe" switches the power scheme. Companions are
// started through the system-services seam. The program has one object;
// UI thread only (SetPowerScheme waits, bounded, for its companion).
#pragma once
#include "platform/mfc/String.h"

#include <time.h>

class CSuspendWakeUp
{
public:
    CSuspendWakeUp() = default;
    virtual ~CSuspendWakeUp() = default;

    // `wakeUpTime`: seconds since 1970 (UTC), -1 for none. TRUE when the
    // timer was set. FALSE when not enabled or with no time (a timer left
    // set by an earlier run is cancelled then, so the computer does not
    // wake for a recording since removed), or when the timer companion
    // could not be started.
    BOOL StartService(BOOL enable, __time64_t wakeUpTime, BOOL powerScheme);
    // Starts the timer companion with " /s" without waiting for it.
    BOOL StartTimerProgram();
    // Sets the timer to wake the computer at `wakeUpTime`, then runs the
    // power-scheme companion whether or not the timer was found.
    BOOL SetWakeUpTime(__time64_t wakeUpTime, BOOL powerScheme);
    // Runs the power-scheme companion with "Enable" or "Disable" and waits
    // at most kPowerSchemeWaitMs for it; TRUE when it ended with exit code 0.
    BOOL SetPowerScheme(BOOL enable);

    // The program folder, ending in a backslash (empty until
    // StartTimerProgram).
    const CString& GetProgramFolder() const { return m_strProgramFolder; }

    // The timer's absolute due time for a wake-up time: its file time, UTC.
    // FALSE for a time before 1970 or past the year 3000.
    static BOOL DueTimeOf(__time64_t wakeUpTime, LARGE_INTEGER* dueTime);

    static constexpr char kTimerName[] = "Kestra_WaitableTimer";
    // The timer's name, kTimerName unless a test gives its process one of
    // its own (named objects are shared by every process of the session).
    static const char* TimerName() { return s_timerName; }
    static void SetTimerName(const char* name) { s_timerName = name ? name : kTimerName; }
    static constexpr char kTimerProgram[] = "Tobrel.exe";
    static constexpr char kPowerSchemeProgram[] = "Umbrin.exe";
    static constexpr DWORD kPowerSchemeWaitMs = 10000;

private:
    CString ProgramFolder();
    static void CancelWakeUp();

    CString m_strProgramFolder;
    static const char* s_timerName;
};
