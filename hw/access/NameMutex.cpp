#include "hw/access/NameMutex.h"

CNameMutex::CNameMutex(const char* name, BOOL initialOwner)
    : m_hMutex(CreateMutexA(NULL, initialOwner, name))
{
}

CNameMutex::~CNameMutex()
{
    if (m_hMutex)
        CloseHandle(m_hMutex);
}

BOOL CNameMutex::Lock()
{
    if (!m_hMutex)
        return 0;
    // WAIT_ABANDONED hands us the mutex: refusing it would leave it owned
    // by nobody who will ever release it, locking every later caller out.
    DWORD result = WaitForSingleObject(m_hMutex, 1000);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

BOOL CNameMutex::Unlock()
{
    if (!m_hMutex)
        return 0;
    return ReleaseMutex(m_hMutex);
}
