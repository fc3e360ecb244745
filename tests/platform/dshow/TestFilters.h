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
    ~TestSink();
};
