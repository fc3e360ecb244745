// CIVIStillCapFilter::SaveStill over a fake still-capture filter: the file
// it writes is a bitmap that Windows' own loader reads back with the size
// and pixels of the picture held, whatever its colour table or masks; a
// missing or malformed picture and a path that cannot be written leave no
// file.
#include "graph/wrappers/IVIStillCapFilter.h"

// Before the DirectShow headers, which retire wsprintfA.
#include "tests/support/TempFolder.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graph/Guids.h"
#include "tests/graph/wrappers/CodecWrapperTest.h"

namespace {

struct DibCase
{
    const char* name;
    LONG width, height;
    WORD bitCount;
    DWORD compression;
    DWORD coloursUsed;
};

const DibCase kDibs[] = {
    {"24-bit, padded rows", 3, 2, 24, BI_RGB, 0},
    {"8-bit, full palette", 4, 3, 8, BI_RGB, 0},
    {"4-bit, three colours", 5, 2, 4, BI_RGB, 3},
    {"16-bit 565 masks", 3, 3, 16, BI_BITFIELDS, 0},
    {"32-bit", 2, 2, 32, BI_RGB, 0},
};

size_t Stride(const DibCase& c)
{
    return (static_cast<size_t>(c.width) * c.bitCount + 31) / 32 * 4;
}

// Header, masks, colours: the bytes before the pixels.
size_t HeadBytes(const DibCase& c)
{
    size_t colours = c.coloursUsed ? c.coloursUsed : (c.bitCount <= 8 ? 1u << c.bitCount : 0);
    return sizeof(BITMAPINFOHEADER) + (c.compression == BI_BITFIELDS ? 12 : 0) +
           colours * sizeof(RGBQUAD);
}

// A packed bitmap with a distinct colour table and pixel pattern.
std::vector<BYTE> MakeDib(const DibCase& c)
{
    std::vector<BYTE> dib(HeadBytes(c) + Stride(c) * c.height);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = c.width;
    header.biHeight = c.height;
    header.biPlanes = 1;
    header.biBitCount = c.bitCount;
    header.biCompression = c.compression;
    header.biClrUsed = c.coloursUsed;
    memcpy(dib.data(), &header, sizeof(header));
    BYTE* after = dib.data() + sizeof(header);
    if (c.compression == BI_BITFIELDS) {
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        memcpy(after, masks, sizeof(masks));
    } else {
        for (size_t i = sizeof(header); i < HeadBytes(c); i += 4) {
            after[i - sizeof(header)] = static_cast<BYTE>(i * 3);
            after[i - sizeof(header) + 1] = static_cast<BYTE>(255 - i);
            after[i - sizeof(header) + 2] = static_cast<BYTE>(i * 7);
        }
    }
    for (size_t i = HeadBytes(c); i < dib.size(); i++)
        dib[i] = static_cast<BYTE>(i * 37 + 11);
    // Keep palette indices within the colours of the 4-bit case.
    if (c.bitCount == 4) {
        for (size_t i = HeadBytes(c); i < dib.size(); i++)
            dib[i] &= 0x11;
    }
    // Bits past the last pixel of a row are zero, as a writer leaves them.
    const size_t usedBits = static_cast<size_t>(c.width) * c.bitCount;
    for (LONG row = 0; row < c.height; row++) {
        BYTE* line = dib.data() + HeadBytes(c) + row * Stride(c);
        if (usedBits % 8)
            line[usedBits / 8] &= static_cast<BYTE>(0xFF00 >> (usedBits % 8));
        for (size_t i = (usedBits + 7) / 8; i < Stride(c); i++)
            line[i] = 0;
    }
    return dib;
}

// The picture as 32-bit top-down pixels, through GDI.
std::vector<DWORD> Pixels(HBITMAP bitmap, LONG width, LONG height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(NULL);
    int got = GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    EXPECT_EQ(height, got);
    return pixels;
}

std::vector<DWORD> PixelsOfMemoryDib(const std::vector<BYTE>& dib, const DibCase& c)
{
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, reinterpret_cast<const BITMAPINFO*>(dib.data()),
                                      DIB_RGB_COLORS, &bits, NULL, 0);
    EXPECT_TRUE(bitmap);
    if (!bitmap)
        return {};
    memcpy(bits, dib.data() + HeadBytes(c), dib.size() - HeadBytes(c));
    std::vector<DWORD> pixels = Pixels(bitmap, c.width, c.height);
    DeleteObject(bitmap);
    return pixels;
}

class IVIStillSaveTest : public CodecWrapperTest
{
protected:
    CIVIStillCapFilter* MakeStill(const std::vector<BYTE>* dib, LONG size)
    {
        FakeCodecFilter* fake = Serve(CLSID_IVIStillCapture);
        fake->Add<FakeICodecParams>(IID_IIVIStillCapParams, "params");
        fake->onCall = [dib, size](const SlotCall& call) {
            if (call.Is("params", 3) && call.args[0] == 1543)
                *call.Arg<LONG>(1) = size;
            // The filter fills as much as it said it holds.
            if (call.Is("params", 3) && call.args[0] == 1544 && dib)
                memcpy(call.Arg<BYTE>(1), dib->data(), std::min<size_t>(dib->size(), size));
            return S_OK;
        };
        return AddWrapper<CIVIStillCapFilter>(CLSID_IVIStillCapture);
    }

    TempFolder m_folder;
};

TEST_F(IVIStillSaveTest, SavedStillLoadsWithItsSizeAndPixels)
{
    for (const DibCase& c : kDibs) {
        SCOPED_TRACE(c.name);
        const std::vector<BYTE> dib = MakeDib(c);
        CIVIStillCapFilter* still = MakeStill(&dib, static_cast<LONG>(dib.size()));
        ASSERT_TRUE(still);
        const std::string path = m_folder.File("still.bmp");
        ASSERT_TRUE(still->SaveStill(path.c_str()));
        EXPECT_FALSE(m_folder.Exists("still.bmp.tmp"));

        const std::string file = m_folder.Read("still.bmp");
        ASSERT_EQ(sizeof(BITMAPFILEHEADER) + dib.size(), file.size());
        BITMAPFILEHEADER header;
        memcpy(&header, file.data(), sizeof(header));
        EXPECT_EQ(0x4D42, header.bfType);
        EXPECT_EQ(file.size(), header.bfSize);
        EXPECT_EQ(sizeof(BITMAPFILEHEADER) + HeadBytes(c), header.bfOffBits);
        EXPECT_EQ(0, memcmp(dib.data(), file.data() + sizeof(header), dib.size()));

        HBITMAP loaded = static_cast<HBITMAP>(
            LoadImageA(NULL, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        ASSERT_TRUE(loaded);
        DIBSECTION section = {};
        ASSERT_EQ(static_cast<int>(sizeof(section)), GetObject(loaded, sizeof(section), &section));
        EXPECT_EQ(c.width, section.dsBm.bmWidth);
        EXPECT_EQ(c.height, section.dsBm.bmHeight);
        EXPECT_EQ(c.bitCount, section.dsBm.bmBitsPixel);
        // The loader took its pixels from where the file header points, and
        // its colours from the table or masks before them. Wine's loader
        // keeps 16-bit pictures as 5-5-5, so a colour may lose its lowest
        // green bit there.
        const std::vector<DWORD> expected = PixelsOfMemoryDib(dib, c);
        const std::vector<DWORD> got = Pixels(loaded, c.width, c.height);
        ASSERT_EQ(expected.size(), got.size());
        const int tolerance = c.compression == BI_BITFIELDS ? 8 : 0;
        for (size_t i = 0; i < got.size(); i++) {
            for (int shift : {0, 8, 16}) {
                int want = (expected[i] >> shift) & 0xFF, have = (got[i] >> shift) & 0xFF;
                EXPECT_LE(abs(want - have), tolerance) << "pixel " << i << " shift " << shift;
            }
        }
        DeleteObject(loaded);
        m_graph.DeleteFilter(still);
    }
}

TEST_F(IVIStillSaveTest, NoFileWithoutAWholePicture)
{
    const DibCase& c = kDibs[0];
    const std::vector<BYTE> dib = MakeDib(c);
    std::vector<BYTE> lying = dib;
    reinterpret_cast<BITMAPINFOHEADER*>(lying.data())->biHeight = 40;  // more rows than bytes
    std::vector<BYTE> badHeader = dib;
    reinterpret_cast<BITMAPINFOHEADER*>(badHeader.data())->biSize = 4000;
    const struct
    {
        const char* name;
        const std::vector<BYTE>* dib;
        LONG size;
    } cases[] = {
        {"no picture", NULL, 0},
        {"negative size", NULL, -5},
        {"shorter than a header", &dib, 20},
        {"rows past the end", &lying, static_cast<LONG>(lying.size())},
        {"header past the end", &badHeader, static_cast<LONG>(badHeader.size())},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.name);
        CIVIStillCapFilter* still = MakeStill(bad.dib, bad.size);
        ASSERT_TRUE(still);
        EXPECT_FALSE(still->SaveStill(m_folder.File("bad.bmp").c_str()));
        EXPECT_FALSE(m_folder.Exists("bad.bmp"));
        EXPECT_FALSE(m_folder.Exists("bad.bmp.tmp"));
    }
}

TEST_F(IVIStillSaveTest, UnwritablePathLeavesNoFileAndAnOldFileIsReplaced)
{
    const std::vector<BYTE> dib = MakeDib(kDibs[1]);
    CIVIStillCapFilter* still = MakeStill(&dib, static_cast<LONG>(dib.size()));
    ASSERT_TRUE(still);
    EXPECT_FALSE(still->SaveStill(m_folder.File("no such folder\\still.bmp").c_str()));
    EXPECT_FALSE(still->SaveStill(NULL));

    ASSERT_TRUE(m_folder.Write("old.bmp", std::string(5000, 'x')));
    ASSERT_TRUE(still->SaveStill(m_folder.File("old.bmp").c_str()));
    EXPECT_EQ(sizeof(BITMAPFILEHEADER) + dib.size(), m_folder.Read("old.bmp").size());
}

} // namespace
