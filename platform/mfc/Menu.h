// CMenu: a menu handle and its owner object. A menu object that loads,
// creates or attaches a menu is found again from the handle (FromHandle);
// owner-drawn items reach its DrawItem and MeasureItem through the default
// handling of WM_DRAWITEM and WM_MEASUREITEM in CWnd. UI thread.
#pragma once
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

#include <windows.h>

class CWnd;
template <class H, class O> class CHandleMap;

class CMenu : public CObject
{
public:
    CMenu() : m_hMenu(NULL) {}
    // A menu still attached is destroyed with its object.
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    static CMenu* FromHandle(HMENU hMenu);
    static CMenu* FromHandlePermanent(HMENU hMenu);
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    // From the current resource handle.
    BOOL LoadMenu(UINT id);
    BOOL LoadMenu(LPCSTR name);
    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR text = NULL) { return ::AppendMenuA(m_hMenu, flags, id, text); }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCSTR text = NULL)
    {
        return ::InsertMenuA(m_hMenu, position, flags, id, text);
    }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCSTR text = NULL)
    {
        return ::ModifyMenuA(m_hMenu, position, flags, id, text);
    }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    UINT GetMenuItemCount() const { return (UINT)::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_hMenu, id, flags); }
    int GetMenuString(UINT id, CString& text, UINT flags) const;
    BOOL GetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPosition = FALSE) const
    {
        return ::GetMenuItemInfoA(m_hMenu, item, byPosition, info);
    }
    BOOL SetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPosition = FALSE)
    {
        return ::SetMenuItemInfoA(m_hMenu, item, byPosition, info);
    }
    CMenu* GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
    UINT CheckMenuItem(UINT id, UINT check) { return ::CheckMenuItem(m_hMenu, id, check); }
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags)
    {
        return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
    }
    UINT EnableMenuItem(UINT id, UINT enable) { return ::EnableMenuItem(m_hMenu, id, enable); }
    // Shows the popup and returns as the system does; while it is open this
    // menu is the one `owner`'s WM_MEASUREITEM items are looked up in.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = NULL);
    // The popup being tracked for `owner`, else NULL.
    static HMENU GetTrackingMenu(HWND owner);

    // Owner-drawn items; the base draws and measures nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis) { (void)dis; }
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis) { (void)mis; }

private:
    friend class CHandleMap<HMENU, CMenu>;
    void AttachTemporary(HMENU hMenu) { m_hMenu = hMenu; }
    void DetachTemporary() { m_hMenu = NULL; }
};
