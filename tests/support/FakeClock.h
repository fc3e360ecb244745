// A clock for tests: Sleep advances the tick count at once instead of
// waiting, and every sleep is recorded. Installed for the lifetime of the
// object (RAII); safe to use from worker threads.
#pragma once
#include "graph/Clock.h"

#include <mutex>
#include <vector>

class FakeClock : public zunk::IClock
{
public:
    explicit FakeClock(DWORD start = 1000);

    DWORD GetTickCount() override;
    void Sleep(DWORD ms) override;
    // Returns at once: signalled, or the pause counted as slept.
    DWORD WaitFor(HANDLE handle, DWORD ms) override;

    void Advance(DWORD ms);
    std::vector<DWORD> Sleeps() const;
    DWORD TotalSlept() const;

private:
    mutable std::mutex m_lock;
    DWORD m_now;
    std::vector<DWORD> m_sleeps;
    ScopedReplacement<zunk::IClock> m_scope;
};
