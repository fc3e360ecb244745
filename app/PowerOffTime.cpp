#include "app/PowerOffTime.h"

#include <algorithm>

namespace {

// The same time of day as `time`, on the date of `day`.
CTime OnDateOf(const CTime& time, const CTime& day)
{
    CTime moved;
    if (!CTime::FromLocalFields(day.GetYear(), day.GetMonth(), day.GetDay(), time.GetHour(), time.GetMinute(),
                                time.GetSecond(), moved))
        return time;
    return moved;
}

bool SameDay(const CTime& a, const CTime& b)
{
    return a.GetYear() == b.GetYear() && a.GetMonth() == b.GetMonth() && a.GetDay() == b.GetDay();
}

} // namespace

void CPowerOffTime::Set(const CTime& time, bool enable, const CTime& now)
{
    m_enabled = enable;
    if (!enable)
        return;
    m_time = OnDateOf(time, now);
    // A time a second ahead counts as now; one already passed waits for tomorrow.
    m_covered = now.GetTime() - 1;
}

CPowerOffTime::Check CPowerOffTime::Run(const CTime& now)
{
    Check check = {m_enabled, false, 1};
    if (!m_enabled)
        return check;
    for (int pass = 0; pass < 2; ++pass) {
        const __time64_t ahead = m_time.GetTime() - now.GetTime();
        if (ahead > 1) {
            check.nextSeconds = (UINT)std::min<__time64_t>(ahead, kMaxWaitSeconds);
            m_covered = now.GetTime() + 1;
            return check;
        }
        if (m_time.GetTime() > m_covered) {
            // Due now, or passed since the last check.
            check.countdown = true;
            m_covered = m_time.GetTime();
        }
        if (!SameDay(m_time, now) && !check.countdown) {
            // Another day: the time of day on today's date, checked again.
            m_time = OnDateOf(m_time, now);
            continue;
        }
        break;
    }
    // Passed today: look again within the hour, at most a minute on.
    const int untilHour = 3599 - 60 * now.GetMinute() - now.GetSecond();
    check.nextSeconds = (UINT)std::max(1, std::min<int>(untilHour, (int)kMaxWaitSeconds));
    m_covered = std::max<__time64_t>(m_covered, now.GetTime() + 1);
    return check;
}
