// The floating tool bar on the screen with a router over a recording panel:
// its place and size, its buttons routed as commands (refused in the states
// that refuse them), the record toggle and the volume handed to the panel,
// keys passed on, and the hide timer with and without the pin.
#include "app/ScreenTool.h"

#include "app/CommandRouter.h"
#include "resources/Resource.h"
#include "tests/app/RecordingPanel.h"
#include "tests/app/ResourceLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FakeHost : public IScreenToolHost
{
public:
    void ToggleRecord() override { calls.push_back("record"); }
    void SetVolume(int value) override { calls.push_back("volume " + std::to_string(value)); }
    int GetVolume() override { return 40; }
    HWND KeyWindow() override { return keys; }
    void PlaceScreenTexts() override { ++placings; }
    int placings = 0;
    std::vector<std::string> calls;
    HWND keys = NULL;
};

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

class ScreenToolTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_resources.Loaded());
        CommandState state;
        state.source = 0; // TV
        m_router.SetState(state);
        ASSERT_TRUE(m_tool.CreateTool(NULL));
    }
    void TearDown() override { m_tool.DestroyWindow(); }
    void Click(UINT id)
    {
        m_tool.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(m_tool.m_hWnd, id));
    }
    void SetFlags(UINT flags)
    {
        CommandState state = m_router.GetState();
        state.flags = flags;
        m_router.SetState(state);
    }

    ResourceLibrary m_resources;
    RecordingPanel m_panel;
    CCommandRouter m_router{m_panel};
    FakeHost m_host;
    CScreenTool m_tool{m_router, m_host};
};

TEST_F(ScreenToolTest, AHiddenStripAcrossTheTopOfTheScreen)
{
    EXPECT_FALSE(m_tool.IsShown());
    CRect window;
    m_tool.GetWindowRect(&window);
    EXPECT_EQ(0, window.left);
    EXPECT_EQ(0, window.top);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), window.Width());
    CBitmap background;
    ASSERT_TRUE(background.LoadBitmap(IDB_TOOL_BACKGROUND));
    EXPECT_EQ(background.GetSize().cy, window.Height());
    EXPECT_TRUE(m_tool.GetExStyle() & WS_EX_TOPMOST);
    CString title;
    m_tool.GetWindowText(title);
    EXPECT_STREQ("ScreenTool", title);
    // The buttons in their places.
    CRect mute;
    ::GetWindowRect(::GetDlgItem(m_tool.m_hWnd, IDC_SCREENTOOL_MUTE), &mute);
    EXPECT_EQ(CRect(551, 5, 571, 20), mute);
}

TEST_F(ScreenToolTest, ButtonsRunTheirCommandsUnlessTheStateRefuses)
{
    struct Case
    {
        UINT button;
        UINT flags;
        std::vector<std::string> panel;
        std::vector<std::string> host;
    };
    const Case cases[] = {
        {IDC_SCREENTOOL_SNAPSHOT, 0, {"CmdSnapshot 1002"}, {}},
        {IDC_SCREENTOOL_SNAPSHOT, cmd::kTimeShift, {}, {}},
        {IDC_SCREENTOOL_WALL, 0, {"CmdChannelWall 1004"}, {}},
        {IDC_SCREENTOOL_WALL, cmd::kRecord, {}, {}},
        {IDC_SCREENTOOL_NEXT, 0, {"CmdChannelNext " + std::to_string(ID_CHANNEL_NEXT)}, {}},
        {IDC_SCREENTOOL_PREV, cmd::kScan, {}, {}},
        {IDC_SCREENTOOL_MUTE, cmd::kRecord, {"CmdMute " + std::to_string(ID_MUTE)}, {}},
        {IDC_SCREENTOOL_RECORD, cmd::kRecord, {}, {"record"}},
        {IDC_SCREENTOOL_RECORD, cmd::kScan, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << " flags " << c.flags);
        m_panel.calls.clear();
        m_host.calls.clear();
        SetFlags(c.flags);
        Click(c.button);
        EXPECT_EQ(c.panel, m_panel.calls);
        EXPECT_EQ(c.host, m_host.calls);
    }
}

TEST_F(ScreenToolTest, TheVolumeIsSetAtTheEndOfADragAndKeysGoToThePanel)
{
    HWND volume = ::GetDlgItem(m_tool.m_hWnd, IDC_SCREENTOOL_VOLUME);
    ::SendMessageA(volume, TBM_SETPOS, TRUE, 30);
    m_tool.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 30), (LPARAM)volume);
    EXPECT_TRUE(m_host.calls.empty()) << "set while dragging";
    m_tool.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)volume);
    EXPECT_EQ(std::vector<std::string>{"volume 30"}, m_host.calls);

    // A key typed in the bar is posted on to the panel.
    CWnd panel;
    ASSERT_TRUE(panel.CreateEx(0, "STATIC", "panel", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    m_host.keys = panel.m_hWnd;
    MSG key = {m_tool.m_hWnd, WM_KEYDOWN, VK_PRIOR, 0x00490001};
    EXPECT_TRUE(m_tool.PreTranslateMessage(&key));
    MSG posted = {};
    EXPECT_TRUE(::PeekMessageA(&posted, panel.m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ((WPARAM)VK_PRIOR, posted.wParam);
    EXPECT_EQ((LPARAM)0x00490001, posted.lParam);
    panel.DestroyWindow();
}

TEST_F(ScreenToolTest, HidesWhenThePointerIsAwayUnlessPinned)
{
    // The pointer is put back afterwards: left at the top edge it would
    // bring up the tool bar of a later test's program in full screen.
    POINT saved = {};
    ::GetCursorPos(&saved);
    struct RestoreCursor
    {
        POINT at;
        ~RestoreCursor() { ::SetCursorPos(at.x, at.y); }
    } restore{saved};
    // The pointer well below the bar.
    ::SetCursorPos(200, 600);
    m_tool.Show(TRUE);
    EXPECT_TRUE(m_tool.IsShown());
    EXPECT_TRUE(m_tool.IsHideTimerRunning());
    // Pinned: the timer stops and the bar stays.
    m_tool.SetPinned(TRUE);
    EXPECT_FALSE(m_tool.IsHideTimerRunning());
    m_tool.OnMouseLeave();
    EXPECT_FALSE(m_tool.IsHideTimerRunning());
    m_tool.OnHideTimer();
    EXPECT_TRUE(m_tool.IsShown());
    // Unpinned: the timer starts, and on expiry the bar goes.
    m_tool.SetPinned(FALSE);
    EXPECT_TRUE(m_tool.IsHideTimerRunning());
    const int placings = m_host.placings;
    m_tool.OnHideTimer();
    EXPECT_FALSE(m_tool.IsShown());
    EXPECT_FALSE(m_tool.IsHideTimerRunning());
    // Hidden by its own timer, the bar still has the texts placed again.
    EXPECT_EQ(placings + 1, m_host.placings);

    // The pointer over the bar keeps it up at the timer's expiry.
    m_tool.Show(TRUE);
    ::SetCursorPos(300, 3);
    m_tool.OnHideTimer();
    EXPECT_TRUE(m_tool.IsShown());
    m_tool.Show(FALSE);
    Pump();
}

} // namespace
