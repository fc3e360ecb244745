// Rounds of a stress test: `rounds` in an ordinary run (CI keeps to
// seconds); PELLAMAR_STRESS=n, set by hand, runs n times as many.
#pragma once
#include <windows.h>

#include <cstdlib>

inline int StressRounds(int rounds)
{
    char text[16] = {};
    DWORD length = GetEnvironmentVariableA("PELLAMAR_STRESS", text, sizeof(text));
    int factor = length > 0 && length < sizeof(text) ? atoi(text) : 1;
    return factor > 1 ? rounds * factor : rounds;
}

// Waits (real time, bounded) for a state a worker thread reaches; the test
// thread only looks, the worker runs freely.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(2);
    }
    return true;
}
