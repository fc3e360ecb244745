// The skinned-dialog base: a dialog puts a skin on, changes it for another
// and back, keeps the one it wears when a change fails, and leaves nothing
// behind (no GDI object, no subclassed control) when its window goes or the
// object goes with its window still open.
#include "skin/SkinnedDialog.h"

#include "tests/skin/SkinTestIds.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/HandleCount.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Pictures of the test's own resources, a see-through dialog with a button,
// a slider and a text.
const char kPictureSkin[] =
    "[Back]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=2\r\nTRANSPARENT=1\r\nBACKBMP=400\r\n"
    "[Play]\r\nTYPE=BUTTON\r\nID=421\r\nPOSITION=14,24\r\nBMPNAME=300\r\nTRANSPARENT=1\r\n"
    "[Volume]\r\nTYPE=SLIDER\r\nID=423\r\nPOSITION=14,44\r\nTRANSPARENT=1\r\nSLIDERBMP=401\r\nTHUMBBMP=402\r\n"
    "[Text]\r\nTYPE=STATIC\r\nID=425\r\nSTYTLE=1\r\nPOSITION=80,26\r\nSIZE=60,12\r\nTEXTCOLOR=255,255,255\r\n"
    "BACKCOLOR=0\r\nTEXT=Hello\r\n";
// A plain coloured dialog of its own size with one button.
const char kColourSkin[] =
    "[Back]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=1\r\nBACKCOLOR=4210752\r\nSIZE=220,130\r\n"
    "[Mute]\r\nTYPE=BUTTON\r\nID=422\r\nPOSITION=130,80\r\nBMPNAME=300\r\n";

class CTestSkinnedDialog : public CSkinnedDialog
{
public:
    CTestSkinnedDialog() : CSkinnedDialog(IDD_SKIN_TEST) {}
    BOOL Make()
    {
        if (!Create(IDD_SKIN_TEST))
            return FALSE;
        SetWindowPos(NULL, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        return TRUE;
    }
    int skinChanges = 0;

protected:
    void OnSkinChanged() override { ++skinChanges; }
};

CSize WindowSize(HWND hWnd)
{
    CRect r;
    ::GetWindowRect(hWnd, &r);
    return r.Size();
}

class SkinnedDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.Write("Picture.ini", kPictureSkin));
        ASSERT_TRUE(dir.Write("Colour.ini", kColourSkin));
    }
    SkinLoadResult Wear(CSkinnedDialog& dialog, const char* ini)
    {
        return dialog.SetSkin(dir.File(ini).c_str(), TestModulePath().c_str());
    }
    void Paint(CWnd& dialog)
    {
        dialog.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(20);
    }
    // A dialog's life: a skin put on, changed, a failed change, taken off,
    // put on again, the window destroyed with it, made again and dressed
    // again, destroyed again.
    void LiveOnce()
    {
        CTestSkinnedDialog dialog;
        ASSERT_TRUE(dialog.Make());
        const CSize plain = WindowSize(dialog.m_hWnd);
        HWND mute = ::GetDlgItem(dialog.m_hWnd, IDC_SKIN_MUTE);
        const LONG_PTR plainButtonProc = ::GetWindowLongPtrA(mute, GWLP_WNDPROC);
        EXPECT_FALSE(dialog.HasSkin());

        ASSERT_EQ(kSkinLoaded, Wear(dialog, "Picture.ini"));
        Paint(dialog);
        ASSERT_TRUE(dialog.HasSkin());
        EXPECT_EQ(3, dialog.GetSkin()->GetControlCount());
        EXPECT_EQ(CSize(160, 100), WindowSize(dialog.m_hWnd));
        EXPECT_EQ(RGB(90, 110, 160), ClientPixel(dialog.m_hWnd, 30, 10)) << "the picture skin's background";

        ASSERT_EQ(kSkinLoaded, Wear(dialog, "Colour.ini"));
        Paint(dialog);
        EXPECT_EQ(CSize(220, 130), WindowSize(dialog.m_hWnd));
        EXPECT_EQ(RGB(64, 64, 64), ClientPixel(dialog.m_hWnd, 200, 120)) << "the colour skin's background";
        EXPECT_NE(plainButtonProc, ::GetWindowLongPtrA(mute, GWLP_WNDPROC));

        CSkinManager* const worn = dialog.GetSkin();
        EXPECT_EQ(kSkinFilesMissing, Wear(dialog, "None.ini"));
        EXPECT_EQ(worn, dialog.GetSkin()) << "a failed change keeps the skin worn";
        EXPECT_EQ(2, dialog.skinChanges);

        dialog.ReleaseSkin();
        Paint(dialog);
        EXPECT_FALSE(dialog.HasSkin());
        EXPECT_EQ(plain, WindowSize(dialog.m_hWnd)) << "the template's own size is back";
        EXPECT_EQ(plainButtonProc, ::GetWindowLongPtrA(mute, GWLP_WNDPROC));

        ASSERT_EQ(kSkinLoaded, Wear(dialog, "Picture.ini"));
        Paint(dialog);
        dialog.DestroyWindow();
        EXPECT_FALSE(dialog.HasSkin()) << "the skin goes with the window";

        // The same object makes its window again and wears a skin again.
        ASSERT_TRUE(dialog.Make());
        ASSERT_EQ(kSkinLoaded, Wear(dialog, "Colour.ini"));
        Paint(dialog);
        dialog.DestroyWindow();
        PumpFor(20);
    }
    void ExpectNothingLeft(DWORD before)
    {
        EXPECT_EQ(before, GdiObjectCount()) << "GDI objects left behind";
        if (before == 0)
            GTEST_SKIP() << "this system does not tell a process's GDI object count";
    }

    TempFolder dir;
};

} // namespace

TEST_F(SkinnedDialogTest, LoadsSwitchesAndReleasesSkinsWithNoGdiObjectLeft)
{
    // A first life lets the system make what it keeps for good (fonts,
    // brushes of the controls' classes) before objects are counted.
    LiveOnce();
    const DWORD gdiBefore = GdiObjectCount();
    LiveOnce();
    ExpectNothingLeft(gdiBefore);
}

TEST_F(SkinnedDialogTest, AnObjectGoingWithItsWindowOpenReleasesItsSkin)
{
    LiveOnce();
    const DWORD gdiBefore = GdiObjectCount();
    {
        auto dialog = std::make_unique<CTestSkinnedDialog>();
        ASSERT_TRUE(dialog->Make());
        ASSERT_EQ(kSkinLoaded, Wear(*dialog, "Picture.ini"));
        ASSERT_EQ(kSkinLoaded, Wear(*dialog, "Colour.ini"));
        Paint(*dialog);
        dialog.reset();
        PumpFor(20);
    }
    ExpectNothingLeft(gdiBefore);
}

TEST_F(SkinnedDialogTest, NoSkinWithoutAWindow)
{
    CTestSkinnedDialog dialog;
    EXPECT_EQ(kSkinFilesMissing, Wear(dialog, "Picture.ini"));
    EXPECT_FALSE(dialog.HasSkin());
    EXPECT_EQ(0, dialog.skinChanges);
}
