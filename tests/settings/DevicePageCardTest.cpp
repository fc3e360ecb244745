// The device page on the virtual card: choosing the composite input switches
// the card's crossbar at once, and Cancel puts the tuner back with the sound
// capture device it had, by name.
#include "SettingsFixture.h"

#include "resources/Resource.h"
#include "settings/DevicePage.h"
#include "tests/support/MessageWindow.h"

#include <commctrl.h>

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
        manager.reset(new CTVManager(dir.Path().c_str()));
        manager->GetHardware().SetVideoWindow(window.Handle());
        manager->InitNameTables();
        manager->InitResourceIdMaps();
        manager->LoadSettings();
        manager->ApplyLoadedSettings();
        started = manager->Startup() != FALSE;
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
