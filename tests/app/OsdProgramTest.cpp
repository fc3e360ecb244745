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

#include <gtest/gtest.h>

#include <string>

namespace {

const DWORD kSettleMs = 750;
const DWORD kKeyMs = 5000;

class ProgramTexts : public ::testing::Test
{
protected:
    CTVVideoWnd& video = program.video;
    CTVControl& panel = program.control;

    void Settle() { PreviewHost::Pump(kSettleMs); }
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
        return PumpUntil([&]() { return Channel() != before && text->IsWindowVisible(); }, kKeyMs);
    }
    // F8 typed: the sound is muted or back. False when the key was lost.
    bool ToggleMuteWithF8()
    {
        const BOOL before = panel.IsMuted();
        TypeKey(VK_F8);
        return PumpUntil([&]() { return panel.IsMuted() != before; }, kKeyMs);
    }
    // Through the X server where it can (there the system confines the
    // pointer to the full-screen picture at the first click in it).
    bool FullScreenByDoubleClick(bool full)
    {
        const CPoint centre = ClientOnScreen(video.m_hWnd).CenterPoint();
        if (!XInputAvailable() || !XClickAt(centre, 1, 2))
            DoubleClickAt(centre);
        const bool done = PumpUntil([&]() { return !!video.IsFull() == full; }, kKeyMs);
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
                PreviewHost::Pump(150);
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
            ASSERT_TRUE(FullScreenByDoubleClick(true));
            ASSERT_TRUE(StepWithPageUp());
            ASSERT_TRUE(ToggleMuteWithF8());
            ASSERT_TRUE(ToggleMuteWithF8());
            ASSERT_TRUE(FullScreenByDoubleClick(false));
            ASSERT_TRUE(ToggleMuteWithF8());
            ASSERT_TRUE(ToggleMuteWithF8());
            ASSERT_TRUE(StepWithPageUp());
            const long before = Channel();
            TypeKey(VK_NEXT);
            ASSERT_TRUE(PumpUntil([&]() { return Channel() != before; }, kKeyMs)) << "Page Down was lost";
            TypeKey('B', true);
            ASSERT_TRUE(PumpUntil([&]() { return Channel() == before; }, kKeyMs)) << "Ctrl+B was lost";
            EXPECT_FALSE(TextHasTheKeyboard());
        }
        // A click on the panel's next-channel button, as the X server
        // delivers it, steps the channel.
        Settle();
        const HWND next = ::GetDlgItem(panel.m_hWnd, IDC_PANEL_NEXT);
        ASSERT_TRUE(next != NULL && ::IsWindowVisible(next));
        const long before = Channel();
        ASSERT_TRUE(XClickAt(WindowRect(next).CenterPoint()));
        EXPECT_TRUE(PumpUntil([&]() { return Channel() != before; }, kKeyMs)) << "the panel's button took no click";
    });
    program.Run();
    EXPECT_EQ(1, program.app.loopRuns);
}

} // namespace
