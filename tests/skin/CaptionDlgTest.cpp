// The caption-and-border dialog on the video window's template with the
// video window's bitmaps: where the system's hit tests land, how sizing keeps
// the ratio and the least size, maximising frameless over the screen, the
// caption buttons, moving by the inner area, and what the frame shows.
#include "resources/Resource.h"
#include "skin/CaptionDlg.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

namespace {

class CTestCaptionDlg : public CCaptionDlg
{
public:
    CTestCaptionDlg() : CCaptionDlg(IDD_VIDEOWND) {}
    int closes = 0;

    BOOL OnInitDialog() override
    {
        SetBorderBitmaps(IDB_BORDER_LEFT, IDB_BORDER_RIGHT, IDB_BORDER_BOTTOM);
        SetCaptionBitmaps(IDB_CAPTION_LEFT, IDB_CAPTION_RIGHT, IDB_CAPTION_MIDDLE);
        SetMinButtonBitmaps(IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_HOVER, IDB_MINIMIZE_PRESSED);
        SetMaxButtonBitmaps(IDB_MAXIMIZE_NORMAL, IDB_MAXIMIZE_HOVER, IDB_MAXIMIZE_PRESSED);
        SetCloseButtonBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED);
        return CCaptionDlg::OnInitDialog();
    }

protected:
    void OnClose() { ++closes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestCaptionDlg, CCaptionDlg)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CSize BitmapSize(UINT id)
{
    CBitmap bitmap;
    bitmap.LoadBitmap(id);
    return bitmap.GetSize();
}

COLORREF BitmapPixel(UINT id, int x, int y)
{
    CBitmap bitmap;
    bitmap.LoadBitmap(id);
    CDC memory;
    memory.CreateCompatibleDC(NULL);
    CDCSelect select(memory, bitmap);
    return memory.GetPixel(x, y);
}

class CaptionDlgTest : public ::testing::Test
{
protected:
    // The window's frame around an inner area of 400 x 300.
    static const int kInnerWidth = 400, kInnerHeight = 300;

    void SetUp() override
    {
        ASSERT_NE(nullptr, m_resources.Module());
        ASSERT_TRUE(dialog.Create(IDD_VIDEOWND));
        S = dialog.GetBorderWidth();
        H = dialog.GetCaptionHeight();
        B = dialog.GetBottomHeight();
        dialog.SetWindowPos(NULL, 100, 100, kInnerWidth + 2 * S, kInnerHeight + H + B,
                            SWP_NOZORDER | SWP_SHOWWINDOW);
        PumpFor(30);
    }
    void TearDown() override { dialog.DestroyWindow(); }
    CRect Window()
    {
        CRect r;
        dialog.GetWindowRect(&r);
        return r;
    }
    LRESULT HitAt(int dx, int dy)
    {
        CRect w = Window();
        return dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.left + dx, w.top + dy));
    }
    void NcMessage(UINT message, UINT hit) { dialog.SendMessage(message, hit, 0); }

    CResourceModuleInUse m_resources;
    CTestCaptionDlg dialog;
    int S = 0, H = 0, B = 0;
};

} // namespace

TEST_F(CaptionDlgTest, TheFrameTakesItsSizesFromTheBitmaps)
{
    EXPECT_EQ(BitmapSize(IDB_CAPTION_LEFT).cy, H);
    EXPECT_EQ(BitmapSize(IDB_BORDER_LEFT).cx, S);
    EXPECT_EQ(BitmapSize(IDB_BORDER_BOTTOM).cy, B);
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(CSize(kInnerWidth, kInnerHeight), client.Size());
    CPoint origin(0, 0);
    dialog.ClientToScreen(&origin);
    EXPECT_EQ(CPoint(Window().left + S, Window().top + H), origin);

    // A set that does not load whole changes nothing; one that does sets the sizes.
    EXPECT_FALSE(dialog.SetBorderBitmaps(IDB_CAPTION_LEFT, 9999, IDB_BORDER_BOTTOM));
    EXPECT_EQ(BitmapSize(IDB_BORDER_LEFT).cx, dialog.GetBorderWidth());
    EXPECT_TRUE(dialog.SetBorderBitmaps(IDB_CAPTION_LEFT, IDB_BORDER_RIGHT, IDB_CAPTION_MIDDLE));
    EXPECT_EQ(BitmapSize(IDB_CAPTION_LEFT).cx, dialog.GetBorderWidth());
    EXPECT_EQ(BitmapSize(IDB_CAPTION_MIDDLE).cy, dialog.GetBottomHeight());
    EXPECT_FALSE(dialog.SetCaptionBitmaps(IDB_CAPTION_LEFT, IDB_CAPTION_RIGHT, 0));
    EXPECT_EQ(H, dialog.GetCaptionHeight());
}

TEST_F(CaptionDlgTest, HitTestsFindCornersEdgesButtonsAndCaption)
{
    const CRect w = Window();
    const int width = w.Width(), height = w.Height();
    const int origin = width - BitmapSize(IDB_CAPTION_RIGHT).cx; // the caption's right end
    const int icon = ::GetSystemMetrics(SM_CXICON);
    struct
    {
        const char* where;
        int x, y;
        LRESULT hit;
    } cases[] = {
        {"top-left corner square, low in it", 5, H - 6, HTTOPLEFT},
        {"top-left corner", 0, 0, HTTOPLEFT},
        {"top-right corner", width - 1, 0, HTTOPRIGHT},
        {"bottom-left corner", 2, height - 2, HTBOTTOMLEFT},
        {"bottom-right corner", width - 1, height - 1, HTBOTTOMRIGHT},
        {"left border", 3, 150, HTLEFT},
        {"right border", width - 4, 150, HTRIGHT},
        {"bottom border", 150, height - 3, HTBOTTOM},
        {"minimise button", origin + 25 + 5, 2 + 5, HTMINBUTTON},
        {"maximise button", origin + 49 + 20, 2 + 20, HTMAXBUTTON},
        {"close button", origin + 72 + 1, 2, HTCLOSE},
        {"between the buttons", origin + 48, 10, HTCAPTION},
        {"below the buttons", origin + 80, 30, HTCAPTION},
        {"the system menu's square", S + 2, 12, HTSYSMENU},
        {"the caption", icon + 40, 20, HTCAPTION},
        {"the inner area", 150, 150, HTCLIENT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hit, HitAt(c.x, c.y)) << c.where;
    const int frame = ::GetSystemMetrics(SM_CYSIZEFRAME);
    if (frame > 0) {
        EXPECT_EQ(HTTOP, HitAt(icon + 40, frame - 1)) << "the caption's top edge";
    }
}

TEST_F(CaptionDlgTest, SizingKeepsTheRatioOfTheInnerAreaAndTheLeastSize)
{
    struct
    {
        const char* name;
        int x, y; // the ratio
        UINT edge;
        int innerWidth, innerHeight; // proposed
        int wantWidth, wantHeight;   // inner area after
    } cases[] = {
        {"16:9, right edge", 16, 9, WMSZ_RIGHT, 640, 100, 640, 360},
        {"16:9, bottom edge", 16, 9, WMSZ_BOTTOM, 100, 360, 640, 360},
        {"16:9, top edge", 16, 9, WMSZ_TOP, 100, 360, 640, 360},
        {"4:3, bottom-left corner", 4, 3, WMSZ_BOTTOMLEFT, 400, 10, 400, 300},
        {"free ratio", 1, 1, WMSZ_RIGHT, 500, 230, 500, 230},
    };
    for (const auto& c : cases) {
        dialog.SetAspectRatio(c.x, c.y);
        RECT r = {50, 60, 50 + c.innerWidth + 2 * S, 60 + c.innerHeight + H + B};
        dialog.SendMessage(WM_SIZING, c.edge, (LPARAM)&r);
        EXPECT_EQ(50, r.left) << c.name;
        EXPECT_EQ(60, r.top) << c.name;
        EXPECT_EQ(c.wantWidth, r.right - r.left - 2 * S) << c.name;
        EXPECT_EQ(c.wantHeight, r.bottom - r.top - H - B) << c.name;
    }
    for (int ratio : {1, 16}) {
        dialog.SetAspectRatio(ratio, ratio == 16 ? 9 : 1);
        RECT r = {0, 0, 200, 150};
        dialog.SendMessage(WM_SIZING, WMSZ_BOTTOMRIGHT, (LPARAM)&r);
        EXPECT_EQ(256, r.right) << ratio;
        EXPECT_EQ(192, r.bottom) << ratio;
    }
}

TEST_F(CaptionDlgTest, ARatioResizesTheWindowAtOnceOrWhenItIsRestored)
{
    dialog.SetAspectRatio(0, 9);
    dialog.SetAspectRatio(16, -1);
    EXPECT_EQ(CSize(1, 1), dialog.GetAspectRatio());
    EXPECT_EQ(kInnerHeight + H + B, Window().Height());

    dialog.SetAspectRatio(16, 9);
    EXPECT_EQ(CSize(16, 9), dialog.GetAspectRatio());
    EXPECT_EQ(kInnerWidth + 2 * S, Window().Width());
    EXPECT_EQ(kInnerWidth * 9 / 16 + H + B, Window().Height());

    dialog.ShowWindow(SW_MAXIMIZE);
    PumpFor(30);
    ASSERT_TRUE(dialog.IsMaximized());
    const CRect full = Window();
    dialog.SetAspectRatio(4, 3);
    EXPECT_EQ(full, Window()) << "a maximised window keeps its size";
    dialog.ShowWindow(SW_RESTORE);
    PumpFor(30);
    EXPECT_FALSE(dialog.IsMaximized());
    EXPECT_EQ(kInnerWidth + 2 * S, Window().Width());
    EXPECT_EQ(kInnerWidth * 3 / 4 + H + B, Window().Height()) << "the ratio set while maximised";
}

TEST_F(CaptionDlgTest, MaximisedTheInnerAreaCoversTheScreen)
{
    NcMessage(WM_NCLBUTTONDBLCLK, HTCAPTION);
    PumpFor(30);
    ASSERT_TRUE(dialog.IsMaximized());
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoA(::MonitorFromWindow(dialog.m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const CRect screen = monitor.rcMonitor;
    // No frame: the window is the screen, all of it inner area, inside the
    // screen where a window manager keeps it.
    EXPECT_EQ(screen, Window());
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(screen.Size(), client.Size());
    for (const CPoint at : {CPoint(5, 5), CPoint(screen.Width() - 30, 10), CPoint(2, screen.Height() / 2)})
        EXPECT_EQ(HTCLIENT, HitAt(at.x, at.y)) << at.x << "," << at.y;
    MINMAXINFO info = {};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
    EXPECT_EQ(screen.Size(), CSize(info.ptMaxSize.x, info.ptMaxSize.y));
    EXPECT_GE(info.ptMaxTrackSize.x, screen.Width());
    // Moving by the inner area does nothing while maximised.
    dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    dialog.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 40));
    dialog.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
    EXPECT_EQ(screen.left, Window().left);
    // Restored, the frame is back around the same inner area as before.
    dialog.ShowWindow(SW_RESTORE);
    PumpFor(30);
    EXPECT_EQ(CRect(100, 100, 100 + kInnerWidth + 2 * S, 100 + kInnerHeight + H + B), Window());
    dialog.GetClientRect(&client);
    EXPECT_EQ(CSize(kInnerWidth, kInnerHeight), client.Size());
    EXPECT_EQ(HTCAPTION, HitAt(S + 60, H / 2));
}

TEST_F(CaptionDlgTest, ACaptionButtonActsOnlyOnTheReleaseOfItsOwnPress)
{
    struct
    {
        const char* name;
        UINT pressed; // 0: no press
        UINT released;
        int closes;
    } cases[] = {
        {"pressed and released on close", HTCLOSE, HTCLOSE, 1},
        {"released on close after a press on minimise", HTMINBUTTON, HTCLOSE, 0},
        {"released on close after a press outside the buttons", HTNOWHERE, HTCLOSE, 0},
        {"released on close without a press", 0, HTCLOSE, 0},
        {"pressed on close, released elsewhere", HTCLOSE, HTCAPTION, 0},
    };
    for (const auto& c : cases) {
        dialog.closes = 0;
        if (c.pressed != 0)
            NcMessage(WM_NCLBUTTONDOWN, c.pressed);
        if (c.pressed == HTCLOSE) {
            EXPECT_EQ(CCaptionDlg::kPressed, dialog.GetButtonState(CCaptionDlg::kClose)) << c.name;
        }
        NcMessage(WM_NCLBUTTONUP, c.released);
        EXPECT_EQ(c.closes, dialog.closes) << c.name;
        EXPECT_EQ(CCaptionDlg::kNormal, dialog.GetButtonState(CCaptionDlg::kClose)) << c.name;
    }

    NcMessage(WM_NCLBUTTONDOWN, HTMAXBUTTON);
    NcMessage(WM_NCLBUTTONUP, HTMAXBUTTON);
    EXPECT_TRUE(dialog.IsMaximized());
    NcMessage(WM_NCLBUTTONDOWN, HTMAXBUTTON);
    NcMessage(WM_NCLBUTTONUP, HTMAXBUTTON);
    EXPECT_FALSE(dialog.IsMaximized());
    // Full screen and back (a double click each way) under a pointer that
    // was over a button: no button shows it over it afterwards.
    NcMessage(WM_NCMOUSEMOVE, HTMAXBUTTON);
    EXPECT_EQ(CCaptionDlg::kHover, dialog.GetButtonState(CCaptionDlg::kMaximize));
    dialog.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE);
    dialog.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(dialog.IsMaximized());
    for (int b = 0; b < CCaptionDlg::kButtonCount; ++b)
        EXPECT_EQ(CCaptionDlg::kNormal, dialog.GetButtonState((CCaptionDlg::CaptionButton)b)) << b;
    NcMessage(WM_NCLBUTTONDOWN, HTMINBUTTON);
    NcMessage(WM_NCLBUTTONUP, HTMINBUTTON);
    EXPECT_TRUE(dialog.IsIconic());
}

TEST_F(CaptionDlgTest, TheInnerAreaMovesTheWindow)
{
    const CRect before = Window();
    dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(dialog.m_hWnd, ::GetCapture());
    dialog.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 25));
    EXPECT_EQ(before.left + 20, Window().left);
    EXPECT_EQ(before.top + 15, Window().top);
    EXPECT_EQ(before.Size(), Window().Size());
    dialog.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(30, 25));
    EXPECT_EQ(nullptr, ::GetCapture());
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
    EXPECT_EQ(before.left + 20, Window().left) << "no move after the release";
}

TEST_F(CaptionDlgTest, TheFrameShowsBordersCaptionAndButtonStates)
{
    dialog.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    PumpFor(30);
    const CRect w = Window();
    const int origin = w.Width() - BitmapSize(IDB_CAPTION_RIGHT).cx;
    auto frame = [&](int x, int y) { return WindowPixel(dialog.m_hWnd, x, y); };
    EXPECT_EQ(BitmapPixel(IDB_BORDER_LEFT, 4, 5), frame(4, H + 100));
    EXPECT_EQ(BitmapPixel(IDB_BORDER_RIGHT, 4, 5), frame(w.Width() - S + 4, H + 100));
    EXPECT_EQ(BitmapPixel(IDB_BORDER_BOTTOM, 7, 5), frame(16 * 3 + 7, w.Height() - B + 5));
    EXPECT_EQ(BitmapPixel(IDB_CAPTION_LEFT, 60, 20), frame(60, 20));
    EXPECT_EQ(BitmapPixel(IDB_CAPTION_RIGHT, 10, 40), frame(origin + 10, 40));
    EXPECT_EQ(BitmapPixel(IDB_CAPTION_MIDDLE, 3, 30), frame(BitmapSize(IDB_CAPTION_LEFT).cx + 3, 30));
    EXPECT_EQ(BitmapPixel(IDB_CLOSE_NORMAL, 11, 10), frame(origin + 72 + 11, 2 + 10));
    EXPECT_EQ(RGB(0, 0, 0), ClientPixel(dialog.m_hWnd, 200, 150));
    SaveWindowShot(dialog.m_hWnd, "caption_dialog");

    // Hover and press show their bitmaps; moving elsewhere shows normal again.
    NcMessage(WM_NCMOUSEMOVE, HTCLOSE);
    EXPECT_EQ(BitmapPixel(IDB_CLOSE_HOVER, 11, 10), frame(origin + 72 + 11, 2 + 10));
    NcMessage(WM_NCLBUTTONDOWN, HTMAXBUTTON);
    EXPECT_EQ(BitmapPixel(IDB_MAXIMIZE_PRESSED, 11, 10), frame(origin + 49 + 11, 2 + 10));
    NcMessage(WM_NCMOUSEMOVE, HTCAPTION);
    EXPECT_EQ(BitmapPixel(IDB_MAXIMIZE_NORMAL, 11, 10), frame(origin + 49 + 11, 2 + 10));
    EXPECT_EQ(BitmapPixel(IDB_CLOSE_NORMAL, 11, 10), frame(origin + 72 + 11, 2 + 10));
}

TEST_F(CaptionDlgTest, ANarrowWindowStillShowsItsButtons)
{
    dialog.SetWindowPos(NULL, 0, 0, 256, 192, SWP_NOMOVE | SWP_NOZORDER);
    dialog.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    // No room for the caption's middle: the ends are left out, the buttons
    // stand at the right end's place (here where the left end stops).
    const int origin = BitmapSize(IDB_CAPTION_LEFT).cx;
    ASSERT_GT(origin + BitmapSize(IDB_CAPTION_RIGHT).cx, 256);
    EXPECT_EQ(BitmapPixel(IDB_MINIMIZE_NORMAL, 11, 10), WindowPixel(dialog.m_hWnd, origin + 25 + 11, 2 + 10));
    EXPECT_EQ(HTMINBUTTON, HitAt(origin + 25 + 11, 2 + 10));
}
