// The controls a skin dresses a dialog in, each taking over a control the
// way a dialog template makes it: the button's place, shape and check, the
// trackbar's pictures, the range bar's geometry, mouse and notifications,
// and the text field.
#include "skin/SkinBtn.h"
#include "skin/SkinMultiSlider.h"
#include "skin/SkinSlider.h"
#include "skin/SkinText.h"
#include "tests/skin/SkinTestIds.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

CRect RectIn(HWND child, HWND parent)
{
    CRect r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(NULL, parent, (LPPOINT)&r, 2);
    return r;
}

// A host that also keeps what its children told it by WM_HSCROLL.
class CScrollHost : public CHostWnd
{
public:
    struct Scroll
    {
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Scroll> told;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_HSCROLL)
            told.push_back({wParam, lParam});
        return CHostWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

} // namespace

// --- button --------------------------------------------------------------------

class SkinBtnTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(host.CreateHost(240, 80)); }

    void TakeOver(CSkinBtn& b, DWORD style, int id)
    {
        HWND plain = host.AddControl("BUTTON", style, 0, 0, 50, 30, id);
        ASSERT_TRUE(b.SubclassWindow(plain));
        b.Invalidate();
        b.UpdateWindow();
    }

    CScrollHost host;
};

TEST_F(SkinBtnTest, TakesItsPlaceSizeAndSampledShape)
{
    CSkinBtn button;
    button.SetPosition(30, 20);
    ASSERT_TRUE(button.LoadBitmaps(IDB_BUTTON_HOVER, IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_DISABLED,
                                   kTransparentGreen, TRUE));
    TakeOver(button, BS_PUSHBUTTON, 1200);
    EXPECT_EQ(CRect(30, 20, 54, 36), RectIn(button.m_hWnd, host.m_hWnd));
    EXPECT_EQ((DWORD)BS_OWNERDRAW, button.CWnd::GetStyle() & BS_TYPEMASK);
    // The normal bitmap's see-through pixels: a 3 x 3 corner, the last
    // column, and one pixel alone on row 5, which the row sampling skips.
    ExpectShape(button.m_hWnd,
                {{0, 0, false}, {2, 2, false}, {3, 2, true}, {23, 7, false}, {22, 7, true}, {10, 5, true}});
    EXPECT_EQ(kNormalColour, ClientPixel(button.m_hWnd, 12, 8));
}

TEST_F(SkinBtnTest, LoadsAllFourFilesOrNone)
{
    TempFolder dir;
    for (const char* state : {"H", "U", "D"})
        ASSERT_TRUE(dir.Write(std::string("PlayX") + state + ".bmp", SolidBitmapFile(20, 10, kNormalColour)));
    CSkinBtn button;
    const std::string base = dir.File("PlayX");
    EXPECT_FALSE(button.LoadBitmaps((base + "H.bmp").c_str(), (base + "U.bmp").c_str(), (base + "D.bmp").c_str(),
                                    (base + "X.bmp").c_str(), kTransparentGreen, FALSE));
    ASSERT_TRUE(dir.Write("PlayXX.bmp", SolidBitmapFile(20, 10, kDisabledColour)));
    EXPECT_TRUE(button.LoadBitmaps((base + "H.bmp").c_str(), (base + "U.bmp").c_str(), (base + "D.bmp").c_str(),
                                   (base + "X.bmp").c_str(), kTransparentGreen, FALSE));
    EXPECT_FALSE(button.LoadBitmaps(IDB_BUTTON_HOVER, 0, IDB_BUTTON_PRESSED, IDB_BUTTON_DISABLED, 0, FALSE));
}

TEST_F(SkinBtnTest, AToggleKeepsItsCheckUnlessReleasedInside)
{
    CSkinBtn toggle;
    toggle.SetStyle(1);
    ASSERT_TRUE(toggle.LoadBitmaps(IDB_BUTTON_HOVER, IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_DISABLED,
                                   kTransparentGreen, FALSE));
    // A toggle starts as the template's control was checked.
    HWND box = host.AddControl("BUTTON", BS_AUTOCHECKBOX, 0, 0, 50, 30, 1201);
    ::SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(toggle.SubclassWindow(box));
    EXPECT_TRUE(toggle.GetCheck());

    toggle.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    toggle.SendMessage(WM_LBUTTONUP, 0, At(60, 5));
    EXPECT_TRUE(toggle.GetCheck()) << "released outside";
    toggle.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    toggle.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_FALSE(toggle.GetCheck()) << "released inside";
    PumpFor(0);
    EXPECT_EQ(kNormalColour, ClientPixel(toggle.m_hWnd, 12, 8));
}

TEST_F(SkinBtnTest, SetCheckAnswersTheOldFlagAndKeepsItForAPlainButtonToo)
{
    CSkinBtn button;
    ASSERT_TRUE(button.LoadBitmaps(IDB_BUTTON_HOVER, IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_DISABLED,
                                   kTransparentGreen, FALSE));
    button.SetStyle(1);
    EXPECT_FALSE(button.SetCheck(TRUE));
    // The program makes a toggle plain again and then unchecks it.
    button.SetStyle(0);
    EXPECT_TRUE(button.SetCheck(FALSE));
    EXPECT_FALSE(button.GetCheck());
    button.SetStyle(1);
    EXPECT_FALSE(button.GetCheck());
}

// --- trackbar ------------------------------------------------------------------

class SkinSliderTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(host.CreateHost(240, 140)); }

    void TakeOver(DWORD style)
    {
        HWND plain = host.AddControl(TRACKBAR_CLASSA, style | TBS_NOTICKS | TBS_BOTH, 0, 0, 20, 80, 1081);
        ASSERT_TRUE(slider.SubclassWindow(plain));
        slider.SetRange(0, 100);
    }
    CHostWnd host;
    CSkinSlider slider;
};

TEST_F(SkinSliderTest, DrawsTheThumbBitmapWhereTheTrackbarPutsItsThumb)
{
    slider.SetPosition(20, 30);
    ASSERT_TRUE(slider.LoadBitmaps(IDB_SKIN_CHANNEL, IDB_SKIN_THUMB, kTransparentGreen, TRUE));
    TakeOver(TBS_VERT); // the template's vertical bar becomes horizontal: HORIZONTAL defaults to 1
    EXPECT_EQ(CRect(20, 30, 120, 50), RectIn(slider.m_hWnd, host.m_hWnd));
    EXPECT_EQ(0u, slider.CWnd::GetStyle() & TBS_VERT);
    EXPECT_TRUE(slider.CWnd::GetStyle() & TBS_FIXEDLENGTH);
    EXPECT_EQ(16, slider.GetThumbLength()) << "as thick as the thumb bitmap";

    for (int position : {0, 50, 100}) {
        slider.SetPos(position);
        slider.RedrawWindow();
        CRect thumb;
        slider.GetThumbRect(&thumb);
        EXPECT_EQ(RGB(220, 0, 0), ClientPixel(slider.m_hWnd, thumb.left + 4, thumb.top + 8)) << position;
        // The thumb's see-through corner shows the channel under it.
        EXPECT_EQ(RGB(10, 80, 10), ClientPixel(slider.m_hWnd, thumb.left, thumb.top)) << position;
        const int away = thumb.left > 50 ? 5 : 95;
        EXPECT_EQ(RGB(10, 80, 10), ClientPixel(slider.m_hWnd, away, 3)) << position;
    }
    SaveWindowShot(host.m_hWnd, "skin_slider");
}

TEST_F(SkinSliderTest, AVerticalSkinSliderTurnsTheTrackbar)
{
    slider.SetHorizontal(FALSE);
    ASSERT_TRUE(slider.LoadBitmaps(IDB_SKIN_CHANNEL, IDB_SKIN_THUMB, kTransparentGreen, FALSE));
    TakeOver(TBS_HORZ);
    EXPECT_TRUE(slider.CWnd::GetStyle() & TBS_VERT);
    EXPECT_EQ(10, slider.GetThumbLength()) << "as wide as the thumb bitmap";
    EXPECT_FALSE(slider.LoadBitmaps(IDB_SKIN_CHANNEL, 9999, 0, FALSE)) << "both bitmaps are required";
}

// --- range bar -----------------------------------------------------------------

class SkinMultiSliderTest : public ::testing::Test
{
protected:
    // Track pixels 10..210 of a 220 x 20 channel, centre line at 10; the
    // thumb is 9 x 13.
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(260, 60));
        bar.SetPosition(10, 10);
        ASSERT_TRUE(bar.LoadBitmaps(IDB_RANGE_CHANNEL, IDB_RANGE_THUMB, 10, 210, 10, 6, kTransparentGreen, TRUE));
        // The template's static without SS_NOTIFY, as a plain template has it.
        HWND plain = host.AddControl("STATIC", 0, 0, 0, 100, 10, 1205);
        ASSERT_TRUE(bar.SubclassWindow(plain));
    }
    CPoint ThumbCentre()
    {
        CRect r;
        bar.GetThumbRect(&r);
        return CPoint(r.left + 4, r.top + 6);
    }

    CScrollHost host;
    CSkinMultiSlider bar;
};

TEST_F(SkinMultiSliderTest, TakesClicksAndItsChannelsSize)
{
    EXPECT_TRUE(bar.CWnd::GetStyle() & SS_NOTIFY);
    EXPECT_EQ(CRect(10, 10, 230, 30), RectIn(bar.m_hWnd, host.m_hWnd));
    CPoint inside(50, 5);
    bar.ClientToScreen(&inside);
    EXPECT_EQ(HTCLIENT, bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)));
}

TEST_F(SkinMultiSliderTest, ThumbFollowsThePositionWithinSelectionAndRange)
{
    // Until a selection is set it is 0 to 0: the thumb stays at the start.
    ASSERT_TRUE(bar.SetRange(0, 100000));
    EXPECT_FALSE(bar.SetPos(100));
    EXPECT_EQ(CPoint(10, 10), ThumbCentre());
    struct
    {
        const char* name;
        LONGLONG rangeStart, rangeEnd, selStart, selEnd, pos;
        int centreX;
    } cases[] = {
        {"half-way", 0, 100000, 0, 100000, 50000, 110},
        {"a short range counts as 100 long", 0, 50, 0, 50, 50, 110},
        {"the end", 0, 100000, 0, 100000, 100000, 210},
        {"an offset range", 1000, 3000, 1000, 3000, 1500, 60},
        {"offsets whose product with the track overflows", 0, 1LL << 62, 0, 1LL << 62, 1LL << 61, 110},
        {"near the largest offset", LLONG_MAX - 400, LLONG_MAX, LLONG_MAX - 400, LLONG_MAX, LLONG_MAX - 200, 110},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(bar.SetRange(c.rangeStart, c.rangeEnd)) << c.name;
        ASSERT_TRUE(bar.SetSelection(c.selStart, c.selEnd)) << c.name;
        ASSERT_TRUE(bar.SetPos(c.pos)) << c.name;
        EXPECT_EQ(CPoint(c.centreX, 10), ThumbCentre()) << c.name;
    }
}

TEST_F(SkinMultiSliderTest, RangeSelectionAndPositionRefuseWhatBreaksTheirOrder)
{
    ASSERT_TRUE(bar.SetRange(0, 1000));
    ASSERT_TRUE(bar.SetSelection(100, 900));
    ASSERT_TRUE(bar.SetPos(500));
    EXPECT_FALSE(bar.SetRange(10, 5));
    EXPECT_FALSE(bar.SetSelection(-1, 900)) << "starts before the range";
    EXPECT_FALSE(bar.SetSelection(100, 1001)) << "ends after the range";
    EXPECT_FALSE(bar.SetSelection(600, 400));
    EXPECT_FALSE(bar.SetPos(950)) << "beyond the selection";
    EXPECT_EQ(500, bar.GetPos());
    EXPECT_TRUE(bar.OffsetPos(10000));
    EXPECT_EQ(900, bar.GetPos()) << "moved to the selection's end, no further";
    CRect band;
    ASSERT_TRUE(bar.GetSelectionRect(&band));
    EXPECT_EQ(CRect(30, 7, 190, 13), band);
    ASSERT_TRUE(bar.SetSelection(400, 400));
    EXPECT_FALSE(bar.GetSelectionRect(&band)) << "an empty selection shows no band";
}

TEST_F(SkinMultiSliderTest, AClickInTheBandMovesThereAndTellsTheParentOnce)
{
    ASSERT_TRUE(bar.SetRange(0, 100000));
    ASSERT_TRUE(bar.SetSelection(0, 100000));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(110, 2));
    bar.SendMessage(WM_LBUTTONUP, 0, At(110, 2)); // above the band: measured on its centre line
    EXPECT_EQ(50000, bar.GetPos());
    ASSERT_EQ(1u, host.told.size());
    EXPECT_EQ(MAKEWPARAM(255, 0), host.told[0].wParam);
    EXPECT_EQ((LPARAM)bar.m_hWnd, host.told[0].lParam) << "the control's window, not its object";

    ASSERT_TRUE(bar.SetSelection(0, 40000));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(150, 10));
    bar.SendMessage(WM_LBUTTONUP, 0, At(150, 10));
    EXPECT_EQ(1u, host.told.size()) << "outside the band nothing moves";
}

TEST_F(SkinMultiSliderTest, ADragTellsTheParentOnceAtTheRelease)
{
    ASSERT_TRUE(bar.SetRange(0, 100000));
    ASSERT_TRUE(bar.SetSelection(0, 100000));
    ASSERT_TRUE(bar.SetPos(50000));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(110, 10));
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(130, 10));
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(150, 10));
    EXPECT_EQ(70000, bar.GetPos());
    EXPECT_TRUE(host.told.empty());
    bar.SendMessage(WM_LBUTTONUP, 0, At(150, 10));
    EXPECT_EQ(1u, host.told.size());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(SkinMultiSliderTest, ASlowDragOverAShortRangeStillMoves)
{
    ASSERT_TRUE(bar.SetRange(0, 50));
    ASSERT_TRUE(bar.SetSelection(0, 50));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    for (int x = 11; x <= 30; ++x)
        bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(x, 10)); // a quarter of a unit a pixel
    EXPECT_EQ(5, bar.GetPos());
    bar.SendMessage(WM_LBUTTONUP, 0, At(30, 10));
}

TEST_F(SkinMultiSliderTest, ATrackWithoutLengthIsRefused)
{
    CSkinMultiSlider flat;
    EXPECT_FALSE(flat.LoadBitmaps(IDB_RANGE_CHANNEL, IDB_RANGE_THUMB, 50, 50, 10, 6, kTransparentGreen, TRUE));
    EXPECT_FALSE(flat.LoadBitmaps(IDB_RANGE_CHANNEL, IDB_RANGE_THUMB, 60, 50, 10, 6, kTransparentGreen, TRUE));
}

TEST_F(SkinMultiSliderTest, DrawsTrackBandAndThumb)
{
    ASSERT_TRUE(bar.SetRange(0, 1000));
    ASSERT_TRUE(bar.SetSelection(0, 500));
    ASSERT_TRUE(bar.SetPos(250));
    bar.Invalidate();
    bar.UpdateWindow();
    EXPECT_EQ(RGB(0, 0, 90), ClientPixel(bar.m_hWnd, 150, 10)) << "track beyond the band";
    EXPECT_EQ(RGB(255, 255, 255), ClientPixel(bar.m_hWnd, 30, 10)) << "band";
    EXPECT_EQ(RGB(255, 128, 0), ClientPixel(bar.m_hWnd, 60, 10)) << "thumb";
    EXPECT_EQ(RGB(0, 0, 90), ClientPixel(bar.m_hWnd, 56, 4)) << "the thumb's see-through corner";
    SaveWindowShot(host.m_hWnd, "skin_range_bar");
}

TEST_F(SkinMultiSliderTest, ShowsACopyOfTheSkinsCursor)
{
    HCURSOR shared = ::LoadCursorA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDCUR_RANGE));
    ASSERT_NE(nullptr, shared);
    bar.SetCursor(shared);
    EXPECT_TRUE(bar.SendMessage(WM_SETCURSOR, (WPARAM)bar.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    HCURSOR shown = ::GetCursor();
    EXPECT_NE(shared, shown);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(shown, &info)) << "the copy lives on its own";
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    bar.SetCursor(NULL);
    EXPECT_FALSE(bar.SendMessage(WM_SETCURSOR, (WPARAM)bar.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
}

// --- text ------------------------------------------------------------------------

class SkinTextTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(host.CreateHost(240, 80)); }
    void TakeOver()
    {
        HWND plain = host.AddControl("STATIC", SS_LEFT, 0, 0, 50, 10, 1082);
        ASSERT_TRUE(text.SubclassWindow(plain));
        text.UpdateWindow();
    }
    // Rows of the field holding a pixel of the text colour.
    std::vector<int> InkRows(COLORREF ink)
    {
        std::vector<int> rows;
        CRect client;
        text.GetClientRect(&client);
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) {
                if (ClientPixel(text.m_hWnd, x, y) == ink) {
                    rows.push_back(y);
                    break;
                }
            }
        }
        return rows;
    }

    CHostWnd host;
    CSkinText text;
};

TEST_F(SkinTextTest, DrawsItsTextCentredDownOverItsBackground)
{
    text.SetText("Channel 12");
    text.SetPosition(10, 10);
    text.SetSize(120, 40);
    text.SetTextColor(RGB(255, 255, 0));
    text.SetBackColor(RGB(0, 0, 80));
    text.SetFontSize(0, 12);
    TakeOver();
    EXPECT_EQ(CRect(10, 10, 130, 50), RectIn(text.m_hWnd, host.m_hWnd));
    EXPECT_EQ(RGB(0, 0, 80), ClientPixel(text.m_hWnd, 115, 2));
    std::vector<int> rows = InkRows(RGB(255, 255, 0));
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(rows.front(), 10) << "a 12-pixel text in a 40-pixel field starts 14 down";
    EXPECT_LE(rows.back(), 30);
    SaveWindowShot(host.m_hWnd, "skin_text");
}

TEST_F(SkinTextTest, KeepsTheTextSetBeforeAndAfterTheWindow)
{
    text.SetText("before"); // no window yet: only stored
    EXPECT_STREQ("before", text.GetText());
    text.SetBackColor(RGB(0, 0, 0));
    text.SetSize(80, 14);
    TakeOver();
    CString shown;
    text.GetWindowText(shown);
    EXPECT_STREQ("before", shown);
    text.SetWindowText("from the program");
    EXPECT_STREQ("from the program", text.GetText());
}

TEST_F(SkinTextTest, AFaceNameIsCutToWhatAFontHolds)
{
    text.SetFontFaceName("A face name far longer than any font's thirty-one");
    text.SetFontCharset(ANSI_CHARSET);
    text.SetFontItalic(TRUE);
    LOGFONTA font;
    text.GetLogFont(font);
    EXPECT_EQ(31u, strlen(font.lfFaceName));
    EXPECT_TRUE(font.lfItalic);
}

TEST_F(SkinTextTest, ABackgroundBitmapGivesTheFieldItsSize)
{
    ASSERT_TRUE(text.LoadBackground(IDB_TEXT_BACK));
    EXPECT_EQ(CSkinText::kBitmap, text.GetBackStyle());
    TakeOver();
    EXPECT_EQ(CSize(80, 14), RectIn(text.m_hWnd, host.m_hWnd).Size());
    EXPECT_EQ(RGB(200, 200, 0), ClientPixel(text.m_hWnd, 78, 1));
}
