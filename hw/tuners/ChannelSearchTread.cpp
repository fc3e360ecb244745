#include "hw/tuners/ChannelSearchTread.h"

#include "graph/Clock.h"
#include "graph/WindowMessages.h"
#include "hw/tuners/TVTuner.h"

CChannelSearchTread::CChannelSearchTread(CTVTuner* tuner)
    : m_pTuner(tuner), m_nWindow(625), m_nFineStep(125), m_nJump(3000), m_nHalfWindow(1000),
      m_nSweepStart(tuner ? tuner->m_nMinFreq : 0), m_nSweepEnd(tuner ? tuner->m_nMaxFreq : 0),
      m_nReportMax(tuner ? tuner->m_nMaxFreq : 0), m_nSettleMs(60), m_nMode(0)
{
}

CChannelSearchTread::~CChannelSearchTread()
{
    Stop();
}

BOOL CChannelSearchTread::InitInstance()
{
    if (!m_pTuner)
        return FALSE;
    return CThread::InitInstance();
}

BOOL CChannelSearchTread::FineSearch(float lo, float hi, float centre, float* found,
                                     int* foundFlag)
{
    if (!(lo < centre && centre < hi))
        return 0;
    *foundFlag = 0;
    *found = centre;
    // The stored step is the default 125 kHz unless the engine changed it.
    LONG step = m_nFineStep > 0 ? m_nFineStep : 125;
    for (int i = 0;; ++i) {
        int k = (i + 1) / 2;
        float offset = static_cast<float>(k) * static_cast<float>(step);
        float candidate = (i % 2) ? centre - offset : centre + offset;
        if (!(lo < candidate && candidate < hi))
            return 1;
        if (!m_pTuner->SetTVFrequency(candidate))
            continue;
        // The settle pause is a wait on the stop event, so a stop cuts it short.
        if (zunk::WaitFor(m_hStopEvent, static_cast<DWORD>(m_nSettleMs)) != WAIT_TIMEOUT)
            return 1;
        DWORD locked = 0;
        if (!m_pTuner->GetSignalLock(&locked))
            return 1;
        if (locked) {
            *foundFlag = 1;
            *found = candidate;
            return 1;
        }
    }
}

void CChannelSearchTread::TableSearch(HWND window)
{
    const float* table = m_pTuner->m_pChannelTable;
    int count = table ? m_pTuner->m_nChannelCount : 0;
    for (int i = 0; i < count && !m_lStopRequested; ++i) {
        float e = table[i] * 1000.0f;
        float lo = e - static_cast<float>(m_nWindow);
        float hi = e + static_cast<float>(m_nWindow);
        float found = e;
        int flag = 0;
        if (lo > m_pTuner->m_nMinFreq - 1000 && hi < m_pTuner->m_nMaxFreq + 1000)
            FineSearch(lo, hi, e, &found, &flag);
        if (m_lStopRequested)
            break;  // the candidate in progress was cut short: not a result
        PostMessageA(window, WM_SEARCH_POINT, static_cast<WPARAM>(static_cast<LONG>(found)),
                     flag);
    }
}

void CChannelSearchTread::SweepSearch(HWND window)
{
    // The remote poller's GPIO and I2C traffic disturbs the lock tests, so
    // it pauses for the sweep; the card decides whether it comes back.
    ITunerOwner* card = m_pTuner->m_pCard;
    if (card)
        card->PauseRemote();
    float f = static_cast<float>(m_nSweepStart);
    while (f < static_cast<float>(m_nSweepEnd) && !m_lStopRequested) {
        float half = static_cast<float>(m_nHalfWindow);
        float found = f;
        int flag = 0;
        FineSearch(f - half, f + half, f, &found, &flag);
        if (m_lStopRequested)
            break;
        float reported = found > m_nReportMax ? static_cast<float>(m_nReportMax) : found;
        PostMessageA(window, WM_SEARCH_POINT, static_cast<WPARAM>(static_cast<LONG>(reported)),
                     flag);
        float next = flag ? reported + static_cast<float>(m_nJump) : f + 2.0f * half;
        if (!(next > f))
            break;  // a window or jump of no width would never move on
        f = next;
    }
    if (card)
        card->ResumeRemote();
}

unsigned CChannelSearchTread::Run()
{
    HWND window = m_pTuner->GetNotifyWindow();
    if (m_nMode)
        SweepSearch(window);
    else
        TableSearch(window);
    InterlockedExchange(&m_pTuner->m_bSearching, 0);
    PostMessageA(window, WM_SEARCH_END, 0, 0);
    return 0;
}
