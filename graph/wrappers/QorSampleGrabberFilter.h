// CQorSampleGrabberFilter: the platform's sample grabber, set up to hand
// each buffer to a snapshot callback object that saves the next picture as
// a bitmap when asked. CSnapshotGrabberCallback is that object: its caller
// makes and releases it; the grabber holds a reference while registered.
// The wrapper is owned by the graph's list; UI thread. The callback's
// BufferCB runs on the streaming thread.
#pragma once
#include "graph/ComObject.h"
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"

#include <qedit.h>

class CSnapshotGrabberCallback : public ComObject<ISampleGrabberCB>
{
public:
    enum { kPathSize = 260 };

    CSnapshotGrabberCallback();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP SampleCB(double time, IMediaSample* sample) override;
    // Saves the buffer to the requested path when a snapshot is pending.
    STDMETHODIMP BufferCB(double time, BYTE* buffer, long length) override;

    // FALSE while an earlier request is pending, or for a path that does
    // not fit the path buffer.
    BOOL Request(const char* path);
    BOOL IsPending() const { return m_lPending != kIdle; }
    // Whether the last picture was saved.
    BOOL LastSaved() const { return m_lSaved != 0; }

    BITMAPINFOHEADER m_bmi;    // of the grabbed format; set by SetCallback
    char m_szPath[kPathSize];  // the requested file

private:
    // The request's life: idle, being filled by Request, waiting for a
    // buffer, being saved by BufferCB.
    enum { kIdle = 0, kFilling = 1, kRequested = 2, kSaving = 3 };

    ~CSnapshotGrabberCallback() override = default;

    volatile LONG m_lPending;
    volatile LONG m_lSaved;
};

class CQorSampleGrabberFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;
    ~CQorSampleGrabberFilter() override;

    BOOL Init() override;
    // Video, RGB24 only.
    BOOL SetRGB24();
    // Registers callback for every buffer once the grabber is connected on
    // both sides; NULL unregisters it (and answers FALSE).
    BOOL SetCallback(CSnapshotGrabberCallback* callback);
    // Hands path to the callback for the next picture.
    BOOL RequestSnapshot(const char* path);

private:
    ComPtr<ISampleGrabber> m_pGrabber;
    CSnapshotGrabberCallback* m_pCallback = NULL;  // the caller's; the grabber holds it
};
