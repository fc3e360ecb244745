// CAutoMutex: scoped guard over a critical section, used around each hardware
// transaction so every exit path leaves the section. Released on the thread
// that took it.
#pragma once
#include <windows.h>

class CAutoMutex
{
public:
    explicit CAutoMutex(CRITICAL_SECTION* section) : m_pSection(section)
    {
        EnterCriticalSection(m_pSection);
    }
    virtual ~CAutoMutex() { LeaveCriticalSection(m_pSection); }

private:
    CRITICAL_SECTION* m_pSection;
    CAutoMutex(const CAutoMutex&) = delete;
    CAutoMutex& operator=(const CAutoMutex&) = delete;
};
