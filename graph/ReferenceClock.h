// The last release of a graph's reference clock. Under Wine, a system
// clock's advise thread misses the wake-up that ends it when that wake-up
// comes while the thread is not yet (or not at that moment) in its wait, and
// it has no advise pending: the clock's last release then waits for that
// thread for ever. A graph that is stopped and released right after it
// started running (its renderer's first advise has just made the thread)
// hangs so. Caller's thread; the caller's apartment.
#pragma once
#include <windows.h>
#include <strmif.h>

namespace zunk {

// How long, at most, such a thread sleeps between two looks at whether its
// clock is going.
const DWORD kClockWakeMs = 10;

// Releases the caller's reference. When it is the last one, a periodic
// advise is left pending first, so the clock's thread wakes at least every
// kClockWakeMs and sees that it must end even when the wake-up meant for it
// was missed. Returns what Release returned; NULL is ignored (0).
ULONG ReleaseReferenceClock(IReferenceClock* clock);

} // namespace zunk
