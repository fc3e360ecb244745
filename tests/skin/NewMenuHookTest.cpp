// The menu window hook under Xvfb: real popups opened and closed, a popup
// window taken over by hand on the sizing message Wine never sends, and the
// frame the program's theme paints around an open popup.
#include "resources/Resource.h"
#include "skin/MenuColors.h"
#include "skin/MenuSystem.h"
#include "skin/MenuThemeXP.h"
#include "skin/NewMenu.h"
#include "skin/NewMenuHook.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

namespace {

const UINT kSizeWindow = 0x1E2;

// What the timer saw while a popup was open.
struct OpenPopup
{
    HWND window = NULL;
    bool hadRecord = false;
    bool hadProperty = false;
    bool borderStripped = false;
    CRect rect;
    COLORREF corner = CLR_INVALID, innerLine = CLR_INVALID, column = CLR_INVALID;
    bool probe = false;
};
OpenPopup g_open;

BOOL CALLBACK FindMenuWindow(HWND hWnd, LPARAM found)
{
    char name[16] = {0};
    ::GetClassNameA(hWnd, name, sizeof(name));
    if (lstrcmpA(name, "#32768") == 0 && ::IsWindowVisible(hWnd)) {
        *(HWND*)found = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND menu = NULL;
    ::EnumWindows(&FindMenuWindow, (LPARAM)&menu);
    if (menu == NULL)
        return; // not shown yet: the next tick
    ::KillTimer(NULL, id);
    g_open.window = menu;
    g_open.hadRecord = CNewMenuHook::FindHookData(menu) != NULL;
    g_open.hadProperty = ::GetPropA(menu, kOldMenuProc) != NULL;
    g_open.borderStripped = !(::GetWindowLongA(menu, GWL_STYLE) & WS_BORDER);
    ::GetWindowRect(menu, &g_open.rect);
    if (g_open.probe) {
        ::RedrawWindow(menu, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = ::GetWindowDC(menu);
        g_open.corner = ::GetPixel(dc, 0, 0);
        g_open.innerLine = ::GetPixel(dc, 1, 5);
        g_open.column = ::GetPixel(dc, 4, 4);
        ::ReleaseDC(menu, dc);
        SaveScreenShot(menu, "menu_popup_open");
    }
    ::EndMenu();
}

class NewMenuHookTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(host.CreateHost(300, 200)); }
    // Opens `popup` at the host and lets the timer close it.
    void OpenAndClose(CMenu& popup)
    {
        g_open = OpenPopup{HWND(), false, false, false, CRect(), CLR_INVALID, CLR_INVALID, CLR_INVALID, g_open.probe};
        ::SetTimer(NULL, 0, 30, &CloseMenu);
        popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 120, 120, &host);
        PumpFor(10);
    }

    CResourceModuleInUse resources;
    CNewMenuHook hook;
    CHostWnd host;
};

TEST_F(NewMenuHookTest, PopupsOpenedAndClosedManyTimesLeaveNothingBehind)
{
    ASSERT_TRUE(hook.IsInstalled());
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenuById(IDR_MENU_PANEL));
    const UINT ids[] = {IDR_TOOLBAR_MENU};
    ASSERT_TRUE(menu.LoadToolBars(ids, 1));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_TRUE(popup != NULL);
    UINT atoms = ::GlobalFindAtomA(kOldMenuProc);
    for (int i = 0; i < 50; ++i) {
        SCOPED_TRACE(i);
        OpenAndClose(*popup);
        ASSERT_TRUE(g_open.window != NULL) << "the popup never showed";
        EXPECT_TRUE(g_open.hadRecord);
        EXPECT_TRUE(g_open.hadProperty);
        EXPECT_TRUE(g_open.borderStripped);
        EXPECT_EQ(0u, CNewMenuHook::HookDataCount());
        if (::IsWindow(g_open.window)) {
            EXPECT_TRUE(::GetPropA(g_open.window, kOldMenuProc) == NULL);
        }
    }
    EXPECT_EQ(atoms, (UINT)::GlobalFindAtomA(kOldMenuProc));
}

TEST_F(NewMenuHookTest, TheProgramsThemeFramesTheOpenPopup)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenuById(IDR_MENU_PANEL));
    const UINT ids[] = {IDR_TOOLBAR_MENU};
    menu.LoadToolBars(ids, 1);
    g_open.probe = true;
    OpenAndClose(*menu.GetSubMenu(0));
    g_open.probe = false;
    ASSERT_TRUE(g_open.window != NULL);
    CMenuThemeXP::Colors c = CMenuThemeXP::ItemColors(NULL);
    HDC screen = ::GetDC(NULL);
    COLORREF frame = ::GetNearestColor(screen, MenuDarken(128, c.menu));
    COLORREF field = ::GetNearestColor(screen, c.field);
    COLORREF column = ::GetNearestColor(screen, c.column);
    ::ReleaseDC(NULL, screen);
    EXPECT_EQ(frame, g_open.corner);
    EXPECT_EQ(field, g_open.innerLine);
    EXPECT_EQ(column, g_open.column);
}

TEST(MenuHookBySizeMessage, TakesOverReleasesAndTakesOverAgain)
{
    // Made before the hook, so only the sizing message can take it over.
    HWND popup = ::CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_TOPMOST, "#32768", NULL,
                                   WS_POPUP | WS_BORDER, 50, 50, 120, 80, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(popup != NULL);
    HWND other = ::CreateWindowExA(0, "STATIC", NULL, WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    {
        CNewMenuHook hook;
        ASSERT_TRUE(hook.IsInstalled());
        EXPECT_TRUE(CNewMenuHook::FindHookData(popup) == NULL);

        ::SendMessageA(other, kSizeWindow, 0, 0);
        EXPECT_TRUE(CNewMenuHook::FindHookData(other) == NULL);
        EXPECT_TRUE(::GetPropA(other, kOldMenuProc) == NULL);

        ::SendMessageA(popup, kSizeWindow, 0, 0);
        CMenuHookData* data = CNewMenuHook::FindHookData(popup);
        ASSERT_TRUE(data != NULL);
        EXPECT_TRUE(data->m_dwFlags & CMenuHookData::kTakenOnSize);
        EXPECT_TRUE(data->m_dwFlags & CMenuHookData::kStylesChanged);
        EXPECT_TRUE(::GetPropA(popup, kOldMenuProc) != NULL);
        EXPECT_FALSE(::GetWindowLongA(popup, GWL_STYLE) & WS_BORDER);
        EXPECT_EQ(0, ::GetWindowLongA(popup, GWL_EXSTYLE) & (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));

        // The first move gives the record its place; moving and resizing
        // for another menu releases the window, with its styles back.
        ::SetWindowPos(popup, NULL, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        data = CNewMenuHook::FindHookData(popup);
        ASSERT_TRUE(data != NULL);
        EXPECT_EQ(CPoint(60, 59), data->m_Point) << "the theme lifts the window a pixel";
        ::SetWindowPos(popup, NULL, 200, 90, 150, 100, SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(CNewMenuHook::FindHookData(popup) == NULL);
        EXPECT_TRUE(::GetPropA(popup, kOldMenuProc) == NULL);
        DWORD style = (DWORD)::GetWindowLongA(popup, GWL_STYLE);
        EXPECT_TRUE(style & WS_BORDER);
        EXPECT_TRUE(style & WS_VISIBLE) << "taken over on its size message: shown again";
        EXPECT_TRUE(::GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

        ::SendMessageA(popup, kSizeWindow, 0, 0);
        EXPECT_TRUE(CNewMenuHook::FindHookData(popup) != NULL);
        // The theme's border: the client area shrinks by its insets.
        CRect window, client;
        ::SetWindowPos(popup, NULL, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        ::GetWindowRect(popup, &window);
        ::GetClientRect(popup, &client);
        CMenuTheme* theme = CNewMenuHook::FindTheme(CNewMenuHook::kProgramTheme);
        ASSERT_TRUE(theme != NULL);
        EXPECT_EQ(window.Width() - theme->m_BorderInsets.left - theme->m_BorderInsets.right, client.Width());
        EXPECT_EQ(window.Height() - theme->m_BorderInsets.top - theme->m_BorderInsets.bottom, client.Height());

        ::DestroyWindow(popup);
        EXPECT_EQ(0u, CNewMenuHook::HookDataCount());
    }
    ::DestroyWindow(other);
}

// What the menu window's own procedure saw of its hiding and destruction.
struct OwnProcedure
{
    WNDPROC next = NULL;
    bool sawHide = false, hideAfterRelease = false;
    bool sawNcDestroy = false, ncDestroyAfterRelease = false;
};
OwnProcedure g_own;

LRESULT CALLBACK RecordOwnMessages(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool released = CNewMenuHook::FindHookData(hWnd) == NULL && ::GetPropA(hWnd, kOldMenuProc) == NULL;
    if (message == WM_SHOWWINDOW && wParam == 0) {
        g_own.sawHide = true;
        g_own.hideAfterRelease = released;
    } else if (message == WM_NCDESTROY) {
        g_own.sawNcDestroy = true;
        g_own.ncDestroyAfterRelease = released;
    }
    return ::CallWindowProcA(g_own.next, hWnd, message, wParam, lParam);
}

TEST(MenuHookRelease, TheWindowsOwnProcedureSeesItsHidingAndDestructionAfterTheRelease)
{
    // Two windows, as a popup is either hidden (closed) or destroyed.
    for (const bool hide : {true, false}) {
        SCOPED_TRACE(hide ? "hidden" : "destroyed");
        g_own = OwnProcedure();
        HWND popup = ::CreateWindowExA(WS_EX_TOPMOST, "#32768", NULL, WS_POPUP | WS_BORDER, 50, 50, 120, 80, NULL,
                                       NULL, NULL, NULL);
        ASSERT_TRUE(popup != NULL);
        g_own.next = (WNDPROC)::SetWindowLongPtrA(popup, GWLP_WNDPROC, (LONG_PTR)&RecordOwnMessages);
        {
            CNewMenuHook hook;
            ::SendMessageA(popup, kSizeWindow, 0, 0);
            ASSERT_TRUE(CNewMenuHook::FindHookData(popup) != NULL);
            if (hide) {
                ::ShowWindow(popup, SW_SHOWNOACTIVATE);
                ::ShowWindow(popup, SW_HIDE);
                EXPECT_TRUE(g_own.sawHide);
                EXPECT_TRUE(g_own.hideAfterRelease);
                ::SendMessageA(popup, kSizeWindow, 0, 0); // taken over again for its destruction
                ASSERT_TRUE(CNewMenuHook::FindHookData(popup) != NULL);
            }
            ::DestroyWindow(popup);
            EXPECT_TRUE(g_own.sawNcDestroy) << "the last message never reached the menu window";
            EXPECT_TRUE(g_own.ncDestroyAfterRelease);
            EXPECT_EQ(0u, CNewMenuHook::HookDataCount());
        }
    }
}

TEST(MenuHookThemes, SixThemesTheProgramsIsTheFlatOneWithItsOwnBorder)
{
    CNewMenuHook hook;
    for (UINT id = 0; id < 6; ++id) {
        CMenuTheme* theme = CNewMenuHook::FindTheme(id);
        ASSERT_TRUE(theme != NULL) << id;
        EXPECT_EQ(id % 2 == 0, theme->DoDrawBorder() != FALSE) << id;
        EXPECT_EQ(id == 2 || id == 3, dynamic_cast<CMenuThemeXP*>(theme) != NULL) << id;
        EXPECT_FALSE(CNewMenuHook::AddTheme(theme));
    }
    EXPECT_EQ(CNewMenuHook::FindTheme(2), CMenuTheme::Global());
    EXPECT_FALSE(CNewMenuHook::SetActiveTheme(9));
    EXPECT_EQ(CNewMenuHook::FindTheme(2), CMenuTheme::Global());
    // Without the system's shadow the right and bottom keep room for ours.
    CRect insets = CNewMenuHook::FindTheme(2)->m_BorderInsets;
    if (CMenuSystem::State().dropShadow)
        EXPECT_EQ(CRect(2, 2, 2, 2), insets);
    else
        EXPECT_EQ(CRect(2, 2, 5, 6), insets);
}

TEST(MenuHookTimers, TakeTheFirstFreeIdFrom31)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost(50, 50));
    EXPECT_EQ(31u, CNewMenuHook::SetMenuBarTimer(host, 100));
    EXPECT_EQ(32u, CNewMenuHook::SetMenuBarTimer(host, 100));
    CNewMenuHook::KillMenuBarTimer(host, 31);
    EXPECT_EQ(31u, CNewMenuHook::SetMenuBarTimer(host, 100));
    EXPECT_EQ(0u, CNewMenuHook::SetMenuBarTimer(NULL, 100));
    CNewMenuHook::KillMenuBarTimer(host, 31);
    CNewMenuHook::KillMenuBarTimer(host, 32);
}

} // namespace
