// CUsbCamFilter: the base of the USB camera wrappers - the camera's capture
// filter with the card filters' video controls (standard, proc amp, stream
// formats), a resolution setter capped at VGA and the camera's property
// pages. CNoteCamFilter is the registered camera ("Usb_Cam_Capture").
// Owned by the graph's list; UI thread.
#pragma once
#include "cards/CaptureControls.h"
#include "graph/RootFilter.h"

class CUsbCamFilter : public CRootFilter
{
public:
    // The largest resolution the cameras are set to.
    static const int kMaxWidth = 640;
    static const int kMaxHeight = 480;

    CUsbCamFilter(CRootGraph* owner, const GUID* category, const char* friendlyName, BOOL firstMatch);
    CUsbCamFilter(CRootGraph* owner, const CLSID* clsid);

    virtual HRESULT GetTVFormats(long* current, long* available);
    virtual HRESULT PutTVFormat(long standard);
    HRESULT SetProcAmp(long property, long value);
    HRESULT GetProcAmpRange(long property, ProcAmpRange* range);
    HRESULT GetStreamFormat(AM_MEDIA_TYPE** mt, int which);
    // Format codes: 0 RGB555, 1 RGB24, 2 YUY2, 3 YVU9, 4 YV12, -1 other;
    // SetVideoFormat also takes 5 for I420, and any other code as YUY2.
    HRESULT GetVideoFormat(VideoFormat* rec, int which);
    HRESULT SetVideoFormat(VideoFormat rec, int which);
    // The capture format at width x height (above 640 x 480 in either: 640 x
    // 480), in the colour format the camera has now. FALSE for a size below
    // 1 x 1.
    BOOL SetResolution(int width, int height);
    // Whether the camera's first output pin offers I420.
    BOOL SupportsI420();
    // Notes whether the camera offers I420, then the root filter's Init.
    BOOL InitCamera();
    BOOL OffersI420() const { return m_bI420; }
    // which 0: the filter's property pages; 1: those of the capture
    // (category 1) or preview pin's stream configuration. Nothing while the
    // graph runs or is paused. TRUE when a frame was shown.
    BOOL ShowPropertyPage(int which, HWND parent, const char* caption, int category);

protected:
    BOOL m_bI420;
};

class CNoteCamFilter : public CUsbCamFilter
{
public:
    using CUsbCamFilter::CUsbCamFilter;
};

// The filter-creator record of the camera, by its device name. Start-up
// registers it once; UI thread.
void RegisterUsbCamFilters();
// For tests that take the record out again.
void UnregisterUsbCamFilters();
