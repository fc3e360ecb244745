// Message tables: each entry kind unpacks its message into the handler's
// arguments, derived tables come before their base's, unlisted messages get
// the default handling, and a control answers the messages its parent gets
// about it before the parent does.
#include "platform/mfc/AfxWin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;

std::string Format(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    return text;
}

const UINT WM_TEST_KEY = WM_APP + 5;

class CBaseProbe : public CWnd
{
protected:
    void OnTimer(UINT_PTR id) { g_calls.push_back(Format("base OnTimer %u", (unsigned)id)); }
    void OnClose() { g_calls.push_back("base OnClose"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
    ON_WM_TIMER()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

class CProbe : public CBaseProbe
{
protected:
    void OnTimer(UINT_PTR id) { g_calls.push_back(Format("OnTimer %u", (unsigned)id)); }
    void OnSize(UINT type, int cx, int cy) { g_calls.push_back(Format("OnSize %u %d %d", type, cx, cy)); }
    void OnMouseMove(UINT flags, CPoint p) { g_calls.push_back(Format("OnMouseMove %u %ld %ld", flags, p.x, p.y)); }
    void OnLButtonUp(UINT flags, CPoint p) { g_calls.push_back(Format("OnLButtonUp %u %ld %ld", flags, p.x, p.y)); }
    void OnKeyDown(UINT key, UINT repeat, UINT flags)
    {
        g_calls.push_back(Format("OnKeyDown %u %u %u", key, repeat, flags));
    }
    LRESULT OnNcHitTest(CPoint p)
    {
        g_calls.push_back(Format("OnNcHitTest %ld %ld", p.x, p.y));
        return HTCAPTION;
    }
    void OnSetFocus(CWnd* old) { g_calls.push_back(Format("OnSetFocus %s", old ? "window" : "none")); }
    BOOL OnEraseBkgnd(CDC* dc)
    {
        g_calls.push_back(Format("OnEraseBkgnd %s", dc->m_hDC == (HDC)0x1234 ? "dc" : "other"));
        return TRUE;
    }
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar)
    {
        g_calls.push_back(Format("OnHScroll %u %u %s", code, pos, bar ? "bar" : "none"));
    }
    void OnNextChannel() { g_calls.push_back("OnNextChannel"); }
    void OnTuneChannel(UINT id) { g_calls.push_back(Format("OnTuneChannel %u", id)); }
    void OnChoiceChanged() { g_calls.push_back("OnChoiceChanged"); }
    void OnListDoubleClick(NMHDR* header, LRESULT* result)
    {
        g_calls.push_back(Format("OnListDoubleClick %u", (unsigned)header->idFrom));
        *result = 9;
    }
    LRESULT OnTestKey(WPARAM key, LPARAM extra)
    {
        g_calls.push_back(Format("OnTestKey %u %ld", (unsigned)key, (long)extra));
        return 77;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbe, CBaseProbe)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_NCHITTEST()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_COMMAND(1000, OnNextChannel)
    ON_COMMAND_RANGE(32816, 33316, OnTuneChannel)
    ON_CBN_SELCHANGE(1007, OnChoiceChanged)
    ON_NOTIFY(NM_DBLCLK, 1050, OnListDoubleClick)
    ON_MESSAGE(WM_TEST_KEY, OnTestKey)
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override { g_calls.clear(); }

    // A top-level window with the probe's table and a plain child without an object.
    void CreateProbe(CWnd& wnd)
    {
        ASSERT_TRUE(wnd.CreateEx(0, NULL, "Probe", WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200), NULL, 0));
        m_plainChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd,
                                         (HMENU)1007, NULL, NULL);
        g_calls.clear();
    }

    HWND m_plainChild = NULL;
};

} // namespace

TEST_F(WindowTest, EachEntryKindCallsItsHandlerWithTheMessageUnpacked)
{
    CProbe probe;
    CreateProbe(probe);
    NMHDR listClick = {m_plainChild, 1050, (UINT)NM_DBLCLK};
    NMHDR otherList = {m_plainChild, 1051, (UINT)NM_DBLCLK};
    struct
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string call; // empty: no handler runs
        LRESULT result;
    } cases[] = {
        {WM_TIMER, 7, 0, "OnTimer 7", 0},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), "OnSize 2 640 480", 0},
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 9), "OnMouseMove 1 -5 9", 0},
        {WM_LBUTTONUP, 0, MAKELPARAM(3, -2), "OnLButtonUp 0 3 -2", 0},
        {WM_KEYDOWN, VK_F8, MAKELPARAM(1, 0x42), "OnKeyDown 119 1 66", 0},
        {WM_NCHITTEST, 0, MAKELPARAM(100, 120), "OnNcHitTest 100 120", HTCAPTION},
        {WM_SETFOCUS, 0, 0, "OnSetFocus none", 0},
        {WM_ERASEBKGND, 0x1234, 0, "OnEraseBkgnd dc", TRUE},
        {WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 40), 0, "OnHScroll 5 40 none", 0},
        {WM_COMMAND, MAKEWPARAM(1000, 0), 0, "OnNextChannel", 0},
        {WM_COMMAND, MAKEWPARAM(1000, 1), 0, "OnNextChannel", 0}, // accelerator
        {WM_COMMAND, MAKEWPARAM(32816, 0), 0, "OnTuneChannel 32816", 0},
        {WM_COMMAND, MAKEWPARAM(33316, 0), 0, "OnTuneChannel 33316", 0},
        {WM_COMMAND, MAKEWPARAM(33317, 0), 0, "", 0},
        {WM_COMMAND, MAKEWPARAM(1007, CBN_SELCHANGE), (LPARAM)m_plainChild, "OnChoiceChanged", 0},
        {WM_COMMAND, MAKEWPARAM(1007, CBN_DROPDOWN), (LPARAM)m_plainChild, "", 0},
        {WM_NOTIFY, 1050, (LPARAM)&listClick, "OnListDoubleClick 1050", 9},
        {WM_NOTIFY, 1051, (LPARAM)&otherList, "", 0},
        {WM_TEST_KEY, 5, -6, "OnTestKey 5 -6", 77},
        {WM_CLOSE, 0, 0, "base OnClose", 0},
    };
    for (const auto& c : cases) {
        g_calls.clear();
        LRESULT result = probe.SendMessage(c.message, c.wParam, c.lParam);
        std::vector<std::string> expected;
        if (!c.call.empty())
            expected.push_back(c.call);
        EXPECT_EQ(expected, g_calls) << "message 0x" << std::hex << c.message;
        EXPECT_EQ(c.result, result) << "message 0x" << std::hex << c.message;
    }
    EXPECT_TRUE(::IsWindow(probe.m_hWnd)) << "the base's OnClose kept the window";
}

TEST_F(WindowTest, UnlistedMessagesGetTheDefaultHandling)
{
    CProbe probe;
    CreateProbe(probe);
    probe.SetWindowText("twelve chars");
    EXPECT_EQ(12, probe.SendMessage(WM_GETTEXTLENGTH));
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(WindowTest, CreationHookAttachesBeforeTheFirstMessage)
{
    class CCreateProbe : public CWnd
    {
    public:
        std::vector<UINT> seen;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            seen.push_back(message);
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "Create", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
    ASSERT_FALSE(wnd.seen.empty());
    EXPECT_EQ((UINT)WM_NCCREATE, wnd.seen.front());
    EXPECT_NE(wnd.seen.end(), std::find(wnd.seen.begin(), wnd.seen.end(), (UINT)WM_CREATE));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
}

// A control that answers some of its parent's messages itself.
class CReflectingButton : public CButton
{
public:
    BOOL giveBrush = TRUE;
    CBrush brush{RGB(1, 2, 3)};

    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        g_calls.push_back(Format("child DrawItem %u", dis->CtlID));
    }

protected:
    void OnDoubleClicked() { g_calls.push_back("child OnDoubleClicked"); }
    HBRUSH CtlColor(CDC*, UINT kind)
    {
        g_calls.push_back(Format("child CtlColor %u", kind));
        return giveBrush ? (HBRUSH)brush : NULL;
    }
    void OnCustomDraw(NMHDR*, LRESULT* result)
    {
        g_calls.push_back("child OnCustomDraw");
        *result = CDRF_SKIPDEFAULT;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
    ON_CONTROL_REFLECT(BN_DOUBLECLICKED, OnDoubleClicked)
    ON_WM_CTLCOLOR_REFLECT()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

class CReflectParent : public CWnd
{
public:
    CBrush brush{RGB(4, 5, 6)};

protected:
    void OnDrawItem(int id, LPDRAWITEMSTRUCT) { g_calls.push_back(Format("parent OnDrawItem %d", id)); }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT kind)
    {
        g_calls.push_back(Format("parent OnCtlColor %u", kind));
        return brush;
    }
    void OnClicked() { g_calls.push_back("parent OnClicked"); }
    void OnDoubleClicked() { g_calls.push_back("parent OnDoubleClicked"); }
    void OnClick(NMHDR*, LRESULT*) { g_calls.push_back("parent OnClick"); }
    void OnCustomDraw(NMHDR*, LRESULT*) { g_calls.push_back("parent OnCustomDraw"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectParent, CWnd)
    ON_WM_DRAWITEM()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(21, OnClicked)
    ON_BN_DOUBLECLICKED(21, OnDoubleClicked)
    ON_NOTIFY(NM_CLICK, 21, OnClick)
    ON_NOTIFY(NM_CUSTOMDRAW, 21, OnCustomDraw)
END_MESSAGE_MAP()

TEST_F(WindowTest, ControlsAnswerTheirParentsMessagesAboutThemFirst)
{
    CReflectParent parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "Parent", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), NULL, 0));
    CReflectingButton button;
    ASSERT_TRUE(button.Create("b", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 21));
    HWND plain = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 5, 5, parent.m_hWnd, (HMENU)22, NULL, NULL);

    DRAWITEMSTRUCT drawButton = {};
    drawButton.CtlType = ODT_BUTTON;
    drawButton.CtlID = 21;
    drawButton.hwndItem = button.m_hWnd;
    DRAWITEMSTRUCT drawPlain = drawButton;
    drawPlain.CtlID = 22;
    drawPlain.hwndItem = plain;
    NMHDR click = {button.m_hWnd, 21, (UINT)NM_CLICK};
    NMHDR customDraw = {button.m_hWnd, 21, (UINT)NM_CUSTOMDRAW};
    HDC dc = ::GetDC(parent.m_hWnd);
    struct
    {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        BOOL giveBrush;
        std::vector<std::string> calls;
        LRESULT result;
    } cases[] = {
        {"owner draw of the control", WM_DRAWITEM, 21, (LPARAM)&drawButton, TRUE, {"child DrawItem 21"}, TRUE},
        {"owner draw of a window without object", WM_DRAWITEM, 22, (LPARAM)&drawPlain, TRUE, {"parent OnDrawItem 22"}, TRUE},
        {"reflected notification code", WM_COMMAND, MAKEWPARAM(21, BN_DOUBLECLICKED), (LPARAM)button.m_hWnd,
         TRUE, {"child OnDoubleClicked"}, 0},
        {"notification code the control leaves", WM_COMMAND, MAKEWPARAM(21, BN_CLICKED), (LPARAM)button.m_hWnd,
         TRUE, {"parent OnClicked"}, 0},
        {"colours the control gives", WM_CTLCOLORBTN, (WPARAM)dc, (LPARAM)button.m_hWnd, TRUE,
         {"child CtlColor 3"}, (LRESULT)(HBRUSH)button.brush},
        {"colours the control leaves", WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)button.m_hWnd, FALSE,
         {"child CtlColor 6", "parent OnCtlColor 6"}, (LRESULT)(HBRUSH)parent.brush},
        {"reflected notify", WM_NOTIFY, 21, (LPARAM)&customDraw, TRUE, {"child OnCustomDraw"}, CDRF_SKIPDEFAULT},
        {"notify the control leaves", WM_NOTIFY, 21, (LPARAM)&click, TRUE, {"parent OnClick"}, 0},
    };
    for (const auto& c : cases) {
        g_calls.clear();
        button.giveBrush = c.giveBrush;
        LRESULT result = parent.SendMessage(c.message, c.wParam, c.lParam);
        EXPECT_EQ(c.calls, g_calls) << c.name;
        EXPECT_EQ(c.result, result) << c.name;
    }
    ::ReleaseDC(parent.m_hWnd, dc);
}

TEST_F(WindowTest, OwnerDrawnButtonDrawsThroughItsObject)
{
    CReflectParent parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "Parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 100), NULL, 0));
    CReflectingButton button;
    ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 50, 20), &parent, 21));
    g_calls.clear();
    button.Invalidate();
    button.UpdateWindow();
    std::vector<std::string> drawn;
    for (const std::string& call : g_calls) {
        if (call.find("Draw") != std::string::npos)
            drawn.push_back(call);
    }
    EXPECT_EQ(std::vector<std::string>{"child DrawItem 21"}, drawn);
}

TEST(HandleMap, OwnersTemporariesAndTheEndOfAWindow)
{
    class CEnding : public CWnd
    {
    public:
        int* ended;

    protected:
        void PostNcDestroy() override { ++*ended; }
    };
    int ended = 0;
    CEnding wnd;
    wnd.ended = &ended;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "Owner", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
    HWND owned = wnd.m_hWnd;
    EXPECT_EQ(&wnd, CWnd::FromHandle(owned));

    HWND child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, owned, (HMENU)3, NULL, NULL);
    CWnd* temporary = wnd.GetDlgItem(3);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(child, temporary->m_hWnd);
    EXPECT_EQ(temporary, CWnd::FromHandle(child)) << "one wrapper per handle";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(child));
    EXPECT_EQ(&wnd, temporary->GetParent());
    EXPECT_EQ(nullptr, CWnd::FromHandle(NULL));
    EXPECT_EQ(nullptr, CWnd::FromHandle((HWND)(INT_PTR)0x7FFF0)) << "not a window";

    ::DestroyWindow(owned);
    EXPECT_EQ(1, ended);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(owned));
}

TEST(HandleMap, SubclassingTakesOverAndGivesBack)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "Parent", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 40, 20, parent.m_hWnd, (HMENU)5, NULL, NULL);
    LONG_PTR original = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);

    CEdit second;
    CWnd first;
    ASSERT_TRUE(first.SubclassDlgItem(5, &parent));
    EXPECT_FALSE(second.SubclassWindow(edit)) << "one object per window";
    EXPECT_EQ(&first, CWnd::FromHandle(edit));
    ::SendMessageA(edit, WM_CHAR, 'x', 0);
    CString text;
    first.GetWindowText(text);
    EXPECT_STREQ("x", text);
    EXPECT_EQ(edit, first.UnsubclassWindow());
    EXPECT_EQ(original, ::GetWindowLongPtrA(edit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
    EXPECT_TRUE(::IsWindow(edit)) << "unsubclassing keeps the window";
}

TEST(HandleMap, AnObjectGoingAwayTakesItsWindowWithIt)
{
    HWND hWnd;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, NULL, "Short", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(PreTranslate, WalksFromTheTargetUpToTheMainWindow)
{
    class CKeyEater : public CWnd
    {
    public:
        const char* name;
        BOOL eat = FALSE;

        BOOL PreTranslateMessage(MSG*) override
        {
            g_calls.push_back(name);
            return eat;
        }
    };
    CWinApp app;
    CKeyEater top, main, control, other;
    top.name = "top";
    main.name = "main";
    control.name = "control";
    other.name = "other";
    ASSERT_TRUE(top.CreateEx(0, NULL, "Top", WS_POPUP, CRect(0, 0, 100, 100), NULL, 0));
    ASSERT_TRUE(main.Create(NULL, "Main", WS_CHILD, CRect(0, 0, 80, 80), &top, 1));
    ASSERT_TRUE(control.Create(NULL, "Control", WS_CHILD, CRect(0, 0, 20, 20), &main, 2));
    ASSERT_TRUE(other.CreateEx(0, NULL, "Other", WS_POPUP, CRect(0, 0, 100, 100), NULL, 0));
    HWND plain = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, control.m_hWnd, NULL, NULL, NULL);
    app.m_pMainWnd = &main;

    struct
    {
        const char* name;
        HWND target;
        CKeyEater* eater;
        std::vector<std::string> calls;
        BOOL taken;
    } cases[] = {
        {"control inside the main window", control.m_hWnd, NULL, {"control", "main"}, FALSE},
        {"a window without object on the way", plain, NULL, {"control", "main"}, FALSE},
        {"taken on the way", control.m_hWnd, &control, {"control"}, TRUE},
        {"the main window takes it", control.m_hWnd, &main, {"control", "main"}, TRUE},
        {"a window outside offers it to the main window once", other.m_hWnd, NULL, {"other", "main"}, FALSE},
        {"the window above the main window", top.m_hWnd, NULL, {"top", "main"}, FALSE},
    };
    for (const auto& c : cases) {
        g_calls.clear();
        for (CKeyEater* e : {&top, &main, &control, &other})
            e->eat = e == c.eater;
        MSG msg = {c.target, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
        EXPECT_EQ(c.taken, AfxPreTranslateMessage(&msg)) << c.name;
        EXPECT_EQ(c.calls, g_calls) << c.name;
    }
    app.m_pMainWnd = NULL;
}

TEST(WindowStyle, ModifyStyleReportsWhetherItChanged)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "Style", WS_POPUP | WS_CAPTION, CRect(0, 0, 50, 50), NULL, 0));
    EXPECT_TRUE(wnd.ModifyStyle(WS_CAPTION, WS_BORDER, SWP_FRAMECHANGED));
    EXPECT_EQ(0u, wnd.GetStyle() & WS_DLGFRAME);
    EXPECT_TRUE(wnd.GetStyle() & WS_BORDER);
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);
}

namespace {

// Handlers that note the message and hand it on to the default handling.
class CHandsOn : public CWnd
{
public:
    int noted = 0;

protected:
    int OnCreate(LPCREATESTRUCT cs)
    {
        ++noted;
        return CWnd::OnCreate(cs);
    }
    LRESULT OnNcHitTest(CPoint p)
    {
        ++noted;
        return CWnd::OnNcHitTest(p);
    }
    UINT OnGetDlgCode()
    {
        ++noted;
        return CWnd::OnGetDlgCode();
    }
    void OnSysCommand(UINT id, LPARAM lParam)
    {
        ++noted;
        CWnd::OnSysCommand(id, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHandsOn, CWnd)
    ON_WM_CREATE()
    ON_WM_NCHITTEST()
    ON_WM_GETDLGCODE()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

} // namespace

TEST(WindowBaseHandlers, AHandlerHandingOnGetsTheDefaultAnswer)
{
    CHandsOn wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "Hands on", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 250, 200), NULL, 0));
    EXPECT_EQ(1, wnd.noted) << "created through the base's OnCreate";
    CRect client;
    wnd.GetClientRect(&client);
    wnd.ClientToScreen(&client);
    CPoint inside = client.CenterPoint();
    EXPECT_EQ(HTCLIENT, wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)));
    EXPECT_EQ(0, wnd.SendMessage(WM_GETDLGCODE));
    wnd.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(wnd.IsIconic()) << "the system command still ran";
    EXPECT_EQ(4, wnd.noted);
}
