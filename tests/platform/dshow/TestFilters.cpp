#include "TestFilters.h"

#include "graph/AutoMutex.h"
#include "platform/dshow/VideoFormat.h"

#include <uuids.h>

const CLSID CLSID_TestSource = {0x7d1a3e50, 0x3c1b, 0x4e61, {0x9f, 0x0a, 0x6c, 0x2e, 0x5b, 0x1d, 0x0a, 0x01}};
const CLSID CLSID_TestSink = {0x7d1a3e50, 0x3c1b, 0x4e61, {0x9f, 0x0a, 0x6c, 0x2e, 0x5b, 0x1d, 0x0a, 0x02}};

namespace {
const dshow::VideoPixelFormat kRgb32 = {&MEDIASUBTYPE_RGB32, 32, BI_RGB};
}

class TestSource::Pin : public dshow::CSourceStream
{
public:
    explicit Pin(TestSource* filter) : CSourceStream(filter, L"Out") {}

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
    {
        return dshow::CheckVideoInfoType(mt, &kRgb32, 1, kTestWidth, kTestHeight, NULL)
            ? S_OK
            : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int index, CMediaType* mt) override
    {
        if (index != 0)
            return VFW_S_NO_MORE_ITEMS;
        return dshow::MakeVideoInfoType(kRgb32, kTestWidth, kTestHeight, kTestInterval, mt);
    }

protected:
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override
    {
        request->cBuffers = 2;
        request->cbBuffer = dshow::VideoImageSize(kTestWidth, kTestHeight, 32);
        ALLOCATOR_PROPERTIES actual;
        return allocator->SetProperties(request, &actual);
    }
    HRESULT FillBuffer(IMediaSample* sample, REFERENCE_TIME time) override
    {
        BYTE* data = NULL;
        sample->GetPointer(&data);
        memset(data, static_cast<int>(time / kTestInterval) & 0xFF, sample->GetSize());
        sample->SetActualDataLength(sample->GetSize());
        return S_OK;
    }
    REFERENCE_TIME FrameInterval() override { return kTestInterval; }
};

TestSource::TestSource() : CBaseFilter(CLSID_TestSource, L"Test source"), m_pPin(new Pin(this)) {}

TestSource::~TestSource()
{
    delete m_pPin;
}

dshow::CBasePin* TestSource::GetPin(int index)
{
    return index == 0 ? m_pPin : NULL;
}

dshow::CSourceStream* TestSource::Output()
{
    return m_pPin;
}

class TestSink::Pin : public dshow::CBaseInputPin
{
public:
    explicit Pin(TestSink* filter) : CBaseInputPin(filter, L"In"), m_pSink(filter) {}

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
    {
        return mt->majortype == MEDIATYPE_Video && mt->subtype == MEDIASUBTYPE_RGB32
            ? S_OK
            : VFW_E_TYPE_NOT_ACCEPTED;
    }
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override
    {
        if (!m_pSink->m_bOwnAllocator) {
            if (allocator)
                *allocator = NULL;
            return VFW_E_NO_ALLOCATOR;
        }
        return CBaseInputPin::GetAllocator(allocator);
    }
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override
    {
        m_notified.Set(allocator);
        return CBaseInputPin::NotifyAllocator(allocator, readOnly);
    }
    dshow::ComPtr<IMemAllocator> m_notified;

protected:
    HRESULT OnReceive(IMediaSample* sample) override
    {
        REFERENCE_TIME start = 0, stop = 0;
        sample->GetTime(&start, &stop);
        REFERENCE_TIME arrival = 0;
        dshow::ComPtr<IReferenceClock> clock;
        REFERENCE_TIME base = 0;
        m_pSink->GetClockAndStart(clock.Receive(), &base);
        if (clock && SUCCEEDED(clock->GetTime(&arrival)))
            arrival -= base;
        CAutoMutex lock(&m_pSink->m_csRecord);
        m_pSink->m_times.push_back(start);
        m_pSink->m_arrivals.push_back(arrival);
        LONG count = InterlockedIncrement(&m_pSink->m_lSamples);
        if (count >= m_pSink->m_lTarget)
            SetEvent(m_pSink->m_hReached);
        return S_OK;
    }

private:
    TestSink* m_pSink;   // owns us
};

TestSink::TestSink(bool ownAllocator)
    : CBaseFilter(CLSID_TestSink, L"Test sink"), m_pPin(NULL), m_bOwnAllocator(ownAllocator),
      m_lSamples(0), m_lTarget(0x7FFFFFFF), m_hReached(CreateEventA(NULL, TRUE, FALSE, NULL))
{
    InitializeCriticalSection(&m_csRecord);
    m_pPin = new Pin(this);
}

TestSink::~TestSink()
{
    delete m_pPin;
    CloseHandle(m_hReached);
    DeleteCriticalSection(&m_csRecord);
}

dshow::CBasePin* TestSink::GetPin(int index)
{
    return index == 0 ? m_pPin : NULL;
}

dshow::CBaseInputPin* TestSink::Input()
{
    return m_pPin;
}

bool TestSink::WaitForSamples(LONG count, DWORD timeoutMs)
{
    {
        CAutoMutex lock(&m_csRecord);
        m_lTarget = count;
        if (m_lSamples >= count)
            return true;
        ResetEvent(m_hReached);
    }
    return WaitForSingleObject(m_hReached, timeoutMs) == WAIT_OBJECT_0;
}

void TestSink::ResetCounts()
{
    CAutoMutex lock(&m_csRecord);
    m_lSamples = 0;
    m_times.clear();
    m_arrivals.clear();
}

std::vector<REFERENCE_TIME> TestSink::Times()
{
    CAutoMutex lock(&m_csRecord);
    return m_times;
}

std::vector<REFERENCE_TIME> TestSink::Arrivals()
{
    CAutoMutex lock(&m_csRecord);
    return m_arrivals;
}

IMemAllocator* TestSink::NotifiedAllocator()
{
    return m_pPin->m_notified.Get();
}

TestClock::TestClock() : m_timeBase(0), m_rate(1.0), m_failing(false)
{
    InitializeCriticalSection(&m_cs);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    m_qpcBase = now.QuadPart;
}

TestClock::~TestClock()
{
    DeleteCriticalSection(&m_cs);
}

STDMETHODIMP TestClock::QueryInterface(REFIID iid, void** out)
{
    using Row = ComInterface<TestClock>;
    static constexpr Row kRows[] = {
        Row::Via<IReferenceClock>(IID_IUnknown),
        Row::Via<IReferenceClock>(IID_IReferenceClock),
    };
    return QueryInterfaceTable(this, kRows, iid, out);
}

REFERENCE_TIME TestClock::NowLocked()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    double elapsed = static_cast<double>(now.QuadPart - m_qpcBase) * 1e7 /
                     static_cast<double>(frequency.QuadPart);
    return m_timeBase + static_cast<REFERENCE_TIME>(elapsed * m_rate);
}

REFERENCE_TIME TestClock::Now()
{
    CAutoMutex lock(&m_cs);
    return NowLocked();
}

STDMETHODIMP TestClock::GetTime(REFERENCE_TIME* time)
{
    if (!time)
        return E_POINTER;
    CAutoMutex lock(&m_cs);
    if (m_failing)
        return E_FAIL;
    *time = NowLocked();
    return S_OK;
}

void TestClock::SetRate(double rate)
{
    CAutoMutex lock(&m_cs);
    // A new base where the old rate ends, so the time never jumps here.
    m_timeBase = NowLocked();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    m_qpcBase = now.QuadPart;
    m_rate = rate;
}

void TestClock::Jump(REFERENCE_TIME delta)
{
    CAutoMutex lock(&m_cs);
    m_timeBase += delta;
}

void TestClock::SetFailing(bool failing)
{
    CAutoMutex lock(&m_cs);
    m_failing = failing;
}
