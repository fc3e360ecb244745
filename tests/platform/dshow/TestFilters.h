// Test peers built from the filter kit: a live source pushing small RGB32
// frames and a sink that counts what arrives. Created on the test's thread;
// the sink's counters are written by the source's streaming thread.
#pragma once
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/InputPin.h"
#include "platform/dshow/SourceStream.h"

#include <vector>

// {7D1A3E50-3C1B-4E61-9F0A-6C2E5B1D0A01} and ...02: the peers' class ids.
extern const CLSID CLSID_TestSource;
extern const CLSID CLSID_TestSink;

const LONG kTestWidth = 16;
const LONG kTestHeight = 8;
const REFERENCE_TIME kTestInterval = 200000;   // 20 ms: 50 frames a second

class TestSource : public dshow::CBaseFilter
{
public:
    TestSource();
    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int index) override;
    dshow::CSourceStream* Output();

protected:
    bool IsLiveSource() const override { return true; }

private:
    class Pin;
    Pin* m_pPin;
    ~TestSource();
};

class TestSink : public dshow::CBaseFilter
{
public:
    // `ownAllocator` false: the sink offers no allocator of its own.
    explicit TestSink(bool ownAllocator = true);
    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int index) override;
    dshow::CBaseInputPin* Input();

    // Waits for `count` samples in all since the last Reset.
    bool WaitForSamples(LONG count, DWORD timeoutMs);
    LONG Samples() const { return m_lSamples; }
    void ResetCounts();
    // Sample start times received, in order.
    std::vector<REFERENCE_TIME> Times();
    // For each sample, the stream time of the sink's own clock when it
    // arrived (0 without a clock).
    std::vector<REFERENCE_TIME> Arrivals();
    IMemAllocator* NotifiedAllocator();

private:
    class Pin;
    friend class Pin;
    Pin* m_pPin;
    bool m_bOwnAllocator;
    CRITICAL_SECTION m_csRecord;
    volatile LONG m_lSamples;
    LONG m_lTarget;
    HANDLE m_hReached;
    std::vector<REFERENCE_TIME> m_times;
    std::vector<REFERENCE_TIME> m_arrivals;
    ~TestSink();
};

// A reference clock the test steers: it follows the performance counter at
// a rate (0 stands still), can jump, and can fail GetTime for a while.
// AdviseTime and AdvisePeriodic are refused, so a source times its waits
// itself. Any thread.
class TestClock final : public ComObject<IReferenceClock>
{
public:
    TestClock();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP GetTime(REFERENCE_TIME* time) override;
    STDMETHODIMP AdviseTime(REFERENCE_TIME, REFERENCE_TIME, HEVENT, DWORD_PTR*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP AdvisePeriodic(REFERENCE_TIME, REFERENCE_TIME, HSEMAPHORE, DWORD_PTR*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP Unadvise(DWORD_PTR) override { return E_NOTIMPL; }

    // The time now, whether GetTime fails or not.
    REFERENCE_TIME Now();
    void SetRate(double rate);
    void Jump(REFERENCE_TIME delta);
    void SetFailing(bool failing);

private:
    ~TestClock() override;
    REFERENCE_TIME NowLocked();

    CRITICAL_SECTION m_cs;
    LONGLONG m_qpcBase;       // counter reading where m_timeBase holds
    REFERENCE_TIME m_timeBase;
    double m_rate;
    bool m_failing;
};
