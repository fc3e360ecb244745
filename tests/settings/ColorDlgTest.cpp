// The picture dialog: its sliders set the card's values at once, Defaults
// takes the card table's defaults with sharpness 0, keys typed in it go to
// the control panel, and Close hides it.
#include "SettingsFixture.h"

#include "resources/Resource.h"
#include "settings/ColorDlg.h"

#include <commctrl.h>

#include <vector>

namespace {

// The control panel as far as keys go: it records the keys it is sent.
class CKeyTarget : public CWnd
{
public:
    std::vector<WPARAM> keys;

protected:
    LRESULT OnKey(WPARAM key, LPARAM)
    {
        keys.push_back(key);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyTarget, CWnd)
    ON_MESSAGE(WM_KEYDOWN, OnKey)
END_MESSAGE_MAP()

// The program's loop for a moment: every message pre-translated first.
void RunLoop(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < ms) {
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::Sleep(5);
    }
}

class ColorDlgTest : public SettingsTest
{
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        ASSERT_TRUE(target.CreateEx(0, NULL, "Panel", WS_POPUP | WS_VISIBLE, 0, 0, 200, 60, NULL, NULL));
        dialog.reset(new CColorDlg(*manager));
        ASSERT_TRUE(dialog->CreateBeside(&target));
    }
    void TearDown() override
    {
        dialog->DestroyWindow();
        dialog.reset();
        target.DestroyWindow();
        SettingsTest::TearDown();
    }

    CKeyTarget target;
    std::unique_ptr<CColorDlg> dialog;
};

} // namespace

TEST_F(ColorDlgTest, SlidersSetTheCardAndDefaultsLeaveSharpnessAtZero)
{
    dialog->ShowPanel(TRUE);
    EXPECT_TRUE(dialog->IsWindowVisible());
    EXPECT_EQ(manager->GetBrightness(), (int)dialog->SendDlgItemMessage(IDC_COLOR_BRIGHTNESS, TBM_GETPOS));
    MoveSlider(dialog.get(), IDC_COLOR_BRIGHTNESS, 150);
    MoveSlider(dialog.get(), IDC_COLOR_SHARPNESS, 5);
    EXPECT_EQ(150, manager->GetBrightness());
    EXPECT_EQ(5, manager->GetSharpness());
    EXPECT_EQ(150, dialog->GetValue(0));

    Click(dialog.get(), IDC_COLOR_DEFAULTS);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(manager->GetCardRange(i).Def, manager->GetSettings().CardVideo[i]) << i;
    EXPECT_EQ(0, manager->GetSharpness());
    EXPECT_EQ(0, (int)dialog->SendDlgItemMessage(IDC_COLOR_SHARPNESS, TBM_GETPOS));

    Click(dialog.get(), IDC_COLOR_CLOSE);
    EXPECT_FALSE(dialog->IsWindowVisible());
}

TEST_F(ColorDlgTest, KeysTypedInItReachThePanel)
{
    dialog->ShowPanel(TRUE);
    const int before = manager->GetBrightness();
    HWND slider = ::GetDlgItem(dialog->m_hWnd, IDC_COLOR_BRIGHTNESS);
    ::SetFocus(slider);
    ::PostMessageA(slider, WM_KEYDOWN, VK_NEXT, 1);     // a channel hot key
    ::PostMessageA(slider, WM_KEYDOWN, VK_RIGHT, 1);    // would move the slider
    RunLoop(200);
    EXPECT_EQ((std::vector<WPARAM>{VK_NEXT, VK_RIGHT}), target.keys);
    EXPECT_EQ(before, manager->GetBrightness()) << "the keys went no further";
}

// Every thumb stands where its value lies in its range, the middle ones
// (hue and sharpness 0 in ranges around 0) too.
TEST_F(ColorDlgTest, EachThumbStandsAtItsValue)
{
    dialog->ShowPanel(TRUE);
    const UINT sliders[] = {IDC_COLOR_BRIGHTNESS, IDC_COLOR_CONTRAST, IDC_COLOR_HUE, IDC_COLOR_SATURATION,
                            IDC_COLOR_SHARPNESS};
    for (int i = 0; i < 5; ++i) {
        HWND slider = ::GetDlgItem(dialog->m_hWnd, sliders[i]);
        const CMinMaxDef& range = manager->GetCardRange(i);
        const int value = dialog->GetValue(i);
        RECT channel = {}, thumb = {};
        ::SendMessageA(slider, TBM_GETCHANNELRECT, 0, (LPARAM)&channel);
        ::SendMessageA(slider, TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
        const int expected =
            channel.left + (int)((long long)(value - range.Min) * (channel.right - channel.left) / (range.Max - range.Min));
        EXPECT_NEAR(expected, (thumb.left + thumb.right) / 2, 6) << "slider " << i << " at " << value;
    }
}
