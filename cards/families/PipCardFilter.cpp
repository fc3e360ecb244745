#include "cards/families/PipCardFilter.h"

#include "cards/GpioKey.h"
#include "hw/access/TV_IOAccess.h"
#include "platform/mfc/MessageBox.h"

#include <new>

BOOL CPipCardFilter::Init()
{
    m_strTunerDevice = "PhTVTune";
    return CTVCardFilter::Init();
}

void CPipCardFilter::OnInitLockFailed()
{
    // The one message of this card family.
    AfxShowMessageBox(NULL, "Initfilter lock failed", NULL, MB_OK);
}

BOOL CPipCardFilter::ReadRemoteKey(BYTE* key)
{
    return ReadGpioKey(m_pAccess, kGpioKeyIoWiring, key);
}

HRESULT CPipCardFilter::OpenAccess()
{
    return AttachAccess(new (std::nothrow) CTV_IOAccess(), 2);
}
