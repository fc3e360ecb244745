#include "engine/MTimer.h"

#include <map>

namespace {

// Identifier -> timer, for the system's timer procedure.
std::map<UINT_PTR, MTimer*>& TimerMap()
{
    static std::map<UINT_PTR, MTimer*> timers;
    return timers;
}

} // namespace

void MTimer::Start(UINT intervalMs)
{
    Stop();
    const UINT_PTR id = ::SetTimer(NULL, 0, intervalMs, &MTimer::TimerProc);
    if (!id)
        return;
    m_nTimerId = id;
    m_nInterval = intervalMs;
    TimerMap()[id] = this;
}

void MTimer::Stop()
{
    if (!m_nTimerId)
        return;
    ::KillTimer(NULL, m_nTimerId);
    TimerMap().erase(m_nTimerId);
    m_nTimerId = 0;
    m_bBusy = FALSE;
}

void CALLBACK MTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = TimerMap().find(id);
    if (found == TimerMap().end()) {
        ::KillTimer(NULL, id);
        return;
    }
    MTimer* timer = found->second;
    if (!timer->m_pfnCallback) {
        timer->Stop();
        return;
    }
    timer->m_bBusy = TRUE;
    if (timer->m_pfnCallback() < 0)
        timer->Stop();
    else
        timer->m_bBusy = FALSE;
}
