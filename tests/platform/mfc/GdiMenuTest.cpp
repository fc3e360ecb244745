// GDI holders give up what they hand over and put back what they displace;
// owner-drawn menu items reach their menu object through the owner window's
// default handling.
#include "platform/mfc/AfxWin.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

TEST(Gdi, ARegionHandedToAWindowLeavesItsObject)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "Shaped", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(5, 0, 40, 30));
    ASSERT_TRUE(wnd.SetWindowRgn(region, FALSE));
    EXPECT_EQ(nullptr, region.m_hObject) << "the window owns it now";
    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(wnd.m_hWnd, shape));
    CRect box;
    shape.GetRgnBox(&box);
    EXPECT_EQ(5, box.left);
    EXPECT_EQ(40, box.right);
    EXPECT_EQ(30, box.bottom);
}

TEST(Gdi, SelectionEndsWithItsScope)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    HGDIOBJ original = ::GetCurrentObject(dc, OBJ_BRUSH);
    CBrush brush(RGB(10, 20, 30));
    {
        CDCSelect select(dc, brush);
        EXPECT_EQ((HGDIOBJ)brush.m_hObject, ::GetCurrentObject(dc, OBJ_BRUSH));
    }
    EXPECT_EQ(original, ::GetCurrentObject(dc, OBJ_BRUSH));
    EXPECT_TRUE(brush.DeleteObject()) << "no longer selected, so it can go";
}

namespace {

std::vector<std::string> g_menuCalls;

class COwnerDrawnMenu : public CMenu
{
public:
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        g_menuCalls.push_back("DrawItem " + std::to_string(dis->itemID));
    }
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override
    {
        g_menuCalls.push_back("MeasureItem " + std::to_string(mis->itemID));
        mis->itemWidth = 80;
        mis->itemHeight = 20;
    }
};

class CMenuOwner : public CWnd
{
protected:
    void OnTimer(UINT_PTR id)
    {
        KillTimer(id);
        ::EndMenu();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuOwner, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

} // namespace

TEST(Menu, OwnerDrawnItemsReachTheirMenuObject)
{
    CMenuOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, "Owner", WS_POPUP | WS_VISIBLE, CRect(100, 100, 300, 300), NULL, 0));
    COwnerDrawnMenu popup, sub;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_OWNERDRAW, 2001, NULL);
    popup.AppendMenu(MF_OWNERDRAW, 1001, NULL);
    popup.AppendMenu(MF_OWNERDRAW | MF_POPUP, (UINT_PTR)sub.m_hMenu, NULL);
    EXPECT_EQ(&popup, CMenu::FromHandle(popup.m_hMenu));
    EXPECT_EQ(&sub, popup.GetSubMenu(1));

    g_menuCalls.clear();
    owner.SetForegroundWindow();
    owner.SetTimer(1, 300);
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 120, 120, &owner);
    EXPECT_NE(g_menuCalls.end(), std::find(g_menuCalls.begin(), g_menuCalls.end(), "MeasureItem 1001"));
    EXPECT_NE(g_menuCalls.end(), std::find(g_menuCalls.begin(), g_menuCalls.end(), "DrawItem 1001"));
    EXPECT_EQ(nullptr, (void*)CMenu::GetTrackingMenu(owner.m_hWnd)) << "only while it is open";

    // A submenu's items are found in the menu that holds them.
    g_menuCalls.clear();
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemID = 2001;
    ::SetMenu(owner.m_hWnd, NULL);
    CMenu bar;
    bar.CreateMenu();
    bar.AppendMenu(MF_POPUP, (UINT_PTR)popup.Detach(), "Popup");
    CWnd framed;
    ASSERT_TRUE(framed.CreateEx(0, NULL, "Framed", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 200), NULL, 0));
    framed.SetMenu(&bar);
    bar.Detach(); // the window destroys its menu
    framed.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&measure);
    EXPECT_EQ(std::vector<std::string>{"MeasureItem 2001"}, g_menuCalls);
    EXPECT_EQ(80u, measure.itemWidth);
}

TEST(FileDialog, FilterAndNameParts)
{
    CFileDialog dialog(FALSE, "tvb", "C:\\Channels\\TVChl.list.tvb", OFN_OVERWRITEPROMPT,
                       "Channel lists (*.tvb)|*.tvb|All files|*.*||");
    EXPECT_STREQ("C:\\Channels\\TVChl.list.tvb", dialog.GetPathName());
    EXPECT_STREQ("TVChl.list.tvb", dialog.GetFileName());
    EXPECT_STREQ("tvb", dialog.GetFileExt());
    EXPECT_STREQ("TVChl.list", dialog.GetFileTitle());
}

namespace {

// Cancels the file dialog of this thread once it is up.
void CALLBACK CancelFileDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = ::GetActiveWindow();
    char name[16] = {0};
    ::GetClassNameA(dialog, name, sizeof(name));
    if (lstrcmpA(name, "#32770") == 0) {
        ::KillTimer(NULL, id);
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

} // namespace

TEST(FileDialog, CancelGivesIdCancel)
{
    CFileDialog dialog(TRUE, NULL, NULL, OFN_FILEMUSTEXIST, "All files|*.*||");
    UINT_PTR timer = ::SetTimer(NULL, 0, 100, &CancelFileDialog);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    ::KillTimer(NULL, timer);
}
