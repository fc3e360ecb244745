// Property sheets under Xvfb: pages made and switched with their
// notifications, Apply following SetModified, keys through the pages'
// pre-translation before the sheet's navigation, OK and Cancel with the
// pages' data exchange, refused applies and cancels, and wizard buttons.
// Each test runs a script of steps inside the sheet's own modal loop; keys
// are posted to the queue, so they take the road a typed key takes.
#include "platform/mfc/AfxWin.h"
#include "platform/mfc/PropertySheet.h"
#include "tests/platform/mfc/WindowTestIds.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const UINT WM_TEST_STEP = WM_APP + 7;

class CTestPage : public CPropertyPage
{
public:
    explicit CTestPage(UINT id) : CPropertyPage(id) {}

    std::vector<std::string> events;
    int number = 5;
    BOOL swallowEnterAndEscape = FALSE;
    BOOL applyAnswer = TRUE;
    BOOL cancelAnswer = TRUE;
    std::function<void(CTestPage&)> onSetActive;

    BOOL OnInitDialog() override
    {
        events.push_back("init");
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        events.push_back("active");
        if (onSetActive)
            onSetActive(*this);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        events.push_back("leave");
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        events.push_back("apply");
        return applyAnswer && CPropertyPage::OnApply();
    }
    void OnReset() override { events.push_back("reset"); }
    BOOL OnQueryCancel() override { return cancelAnswer; }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (swallowEnterAndEscape && msg->message == WM_KEYDOWN &&
            (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
            return TRUE;
        return CPropertyPage::PreTranslateMessage(msg);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        if (GetDlgItem(IDC_NUMBER) != nullptr)
            DDX_Text(dx, IDC_NUMBER, number);
    }
};

// Runs its steps one per posted message once the system sheet exists; a
// script that leaves the sheet open ends it with -2.
class CScriptSheet : public CPropertySheet
{
public:
    explicit CScriptSheet(CWnd* parent = NULL) : CPropertySheet("Sheet", parent) {}

    std::vector<std::function<void(CScriptSheet&)>> steps;

    bool IsOpen() const { return m_hWnd != NULL && SendMessage(PSM_GETCURRENTPAGEHWND) != 0; }
    HWND Button(int id) const { return ::GetDlgItem(m_hWnd, id); }
    bool Shows(int id) const { return ::IsWindowVisible(Button(id)) && ::IsWindowEnabled(Button(id)); }
    HWND PageItem(int id) const
    {
        return ::GetDlgItem((HWND)SendMessage(PSM_GETCURRENTPAGEHWND), id);
    }
    void PostKey(HWND target, UINT key)
    {
        ::SetFocus(target);
        ::PostMessageA(target, WM_KEYDOWN, key, 1);
        ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    }

protected:
    void OnSheetCreated() override
    {
        m_next = 0;
        PostMessage(WM_TEST_STEP);
    }
    LRESULT OnStep(WPARAM, LPARAM)
    {
        if (m_next < steps.size()) {
            steps[m_next++](*this);
            PostMessage(WM_TEST_STEP);
        } else if (IsOpen()) {
            EndDialog(-2);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    size_t m_next = 0;
};

BEGIN_MESSAGE_MAP(CScriptSheet, CPropertySheet)
    ON_MESSAGE(WM_TEST_STEP, OnStep)
END_MESSAGE_MAP()

using Events = std::vector<std::string>;

} // namespace

TEST(PropertyPages, PagesAreMadeWhenShownAndSwitchWithTheirNotifications)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, "Owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), NULL, 0));
    CTestPage first(IDD_PAGE_FIRST), second(IDD_PAGE_SECOND);
    CScriptSheet sheet(&owner);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    BOOL ownerEnabled = TRUE;
    HWND secondBeforeShown = (HWND)1;
    int indexAfterSwitch = -1;
    std::string tabText;
    sheet.steps = {
        [&](CScriptSheet& s) {
            ownerEnabled = owner.IsWindowEnabled();
            secondBeforeShown = second.m_hWnd;
            EXPECT_EQ(&sheet, first.GetParentSheet());
            s.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
            SaveScreenShot(s.m_hWnd, "property_sheet");
            s.SetActivePage(1);
        },
        [&](CScriptSheet& s) {
            indexAfterSwitch = s.GetActiveIndex();
            EXPECT_EQ(&second, s.GetActivePage());
            s.SetActivePage(&first); // back: no second init
        },
        [&](CScriptSheet& s) { s.SetActivePage(1); },
        [&](CScriptSheet& s) { s.PressButton(PSBTN_OK); },
    };
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, secondBeforeShown) << "a page's window is made when it is first shown";
    EXPECT_EQ(1, indexAfterSwitch);
    EXPECT_EQ((Events{"init", "active", "leave", "active", "leave", "apply"}), first.events);
    EXPECT_EQ((Events{"init", "active", "leave", "active", "leave", "apply"}), second.events);
    EXPECT_EQ(1, sheet.GetActiveIndex()) << "the page left on outlives the window";
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(nullptr, first.m_hWnd);
    owner.DestroyWindow();
}

TEST(PropertyPages, OpensOnTheStartPageAndRunsAgain)
{
    CTestPage first(IDD_PAGE_FIRST), second(IDD_PAGE_SECOND);
    CScriptSheet sheet;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.SetActivePage(1);
    int opened = -1;
    sheet.steps = {[&](CScriptSheet& s) { opened = s.GetActiveIndex(); },
                   [&](CScriptSheet& s) { s.PressButton(PSBTN_CANCEL); }};
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(1, opened);
    EXPECT_TRUE(first.events.empty()) << "a page never shown is never made";

    // The same objects make a second sheet.
    sheet.steps = {[&](CScriptSheet& s) { s.PressButton(PSBTN_OK); }};
    second.events.clear();
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ((Events{"init", "active", "leave", "apply"}), second.events);
}

TEST(PropertyPages, ApplyEnablesOnSetModifiedAndAppliesWithoutClosing)
{
    CTestPage first(IDD_PAGE_FIRST);
    CScriptSheet sheet;
    sheet.AddPage(&first);
    bool before = true, modified = false, unmodified = true, afterApply = true, openAfterApply = false;
    sheet.steps = {
        [&](CScriptSheet& s) {
            before = ::IsWindowEnabled(s.Button(ID_APPLY_NOW));
            first.SetModified(TRUE);
            modified = ::IsWindowEnabled(s.Button(ID_APPLY_NOW));
            first.SetModified(FALSE);
            unmodified = ::IsWindowEnabled(s.Button(ID_APPLY_NOW));
            first.SetModified(TRUE);
        },
        [&](CScriptSheet& s) { s.PressButton(PSBTN_APPLYNOW); },
        [&](CScriptSheet& s) {
            afterApply = ::IsWindowEnabled(s.Button(ID_APPLY_NOW));
            openAfterApply = s.IsOpen();
            s.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_FALSE(before);
    EXPECT_TRUE(modified);
    EXPECT_FALSE(unmodified);
    EXPECT_FALSE(afterApply) << "a successful apply clears the changed mark";
    EXPECT_TRUE(openAfterApply);
    // (The current page may be activated again after an apply.)
    EXPECT_EQ((Events{"init", "active", "leave", "apply"}), Events(first.events.begin(), first.events.begin() + 4));
    EXPECT_EQ("reset", first.events.back());
}

// Enter and Escape typed in a page's edit: a page that keeps them leaves
// the sheet open; a page that lets them go hands them to the sheet's
// navigation, which presses OK or Cancel.
TEST(PropertyPages, KeysInAPageGoThroughThePageBeforeTheSheet)
{
    struct Case
    {
        BOOL swallow;
        UINT key;
        bool open;
        INT_PTR result;
    };
    const Case cases[] = {
        {TRUE, VK_RETURN, true, -2},
        {TRUE, VK_ESCAPE, true, -2},
        {FALSE, VK_RETURN, false, IDOK},
        {FALSE, VK_ESCAPE, false, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "swallow " << c.swallow << " key " << c.key);
        CTestPage first(IDD_PAGE_FIRST);
        first.swallowEnterAndEscape = c.swallow;
        CScriptSheet sheet;
        sheet.AddPage(&first);
        bool open = !c.open;
        sheet.steps = {
            [&](CScriptSheet& s) { s.PostKey(s.PageItem(IDC_NUMBER), c.key); },
            [&](CScriptSheet&) {},
            [&](CScriptSheet& s) { open = s.IsOpen(); },
        };
        EXPECT_EQ(c.result, sheet.DoModal());
        if (c.open) {
            EXPECT_TRUE(open);
        }
    }
}

// The page's members take what was typed on OK, and keep what they were
// given on Cancel.
TEST(PropertyPages, OkTakesTheControlsAndCancelLeavesTheValuesGiven)
{
    const struct
    {
        int button;
        INT_PTR result;
        int number;
        const char* last;
    } cases[] = {{PSBTN_OK, IDOK, 42, "apply"}, {PSBTN_CANCEL, IDCANCEL, 5, "reset"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        CTestPage first(IDD_PAGE_FIRST);
        CScriptSheet sheet;
        sheet.AddPage(&first);
        std::string shown;
        sheet.steps = {
            [&](CScriptSheet& s) {
                char text[16] = {};
                ::GetWindowTextA(s.PageItem(IDC_NUMBER), text, sizeof text);
                shown = text;
                ::SetWindowTextA(s.PageItem(IDC_NUMBER), "42");
            },
            [&](CScriptSheet& s) { s.PressButton(c.button); },
        };
        EXPECT_EQ(c.result, sheet.DoModal());
        EXPECT_EQ("5", shown);
        EXPECT_EQ(c.number, first.number);
        EXPECT_EQ(c.last, first.events.back());
    }
}

TEST(PropertyPages, ARefusedApplyOrCancelKeepsTheSheetOpen)
{
    CTestPage first(IDD_PAGE_FIRST);
    first.applyAnswer = FALSE;
    first.cancelAnswer = FALSE;
    CScriptSheet sheet;
    sheet.AddPage(&first);
    bool openAfterOk = false, openAfterCancel = false, applied = true;
    sheet.steps = {
        [&](CScriptSheet& s) { s.PressButton(PSBTN_OK); },
        [&](CScriptSheet& s) {
            openAfterOk = s.IsOpen();
            applied = s.Apply();
            s.PressButton(PSBTN_CANCEL);
        },
        [&](CScriptSheet& s) {
            openAfterCancel = s.IsOpen();
            first.cancelAnswer = TRUE;
            s.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal()) << "a refused OK before does not make the cancel an OK";
    EXPECT_TRUE(openAfterOk);
    EXPECT_FALSE(applied);
    EXPECT_TRUE(openAfterCancel);
    EXPECT_EQ("reset", first.events.back());
}

TEST(PropertyPages, EndDialogClosesTheSheetFromOutside)
{
    CTestPage first(IDD_PAGE_FIRST);
    CScriptSheet sheet;
    sheet.AddPage(&first);
    sheet.steps = {[&](CScriptSheet& s) { s.EndDialog(IDABORT); }};
    EXPECT_EQ(IDABORT, sheet.DoModal());
    EXPECT_EQ((Events{"init", "active"}), first.events) << "nothing applied, nothing reset";
}

// Each page sets the buttons by its place, as the settings wizard does; the
// buttons shown follow the page through Next and Back to Finish.
TEST(PropertyPages, WizardButtonsFollowThePage)
{
    CTestPage pages[] = {CTestPage(IDD_PAGE_FIRST), CTestPage(IDD_PAGE_SECOND), CTestPage(IDD_PAGE_THIRD)};
    CScriptSheet sheet;
    sheet.SetWizardMode();
    for (CTestPage& page : pages)
        sheet.AddPage(&page);
    for (int i = 0; i < 3; ++i) {
        pages[i].onSetActive = [&sheet, i](CTestPage&) {
            static const DWORD kButtons[] = {PSWIZB_NEXT, PSWIZB_BACK | PSWIZB_NEXT,
                                             PSWIZB_BACK | PSWIZB_FINISH};
            sheet.SetWizardButtons(kButtons[i]);
        };
    }
    struct Seen
    {
        int page;
        bool back, next, finish;
    };
    std::vector<Seen> seen;
    auto look = [&](CScriptSheet& s) {
        seen.push_back({s.GetActiveIndex(), s.Shows(ID_WIZBACK), s.Shows(ID_WIZNEXT), s.Shows(ID_WIZFINISH)});
    };
    auto press = [](int button) { return [button](CScriptSheet& s) { s.PressButton(button); }; };
    auto idle = [](CScriptSheet&) {};
    sheet.steps = {idle, look, press(PSBTN_NEXT), idle, look, press(PSBTN_NEXT), idle, look,
                   press(PSBTN_BACK), idle, look, press(PSBTN_NEXT), idle, press(PSBTN_FINISH)};
    EXPECT_EQ(IDOK, sheet.DoModal());
    ASSERT_EQ(4u, seen.size());
    const Seen expected[] = {{0, false, true, false}, {1, true, true, false},
                             {2, true, false, true}, {1, true, true, false}};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].page, seen[i].page);
        EXPECT_EQ(expected[i].back, seen[i].back);
        EXPECT_EQ(expected[i].next, seen[i].next);
        EXPECT_EQ(expected[i].finish, seen[i].finish);
    }
}
