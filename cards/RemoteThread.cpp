#include "cards/RemoteThread.h"

#include "cards/TVCardFilter.h"

CRemoteThread::CRemoteThread(CTVCardFilter* card)
    : m_pCard(card), m_Mutex("Mutex_Remote_Control", FALSE), m_nInterval(100)
{
}

CRemoteThread::~CRemoteThread()
{
    Stop();
}

BOOL CRemoteThread::InitInstance()
{
    if (!m_pCard || !m_pCard->GetAccess())
        return FALSE;
    return CThread::InitInstance();
}

BOOL CRemoteThread::LockedReadKey(BYTE* key)
{
    if (!m_pCard || !key)
        return FALSE;
    if (!m_Mutex.Lock())
        return FALSE;
    BOOL found = m_pCard->ReadRemoteKey(key);
    m_Mutex.Unlock();
    return found;
}

BOOL CRemoteThread::SetInterval(int ms)
{
    if (ms < 1)
        return FALSE;
    InterlockedExchange(&m_nInterval, ms);
    return TRUE;
}

unsigned CRemoteThread::Run()
{
    InterlockedExchange(&m_nInterval, m_pCard->GetRemoteInterval());
    HWND window = m_pCard->GetNotifyWindow();
    if (!window)
        return 0;
    while (!IsStopRequested()) {
        if (WaitForSingleObject(m_hStopEvent, (DWORD)m_nInterval) != WAIT_TIMEOUT)
            break;
        BYTE key = 0;
        if (!LockedReadKey(&key))
            continue;
        PostMessageA(window, WM_REMOTE_KEY, (WPARAM)key, 0);
        // The reader's pause after a key, with the mutex free; a stop ends it.
        DWORD pause = m_pCard->GetRemoteKeyPause();
        if (pause && WaitForSingleObject(m_hStopEvent, pause) != WAIT_TIMEOUT)
            break;
    }
    return 1;
}
