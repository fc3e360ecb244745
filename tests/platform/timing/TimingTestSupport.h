// Records and times for the timing library's tests. Header only.
#pragma once
#include "platform/timing/Timing.h"
#include "platform/timing/TimingClock.h"

#include <time.h>

// Local time of the fields, as the library reads an item's date.
inline __time64_t LocalTime(int year, int month, int day, int hour, int minute, int second = 0)
{
    struct tm fields = {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return _mktime64(&fields);
}

enum WeekdayBits
{
    kMonday = 1 << 0,
    kTuesday = 1 << 1,
    kWednesday = 1 << 2,
    kThursday = 1 << 3,
    kFriday = 1 << 4,
    kSaturday = 1 << 5,
    kSunday = 1 << 6,
};

inline _tagTimingParam Once(int year, int month, int day, int hour, int minute, int duration, int second = 0)
{
    return {year, month, day, hour, minute, second, duration, 1, 0, 0};
}

// Weekly items carry the day they were made on, which the library ignores.
inline _tagTimingParam Weekly(int mask, int hour, int minute, int duration, int second = 0)
{
    return {2027, 1, 1, hour, minute, second, duration, 0, mask, 0};
}

inline _tagExcuteParam Execute(int duration, int source = 0, int channel = 0, int kHz = 0)
{
    _tagExcuteParam execute = {44, 0, duration, source, channel, kHz, 0, 0, {0, 0, 0}};
    return execute;
}

class FakeTimingClock : public ITimingClock
{
public:
    explicit FakeTimingClock(__time64_t now) : m_now(now), m_scope(TimingClockSeam(), this) {}
    __time64_t Now() override { return m_now; }
    void Set(__time64_t now) { m_now = now; }

private:
    __time64_t m_now;
    ScopedReplacement<ITimingClock> m_scope;
};
