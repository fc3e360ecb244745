// The first start: with the first-run switch set the wizard runs through
// its four pages once, and the settings are written with the switch off.
#include "SettingsFixture.h"

#include "settings/PropSheet.h"
#include "tests/support/WindowProbe.h"

#include <commctrl.h>

TEST_F(SettingsTest, TheFirstStartRunsTheWizardOnceAndWritesTheSettings)
{
    manager->Settings().Run = TRUE;
    const std::string ini = dir.File("TVParam.ini");
    ::DeleteFileA(ini.c_str());
    CScript script;
    HWND wizard = NULL;
    int pages = 0;
    script.isOpen = [&]() {
        HWND active = ::GetActiveWindow();
        if (active && ::IsWindowVisible(active) && ::SendMessageA(active, PSM_GETTABCONTROL, 0, 0))
            wizard = active;
        return wizard != NULL;
    };
    auto next = [&]() {
        ++pages;
        PumpFor(200);
        SaveWindowShot(wizard, "setup_wizard_page" + std::to_string(pages));
        ::SendMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    };
    script.steps = {
        [&] {
            PumpFor(200);
            SaveWindowShot(wizard, "setup_wizard_first_page");
        },
        next, next, next,
        [&] {
            ++pages;
            PumpFor(200);
            SaveWindowShot(wizard, "setup_wizard_last_page");
            ::SendMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        },
    };
    script.end = [&]() {
        if (::IsWindow(wizard))
            ::SendMessageA(wizard, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    };
    script.Start();
    MessageBoxCapture boxes(IDOK);
    EXPECT_TRUE(RunFirstStartWizard(Context(), NULL));
    EXPECT_EQ(4, pages);
    EXPECT_FALSE(manager->GetSettings().Run);
    EXPECT_TRUE(dir.Exists("TVParam.ini"));
    // Once only.
    EXPECT_FALSE(RunFirstStartWizard(Context(), NULL));
}
