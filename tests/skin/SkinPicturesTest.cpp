// A skin's pictures: ".bmp" files read with every field checked, the window
// shape a bitmap gives (sampled every second row, and exact), and the
// file reader against thousands of damaged files.
#include "skin/BitmapFileReader.h"
#include "skin/BitmapPixels.h"
#include "skin/SkinBitmap.h"
#include "skin/SkinShare.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/BadInput.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A bitmap file of the given header fields over `pixels`, with a palette
// (or bit-field masks) between header and pixels.
struct BmpSpec
{
    int width = 2;
    int height = 2;
    WORD bits = 24;
    DWORD compression = BI_RGB;
    std::string between;       // palette or masks
    std::string pixels;        // as stored, rows padded
    DWORD headerSize = sizeof(BITMAPINFOHEADER);
    DWORD clrUsed = 0;
    WORD planes = 1;
    long offsetAdjust = 0;     // added to the pixels' offset
};

std::string Bmp(const BmpSpec& s)
{
    std::string header(s.headerSize, '\0');
    BITMAPINFOHEADER h = {};
    h.biSize = s.headerSize;
    h.biWidth = s.width;
    h.biHeight = s.height;
    h.biPlanes = s.planes;
    h.biBitCount = s.bits;
    h.biCompression = s.compression;
    h.biClrUsed = s.clrUsed;
    memcpy(&header[0], &h, sizeof(h));
    BITMAPFILEHEADER f = {};
    f.bfType = 0x4D42;
    f.bfOffBits = (DWORD)((long)(sizeof(f) + header.size() + s.between.size()) + s.offsetAdjust);
    f.bfSize = (DWORD)(sizeof(f) + header.size() + s.between.size() + s.pixels.size());
    return std::string((const char*)&f, sizeof(f)) + header + s.between + s.pixels;
}

std::string Quad(BYTE r, BYTE g, BYTE b) { return std::string{(char)b, (char)g, (char)r, 0}; }
std::string Dword(DWORD v) { return std::string((const char*)&v, 4); }

BmpSpec Paletted(WORD bits, const std::string& palette, const std::string& pixels)
{
    BmpSpec s;
    s.bits = bits;
    s.between = palette;
    s.clrUsed = (DWORD)(palette.size() / 4);
    s.pixels = pixels;
    return s;
}

BmpSpec WithMasks(WORD bits, DWORD red, DWORD green, DWORD blue, const std::string& pixels)
{
    BmpSpec s;
    s.bits = bits;
    s.compression = BI_BITFIELDS;
    s.between = Dword(red) + Dword(green) + Dword(blue);
    s.pixels = pixels;
    return s;
}

// 2 x 2, 24 bits, bottom-up: bottom row red, blue; top row green, white.
std::string Rgb24Pixels()
{
    return std::string("\x00\x00\xFF\xFF\x00\x00\x00\x00", 8) + std::string("\x00\xFF\x00\xFF\xFF\xFF\x00\x00", 8);
}

struct ReadBack
{
    bool ok = false;
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
};

ReadBack Read(const std::string& bytes)
{
    ReadBack out;
    HBITMAP b = BitmapFileReader::FromBytes(bytes);
    if (b) {
        out.ok = BitmapPixels::Read(b, out.width, out.height, out.pixels);
        ::DeleteObject(b);
    }
    return out;
}

const DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

} // namespace

TEST(SkinBitmapFile, ReadsEveryUncompressedKind)
{
    BmpSpec rgb24;
    rgb24.pixels = Rgb24Pixels();

    BmpSpec topDown = rgb24;
    topDown.height = -2; // rows from the top: the same bytes mean the other way up

    const BmpSpec paletted = Paletted(8, Quad(255, 0, 0) + Quad(0, 255, 0) + Quad(0, 0, 255) + Quad(255, 255, 255),
                                      std::string("\x00\x02\x00\x00\x01\x03\x00\x00", 8));
    const BmpSpec masks32 = WithMasks(32, 0xFF0000, 0x00FF00, 0x0000FF,
                                      Dword(kRed) + Dword(kBlue) + Dword(kGreen) + Dword(kWhite));

    BmpSpec v5 = masks32; // the masks inside a larger header
    v5.headerSize = sizeof(BITMAPV5HEADER);
    v5.between.clear();

    struct
    {
        const char* kind;
        std::string bytes;
        DWORD topLeft, bottomRight;
    } cases[] = {
        {"24 bits", Bmp(rgb24), kGreen, kBlue},
        {"rows from the top", Bmp(topDown), kRed, kWhite},
        {"8-bit palette", Bmp(paletted), kGreen, kBlue},
        {"32 bits with masks", Bmp(masks32), kGreen, kBlue},
        {"masks in a V5 header", [&] {
             std::string b = Bmp(v5);
             BITMAPV5HEADER* h = (BITMAPV5HEADER*)&b[sizeof(BITMAPFILEHEADER)];
             h->bV5RedMask = 0xFF0000;
             h->bV5GreenMask = 0x00FF00;
             h->bV5BlueMask = 0x0000FF;
             return b;
         }(),
         kGreen, kBlue},
    };
    for (const auto& c : cases) {
        ReadBack r = Read(c.bytes);
        ASSERT_TRUE(r.ok) << c.kind;
        EXPECT_EQ(2, r.width) << c.kind;
        EXPECT_EQ(2, r.height) << c.kind;
        EXPECT_EQ(c.topLeft, r.pixels[0]) << c.kind;
        EXPECT_EQ(c.bottomRight, r.pixels[3]) << c.kind;
    }
}

TEST(SkinBitmapFile, RefusesWhatIsNotAWholePicture)
{
    BmpSpec good;
    good.pixels = Rgb24Pixels();
    const std::string valid = Bmp(good);
    auto with = [&](auto change) {
        BmpSpec s = good;
        change(s);
        return Bmp(s);
    };
    struct
    {
        const char* fault;
        std::string bytes;
    } cases[] = {
        {"not a bitmap file", "XY" + valid.substr(2)},
        {"pixels cut short", valid.substr(0, valid.size() - 1)},
        {"header cut short", valid.substr(0, 30)},
        {"no height", with([](BmpSpec& s) { s.height = 0; })},
        {"negative width", with([](BmpSpec& s) { s.width = -2; })},
        {"larger than any skin", with([](BmpSpec& s) { s.width = 40000; s.height = 40000; })},
        {"run-length compression", with([](BmpSpec& s) { s.bits = 8; s.compression = BI_RLE8; })},
        {"unknown depth", with([](BmpSpec& s) { s.bits = 3; })},
        {"two planes", with([](BmpSpec& s) { s.planes = 2; })},
        {"unknown header size", with([](BmpSpec& s) { s.headerSize = 44; })},
        {"palette larger than the depth allows", with([](BmpSpec& s) { s.bits = 1; s.clrUsed = 3; })},
        {"palette past the end", with([](BmpSpec& s) { s.bits = 8; s.clrUsed = 256; s.pixels = "abcd"; })},
        {"pixels start past the end", with([](BmpSpec& s) { s.offsetAdjust = 1000; })},
        {"pixels start inside the header", with([](BmpSpec& s) { s.offsetAdjust = -20; })},
        {"bit fields at 24 bits", with([](BmpSpec& s) { s.compression = BI_BITFIELDS; })},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        HBITMAP b = BitmapFileReader::FromBytes(c.bytes);
        EXPECT_EQ(nullptr, b) << c.fault;
        if (b)
            ::DeleteObject(b);
    }
}

TEST(SkinBitmapFile, LoadingAFileThatFailsKeepsTheBitmapHeld)
{
    TempFolder dir;
    ASSERT_TRUE(dir.Write("good.bmp", PatternBitmapFile({"RRR", "RRR"})));
    ASSERT_TRUE(dir.Write("bad.bmp", "BM not really"));
    CSkinBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(dir.File("good.bmp").c_str()));
    EXPECT_FALSE(bitmap.LoadFromFile(dir.File("bad.bmp").c_str()));
    EXPECT_FALSE(bitmap.LoadFromFile(dir.File("missing.bmp").c_str()));
    EXPECT_EQ(3, bitmap.GetWidth());
    EXPECT_EQ(2, bitmap.GetHeight());
}

namespace {

// Whether each pixel of the picture lies in the region, as rows of 'x'
// (in) and '.' (out), for comparing with the picture itself.
std::vector<std::string> Membership(const CRgn& region, int width, int height)
{
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            rows[y][x] = region.PtInRegion(x, y) ? 'x' : '.';
    }
    return rows;
}

std::vector<std::string> ExactShape(const std::vector<std::string>& picture)
{
    std::vector<std::string> rows = picture;
    for (std::string& row : rows) {
        for (char& c : row)
            c = c == 'G' ? '.' : 'x';
    }
    return rows;
}

} // namespace

TEST(SkinRegion, SampledShapeIsExactForRunsOfTwoRowsOrMore)
{
    // Columns: 0 a run from the top, 1 a run starting on a skipped row, 2 a
    // run to the bottom, 3 two runs, 4 a lone pixel on a sampled row.
    const std::vector<std::string> picture = {
        "GooGo", "GooGo", "GoooG", "oGooo", "oGoGo", "ooGGo", "ooGoo", "ooGoo",
    };
    CBitmap bitmap;
    bitmap.Attach(PatternBitmap(picture));
    CRgn region;
    ASSERT_TRUE(CSkinShare::BitmapToRegion(region, &bitmap, RGB(0, 255, 0)));
    EXPECT_EQ(ExactShape(picture), Membership(region, 5, 8));
}

TEST(SkinRegion, ALonePixelOnASkippedRowStaysInTheSampledShape)
{
    // Column 1 has one transparent pixel on row 3, which the sampling of
    // every second row never looks at; column 3's lone pixel on row 2 is seen.
    const std::vector<std::string> picture = {"oooo", "oooo", "oooG", "oGoo", "oooo"};
    CBitmap bitmap;
    bitmap.Attach(PatternBitmap(picture));
    CRgn sampled, exact;
    ASSERT_TRUE(CSkinShare::BitmapToRegion(sampled, &bitmap, RGB(0, 255, 0)));
    ASSERT_TRUE(CSkinShare::BitmapToRegionByPixel(exact, &bitmap, RGB(0, 255, 0)));
    EXPECT_TRUE(sampled.PtInRegion(1, 3));
    EXPECT_FALSE(sampled.PtInRegion(3, 2));
    EXPECT_EQ(ExactShape(picture), Membership(exact, 4, 5));

    CSkinBitmap skinBitmap;
    skinBitmap.Attach(PatternBitmap(picture));
    CRgn scanLines;
    scanLines.Attach(skinBitmap.CreateRegion(RGB(0, 255, 0)));
    EXPECT_EQ(ExactShape(picture), Membership(scanLines, 4, 5));
}

TEST(SkinRegion, NoBitmapGivesNoRegionAndKeepsTheOldOne)
{
    CRgn region;
    region.CreateRectRgn(0, 0, 3, 3);
    CBitmap empty;
    EXPECT_FALSE(CSkinShare::BitmapToRegion(region, &empty, RGB(0, 255, 0)));
    EXPECT_FALSE(CSkinShare::BitmapToRegion(region, NULL, RGB(0, 255, 0)));
    EXPECT_TRUE(region.PtInRegion(1, 1));
}

TEST(SkinRegion, FileFolderIsKnownOnlyForAFileThatExists)
{
    TempFolder dir;
    ASSERT_TRUE(dir.Write("Skin.ini", "[A]\r\n"));
    EXPECT_STREQ(dir.Path().c_str(), CSkinShare::GetFileFolder(dir.File("Skin.ini").c_str()));
    EXPECT_STREQ("", CSkinShare::GetFileFolder(dir.File("Missing.ini").c_str()));
    EXPECT_STREQ("", CSkinShare::GetFileFolder(NULL));
}

TEST(BadInput, SkinBitmapFile)
{
    BmpSpec rgb24;
    rgb24.pixels = Rgb24Pixels();
    const BmpSpec paletted = Paletted(4, Quad(255, 0, 0) + Quad(0, 0, 255), std::string("\x01\x00\x00\x00\x10\x00\x00\x00", 8));
    const BmpSpec masks = WithMasks(16, 0xF800, 0x07E0, 0x001F, std::string("\x00\xF8\x1F\x00\xE0\x07\xFF\xFF", 8));
    badinput::Run("SkinBitmapFile", {Bmp(rgb24), Bmp(paletted), Bmp(masks), PatternBitmapFile({"GRB", "BGR"})},
                  [](const std::string& bytes) {
                      HBITMAP b = BitmapFileReader::FromBytes(bytes);
                      if (b == NULL)
                          return;
                      BITMAP info;
                      ASSERT_TRUE(::GetObjectA(b, sizeof(info), &info));
                      EXPECT_GT(info.bmWidth, 0);
                      EXPECT_GT(info.bmHeight, 0);
                      EXPECT_LE((long long)info.bmWidth * info.bmHeight, BitmapPixels::kMaxPixels);
                      ::DeleteObject(b);
                  });
}
