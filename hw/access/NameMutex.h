// CNameMutex: a named Win32 mutex shared between objects, threads and
// processes that must not interleave GPIO or I2C sequences on one card
// ("GPIO_LOCK", "Mutex_Remote_Control"). Owned by whoever guards with it;
// Lock and Unlock pair up on the same thread.
#pragma once
#include <windows.h>

class CNameMutex
{
public:
    CNameMutex(const char* name, BOOL initialOwner);
    virtual ~CNameMutex();

    // 1 when the mutex is ours within 1000 ms - also when its previous
    // owner ended without releasing it (we own it then, and must release
    // it); 0 on time-out, failure or without a handle.
    BOOL Lock();
    BOOL Unlock();
    HANDLE GetHandle() const { return m_hMutex; }

private:
    HANDLE m_hMutex;
    CNameMutex(const CNameMutex&) = delete;
    CNameMutex& operator=(const CNameMutex&) = delete;
};

// Holds a CNameMutex for one scope: locked on construction, unlocked on the
// way out only when the lock was obtained, so a caller that goes on without
// the lock never releases a mutex it does not own.
class CNameMutexHold
{
public:
    explicit CNameMutexHold(CNameMutex& mutex) : m_mutex(mutex), m_bHeld(mutex.Lock()) {}
    ~CNameMutexHold()
    {
        if (m_bHeld)
            m_mutex.Unlock();
    }
    BOOL Held() const { return m_bHeld; }

private:
    CNameMutex& m_mutex;
    BOOL m_bHeld;
    CNameMutexHold(const CNameMutexHold&) = delete;
    CNameMutexHold& operator=(const CNameMutexHold&) = delete;
};
