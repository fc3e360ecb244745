// The record page on a manager without a card: the time-shift rows, what
// OK stores (folders that cannot be used replaced by the defaults, the
// motion search's values), what Cancel puts back, and the codec button
// when the codec or its settings dialog is missing.
#include "SettingsFixture.h"

#include "graph/RootGraph.h"
#include "resources/Resource.h"
#include "settings/RecordPage.h"

#include <uuids.h>

#include <cstdio>

TEST(RecordPageRows, TimeShiftLengthSelectsItsRow)
{
    struct { int seconds, row; } cases[] = {{300, 0}, {600, 0}, {1200, 1}, {3600, 5}, {7200, 5}, {0, 0}, {-5, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.row, CRecordPage::TimeShiftRow(c.seconds)) << c.seconds;
}

namespace {

class RecordPageTest : public SettingsTest
{
protected:
    void Run(CRecordPage& page, int button)
    {
        sheet.reset(new CPropertySheet("Settings"));
        sheet->AddPage(&page);
        script.isOpen = [this]() { return sheet->m_hWnd != NULL; };
        script.end = [this, button]() {
            if (sheet->m_hWnd != NULL)
                sheet->PressButton(button);
        };
        script.Start();
        sheet->DoModal();
    }
    std::unique_ptr<CPropertySheet> sheet;
    CScript script;
};

} // namespace

TEST_F(RecordPageTest, OKStoresUsableFoldersAndTheChoices)
{
    const std::string snaps = dir.File("snaps");
    manager->Settings().PicDir = snaps.c_str();
    CRecordPage page(Context());
    script.steps = {
        [&] {
            // Made when missing.
            CString shown;
            page.GetDlgItemText(IDC_RECORDPAGE_SNAP_FOLDER, shown);
            EXPECT_EQ(snaps, std::string(shown));
            page.CheckRadioButton(IDC_RECORDPAGE_MOTION_FAST, IDC_RECORDPAGE_MOTION_BEST, IDC_RECORDPAGE_MOTION_BEST);
            page.CheckRadioButton(IDC_RECORDPAGE_BMP, IDC_RECORDPAGE_JPEG, IDC_RECORDPAGE_BMP);
            // A folder that cannot be made falls back to the default.
            page.SetDlgItemText(IDC_RECORDPAGE_SNAP_FOLDER, "Q:\\\\no\\\\such\\\\drive");
        },
    };
    Run(page, PSBTN_OK);
    EXPECT_EQ(3, manager->GetHardwareSettings().MotionSearchInc);
    EXPECT_TRUE(manager->GetSettings().SnapBmp);
    EXPECT_EQ(std::string(manager->GetDefaultPicDir()), std::string(manager->GetSettings().PicDir));
}

TEST_F(RecordPageTest, CancelPutsTheTimeShiftValuesBack)
{
    manager->SetTFTime(1200);
    manager->SetTFReserved(0);
    CRecordPage page(Context());
    script.steps = {
        [&] {
            HWND length = ::GetDlgItem(page.m_hWnd, IDC_RECORDPAGE_TIMESHIFT_LENGTH);
            EXPECT_EQ(1, (int)::SendMessageA(length, CB_GETCURSEL, 0, 0));
            ::SendMessageA(length, CB_SETCURSEL, 5, 0);
            ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_RECORDPAGE_TIMESHIFT_LENGTH, CBN_SELCHANGE), (LPARAM)length);
            EXPECT_EQ(3600, manager->GetTFTime());
        },
    };
    Run(page, PSBTN_CANCEL);
    EXPECT_EQ(1200, manager->GetTFTime());
}

TEST_F(RecordPageTest, TheCodecButtonSaysWhatIsMissingAndLeavesNothingInTheGraph)
{
    // A codec nobody installed; and, where the machine lists a video
    // compressor, one that is there but whose settings dialog is not.
    struct Case
    {
        std::string codec;
        UINT message;
    };
    std::vector<Case> cases = {{"No Such MPEG-4 Codec", IDS_MPEG4_CODEC_MISSING}};
    std::vector<std::string> compressors;
    CRootGraph::EnumDeviceNameList(&CLSID_VideoCompressorCategory, &compressors);
    if (!compressors.empty())
        cases.push_back({compressors.front(), IDS_MPEG4_CODEC_DIALOG_MISSING});
    else
        std::printf("note: no video compressor is listed here; only the missing codec is tried\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codec);
        RecordDevices devices = kRecordDevices;
        devices.xvidCodec = c.codec.c_str();
        manager->GetHardware().SetRecordDevices(devices);
        CRecordPage page(Context());
        MessageBoxCapture boxes;
        script.steps = {
            [&] {
                HWND button = ::GetDlgItem(page.m_hWnd, IDC_RECORDPAGE_CODEC_SETUP);
                page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RECORDPAGE_CODEC_SETUP, BN_CLICKED), (LPARAM)button);
            },
        };
        Run(page, PSBTN_CANCEL);
        CString expected;
        expected.LoadString(c.message);
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(std::string(expected), boxes.Boxes()[0].text);
        EXPECT_EQ(nullptr, manager->GetHardware().GetGraph().FindFilterByName(c.codec.c_str()));
    }
}
