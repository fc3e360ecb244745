#include "cards/families/1394CardFilter.h"

#include "cards/families/CardRecords.h"
#include "platform/mfc/MessageBox.h"

#include <new>

namespace {

FilterCreatorRecord g_records[] = {
    CAPTURE_RECORD("Microsoft DV Camera and VCR", C1394CardFilter),
};

} // namespace

void Register1394Filters() { RegisterRecords(g_records); }
void Unregister1394Filters() { UnregisterRecords(g_records); }

C1394CardFilter::C1394CardFilter(CRootGraph* owner, const GUID* category, const char* friendlyName,
                                 BOOL firstMatch)
    : CRootFilter(owner, category, friendlyName, firstMatch), m_hNotifyWnd(NULL), m_pAccess(NULL),
      m_pAccessThread(NULL)
{
}

C1394CardFilter::C1394CardFilter(CRootGraph* owner, const CLSID* clsid)
    : CRootFilter(owner, clsid), m_hNotifyWnd(NULL), m_pAccess(NULL), m_pAccessThread(NULL)
{
}

C1394CardFilter::~C1394CardFilter()
{
    Close();
}

BOOL C1394CardFilter::Init()
{
    Close();
    if (!CRootFilter::Init())
        return FALSE;
    m_pAccess = new (std::nothrow) C1394Access();
    if (m_pAccess && m_pAccess->Attach(m_pFilter))
        return TRUE;
    delete m_pAccess;
    m_pAccess = NULL;
    AfxShowMessageBox(NULL, " Create C1394Access Failed ! \n Please Insert 1394Card!", "Alert",
                      MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL C1394CardFilter::StartAccessThread()
{
    StopAccessThread();
    m_pAccessThread = new (std::nothrow) C1394AccessThread(this);
    if (!m_pAccessThread || !m_pAccessThread->InitInstance()) {
        StopAccessThread();
        return FALSE;
    }
    m_pAccessThread->Resume();
    return TRUE;
}

BOOL C1394CardFilter::StopAccessThread()
{
    delete m_pAccessThread;  // stops it
    m_pAccessThread = NULL;
    return TRUE;
}

BOOL C1394CardFilter::Close()
{
    // The thread uses the access object: it goes first.
    StopAccessThread();
    delete m_pAccess;
    m_pAccess = NULL;
    return TRUE;
}

DWORD C1394CardFilter::GetTransportMode()
{
    DWORD mode = 0;
    if (!m_pAccess || !m_pAccess->GetTransportMode(&mode))
        return 0;
    return mode;
}

BOOL C1394CardFilter::SetTransportMode(DWORD mode)
{
    return m_pAccess && m_pAccess->SetTransportMode(mode);
}

DWORD C1394CardFilter::GetDeviceType()
{
    DWORD type = 0;
    if (!m_pAccess || !m_pAccess->GetDeviceType(&type))
        return 0;
    return type;
}

BOOL C1394CardFilter::GetTimecode(BYTE tc[4])
{
    return m_pAccess && m_pAccess->GetTimecode(tc);
}

BOOL C1394CardFilter::SetRequest(DWORD value)
{
    return m_pAccess && m_pAccess->SetRequest(value);
}
