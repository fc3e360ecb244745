// CPowerOffTime: the daily power-off time of the control panel. It keeps
// the chosen time of day on today's date and says, at each check, whether
// the power-off countdown is due and when to check again. A check that comes
// late (the machine was busy, the timer slipped) still brings the countdown
// when the time passed since the previous check; the countdown comes once a
// day. Times are handed in, so tests run on a clock of their own. Owned by
// the control panel; UI thread.
#pragma once
#include "platform/mfc/Time.h"

class CPowerOffTime
{
public:
    struct Check
    {
        bool enabled;       // FALSE: no check to arm
        bool countdown;     // the power-off countdown is due now
        UINT nextSeconds;   // when to check again (at least 1)
    };

    // Off: nothing is checked. On: the time of day of `time` on today's date.
    void Set(const CTime& time, bool enable, const CTime& now);
    bool IsEnabled() const { return m_enabled; }
    const CTime& GetTime() const { return m_time; }
    Check Run(const CTime& now);

    // The longest wait between checks, in seconds.
    static const UINT kMaxWaitSeconds = 60;

private:
    bool m_enabled = false;
    CTime m_time;
    // The countdown has been decided for every time up to this one.
    __time64_t m_covered = 0;
};
