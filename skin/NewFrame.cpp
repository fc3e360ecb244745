#include "skin/NewFrame.h"

#include "skin/MenuSystem.h"
#include "skin/MenuTheme.h"
#include "skin/NewMenuHook.h"

namespace {

const UINT kHotTrackMs = 100;
const LRESULT kMenuCharExecute = 2; // MNC_EXECUTE

CNewMenu* AsNewMenu(HMENU menu)
{
    return dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(menu));
}

} // namespace

BOOL CNewFrameCore::MeasureMenuItem(HWND hWnd, LPMEASUREITEMSTRUCT mis)
{
    if (mis == NULL || mis->CtlType != ODT_MENU)
        return FALSE;
    // A popup item names its submenu: the submenu's parent holds it.
    if (CNewMenu* sub = AsNewMenu((HMENU)(UINT_PTR)mis->itemID)) {
        if (CNewMenu* parent = sub->GetParentNewMenu()) {
            if (parent->FindMenuOfItemData((const void*)mis->itemData) == parent) {
                parent->MeasureItem(mis);
                return TRUE;
            }
        }
    }
    HMENU candidates[] = {CMenu::GetTrackingMenu(hWnd), ::GetMenu(hWnd), m_SystemNewMenu.m_hMenu};
    for (HMENU menu : candidates) {
        CNewMenu* top = AsNewMenu(menu);
        CNewMenu* holder = top ? top->FindMenuOfItemData((const void*)mis->itemData) : NULL;
        if (holder != NULL) {
            holder->MeasureItem(mis);
            return TRUE;
        }
    }
    return FALSE;
}

LRESULT CNewFrameCore::MenuChar(UINT ch, HMENU handle)
{
    CNewMenu* menu = AsNewMenu(handle);
    if (menu == NULL)
        return -1;
    if (menu->GetItemDataCount() != ::GetMenuItemCount(handle))
        menu->ConvertItems();
    char wanted[3] = {'&', (char)(UINT_PTR)::CharLowerA((LPSTR)(UINT_PTR)(BYTE)ch), 0};
    for (int i = 0; i < menu->GetItemDataCount(); ++i) {
        CString text = menu->GetItemData(i)->m_szMenuText;
        text.MakeLower();
        if (text.Find(wanted) >= 0)
            return MAKELRESULT(i, kMenuCharExecute);
    }
    return 0;
}

BOOL CNewFrameCore::HotTrackingWanted()
{
    const CMenuSystem::Values& system = CMenuSystem::State();
    return system.versionClass == CMenuSystem::kWin32s ||
           (system.versionClass >= CMenuSystem::kWin95 && system.versionClass <= CMenuSystem::kNT4) ||
           system.remoteDesktop;
}

void CNewFrameCore::DrawBarItem(HWND hWnd, int index, UINT state)
{
    HMENU bar = ::GetMenu(hWnd);
    CNewMenu* menu = AsNewMenu(bar);
    CNewMenuItemData* item = menu ? menu->GetItemData(index) : NULL;
    if (item == NULL || !(item->m_nFlags & MF_OWNERDRAW))
        return;
    CRect rect;
    if (!::GetMenuItemRect(hWnd, bar, (UINT)index, &rect))
        return;
    CRect window;
    ::GetWindowRect(hWnd, &window);
    rect.OffsetRect(-window.left, -window.top);
    if (::GetFocus() == NULL || (::GetFocus() != hWnd && !::IsChild(hWnd, ::GetFocus())))
        state |= ODS_INACTIVE;
    HDC dc = ::GetWindowDC(hWnd);
    CFont font;
    CMenuTheme::CreateMenuFont(font, FALSE);
    HGDIOBJ old = ::SelectObject(dc, font);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = (UINT)item->m_nID;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = (HWND)bar;
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = (ULONG_PTR)item;
    ::SendMessageA(hWnd, WM_DRAWITEM, 0, (LPARAM)&dis);
    ::SelectObject(dc, old);
    ::ReleaseDC(hWnd, dc);
    CNewMenu::s_pHotItem = (state & ODS_HOTLIGHT) ? item : NULL;
}

void CNewFrameCore::StopTracking(HWND hWnd)
{
    if (m_TimerID != 0) {
        CNewMenuHook::KillMenuBarTimer(hWnd, m_TimerID);
        m_TimerID = 0;
    }
    if (m_menubarItemIndex >= 0) {
        DrawBarItem(hWnd, m_menubarItemIndex, 0);
        m_menubarItemIndex = -1;
    }
}

LRESULT CNewFrameCore::TrackMenuBar(HWND hWnd, LRESULT hit, CPoint point)
{
    if (!HotTrackingWanted() || m_bInMenuLoop)
        return hit;
    HMENU bar = ::GetMenu(hWnd);
    if (hit != HTMENU || AsNewMenu(bar) == NULL) {
        StopTracking(hWnd);
        return hit;
    }
    int index = ::MenuItemFromPoint(hWnd, bar, point);
    if (index != m_menubarItemIndex) {
        if (m_menubarItemIndex >= 0)
            DrawBarItem(hWnd, m_menubarItemIndex, 0);
        m_menubarItemIndex = index;
        if (index >= 0)
            DrawBarItem(hWnd, index, ODS_HOTLIGHT);
    }
    if (index >= 0 && m_TimerID == 0)
        m_TimerID = CNewMenuHook::SetMenuBarTimer(hWnd, kHotTrackMs);
    if (index < 0)
        StopTracking(hWnd);
    return hit;
}

void CNewFrameCore::TakeMenus(HWND hWnd, BOOL takeWindowMenu)
{
    HMENU system = ::GetSystemMenu(hWnd, FALSE);
    if (m_SystemNewMenu.m_hMenu != system) {
        if (m_SystemNewMenu.m_hMenu != NULL)
            m_SystemNewMenu.ReleaseHandle();
        if (system != NULL && CMenu::FromHandlePermanent(system) == NULL)
            m_SystemNewMenu.Attach(system);
    }
    if (takeWindowMenu) {
        HMENU menu = ::GetMenu(hWnd);
        if (menu != NULL && m_DefaultNewMenu.m_hMenu != menu && CMenu::FromHandlePermanent(menu) == NULL) {
            m_DefaultNewMenu.DestroyMenu();
            m_DefaultNewMenu.LoadFromHandle(menu);
            ::DrawMenuBar(hWnd);
        }
    }
}

void CNewFrameCore::ReleaseMenus(HWND hWnd)
{
    StopTracking(hWnd);
    if (m_DefaultNewMenu.m_hMenu != NULL && ::GetMenu(hWnd) == m_DefaultNewMenu.m_hMenu)
        ::SetMenu(hWnd, NULL);
    if (m_SystemNewMenu.m_hMenu != NULL)
        m_SystemNewMenu.ReleaseHandle();
}
