// The power-off countdown on a clock in the test's hands: each tick is one
// second. The seconds and dots it shows, the windows it hides near the end
// and gives back on Cancel (a window hidden before stays hidden), the end
// at zero, and the dots going on from one countdown to the next.
#include "app/ShutDownDlg.h"

#include "resources/Resource.h"
#include "tests/app/ResourceLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A plain top-level window standing for the panel or the video window.
class Standin : public CWnd
{
public:
    explicit Standin(bool visible)
    {
        CreateEx(0, "STATIC", "standin", WS_POPUP | (visible ? WS_VISIBLE : 0), 10, 10, 50, 50, NULL, NULL);
    }
    ~Standin() override { DestroyWindow(); }
};

std::string Item(CWnd& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return (LPCSTR)text;
}

class ShutDownCountdown : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_resources.Loaded());
        CShutDownDlg::ResetDots();
    }
    ResourceLibrary m_resources;
};

// One tick: what the dialog shows after it and whether the windows show.
struct TickRow
{
    const char* seconds;
    int dots;
    bool panelShown;
};

TEST_F(ShutDownCountdown, CountsDownHidesTheWindowsAtFiveAndEndsWithOkAtZero)
{
    Standin panel(true);
    Standin video(false); // the radio: no video window to show
    CShutDownDlg dialog;
    dialog.SetCount(10);
    dialog.AddWindowToHide(&panel);
    dialog.AddWindowToHide(&video);
    ASSERT_TRUE(dialog.Create(IDD_SHUTDOWN, NULL));
    EXPECT_EQ("10", Item(dialog, IDC_SHUTDOWN_SECONDS));
    EXPECT_EQ("......", Item(dialog, IDC_SHUTDOWN_DOTS));

    static const TickRow kTicks[] = {
        {"9", 5, true}, {"8", 4, true}, {"7", 3, true}, {"6", 4, true},
        {"5", 5, false}, {"4", 6, false}, {"3", 5, false}, {"2", 4, false}, {"1", 3, false},
    };
    for (const TickRow& row : kTicks) {
        SCOPED_TRACE(row.seconds);
        dialog.Tick();
        EXPECT_EQ(0, dialog.GetAnswer());
        EXPECT_EQ(row.seconds, Item(dialog, IDC_SHUTDOWN_SECONDS));
        EXPECT_EQ(std::string(row.dots, '.'), Item(dialog, IDC_SHUTDOWN_DOTS));
        EXPECT_EQ(row.panelShown, panel.IsWindowVisible() != FALSE);
        EXPECT_FALSE(video.IsWindowVisible());
    }
    dialog.Tick();
    EXPECT_EQ(IDOK, dialog.GetAnswer());
    EXPECT_EQ(0, dialog.GetRemaining());
    // The machine goes off: nothing is shown again.
    EXPECT_FALSE(panel.IsWindowVisible());
    // A late tick changes nothing.
    dialog.Tick();
    EXPECT_EQ(IDOK, dialog.GetAnswer());
    dialog.DestroyWindow();
}

// The dialog's own modal loop, fed with ticks and a button as a person and
// the timer would: the posted messages arrive in order.
class ScriptedCountdown : public CShutDownDlg
{
public:
    int ticks = 0;
    UINT button = 0; // posted after the ticks; 0 none

    BOOL OnInitDialog() override
    {
        const BOOL result = CShutDownDlg::OnInitDialog();
        KillTimer(kCountTimer); // the test's ticks are the clock
        for (int i = 0; i < ticks; ++i)
            PostMessage(WM_TIMER, kCountTimer, 0);
        if (button != 0)
            PostMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                        (LPARAM)::GetDlgItem(m_hWnd, (int)button));
        return result;
    }
};

struct ModalRow
{
    const char* name;
    int ticks;
    UINT button;
    INT_PTR answer;
    bool panelShownAfter;
};

TEST_F(ShutDownCountdown, ModallyCancelGivesBackTheWindowsItHidAndPowerOffNowEndsAtOnce)
{
    static const ModalRow kRows[] = {
        {"cancel at 3 s", 7, IDC_SHUTDOWN_CANCEL, IDCANCEL, true},
        {"cancel before anything hid", 2, IDC_SHUTDOWN_CANCEL, IDCANCEL, true},
        {"escape", 6, IDCANCEL, IDCANCEL, true},
        {"power off now", 1, IDC_SHUTDOWN_NOW, IDOK, true},
        {"the count runs out", 10, 0, IDOK, false},
    };
    for (const ModalRow& row : kRows) {
        SCOPED_TRACE(row.name);
        Standin panel(true);
        Standin video(false);
        ScriptedCountdown dialog;
        dialog.SetCount(10);
        dialog.AddWindowToHide(&panel);
        dialog.AddWindowToHide(&video);
        dialog.ticks = row.ticks;
        dialog.button = row.button;
        EXPECT_EQ(row.answer, dialog.DoModal());
        EXPECT_EQ(row.panelShownAfter, panel.IsWindowVisible() != FALSE);
        EXPECT_FALSE(video.IsWindowVisible()) << "a window hidden before came up";
    }
}

TEST_F(ShutDownCountdown, ASecondCountdownGoesOnWithTheDotsWhereTheFirstLeftThem)
{
    ScriptedCountdown first;
    first.SetCount(10);
    first.ticks = 4; // 6 -> 5, 4, 3, 4
    first.button = IDC_SHUTDOWN_CANCEL;
    EXPECT_EQ(IDCANCEL, first.DoModal());
    EXPECT_EQ(4, CShutDownDlg::GetDotCount());

    CShutDownDlg second;
    second.SetCount(10);
    ASSERT_TRUE(second.Create(IDD_SHUTDOWN, NULL));
    EXPECT_EQ("....", Item(second, IDC_SHUTDOWN_DOTS));
    second.Tick();
    EXPECT_EQ(".....", Item(second, IDC_SHUTDOWN_DOTS)) << "the dots turned back";
    second.DestroyWindow();
}

} // namespace
