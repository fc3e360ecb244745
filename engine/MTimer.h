// MTimer: a thread timer without a window that calls a function. The
// system's timer procedure finds the object through one program-wide map
// from timer identifier to MTimer. The busy flag is set while the callback
// runs, which is how a callback shared by many timers learns which one
// fired. UI thread only: thread timers are dispatched by that thread's
// message loop.
#pragma once
#include <windows.h>

class MTimer
{
public:
    // A negative result stops the timer.
    typedef int (*Callback)();

    MTimer() : m_nTimerId(0), m_nInterval(0), m_pfnCallback(NULL), m_bBusy(FALSE) {}
    virtual ~MTimer() { Stop(); }
    MTimer(const MTimer&) = delete;
    MTimer& operator=(const MTimer&) = delete;

    // Stops, then starts with the interval; the system picks a new
    // identifier each time. A timer the system refuses stays stopped.
    void Start(UINT intervalMs);
    void Stop();
    void Restart() { Start(m_nInterval); }
    void SetCallback(Callback callback) { m_pfnCallback = callback; }
    BOOL IsBusy() const { return m_bBusy; }
    BOOL IsRunning() const { return m_nTimerId != 0; }
    UINT GetInterval() const { return m_nInterval; }

private:
    static void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

    UINT_PTR m_nTimerId; // 0 while stopped
    UINT m_nInterval;    // ms
    Callback m_pfnCallback;
    BOOL m_bBusy;
};
