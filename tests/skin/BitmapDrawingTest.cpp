// Bitmap copies, masked copies, shapes read from bitmaps of other depths,
// and pictures made through the system's picture loader.
#include "skin/BitmapPixels.h"
#include "skin/DrawBmpHelper.h"
#include "skin/EnBitmap.h"
#include "tests/skin/SkinTestIds.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A memory canvas of one colour, compatible with the screen.
class Canvas
{
public:
    Canvas(int width, int height, COLORREF colour)
    {
        CClientDC screen(NULL);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, colour);
    }
    ~Canvas() { dc.SelectObject(old); }
    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }

    CDC dc;
    CBitmap bitmap;
    HGDIOBJ old;
};

const COLORREF kPaper = RGB(240, 240, 240);

} // namespace

TEST(DrawBmpHelper, MaskedCopyLeavesTheTransparentColourOut)
{
    CBitmap normal;
    ASSERT_TRUE(normal.LoadBitmap(IDB_BUTTON_NORMAL)); // 8 bits a pixel, green marks see-through
    Canvas canvas(40, 30, kPaper);
    ASSERT_TRUE(CDrawBmpHelper::DrawTransparent(&canvas.dc, 5, 5, kTransparentGreen, &normal));
    struct
    {
        int x, y;
        COLORREF expected;
    } probes[] = {
        {5, 5, kPaper},          // the transparent corner block
        {7, 7, kPaper},
        {8, 5, kNormalColour},   // just right of it
        {15, 10, kPaper},        // the lone transparent pixel at (10, 5)
        {16, 10, kNormalColour},
        {15, 9, kNormalColour},
        {28, 12, kPaper},        // the transparent right column
        {27, 12, kNormalColour},
        {2, 2, kPaper},          // outside the copy
    };
    for (const auto& p : probes)
        EXPECT_EQ(p.expected, canvas.At(p.x, p.y)) << p.x << "," << p.y;
}

TEST(DrawBmpHelper, PlainCopiesAndMissingBitmaps)
{
    CBitmap hover;
    ASSERT_TRUE(hover.LoadBitmap(IDB_BUTTON_HOVER));
    Canvas canvas(60, 40, kPaper);
    ASSERT_TRUE(CDrawBmpHelper::DrawBitmap(&canvas.dc, CRect(10, 10, 20, 15), &hover));
    EXPECT_EQ(kHoverColour, canvas.At(10, 10));
    EXPECT_EQ(kHoverColour, canvas.At(19, 14));
    EXPECT_EQ(kPaper, canvas.At(20, 14)) << "rectangle-sized, not bitmap-sized";
    EXPECT_EQ(kPaper, canvas.At(19, 15));
    ASSERT_TRUE(CDrawBmpHelper::DrawBitmapPart(&canvas.dc, 40, 30, CRect(20, 10, 24, 16), &hover));
    EXPECT_EQ(kHoverColour, canvas.At(43, 35));
    EXPECT_EQ(kPaper, canvas.At(44, 35));

    CBitmap none;
    EXPECT_FALSE(CDrawBmpHelper::DrawBitmap(&canvas.dc, CRect(0, 0, 5, 5), &none));
    EXPECT_FALSE(CDrawBmpHelper::DrawTransparent(&canvas.dc, 0, 0, kTransparentGreen, &none));
    EXPECT_EQ(kPaper, canvas.At(1, 1));
}

TEST(BitmapPixels, ShapeOfAPalettedBitmapComparesColoursExactly)
{
    CBitmap normal;
    ASSERT_TRUE(normal.LoadBitmap(IDB_BUTTON_NORMAL));
    CRgn shape;
    ASSERT_TRUE(shape.Attach(BitmapPixels::RegionWithout(normal, kTransparentGreen)));
    struct
    {
        int x, y;
        bool inside;
    } points[] = {
        {0, 0, false}, {2, 2, false}, {3, 0, true}, {0, 3, true},
        {10, 5, false}, {9, 5, true}, {11, 5, true}, {10, 4, true}, {10, 6, true},
        {23, 0, false}, {23, 15, false}, {22, 15, true},
    };
    for (const auto& p : points)
        EXPECT_EQ(p.inside, shape.PtInRegion(p.x, p.y) != FALSE) << p.x << "," << p.y;
    // A colour one step away from the key is kept.
    CRgn nearKey;
    ASSERT_TRUE(nearKey.Attach(BitmapPixels::RegionWithout(normal, RGB(0, 254, 0))));
    EXPECT_TRUE(nearKey.PtInRegion(0, 0));
}

TEST(EnBitmap, PicturesFromFilesAndResources)
{
    TempFolder dir;
    ASSERT_TRUE(dir.Write("picture.bmp", SolidBitmapFile(30, 20, RGB(10, 200, 30))));
    ASSERT_TRUE(dir.Write("broken.bmp", "BM not a picture at all"));

    CEnBitmap fromFile;
    ASSERT_TRUE(fromFile.LoadImage(dir.File("picture.bmp").c_str()));
    EXPECT_EQ(CSize(30, 20), fromFile.GetSize());
    Canvas canvas(40, 30, kPaper);
    CDrawBmpHelper::DrawBitmap(&canvas.dc, CRect(0, 0, 30, 20), &fromFile);
    EXPECT_EQ(RGB(10, 200, 30), canvas.At(15, 10));

    CEnBitmap fromResource;
    ASSERT_TRUE(fromResource.LoadImage(IDP_SPLASH_PICTURE, "PICTURE"));
    EXPECT_EQ(CSize(160, 90), fromResource.GetSize());

    struct
    {
        const char* name;
        std::function<BOOL(CEnBitmap&)> load;
    } refusals[] = {
        {"a bitmap is already held", [&](CEnBitmap&) { return fromFile.LoadImage(dir.File("picture.bmp").c_str()); }},
        {"missing file", [&](CEnBitmap& b) { return b.LoadImage(dir.File("none.bmp").c_str()); }},
        {"not a picture", [&](CEnBitmap& b) { return b.LoadImage(dir.File("broken.bmp").c_str()); }},
        {"missing resource", [](CEnBitmap& b) { return b.LoadImage(9999, "PICTURE"); }},
    };
    for (const auto& r : refusals) {
        CEnBitmap fresh;
        EXPECT_FALSE(r.load(fresh)) << r.name;
        EXPECT_EQ(nullptr, fresh.m_hObject) << r.name;
    }
    EXPECT_EQ(CSize(30, 20), fromFile.GetSize()) << "the held bitmap stays";
}
