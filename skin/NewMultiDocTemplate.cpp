#include "skin/NewMultiDocTemplate.h"

CNewMultiDocTemplate::CNewMultiDocTemplate(UINT resourceId) : CMultiDocTemplate(resourceId)
{
    if (m_nIDResource != 0 && m_hMenuShared != NULL && m_NewMenuShared.LoadFromHandle(m_hMenuShared))
        m_NewMenuShared.LoadToolBar(m_nIDResource, NULL);
}

CNewMultiDocTemplate::~CNewMultiDocTemplate()
{
    // One owner: the base forgets the menu the CNewMenu destroys.
    if (m_hMenuShared == m_NewMenuShared.m_hMenu)
        m_hMenuShared = NULL;
}
