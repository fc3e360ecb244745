// Failures a driver fake answers with, arranged per key (a request code, a
// property id, or a key of the fake's own for "any call"): after `after`
// good calls, `times` failing ones (-1: for good). Not locked: the fake
// calls it under its own lock. Header only.
#pragma once
#include <windows.h>

#include <map>

class FailureSchedule
{
public:
    // S_OK clears what was arranged for the key.
    void Arrange(long key, HRESULT hr, int after = 0, int times = -1)
    {
        if (hr == S_OK)
            m_failures.erase(key);
        else
            m_failures[key] = {hr, after, times};
    }

    // The answer of the next call under `key`: S_OK or the failure due.
    HRESULT Next(long key)
    {
        auto it = m_failures.find(key);
        if (it == m_failures.end())
            return S_OK;
        Failure& failure = it->second;
        if (failure.after > 0) {
            --failure.after;
            return S_OK;
        }
        if (failure.times == 0)
            return S_OK;
        if (failure.times > 0)
            --failure.times;
        return failure.hr;
    }

private:
    struct Failure
    {
        HRESULT hr;
        int after;
        int times;
    };
    std::map<long, Failure> m_failures;
};
