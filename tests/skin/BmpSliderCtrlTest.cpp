// A bitmap trackbar over its parent's picture: the piece under it, the
// masked thumb following the position, and the trackbar's own behaviour.
#include "skin/BmpSliderCtrl.h"
#include "tests/skin/SkinTestIds.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

namespace {

const int kLeft = 30, kTop = 20, kWidth = 103, kHeight = 16;

class BmpSliderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(240, 60));
        HWND plain = host.AddControl(TRACKBAR_CLASSA, TBS_HORZ | TBS_NOTICKS, kLeft, kTop, kWidth, kHeight, 1139);
        ASSERT_TRUE(slider.SubclassWindow(plain));
        slider.SetRange(0, 100);
        slider.SetThumbLength(kHeight);
    }

    void Repaint()
    {
        slider.Invalidate();
        slider.UpdateWindow();
    }
    COLORREF At(int x, int y) { return ClientPixel(slider.m_hWnd, x, y); }
    CRect Thumb()
    {
        CRect r;
        slider.GetThumbRect(&r);
        return r;
    }

    CHostWnd host;
    CBmpSliderCtrl slider;
};

} // namespace

TEST_F(BmpSliderTest, DrawsThePieceOfTheParentsPictureUnderIt)
{
    EXPECT_TRUE(slider.GetStyle() & TBS_FIXEDLENGTH);
    ASSERT_TRUE(slider.LoadBitmaps(IDB_SLIDER_BACKGROUND, IDB_SLIDER_THUMB));
    slider.SetPos(100);
    Repaint();
    PumpFor(50);
    SaveWindowShot(host.m_hWnd, "bmp_slider");
    for (int x : {0, 9, 10, 30, 55}) // away from the thumb at the right end
        EXPECT_EQ(BandColour(kLeft + x), At(x, 8)) << "x " << x;
}

TEST_F(BmpSliderTest, TheThumbFollowsThePositionThroughItsMask)
{
    ASSERT_TRUE(slider.LoadBitmaps(IDB_SLIDER_BACKGROUND, IDB_SLIDER_THUMB));
    for (int position : {0, 50, 100}) {
        slider.SetPos(position);
        Repaint();
        CRect thumb = Thumb();
        int y = thumb.top + 4;
        EXPECT_EQ(kThumbColour, At(thumb.left + 4, y)) << "the bar, position " << position;
        EXPECT_EQ(BandColour(kLeft + thumb.left + 1), At(thumb.left + 1, y))
            << "the background through the mask, position " << position;
        for (int x = thumb.left + 10; x < thumb.right; ++x)
            EXPECT_EQ(BandColour(kLeft + x), At(x, y)) << "no more than half the bitmap wide, x " << x;
    }
}

TEST_F(BmpSliderTest, KeysStillMoveItAndTellTheParent)
{
    ASSERT_TRUE(slider.LoadBitmaps(IDB_SLIDER_BACKGROUND, IDB_SLIDER_THUMB));
    slider.SetPos(10);
    slider.SetLineSize(5);
    slider.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(15, slider.GetPos());
    EXPECT_GE(host.scrolls, 1);
    Repaint();
    EXPECT_EQ(kThumbColour, At(Thumb().left + 4, Thumb().top + 4));
}

TEST_F(BmpSliderTest, WithoutBitmapsNothingOfThemIsDrawn)
{
    EXPECT_FALSE(slider.LoadBitmaps(9998, 9999));
    Repaint();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), At(2, 8));
    ASSERT_TRUE(slider.LoadBitmaps(0, IDB_SLIDER_THUMB)); // thumb alone
    slider.SetPos(0);
    Repaint();
    EXPECT_EQ(kThumbColour, At(Thumb().left + 4, Thumb().top + 4));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), At(80, 8));
}
