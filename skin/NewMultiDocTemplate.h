// CNewMultiDocTemplate: a multi-document template whose shared menu is a
// CNewMenu with the images of the tool bar of the same resource id. The
// CNewMenu alone destroys the menu. UI thread.
#pragma once
#include "platform/mfc/DocTemplate.h"
#include "skin/NewMenu.h"

class CNewMultiDocTemplate : public CMultiDocTemplate
{
public:
    explicit CNewMultiDocTemplate(UINT resourceId);
    ~CNewMultiDocTemplate() override;

    CNewMenu m_NewMenuShared;
};
