// Menu-aware windows with an owner-drawn menu bar: a frame and a dialog made
// from the test's own menu, the mnemonic table, popups prepared as they
// open, the command-update pass, and the document template's shared menu.
#include "skin/NewDialog.h"
#include "skin/MenuSystem.h"
#include "skin/NewFrameWnd.h"
#include "skin/NewMenuHook.h"
#include "skin/NewMultiDocTemplate.h"
#include "tests/skin/SkinTestIds.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

namespace {

void ExpectOwnerDrawnBar(HWND hWnd, CNewMenu& menu)
{
    HMENU bar = ::GetMenu(hWnd);
    ASSERT_EQ(menu.m_hMenu, bar);
    ASSERT_EQ(3, ::GetMenuItemCount(bar));
    EXPECT_TRUE(menu.IsMenuBar());
    for (int i = 0; i < 3; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        ASSERT_TRUE(::GetMenuItemInfoA(bar, i, TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << i;
        EXPECT_EQ((ULONG_PTR)menu.GetItemData(i), info.dwItemData) << i;
    }
}

struct MenuCharCase
{
    int menu;  // -1 the bar, else that popup
    char ch;
    LRESULT expected;
};
const MenuCharCase kMenuChars[] = {
    {-1, 'f', MAKELRESULT(0, 2)},
    {-1, 'E', MAKELRESULT(1, 2)}, // compared in lower case
    {-1, 'v', MAKELRESULT(2, 2)},
    {-1, 'q', 0},
    {0, 'o', MAKELRESULT(0, 2)},
    {0, 'x', MAKELRESULT(2, 2)}, // past the separator
    {1, 'p', MAKELRESULT(1, 2)},
    {1, 'z', 0},
};

void ExpectMenuChars(HWND hWnd, CNewMenu& bar)
{
    for (const MenuCharCase& c : kMenuChars) {
        HMENU menu = c.menu < 0 ? bar.m_hMenu : ::GetSubMenu(bar, c.menu);
        LRESULT got = ::SendMessageA(hWnd, WM_MENUCHAR, MAKEWPARAM(c.ch, c.menu < 0 ? 0 : MF_POPUP), (LPARAM)menu);
        EXPECT_EQ(c.expected, got) << "menu " << c.menu << " key " << c.ch;
    }
}

class NewFrameTest : public ::testing::Test
{
protected:
    CNewMenuHook hook;
};

TEST_F(NewFrameTest, AFrameCarriesAnOwnerDrawnMenuBar)
{
    CNewFrameWnd frame;
    ASSERT_TRUE(frame.Create(NULL, "New frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 420, 260), NULL,
                             MAKEINTRESOURCEA(IDR_TEST_MENUBAR)));
    EXPECT_EQ(CString("New frame"), frame.m_strTitle);
    ExpectOwnerDrawnBar(frame, frame.m_DefaultNewMenu);
    EXPECT_EQ(::GetSystemMenu(frame, FALSE), frame.m_SystemNewMenu.m_hMenu);
    ::DrawMenuBar(frame);
    PumpFor(50);
    SaveScreenShot(frame, "menu_frame");
    // The bar items were measured by their menu: they have a place on the bar.
    CRect item;
    ASSERT_TRUE(::GetMenuItemRect(frame, ::GetMenu(frame), 1, &item));
    EXPECT_GT(item.Width(), 0);
    ExpectMenuChars(frame, frame.m_DefaultNewMenu);

    // A popup about to open is handed to the hook and counted open on the bar.
    CNewMenu* file = frame.m_DefaultNewMenu.GetNewSubMenu(0);
    ::SendMessageA(frame, WM_INITMENUPOPUP, (WPARAM)file->m_hMenu, MAKELPARAM(0, FALSE));
    EXPECT_EQ(file->m_hMenu, CNewMenu::s_hMenuToShow);
    EXPECT_EQ(1u, frame.m_DefaultNewMenu.m_dwOpenMenu);
    file->OnUnInitPopupMenu(frame);
    EXPECT_EQ(0u, frame.m_DefaultNewMenu.m_dwOpenMenu);
    CNewMenu::s_hMenuToShow = NULL;

    frame.DestroyWindow();
    // The menu outlives the window and goes with its CNewMenu.
    EXPECT_TRUE(::IsMenu(frame.m_DefaultNewMenu.m_hMenu));
    EXPECT_TRUE(frame.m_SystemNewMenu.m_hMenu == NULL);
}

TEST_F(NewFrameTest, AFrameWhoseMenuDoesNotLoadIsNotMade)
{
    CNewFrameWnd frame;
    EXPECT_FALSE(frame.Create(NULL, "No menu", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), NULL,
                              MAKEINTRESOURCEA(9999)));
    EXPECT_TRUE(frame.m_hWnd == NULL);
}

struct BarPopupSeen
{
    HWND popup = NULL;
    HMENU recordMenu = NULL;
    DWORD openOnBar = 0;
};
BarPopupSeen g_barPopup;
CNewMenu* g_bar = NULL;

BOOL CALLBACK FindShownMenu(HWND hWnd, LPARAM found)
{
    char name[16] = {0};
    ::GetClassNameA(hWnd, name, sizeof(name));
    if (lstrcmpA(name, "#32768") == 0 && ::IsWindowVisible(hWnd)) {
        *(HWND*)found = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK SeeBarPopup(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND popup = NULL;
    ::EnumWindows(&FindShownMenu, (LPARAM)&popup);
    if (popup == NULL)
        return;
    ::KillTimer(NULL, id);
    g_barPopup.popup = popup;
    if (CMenuHookData* data = CNewMenuHook::FindHookData(popup))
        g_barPopup.recordMenu = data->m_hMenu;
    g_barPopup.openOnBar = g_bar->m_dwOpenMenu;
    ::RedrawWindow(popup, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SaveScreenShot(::GetParent(popup) ? ::GetParent(popup) : popup, "menu_frame_popup");
    ::EndMenu();
}

TEST_F(NewFrameTest, ABarPopupIsHandedToTheHookAndCountedOpen)
{
    CNewFrameWnd frame;
    ASSERT_TRUE(frame.Create(NULL, "Bar popup", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 420, 300), NULL,
                             MAKEINTRESOURCEA(IDR_TEST_MENUBAR)));
    frame.SetForegroundWindow();
    PumpFor(30);
    g_bar = &frame.m_DefaultNewMenu;
    g_barPopup = BarPopupSeen();
    ::SetTimer(NULL, 0, 30, &SeeBarPopup);
    ::PostMessageA(frame, WM_SYSCOMMAND, SC_KEYMENU, 'e');
    PumpUntil([] { return g_barPopup.popup != NULL; }, 5000);
    PumpFor(50);
    ASSERT_TRUE(g_barPopup.popup != NULL) << "the Edit menu never showed";
    EXPECT_EQ(frame.m_DefaultNewMenu.GetNewSubMenu(1)->m_hMenu, g_barPopup.recordMenu);
    EXPECT_EQ(1u, g_barPopup.openOnBar);
    EXPECT_EQ(0u, frame.m_DefaultNewMenu.m_dwOpenMenu);
    EXPECT_EQ(0u, CNewMenuHook::HookDataCount());
    g_bar = NULL;
    frame.DestroyWindow();
}

class UpdatingDialog : public CNewDialog
{
public:
    UpdatingDialog() : CNewDialog(IDD_TEST_MENU_DIALOG) {}
    BOOL OnUpdateCommand(UINT id, BOOL& enable) override
    {
        ++asked;
        if (id != ID_TEST_PASTE)
            return FALSE;
        enable = FALSE;
        return TRUE;
    }
    int asked = 0;
};

TEST_F(NewFrameTest, ADialogCarriesItsTemplatesMenuOwnerDrawn)
{
    UpdatingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_MENU_DIALOG));
    ExpectOwnerDrawnBar(dialog, dialog.m_DefaultNewMenu);
    EXPECT_EQ(::GetSystemMenu(dialog, FALSE), dialog.m_SystemNewMenu.m_hMenu);
    ExpectMenuChars(dialog, dialog.m_DefaultNewMenu);
    PumpFor(50);
    SaveScreenShot(dialog, "menu_dialog");

    CNewMenu* edit = dialog.m_DefaultNewMenu.GetNewSubMenu(1);
    ::SendMessageA(dialog, WM_INITMENUPOPUP, (WPARAM)edit->m_hMenu, MAKELPARAM(1, FALSE));
    EXPECT_EQ(2, dialog.asked);
    EXPECT_TRUE(::GetMenuState(*edit, ID_TEST_PASTE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(*edit, ID_TEST_COPY, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(edit->m_hMenu, CNewMenu::s_hMenuToShow);
    CNewMenu::s_hMenuToShow = NULL;
    // The system menu gets no update pass.
    ::SendMessageA(dialog, WM_INITMENUPOPUP, (WPARAM)::GetSystemMenu(dialog, FALSE), MAKELPARAM(0, TRUE));
    EXPECT_EQ(2, dialog.asked);
    CNewMenu::s_hMenuToShow = NULL;
    dialog.DestroyWindow();
}

TEST_F(NewFrameTest, TheTemplatesSharedMenuIsDestroyedOnce)
{
    HMENU shared = NULL;
    {
        CNewMultiDocTemplate docs(IDR_TEST_MENUBAR);
        shared = docs.m_hMenuShared;
        ASSERT_TRUE(shared != NULL);
        EXPECT_EQ(shared, docs.m_NewMenuShared.m_hMenu);
        EXPECT_EQ(3, docs.m_NewMenuShared.GetItemDataCount());
    }
    EXPECT_FALSE(::IsMenu(shared));
}

TEST_F(NewFrameTest, OnOlderSystemsTheBarItemUnderTheMouseIsDrawnHot)
{
    CMenuSystem::Values saved = CMenuSystem::State();
    CMenuSystem::State().versionClass = CMenuSystem::kWin98;
    CNewFrameWnd frame;
    ASSERT_TRUE(frame.Create(NULL, "Hot", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 420, 260), NULL,
                             MAKEINTRESOURCEA(IDR_TEST_MENUBAR)));
    PumpFor(30);
    CRect edit;
    ASSERT_TRUE(::GetMenuItemRect(frame, ::GetMenu(frame), 1, &edit));
    CPoint over = edit.CenterPoint();
    LRESULT hit = ::SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(HTMENU, hit);
    EXPECT_EQ(frame.m_DefaultNewMenu.GetItemData(1), CNewMenu::s_pHotItem);
    EXPECT_EQ(1, frame.m_menubarItemIndex);
    EXPECT_EQ(31u, frame.m_TimerID);
    // Off the bar: drawn back, the timer stopped.
    CRect client;
    frame.GetClientRect(&client);
    frame.ClientToScreen(&client);
    CPoint inside = client.CenterPoint();
    ::SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_TRUE(CNewMenu::s_pHotItem == NULL);
    EXPECT_EQ(-1, frame.m_menubarItemIndex);
    EXPECT_EQ(0u, frame.m_TimerID);
    CMenuSystem::State() = saved;
    frame.DestroyWindow();
}

TEST(NewFrameHotTracking, OnlyWhereTheSystemDoesNotHotTrack)
{
    CMenuSystem::Values saved = CMenuSystem::State();
    struct Case { int versionClass; BOOL remote; bool wanted; };
    const Case cases[] = {
        {CMenuSystem::kWin95, FALSE, true},  {CMenuSystem::kNT4, FALSE, true},
        {CMenuSystem::kWin2000, FALSE, false}, {CMenuSystem::kWinXP, FALSE, false},
        {CMenuSystem::kWinXP, TRUE, true},    {CMenuSystem::kOtherNT, FALSE, false},
    };
    for (const Case& c : cases) {
        CMenuSystem::State().versionClass = c.versionClass;
        CMenuSystem::State().remoteDesktop = c.remote;
        EXPECT_EQ(c.wanted, CNewFrameCore::HotTrackingWanted() != FALSE) << c.versionClass << " " << c.remote;
    }
    CMenuSystem::State() = saved;
}

} // namespace
