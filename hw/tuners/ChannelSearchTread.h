// CChannelSearchTread: the TV channel search (over the tuner's channel
// table, or a sweep over a frequency range) on its own worker thread,
// posting WM_SEARCH_POINT for every point tried and WM_SEARCH_END at the
// end. Owned by its CTVTuner, which deletes it to stop it; the setters may
// be called from the UI thread while it runs.
#pragma once
#include "graph/Thread.h"

class CTVTuner;

class CChannelSearchTread : public CThread
{
public:
    explicit CChannelSearchTread(CTVTuner* tuner);
    ~CChannelSearchTread() override;

    void SetWindow(int kHz) { InterlockedExchange(&m_nWindow, kHz); }
    void SetFineStep(int kHz) { InterlockedExchange(&m_nFineStep, kHz); }
    void SetMode(int sweep) { InterlockedExchange(&m_nMode, sweep); }
    void SetJump(int kHz) { InterlockedExchange(&m_nJump, kHz); }
    void SetHalfWindow(int kHz) { InterlockedExchange(&m_nHalfWindow, kHz); }
    void SetSettleTime(int ms) { InterlockedExchange(&m_nSettleMs, ms); }
    void SetSweepRange(int start, int end)
    {
        InterlockedExchange(&m_nSweepStart, start);
        InterlockedExchange(&m_nSweepEnd, end);
    }

    BOOL InitInstance() override;

    // Tries centre, centre - step, centre + step, centre - 2 step, ... while
    // strictly inside (lo, hi); the first candidate that locks wins. Returns
    // 0 (nothing touched) unless lo < centre < hi.
    BOOL FineSearch(float lo, float hi, float centre, float* found, int* foundFlag);

protected:
    unsigned Run() override;
    unsigned ExitInstance() override { return 0; }

private:
    void TableSearch(HWND window);
    void SweepSearch(HWND window);

    CTVTuner* m_pTuner;  // owns us
    volatile LONG m_nWindow;
    volatile LONG m_nFineStep;
    volatile LONG m_nJump;
    volatile LONG m_nHalfWindow;
    volatile LONG m_nSweepStart;
    volatile LONG m_nSweepEnd;
    LONG m_nReportMax;
    volatile LONG m_nSettleMs;
    volatile LONG m_nMode;
};
