// CSourceStream: an output pin that pushes frames from its own thread while
// the filter runs, one every FrameInterval() on the graph's reference clock
// (a performance-counter clock when the graph has none). Each sample is
// stamped with its stream time; frames that could not be made in time are
// skipped rather than delivered late. The thread exists from pause to stop;
// it never takes the filter's state lock.
#pragma once
#include "graph/Thread.h"
#include "platform/dshow/DroppedFrameLog.h"
#include "platform/dshow/OutputPin.h"

namespace dshow {

class CSourceStream : public CBaseOutputPin
{
public:
    CSourceStream(CBaseFilter* filter, const wchar_t* name);
    ~CSourceStream();

    HRESULT Active() override;
    HRESULT Run(REFERENCE_TIME start) override;
    HRESULT Paused() override;
    HRESULT Inactive() override;

    // Frames delivered and skipped since the pin became active (tests and benchmarks).
    LONG DeliveredCount() const { return m_lDelivered; }
    LONG SkippedCount() const { return m_lSkipped; }
    // The numbers of the first skipped frames; frames count from 0 when
    // the pin becomes active, delivered and skipped alike.
    HRESULT SkippedFrames(long size, long* frames, long* copied) { return m_skippedLog.Copy(size, frames, copied); }

protected:
    // Streaming thread: fills one sample for stream time `time`.
    virtual HRESULT FillBuffer(IMediaSample* sample, REFERENCE_TIME time) = 0;
    // 100 ns units; read once per frame, so a new format takes effect at once.
    virtual REFERENCE_TIME FrameInterval() = 0;

private:
    class CPushThread;
    friend class CPushThread;
    unsigned StreamLoop(HANDLE stopEvent);
    HRESULT WaitUntil(HANDLE stopEvent, IReferenceClock* clock, REFERENCE_TIME start,
                      REFERENCE_TIME streamTime);
    HRESULT StreamTimeNow(IReferenceClock* clock, REFERENCE_TIME start, REFERENCE_TIME* now);
    HRESULT DeliverFrame(REFERENCE_TIME time, REFERENCE_TIME interval, bool discontinuity);

    CPushThread* m_pThread;        // owned; from Active to Inactive
    HANDLE m_hRunning;             // manual reset: set while the filter runs
    HANDLE m_hWake;                // auto reset: any state change
    volatile LONGLONG m_qpcRunStart;  // the fallback clock's zero; set by Run, read by the thread
    volatile LONG m_lRestart;      // set by Run: the next frame starts a new grid
    volatile LONG m_lDelivered;
    volatile LONG m_lSkipped;
    CDroppedFrameLog m_skippedLog;
};

} // namespace dshow
