#include "platform/mfc/Menu.h"

#include "platform/mfc/HandleMap.h"
#include "platform/mfc/Resource.h"
#include "platform/mfc/Wnd.h"

namespace {

// Never destroyed, as the window map.
CHandleMap<HMENU, CMenu>& MenuMap()
{
    static CHandleMap<HMENU, CMenu>* map = new CHandleMap<HMENU, CMenu>(&::IsMenu);
    return *map;
}

struct Tracking
{
    HWND owner;
    HMENU menu;
};
thread_local Tracking t_tracking = {NULL, NULL};

} // namespace

CMenu::~CMenu()
{
    if (m_hMenu != NULL && FromHandlePermanent(m_hMenu) == this)
        DestroyMenu();
    m_hMenu = NULL;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return MenuMap().FromHandle(hMenu);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    return MenuMap().LookupPermanent(hMenu);
}

BOOL CMenu::Attach(HMENU hMenu)
{
    return MenuMap().Attach(hMenu, this, m_hMenu);
}

HMENU CMenu::Detach()
{
    return MenuMap().Detach(this, m_hMenu);
}

BOOL CMenu::LoadMenu(UINT id)
{
    return LoadMenu(MAKEINTRESOURCEA(id));
}

BOOL CMenu::LoadMenu(LPCSTR name)
{
    return Attach(::LoadMenuA(AfxGetResourceHandle(), name));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT id, CString& text, UINT flags) const
{
    int length = ::GetMenuStringA(m_hMenu, id, NULL, 0, flags);
    if (length <= 0) {
        text.Empty();
        return 0;
    }
    ::GetMenuStringA(m_hMenu, id, text.GetBufferSetLength(length), length + 1, flags);
    text.ReleaseBuffer();
    return text.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect)
{
    Tracking outer = t_tracking;
    t_tracking.owner = owner ? owner->m_hWnd : NULL;
    t_tracking.menu = m_hMenu;
    BOOL result = ::TrackPopupMenu(m_hMenu, flags, x, y, 0, t_tracking.owner, rect);
    t_tracking = outer;
    return result;
}

HMENU CMenu::GetTrackingMenu(HWND owner)
{
    return owner != NULL && t_tracking.owner == owner ? t_tracking.menu : NULL;
}
