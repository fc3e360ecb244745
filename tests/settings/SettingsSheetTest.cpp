// The settings sheet and its page base: the pages of each arrangement in
// order, the sheet's flags and title, Enter and Escape kept inside a page,
// a refused save or cancel keeping the sheet open, the wizard's buttons and
// its Finish applying every page, and the panel's hot keys off while the
// sheet runs.
#include "SettingsFixture.h"
#include "SettingsTestIds.h"

#include "resources/Resource.h"
#include "settings/PropSheet.h"
#include "tests/support/WindowProbe.h"

namespace {

typedef SettingsPage P;

class CTestPage : public CBasePage
{
public:
    explicit CTestPage(const SettingsContext& context) : CBasePage(IDD_TEST_SETTINGS_PAGE, context) {}

    int loads = 0;
    int saves = 0;
    BOOL saveAnswer = TRUE;
    int cancelAnswer = 1;

    void LoadSettings() override { ++loads; }
    BOOL SaveSettings() override
    {
        ++saves;
        return saveAnswer && CBasePage::SaveSettings();
    }
    int CanCancel() override { return cancelAnswer; }
};

// A settings sheet of test pages, run under a script.
class SheetTest : public SettingsTest
{
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        for (auto& page : pages)
            page.reset(new CTestPage(Context()));
    }

    INT_PTR Run(CPropSheet& sheet, int pageCount)
    {
        for (int i = 0; i < pageCount; ++i)
            sheet.AddPage(pages[i].get());
        script.isOpen = [&sheet]() { return sheet.m_hWnd != NULL; };
        script.end = [&sheet]() {
            if (sheet.m_hWnd != NULL)
                sheet.EndDialog(-2);
        };
        script.Start();
        return sheet.DoModal();
    }
    static bool Open(CPropSheet& sheet)
    {
        return sheet.m_hWnd != NULL && sheet.SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
    }
    static bool Shows(CPropSheet& sheet, int id)
    {
        HWND button = ::GetDlgItem(sheet.m_hWnd, id);
        return ::IsWindowVisible(button) && ::IsWindowEnabled(button);
    }

    std::unique_ptr<CTestPage> pages[3];
    CScript script;
};

} // namespace

TEST(SettingsPageOrder, EachArrangementListsItsPagesInOrder)
{
    const struct
    {
        SheetArrangement arrangement;
        BOOL fm;
        std::vector<SettingsPage> pages;
    } cases[] = {
        {SheetArrangement::AllPages, TRUE,
         {P::TVChannels, P::FMChannels, P::Device, P::Record, P::Schedule, P::Interface, P::Video, P::Storage}},
        {SheetArrangement::AllPages, FALSE,
         {P::TVChannels, P::Device, P::Record, P::Schedule, P::Interface, P::Video, P::Storage}},
        {SheetArrangement::TVChannel, TRUE, {P::TVChannels}},
        {SheetArrangement::FMChannel, FALSE, {P::FMChannels}},
        {SheetArrangement::Wizard, TRUE, {P::Device, P::Record, P::TVChannels, P::Video}},
        {SheetArrangement::Wizard, FALSE, {P::Device, P::Record, P::TVChannels, P::Video}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (int)c.arrangement << " fm " << c.fm);
        EXPECT_EQ(c.pages, GetSettingsPageOrder(c.arrangement, c.fm));
    }
}

TEST_F(SettingsTest, TheSheetShowsApplyAndNoHelpAndHoldsTheBuiltPagesInOrder)
{
    CPropSheet sheet(IDS_SETTINGS, NULL, 0, Context());
    EXPECT_EQ((DWORD)PSH_PROPTITLE, sheet.m_psh.dwFlags & (PSH_PROPTITLE | PSH_NOAPPLYNOW | PSH_HASHELP));
    sheet.AddAllPages();
    // The pages built so far, in the all-pages order (no FM without a card).
    std::vector<CPropertyPage*> expected;
    for (SettingsPage page : GetSettingsPageOrder(SheetArrangement::AllPages, FALSE)) {
        if (CBasePage* made = sheet.GetSettingsPage(page))
            expected.push_back(made);
    }
    ASSERT_EQ((int)expected.size(), sheet.GetPageCount());
    for (int i = 0; i < sheet.GetPageCount(); ++i)
        EXPECT_EQ(expected[(size_t)i], sheet.GetPage(i));
    EXPECT_NE(nullptr, sheet.GetSettingsPage(P::Device));
    EXPECT_NE(nullptr, sheet.GetSettingsPage(P::Interface));
    EXPECT_NE(nullptr, sheet.GetSettingsPage(P::Video));
    EXPECT_FALSE(sheet.IsWizard());

    CPropSheet wizard(IDS_SETUP_WIZARD, NULL, 0, Context());
    wizard.AddWizardPages();
    EXPECT_TRUE(wizard.IsWizard());
    EXPECT_EQ(wizard.GetSettingsPage(P::Device), wizard.GetPage(0));
}

// Apply follows the user's edits: opening a page, coming back to it and
// applying fill its controls, which marks nothing; typing does.
TEST_F(SheetTest, OnlyAnEditTurnsApplyOnNotOpeningOrRevisitingAPage)
{
    CPropSheet sheet(IDS_SETTINGS, NULL, 0, Context());
    sheet.AddAllPages();
    const int count = sheet.GetPageCount();
    std::vector<std::string> marked;
    bool onAfterEdit = false, offAfterApply = false;
    const auto look = [&]() {
        if (Shows(sheet, ID_APPLY_NOW)) {
            CString title;
            sheet.GetActivePage()->GetWindowText(title);
            marked.push_back((LPCSTR)title);
            sheet.GetActivePage()->SetModified(FALSE);
        }
    };
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < count; ++i) {
            script.steps.push_back([&sheet, i]() { sheet.SetActivePage(i); });
            script.steps.push_back(look);
        }
    script.steps.push_back([&]() {
        CBasePage* storage = sheet.GetSettingsPage(P::Storage);
        sheet.SetActivePage(storage);
        storage->SetDlgItemText(IDC_STORAGEPAGE_MINUTES, "45");
        onAfterEdit = Shows(sheet, ID_APPLY_NOW);
        sheet.PressButton(PSBTN_APPLYNOW);
    });
    script.steps.push_back([&]() { offAfterApply = !Shows(sheet, ID_APPLY_NOW); });
    script.isOpen = [&sheet]() { return sheet.m_hWnd != NULL; };
    script.end = [&sheet]() { sheet.EndDialog(-2); };
    script.Start();
    EXPECT_EQ(-2, sheet.DoModal());
    EXPECT_EQ(std::vector<std::string>(), marked) << "pages that turned Apply on by being shown";
    EXPECT_TRUE(onAfterEdit);
    EXPECT_TRUE(offAfterApply);
    EXPECT_EQ(45, manager->GetSettings().MaxLength);
}

// The sheet opens over the picture, not over the panel under it, and
// whole on the screen; without a picture shown, over its owner.
TEST_F(SheetTest, TheSheetOpensCentredOverTheVideoWindowAndWholeOnTheScreen)
{
    RECT work = {};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const CRect screen(work);
    CWnd video, panelWindow;
    const CRect videoPlace(screen.left + 100, screen.top + 40, screen.left + 740, screen.top + 560);
    const CRect panelPlace(screen.left + 100, screen.bottom - 120, screen.left + 740, screen.bottom - 20);
    ASSERT_TRUE(video.CreateEx(0, NULL, "video", WS_POPUP | WS_VISIBLE, videoPlace, NULL, 0));
    ASSERT_TRUE(panelWindow.CreateEx(0, NULL, "panel", WS_POPUP | WS_VISIBLE, panelPlace, NULL, 0));
    manager->GetHardware().SetVideoWindow(video.m_hWnd);
    for (bool videoShown : {true, false}) {
        SCOPED_TRACE(videoShown ? "video shown" : "video hidden");
        video.ShowWindow(videoShown ? SW_SHOWNA : SW_HIDE);
        CRect placed;
        script.steps = {[&]() {
            CPropertySheet* sheet = panel.openSheet;
            ASSERT_NE(nullptr, sheet);
            sheet->GetWindowRect(&placed);
        }};
        script.isOpen = [&]() { return panel.openSheet != nullptr && panel.openSheet->m_hWnd != NULL; };
        script.end = [&]() { panel.openSheet->EndDialog(-2); };
        script.Start();
        int lastPage = 0;
        EXPECT_EQ(-2, RunSettingsSheet(Context(), &panelWindow, lastPage));
        const CPoint around = (videoShown ? videoPlace : panelPlace).CenterPoint();
        const CPoint middle = placed.CenterPoint();
        if (videoShown)
            EXPECT_LE(abs(middle.y - around.y), 1) << placed.top << " to " << placed.bottom;
        EXPECT_LE(abs(middle.x - around.x), 1) << placed.left << " to " << placed.right;
        EXPECT_TRUE(screen.PtInRect(placed.TopLeft()) && placed.right <= screen.right &&
                    placed.bottom <= screen.bottom)
            << placed.left << "," << placed.top << " to " << placed.right << "," << placed.bottom;
    }
    manager->GetHardware().SetVideoWindow(NULL);
    video.DestroyWindow();
    panelWindow.DestroyWindow();
}

// Enter and Escape typed in a page's edit: neither closes the sheet.
TEST_F(SheetTest, EnterAndEscapeStayInsideThePage)
{
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        CPropSheet sheet(IDS_SETTINGS, NULL, 0, Context());
        bool open = false;
        std::string title;
        script.steps = {
            [&]() { PostKey(::GetDlgItem(pages[0]->m_hWnd, IDC_TEST_SETTINGS_EDIT), key); },
            []() {},
            [&]() {
                open = Open(sheet);
                CString text;
                sheet.GetWindowText(text);
                title = (LPCSTR)text;
            },
        };
        EXPECT_EQ(-2, Run(sheet, 1));
        EXPECT_TRUE(open);
        EXPECT_EQ(0, title.find("Settings - ")) << title << ": the caption, then the page's title";
        EXPECT_NE(std::string::npos, title.find("Test")) << title;
    }
}

TEST_F(SheetTest, ARefusedSaveKeepsTheSheetOpenAndReloadsNothing)
{
    CPropSheet sheet(IDS_SETTINGS, NULL, 0, Context());
    pages[0]->saveAnswer = FALSE;
    bool openAfterOk = false, openAfterApply = false;
    int loadsBefore = -1, loadsAfter = -1;
    script.steps = {
        [&]() {
            loadsBefore = pages[0]->loads;
            pages[0]->SetModified(TRUE);
            sheet.PressButton(PSBTN_OK);
        },
        [&]() {
            openAfterOk = Open(sheet);
            sheet.PressButton(PSBTN_APPLYNOW);
        },
        [&]() {
            openAfterApply = Open(sheet);
            loadsAfter = pages[0]->loads;
            pages[0]->saveAnswer = TRUE; // now the save goes through: reloaded once, closed
            sheet.PressButton(PSBTN_OK);
        },
    };
    EXPECT_EQ(IDOK, Run(sheet, 1));
    EXPECT_TRUE(openAfterOk);
    EXPECT_TRUE(openAfterApply);
    EXPECT_EQ(1, loadsBefore) << "loaded when the page was made";
    EXPECT_EQ(loadsBefore, loadsAfter);
    EXPECT_EQ(3, pages[0]->saves);
    EXPECT_EQ(2, pages[0]->loads);
}

TEST_F(SheetTest, APageThatCannotCancelKeepsTheSheetOpen)
{
    CPropSheet sheet(IDS_SETTINGS, NULL, 0, Context());
    pages[0]->cancelAnswer = 0;
    bool open = false;
    script.steps = {
        [&]() { sheet.PressButton(PSBTN_CANCEL); },
        [&]() {
            open = Open(sheet);
            pages[0]->cancelAnswer = 1;
            sheet.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, Run(sheet, 1));
    EXPECT_TRUE(open);
}

// The buttons follow the page's place; Finish applies every page made, and
// a page that refuses keeps the wizard open.
TEST_F(SheetTest, WizardButtonsFollowThePlaceAndFinishAppliesEveryPage)
{
    CPropSheet sheet(IDS_SETUP_WIZARD, NULL, 0, Context());
    sheet.SetWizardMode();
    struct Seen
    {
        bool back, next, finish;
    };
    std::vector<Seen> seen;
    auto look = [&]() { seen.push_back({Shows(sheet, ID_WIZBACK), Shows(sheet, ID_WIZNEXT), Shows(sheet, ID_WIZFINISH)}); };
    bool openAfterRefusal = false;
    auto idle = []() {};
    script.steps = {
        idle, look, [&]() { sheet.PressButton(PSBTN_NEXT); }, idle, look,
        [&]() { sheet.PressButton(PSBTN_NEXT); }, idle, look,
        [&]() {
            pages[1]->saveAnswer = FALSE;
            sheet.PressButton(PSBTN_FINISH);
        },
        [&]() {
            openAfterRefusal = Open(sheet);
            pages[1]->saveAnswer = TRUE;
            sheet.PressButton(PSBTN_FINISH);
        },
    };
    EXPECT_EQ(IDOK, Run(sheet, 3));
    ASSERT_EQ(3u, seen.size());
    EXPECT_TRUE(!seen[0].back && seen[0].next && !seen[0].finish);
    EXPECT_TRUE(seen[1].back && seen[1].next && !seen[1].finish);
    EXPECT_TRUE(seen[2].back && !seen[2].next && seen[2].finish);
    EXPECT_TRUE(openAfterRefusal);
    // The first Finish stopped at the page that refused; the second applied
    // every page.
    EXPECT_EQ(2, pages[1]->saves);
    for (auto& page : pages)
        EXPECT_LE(1, page->saves) << "every page applied";
}

TEST_F(SettingsTest, RunningTheSheetTurnsThePanelsHotKeysOffAndTellsItTheSheet)
{
    CScript script;
    CPropertySheet* seenOpen = nullptr;
    int lastPage = 1;
    script.isOpen = [&]() { return panel.openSheet != nullptr && panel.openSheet->m_hWnd != NULL; };
    // Each page shown once (a picture of each kept when asked for).
    auto show = [&](int page) {
        return [&, page]() {
            panel.openSheet->SetActivePage(page);
            panel.openSheet->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
            SaveScreenShot(panel.openSheet->m_hWnd, "settings_page_" + std::to_string(page));
        };
    };
    script.steps = {
        [&]() { seenOpen = panel.openSheet; },
        show(0), show(1), show(2),
        [&]() { panel.openSheet->PressButton(PSBTN_CANCEL); },
    };
    script.Start();
    EXPECT_EQ(IDCANCEL, RunSettingsSheet(Context(), NULL, lastPage));
    EXPECT_NE(nullptr, seenOpen);
    EXPECT_EQ(nullptr, panel.openSheet);
    EXPECT_EQ((std::vector<BOOL>{FALSE, TRUE}), panel.accelerators);
    EXPECT_EQ(2, lastPage) << "the page the sheet was left on";
}
