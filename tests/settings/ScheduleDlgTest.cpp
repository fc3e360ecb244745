// The schedule dialog on the program's template: what a new item starts
// with, the records OK writes (the channel from the item's own source's
// table), and the items it refuses with a message while staying open.
#include "settings/ScheduleDlg.h"

#include "engine/TVManager.h"
#include "platform/mfc/Resource.h"
#include "resources/Resource.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class ScheduleDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_library = ::LoadLibraryA("Mavrel.dll");
        ASSERT_NE(nullptr, m_library);
        m_saved = AfxGetResourceHandle();
        AfxSetResourceHandle(m_library);
        manager.reset(new CTVManager(dir.Path().c_str()));
        manager->InitNameTables();
        CChannelTable& tv = manager->GetTVTable();
        tv.AddChannel(CChannel(5, 175250, "Eins", CHANNEL_VALID));
        tv.AddChannel(CChannel(7, 471250, "Sport", CHANNEL_VALID));
        tv.AddChannel(CChannel(9, 503250, "Hidden", CHANNEL_VALID | CHANNEL_HIDDEN));
        tv.SetCurrentChannel(tv.GetChannel(1));
        CChannelTable& fm = manager->GetFMTable();
        fm.AddChannel(CChannel(1, 88000, "Klassik", CHANNEL_VALID));
        fm.AddChannel(CChannel(2, 503250, "Radio", CHANNEL_VALID));
    }
    void TearDown() override
    {
        manager.reset();
        AfxSetResourceHandle(m_saved);
        if (m_library)
            ::FreeLibrary(m_library);
    }

    // Runs the dialog; `drive` acts on it from its own loop and presses OK;
    // a dialog still open after that is cancelled.
    INT_PTR Run(CScheduleDlg& dialog, const std::function<void(HWND)>& drive)
    {
        static const std::function<void(HWND)>* s_drive;
        static CScheduleDlg* s_dialog;
        s_drive = &drive;
        s_dialog = &dialog;
        UINT_PTR timer = ::SetTimer(NULL, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND open = s_dialog->m_hWnd;
            if (!open || !::IsWindowVisible(open))
                return;
            ::KillTimer(NULL, id);
            (*s_drive)(open);
            ::SendMessageA(open, WM_COMMAND, IDOK, 0);
            if (::IsWindow(open) && ::IsWindowVisible(open))
                ::PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
        });
        const INT_PTR result = dialog.DoModal();
        ::KillTimer(NULL, timer);
        return result;
    }

    static void SelectSource(HWND dialog, int row)
    {
        HWND combo = ::GetDlgItem(dialog, IDC_SCHEDULEDLG_SOURCE);
        ::SendMessageA(combo, CB_SETCURSEL, row, 0);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SCHEDULEDLG_SOURCE, CBN_SELCHANGE), (LPARAM)combo);
    }
    static void SetDuration(HWND dialog, int h, int m, int s)
    {
        ::SetDlgItemInt(dialog, IDC_SCHEDULEDLG_HOURS, h, FALSE);
        ::SetDlgItemInt(dialog, IDC_SCHEDULEDLG_MINUTES, m, FALSE);
        ::SetDlgItemInt(dialog, IDC_SCHEDULEDLG_SECONDS, s, FALSE);
    }

    TempFolder dir;
    MessageBoxCapture boxes;
    std::unique_ptr<CTVManager> manager;
    HMODULE m_library = NULL;
    HINSTANCE m_saved = NULL;
    const CTime now = CTime(2030, 5, 17, 20, 15, 0); // a Friday
};

} // namespace

TEST_F(ScheduleDlgTest, ANewItemRecordsTheCurrentChannelWeeklyOnToday)
{
    CScheduleDlg dialog(*manager);
    dialog.SetNow(now);
    const size_t before = boxes.Boxes().size();
    std::string channelText;
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND open) {
        char text[64] = {0};
        ::GetDlgItemTextA(open, IDC_SCHEDULEDLG_CHANNEL, text, sizeof text);
        channelText = text;
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(open, IDC_SCHEDULEDLG_DATE)));
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(open, IDC_SCHEDULEDLG_WEEKDAYS)));
        // The hidden channel is not offered.
        EXPECT_EQ(2, (int)::SendDlgItemMessageA(open, IDC_SCHEDULEDLG_CHANNEL, CB_GETCOUNT, 0, 0));
        SaveWindowShot(open, "schedule_dialog");
    }));
    EXPECT_EQ(before, boxes.Boxes().size());
    EXPECT_EQ("7.Sport", channelText);
    EXPECT_EQ(0, dialog.m_timing.nOnce);
    EXPECT_EQ(1 << 4, dialog.m_timing.nWeekMask); // Friday
    EXPECT_EQ(20, dialog.m_timing.nHour);
    EXPECT_EQ(16, dialog.m_timing.nMinute);
    EXPECT_EQ(50 * 60, dialog.m_timing.nDuration);
    EXPECT_EQ(44, dialog.m_execute.nSize);
    EXPECT_EQ(0, dialog.m_execute.nSource);
    EXPECT_EQ(1, dialog.m_execute.nChannel);
    EXPECT_EQ(471250, dialog.m_execute.nFrequency);
    EXPECT_EQ(50 * 60, dialog.m_execute.nDuration);
}

TEST_F(ScheduleDlgTest, AnFMItemTakesItsChannelIndexFromTheFMTable)
{
    CScheduleDlg dialog(*manager);
    dialog.SetNow(now);
    const INT_PTR result = Run(dialog, [&](HWND open) {
        const int sources = (int)::SendDlgItemMessageA(open, IDC_SCHEDULEDLG_SOURCE, CB_GETCOUNT, 0, 0);
        if (sources < 4)
            return; // no FM tuner on this card: nothing to choose
        SelectSource(open, 3);
        ::SendDlgItemMessageA(open, IDC_SCHEDULEDLG_CHANNEL, CB_SETCURSEL, 1, 0);
    });
    if (!manager->HasFMTuner())
        GTEST_SKIP() << "the manager reports no FM tuner without a card";
    ASSERT_EQ(IDOK, result);
    EXPECT_EQ(3, dialog.m_execute.nSource);
    EXPECT_EQ(503250, dialog.m_execute.nFrequency);
    EXPECT_EQ(1, dialog.m_execute.nChannel); // not 2, its place in the TV table
}

TEST_F(ScheduleDlgTest, ItemsThatCannotRecordAreRefusedAndTheDialogStays)
{
    struct Case
    {
        const char* name;
        std::function<void(HWND)> drive;
        UINT message; // 0: accepted
    };
    const Case cases[] = {
        {"once, starting now",
         [](HWND open) {
             ::CheckDlgButton(open, IDC_SCHEDULEDLG_ONCE, BST_CHECKED);
             SYSTEMTIME t = {2030, 5, 5, 17, 20, 15, 0, 0};
             ::SendDlgItemMessageA(open, IDC_SCHEDULEDLG_START, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&t);
         },
         IDS_SCHEDULE_START_PASSED},
        {"weekly without days",
         [](HWND open) {
             HWND days = ::GetDlgItem(open, IDC_SCHEDULEDLG_WEEKDAYS);
             for (int d = 0; d < 7; ++d)
                 ::SendMessageA(days, CB_SETITEMDATA, d, 0);
         },
         IDS_SCHEDULE_NO_WEEKDAY},
        {"no length", [](HWND open) { SetDuration(open, 0, 0, 0); }, IDS_SCHEDULE_NO_DURATION},
        {"24:59:59", [](HWND open) { SetDuration(open, 24, 59, 59); }, 0},
    };
    for (const Case& c : cases) {
        CScheduleDlg dialog(*manager);
        dialog.SetNow(now);
        const size_t before = boxes.Boxes().size();
        const INT_PTR result = Run(dialog, c.drive);
        if (!c.message) {
            EXPECT_EQ(IDOK, result) << c.name;
            EXPECT_EQ(before, boxes.Boxes().size()) << c.name;
            EXPECT_EQ(24 * 3600 + 59 * 60 + 59, dialog.m_timing.nDuration);
            continue;
        }
        EXPECT_EQ(IDCANCEL, result) << c.name;
        ASSERT_EQ(before + 1, boxes.Boxes().size()) << c.name;
        CString expected;
        expected.LoadString(c.message);
        EXPECT_EQ(std::string(expected), boxes.Boxes().back().text) << c.name;
    }
}

TEST_F(ScheduleDlgTest, AnEditedItemShowsItsRecords)
{
    CScheduleDlg dialog(*manager);
    dialog.SetNow(now);
    dialog.m_bNewItem = FALSE;
    dialog.m_timing = {2031, 1, 2, 6, 30, 0, 2 * 3600 + 5, 1, 0, 0};
    dialog.m_execute = {44, 0, 2 * 3600 + 5, 0, 0, 175250, 0, 1, {0, 0, 0}};
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND open) {
        EXPECT_TRUE(::IsDlgButtonChecked(open, IDC_SCHEDULEDLG_ONCE));
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(open, IDC_SCHEDULEDLG_DATE)));
        EXPECT_EQ(2u, ::GetDlgItemInt(open, IDC_SCHEDULEDLG_HOURS, NULL, FALSE));
        EXPECT_EQ(5u, ::GetDlgItemInt(open, IDC_SCHEDULEDLG_SECONDS, NULL, FALSE));
        EXPECT_TRUE(::IsDlgButtonChecked(open, IDC_SCHEDULEDLG_HIBERNATE));
        char text[64] = {0};
        ::GetDlgItemTextA(open, IDC_SCHEDULEDLG_CHANNEL, text, sizeof text);
        EXPECT_STREQ("5.Eins", text);
        // Power off and hibernate exclude each other.
        ::CheckDlgButton(open, IDC_SCHEDULEDLG_POWER_OFF, BST_CHECKED);
        ::SendMessageA(open, WM_COMMAND, MAKEWPARAM(IDC_SCHEDULEDLG_POWER_OFF, BN_CLICKED),
                       (LPARAM)::GetDlgItem(open, IDC_SCHEDULEDLG_POWER_OFF));
        EXPECT_FALSE(::IsDlgButtonChecked(open, IDC_SCHEDULEDLG_HIBERNATE));
    }));
    EXPECT_EQ(2031, dialog.m_timing.nYear);
    EXPECT_EQ(6, dialog.m_timing.nHour);
    EXPECT_EQ(30, dialog.m_timing.nMinute);
    EXPECT_EQ(175250, dialog.m_execute.nFrequency);
    EXPECT_EQ(0, dialog.m_execute.nChannel);
    EXPECT_EQ(1, dialog.m_execute.bPowerOff);
    EXPECT_EQ(0, dialog.m_execute.bHibernate);
}
