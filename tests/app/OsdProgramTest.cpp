// The on-screen texts in the running program on the virtual card: typed
// keys that show a text reach the program every time, the mouse works
// after full screen, a double click that restores the minimised window
// leaves it as it was, and texts shown many times keep showing. The test
// command runs the keys and the mouse once more on a display where a
// window manager (openbox) manages the windows.
#include "tests/app/ProgramFixture.h"
#include "tests/app/ProgramInput.h"

#include "app/Osd.h"
#include "resources/Resource.h"
#include "tests/engine/ScreenPicture.h"
#include "tests/support/HandleCount.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const DWORD kSettleMs = 750;
const DWORD kKeyMs = 5000;

// Whether a window manager manages the windows, as the test command told
// Wine; where none does, Wine shows a minimised window as a bar of its own
// at the bottom of the screen.
bool WindowManagerRuns()
{
    char value[8] = {0};
    DWORD size = sizeof value;
    return ::RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", RRF_RT_REG_SZ, NULL, value,
                          &size) == ERROR_SUCCESS &&
           (value[0] == 'Y' || value[0] == 'y');
}

class ProgramTexts : public ::testing::Test
{
protected:
    CTVVideoWnd& video = program.video;
    CTVControl& panel = program.control;

    void Settle() { PumpProgram(kSettleMs); }
    long Channel() const
    {
        CChannel* channel = const_cast<CTVManager&>(program.manager).GetCurrentChannel();
        return channel != NULL ? channel->ID : -1;
    }
    // The window with the keyboard, or the active one, is an on-screen text.
    bool TextHasTheKeyboard() const
    {
        for (int i = 0; i < CTVVideoWnd::kOsdCount; ++i) {
            const COsd* osd = video.GetOsd((CTVVideoWnd::OsdText)i);
            if (osd == NULL)
                continue;
            const HWND text = osd->m_hWnd;
            if (::GetForegroundWindow() == text || ::GetActiveWindow() == text || ::GetFocus() == text)
                return true;
        }
        return false;
    }
    // Page Up typed: the channel steps and its text shows. False when the
    // key was lost.
    bool StepWithPageUp()
    {
        const long before = Channel();
        TypeKey(VK_PRIOR);
        const COsd* text = video.GetOsd(CTVVideoWnd::kOsdChannel);
        return PumpProgramUntil([&]() { return Channel() != before && text->IsWindowVisible(); }, kKeyMs);
    }
    // F8 typed: the sound is muted or back. False when the key was lost.
    bool ToggleMuteWithF8()
    {
        const BOOL before = panel.IsMuted();
        TypeKey(VK_F8);
        return PumpProgramUntil([&]() { return panel.IsMuted() != before; }, kKeyMs);
    }
    // A right click in the picture through the X server opens the panel's
    // menu, which is closed again from inside its own loop.
    bool ContextMenuByRightClick()
    {
        // Shared: the step may run after a lost click was given up on.
        const std::shared_ptr<bool> shown = std::make_shared<bool>(false);
        RunWhen(
            []() {
                const HWND menu = ::FindWindowA("#32768", NULL);
                return menu != NULL && ::IsWindowVisible(menu);
            },
            [shown]() {
                *shown = true;
                ::EndMenu();
            });
        if (!XClickAt(ClientOnScreen(video.m_hWnd).CenterPoint(), 3))
            return false;
        const bool opened = PumpProgramUntil([&]() { return *shown; }, kKeyMs);
        PumpProgram(300);
        return opened;
    }
    // Through the X server when `x` says so, as a person's mouse clicks.
    bool FullScreenByDoubleClick(bool full, bool x = false)
    {
        const CPoint centre = ClientOnScreen(video.m_hWnd).CenterPoint();
        if (!x || !XClickAt(centre, 1, 2))
            DoubleClickAt(centre);
        const bool done = PumpProgramUntil([&]() { return !!video.IsFull() == full; }, kKeyMs);
        Settle();
        return done;
    }

    MessageBoxCapture boxes{kGoOnWithoutSound};
    Program program;
};

TEST_F(ProgramTexts, PageUpTenTimesInARowStepsTheChannelTenTimesWindowedAndFull)
{
    RunInMainLoop(program, [this]() {
        Settle();
        ::SetForegroundWindow(video.m_hWnd);
        for (bool full : {false, true}) {
            SCOPED_TRACE(full ? "full screen" : "in a window");
            if (full)
                ASSERT_TRUE(FullScreenByDoubleClick(true));
            for (int press = 1; press <= 10; ++press) {
                ASSERT_TRUE(StepWithPageUp()) << "Page Up " << press << " was lost";
                EXPECT_FALSE(TextHasTheKeyboard()) << "after Page Up " << press;
                // As fast as a person presses it, while the text shows.
                PumpProgram(150);
            }
        }
        EXPECT_TRUE(FullScreenByDoubleClick(false));
    });
    program.Run();
    EXPECT_EQ(1, program.app.loopRuns);
}

TEST_F(ProgramTexts, ThePanelTakesClicksAfterFullScreenRoundTripsAndKeys)
{
    if (!XInputAvailable())
        GTEST_SKIP() << "xdotool is not installed: the clicks cannot go through the X server";
    RunInMainLoop(program, [this]() {
        Settle();
        ::SetForegroundWindow(video.m_hWnd);
        for (int round = 1; round <= 3; ++round) {
            SCOPED_TRACE(round);
            // Texts shown in full screen and after it.
            // Through the X server: at the first click in the full-screen
            // picture the system confines the pointer to it.
            ASSERT_TRUE(FullScreenByDoubleClick(true, true));
            ASSERT_TRUE(StepWithPageUp());
            ASSERT_TRUE(ToggleMuteWithF8());
            ASSERT_TRUE(ToggleMuteWithF8());
            ASSERT_TRUE(FullScreenByDoubleClick(false, true));
            ASSERT_TRUE(ContextMenuByRightClick()) << "the picture took no right click";
            ASSERT_TRUE(ToggleMuteWithF8());
            ASSERT_TRUE(ToggleMuteWithF8());
            ASSERT_TRUE(StepWithPageUp());
            const long before = Channel();
            TypeKey(VK_NEXT);
            ASSERT_TRUE(PumpProgramUntil([&]() { return Channel() != before; }, kKeyMs)) << "Page Down was lost";
            TypeKey('B', true);
            ASSERT_TRUE(PumpProgramUntil([&]() { return Channel() == before; }, kKeyMs)) << "Ctrl+B was lost";
            EXPECT_FALSE(TextHasTheKeyboard());
        }
        // A click on the panel's next-channel button, as the X server
        // delivers it, steps the channel.
        Settle();
        const HWND next = ::GetDlgItem(panel.m_hWnd, IDC_PANEL_NEXT);
        ASSERT_TRUE(next != NULL && ::IsWindowVisible(next));
        const long before = Channel();
        ASSERT_TRUE(XClickAt(WindowRect(next).CenterPoint()));
        EXPECT_TRUE(PumpProgramUntil([&]() { return Channel() != before; }, kKeyMs)) << "the panel's button took no click";
    });
    program.Run();
    EXPECT_EQ(1, program.app.loopRuns);
}

TEST_F(ProgramTexts, ADoubleClickOnTheMinimisedBarRestoresTheWindowOutOfFullScreen)
{
    if (WindowManagerRuns())
        GTEST_SKIP() << "a window manager shows no minimised bar";
    RunInMainLoop(program, [this]() {
        Settle();
        const CRect before = WindowRect(video.m_hWnd);
        for (int round = 1; round <= 2; ++round) {
            SCOPED_TRACE(round);
            video.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
            ASSERT_TRUE(PumpProgramUntil([&]() { return video.IsIconic() != FALSE; }, kKeyMs));
            PumpProgram(300);
            const CPoint bar = WindowRect(video.m_hWnd).CenterPoint();
            if (!XInputAvailable() || !XClickAt(bar, 1, 2))
                DoubleClickAt(bar);
            ASSERT_TRUE(PumpProgramUntil([&]() { return !video.IsIconic(); }, kKeyMs)) << "the double click did not restore";
            Settle();
            EXPECT_FALSE(video.IsFull());
            EXPECT_FALSE(video.IsZoomed());
            EXPECT_EQ(before, WindowRect(video.m_hWnd));
            EXPECT_TRUE(panel.IsWindowVisible());
        }

        // A double click that reaches the picture as the window comes back
        // began on the bar; one a double-click time later is the user's.
        video.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
        PumpProgram(300);
        video.ShowWindow(SW_RESTORE);
        video.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 100));
        EXPECT_FALSE(video.IsFull()) << "a double click that began before the restore";
        PumpProgram(::GetDoubleClickTime() + 300);
        video.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 100));
        EXPECT_TRUE(PumpProgramUntil([&]() { return video.IsFull() != FALSE; }, kKeyMs)) << "a later double click";
        video.ToggleFullScreen();
        Settle();
    });
    program.Run();
    EXPECT_EQ(1, program.app.loopRuns);
}

TEST_F(ProgramTexts, TextsShownAgainAndAgainLeaveNoGdiObjectsBehind)
{
    RunInMainLoop(program, [this]() {
        Settle();
        COsd* message = video.GetOsd(CTVVideoWnd::kOsdMessage);
        ASSERT_NE(nullptr, message);
        // Every text the keys show, each shaped again, and a size change
        // that shapes the shown ones once more.
        const auto round = [&](int i) {
            for (UINT command : {ID_MUTE, ID_MUTE, ID_VOLUME_UP, ID_VOLUME_DOWN, ID_PROPERTY_SELECT, ID_PROPERTY_UP})
                panel.SendMessage(WM_COMMAND, command);
            video.ShowChannelOsd();
            message->SetTextId(IDS_SNAPSHOT_TAKEN);
            message->ShowOsd(TRUE);
            if (i % 10 == 0)
                video.SetAspectRatio(i % 20 == 0 ? 16 : 4, i % 20 == 0 ? 9 : 3);
            PumpProgram(0);
        };
        for (int i = 0; i < 20; ++i)
            round(i);
        PumpProgram(300);
        const DWORD before = GdiObjectCount();
        ASSERT_NE(0u, before) << "the GDI objects cannot be counted";
        for (int i = 0; i < 200; ++i)
            round(i);
        PumpProgram(300);
        // A few may come and go with the picture's frames; one a round
        // would be 200.
        EXPECT_LE(GdiObjectCount(), before + 30);
        video.SetAspectRatio(4, 3);
    });
    program.Run();
    EXPECT_EQ(1, program.app.loopRuns);
}

} // namespace
