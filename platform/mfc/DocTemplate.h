// Document templates: only what a template's shared menu needs. A multi-
// document template loads the menu of its resource id (the menu its MDI
// children show) and destroys it with itself. UI thread.
#pragma once
#include "platform/mfc/Object.h"

#include <windows.h>

class CDocTemplate : public CObject
{
public:
    explicit CDocTemplate(UINT resourceId) : m_nIDResource(resourceId) {}
    UINT m_nIDResource;
};

class CMultiDocTemplate : public CDocTemplate
{
public:
    // The menu resource `resourceId` from the module that holds it, when
    // there is one.
    explicit CMultiDocTemplate(UINT resourceId);
    ~CMultiDocTemplate() override;
    CMultiDocTemplate(const CMultiDocTemplate&) = delete;
    CMultiDocTemplate& operator=(const CMultiDocTemplate&) = delete;

    HMENU m_hMenuShared;
};
