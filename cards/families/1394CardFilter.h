// C1394CardFilter: the system's IEEE 1394 DV camcorder filter ("Microsoft DV
// Camera and VCR") with control of the camcorder's tape transport through
// C1394Access, and the polling thread that posts the transport state to the
// engine's window (WM_DV_STATUS). Not a TV card: a plain filter wrapper.
// Owned by the graph's list; UI thread, the access object also on the
// polling thread.
#pragma once
#include "graph/FilterCreatorRecord.h"
#include "graph/RootFilter.h"
#include "hw/access/1394Access.h"

class C1394CardFilter : public CRootFilter, public I1394Owner
{
public:
    C1394CardFilter(CRootGraph* owner, const GUID* category, const char* friendlyName, BOOL firstMatch);
    C1394CardFilter(CRootGraph* owner, const CLSID* clsid);
    // The polling thread calls into us: it is stopped while we stand.
    ~C1394CardFilter() override;

    // The DV filter must offer the transport interfaces; when it does not,
    // the user is told to insert the 1394 card and the wrapper is invalid.
    BOOL Init() override;

    // Starts polling anew (a running thread is replaced); FALSE without an
    // access object or a thread.
    BOOL StartAccessThread();
    BOOL StopAccessThread();
    // Stops polling and lets the access object go.
    BOOL Close();

    // Transport pass-through; 0 (or FALSE) without an access object or on
    // failure.
    DWORD GetTransportMode();
    BOOL SetTransportMode(DWORD mode);
    // DV_DEVICE_NONE, DV_DEVICE_VCR or DV_DEVICE_OTHER.
    DWORD GetDeviceType();
    BOOL GetTimecode(BYTE tc[4]);
    BOOL SetRequest(DWORD value);

    // I1394Owner.
    C1394Access* GetDvAccess() override { return m_pAccess; }
    HWND GetDvNotifyWindow() override { return m_hNotifyWnd; }

    // Written by the engine after creation: where WM_DV_STATUS goes.
    HWND m_hNotifyWnd;

private:
    C1394Access* m_pAccess;              // owned
    C1394AccessThread* m_pAccessThread;  // owned
};

// The filter-creator record of the DV camcorder, by its device name. Start-up
// registers it once; UI thread.
void Register1394Filters();
// For tests that take the record out again.
void Unregister1394Filters();
