#include "platform/dshow/SourceStream.h"

#include "platform/dshow/BaseFilter.h"

#include <evcode.h>

#include <new>

namespace dshow {

namespace {
// How long the thread pauses before asking again a clock that failed.
const DWORD kClockRetryMs = 10;
} // namespace

class CSourceStream::CPushThread : public CThread
{
public:
    explicit CPushThread(CSourceStream* pin) : m_pPin(pin), m_bCom(false) {}
    ~CPushThread() { Stop(); }

protected:
    BOOL InitInstance() override
    {
        // The clock, the allocator and the peer are free-threaded objects.
        m_bCom = SUCCEEDED(CoInitializeEx(NULL, COINIT_MULTITHREADED));
        return CThread::InitInstance();
    }
    unsigned Run() override { return m_pPin->StreamLoop(m_hStopEvent); }
    unsigned ExitInstance() override
    {
        if (m_bCom)
            CoUninitialize();
        return 0;
    }

private:
    CSourceStream* m_pPin;   // owns this thread
    bool m_bCom;
};

CSourceStream::CSourceStream(CBaseFilter* filter, const wchar_t* name)
    : CBaseOutputPin(filter, name), m_pThread(NULL),
      m_hRunning(CreateEventA(NULL, TRUE, FALSE, NULL)),
      m_hWake(CreateEventA(NULL, FALSE, FALSE, NULL)), m_qpcRunStart(0), m_lRestart(1), m_lDelivered(0),
      m_lSkipped(0)
{
}

CSourceStream::~CSourceStream()
{
    delete m_pThread;
    if (m_hWake)
        CloseHandle(m_hWake);
    if (m_hRunning)
        CloseHandle(m_hRunning);
}

HRESULT CSourceStream::Active()
{
    if (!m_hRunning || !m_hWake)
        return E_OUTOFMEMORY;
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr))
        return hr;
    ResetEvent(m_hRunning);
    InterlockedExchange(&m_lDelivered, 0);
    InterlockedExchange(&m_lSkipped, 0);
    m_skippedLog.Clear();
    InterlockedExchange(&m_lRestart, 1);
    m_pThread = new (std::nothrow) CPushThread(this);
    if (!m_pThread || !m_pThread->GetThreadHandle()) {
        delete m_pThread;
        m_pThread = NULL;
        CBaseOutputPin::Inactive();
        return E_OUTOFMEMORY;
    }
    m_pThread->Resume();
    return S_OK;
}

HRESULT CSourceStream::Run(REFERENCE_TIME)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    InterlockedExchange64(&m_qpcRunStart, now.QuadPart);
    InterlockedExchange(&m_lRestart, 1);
    SetEvent(m_hRunning);
    SetEvent(m_hWake);
    return S_OK;
}

HRESULT CSourceStream::Paused()
{
    ResetEvent(m_hRunning);
    SetEvent(m_hWake);
    return S_OK;
}

HRESULT CSourceStream::Inactive()
{
    ResetEvent(m_hRunning);
    // Decommit first: it wakes the thread if it waits for a free buffer.
    HRESULT hr = CBaseOutputPin::Inactive();
    delete m_pThread;
    m_pThread = NULL;
    return hr;
}

HRESULT CSourceStream::StreamTimeNow(IReferenceClock* clock, REFERENCE_TIME start,
                                     REFERENCE_TIME* now)
{
    if (clock) {
        REFERENCE_TIME t = 0;
        HRESULT hr = clock->GetTime(&t);
        if (FAILED(hr))
            return hr;
        *now = t - start;
        return S_OK;
    }
    LARGE_INTEGER qpc, frequency;
    QueryPerformanceCounter(&qpc);
    QueryPerformanceFrequency(&frequency);
    LONGLONG ticks = qpc.QuadPart - InterlockedCompareExchange64(&m_qpcRunStart, 0, 0);
    // Whole seconds and the rest apart, so the product cannot overflow.
    *now = (ticks / frequency.QuadPart) * 10000000 +
           (ticks % frequency.QuadPart) * 10000000 / frequency.QuadPart;
    return S_OK;
}

// S_OK when `streamTime` has come, S_FALSE when a state change woke us
// first, E_ABORT when the thread must stop, the clock's error when it failed.
// The wait is timed from the clock's distance to `streamTime`, as capture
// hardware keeps its own pace; the clock's AdviseTime is not used: a system
// clock released soon after its first advise can hang in that release for
// ever under Wine (its advise thread misses the wake-up to end).
HRESULT CSourceStream::WaitUntil(HANDLE stopEvent, IReferenceClock* clock, REFERENCE_TIME start,
                                 REFERENCE_TIME streamTime)
{
    REFERENCE_TIME now = 0;
    HRESULT hr = StreamTimeNow(clock, start, &now);
    if (FAILED(hr))
        return hr;
    if (now >= streamTime)
        return S_OK;
    // The loop keeps the due time within a frame of the clock, except the
    // first frame of a run, due at the run's start: no wait reaches INFINITE.
    REFERENCE_TIME ms = (streamTime - now + 9999) / 10000;
    if (ms >= INFINITE)
        ms = INFINITE - 1;
    HANDLE handles[2] = {stopEvent, m_hWake};
    DWORD result = WaitForMultipleObjects(2, handles, FALSE, static_cast<DWORD>(ms));
    if (result == WAIT_OBJECT_0)
        return E_ABORT;
    if (result == WAIT_OBJECT_0 + 1)
        return S_FALSE;
    return S_OK;
}

unsigned CSourceStream::StreamLoop(HANDLE stopEvent)
{
    REFERENCE_TIME next = 0;
    bool discontinuity = true;
    bool failed = false;
    for (;;) {
        HANDLE running[2] = {stopEvent, m_hRunning};
        if (WaitForMultipleObjects(2, running, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            break;
        if (failed) {
            // After a delivery error we only wait to be stopped.
            WaitForSingleObject(stopEvent, INFINITE);
            break;
        }
        // The restart flag first: Run stores the start time before it sets
        // the flag, so a flag taken here goes with the start read below (a
        // Run in between sets the flag again for the next round).
        bool restart = InterlockedExchange(&m_lRestart, 0) != 0;
        ComPtr<IReferenceClock> clock;
        REFERENCE_TIME start = 0;
        m_pFilter->GetClockAndStart(clock.Receive(), &start);
        REFERENCE_TIME interval = FrameInterval();
        if (interval <= 0)
            interval = 400000;

        REFERENCE_TIME now = 0;
        if (FAILED(StreamTimeNow(clock.Get(), start, &now))) {
            if (restart)
                InterlockedExchange(&m_lRestart, 1);
            // A stop must not be lost in this pause: the event resets itself.
            if (WaitForSingleObject(stopEvent, kClockRetryMs) != WAIT_TIMEOUT)
                break;
            continue;
        }
        // Before stream time 0 the first frame is due at 0.
        REFERENCE_TIME anchor = now > 0 ? now : 0;
        if (restart || next > anchor + interval) {
            // A new run; or a due time more than a frame ahead of the clock
            // (the clock stalled, ran slow or went back): timing starts
            // again from the clock.
            next = anchor;
            discontinuity = true;
        } else if (now >= next + interval) {
            // Frames we could not make in time are skipped, keeping the grid.
            LONGLONG late = (now - next) / interval;
            m_skippedLog.Add(m_lDelivered + m_lSkipped, static_cast<long>(late));
            InterlockedExchangeAdd(&m_lSkipped, static_cast<LONG>(late));
            next += late * interval;
        }
        HRESULT hr = WaitUntil(stopEvent, clock.Get(), start, next);
        if (hr == E_ABORT)
            break;
        if (hr == S_FALSE || FAILED(hr))
            continue;   // a state change, or a clock that failed: from the top
        hr = DeliverFrame(next, interval, discontinuity);
        if (hr == VFW_E_NOT_COMMITTED || hr == VFW_E_WRONG_STATE)
            continue;   // stopping: the loop sees the stop event next
        if (FAILED(hr)) {
            m_pFilter->NotifyEvent(EC_ERRORABORT, hr, 0);
            failed = true;
            continue;
        }
        next += interval;
        discontinuity = false;
    }
    return 0;
}

HRESULT CSourceStream::DeliverFrame(REFERENCE_TIME time, REFERENCE_TIME interval,
                                    bool discontinuity)
{
    ComPtr<IMediaSample> sample;
    HRESULT hr = GetDeliveryBuffer(sample.Receive());
    if (FAILED(hr))
        return hr;
    hr = FillBuffer(sample.Get(), time);
    if (hr != S_OK)
        return FAILED(hr) ? hr : S_OK;   // S_FALSE: nothing to send this time
    REFERENCE_TIME stop = time + interval;
    sample->SetTime(&time, &stop);
    sample->SetSyncPoint(TRUE);
    sample->SetDiscontinuity(discontinuity ? TRUE : FALSE);
    hr = Deliver(sample.Get());
    if (SUCCEEDED(hr))
        InterlockedIncrement(&m_lDelivered);
    // S_FALSE from a live peer only means it wants no more for now.
    return FAILED(hr) ? hr : S_OK;
}

} // namespace dshow
