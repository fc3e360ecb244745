// The channel page on a manager without a card: the list and its sort,
// rows moved by dragging with the table following, typed frequencies, new,
// deleted and imported channels with nothing left pointing at a freed one,
// Cancel bringing everything back, and the FM page's own look.
#include "SettingsFixture.h"

#include "resources/Resource.h"
#include "settings/ChannelPage.h"
#include "tests/support/WindowProbe.h"

#include <commctrl.h>

namespace {

class ChannelPageTest : public SettingsTest
{
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        CChannelTable& tv = manager->GetTVTable();
        tv.RemoveAll();
        const struct { long id, kHz; const char* name; DWORD flags; } channels[] = {
            {1, 175250, "Eins", CHANNEL_VALID},
            {2, 182250, "zwei", CHANNEL_VALID | CHANNEL_FAVOR},
            {3, 189250, "Drei", CHANNEL_VALID},
            {4, 196250, "hidden", CHANNEL_VALID | CHANNEL_HIDDEN},
            {5, 203250, "Arte", CHANNEL_VALID},
            {6, 210250, "Bravo", CHANNEL_VALID},
        };
        for (const auto& c : channels)
            tv.AddChannel(CChannel(c.id, c.kHz, c.name, c.flags));
        tv.SetCurrentIndex(2);
        tv.SetCurrentFrequency(189250);
    }
    // Runs the page alone in a sheet; the steps act on it, then the sheet
    // ends with `end` (a button of the sheet) unless a step ended it.
    void Run(CChannelPage& page, int end = IDCANCEL)
    {
        sheet.reset(new CPropertySheet("Settings"));
        sheet->AddPage(&page);
        script.isOpen = [this]() { return sheet->m_hWnd != NULL; };
        script.end = [this, end]() {
            if (sheet->m_hWnd != NULL)
                sheet->PressButton(end == IDOK ? PSBTN_OK : PSBTN_CANCEL);
        };
        script.Start();
        sheet->DoModal();
    }
    static std::string Rows(CChannelPage& page)
    {
        std::string rows;
        CListCtrl& list = page.GetList();
        for (int r = 0; r < list.GetItemCount(); ++r)
            rows += std::string(list.GetItemText(r, 0)) + "." + std::string(list.GetItemText(r, 1)) + "/" +
                    std::string(list.GetItemText(r, 3)) + ";";
        return rows;
    }
    std::string TableOrder()
    {
        std::string names;
        CChannelTable& tv = manager->GetTVTable();
        for (int i = 0; i < tv.GetSize(); ++i)
            names += std::string(tv.GetChannel(i)->Name) + ";";
        return names;
    }
    static void ClickColumn(CChannelPage& page, int column)
    {
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = page.GetList().m_hWnd;
        click.hdr.idFrom = IDC_CHANNELPAGE_LIST;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        ::SendMessageA(page.m_hWnd, WM_NOTIFY, IDC_CHANNELPAGE_LIST, (LPARAM)&click);
    }
    static void SelectRow(CChannelPage& page, int row)
    {
        page.GetList().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    std::unique_ptr<CPropertySheet> sheet;
    CScript script;
};

const char kInOrder[] = "1.Eins/1;2.zwei/2;3.Drei/3;4.Arte/5;5.Bravo/6;";

} // namespace

TEST(ChannelListSort, ComparesByTheClickedColumn)
{
    const CChannel a(1, 175250, "arte", CHANNEL_VALID | CHANNEL_FAVOR), b(2, 182250, "Bravo", CHANNEL_VALID);
    struct { int column; int order; } cases[] = {{0, 1}, {1, -1}, {2, -1}, {3, -1}, {9, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.order, CChannelListCtrl::Compare(&a, &b, c.column, TRUE)) << c.column;
        EXPECT_EQ(-c.order, CChannelListCtrl::Compare(&a, &b, c.column, FALSE)) << c.column;
    }
    const CChannel upper(3, 1, "ARTE", CHANNEL_VALID);
    EXPECT_EQ(0, CChannelListCtrl::Compare(&a, &upper, 1, TRUE));
}

TEST_F(ChannelPageTest, ListsVisibleChannelsSortsTheListAndMovesTheTableByDragging)
{
    CChannelPage page(Context(), FALSE);
    script.steps = {
        [&] {
            EXPECT_EQ(kInOrder, Rows(page));
            EXPECT_EQ(2, page.GetList().GetNextItem(-1, LVNI_SELECTED)); // the current channel
            ClickColumn(page, 1); // name, ascending
            EXPECT_EQ("1.Arte/5;2.Bravo/6;3.Drei/3;4.Eins/1;5.zwei/2;", Rows(page));
            ClickColumn(page, 1); // descending
            EXPECT_EQ("1.zwei/2;2.Eins/1;3.Drei/3;4.Bravo/6;5.Arte/5;", Rows(page));
            // Only the list is sorted.
            EXPECT_EQ("Eins;zwei;Drei;hidden;Arte;Bravo;", TableOrder());
            // After a sort, a drop moves the channel before the one dropped on.
            page.MoveChannel(0, 3); // zwei before Bravo
            EXPECT_EQ("1.Eins/1;2.Drei/3;3.zwei/2;4.Bravo/6;5.Arte/5;", Rows(page));
            EXPECT_EQ("Eins;Drei;hidden;Arte;zwei;Bravo;", TableOrder());
            // Beyond the last row: after the last channel.
            page.MoveChannel(0, 5);
            EXPECT_EQ("Drei;hidden;Arte;zwei;Bravo;Eins;", TableOrder());
            // On itself or just below: nothing.
            const std::string before = TableOrder();
            page.MoveChannel(1, 1);
            page.MoveChannel(1, 2);
            EXPECT_EQ(before, TableOrder());
            // The current channel is still the one it was.
            EXPECT_EQ("Drei", std::string(manager->GetTVTable().GetCurrentChannel()->Name));
        },
    };
    Run(page);
}

TEST_F(ChannelPageTest, ATypedFrequencyIsExactAndRefusedOutsideTheTuner)
{
    CChannelPage page(Context(), FALSE);
    CChannel* eins = manager->GetTVTable().GetChannel(0);
    script.steps = {
        [&] {
            SelectRow(page, 0);
            ASSERT_EQ(eins, page.GetSelectedChannel());
            page.SetDlgItemText(IDC_CHANNELPAGE_FREQUENCY, "48.29");
            EXPECT_TRUE(page.SetSelectedFrequency());
            EXPECT_EQ(48290, eins->Frequency);
            page.SetDlgItemText(IDC_CHANNELPAGE_FREQUENCY, "471.2499");
            EXPECT_TRUE(page.SetSelectedFrequency());
            EXPECT_EQ(471249, eins->Frequency);
            MessageBoxCapture boxes;
            for (const char* bad : {"", "abc", "99999", "1.2.3"}) {
                page.SetDlgItemText(IDC_CHANNELPAGE_FREQUENCY, bad);
                EXPECT_FALSE(page.SetSelectedFrequency()) << bad;
            }
            EXPECT_EQ(4u, boxes.Boxes().size());
            EXPECT_EQ(471249, eins->Frequency);
        },
    };
    Run(page);
}

TEST_F(ChannelPageTest, ANewChannelGetsTheCurrentFrequencyAndIsKeptByTheChannelFile)
{
    CChannelPage page(Context(), FALSE);
    script.steps = {
        [&] {
            ::SendMessageA(page.m_hWnd, WM_COMMAND, ID_CHANNEL_NEW, 0);
            CChannel* added = page.GetSelectedChannel();
            ASSERT_NE(nullptr, added);
            EXPECT_EQ("New Channel", std::string(added->Name));
            EXPECT_EQ(7, added->ID);
            EXPECT_EQ(189250, added->Frequency);
            EXPECT_EQ("6.New Channel/7;", Rows(page).substr(std::string(kInOrder).size()));
        },
    };
    Run(page, IDOK);
    const std::string file = dir.File("new.tvc");
    ASSERT_TRUE(manager->GetTVTable().SaveToFile(file.c_str()));
    CChannelTable back;
    ASSERT_TRUE(back.LoadFromFile(file.c_str()));
    ASSERT_EQ(6, back.GetSize()); // the hidden channel is not written
    EXPECT_EQ("New Channel", std::string(back.GetChannel(5)->Name));
    EXPECT_EQ(189250, back.GetChannel(5)->Frequency);
}

TEST_F(ChannelPageTest, DeletingTheCurrentChannelLeavesNoPointerToItAndCancelBringsAllBack)
{
    CChannelPage page(Context(), FALSE);
    script.steps = {
        [&] {
            SelectRow(page, 2); // Drei, the current channel
            page.DeleteSelected();
            SelectRow(page, 0);
            page.DeleteSelected();
            EXPECT_EQ("1.zwei/2;2.Arte/5;3.Bravo/6;", Rows(page));
            CChannelTable& tv = manager->GetTVTable();
            EXPECT_EQ(4, tv.GetSize());
            // Whatever the table calls current is one of its own channels.
            CChannel* current = tv.GetCurrentChannel();
            EXPECT_TRUE(current == NULL || tv.IndexOf(current) >= 0);
            EXPECT_TRUE(page.GetSelectedChannel() == NULL || tv.IndexOf(page.GetSelectedChannel()) >= 0);
            // The panel heard of it, so its tune-channel list drops the freed ones.
            EXPECT_GE(panel.channelListChanges, 2);
        },
    };
    Run(page, IDCANCEL);
    EXPECT_EQ("Eins;zwei;Drei;hidden;Arte;Bravo;", TableOrder());
    CChannel* current = manager->GetTVTable().GetCurrentChannel();
    ASSERT_NE(nullptr, current);
    EXPECT_EQ("Drei", std::string(current->Name));
}

TEST_F(ChannelPageTest, ExportAndImportRoundTripInBothFormats)
{
    CChannelPage page(Context(), FALSE);
    MessageBoxCapture boxes;
    script.steps = {
        [&] {
            // The ini form keeps names and frequencies, not the numbers.
            const struct { const char* name; const char* rows; } files[] = {
                {"list.tvb", kInOrder},
                {"list.INI", "1.Eins/1;2.zwei/2;3.Drei/3;4.Arte/4;5.Bravo/5;"},
            };
            for (const auto& f : files) {
                const char* name = f.name;
                const std::string path = dir.File(name);
                ASSERT_TRUE(page.ExportTo(path.c_str())) << name;
                SelectRow(page, 0);
                page.DeleteSelected();
                ASSERT_TRUE(page.ImportFrom(path.c_str())) << name;
                EXPECT_EQ(f.rows, Rows(page)) << name;
                EXPECT_EQ(nullptr, page.GetSelectedChannel() && manager->GetTVTable().IndexOf(page.GetSelectedChannel()) < 0
                                       ? page.GetSelectedChannel()
                                       : nullptr);
            }
            ASSERT_TRUE(dir.Write("bad.tvb", "not a channel list\r\n"));
            const std::string before = Rows(page);
            EXPECT_FALSE(page.ImportFrom(dir.File("bad.tvb").c_str()));
            EXPECT_EQ(before, Rows(page));
            ASSERT_EQ(1u, boxes.Boxes().size());
        },
    };
    Run(page);
}

TEST_F(ChannelPageTest, TheFMPageShowsNoRegionControlsAndReadsFM)
{
    manager->GetFMTable().AddChannel(CChannel(1, 88000, "Klassik", CHANNEL_VALID));
    CChannelPage page(Context(), TRUE);
    script.steps = {
        [&] {
            for (UINT id : {IDC_CHANNELPAGE_COUNTRY, IDC_CHANNELPAGE_TABLE, IDC_CHANNELPAGE_MODE_CABLE,
                            IDC_CHANNELPAGE_MODE_SWEEP, IDC_CHANNELPAGE_COUNTRY_LABEL})
                EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page.m_hWnd, id))) << id;
            CString title;
            page.GetWindowText(title);
            EXPECT_NE(-1, title.Find("FM"));
            EXPECT_EQ(-1, title.Find("TV"));
            EXPECT_EQ("1.Klassik/1;", Rows(page));
        },
        [&] {
            PumpFor(300);
            SaveWindowShot(sheet->m_hWnd, "channel_page_fm");
        },
    };
    Run(page);
}

TEST_F(ChannelPageTest, TheActivePageListsWhatAScanFindsAndItsWholeTableAtTheEnd)
{
    // Two pages in one sheet: only the active one hears of the scan.
    CChannelPage tvPage(Context(), FALSE), fmPage(Context(), TRUE);
    manager->GetTVTable().SetReservePrev(FALSE);
    manager->GetFMTable().AddChannel(CChannel(1, 88000, "Klassik", CHANNEL_VALID));
    sheet.reset(new CPropertySheet("Settings"));
    sheet->AddPage(&tvPage);
    sheet->AddPage(&fmPage);
    script.isOpen = [this]() { return sheet->m_hWnd != NULL; };
    script.end = [this]() { sheet->PressButton(PSBTN_CANCEL); };
    script.steps = {
        [&] {
            ASSERT_EQ(&tvPage, CChannelPage::GetOpenPage());
            // A scan started elsewhere (the panel): found channels join the
            // rows there are, hidden ones do not.
            manager->BeginScanTable();
            manager->AddScanPoint(471250, 1);
            manager->AddScanPoint(479250, 0);
            manager->AddScanPoint(487250, 2);
            EXPECT_EQ(std::string(kInOrder) + "6.TV-1/1;7.TV-3/3;", Rows(tvPage));
            // The end lists the scanned table alone, and Cancel keeps it.
            manager->FinishScan();
            EXPECT_EQ("1.TV-1/1;2.TV-3/3;", Rows(tvPage));
            EXPECT_EQ(3, tvPage.GetBackup().GetSize());
        },
        [&] { sheet->SetActivePage(1); },
        [&] {
            ASSERT_EQ(&fmPage, CChannelPage::GetOpenPage());
            // A TV scan is no business of the FM page, nor of the page left.
            manager->BeginScanTable();
            manager->AddScanPoint(175250, 1);
            manager->FinishScan();
            EXPECT_EQ("1.Klassik/1;", Rows(fmPage));
            EXPECT_EQ("1.TV-1/1;2.TV-3/3;", Rows(tvPage));
        },
    };
    script.Start();
    sheet->DoModal();
    EXPECT_EQ(nullptr, CChannelPage::GetOpenPage());
    // No page is told of a scan once the sheet is gone.
    manager->BeginScanTable();
    manager->AddScanPoint(175250, 1);
    manager->FinishScan();
}

TEST_F(ChannelPageTest, ScanAsksFirstThenClearsTheListAndHasThePanelScan)
{
    const struct
    {
        int answer;
        int starts;
        std::string rows;
    } cases[] = {
        {IDCANCEL, 0, kInOrder}, // a refused question starts nothing
        {IDOK, 1, ""},
    };
    for (const auto& c : cases) {
        CChannelPage page(Context(), FALSE);
        MessageBoxCapture answers(c.answer);
        script.steps = {
            [&] {
                Click(&page, IDC_CHANNELPAGE_SCAN);
                EXPECT_EQ(1u, answers.Boxes().size());
                EXPECT_EQ(c.starts, panel.scanStarts);
                EXPECT_EQ(c.rows, Rows(page));
            },
        };
        Run(page);
    }
}
