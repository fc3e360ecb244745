#include "tests/support/FakeClock.h"

FakeClock::FakeClock(DWORD start) : m_now(start), m_scope(zunk::ClockSeam(), this) {}

DWORD FakeClock::GetTickCount()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_now;
}

void FakeClock::Sleep(DWORD ms)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_now += ms;
    m_sleeps.push_back(ms);
}

void FakeClock::Advance(DWORD ms)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_now += ms;
}

std::vector<DWORD> FakeClock::Sleeps() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_sleeps;
}

DWORD FakeClock::TotalSlept() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    DWORD total = 0;
    for (DWORD ms : m_sleeps)
        total += ms;
    return total;
}

DWORD FakeClock::WaitFor(HANDLE handle, DWORD ms)
{
    DWORD result = WaitForSingleObject(handle, 0);
    if (result != WAIT_TIMEOUT)
        return result;
    Sleep(ms);
    return WAIT_TIMEOUT;
}
