// The clock the timing library's trigger reads: the system's unless a test
// puts its own in place, so trigger tests run without waiting.
#pragma once
#include "platform/Replaceable.h"

#include <time.h>

class ITimingClock
{
public:
    virtual ~ITimingClock() = default;
    // Seconds since 1970 (UTC).
    virtual __time64_t Now() = 0;
};

// The clock the trigger reads: the system's unless a test has put its own
// in place.
Replaceable<ITimingClock>& TimingClockSeam();
