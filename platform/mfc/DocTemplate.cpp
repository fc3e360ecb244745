#include "platform/mfc/DocTemplate.h"

#include "platform/mfc/Resource.h"

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId) : CDocTemplate(resourceId), m_hMenuShared(NULL)
{
    if (resourceId != 0) {
        LPCSTR name = MAKEINTRESOURCEA(resourceId);
        m_hMenuShared = ::LoadMenuA(AfxFindResourceHandle(name, RT_MENU), name);
    }
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
}
