#include "skin/NewMenuItemData.h"

#include "skin/NewMenuIcons.h"

CNewMenuItemData::CNewMenuItemData()
    : m_nTitleFlags(0), m_nFlags(MF_OWNERDRAW), m_nID(0), m_pMenuIcon(NULL), m_nMenuIconOffset(-1),
      m_nSyncFlag(0)
{
}

CNewMenuItemData::~CNewMenuItemData()
{
    SetIcons(NULL, -1);
}

void CNewMenuItemData::SetIcons(CNewMenuIcons* icons, int index)
{
    if (icons != NULL)
        icons->AddRef();
    if (m_pMenuIcon != NULL)
        m_pMenuIcon->Release();
    m_pMenuIcon = icons;
    m_nMenuIconOffset = icons != NULL ? index : -1;
}

CString CNewMenuItemData::GetLabel() const
{
    int tab = m_szMenuText.Find('\t');
    return tab < 0 ? m_szMenuText : m_szMenuText.Left(tab);
}

CString CNewMenuItemData::GetShortcut() const
{
    int tab = m_szMenuText.Find('\t');
    return tab < 0 ? CString() : m_szMenuText.Mid(tab + 1);
}

CString CNewMenuItemData::Dump() const
{
    return CString("MenuItem: ") + m_szMenuText;
}
