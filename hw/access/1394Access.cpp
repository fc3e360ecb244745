#include "hw/access/1394Access.h"

#include <edevdefs.h>
#include <string.h>

#include "graph/AutoMutex.h"

namespace {

// The capability that names the device type, and the timecode reader's
// request for the absolute track number (not in mingw's edevdefs.h).
const LONG kDeviceTypeCapability = ED_DEVCAP_DEVICE_TYPE;  // 4103
const DWORD kAtnRead = 5047;                               // ED_DEVCAP_ATN_READ

// A value no device type or transport mode read can have, so the first
// poll always reports a change.
const DWORD kNoTypeSeen = 0;
const DWORD kNoModeSeen = 255;

} // namespace

C1394Access::C1394Access()
    : m_cachedType(kNoTypeSeen), m_cachedMode(kNoModeSeen), m_request(0), m_bRequestPending(FALSE)
{
    InitializeCriticalSection(&m_lock);
}

C1394Access::~C1394Access()
{
    m_device.Reset();
    m_transport.Reset();
    m_timecode.Reset();
    DeleteCriticalSection(&m_lock);
}

BOOL C1394Access::Attach(IBaseFilter* dvFilter)
{
    CAutoMutex lock(&m_lock);
    m_device.Reset();
    m_transport.Reset();
    m_timecode.Reset();
    if (!dvFilter)
        return FALSE;
    if (FAILED(dvFilter->QueryInterface(IID_IAMExtDevice, m_device.ReceiveVoid())) || !m_device ||
        FAILED(dvFilter->QueryInterface(IID_IAMExtTransport, m_transport.ReceiveVoid())) ||
        !m_transport ||
        FAILED(dvFilter->QueryInterface(IID_IAMTimecodeReader, m_timecode.ReceiveVoid())) ||
        !m_timecode) {
        m_device.Reset();
        m_transport.Reset();
        m_timecode.Reset();
        return FALSE;
    }
    return TRUE;
}

BOOL C1394Access::GetDeviceType(DWORD* type)
{
    CAutoMutex lock(&m_lock);
    if (!m_device || !type)
        return FALSE;
    LONG value = 0;
    if (FAILED(m_device->GetCapability(kDeviceTypeCapability, &value, NULL)))
        return FALSE;
    *type = value == 0 ? DV_DEVICE_NONE : value == ED_DEVTYPE_VCR ? DV_DEVICE_VCR : DV_DEVICE_OTHER;
    return TRUE;
}

void C1394Access::UnpackTimecode(DWORD packed, BYTE tc[4])
{
    tc[0] = static_cast<BYTE>(packed >> 24);
    tc[1] = static_cast<BYTE>(packed >> 16);
    tc[2] = static_cast<BYTE>(packed >> 8);
    tc[3] = static_cast<BYTE>(packed);
}

BOOL C1394Access::ReadTimecodeSample(DWORD flags, TIMECODE_SAMPLE* sample)
{
    if (!m_timecode)
        return FALSE;
    memset(sample, 0, sizeof(*sample));
    sample->dwFlags = flags;
    return SUCCEEDED(m_timecode->GetTimecode(sample));
}

BOOL C1394Access::GetTimecode(BYTE tc[4])
{
    return GetTimecodeWithUser(tc, NULL);
}

BOOL C1394Access::GetTimecodeWithUser(BYTE tc[4], DWORD* userFlag)
{
    if (!tc)
        return FALSE;
    memset(tc, 0, 4);
    CAutoMutex lock(&m_lock);
    TIMECODE_SAMPLE sample;
    if (!ReadTimecodeSample(ED_DEVCAP_TIMECODE_READ, &sample))
        return FALSE;
    UnpackTimecode(sample.timecode.dwFrames, tc);
    if (userFlag)
        *userFlag = sample.dwUser == 1 ? 1 : 0;
    return TRUE;
}

BOOL C1394Access::GetAbsoluteTrack(DWORD* atn)
{
    if (!atn)
        return FALSE;
    *atn = 0;
    CAutoMutex lock(&m_lock);
    TIMECODE_SAMPLE sample;
    if (!ReadTimecodeSample(kAtnRead, &sample))
        return FALSE;
    *atn = sample.timecode.dwFrames;
    return TRUE;
}

BOOL C1394Access::GetTransportMode(DWORD* mode)
{
    CAutoMutex lock(&m_lock);
    LONG value = 0;
    if (!m_transport || !mode || FAILED(m_transport->get_Mode(&value)))
        return FALSE;
    *mode = static_cast<DWORD>(value);
    return TRUE;
}

BOOL C1394Access::SetTransportMode(DWORD mode)
{
    CAutoMutex lock(&m_lock);
    return m_transport && SUCCEEDED(m_transport->put_Mode(static_cast<LONG>(mode)));
}

BOOL C1394Access::GetTransportStatus(DWORD item, long* value)
{
    CAutoMutex lock(&m_lock);
    return m_transport && value && SUCCEEDED(m_transport->GetStatus(static_cast<LONG>(item), value));
}

BOOL C1394Access::GetTransportRate(long* rate)
{
    CAutoMutex lock(&m_lock);
    double value = 0;
    if (!m_transport || !rate || FAILED(m_transport->get_Rate(&value)))
        return FALSE;
    // A rate past the range of a long is no rate a transport runs at.
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return FALSE;
    *rate = static_cast<long>(value);
    return TRUE;
}

BOOL C1394Access::NoteChange(DWORD value, DWORD* cached)
{
    CAutoMutex lock(&m_lock);
    if (value == *cached)
        return FALSE;
    *cached = value;
    return TRUE;
}

BOOL C1394Access::PollDeviceType(DWORD* type)
{
    return GetDeviceType(type) && NoteChange(*type, &m_cachedType);
}

BOOL C1394Access::PollTransportMode(DWORD* mode)
{
    return GetTransportMode(mode) && NoteChange(*mode, &m_cachedMode);
}

BOOL C1394Access::SetRequest(DWORD value)
{
    CAutoMutex lock(&m_lock);
    m_request = value;
    m_bRequestPending = TRUE;
    return TRUE;
}

BOOL C1394Access::GetRequest(DWORD* value, BOOL* pending)
{
    CAutoMutex lock(&m_lock);
    if (value)
        *value = m_request;
    if (pending)
        *pending = m_bRequestPending;
    return TRUE;
}

// --- polling thread ---------------------------------------------------------------

C1394AccessThread::C1394AccessThread(I1394Owner* owner) : m_pOwner(owner) {}

C1394AccessThread::~C1394AccessThread()
{
    Stop();
}

BOOL C1394AccessThread::InitInstance()
{
    if (!m_pOwner || !m_pOwner->GetDvAccess())
        return FALSE;
    return CThread::InitInstance();
}

unsigned C1394AccessThread::Run()
{
    HWND window = m_pOwner->GetDvNotifyWindow();
    if (!window)
        return 0;
    C1394Access* access = m_pOwner->GetDvAccess();
    DWORD type = 0;  // kept from the last round when a read fails
    while (!IsStopRequested()) {
        if (WaitForSingleObject(m_hStopEvent, kPollMs) != WAIT_TIMEOUT)
            break;
        access->PollDeviceType(&type);
        WPARAM wParam = static_cast<WPARAM>(type) << 16;
        LPARAM lParam = 0;
        if (type == DV_DEVICE_VCR) {
            DWORD mode = 0;  // stays 0 when the read fails
            access->PollTransportMode(&mode);
            wParam += mode & 0xFFFF;
            BYTE tc[4];
            if (access->GetTimecode(tc))
                lParam = static_cast<LPARAM>(static_cast<DWORD>(tc[0]) | (static_cast<DWORD>(tc[1]) << 8) |
                                             (static_cast<DWORD>(tc[2]) << 16) |
                                             (static_cast<DWORD>(tc[3]) << 24));
        }
        PostMessageA(window, WM_DV_STATUS, wParam, lParam);
    }
    return 1;
}
