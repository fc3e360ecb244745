#include "cards/families/TV_IOFilter.h"

#include "cards/GpioKey.h"
#include "hw/access/TV_IOAccess.h"

#include <new>

namespace {

const int kCardType = 2;  // SAA713x on the common property set

} // namespace

BOOL CTV_IOFilter::ReadRemoteKey(BYTE* key)
{
    return ReadGpioKey(m_pAccess, kGpioKeyIoWiring, key);
}

HRESULT CTV_IOFilter::OpenAccess()
{
    return AttachAccess(new (std::nothrow) CTV_IOAccess(), kCardType);
}

BOOL CTV_IOFilter::EnsureOpen()
{
    if (m_nCardType == kCardType && m_pAccess)
        return TRUE;
    if (OpenAccess() == S_OK)
        return TRUE;
    Close();
    return FALSE;
}

BOOL CTV_IOFilter::Finish(HRESULT hr)
{
    if (hr == S_OK)
        return TRUE;
    Close();
    return FALSE;
}

BOOL CTV_IOFilter::SendIoCommand(unsigned value)
{
    if (!EnsureOpen())
        return FALSE;
    return Finish(m_pAccess->SetProperty10(value));
}

BOOL CTV_IOFilter::SetIoEvent(IoAlertCallback callback)
{
    // The thread waits on the event: it ends before the event is replaced.
    DeleteIoAlertThread();
    m_pfnIoCallback = callback;
    if (m_hIoEvent)
        CloseHandle(m_hIoEvent);
    m_hIoEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (!m_hIoEvent || !EnsureOpen())
        return FALSE;
    // The driver takes the handle as its 32-bit control value; handle
    // values fit in 32 bits on 64-bit Windows as well.
    return Finish(m_pAccess->SetProperty7(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_hIoEvent))));
}

BOOL CTV_IOFilter::StartIoAlert(unsigned value)
{
    DeleteIoAlertThread();
    // Without the event (SetIoEvent not called, or gone with a closed card)
    // the thread would end at once and no alert could ever come.
    if (!m_hIoEvent)
        return FALSE;
    if (!EnsureOpen() || !Finish(m_pAccess->SetProperty8(value)))
        return FALSE;
    m_pIoAlertThread = new (std::nothrow) CIoAlertThread(this);
    // A thread the system could not start never waits on the event: say
    // so rather than promise alerts that cannot come.
    if (!m_pIoAlertThread || m_pIoAlertThread->Resume() == 0xFFFFFFFF) {
        DeleteIoAlertThread();
        return FALSE;
    }
    return TRUE;
}

BOOL CTV_IOFilter::StopIoAlert()
{
    DeleteIoAlertThread();
    if (!EnsureOpen())
        return FALSE;
    return Finish(m_pAccess->SetProperty9());
}
