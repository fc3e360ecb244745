// The self-closing box: its answer after its time, its buttons and keys,
// what it shows, and that a box opened inside another window's handler does
// not run that window's timers and keys underneath it. The box's template,
// icon and texts come from the program's main resource library.
#include "resources/Resource.h"
#include "skin/MsgDialog.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A box that runs `whileShown` once it is up: when the queue first runs dry
// (the template is hidden until then).
class CProbedBox : public CMsgDialog
{
public:
    using CMsgDialog::CMsgDialog;
    std::function<void(CProbedBox&)> whileShown;

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM count)
    {
        if (count == 0 && whileShown) {
            auto run = whileShown;
            whileShown = nullptr;
            run(*this);
        }
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbedBox, CMsgDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

// The main resource library as the program's current resource handle.
class MsgDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(nullptr, m_resources.Module()); }

    CResourceModuleInUse m_resources;
};

} // namespace

TEST_F(MsgDialogTest, AnswersItselfAfterItsTime)
{
    struct
    {
        BOOL hasCancel;
        int defaultAnswer;
        INT_PTR result;
    } cases[] = {
        {FALSE, IDOK, IDOK},
        {TRUE, IDOK, IDOK},
        {TRUE, IDCANCEL, IDCANCEL},
        {FALSE, IDCANCEL, IDOK}, // Cancel answers OK where there is no Cancel button
    };
    for (const auto& c : cases) {
        CMsgDialog box(IDI_APP, c.hasCancel);
        box.SetSeconds(1);
        box.SetDefaultAnswer(c.defaultAnswer);
        DWORD start = ::GetTickCount();
        EXPECT_EQ(c.result, box.DoModal());
        DWORD elapsed = ::GetTickCount() - start;
        EXPECT_GE(elapsed, 900u) << "it waits its second";
        EXPECT_LT(elapsed, 30000u) << "and then closes";
    }
}

TEST_F(MsgDialogTest, SettingsAndTheirLimits)
{
    CMsgDialog box;
    EXPECT_EQ(5u, box.GetSeconds());
    EXPECT_EQ(IDOK, box.GetDefaultAnswer());
    box.SetSeconds(3);
    box.SetSeconds(0);
    EXPECT_EQ(3u, box.GetSeconds()) << "0 keeps the period";
    box.SetDefaultAnswer(IDCANCEL);
    EXPECT_EQ(IDCANCEL, box.GetDefaultAnswer());
    box.SetDefaultAnswer(7);
    EXPECT_EQ(IDOK, box.GetDefaultAnswer());
    box.SetTextId(IDS_STOP_RECORD_FAILED);
    EXPECT_STREQ("The recording could not be stopped. The program will close.", box.GetText());
}

TEST_F(MsgDialogTest, ShowsItsTextCaptionIconAndButtons)
{
    struct
    {
        BOOL hasCancel;
        UINT iconId;
    } cases[] = {{FALSE, IDI_APP}, {TRUE, 0}};
    for (const auto& c : cases) {
        CProbedBox box(c.iconId, c.hasCancel);
        box.SetCaption("Pellamar");
        box.SetText("Recording stopped.");
        BOOL cancelVisible = !c.hasCancel, iconShown = FALSE;
        CString caption, text;
        box.whileShown = [&](CProbedBox& b) {
            b.GetWindowText(caption);
            b.GetDlgItemText(IDC_MSGBOX_TEXT, text);
            cancelVisible = b.GetDlgItem(IDCANCEL)->IsWindowVisible();
            iconShown = b.SendDlgItemMessage(IDC_MSGBOX_ICON, STM_GETICON) != 0;
            b.UpdateWindow();
            SaveWindowShot(b.m_hWnd, c.hasCancel ? "msg_dialog_cancel" : "msg_dialog");
            b.SetText("Changed while shown.");
            b.GetDlgItemText(IDC_MSGBOX_TEXT, text);
            b.EndDialog(IDOK);
        };
        EXPECT_EQ(IDOK, box.DoModal());
        EXPECT_STREQ("Pellamar", caption);
        EXPECT_STREQ("Changed while shown.", text);
        EXPECT_EQ(c.hasCancel, cancelVisible);
        EXPECT_EQ(c.iconId != 0, iconShown);
    }
}

TEST_F(MsgDialogTest, EscapeAnswersCancelOnlyWithACancelButton)
{
    for (BOOL hasCancel : {FALSE, TRUE}) {
        CProbedBox box(0, hasCancel);
        box.SetSeconds(60);
        box.whileShown = [](CProbedBox& b) { ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); (void)b; };
        EXPECT_EQ(hasCancel ? IDCANCEL : IDOK, box.DoModal()) << "with Cancel " << hasCancel;
    }
}

namespace {

const UINT WM_TEST_REMOTE_KEY = WM_APP + 2;

// A panel whose timer handler calls into something that shows the box.
class CPanelLike : public CWnd
{
public:
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    int keys = 0;
    int keysDuringBox = -1;

protected:
    void OnTimer(UINT_PTR id)
    {
        ++ticks;
        if (ticks > 1) {
            KillTimer(id);
            return;
        }
        ++depth;
        deepest = depth > deepest ? depth : deepest;
        PostMessage(WM_TEST_REMOTE_KEY); // a key arriving while the box is up
        CMsgDialog box;
        box.SetSeconds(1);
        box.DoModal();
        keysDuringBox = keys;
        --depth;
    }
    LRESULT OnRemoteKey(WPARAM, LPARAM)
    {
        ++keys;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPanelLike, CWnd)
    ON_WM_TIMER()
    ON_MESSAGE(WM_TEST_REMOTE_KEY, OnRemoteKey)
END_MESSAGE_MAP()

} // namespace

TEST_F(MsgDialogTest, ABoxInsideAHandlerDoesNotRunTheCallersMessagesUnderIt)
{
    CPanelLike panel;
    ASSERT_TRUE(panel.CreateEx(0, NULL, "Panel", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), NULL, 0));
    CWinApp app;
    app.m_pMainWnd = &panel; // the box is owned by the main window, as in the program
    panel.SetTimer(1, 20);
    ASSERT_TRUE(PumpUntil([&] { return panel.keysDuringBox >= 0 && panel.keys == 1; }, 20000));
    EXPECT_EQ(1, panel.deepest) << "the timer handler did not run again under the box";
    EXPECT_EQ(0, panel.keysDuringBox) << "the key waited for the box";
    EXPECT_EQ(1, panel.keys) << "and was not lost";
    app.m_pMainWnd = NULL;
}
