// A bitmap button taken over from a plain button and driven by mouse and
// state messages, read back through pixel probes of the window.
#include "skin/BmpButton.h"
#include "tests/skin/SkinTestIds.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

namespace {

class BmpButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(240, 60));
        AddButton(button, 1131, 10, 10);
    }

    void AddButton(CBmpButton& b, int id, int x, int y)
    {
        HWND plain = host.AddControl("BUTTON", BS_PUSHBUTTON, x, y, 50, 30, id);
        ASSERT_TRUE(b.SubclassWindow(plain));
        ASSERT_TRUE(b.LoadBitmaps(IDB_BUTTON_HOVER, IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_DISABLED));
        b.Invalidate();
        b.UpdateWindow();
    }

    COLORREF Face(CBmpButton& b) { return ClientPixel(b.m_hWnd, 12, 8); }

    static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

    CHostWnd host;
    CBmpButton button;
};

} // namespace

TEST_F(BmpButtonTest, TakesTheHoverBitmapsSizeAndDrawsItself)
{
    CRect r;
    button.GetWindowRect(&r);
    EXPECT_EQ(24, r.Width());
    EXPECT_EQ(16, r.Height());
    EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & BS_TYPEMASK);
    EXPECT_EQ(kNormalColour, Face(button));
    PumpFor(50);
    SaveWindowShot(host.m_hWnd, "bmp_button_normal");
}

TEST_F(BmpButtonTest, BitmapSetsLoadWholeOrNotAtAll)
{
    EXPECT_FALSE(button.LoadBitmaps(IDB_BUTTON_HOVER, 0, IDB_BUTTON_PRESSED, IDB_BUTTON_DISABLED));
    EXPECT_FALSE(button.LoadBitmaps(IDB_BUTTON_HOVER, 9999, IDB_BUTTON_PRESSED, IDB_BUTTON_DISABLED));
    // Without bitmaps nothing is drawn: the face keeps what was there.
    button.DrawState(CBmpButton::kHover);
    EXPECT_EQ(kNormalColour, Face(button));
}

TEST_F(BmpButtonTest, MouseAndStateMessagesShowTheirBitmaps)
{
    struct
    {
        const char* step;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        COLORREF face;
    } steps[] = {
        {"pointer over it", WM_MOUSEMOVE, 0, At(5, 5), kHoverColour},
        {"pointer gone", WM_MOUSELEAVE, 0, 0, kNormalColour},
        {"pressed", WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5), kPressedColour},
        {"moved while held", WM_MOUSEMOVE, MK_LBUTTON, At(6, 5), kPressedColour},
        {"released", WM_LBUTTONUP, 0, At(6, 5), kNormalColour},
        {"pointer over it again", WM_MOUSEMOVE, 0, At(5, 5), kHoverColour},
        {"focus gone", WM_KILLFOCUS, 0, 0, kNormalColour},
    };
    for (const auto& s : steps) {
        button.SendMessage(s.message, s.wParam, s.lParam);
        PumpFor(0);
        EXPECT_EQ(s.face, Face(button)) << s.step;
    }
    EXPECT_EQ(1, host.clicks);
    EXPECT_EQ(1131, host.lastClickedId);

    button.EnableWindow(FALSE);
    PumpFor(0);
    EXPECT_EQ(kDisabledColour, Face(button));
    button.EnableWindow(TRUE);
    PumpFor(0);
    EXPECT_EQ(kNormalColour, Face(button));
}

TEST_F(BmpButtonTest, AToggleFlipsOnlyOnAReleaseOfItsOwnPressInside)
{
    CBmpButton other;
    AddButton(other, 1138, 60, 10);
    button.SetToggle(TRUE);
    other.SetToggle(TRUE);
    struct
    {
        const char* name;
        CBmpButton* pressed; // NULL: no press
        CBmpButton* released;
        LPARAM releaseAt;
        BOOL checkedAfter;
    } cases[] = {
        {"press and release inside", &button, &button, At(5, 5), TRUE},
        {"again: back to unchecked", &button, &button, At(20, 12), FALSE},
        {"released outside", &button, &button, At(40, 5), FALSE},
        {"a release without a press", NULL, &button, At(5, 5), FALSE},
        {"a release after another button's press", &other, &button, At(5, 5), FALSE},
    };
    for (const auto& c : cases) {
        if (c.pressed != NULL)
            c.pressed->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        c.released->SendMessage(WM_LBUTTONUP, 0, c.releaseAt);
        ::ReleaseCapture();
        EXPECT_EQ(c.checkedAfter, button.GetCheck()) << c.name;
    }
    EXPECT_FALSE(other.GetCheck()) << "its press was taken away before a release";
}

TEST_F(BmpButtonTest, ACheckedToggleShowsThePressedBitmapForNormal)
{
    button.SetToggle(TRUE);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
    PumpFor(0);
    ASSERT_TRUE(button.GetCheck());
    EXPECT_EQ(kPressedColour, Face(button));
    button.SendMessage(WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_EQ(kPressedColour, Face(button)) << "no hover look while checked";

    button.SetCheck(FALSE);
    PumpFor(0);
    EXPECT_EQ(kNormalColour, Face(button));

    CBmpButton plain;
    AddButton(plain, 1133, 100, 10);
    plain.SetCheck(TRUE);
    EXPECT_FALSE(plain.GetCheck()) << "a button that is no toggle keeps no check";
}

TEST_F(BmpButtonTest, ShapedToTheNormalBitmapLessTheTransparentColour)
{
    ASSERT_TRUE(button.LoadBitmapsShaped(IDB_BUTTON_HOVER, IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED,
                                         IDB_BUTTON_DISABLED, kTransparentGreen));
    ExpectShape(button.m_hWnd,
                {{1, 1, false}, {3, 1, true}, {10, 5, false}, {11, 5, true}, {23, 8, false}, {22, 8, true}});
    host.Invalidate();
    host.UpdateWindow();
    button.Invalidate();
    button.UpdateWindow();
    PumpFor(50);
    SaveWindowShot(host.m_hWnd, "bmp_button_shaped");
    // Where the button is cut away, the host's picture shows.
    CPoint corner(1, 1);
    button.MapWindowPoints(&host, &corner, 1);
    EXPECT_EQ(BandColour(corner.x), ClientPixel(host.m_hWnd, corner.x, corner.y));
}
