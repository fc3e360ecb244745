// The pictures fit the places the windows give them: the caption pieces and
// buttons of the video window, the tool bar's buttons, background and thumb,
// the on-screen menu's rows and widgets, the masked image strips. A picture
// of the wrong size would draw out of place or leave gaps.
#include "ResourceHeader.h"
#include "ResourceLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A bitmap of the library read back as 32-bit pixels, top row first.
struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

Picture LoadPicture(const ResourceLibrary& library, const char* name)
{
    Picture p;
    HBITMAP bitmap = (HBITMAP)::LoadImageA(library.Module(), MAKEINTRESOURCEA(ResourceValue(name)), IMAGE_BITMAP,
                                           0, 0, LR_CREATEDIBSECTION);
    if (!bitmap) {
        ADD_FAILURE() << name << " does not load";
        return p;
    }
    BITMAP info = {};
    ::GetObjectA(bitmap, sizeof info, &info);
    p.width = info.bmWidth;
    p.height = info.bmHeight;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = p.width;
    header.bmiHeader.biHeight = -p.height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bgra((size_t)p.width * p.height);
    HDC dc = ::GetDC(NULL);
    ::GetDIBits(dc, bitmap, 0, p.height, bgra.data(), &header, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, dc);
    ::DeleteObject(bitmap);
    for (DWORD v : bgra)
        p.pixels.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    return p;
}

struct Size
{
    const char* bitmap;
    int width;
    int height;
};

class PicturesTest : public ::testing::Test
{
protected:
    ResourceLibrary mavrel{"Mavrel.dll", ResourceLibrary::Program};

    void ExpectSizes(std::initializer_list<Size> sizes)
    {
        for (const Size& s : sizes) {
            Picture p = LoadPicture(mavrel, s.bitmap);
            EXPECT_EQ(p.width, s.width) << s.bitmap;
            EXPECT_EQ(p.height, s.height) << s.bitmap;
        }
    }
    void ExpectSameSize(std::initializer_list<const char*> names)
    {
        Picture first = LoadPicture(mavrel, *names.begin());
        for (const char* name : names) {
            Picture p = LoadPicture(mavrel, name);
            EXPECT_EQ(p.width, first.width) << name << " against " << *names.begin();
            EXPECT_EQ(p.height, first.height) << name << " against " << *names.begin();
        }
    }
};

// The caption's height is its left end's height; the buttons (22 x 21) stand
// in the right end at x 25, 49 and 72; the side borders share a width.
TEST_F(PicturesTest, CaptionPiecesFitTogetherAndHoldTheButtons)
{
    Picture left = LoadPicture(mavrel, "IDB_CAPTION_LEFT");
    EXPECT_EQ(LoadPicture(mavrel, "IDB_CAPTION_MIDDLE").height, left.height);
    Picture right = LoadPicture(mavrel, "IDB_CAPTION_RIGHT");
    EXPECT_GE(right.width, 72 + 22);
    EXPECT_EQ(right.height, left.height);
    EXPECT_GE(right.height, 2 + 21);
    ExpectSizes({{"IDB_MINIMIZE_NORMAL", 22, 21}, {"IDB_MINIMIZE_HOVER", 22, 21}, {"IDB_MINIMIZE_PRESSED", 22, 21},
                 {"IDB_MAXIMIZE_NORMAL", 22, 21}, {"IDB_MAXIMIZE_HOVER", 22, 21}, {"IDB_MAXIMIZE_PRESSED", 22, 21},
                 {"IDB_CLOSE_NORMAL", 22, 21}, {"IDB_CLOSE_HOVER", 22, 21}, {"IDB_CLOSE_PRESSED", 22, 21}});
    EXPECT_EQ(LoadPicture(mavrel, "IDB_BORDER_LEFT").width, LoadPicture(mavrel, "IDB_BORDER_RIGHT").width);
    EXPECT_GT(LoadPicture(mavrel, "IDB_BORDER_BOTTOM").height, 0);

    // A normal button shows the caption behind it: its corner matches the
    // right end's pixel at the same place (x 25, y 2).
    Picture minimize = LoadPicture(mavrel, "IDB_MINIMIZE_NORMAL");
    EXPECT_EQ(minimize.At(0, 0), right.At(25, 2));
}

// Button bitmaps at the sizes of the tool bar's controls, the background
// covering every control, the slider's thumb split in image and mask.
TEST_F(PicturesTest, ToolBarPicturesFitItsControls)
{
    const char* const buttons[] = {"PIN", "SNAPSHOT", "WALL", "RECORD", "PREV", "NEXT", "MUTE"};
    for (const char* b : buttons) {
        for (const char* state : {"HOVER", "NORMAL", "PRESSED", "DISABLED"}) {
            std::string name = std::string("IDB_TOOL_") + b + "_" + state;
            Picture p = LoadPicture(mavrel, name.c_str());
            EXPECT_EQ(p.width, 20) << name;
            EXPECT_EQ(p.height, 15) << name;
        }
    }
    ExpectSizes({{"IDB_TOOL_CLOSE_HOVER", 30, 20}, {"IDB_TOOL_CLOSE_NORMAL", 30, 20},
                 {"IDB_TOOL_CLOSE_PRESSED", 30, 20}, {"IDB_TOOL_CLOSE_DISABLED", 30, 20}});

    // The close button's place is larger than the others', but its key
    // (where hover lights it) and its glyph (what differs from the bare
    // bar) are theirs, at the top of its place.
    const auto changed = [&](const char* a, const char* b, const char* button) {
        const Picture one = LoadPicture(mavrel, (std::string("IDB_TOOL_") + button + "_" + a).c_str());
        const Picture two = LoadPicture(mavrel, (std::string("IDB_TOOL_") + button + "_" + b).c_str());
        RECT box = {one.width, one.height, -1, -1};
        for (int y = 0; y < one.height && one.height == two.height; ++y)
            for (int x = 0; x < one.width && one.width == two.width; ++x)
                if (one.At(x, y) != two.At(x, y)) {
                    box.left = std::min(box.left, (LONG)x);
                    box.top = std::min(box.top, (LONG)y);
                    box.right = std::max(box.right, (LONG)x + 1);
                    box.bottom = std::max(box.bottom, (LONG)y + 1);
                }
        return box;
    };
    const RECT otherKey = changed("NORMAL", "HOVER", "SNAPSHOT");
    const RECT closeKey = changed("NORMAL", "HOVER", "CLOSE");
    EXPECT_EQ(otherKey.right - otherKey.left, closeKey.right - closeKey.left);
    EXPECT_EQ(otherKey.bottom - otherKey.top, closeKey.bottom - closeKey.top);
    EXPECT_EQ(otherKey.top, closeKey.top);
    const RECT otherGlyph = changed("NORMAL", "DISABLED", "PIN");
    const RECT closeGlyph = changed("NORMAL", "DISABLED", "CLOSE");
    EXPECT_LE(closeGlyph.bottom - closeGlyph.top, otherGlyph.bottom - otherGlyph.top + 1);
    EXPECT_LE(closeGlyph.bottom, otherKey.bottom) << "the cross sits in the key";

    Picture background = LoadPicture(mavrel, "IDB_TOOL_BACKGROUND");
    EXPECT_GE(background.width, 551 + 20);       // the mute button's right edge
    EXPECT_GE(background.height, 14 + 20);       // the close button's bottom edge
    EXPECT_EQ(LoadPicture(mavrel, "IDB_TOOL_FILLER").height, background.height);

    // Image left, mask right: the mask is white where the bar shows through
    // and black under the thumb, and the image is black where the mask is white.
    Picture thumb = LoadPicture(mavrel, "IDB_TOOL_VOLUME_THUMB");
    ASSERT_EQ(thumb.width % 2, 0);
    EXPECT_LE(thumb.height, 15);
    int half = thumb.width / 2;
    int thumbPixels = 0;
    for (int y = 0; y < thumb.height; ++y) {
        for (int x = 0; x < half; ++x) {
            COLORREF mask = thumb.At(half + x, y);
            ASSERT_TRUE(mask == RGB(255, 255, 255) || mask == RGB(0, 0, 0)) << x << "," << y;
            if (mask == RGB(255, 255, 255)) {
                EXPECT_EQ(thumb.At(x, y), RGB(0, 0, 0)) << x << "," << y;
            } else {
                ++thumbPixels;
            }
        }
    }
    EXPECT_GT(thumbPixels, half * thumb.height / 2);
}

// Rows as wide as the panel's top and bottom, tall enough for the widgets
// (which reach x 599 and y 45); the widgets' pictures in pairs of one size.
TEST_F(PicturesTest, OnScreenMenuPicturesFitThePanelsAndWidgets)
{
    ExpectSameSize({"IDB_OSD_ROW_NORMAL", "IDB_OSD_ROW_FOCUSED"});
    Picture row = LoadPicture(mavrel, "IDB_OSD_ROW_NORMAL");
    EXPECT_GE(row.width, 600);
    EXPECT_EQ(row.height, 45);
    EXPECT_EQ(LoadPicture(mavrel, "IDB_OSD_PANEL_TOP").width, row.width);
    EXPECT_EQ(LoadPicture(mavrel, "IDB_OSD_PANEL_BOTTOM").width, row.width);

    ExpectSameSize({"IDB_OSD_SELECT_LEFT", "IDB_OSD_SELECT_LEFT_HIGHLIGHT", "IDB_OSD_SELECT_RIGHT",
                    "IDB_OSD_SELECT_RIGHT_HIGHLIGHT"});
    EXPECT_LE(LoadPicture(mavrel, "IDB_OSD_SELECT_RIGHT").height, 45 - 6);   // selectors stand at y 6
    ExpectSameSize({"IDB_OSD_PROGRESS_BACK", "IDB_OSD_PROGRESS_FILL"});
    Picture progress = LoadPicture(mavrel, "IDB_OSD_PROGRESS_BACK");
    EXPECT_LE(progress.width, 579 - 259);                                      // the progress bars' column
    EXPECT_LE(progress.height, 45 - 10);
    Picture track = LoadPicture(mavrel, "IDB_OSD_SLIDER_TRACK");
    EXPECT_LE(track.width, 599 - 253);
    EXPECT_LE(track.height, 45 - 10);
    EXPECT_EQ(LoadPicture(mavrel, "IDB_OSD_SLIDER_THUMB").height, track.height);
}

// Masked strips: the menu's image list takes its mask colour from the first
// pixel, so every image keeps that colour at its own first pixel; the channel
// list's images are transparent where white.
TEST_F(PicturesTest, ImageStripsKeepTheirMaskColour)
{
    Picture strip = LoadPicture(mavrel, "IDR_TOOLBAR_MENU");
    ASSERT_EQ(strip.width % 16, 0);
    const COLORREF key = strip.At(0, 0);
    int keyed = 0;
    for (int x = 0; x < strip.width; x += 16) {
        EXPECT_EQ(strip.At(x, 0), key) << "image " << x / 16;
        EXPECT_EQ(strip.At(x + 15, 14), key) << "image " << x / 16;
    }
    for (COLORREF c : strip.pixels)
        keyed += c == key;
    EXPECT_GT(keyed, strip.width * strip.height / 4);
    EXPECT_LT(keyed, strip.width * strip.height);

    Picture channels = LoadPicture(mavrel, "IDB_CHANNEL_IMAGES");
    EXPECT_EQ(channels.width, 2 * 36);
    EXPECT_EQ(channels.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(channels.At(36, 0), RGB(255, 255, 255));
    EXPECT_EQ(channels.At(71, channels.height - 1), RGB(255, 255, 255));
}

TEST_F(PicturesTest, IconAndCursorLoadAtTheirSizes)
{
    for (int size : {16, 32}) {
        HICON icon = (HICON)::LoadImageA(mavrel.Module(), MAKEINTRESOURCEA(ResourceValue("IDI_APP")), IMAGE_ICON,
                                         size, size, 0);
        ASSERT_TRUE(icon != NULL) << size;
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP colour = {};
        ::GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
    HCURSOR cursor = ::LoadCursorA(mavrel.Module(), MAKEINTRESOURCEA(ResourceValue("IDCUR_DRAG")));
    EXPECT_TRUE(cursor != NULL);
}

} // namespace
