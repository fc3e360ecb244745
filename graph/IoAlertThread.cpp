#include "graph/IoAlertThread.h"

CIoAlertThread::CIoAlertThread(IIoAlertOwner* owner)
    : m_pOwner(owner)
{
}

CIoAlertThread::~CIoAlertThread()
{
    Stop();
}

BOOL CIoAlertThread::InitInstance()
{
    // No owner, or no event to wait on: nothing to do.
    if (!m_pOwner || !m_pOwner->GetIoEvent())
        return FALSE;
    return CThread::InitInstance();
}

unsigned CIoAlertThread::Run()
{
    if (m_lStopRequested)
        return 0;
    HANDLE deviceEvent = m_pOwner->GetIoEvent();
    for (;;) {
        HANDLE handles[2] = { m_hStopEvent, deviceEvent };
        DWORD result = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (result != WAIT_OBJECT_0 + 1)
            break;
        if (IoAlertCallback callback = m_pOwner->GetIoCallback())
            callback();
        if (m_lStopRequested)
            return 0;
    }
    if (deviceEvent)
        ResetEvent(deviceEvent);
    return 0;
}

unsigned CIoAlertThread::ExitInstance()
{
    return 0;
}
