// CRemoteThread: polls a card filter's remote-control receiver at an
// interval and posts each key to the engine's window as WM_REMOTE_KEY.
// Owned by the card filter, which starts and stops it on the UI thread (and
// the sweep search around its run). Each read holds "Mutex_Remote_Control".
#pragma once
#include "graph/Thread.h"
#include "graph/WindowMessages.h"
#include "hw/access/NameMutex.h"

class CTVCardFilter;

class CRemoteThread : public CThread
{
public:
    explicit CRemoteThread(CTVCardFilter* card);
    ~CRemoteThread() override;

    BOOL InitInstance() override;
    // Reads one key under the mutex (1000 ms wait); FALSE without a key.
    BOOL LockedReadKey(BYTE* key);
    // Takes effect at the next wait; ms < 1 is refused.
    BOOL SetInterval(int ms);
    int GetInterval() const { return m_nInterval; }

protected:
    unsigned Run() override;
    unsigned ExitInstance() override { return 0; }

private:
    CTVCardFilter* m_pCard;  // our owner; never deleted here
    CNameMutex m_Mutex;
    volatile LONG m_nInterval;
};
