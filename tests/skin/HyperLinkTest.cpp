// The link: what it shows, how it opens its address (only the shell's open
// verb, through the system-services seam), what it tells on failure, and
// how it looks as the mouse passes over it.
#include "platform/system/SystemServices.h"
#include "skin/HyperLink.h"
#include "skin/WzdToolTipCtrl.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FakeShell : public ISystemServices
{
public:
    BOOL ExitSystem(UINT) override { return FALSE; }
    BOOL SetPowerState(BOOL, BOOL) override { return FALSE; }
    BOOL GetScreenSaverActive(BOOL*) override { return FALSE; }
    BOOL SetScreenSaverActive(BOOL) override { return FALSE; }
    BOOL GetPowerOffTimeout(int*) override { return FALSE; }
    BOOL SetPowerOffTimeout(int, BOOL) override { return FALSE; }
    HINSTANCE Execute(HWND, const char* verb, const char* file, const char* parameters, const char*, int show) override
    {
        opened.push_back(std::string(verb) + "|" + file + "|" + (parameters ? parameters : "(none)") + "|" +
                         std::to_string(show));
        return (HINSTANCE)(INT_PTR)result;
    }
    BOOL RunAndWait(const char*, const char*, int, DWORD, DWORD*) override { return FALSE; }
    BOOL StartProcess(const char*, BOOL) override
    {
        ++processes;
        return FALSE;
    }

    std::vector<std::string> opened;
    int result = 42;
    int processes = 0;
};

struct LinkHost
{
    explicit LinkHost(LPCSTR text, DWORD style = SS_LEFT)
    {
        EXPECT_TRUE(host.CreateHost(300, 120));
        HWND stat = host.AddControl("STATIC", style, 10, 10, 200, 30, 500);
        ::SetWindowTextA(stat, text);
        ::SendMessageA(stat, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    }
    CHyperLink& Attach(LPCSTR url = NULL)
    {
        if (url)
            link.SetURL(url);
        EXPECT_TRUE(link.SubclassDlgItem(500, &host));
        return link;
    }
    void Click()
    {
        ::SendMessageA(link.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageA(link.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    CString Text()
    {
        CString text;
        link.GetWindowText(text);
        return text;
    }
    bool Underlined()
    {
        LOGFONTA font = {};
        ::GetObjectA(link.GetFont(), sizeof font, &font);
        return font.lfUnderline != 0;
    }
    // Whether any pixel of the link shows `colour`.
    bool Shows(COLORREF colour)
    {
        link.RedrawWindow();
        PumpFor(50);
        CRect client;
        link.GetClientRect(&client);
        for (int y = 0; y < client.Height(); ++y)
            for (int x = 0; x < client.Width(); ++x)
                if (ClientPixel(link.m_hWnd, x, y) == colour)
                    return true;
        return false;
    }

    CHostWnd host;
    CHyperLink link; // declared after the host: it goes first
};

} // namespace

TEST(HyperLink, TextAndAddressStandInForEachOther)
{
    FakeShell shell;
    ScopedReplacement<ISystemServices> services(SystemServicesSeam(), &shell);
    {
        LinkHost page("");
        page.Attach("http://example.test/");
        EXPECT_EQ("http://example.test/", std::string(page.Text()));
    }
    {
        LinkHost page("http://text.test/");
        page.Attach();
        EXPECT_EQ("http://text.test/", std::string(page.link.GetURL()));
        page.Click();
        ASSERT_EQ(1u, shell.opened.size());
        // The shell's open verb on the address alone: no command line of ours.
        EXPECT_EQ("open|http://text.test/|(none)|" + std::to_string(SW_SHOW), shell.opened[0]);
        EXPECT_TRUE(page.link.GetVisited());
        EXPECT_EQ(0, shell.processes);
    }
}

TEST(HyperLink, FailureToOpenIsToldAndNothingElseIsTried)
{
    FakeShell shell;
    ScopedReplacement<ISystemServices> services(SystemServicesSeam(), &shell);
    MessageBoxCapture boxes;
    LinkHost page("link");
    page.Attach("mailto:nobody@example.test");
    struct { int code; const char* text; } cases[] = {
        {2, "Unable to open hyperlink:\n\nThe specified file was not found."},
        {31, "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename extension."},
        {17, "Unable to open hyperlink:\n\nUnknown Error (17) occurred."},
    };
    for (const auto& c : cases) {
        shell.result = c.code;
        page.Click();
        ASSERT_FALSE(boxes.Boxes().empty());
        EXPECT_EQ(c.text, boxes.Boxes().back().text);
        EXPECT_TRUE(boxes.Boxes().back().type & MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(3u, shell.opened.size());
    EXPECT_EQ(0, shell.processes);
    EXPECT_FALSE(page.link.GetVisited());
}

TEST(HyperLink, UnderlinesWhileTheMouseIsOverIt)
{
    struct { int mode; bool before, over, after; } cases[] = {
        {CHyperLink::ulHover, false, true, false},
        {CHyperLink::ulAlways, true, true, true},
        {CHyperLink::ulNone, false, false, false},
    };
    for (const auto& c : cases) {
        LinkHost page("hover");
        page.link.SetUnderline(c.mode);
        page.Attach("http://example.test/");
        EXPECT_EQ(c.before, page.Underlined()) << c.mode;
        ::SetCursorPos(112, 112);
        ::SendMessageA(page.link.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(page.link.IsOverLink());
        EXPECT_EQ(c.over, page.Underlined()) << c.mode;
        // The hover timer finds the cursor gone.
        ::SetCursorPos(900, 900);
        ::SendMessageA(page.link.m_hWnd, WM_TIMER, CHyperLink::kHoverTimer, 0);
        EXPECT_FALSE(page.link.IsOverLink());
        EXPECT_EQ(c.after, page.Underlined()) << c.mode;
    }
}

TEST(HyperLink, ColoursCursorAndSize)
{
    LinkHost page("A link of some length", SS_RIGHT);
    CRect before;
    ::GetWindowRect(::GetDlgItem(page.host.m_hWnd, 500), &before);
    page.link.SetColours(RGB(0, 0, 238), RGB(85, 26, 139), 0xFFFFFFFF);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), page.link.GetHoverColour());
    page.link.SetColours(RGB(0, 0, 238), RGB(85, 26, 139), RGB(255, 0, 0));
    page.Attach("http://example.test/");

    // Fitted to its text, the right edge kept (right-aligned).
    CRect after;
    page.link.GetWindowRect(&after);
    EXPECT_EQ(before.right, after.right);
    EXPECT_LT(after.Width(), before.Width());
    EXPECT_GT(after.Width(), 40);

    EXPECT_EQ(::LoadCursor(NULL, IDC_HAND), page.link.GetLinkCursor());
    EXPECT_TRUE(page.Shows(RGB(0, 0, 238)));
    page.link.SetVisited(TRUE);
    EXPECT_TRUE(page.Shows(RGB(85, 26, 139)));
    EXPECT_FALSE(page.Shows(RGB(0, 0, 238)));
    SaveWindowShot(page.host.m_hWnd, "hyperlink");
}

TEST(WzdToolTipCtrl, TipsForControlsAndRectangles)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost(200, 100));
    HWND button = host.AddControl("BUTTON", BS_PUSHBUTTON, 10, 10, 60, 20, 600);
    CWzdToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host));
    EXPECT_TRUE(tip.AddTool(600, "Play"));
    EXPECT_FALSE(tip.AddTool(601, "no such control"));
    CRect area(100, 10, 150, 40);
    EXPECT_TRUE(tip.AddRectTool(7, &area, "Area"));
    EXPECT_EQ(2, tip.GetToolCount());

    char text[80] = {0};
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = host.m_hWnd;
    info.uId = (UINT_PTR)button;
    info.lpszText = text;
    ASSERT_TRUE(tip.SendMessage(TTM_GETTOOLINFOA, 0, (LPARAM)&info));
    EXPECT_EQ((UINT)(TTF_IDISHWND | TTF_SUBCLASS), info.uFlags & (TTF_IDISHWND | TTF_SUBCLASS));
    EXPECT_STREQ("Play", text);

    info.uId = 7;
    ASSERT_TRUE(tip.SendMessage(TTM_GETTOOLINFOA, 0, (LPARAM)&info));
    EXPECT_EQ(area, CRect(info.rect));
    EXPECT_STREQ("Area", text);
    tip.DestroyWindow();
}
