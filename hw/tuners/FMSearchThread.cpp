#include "hw/tuners/FMSearchThread.h"

#include "graph/Clock.h"
#include "graph/WindowMessages.h"
#include "hw/tuners/TVTuner.h"

CFMSearchThread::CFMSearchThread(CTVTuner* tuner)
    : m_pTuner(tuner), m_nStart(0), m_nEnd(0), m_nStep(100), m_nSkip(100)
{
}

CFMSearchThread::~CFMSearchThread()
{
    Stop();
}

BOOL CFMSearchThread::InitInstance()
{
    if (!m_pTuner || !m_pTuner->m_bHasFM)
        return FALSE;
    return CThread::InitInstance();
}

unsigned CFMSearchThread::Run()
{
    HWND window = m_pTuner->GetNotifyWindow();
    // The tuner's current values win over those set before the start.
    SetStep(m_pTuner->m_nFMStep);
    SetSkip(m_pTuner->m_nFMSkip);
    // A step below 1 kHz would never reach the end of the band.
    if (m_nStep >= 1) {
        // Counted in 64 bits: a band that ends near the top of the 32-bit
        // range must not wrap round below its end and search for ever.
        for (LONGLONG f = m_nStart; f <= m_nEnd && !m_lStopRequested; f += m_nStep) {
            if (!m_pTuner->SetFMFrequency(static_cast<float>(f)))
                continue;
            if (zunk::WaitFor(m_hStopEvent, kSettleMs) != WAIT_TIMEOUT)
                break;
            BOOL found = m_pTuner->IsFMSignal();
            PostMessageA(window, WM_SEARCH_POINT, static_cast<WPARAM>(static_cast<LONG>(f)),
                         found ? 1 : 0);
            if (found)
                f += static_cast<LONGLONG>(m_nSkip) - m_nStep;
        }
    }
    InterlockedExchange(&m_pTuner->m_bSearching, 0);
    PostMessageA(window, WM_SEARCH_END, 0, 0);
    return 0;
}
