#include "graph/wrappers/QorSampleGrabberFilter.h"

#include "graph/BitmapFile.h"
#include "graph/Guids.h"
#include "graph/MediaType.h"

#include <amvideo.h>
#include <string.h>
#include <uuids.h>

namespace {

// The grabber calls the object back with each sample's buffer.
const LONG kBufferCallback = 1;

} // namespace

CSnapshotGrabberCallback::CSnapshotGrabberCallback()
    : m_bmi(), m_szPath(), m_lPending(kIdle), m_lSaved(0)
{
}

STDMETHODIMP CSnapshotGrabberCallback::QueryInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CSnapshotGrabberCallback>;
    static constexpr Row kRows[] = {
        Row::Via<ISampleGrabberCB>(IID_IUnknown),
        Row::Via<ISampleGrabberCB>(IID_ISampleGrabberCB),
    };
    return QueryInterfaceTable(this, kRows, iid, out);
}

STDMETHODIMP CSnapshotGrabberCallback::SampleCB(double, IMediaSample*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSnapshotGrabberCallback::BufferCB(double, BYTE* buffer, long length)
{
    if (InterlockedCompareExchange(&m_lPending, kSaving, kRequested) != kRequested)
        return S_OK;
    BOOL saved = buffer && length > 0 &&
                 zunk::SaveBitmapFile(m_szPath, m_bmi, buffer, static_cast<size_t>(length));
    InterlockedExchange(&m_lSaved, saved ? 1 : 0);
    InterlockedExchange(&m_lPending, kIdle);
    return S_OK;
}

BOOL CSnapshotGrabberCallback::Request(const char* path)
{
    if (!path || strlen(path) >= sizeof(m_szPath))
        return FALSE;
    if (InterlockedCompareExchange(&m_lPending, kFilling, kIdle) != kIdle)
        return FALSE;
    strcpy(m_szPath, path);
    InterlockedExchange(&m_lPending, kRequested);
    return TRUE;
}

CQorSampleGrabberFilter::~CQorSampleGrabberFilter()
{
    // The grabber may outlive this wrapper; it must not call back an object
    // its owner is about to release.
    if (m_pGrabber && m_pCallback)
        m_pGrabber->SetCallback(NULL, kBufferCallback);
}

BOOL CQorSampleGrabberFilter::Init()
{
    m_pGrabber.Reset();
    if (!CRootFilter::Init())
        return FALSE;
    return SUCCEEDED(m_pGrabber.QueryFrom(m_pFilter, IID_ISampleGrabber)) && m_pGrabber;
}

BOOL CQorSampleGrabberFilter::SetRGB24()
{
    if (!m_pGrabber)
        return FALSE;
    AM_MEDIA_TYPE mt = {};
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_RGB24;
    return SUCCEEDED(m_pGrabber->SetMediaType(&mt));
}

BOOL CQorSampleGrabberFilter::SetCallback(CSnapshotGrabberCallback* callback)
{
    if (!m_pGrabber)
        return FALSE;
    if (!callback) {
        if (m_pCallback)
            m_pGrabber->SetCallback(NULL, kBufferCallback);
        m_pCallback = NULL;
        return FALSE;
    }
    // Only once connected on both sides.
    if (FindPin(PINDIR_INPUT, TRUE) || FindPin(PINDIR_OUTPUT, TRUE))
        return FALSE;
    CMediaType mt;
    if (SUCCEEDED(m_pGrabber->GetConnectedMediaType(&mt)) && mt.formattype == FORMAT_VideoInfo &&
        mt.pbFormat && mt.cbFormat >= sizeof(VIDEOINFOHEADER))
        callback->m_bmi = reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader;
    m_pGrabber->SetBufferSamples(FALSE);
    m_pGrabber->SetOneShot(FALSE);
    if (FAILED(m_pGrabber->SetCallback(callback, kBufferCallback)))
        return FALSE;
    m_pCallback = callback;
    return TRUE;
}

BOOL CQorSampleGrabberFilter::RequestSnapshot(const char* path)
{
    return m_pCallback && m_pCallback->Request(path);
}
