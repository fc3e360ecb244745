// CFMSearchThread: the FM band search on its own worker thread, posting
// WM_SEARCH_POINT for every frequency the tuner accepted and WM_SEARCH_END
// at the end. Owned by its CTVTuner, which deletes it to stop it.
#pragma once
#include "graph/Thread.h"

class CTVTuner;

class CFMSearchThread : public CThread
{
public:
    explicit CFMSearchThread(CTVTuner* tuner);
    ~CFMSearchThread() override;

    void SetRange(int start, int end)
    {
        InterlockedExchange(&m_nStart, start);
        InterlockedExchange(&m_nEnd, end);
    }
    void SetStep(int kHz) { InterlockedExchange(&m_nStep, kHz); }
    void SetSkip(int kHz)
    {
        if (kHz > 0)
            InterlockedExchange(&m_nSkip, kHz);
    }

    BOOL InitInstance() override;

    // The settle pause after each tuning, ms.
    static const DWORD kSettleMs = 150;

protected:
    unsigned Run() override;
    unsigned ExitInstance() override { return 0; }

private:
    CTVTuner* m_pTuner;  // owns us
    volatile LONG m_nStart;
    volatile LONG m_nEnd;
    volatile LONG m_nStep;
    volatile LONG m_nSkip;
};
