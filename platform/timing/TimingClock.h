// The clock the timing library's trigger reads: the system's unless a test
// puts its own in place, so trigger tests run without waiting.
#pragma once
#include <time.h>

class ITimingClock
{
public:
    virtual ~ITimingClock() = default;
    // Seconds since 1970 (UTC).
    virtual __time64_t Now() = 0;
};

// Puts a clock in place (nullptr: the system's again); returns the one that
// was in place.
ITimingClock* Timing_SetClock(ITimingClock* clock);
