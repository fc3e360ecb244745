// zunk::Clock: where every settle time, reset pulse, polling pause and
// firmware wait takes its tick count and its sleep. The system clock by
// default; tests install a fake that advances at once, so waits cost nothing
// and runs are repeatable. Any thread.
#pragma once
#include "platform/Replaceable.h"

#include <windows.h>

namespace zunk {

class IClock
{
public:
    virtual DWORD GetTickCount() = 0;
    virtual void Sleep(DWORD ms) = 0;
    // A worker's pause that its stop event cuts short: WAIT_OBJECT_0 when
    // the event is signalled, WAIT_TIMEOUT when the pause ran out.
    virtual DWORD WaitFor(HANDLE handle, DWORD ms) { return ::WaitForSingleObject(handle, ms); }
protected:
    ~IClock() {}
};

// The seam: the system clock unless a test has put its own in place.
Replaceable<IClock>& ClockSeam();
inline IClock& Clock() { return ClockSeam().Get(); }

inline void Sleep(DWORD ms) { Clock().Sleep(ms); }
inline DWORD GetTickCount() { return Clock().GetTickCount(); }
inline DWORD WaitFor(HANDLE handle, DWORD ms) { return Clock().WaitFor(handle, ms); }

} // namespace zunk
