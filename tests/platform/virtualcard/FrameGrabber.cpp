#include "FrameGrabber.h"

#include "graph/AutoMutex.h"

#include <uuids.h>

namespace {
// {3C9B7E11-5A2D-4F08-B6C1-0E4D8A2F6B31}
const CLSID CLSID_FrameGrabber = {0x3c9b7e11, 0x5a2d, 0x4f08, {0xb6, 0xc1, 0x0e, 0x4d, 0x8a, 0x2f, 0x6b, 0x31}};
} // namespace

class FrameGrabber::Pin : public dshow::CBaseInputPin
{
public:
    explicit Pin(FrameGrabber* grabber) : CBaseInputPin(grabber, L"In"), m_pGrabber(grabber) {}

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
    {
        if (mt->majortype != MEDIATYPE_Video || mt->formattype != FORMAT_VideoInfo ||
            mt->cbFormat < sizeof(VIDEOINFOHEADER))
            return VFW_E_TYPE_NOT_ACCEPTED;
        if (mt->subtype == MEDIASUBTYPE_YUY2 || mt->subtype == MEDIASUBTYPE_RGB24 ||
            mt->subtype == MEDIASUBTYPE_RGB32)
            return S_OK;
        return VFW_E_TYPE_NOT_ACCEPTED;
    }

protected:
    HRESULT OnReceive(IMediaSample* sample) override
    {
        m_pGrabber->Record(sample);
        WaitForSingleObject(m_pGrabber->m_hRelease, 5000);
        return S_OK;
    }

private:
    FrameGrabber* m_pGrabber;   // owns us
};

FrameGrabber::FrameGrabber()
    : CBaseFilter(CLSID_FrameGrabber, L"Frame grabber"), m_pPin(NULL),
      m_hFrame(CreateEventA(NULL, FALSE, FALSE, NULL)), m_hRelease(CreateEventA(NULL, TRUE, TRUE, NULL)),
      m_lCount(0)
{
    InitializeCriticalSection(&m_cs);
    m_pPin = new Pin(this);
}

FrameGrabber::~FrameGrabber()
{
    delete m_pPin;
    CloseHandle(m_hRelease);
    CloseHandle(m_hFrame);
    DeleteCriticalSection(&m_cs);
}

dshow::CBasePin* FrameGrabber::GetPin(int index)
{
    return index == 0 ? m_pPin : NULL;
}

void FrameGrabber::Record(IMediaSample* sample)
{
    BYTE* data = NULL;
    sample->GetPointer(&data);
    REFERENCE_TIME start = 0, stop = 0;
    sample->GetTime(&start, &stop);
    {
        CAutoMutex lock(&m_cs);
        const AM_MEDIA_TYPE& mt = m_pPin->ConnectedType();
        m_latest.bmi = reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader;
        m_latest.subtype = mt.subtype;
        m_latest.bytes.assign(data, data + sample->GetActualDataLength());
        m_times.push_back(start);
        InterlockedIncrement(&m_lCount);
    }
    SetEvent(m_hFrame);
}

bool FrameGrabber::WaitForMore(LONG count, DWORD timeoutMs)
{
    LONG target = m_lCount + count;
    DWORD start = GetTickCount();
    while (m_lCount < target) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        // Pump this thread's messages meanwhile: a renderer's window may live here.
        DWORD result = MsgWaitForMultipleObjects(1, &m_hFrame, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0 + 1) {
            MSG msg;
            while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
    }
    return true;
}

Frame FrameGrabber::Latest()
{
    CAutoMutex lock(&m_cs);
    return m_latest;
}

std::vector<REFERENCE_TIME> FrameGrabber::Times()
{
    CAutoMutex lock(&m_cs);
    return m_times;
}

void FrameGrabber::Clear()
{
    CAutoMutex lock(&m_cs);
    m_times.clear();
    m_latest = Frame();
}

void FrameGrabber::Hold(bool hold)
{
    if (hold)
        ResetEvent(m_hRelease);
    else
        SetEvent(m_hRelease);
}
