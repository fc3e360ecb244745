// The device page on the virtual card: choosing the composite input switches
// the card's crossbar at once, Cancel puts the tuner back with the sound
// capture device it had, by name, and the card's chip type chooses the
// sound-mode radios' layout.
#include "SettingsFixture.h"

#include "resources/Resource.h"
#include "settings/DevicePage.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/WindowProbe.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

class DevicePageOnCard : public SettingsTest
{
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        dir.Write("TVParam.ini", "[Channel]\r\nTVInput=0\r\nCountryCode=49\r\n"
                                 "[Device]\r\nTunerStandard=32\r\nVideoSource=0\r\n");
        quiet.reset(new MessageBoxCapture(IDYES));
        started = BringUp(kPreviewDevices);
    }
    // The manager on the card's devices as `devices` name them.
    bool BringUp(const PreviewDevices& devices)
    {
        if (manager)
            manager->CloseDevice();
        manager.reset(new CTVManager(dir.Path().c_str()));
        manager->GetHardware().SetDevices(devices);
        manager->GetHardware().SetVideoWindow(window.Handle());
        manager->InitNameTables();
        manager->InitResourceIdMaps();
        manager->LoadSettings();
        manager->ApplyLoadedSettings();
        return manager->Startup() != FALSE;
    }
    void TearDown() override
    {
        if (manager)
            manager->CloseDevice();
        SettingsTest::TearDown();
        quiet.reset();
    }

    MessageWindow window;
    bool started = false;
    CScript script;
};

} // namespace

TEST_F(DevicePageOnCard, CompositeSwitchesAtOnceAndCancelPutsTheTunerBack)
{
    if (!started)
        GTEST_SKIP() << "the virtual card is not registered in this prefix";
    CDevicePage page(Context());
    CPropertySheet sheet("Settings");
    sheet.AddPage(&page);
    const CString device = manager->GetHardwareSettings().AudioDevice;
    int inputDuring = -1;
    int devices = 0;
    script.isOpen = [&]() { return sheet.m_hWnd != NULL; };
    script.end = [&]() { sheet.EndDialog(-2); };
    script.steps = {
        [&]() {
            HWND combo = ::GetDlgItem(page.m_hWnd, IDC_DEVICEPAGE_VIDEO_INPUT);
            ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
            ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_DEVICEPAGE_VIDEO_INPUT, CBN_SELCHANGE),
                           (LPARAM)combo);
            inputDuring = manager->GetHardware().GetInputMode();
            devices = (int)page.SendDlgItemMessage(IDC_DEVICEPAGE_AUDIO_DEVICE, CB_GETCOUNT);
        },
        [&]() { sheet.PressButton(PSBTN_CANCEL); },
    };
    script.Start();
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(CTVHardWare::kInputAV, inputDuring);
    EXPECT_EQ(CTVHardWare::kInputTV, manager->GetHardware().GetInputMode());
    EXPECT_EQ(2, panel.reconfigured);
    EXPECT_LE(1, devices) << "the card's sound capture devices are listed";
    EXPECT_STREQ(device, manager->GetHardwareSettings().AudioDevice);
}

namespace {

// The page as it is on a card whose chip has a main and a second programme.
class CSapChipDevicePage : public CDevicePage
{
public:
    using CDevicePage::CDevicePage;

protected:
    DWORD GetChipType() override { return 0x7133; }
};

struct SoundModeLayout
{
    bool languagesShown;
    std::string first, last;
    std::vector<CPoint> places; // mono, third language, stereo
};

SoundModeLayout LayoutOf(CDevicePage& page)
{
    SoundModeLayout layout;
    layout.languagesShown = ::IsWindowVisible(::GetDlgItem(page.m_hWnd, IDC_DEVICEPAGE_LANGUAGE_A)) &&
                            ::IsWindowVisible(::GetDlgItem(page.m_hWnd, IDC_DEVICEPAGE_LANGUAGE_B));
    CString text;
    page.GetDlgItemText(IDC_DEVICEPAGE_MONO, text);
    layout.first = (LPCSTR)text;
    page.GetDlgItemText(IDC_DEVICEPAGE_LANGUAGE_C, text);
    layout.last = (LPCSTR)text;
    for (UINT id : {IDC_DEVICEPAGE_MONO, IDC_DEVICEPAGE_LANGUAGE_C, IDC_DEVICEPAGE_STEREO}) {
        CRect r;
        page.GetDlgItem((int)id)->GetWindowRect(&r);
        page.ScreenToClient(&r);
        layout.places.push_back(r.TopLeft());
    }
    return layout;
}

} // namespace

TEST_F(DevicePageOnCard, TheChipTypeTheDriverGivesChoosesTheSoundModeLayout)
{
    if (!started)
        GTEST_SKIP() << "the virtual card is not registered in this prefix";
    // The BDA driver's own sets carry no board identity; the WDM driver
    // gives the chip with it.
    EXPECT_EQ(0u, manager->GetHardware().GetChipType());
    PreviewDevices wdm = kPreviewDevices;
    wdm.bdaCapture = "713x Missing Capture";
    ASSERT_TRUE(BringUp(wdm));
    EXPECT_EQ(0x7130u, manager->GetHardware().GetChipType());

    CDevicePage plain(Context());
    CSapChipDevicePage sap(Context());
    SoundModeLayout plainLayout, sapLayout;
    int groupMiddle = 0;
    CPropertySheet sheet("Settings");
    sheet.AddPage(&plain);
    sheet.AddPage(&sap);
    script.isOpen = [&]() { return sheet.m_hWnd != NULL; };
    script.end = [&]() { sheet.PressButton(PSBTN_CANCEL); };
    script.steps = {
        [&]() { plainLayout = LayoutOf(plain); },
        [&]() { sheet.SetActivePage(1); },
        [&]() {
            sapLayout = LayoutOf(sap);
            CRect group;
            sap.GetDlgItem(IDC_DEVICEPAGE_SOUND_GROUP)->GetWindowRect(&group);
            sap.ScreenToClient(&group);
            groupMiddle = (group.top + group.bottom) / 2;
            PumpFor(200);
            SaveWindowShot(sheet.m_hWnd, "device_page_sap_chip");
        },
    };
    script.Start();
    sheet.DoModal();

    EXPECT_TRUE(plainLayout.languagesShown);
    EXPECT_NE("Main", plainLayout.first);
    EXPECT_FALSE(sapLayout.languagesShown);
    EXPECT_EQ("Main", sapLayout.first);
    EXPECT_EQ("SAP", sapLayout.last);
    const std::vector<CPoint> places = {{67, groupMiddle - 8}, {154, groupMiddle - 8}, {255, groupMiddle - 8}};
    EXPECT_EQ(places, sapLayout.places);
}
