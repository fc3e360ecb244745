// The storage page over fake disks: sizes in 64 bits and a zero total, the
// values it refuses with a message while the sheet stays, and the disk
// choice with none checked.
#include "SettingsFixture.h"

#include "resources/Resource.h"
#include "settings/StoragePage.h"
#include "tests/engine/FakeDisks.h"

#include <commctrl.h>

namespace {

class StoragePageTest : public SettingsTest
{
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        disks.Add("C:\\", 50000).totalMiB = 100000;
        disks.Add("D:\\", 0).totalMiB = 0;
        disks.Add("E:\\", 3000000000ull).totalMiB = 4000000000ull;
        manager->GetDiskManager().Enumerate();
        manager->Settings().ValidDisk.RemoveAll();
        manager->Settings().ValidDisk.Add("c:\\");
        manager->Settings().CurDisk = "C:\\";
        manager->Settings().ReservedSpace = 300;
    }
    void Run(CStoragePage& page)
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

    FakeDisks disks;
    std::unique_ptr<CPropertySheet> sheet;
    CScript script;
};

} // namespace

TEST_F(StoragePageTest, ListsEveryDiskWithItsSizesAndTheChosenOnesChecked)
{
    CStoragePage page(Context());
    script.steps = {
        [&] {
            CListCtrl* list = (CListCtrl*)page.GetDlgItem(IDC_STORAGEPAGE_DISK_LIST);
            ASSERT_EQ(3, list->GetItemCount());
            EXPECT_EQ("C:\\", std::string(list->GetItemText(0, 0)));
            EXPECT_EQ("    100000 MB", std::string(list->GetItemText(0, 1)));
            EXPECT_EQ("     50000 MB ( 50% )", std::string(list->GetItemText(0, 2)));
            EXPECT_EQ("         0 MB (  0% )", std::string(list->GetItemText(1, 2)));
            EXPECT_EQ("4000000000 MB", std::string(list->GetItemText(2, 1)));
            EXPECT_EQ("3000000000 MB ( 75% )", std::string(list->GetItemText(2, 2)));
            CCheckComboBox& combo = page.GetDiskCombo();
            EXPECT_TRUE(combo.GetCheck(0));
            EXPECT_FALSE(combo.GetCheck(1));
            EXPECT_FALSE(combo.GetCheck(2));
        },
    };
    Run(page);
}

TEST_F(StoragePageTest, ValuesThatCannotBeUsedAreRefusedWithAMessage)
{
    struct { const char* reserve; const char* folder; bool saved; UINT message; } cases[] = {
        {"49", "TVVideo", false, IDS_RESERVE_REFUSED},
        {"50001", "TVVideo", false, IDS_RESERVE_REFUSED},
        {"300", "a:b", false, IDS_FOLDER_NAME_REFUSED},
        {"300", "x|y", false, IDS_FOLDER_NAME_REFUSED},
        {"300", "  ", false, IDS_FOLDER_NAME_REFUSED},
        {"50", "TVVideo", true, 0},
        {"50000", "Recordings", true, 0},
    };
    for (const auto& c : cases) {
        CStoragePage page(Context());
        MessageBoxCapture boxes;
        BOOL saved = FALSE;
        script.steps = {
            [&] {
                page.SetDlgItemText(IDC_STORAGEPAGE_RESERVE, c.reserve);
                page.SetDlgItemText(IDC_STORAGEPAGE_FOLDER, c.folder);
                saved = page.SaveSettings();
            },
        };
        Run(page);
        EXPECT_EQ(c.saved, saved != FALSE) << c.reserve << " " << c.folder;
        if (c.message) {
            ASSERT_EQ(1u, boxes.Boxes().size()) << c.reserve << " " << c.folder;
            CString text;
            text.LoadString(c.message);
            EXPECT_EQ(std::string(text), boxes.Boxes()[0].text);
            EXPECT_EQ(300, manager->GetReservedSpace());
            EXPECT_EQ("TVVideo", std::string(manager->GetVideoFolder()));
        } else {
            EXPECT_TRUE(boxes.Boxes().empty());
            EXPECT_EQ(atoi(c.reserve), manager->GetReservedSpace());
            EXPECT_EQ(c.folder, std::string(manager->GetSettings().VideoFolder));
        }
    }
}

TEST_F(StoragePageTest, AChangedReserveIsStoredWithAChangedDiskListAndNoDiskIsNoChoice)
{
    CStoragePage page(Context());
    MessageBoxCapture boxes;
    BOOL saved = FALSE;
    script.steps = {
        [&] {
            CCheckComboBox& combo = page.GetDiskCombo();
            // None checked: the change is dropped with a message.
            combo.SetCheck(0, FALSE);
            ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_STORAGEPAGE_DISKS, CBN_SELCHANGE), (LPARAM)combo.m_hWnd);
            page.TakeCheckedDisks();
            ASSERT_EQ(1u, boxes.Boxes().size());
            CString text;
            text.LoadString(IDS_NO_DISK_CHOSEN);
            EXPECT_EQ(std::string(text), boxes.Boxes()[0].text);
            EXPECT_TRUE(combo.GetCheck(0));
            // E: added and a new reserve: both are stored.
            combo.SetCheck(2, TRUE);
            ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_STORAGEPAGE_DISKS, CBN_SELCHANGE), (LPARAM)combo.m_hWnd);
            page.SetDlgItemText(IDC_STORAGEPAGE_RESERVE, "1000");
            saved = page.SaveSettings();
        },
    };
    Run(page);
    EXPECT_TRUE(saved);
    EXPECT_EQ(1000, manager->GetReservedSpace());
    ASSERT_EQ(2, manager->GetValidDiskArray().GetSize());
    EXPECT_EQ("E:\\", std::string(manager->GetValidDiskArray()[1]));
}
