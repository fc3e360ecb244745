// CNewFrame<base>: a frame or dialog whose menus are CNewMenus: the window's
// menu and its system menu owner-drawn, popups prepared for the menu hook as
// they open, menu items measured by the menu that holds them, mnemonics of
// owner-drawn items answered, image sets reloaded on a colour change, and
// hot tracking of the menu bar where the system does not do it (Windows
// before 2000, remote sessions). The concrete frames are below; CNewDialog
// and CNewFrameWnd have files of their own. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"
#include "platform/mfc/FrameWnd.h"
#include "skin/NewMenu.h"
#include "skin/NewMenuIcons.h"

// The base-independent half, so the template stays thin.
class CNewFrameCore
{
public:
    CNewFrameCore() : m_bInMenuLoop(FALSE), m_TimerID(0), m_menubarItemIndex(-1) {}

    CNewMenu m_DefaultNewMenu; // the window's menu
    CNewMenu m_SystemNewMenu;  // the window's system menu (the system owns its handle)
    BOOL m_bInMenuLoop;
    UINT_PTR m_TimerID;        // the hot-tracking timer, 0 for none
    int m_menubarItemIndex;    // the hot menu-bar item, -1 for none

    // WM_MEASUREITEM of a menu item: the CNewMenu that holds it measured
    // it; FALSE when none of the window's menus does.
    BOOL MeasureMenuItem(HWND hWnd, LPMEASUREITEMSTRUCT mis);
    // WM_MENUCHAR of a CNewMenu: the item whose text has "&" and the
    // character (in lower case) runs; -1 when `menu` is no CNewMenu.
    static LRESULT MenuChar(UINT ch, HMENU menu);
    // Hot tracking on a hit test; returns the hit-test result unchanged.
    LRESULT TrackMenuBar(HWND hWnd, LRESULT hit, CPoint point);
    void StopTracking(HWND hWnd);
    // The system menu taken into m_SystemNewMenu (another one held before
    // is let go); the window's menu loaded into m_DefaultNewMenu.
    void TakeMenus(HWND hWnd, BOOL takeWindowMenu);
    // At WM_DESTROY: timers stopped, the menu bar kept out of the
    // window's destruction (its CNewMenu destroys it), the system menu let go.
    void ReleaseMenus(HWND hWnd);
    // Hot tracking runs only where the system does not hot-track itself.
    static BOOL HotTrackingWanted();

private:
    void DrawBarItem(HWND hWnd, int index, UINT state);
};

template <class Base>
class CNewFrame : public Base, public CNewFrameCore
{
public:
    using Base::Base;

protected:
    int OnCreate(LPCREATESTRUCT cs)
    {
        int result = Base::OnCreate(cs);
        if (result != -1)
            TakeMenus(this->m_hWnd, FALSE);
        return result;
    }
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
    {
        Base::OnInitMenuPopup(popup, index, sysMenu);
        if (popup != NULL)
            CNewMenu::PrepareToShowPopup(this->m_hWnd, popup->m_hMenu);
    }
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis)
    {
        if (!MeasureMenuItem(this->m_hWnd, mis))
            Base::OnMeasureItem(id, mis);
    }
    LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu)
    {
        LRESULT result = MenuChar(ch, menu ? menu->m_hMenu : NULL);
        return result != -1 ? result : Base::OnMenuChar(ch, flags, menu);
    }
    void OnSysColorChange()
    {
        Base::OnSysColorChange();
        CNewMenuIcons::SysColorChangeAll();
    }
    void OnEnterMenuLoop(BOOL popup)
    {
        Base::OnEnterMenuLoop(popup);
        m_bInMenuLoop = TRUE;
        StopTracking(this->m_hWnd);
    }
    void OnExitMenuLoop(BOOL popup)
    {
        Base::OnExitMenuLoop(popup);
        m_bInMenuLoop = FALSE;
    }
    void OnTimer(UINT_PTR id)
    {
        if (id != 0 && id == m_TimerID) {
            POINT at;
            ::GetCursorPos(&at);
            ::SendMessageA(this->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
            return;
        }
        Base::OnTimer(id);
    }
    LRESULT OnNcHitTest(CPoint point)
    {
        return TrackMenuBar(this->m_hWnd, Base::OnNcHitTest(point), point);
    }
    void OnDestroy()
    {
        ReleaseMenus(this->m_hWnd);
        Base::OnDestroy();
    }

    static const AFX_MSGMAP* GetThisMessageMap()
    {
        typedef CNewFrame<Base> ThisClass;
        typedef Base TheBaseClass;
        static const AFX_MSGMAP_ENTRY entries[] = {
            ON_WM_CREATE()
            ON_WM_INITMENUPOPUP()
            ON_WM_MEASUREITEM()
            ON_WM_MENUCHAR()
            ON_WM_SYSCOLORCHANGE()
            ON_WM_ENTERMENULOOP()
            ON_WM_EXITMENULOOP()
            ON_WM_TIMER()
            ON_WM_NCHITTEST()
            ON_WM_DESTROY()
            {0, 0, 0, 0, nullptr}};
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};
        return &map;
    }
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }
};

class CNewMDIFrameWnd : public CNewFrame<CMDIFrameWnd>
{
};

class CNewMDIChildWnd : public CNewFrame<CMDIChildWnd>
{
};

class CNewMiniFrameWnd : public CNewFrame<CMiniFrameWnd>
{
};

class CNewMiniDockFrameWnd : public CNewFrame<CMiniDockFrameWnd>
{
};
