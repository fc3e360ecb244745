// The device, interface and video pages and the FM formats dialog on a
// manager without a card: what each control changes, what Cancel puts back,
// the hot-key control's modifiers as accelerator flags, the refusals the
// overlay can only give here, and the FM formats' buttons and the record
// format after a delete.
#include "SettingsFixture.h"

#include "resources/Resource.h"
#include "settings/DevicePage.h"
#include "settings/FMCustomDlg.h"
#include "settings/InterfacePage.h"
#include "settings/PropSheet.h"
#include "settings/VideoPage.h"

#include <commctrl.h>

namespace {

// One page of the settings sheet, run under a script.
class PageTest : public SettingsTest
{
protected:
    INT_PTR Run(CPropertyPage& page)
    {
        sheet.reset(new CPropertySheet("Settings"));
        sheet->AddPage(&page);
        script.isOpen = [this]() { return sheet->m_hWnd != NULL; };
        script.end = [this]() {
            if (sheet->m_hWnd != NULL)
                sheet->EndDialog(-2);
        };
        script.Start();
        return sheet->DoModal();
    }
    void Press(int button) { sheet->PressButton(button); }

    std::unique_ptr<CPropertySheet> sheet;
    CScript script;
};

std::string TextOf(CWnd& page, UINT id)
{
    CString text;
    page.GetDlgItemText((int)id, text);
    return (LPCSTR)text;
}

bool Enabled(CWnd& page, UINT id)
{
    return ::IsWindowEnabled(::GetDlgItem(page.m_hWnd, (int)id)) != FALSE;
}

void Choose(CWnd& page, UINT comboId, int row)
{
    HWND combo = ::GetDlgItem(page.m_hWnd, (int)comboId);
    ::SendMessageA(combo, CB_SETCURSEL, (WPARAM)row, 0);
    ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), (LPARAM)combo);
}

void ChooseInList(CWnd& page, UINT listId, int row)
{
    HWND list = ::GetDlgItem(page.m_hWnd, (int)listId);
    ::SendMessageA(list, LB_SETCURSEL, (WPARAM)row, 0);
    ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), (LPARAM)list);
}

void Command(CWnd& page, UINT id)
{
    ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(page.m_hWnd, (int)id));
}

} // namespace

// --- interface page ------------------------------------------------------------

TEST(InterfacePageKeys, HotKeyModifiersBecomeAcceleratorFlags)
{
    const struct
    {
        BYTE modifiers;
        BYTE flags;
    } cases[] = {
        {0, FVIRTKEY},
        {HOTKEYF_SHIFT, FVIRTKEY | FSHIFT},
        {HOTKEYF_CONTROL, FVIRTKEY | FCONTROL},
        {HOTKEYF_ALT, FVIRTKEY | FALT},
        {HOTKEYF_CONTROL | HOTKEYF_SHIFT | HOTKEYF_ALT, FVIRTKEY | FCONTROL | FSHIFT | FALT},
        // The extended-key bit is no modifier: it must not become a flag.
        {HOTKEYF_EXT, FVIRTKEY},
        {HOTKEYF_EXT | HOTKEYF_CONTROL, FVIRTKEY | FCONTROL},
        {0xF0 | HOTKEYF_ALT, FVIRTKEY | FALT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.flags, CInterfacePage::AccelFlagsFromHotKey(c.modifiers)) << "modifiers " << (int)c.modifiers;
}

class InterfacePageTest : public PageTest
{
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        CAccel& accel = panel.accel;
        accel.AddGroup("Channels");
        accel.AddCommand(0, 1000, "Next channel", "The next channel of the list");
        accel.AddCommand(0, 1001, "Previous channel", "The channel before");
        accel.SetBinding(FVIRTKEY | FCONTROL | ((DWORD)'A' << 16), 1000, 0);
        accel.SetBinding(FVIRTKEY | ((DWORD)VK_PRIOR << 16), 1000, 0);
        ASSERT_EQ(2, accel.GetBindingCount());
    }
    std::vector<std::string> Keys(WORD id)
    {
        CStringArray texts;
        panel.accel.GetKeyTexts(id, texts);
        std::vector<std::string> keys;
        for (int i = 0; i < (int)texts.GetSize(); ++i)
            keys.push_back((LPCSTR)texts[i]);
        return keys;
    }
    void SetHotKey(CWnd& page, BYTE key, BYTE modifiers)
    {
        page.SendDlgItemMessage(IDC_INTERFACEPAGE_HOTKEY, HKM_SETHOTKEY, MAKEWORD(key, modifiers));
    }
};

TEST_F(InterfacePageTest, AKeyBoundElsewhereIsRefusedAndANewOneBindsUntilCancel)
{
    CInterfacePage page(Context());
    MessageBoxCapture boxes;
    std::string description;
    std::vector<std::string> listed;
    script.steps = {
        [&]() {
            ChooseInList(page, IDC_INTERFACEPAGE_COMMANDS, 1); // previous channel
            // Ctrl+A belongs to the next channel: refused, nothing changes.
            SetHotKey(page, 'A', HOTKEYF_CONTROL);
            Command(page, IDC_INTERFACEPAGE_ASSIGN);
            // Ctrl+B, typed with the extended-key bit set, binds as Ctrl+B.
            SetHotKey(page, 'B', HOTKEYF_CONTROL | HOTKEYF_EXT);
            Command(page, IDC_INTERFACEPAGE_ASSIGN);
            description = TextOf(page, IDC_INTERFACEPAGE_DESCRIPTION);
            const int count = (int)page.SendDlgItemMessage(IDC_INTERFACEPAGE_KEYS, LB_GETCOUNT);
            for (int i = 0; i < count; ++i) {
                char text[64] = {};
                page.SendDlgItemMessage(IDC_INTERFACEPAGE_KEYS, LB_GETTEXT, (WPARAM)i, (LPARAM)text);
                listed.push_back(text);
            }
        },
        [&]() { Press(PSBTN_CANCEL); },
    };
    // The "Accel" file is absent: Cancel must not depend on it.
    EXPECT_EQ(IDCANCEL, Run(page));
    ASSERT_EQ(1u, boxes.Boxes().size());
    CString refused;
    refused.LoadString(IDS_KEY_ALREADY_BOUND);
    EXPECT_EQ((LPCSTR)refused, boxes.Boxes()[0].text);
    EXPECT_EQ("The channel before", description);
    EXPECT_EQ((std::vector<std::string>{"Ctrl+B"}), listed);
    EXPECT_EQ((std::vector<std::string>{"Ctrl+A", "PageUp"}), Keys(1000));
    EXPECT_TRUE(Keys(1001).empty()) << "Cancel put the hot keys back as they were";
    EXPECT_EQ(2, panel.accel.GetCommandCount());
}

TEST_F(InterfacePageTest, RemovingAndSavingGoThroughThePanel)
{
    CInterfacePage page(Context());
    MessageBoxCapture boxes;
    script.steps = {
        [&]() {
            ChooseInList(page, IDC_INTERFACEPAGE_COMMANDS, 0);
            Command(page, IDC_INTERFACEPAGE_REMOVE); // no key chosen: told so
            ChooseInList(page, IDC_INTERFACEPAGE_KEYS, 1);
            Command(page, IDC_INTERFACEPAGE_REMOVE);
        },
        [&]() { Press(PSBTN_OK); },
    };
    EXPECT_EQ(IDOK, Run(page));
    ASSERT_EQ(1u, boxes.Boxes().size());
    CString none;
    none.LoadString(IDS_NO_KEY_SELECTED);
    EXPECT_EQ((LPCSTR)none, boxes.Boxes()[0].text);
    EXPECT_EQ((std::vector<std::string>{"Ctrl+A"}), Keys(1000));
    EXPECT_EQ(1, panel.saves);
}

TEST_F(InterfacePageTest, TheSkinInUseIsNotLoadedAgainAndUncheckingAsksFirst)
{
    manager->SetSkinName("default");
    CInterfacePage page(Context());
    MessageBoxCapture boxes(IDNO);
    bool stillChecked = false;
    script.steps = {
        [&]() {
            // The catalogue's skins, the current one (any case) chosen again.
            const int rows = (int)page.SendDlgItemMessage(IDC_INTERFACEPAGE_SKIN, CB_GETCOUNT);
            for (int i = 0; i < rows; ++i) {
                char name[64] = {};
                page.SendDlgItemMessage(IDC_INTERFACEPAGE_SKIN, CB_GETLBTEXT, (WPARAM)i, (LPARAM)name);
                if (_stricmp(name, "default") == 0)
                    Choose(page, IDC_INTERFACEPAGE_SKIN, i);
            }
            page.CheckDlgButton(IDC_INTERFACEPAGE_START_WITH_WINDOWS, BST_UNCHECKED);
            Command(page, IDC_INTERFACEPAGE_START_WITH_WINDOWS);
            stillChecked = page.IsDlgButtonChecked(IDC_INTERFACEPAGE_START_WITH_WINDOWS) == BST_CHECKED;
        },
        [&]() { Press(PSBTN_CANCEL); },
    };
    manager->SetAutoStart(TRUE);
    EXPECT_EQ(IDCANCEL, Run(page));
    EXPECT_TRUE(panel.skinsLoaded.empty());
    EXPECT_TRUE(stillChecked) << "answered No: the box is checked again";
    EXPECT_EQ(1u, boxes.Boxes().size());
}

// --- video page ------------------------------------------------------------------

TEST_F(PageTest, VideoSlidersActAtOnceAndCancelPutsTheCardValuesBack)
{
    CVideoPage page(Context());
    const int brightness = manager->GetBrightness();
    const int saturation = manager->GetSaturation();
    int during = -1;
    script.steps = {
        [&]() {
            MoveSlider(&page, IDC_VIDEOPAGE_BRIGHTNESS, brightness + 20);
            MoveSlider(&page, IDC_VIDEOPAGE_SATURATION, saturation - 10);
            during = manager->GetBrightness();
        },
        [&]() { Press(PSBTN_CANCEL); },
    };
    EXPECT_EQ(IDCANCEL, Run(page));
    EXPECT_EQ(brightness + 20, during);
    EXPECT_EQ(brightness, manager->GetBrightness());
    EXPECT_EQ(saturation, manager->GetSaturation());
}

TEST_F(PageTest, ChoosingTheOverlaysValuesWhileItIsNotInUseSaysSoAndSwitchesAnyway)
{
    manager->SetUseOverlay(FALSE);
    ASSERT_FALSE(manager->IsOverlayInUse());
    CVideoPage page(Context());
    MessageBoxCapture boxes;
    int overlayMax = -1, cardMax = -1;
    script.steps = {
        [&]() {
            cardMax = (int)page.SendDlgItemMessage(IDC_VIDEOPAGE_BRIGHTNESS, TBM_GETRANGEMAX);
            page.CheckRadioButton(IDC_VIDEOPAGE_CARD, IDC_VIDEOPAGE_OVERLAY_SET, IDC_VIDEOPAGE_OVERLAY_SET);
            Command(page, IDC_VIDEOPAGE_OVERLAY_SET);
            overlayMax = (int)page.SendDlgItemMessage(IDC_VIDEOPAGE_BRIGHTNESS, TBM_GETRANGEMAX);
        },
        [&]() { Press(PSBTN_CANCEL); },
    };
    EXPECT_EQ(IDCANCEL, Run(page));
    CString notInUse;
    notInUse.LoadString(IDS_OVERLAY_NOT_IN_USE);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ((LPCSTR)notInUse, boxes.Boxes()[0].text);
    EXPECT_EQ(manager->GetCardRange(0).Max, cardMax);
    EXPECT_EQ(manager->GetOverlayRange(0).Max, overlayMax) << "the sliders switch to the overlay's ranges anyway";
    EXPECT_FALSE(manager->GetUseCardOrOverlay()) << "Cancel chose the card's set again";
}

TEST_F(PageTest, TheOverlayRefusedWhileARecordingRunsIsSaidAndLeftOff)
{
    manager->SetUseOverlay(FALSE);
    manager->GetHardware().SetRecording(TRUE);
    CVideoPage page(Context());
    MessageBoxCapture boxes;
    BOOL checked = TRUE, desktopEnabled = TRUE;
    script.steps = {
        [&]() {
            page.CheckDlgButton(IDC_VIDEOPAGE_OVERLAY, BST_CHECKED);
            Command(page, IDC_VIDEOPAGE_OVERLAY);
            checked = page.IsDlgButtonChecked(IDC_VIDEOPAGE_OVERLAY) == BST_CHECKED;
            desktopEnabled = Enabled(page, IDC_VIDEOPAGE_DESKTOP);
        },
        [&]() { Press(PSBTN_CANCEL); },
    };
    EXPECT_EQ(IDCANCEL, Run(page));
    manager->GetHardware().SetRecording(FALSE);
    CString refused;
    refused.LoadString(IDS_OVERLAY_REFUSED);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ((LPCSTR)refused, boxes.Boxes()[0].text);
    EXPECT_FALSE(checked) << "the box shows the overlay as it is: off";
    EXPECT_FALSE(desktopEnabled);
    EXPECT_FALSE(manager->GetSettings().UseOverlay);
    EXPECT_FALSE(manager->IsOverlayInUse());
}

TEST_F(PageTest, OnFMInputThePictureControlsAreOff)
{
    manager->GetHardwareSettings().VideoSource = CTVHardWare::kInputFM;
    CVideoPage page(Context());
    std::vector<UINT> enabled;
    script.steps = {
        [&]() {
            for (UINT id : {IDC_VIDEOPAGE_SIZE, IDC_VIDEOPAGE_NOISE_REDUCTION, IDC_VIDEOPAGE_HALF_RATE_OFF,
                            IDC_VIDEOPAGE_HIGH_QUALITY, IDC_VIDEOPAGE_CARD, IDC_VIDEOPAGE_BRIGHTNESS,
                            IDC_VIDEOPAGE_SHARPNESS, IDC_VIDEOPAGE_DEFAULTS, IDC_VIDEOPAGE_STRENGTH})
                if (Enabled(page, id))
                    enabled.push_back(id);
        },
        [&]() { Press(PSBTN_CANCEL); },
    };
    EXPECT_EQ(IDCANCEL, Run(page));
    EXPECT_TRUE(enabled.empty()) << enabled.size() << " controls left on, the first " << (enabled.empty() ? 0 : enabled[0]);
}

// --- device page -----------------------------------------------------------------

TEST_F(PageTest, DeviceChangesActAtOnceAndCancelPutsThemBack)
{
    CDevicePage page(Context());
    HardwareSettings& settings = manager->GetHardwareSettings();
    settings.TVAudio = 1;
    settings.AudioPlayInputDev = "Speakers";
    settings.AudioPlayInput = "Line";
    int inputDuring = -1, modeDuring = -1;
    bool languagesAfterMono = true, languagesAfterStereo = false;
    script.steps = {
        [&]() {
            Choose(page, IDC_DEVICEPAGE_VIDEO_INPUT, 1); // composite
            inputDuring = manager->GetVideoSource();
            page.CheckRadioButton(IDC_DEVICEPAGE_MONO, IDC_DEVICEPAGE_LANGUAGE_C, IDC_DEVICEPAGE_MONO);
            Command(page, IDC_DEVICEPAGE_MONO);
            modeDuring = manager->GetHardware().GetTVAudioMode();
            languagesAfterMono = Enabled(page, IDC_DEVICEPAGE_LANGUAGE_A) || Enabled(page, IDC_DEVICEPAGE_LANGUAGE_C);
            Command(page, IDC_DEVICEPAGE_STEREO);
            languagesAfterStereo = Enabled(page, IDC_DEVICEPAGE_LANGUAGE_A) && Enabled(page, IDC_DEVICEPAGE_LANGUAGE_C);
            Command(page, IDC_DEVICEPAGE_MONO);
        },
        [&]() { Press(PSBTN_CANCEL); },
    };
    EXPECT_EQ(IDCANCEL, Run(page));
    EXPECT_EQ(1, inputDuring);
    EXPECT_EQ(0, modeDuring);
    EXPECT_FALSE(languagesAfterMono);
    EXPECT_TRUE(languagesAfterStereo);
    EXPECT_EQ(0, manager->GetVideoSource()) << "Cancel put the tuner back";
    EXPECT_EQ(1, manager->GetHardware().GetTVAudioMode());
    EXPECT_EQ(2, panel.reconfigured) << "the panel follows each change of input";
    EXPECT_STREQ("Speakers", settings.AudioPlayInputDev);
    EXPECT_STREQ("Line", settings.AudioPlayInput);
}

// --- FM formats ------------------------------------------------------------------

class FMCustomTest : public SettingsTest
{
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        CCustomFMFormat& formats = manager->GetCustomFMFormat();
        const char* names[][2] = {{"Speech", "Pcm Compressor"}, {"Music", "Pcm Compressor"}, {"Night", "Mp3 Encoder"}};
        for (auto& row : names) {
            FMParam* format = formats.GetAt(formats.GetSize());
            format->Name = row[0];
            format->AudioComp = row[1];
        }
        formats.SetSelected(1);
    }
    INT_PTR Run(CFMCustomDlg& dialog)
    {
        script.isOpen = [&dialog]() { return dialog.m_hWnd != NULL; };
        script.end = [&dialog]() {
            if (dialog.m_hWnd != NULL)
                dialog.EndDialog(-2);
        };
        script.Start();
        return dialog.DoModal();
    }
    static void Lister(CStringArray& names)
    {
        for (const char* name : {"InterVideo Audio", "Pcm Compressor", "intervideo lower case", "Mp3 Encoder"})
            names.Add(name);
    }
    void SetName(CWnd& dialog, const char* name) { dialog.SetDlgItemText(IDC_FMCUSTOM_NAME, name); }

    CScript script;
};

TEST_F(FMCustomTest, ButtonsFollowTheNameAndCompressorsListedAreUsable)
{
    CFMCustomDlg dialog(*manager, NULL, &Lister);
    struct State
    {
        bool add, modify, remove;
    };
    std::vector<State> states;
    std::vector<std::string> compressors;
    auto look = [&]() {
        states.push_back({Enabled(dialog, IDC_FMCUSTOM_ADD), Enabled(dialog, IDC_FMCUSTOM_MODIFY),
                          Enabled(dialog, IDC_FMCUSTOM_DELETE)});
    };
    script.steps = {
        [&]() {
            const int count = (int)dialog.SendDlgItemMessage(IDC_FMCUSTOM_COMPRESSOR, CB_GETCOUNT);
            for (int i = 0; i < count; ++i) {
                char text[64] = {};
                dialog.SendDlgItemMessage(IDC_FMCUSTOM_COMPRESSOR, CB_GETLBTEXT, (WPARAM)i, (LPARAM)text);
                compressors.push_back(text);
            }
            look();                  // "Music" chosen: its own name
            SetName(dialog, "MUSIC");
            look();                  // its own name in other letters: modify only
            SetName(dialog, "speech");
            look();                  // another format's name: neither
            SetName(dialog, "   ");
            look();                  // blank
            SetName(dialog, "  Talk");
            look();                  // new
        },
        [&]() { dialog.EndDialog(IDCANCEL); },
    };
    EXPECT_EQ(IDCANCEL, Run(dialog));
    EXPECT_EQ((std::vector<std::string>{"Pcm Compressor", "intervideo lower case", "Mp3 Encoder"}), compressors);
    const State expected[] = {{false, true, true}, {false, true, true}, {false, false, true},
                              {false, false, true}, {true, true, true}};
    ASSERT_EQ(5u, states.size());
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].add, states[i].add);
        EXPECT_EQ(expected[i].modify, states[i].modify);
        EXPECT_EQ(expected[i].remove, states[i].remove);
    }
    EXPECT_EQ(3, (int)manager->GetCustomFMFormat().GetSize()) << "Cancel leaves the program's list";
}

TEST_F(FMCustomTest, DeletingTheChosenFormatLeavesNoneChosenAndTheRecordFormatOffIt)
{
    ASSERT_TRUE(manager->SelectFMFormat(3));
    CFMCustomDlg dialog(*manager, NULL, &Lister);
    MessageBoxCapture boxes(IDYES);
    int chosenRow = 0;
    script.steps = {
        [&]() {
            Command(dialog, IDC_FMCUSTOM_DELETE); // "Music"
            chosenRow = (int)dialog.SendDlgItemMessage(IDC_FMCUSTOM_FORMATS, CB_GETCURSEL);
            // A new one added with a compressor, then OK.
            SetName(dialog, "Talk");
            Choose(dialog, IDC_FMCUSTOM_COMPRESSOR, 2);
            Command(dialog, IDC_FMCUSTOM_ADD);
            // The new one is chosen by the user; then chosen away again.
            Choose(dialog, IDC_FMCUSTOM_FORMATS, 0);
            Command(dialog, IDC_FMCUSTOM_DELETE); // "Speech": none chosen again
        },
        [&]() { Command(dialog, IDOK); },
    };
    EXPECT_EQ(IDOK, Run(dialog));
    ASSERT_EQ(2u, boxes.Boxes().size());
    EXPECT_NE(std::string::npos, boxes.Boxes()[0].text.find("Music"));
    EXPECT_EQ(-1, chosenRow) << "no neighbour silently becomes the chosen format";
    const CCustomFMFormat& formats = manager->GetCustomFMFormat();
    ASSERT_EQ(2, (int)formats.GetSize());
    EXPECT_STREQ("Night", formats.GetAt(0)->Name);
    EXPECT_STREQ("Talk", formats.GetAt(1)->Name);
    EXPECT_STREQ("Mp3 Encoder", formats.GetAt(1)->AudioComp);
    EXPECT_EQ(-1, formats.GetSelected());
    EXPECT_EQ(0, manager->GetHardwareSettings().FMRecordFormat)
        << "with no format chosen the user-defined record format gives way";
}
