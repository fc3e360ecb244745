// The on-screen texts over a red window: cut to their letters (glyphs and
// the gaps between and inside them, read back from the screen), placed by
// margins and layout flags, sized by the window, shown and hidden by their
// timer, stacked in lines, and the slider's bar filled by its value.
#include "app/Osd.h"
#include "app/OsdEx.h"
#include "app/OsdSlider.h"
#include "tests/app/AppTestIds.h"
#include "tests/app/ProgramInput.h"
#include "tests/support/GeometryPrint.h"
#include "tests/support/HandleCount.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const COLORREF kBehind = RGB(200, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kEmptyBar = RGB(100, 100, 108);

// The screen's pixels over a rectangle, read once.
class ScreenGrab
{
public:
    explicit ScreenGrab(const CRect& screen) : m_area(screen), m_pixels((size_t)screen.Width() * screen.Height())
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = screen.Width();
        info.bmiHeader.biHeight = -screen.Height();
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC desktop = ::GetDC(NULL);
        HDC memory = ::CreateCompatibleDC(desktop);
        void* bits = NULL;
        HBITMAP bitmap = ::CreateDIBSection(desktop, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, screen.Width(), screen.Height(), desktop, screen.left, screen.top, SRCCOPY);
        ::GdiFlush();
        const DWORD* source = (const DWORD*)bits;
        for (size_t i = 0; i < m_pixels.size(); i++)
            m_pixels[i] = RGB((source[i] >> 16) & 0xFF, (source[i] >> 8) & 0xFF, source[i] & 0xFF);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(NULL, desktop);
    }
    // A pixel by its place relative to the grabbed rectangle.
    COLORREF At(int x, int y) const { return m_pixels[(size_t)y * m_area.Width() + x]; }
    // How many pixels of `rect` (grab coordinates) have `color`.
    int Count(const CRect& rect, COLORREF color) const
    {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
                n += At(x, y) == color;
        return n;
    }

private:
    CRect m_area;
    std::vector<COLORREF> m_pixels;
};

// A shown top-level window with a red client area, the owner of the texts.
class RedOwner : public CWnd
{
public:
    RedOwner(int width, int height, CPoint at = CPoint(100, 100))
    {
        static HBRUSH red = ::CreateSolidBrush(kBehind);
        CreateEx(0, AfxRegisterWndClass(0, NULL, red), "OSD owner", WS_POPUP | WS_VISIBLE,
                 CRect(at.x, at.y, at.x + width, at.y + height), NULL, 0);
        UpdateWindow();
    }
    void Resize(int width, int height)
    {
        SetWindowPos(NULL, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        UpdateWindow();
    }
    CRect ScreenClient() const
    {
        CRect r;
        GetClientRect(&r);
        ClientToScreen(&r);
        return r;
    }
};

// A red owner that, as the video window does, keeps its texts over it
// whenever its place in the z-order changes.
class RaisingOwner : public RedOwner
{
public:
    RaisingOwner(int width, int height, CPoint at) : RedOwner(width, height, at) {}
    std::vector<COsd*> texts;
    void OnWindowPosChanged(WINDOWPOS* pos)
    {
        Default();
        if (!(pos->flags & SWP_NOZORDER) || (pos->flags & SWP_SHOWWINDOW))
            COsd::RaiseOverOwner(*this, texts.data(), (int)texts.size());
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RaisingOwner, RedOwner)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

struct Shape
{
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    int kind = ERROR;
    explicit Shape(HWND hWnd) { kind = ::GetWindowRgn(hWnd, region); }
    ~Shape() { ::DeleteObject(region); }
    bool Has(int x, int y) const { return ::PtInRegion(region, x, y) != FALSE; }
    CRect Box() const
    {
        CRect r;
        ::GetRgnBox(region, &r);
        return r;
    }
    bool Equals(const Shape& other) const { return ::EqualRgn(region, other.region) != FALSE; }
    // Points of `rect` inside the shape.
    int Count(const CRect& rect) const
    {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
                n += Has(x, y);
        return n;
    }
};

template <class T> void MakeGreen(T& osd, CWnd& owner)
{
    ASSERT_TRUE(osd.Create(&owner));
    osd.SetColor(kGreen);
}

void ShowAndPaint(COsd& osd)
{
    osd.ShowOsd(TRUE);
    osd.UpdateWindow();
    PumpFor(50);
}

} // namespace

TEST(Osd, TextIsCutToItsLettersWithTheGapsBetweenAndInsideThem)
{
    RedOwner owner(640, 480);
    COsd osd;
    MakeGreen(osd, owner);
    EXPECT_FALSE(osd.IsWindowVisible()) << "hidden at first";
    EXPECT_NE(0u, osd.GetStyle() & WS_POPUP);
    EXPECT_EQ(owner.m_hWnd, ::GetWindow(osd, GW_OWNER));

    osd.SetText("O");
    ShowAndPaint(osd);
    CRect placed;
    osd.GetWindowRect(&placed);
    EXPECT_EQ(owner.ScreenClient(), placed) << "laid over the owner's client area";

    Shape shape(osd);
    ASSERT_EQ(COMPLEXREGION, shape.kind);
    const CRect ink = shape.Box();
    EXPECT_TRUE(osd.GetTextBox().PtInRect(ink.TopLeft())) << "the text box holds the letters";
    EXPECT_GE(ink.left, 5);
    EXPECT_GE(ink.top, 5);
    // An "O" across its middle: stroke, open counter, stroke; its round
    // corners are not part of it.
    const CPoint middle = ink.CenterPoint();
    EXPECT_FALSE(shape.Has(middle.x, middle.y)) << "the counter is a gap";
    EXPECT_TRUE(shape.Has(ink.left + 2, middle.y));
    EXPECT_TRUE(shape.Has(ink.right - 3, middle.y));
    EXPECT_FALSE(shape.Has(ink.left, ink.top));
    EXPECT_FALSE(shape.Has(ink.right - 1, ink.bottom - 1));

    // What the screen shows: green letters, the red owner everywhere else.
    ScreenGrab screen(placed);
    EXPECT_EQ(kGreen, screen.At(ink.left + 2, middle.y));
    EXPECT_EQ(kBehind, screen.At(middle.x, middle.y));
    EXPECT_EQ(kBehind, screen.At(ink.left, ink.top));
    EXPECT_EQ(kBehind, screen.At(2, 2));
    const int inside = shape.Count(ink);
    EXPECT_EQ(inside, screen.Count(ink, kGreen));
    EXPECT_EQ(ink.Width() * ink.Height() - inside, screen.Count(ink, kBehind));
    const CRect whole(0, 0, placed.Width(), placed.Height());
    EXPECT_EQ(inside, screen.Count(whole, kGreen)) << "nothing green outside the letters";
}

TEST(Osd, NeverTakesTheActivationAndStaysShortOfAFullScreenWindow)
{
    // A window that covers the whole work area is managed as a full-screen
    // window: a window manager gives it the focus and the system confines
    // the pointer to it.
    RECT work;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const CRect area(work);
    struct Case
    {
        CRect owner, expected;
    } cases[] = {
        {CRect(100, 100, 740, 580), CRect(100, 100, 740, 580)},
        {area, CRect(area.left, area.top, area.right - 1, area.bottom)},
        {CRect(area.left - 10, area.top - 10, area.right + 10, area.bottom + 10),
         CRect(area.left - 10, area.top - 10, area.right - 1, area.bottom + 10)},
    };
    for (const Case& c : cases) {
        RedOwner owner(c.owner.Width(), c.owner.Height(), c.owner.TopLeft());
        ::SetForegroundWindow(owner);
        COsd osd;
        MakeGreen(osd, owner);
        EXPECT_NE(0u, osd.GetExStyle() & WS_EX_NOACTIVATE);
        osd.SetText("Mute");
        ShowAndPaint(osd);
        EXPECT_EQ(c.expected, WindowRect(osd.m_hWnd)) << ::testing::PrintToString(c.owner);
        EXPECT_EQ(owner.m_hWnd, ::GetForegroundWindow()) << ::testing::PrintToString(c.owner);
        EXPECT_NE(osd.m_hWnd, ::GetActiveWindow()) << ::testing::PrintToString(c.owner);
        // A click on the letters leaves the activation where it was.
        EXPECT_EQ(MA_NOACTIVATE, osd.SendMessage(WM_MOUSEACTIVATE, (WPARAM)owner.m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    }
}

TEST(Osd, MarginsAndLayoutFlagsPlaceTheText)
{
    RedOwner owner(640, 480);
    COsd osd;
    MakeGreen(osd, owner);
    osd.SetMargins(5, 5, 5, 40);
    osd.SetTextFormat(DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    osd.SetText("REC 00:12");
    ShowAndPaint(osd);
    const CRect box = osd.GetTextBox();
    EXPECT_NEAR(640 - 5, box.right, 2);
    EXPECT_NEAR(480 - 40, box.bottom, 2);
    EXPECT_NEAR(38, box.Height(), 2) << "one line high";
    Shape shape(osd);
    EXPECT_EQ(0, shape.Count(CRect(0, 0, 640, box.top))) << "nothing above the line";
    EXPECT_EQ(0, shape.Count(CRect(0, 480 - 38, 640, 480))) << "nothing in the bottom margin";
    SaveScreenShot(owner, "osd_text");
}

TEST(Osd, FontHeightFollowsTheOwnersHeightWithinItsBounds)
{
    struct Case
    {
        int ownerHeight, fontHeight;
    } cases[] = {{480, 38}, {300, 30}, {200, 30}, {900, 55}, {687, 54}};
    RedOwner owner(400, 480);
    COsd osd;
    MakeGreen(osd, owner);
    for (const Case& c : cases) {
        EXPECT_EQ(c.fontHeight, osd.FontHeightFor(c.ownerHeight)) << c.ownerHeight;
        owner.Resize(400, c.ownerHeight);
        osd.SetText("Ag");
        EXPECT_NEAR(c.fontHeight, osd.GetTextBox().Height(), 2) << "line of a text over " << c.ownerHeight;
    }
}

TEST(Osd, HidesAfterItsDelayWhichAShowRestartsAndZeroStops)
{
    RedOwner owner(320, 240);
    COsd osd;
    MakeGreen(osd, owner);
    osd.SetText("12");

    osd.SetHideDelay(100);
    EXPECT_FALSE(osd.IsWindowVisible()) << "a delay shows nothing";
    osd.ShowOsd(TRUE);
    EXPECT_TRUE(osd.IsWindowVisible());
    EXPECT_NE(osd.m_hWnd, ::GetActiveWindow()) << "shown without activating";
    EXPECT_TRUE(PumpUntil([&] { return !osd.IsWindowVisible(); }, 5000)) << "hidden by its timer";

    osd.ShowOsd(TRUE);
    osd.SetHideDelay(0);
    PumpFor(400);
    EXPECT_TRUE(osd.IsWindowVisible()) << "a delay of 0 keeps the text";
    osd.SetHideDelay(100);
    EXPECT_TRUE(PumpUntil([&] { return !osd.IsWindowVisible(); }, 5000)) << "a new delay starts on a shown text";

    osd.SetHideDelay(1500);
    osd.ShowOsd(TRUE);
    PumpFor(1000);
    osd.ShowOsd(TRUE);
    PumpFor(1000);
    EXPECT_TRUE(osd.IsWindowVisible()) << "showing again restarts the full delay";
    EXPECT_TRUE(PumpUntil([&] { return !osd.IsWindowVisible(); }, 5000));

    osd.ShowOsd(TRUE);
    osd.ShowOsd(FALSE);
    EXPECT_FALSE(osd.IsWindowVisible());
}

TEST(Osd, AnEmptyTextOrAMinimisedOwnerKeepsTheShape)
{
    RedOwner owner(640, 480);
    COsd osd;
    MakeGreen(osd, owner);
    osd.SetText("Vol");
    ShowAndPaint(osd);
    const CRect box = osd.GetTextBox();
    Shape before(osd);

    osd.SetText("");
    EXPECT_EQ("", std::string(osd.GetText()));
    EXPECT_EQ(box, osd.GetTextBox());
    EXPECT_TRUE(before.Equals(Shape(osd)));

    owner.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(owner.IsIconic());
    osd.SetText("A much longer text");
    EXPECT_EQ("A much longer text", std::string(osd.GetText())) << "the text is kept";
    EXPECT_EQ(box, osd.GetTextBox());
    EXPECT_TRUE(before.Equals(Shape(osd)));
    osd.ShowWindow(SW_SHOWNA);
    osd.Refresh();
    EXPECT_FALSE(osd.IsWindowVisible()) << "refreshed while minimised: hidden";

    owner.ShowWindow(SW_RESTORE);
    osd.ShowOsd(TRUE);
    osd.Refresh();
    EXPECT_GT(osd.GetTextBox().Width(), box.Width()) << "shaped again once restored";
}

TEST(Osd, ShownUnderAnotherWindowItStillShowsOverItsRaisedOwner)
{
    RaisingOwner owner(640, 480, CPoint(100, 100));
    COsd mute, channel;
    MakeGreen(mute, owner);
    MakeGreen(channel, owner);
    mute.SetTextFormat(DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    owner.texts = {&channel, &mute};
    mute.SetText("Mute");
    channel.SetText("12");

    // The owner comes to the top while its texts are hidden: under Wine its
    // X window goes over theirs.
    owner.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpFor(50);
    // Another window (a tool tip, the panel) above the texts in the z-order,
    // beside the owner.
    CWnd tip;
    ASSERT_TRUE(tip.CreateEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, AfxRegisterWndClass(0), "tip", WS_POPUP,
                             CRect(800, 100, 840, 120), NULL, 0));
    tip.ShowWindow(SW_SHOWNA);
    PumpFor(50);

    ShowAndPaint(mute);
    ShowAndPaint(channel);
    const CRect client = owner.ScreenClient();
    ScreenGrab screen(client);
    const CRect whole(0, 0, client.Width(), client.Height());
    const int muteInk = Shape(mute).Count(mute.GetTextBox());
    const int channelInk = Shape(channel).Count(channel.GetTextBox());
    ASSERT_GT(muteInk, 0);
    ASSERT_GT(channelInk, 0);
    EXPECT_EQ(muteInk + channelInk, screen.Count(whole, kGreen)) << "both texts show over the picture";
    tip.DestroyWindow();
}

TEST(Osd, NothingShowsBeforeATextIsShaped)
{
    RedOwner owner(320, 240);
    COsd osd;
    MakeGreen(osd, owner);
    osd.FitToOwner();
    ShowAndPaint(osd);
    ASSERT_TRUE(osd.IsWindowVisible());
    ScreenGrab screen(owner.ScreenClient());
    EXPECT_EQ(0, screen.Count(CRect(0, 0, 320, 240), kGreen));
}

TEST(Osd, AnAmpersandIsALetter)
{
    RedOwner owner(640, 480);
    COsd plain, ampersand;
    MakeGreen(plain, owner);
    MakeGreen(ampersand, owner);
    plain.SetText("RB");
    ampersand.SetText("R&B");
    EXPECT_GT(ampersand.GetTextBox().Width(), plain.GetTextBox().Width());
}

TEST(Osd, TextFromTheStringTable)
{
    RedOwner owner(320, 240);
    COsd osd;
    MakeGreen(osd, owner);
    osd.SetTextId(IDS_OSD_TEST_TEXT);
    EXPECT_EQ("Mute", std::string(osd.GetText()));
    EXPECT_FALSE(osd.GetTextBox().IsRectEmpty());
}

TEST(Osd, AVeryLongTextIsKeptAndShapedUpToTheBound)
{
    RedOwner owner(320, 240);
    COsd osd;
    MakeGreen(osd, owner);
    const std::string longText(20000, 'W');
    osd.SetText(longText.c_str());
    EXPECT_EQ(longText.size(), (size_t)osd.GetText().GetLength());
    Shape shape(osd);
    EXPECT_EQ(COMPLEXREGION, shape.kind);
}

TEST(OsdEx, LinesAreStackedEachUnderThePreviousLinesBox)
{
    RedOwner owner(640, 480);
    COsd one;
    MakeGreen(one, owner);
    one.SetText("First");
    const CRect lineBox = one.GetTextBox();
    ASSERT_FALSE(lineBox.IsRectEmpty());

    struct Case
    {
        const char* text;
        int lines;
    } cases[] = {{"First\nSecond", 2}, {"\nFirst\n\nSecond\n", 2}, {"First", 1}, {"First\nA\nB", 3}};
    for (const Case& c : cases) {
        COsdEx osd;
        MakeGreen(osd, owner);
        osd.SetText(c.text);
        ShowAndPaint(osd);
        const CRect box = osd.GetTextBox();
        EXPECT_EQ(lineBox.top, box.top) << c.text;
        EXPECT_NEAR(lineBox.Height() * c.lines, box.Height(), c.lines) << c.text;
        Shape shape(osd);
        for (int line = 0; line < c.lines; line++) {
            CRect band(0, lineBox.top + line * lineBox.Height(), 640, lineBox.top + (line + 1) * lineBox.Height());
            EXPECT_GT(shape.Count(band), 0) << c.text << " line " << line;
        }
        EXPECT_EQ(0, shape.Count(CRect(0, box.bottom, 640, 480))) << c.text;
        if (c.lines == 2)
            SaveScreenShot(owner, "osd_lines");
    }
}

TEST(OsdSlider, BarStrokesFollowTheLabelAndShowTheValue)
{
    RedOwner owner(640, 480);
    COsdSlider slider;
    MakeGreen(slider, owner);
    EXPECT_EQ(UINT(DT_SINGLELINE | DT_BOTTOM), slider.GetTextFormat());
    EXPECT_EQ(kEmptyBar, slider.GetEmptyColor());
    slider.SetText("Volume");
    ShowAndPaint(slider);

    Shape shape(slider);
    const int barLeft = slider.GetBarLeft();
    const CRect box = slider.GetTextBox();
    const CRect bar(barLeft, box.top, 640 - 5, box.bottom);
    EXPECT_NEAR(38, box.Height(), 2) << "the bar stands on the label's line";
    const int strokes = shape.Count(bar);
    EXPECT_GT(strokes, 0) << "strokes right of the label";
    EXPECT_GT(shape.Count(CRect(5, box.top, barLeft - COsdSlider::kBarGap, box.bottom)), 0) << "the label";
    EXPECT_LT(strokes, bar.Width() * bar.Height() / 2) << "strokes with gaps between them";

    struct Case
    {
        int value, shownValue;
    } cases[] = {{0, 0}, {100, 100}, {50, 50}, {150, 100}, {-20, 0}};
    for (const Case& c : cases) {
        slider.SetValue(c.value);
        EXPECT_EQ(c.shownValue, slider.GetValue());
        slider.UpdateWindow();
        PumpFor(50);
        const CRect screenArea = owner.ScreenClient();
        ScreenGrab screen(screenArea);
        const int split = barLeft + c.shownValue * (640 - barLeft) / 100;
        const CRect filled(barLeft, bar.top, split, bar.bottom), empty(split, bar.top, bar.right, bar.bottom);
        EXPECT_EQ(shape.Count(filled), screen.Count(filled, kGreen)) << c.value;
        EXPECT_EQ(shape.Count(empty), screen.Count(empty, kEmptyBar)) << c.value;
        EXPECT_EQ(0, screen.Count(CRect(0, 0, barLeft, 480), kEmptyBar)) << "the label stays green";
        if (c.value == 50)
            SaveScreenShot(owner, "osd_slider");
    }
}

TEST(OsdSlider, ALabelWiderThanTheWindowLeavesNoBar)
{
    RedOwner owner(200, 240);
    COsdSlider slider;
    MakeGreen(slider, owner);
    slider.SetText("Brightness and contrast");
    Shape shape(slider);
    EXPECT_EQ(COMPLEXREGION, shape.kind);
    EXPECT_FALSE(slider.GetTextBox().IsRectEmpty());
}

TEST(Osd, ShapingAgainAndDestroyingLeaveNoGdiObjectsBehind)
{
    RedOwner owner(640, 480);
    const DWORD before = GdiObjectCount();
    {
        COsd text;
        COsdEx lines;
        COsdSlider slider;
        MakeGreen(text, owner);
        MakeGreen(lines, owner);
        MakeGreen(slider, owner);
        for (int i = 0; i < 30; i++) {
            std::string n = std::to_string(i);
            text.SetText(("Channel " + n).c_str());
            lines.SetText(("Line " + n + "\nNext").c_str());
            slider.SetText(("Volume " + n).c_str());
            slider.SetValue(i * 3);
        }
    }
    PumpFor(50);
    EXPECT_EQ(before, GdiObjectCount());
}
