#include "graph/Thread.h"

#include <process.h>

CThread::CThread()
    : m_hThread(NULL), m_nThreadId(0), m_lSuspendCount(0), m_lStopRequested(0),
      m_hStopEvent(CreateEventA(NULL, FALSE, FALSE, NULL))
{
    CreateThread(CREATE_SUSPENDED, 0, NULL);
}

CThread::~CThread()
{
    // The derived destructor must have stopped the thread: once we are here
    // its Run override is gone. A thread that has already ended is harmless
    // and only needs its handles closed; one still running is a fault of the
    // derived class, reported rather than resumed into a half-destroyed object.
    if (m_hThread && WaitForSingleObject(m_hThread, 0) != WAIT_OBJECT_0) {
        OutputDebugStringA("CThread destroyed while its thread still runs\n");
        m_hThread = NULL;
    }
    Stop();
}

BOOL CThread::CreateThread(DWORD flags, unsigned stackSize, LPSECURITY_ATTRIBUTES security)
{
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(security, stackSize, &CThread::ThreadRoutine, this,
                                      flags, &id);
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadId = id;
    m_lSuspendCount = 1;
    return m_hThread != NULL;
}

DWORD CThread::Resume()
{
    if (!m_hThread)
        return 0xFFFFFFFF;
    if (m_lSuspendCount < 1)
        return static_cast<DWORD>(m_lSuspendCount);
    DWORD previous = ResumeThread(m_hThread);
    if (previous == 0xFFFFFFFF)
        return 0xFFFFFFFF;
    InterlockedDecrement(&m_lSuspendCount);
    return previous;
}

int CThread::GetPriority() const
{
    return GetThreadPriority(m_hThread);
}

BOOL CThread::InitInstance()
{
    return m_hStopEvent != NULL;
}

BOOL CThread::Stop()
{
    InterlockedExchange(&m_lStopRequested, 1);
    if (m_hThread) {
        if (m_hStopEvent)
            SetEvent(m_hStopEvent);
        // A thread never resumed is resumed now so that it sees the flag.
        while (m_lSuspendCount >= 1) {
            if (Resume() == 0xFFFFFFFF)
                break;
        }
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = NULL;
    }
    if (m_hStopEvent) {
        CloseHandle(m_hStopEvent);
        m_hStopEvent = NULL;
    }
    return TRUE;
}

unsigned __stdcall CThread::ThreadRoutine(void* self)
{
    CThread* thread = static_cast<CThread*>(self);
    if (thread->InitInstance())
        thread->Run();
    // The handle stays with the object: Stop waits on it and closes it, also
    // when the thread has ended by itself.
    return thread->ExitInstance();
}
