// CThread: base of every worker thread (remote-control polling, channel and
// FM searches, DV polling, device-event waits). The thread is created
// suspended; the owner calls Resume once and, before deleting the object,
// Stop - from any thread but the worker itself. A derived class stops its
// thread in its own destructor, while its Run override still exists.
#pragma once
#include <windows.h>

class CThread
{
public:
    CThread();
    virtual BOOL Stop();
    virtual BOOL InitInstance();
    virtual ~CThread();

    BOOL CreateThread(DWORD flags, unsigned stackSize, LPSECURITY_ATTRIBUTES security);
    DWORD Resume();
    int GetPriority() const;

    // The worker's handle, or NULL once stopped (tests and owners read it).
    HANDLE GetThreadHandle() const { return m_hThread; }
    BOOL IsStopRequested() const { return m_lStopRequested != 0; }

protected:
    virtual unsigned Run() = 0;
    virtual unsigned ExitInstance() = 0;

    HANDLE m_hThread;           // owned; closed by Stop, never by the worker
    unsigned m_nThreadId;
    volatile LONG m_lSuspendCount;  // Resume calls still owed; 1 after creation
    volatile LONG m_lStopRequested; // set atomically by Stop, read by Run loops
    HANDLE m_hStopEvent;        // auto-reset; signalled by Stop

private:
    static unsigned __stdcall ThreadRoutine(void* self);

    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;
};
