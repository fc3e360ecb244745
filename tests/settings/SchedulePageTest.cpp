// The schedule page over the timing library: each row keeps its item, so
// two items with the same texts are edited and deleted each as itself; a
// row appears only for an item the library took.
#include "SettingsFixture.h"

#include "resources/Resource.h"
#include "settings/ScheduleDlg.h"
#include "settings/SchedulePage.h"

#include <commctrl.h>

namespace {

// What the scripted dialog answers: OK with these records.
struct DialogAnswer
{
    _tagTimingParam timing;
    _tagExcuteParam execute;
    int runs = 0;
    _tagTimingParam shown = {}; // the records the page handed in
};
DialogAnswer g_answer;

INT_PTR AnswerDialog(CScheduleDlg& dialog)
{
    ++g_answer.runs;
    g_answer.shown = dialog.m_timing;
    dialog.m_timing = g_answer.timing;
    dialog.m_execute = g_answer.execute;
    return IDOK;
}

class SchedulePageTest : public SettingsTest
{
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        ASSERT_TRUE(Timing_Initialize(dir.File("Rec.rec").c_str(), 128));
        CSchedulePage::SetDialogRunner(&AnswerDialog);
        g_answer = DialogAnswer();
        g_answer.timing = {2031, 3, 4, 20, 0, 0, 1800, 1, 0, 0};
        g_answer.execute = {44, 0, 1800, 0, 0, 175250, 0, 0, {0, 0, 0}};
    }
    void TearDown() override
    {
        CSchedulePage::SetDialogRunner(NULL);
        Timing_Uninitialize();
        SettingsTest::TearDown();
    }
    // Runs the page in a sheet; the steps act on it, then the sheet ends.
    void Run(CSchedulePage& page)
    {
        sheet.reset(new CPropertySheet("Settings"));
        sheet->AddPage(&page);
        script.isOpen = [this]() { return sheet->m_hWnd != NULL; };
        script.end = [this]() {
            if (sheet->m_hWnd != NULL)
                sheet->EndDialog(IDCANCEL);
        };
        script.Start();
        sheet->DoModal();
    }
    static void SelectRow(CSchedulePage& page, int row)
    {
        HWND list = ::GetDlgItem(page.m_hWnd, IDC_SCHEDULEPAGE_LIST);
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = 0;
        ::SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&item);
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(list, LVM_SETITEMSTATE, row, (LPARAM)&item);
    }
    static std::vector<HTIMINGITEM> Items()
    {
        std::vector<HTIMINGITEM> items;
        for (HTIMINGITEM i = Timing_GetFirstItem(0); i; i = Timing_GetNextItem(0, i))
            items.push_back(i);
        return items;
    }
    static int Duration(HTIMINGITEM item)
    {
        _tagTimingParam t = {};
        Timing_GetItemTimingParam(item, &t);
        return t.nDuration;
    }

    std::unique_ptr<CPropertySheet> sheet;
    CScript script;
};

} // namespace

TEST_F(SchedulePageTest, TwoItemsWithTheSameTextsAreEditedAndDeletedEachAsItself)
{
    // The same texts, a week apart: a weekly item and a once item on its day
    // would overlap; two once items on different dates do not.
    CSchedulePage page(Context());
    std::vector<HTIMINGITEM> items;
    script.steps = {
        [&] {
            page.AddItem();
            g_answer.timing.nDay = 11;
            page.AddItem();
        },
        [&] {
            items = Items();
            ASSERT_EQ(2u, items.size());
            ASSERT_EQ(2, page.GetRowCount());
            EXPECT_EQ(items[0], page.GetRowItem(0));
            EXPECT_EQ(items[1], page.GetRowItem(1));
            // Edit the second: it changes, the first stays.
            SelectRow(page, 1);
            g_answer.timing.nDuration = g_answer.execute.nDuration = 2400;
            page.EditItem();
            EXPECT_EQ(11, g_answer.shown.nDay);
            EXPECT_EQ(1800, Duration(items[0]));
            EXPECT_EQ(2400, Duration(items[1]));
            EXPECT_EQ(items[1], page.GetRowItem(page.GetRowCount() - 1));
            // Delete the first row's item: the second stays.
            for (int row = 0; row < page.GetRowCount(); ++row)
                if (page.GetRowItem(row) == items[0])
                    SelectRow(page, row);
            page.DeleteItem();
            ASSERT_EQ(1u, Items().size());
            EXPECT_EQ(items[1], Items()[0]);
            EXPECT_EQ(1, page.GetRowCount());
            EXPECT_EQ(items[1], page.GetRowItem(0));
        },
    };
    Run(page);
}

TEST_F(SchedulePageTest, AnItemTheLibraryRefusesAddsNoRow)
{
    CSchedulePage page(Context());
    MessageBoxCapture boxes;
    script.steps = {
        [&] { page.AddItem(); },
        [&] {
            ASSERT_EQ(1, page.GetRowCount());
            // The same time again: it overlaps.
            page.AddItem();
            EXPECT_EQ(1, page.GetRowCount());
            EXPECT_EQ(1u, Items().size());
            ASSERT_EQ(1u, boxes.Boxes().size());
            CString conflict;
            conflict.LoadString(IDS_SCHEDULE_CONFLICT);
            EXPECT_EQ(std::string(conflict), boxes.Boxes()[0].text);
            // A time the library cannot take (no such day): no row, no box.
            g_answer.timing.nMonth = 13;
            page.AddItem();
            EXPECT_EQ(1, page.GetRowCount());
            EXPECT_EQ(1u, boxes.Boxes().size());
        },
    };
    Run(page);
    EXPECT_EQ(3, g_answer.runs);
}

TEST_F(SchedulePageTest, OKHandsThePowerOffTimeToThePanel)
{
    manager->SetEnableShut(FALSE);
    CSchedulePage page(Context());
    script.steps = {
        [&] {
            page.CheckDlgButton(IDC_SCHEDULEPAGE_SHUT_DOWN, BST_CHECKED);
            SYSTEMTIME t = {2030, 5, 5, 17, 23, 30, 0, 0};
            page.SendDlgItemMessage(IDC_SCHEDULEPAGE_SHUT_DOWN_TIME, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&t);
            EXPECT_TRUE(page.SaveSettings());
        },
    };
    Run(page);
    EXPECT_EQ(1, panel.powerOffCalls);
    EXPECT_TRUE(panel.powerOffEnabled);
    EXPECT_EQ(23, panel.powerOffTime.GetHour());
    EXPECT_EQ(30, panel.powerOffTime.GetMinute());
    EXPECT_TRUE(manager->GetEnableShut());
    // The power-on time lies ahead.
    EXPECT_GT(manager->GetOpenTime().GetTime(), CTime::GetCurrentTime().GetTime());
}
