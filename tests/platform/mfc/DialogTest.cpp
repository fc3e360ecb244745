// Dialogs from templates: the modal loop with its idle kicks, the owner it
// disables, the keys the dialog answers, the loop that keeps to its own
// window, and modeless dialogs.
#include "platform/mfc/AfxWin.h"
#include "tests/platform/mfc/WindowTestIds.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const UINT WM_TEST_POKE = WM_APP + 1;

// Runs `onIdle(count)` for each idle kick; its answer asks for more idle time.
class CIdleDialog : public CDialog
{
public:
    explicit CIdleDialog(UINT id = IDD_PLAIN, CWnd* parent = NULL) : CDialog(id, parent) {}

    std::vector<LONG> kicks;
    BOOL visibleAtInit = TRUE;
    BOOL visibleAtFirstKick = FALSE;
    BOOL endInInit = FALSE;
    std::function<BOOL(CIdleDialog&, LONG)> onIdle;
    std::function<void(CIdleDialog&)> onTimer;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        visibleAtInit = IsWindowVisible();
        if (endInInit)
            EndDialog(7);
        return TRUE;
    }

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM count)
    {
        if (kicks.empty())
            visibleAtFirstKick = IsWindowVisible();
        kicks.push_back((LONG)count);
        return onIdle ? onIdle(*this, (LONG)count) : FALSE;
    }
    void OnTimer(UINT_PTR id)
    {
        KillTimer(id);
        if (onTimer)
            onTimer(*this);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// A window that counts what other windows' handlers would do under a box.
class CBystander : public CWnd
{
public:
    int pokes = 0;
    int ticks = 0;

protected:
    LRESULT OnPoke(WPARAM, LPARAM)
    {
        ++pokes;
        return 0;
    }
    void OnTimer(UINT_PTR) { ++ticks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBystander, CWnd)
    ON_MESSAGE(WM_TEST_POKE, OnPoke)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CConfinableDialog : public CIdleDialog
{
public:
    explicit CConfinableDialog(BOOL confined) { m_bModalLoopConfined = confined; }
};

} // namespace

TEST(ModalLoop, KicksIdleWithACountUntilAskedToStop)
{
    CIdleDialog dialog;
    // Two idle spells: the first asks for three kicks, a timer message ends
    // it, the second ends the dialog.
    dialog.onIdle = [](CIdleDialog& d, LONG count) {
        if (count < 2)
            return TRUE;
        if (d.kicks.size() == 3)
            d.SetTimer(1, 20);
        else
            d.EndDialog(42);
        return FALSE;
    };
    EXPECT_EQ(42, dialog.DoModal());
    EXPECT_EQ((std::vector<LONG>{0, 1, 2, 0, 1, 2}), dialog.kicks);
    EXPECT_EQ(nullptr, dialog.m_hWnd) << "the modal dialog's window is gone";
}

TEST(ModalLoop, AHiddenDialogIsShownWhenTheQueueFirstRunsDry)
{
    CIdleDialog dialog(IDD_HIDDEN);
    dialog.onIdle = [](CIdleDialog& d, LONG) {
        d.EndDialog(IDOK);
        return FALSE;
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_FALSE(dialog.visibleAtInit);
    EXPECT_TRUE(dialog.visibleAtFirstKick);
}

TEST(ModalLoop, DisablesTheOwnerForItsLength)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, "Owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), NULL, 0));
    CIdleDialog dialog(IDD_PLAIN, &owner);
    BOOL ownerEnabledDuring = TRUE;
    HWND dialogOwner = NULL;
    dialog.onIdle = [&](CIdleDialog& d, LONG) {
        ownerEnabledDuring = owner.IsWindowEnabled();
        dialogOwner = ::GetWindow(d.m_hWnd, GW_OWNER);
        d.EndDialog(IDCANCEL);
        return FALSE;
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_EQ(owner.m_hWnd, dialogOwner);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(ModalLoop, EndsWithoutALoopWhenInitialisationEndsIt)
{
    CIdleDialog dialog;
    dialog.endInInit = TRUE;
    EXPECT_EQ(7, dialog.DoModal());
    EXPECT_TRUE(dialog.kicks.empty());
}

TEST(ModalLoop, AMissingTemplateGivesMinusOneAndFreesTheOwner)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, "Owner", WS_POPUP, CRect(0, 0, 100, 100), NULL, 0));
    CIdleDialog dialog(4321, &owner);
    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(ModalLoop, EnterAndEscapeAnswerOkAndCancel)
{
    struct
    {
        WPARAM key;
        INT_PTR result;
    } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& c : cases) {
        CIdleDialog dialog;
        dialog.onIdle = [&](CIdleDialog&, LONG) {
            ::PostMessageA(::GetFocus(), WM_KEYDOWN, c.key, 0);
            return FALSE;
        };
        EXPECT_EQ(c.result, dialog.DoModal()) << "key " << c.key;
    }
}

TEST(ModalLoop, QuitEndsTheLoopAndStaysQueuedForTheOuterOne)
{
    CIdleDialog dialog;
    dialog.onIdle = [](CIdleDialog&, LONG) {
        ::PostQuitMessage(3);
        return FALSE;
    };
    EXPECT_EQ(-1, dialog.DoModal());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST(ModalLoop, AConfinedLoopLeavesOtherWindowsMessagesQueued)
{
    for (BOOL confined : {FALSE, TRUE}) {
        CBystander bystander;
        ASSERT_TRUE(bystander.CreateEx(0, NULL, "Bystander", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
        CConfinableDialog dialog(confined);
        int pokesDuring = -1, ticksDuring = -1;
        dialog.onIdle = [&](CIdleDialog& d, LONG) {
            if (d.kicks.size() == 1) {
                bystander.PostMessage(WM_TEST_POKE);
                bystander.SetTimer(1, 10);
                d.SetTimer(2, 150); // the box's own timer still runs
            }
            return FALSE;
        };
        dialog.onTimer = [&](CIdleDialog& d) {
            pokesDuring = bystander.pokes;
            ticksDuring = bystander.ticks;
            d.EndDialog(IDOK);
        };
        EXPECT_EQ(IDOK, dialog.DoModal()) << "confined " << confined;
        if (confined) {
            EXPECT_EQ(0, pokesDuring);
            EXPECT_EQ(0, ticksDuring);
        } else {
            EXPECT_EQ(1, pokesDuring);
            EXPECT_GT(ticksDuring, 0);
        }
        PumpUntil([&] { return bystander.pokes == 1; }, 1000);
        EXPECT_EQ(1, bystander.pokes) << "nothing lost, confined " << confined;
        bystander.KillTimer(1);
    }
}

TEST(Modeless, EndDialogHidesAndTheObjectStillOwnsTheWindow)
{
    CIdleDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_PLAIN));
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_EQ(&dialog, CWnd::FromHandlePermanent(dialog.m_hWnd));
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(Modeless, TheTemplateComesFromTheCurrentResourceHandle)
{
    HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleA("kernel32.dll"));
    CIdleDialog dialog;
    EXPECT_FALSE(dialog.Create(IDD_PLAIN));
    AfxSetResourceHandle(saved);
    EXPECT_TRUE(dialog.Create(IDD_PLAIN));
}
