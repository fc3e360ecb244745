// C1394Access: control of an IEEE 1394 DV camcorder through the external
// device interfaces of the system's DV capture filter - device type,
// transport mode, status and rate, timecode and absolute track number.
// C1394AccessThread polls the device every 200 ms and posts its state to
// the owner's window as WM_DV_STATUS. Both owned by the DV card filter
// (C1394CardFilter); the access object is called from the UI thread and
// from the polling thread, each operation under its lock.
#pragma once
#include <windows.h>
#include <dshow.h>

#include "graph/ComPtr.h"
#include "graph/Thread.h"
#include "graph/WindowMessages.h"

// Device types as GetDeviceType reports them.
enum DvDeviceType : DWORD
{
    DV_DEVICE_NONE = 1,   // the filter reports no device
    DV_DEVICE_VCR = 2,    // a camcorder or deck with a tape transport
    DV_DEVICE_OTHER = 3,
};

class C1394Access
{
public:
    C1394Access();
    virtual ~C1394Access();

    // Takes the three interfaces of the DV filter; FALSE (holding none)
    // unless it offers all three.
    BOOL Attach(IBaseFilter* dvFilter);

    // Each returns 1 on success and 0 when an interface is missing or its
    // call fails; outputs are written only on success unless said.
    BOOL GetDeviceType(DWORD* type);
    // {hours, minutes, seconds, frames}; cleared first, also on failure.
    BOOL GetTimecode(BYTE tc[4]);
    // The same, with *userFlag 1 when the sample's user word is 1.
    BOOL GetTimecodeWithUser(BYTE tc[4], DWORD* userFlag);
    // *atn 0 on failure.
    BOOL GetAbsoluteTrack(DWORD* atn);
    BOOL GetTransportMode(DWORD* mode);
    BOOL SetTransportMode(DWORD mode);
    BOOL GetTransportStatus(DWORD item, long* value);
    // The rate truncated toward zero.
    BOOL GetTransportRate(long* rate);
    // The getter's result, but 1 only when the value read differs from the
    // one the previous poll saw (the output is written either way).
    BOOL PollDeviceType(DWORD* type);
    BOOL PollTransportMode(DWORD* mode);
    // A request for the device, kept with a pending flag for whoever serves it.
    BOOL SetRequest(DWORD value);
    BOOL GetRequest(DWORD* value, BOOL* pending);

private:
    // The timecode sample the reader fills for `flags` (what to read).
    BOOL ReadTimecodeSample(DWORD flags, TIMECODE_SAMPLE* sample);
    static void UnpackTimecode(DWORD packed, BYTE tc[4]);
    // TRUE when value differs from *cached, which then takes it.
    BOOL NoteChange(DWORD value, DWORD* cached);

    CRITICAL_SECTION m_lock;
    DWORD m_cachedType;
    DWORD m_cachedMode;
    DWORD m_request;
    BOOL m_bRequestPending;
    ComPtr<IAMExtDevice> m_device;
    ComPtr<IAMExtTransport> m_transport;
    ComPtr<IAMTimecodeReader> m_timecode;

    C1394Access(const C1394Access&) = delete;
    C1394Access& operator=(const C1394Access&) = delete;
};

// What the polling thread needs of its owner card filter.
class I1394Owner
{
public:
    virtual C1394Access* GetDvAccess() = 0;
    virtual HWND GetDvNotifyWindow() = 0;

protected:
    ~I1394Owner() {}
};

class C1394AccessThread : public CThread
{
public:
    static const DWORD kPollMs = 200;

    explicit C1394AccessThread(I1394Owner* owner);
    ~C1394AccessThread() override;

    // FALSE unless the owner and its access object exist.
    BOOL InitInstance() override;

protected:
    unsigned Run() override;
    unsigned ExitInstance() override { return 0; }

private:
    I1394Owner* m_pOwner;  // our owner; never deleted here
};
