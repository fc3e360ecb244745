// The YUY2 to RGB conversion: the vector form gives the one-pixel-at-a-time
// form's bytes for every luma and chroma value, any width, either way up.
#include "platform/dshow/VideoFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> Convert(bool vector, const std::vector<BYTE>& yuy2, int width, int height, int bytesPerPixel,
                          bool bottomUp)
{
    const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
    // A guard byte pattern past the picture shows a write beyond it.
    std::vector<BYTE> out(stride * height + 64, 0xA5);
    if (vector)
        dshow::Yuy2ToRgb(yuy2.data(), width, height, out.data(), bytesPerPixel, bottomUp);
    else
        dshow::Yuy2ToRgbScalar(yuy2.data(), width, height, out.data(), bytesPerPixel, bottomUp);
    for (size_t i = stride * height; i < out.size(); ++i)
        EXPECT_EQ(0xA5, out[i]) << "written past the picture at " << i;
    return out;
}

TEST(VideoConversion, VectorFormMatchesEveryInput)
{
    // One frame per V value: rows are U values, and along a row the two
    // luma samples of each macropixel run up and down through 0..255, so
    // every (Y, U, V) meets both slots of a macropixel.
    const int width = 512, height = 256;
    std::vector<BYTE> yuy2(static_cast<size_t>(width) * height * 2);
    for (int v = 0; v < 256; ++v) {
        for (int u = 0; u < height; ++u) {
            BYTE* row = yuy2.data() + static_cast<size_t>(u) * width * 2;
            for (int m = 0; m < width / 2; ++m) {
                row[m * 4 + 0] = static_cast<BYTE>(m);
                row[m * 4 + 1] = static_cast<BYTE>(u);
                row[m * 4 + 2] = static_cast<BYTE>(255 - m);
                row[m * 4 + 3] = static_cast<BYTE>(v);
            }
        }
        const std::vector<BYTE> scalar = Convert(false, yuy2, width, height, 4, false);
        const std::vector<BYTE> vector = Convert(true, yuy2, width, height, 4, false);
        ASSERT_TRUE(scalar == vector) << "V " << v;
    }
}

TEST(VideoConversion, WidthsRowOrderAndPixelSizes)
{
    const struct
    {
        int width, height, bytesPerPixel;
        bool bottomUp;
    } cases[] = {
        {2, 1, 4, false}, {6, 3, 4, true}, {8, 2, 4, false}, {14, 5, 4, true}, {720, 576, 4, true},
        {722, 4, 4, false}, {10, 3, 3, true}, {720, 8, 3, false},
    };
    for (const auto& c : cases) {
        std::vector<BYTE> yuy2(static_cast<size_t>(c.width) * c.height * 2);
        unsigned state = 12345;
        for (BYTE& b : yuy2) {
            state = state * 1103515245u + 12345u;
            b = static_cast<BYTE>(state >> 16);
        }
        EXPECT_TRUE(Convert(false, yuy2, c.width, c.height, c.bytesPerPixel, c.bottomUp) ==
                    Convert(true, yuy2, c.width, c.height, c.bytesPerPixel, c.bottomUp))
            << c.width << " x " << c.height << " at " << c.bytesPerPixel << (c.bottomUp ? " bottom-up" : "");
    }
    // Known values: black, the 75 % white and red of the bars, full white.
    const struct
    {
        BYTE y, u, v;
        BYTE b, g, r;
    } pixels[] = {
        {16, 128, 128, 0, 0, 0}, {180, 128, 128, 191, 191, 191}, {235, 128, 128, 255, 255, 255},
        {65, 100, 212, 0, 0, 191},
    };
    for (const auto& p : pixels) {
        const std::vector<BYTE> yuy2 = {p.y, p.u, p.y, p.v, p.y, p.u, p.y, p.v, p.y, p.u, p.y, p.v, p.y, p.u, p.y, p.v};
        const std::vector<BYTE> rgb = Convert(true, yuy2, 8, 1, 4, false);
        for (int x = 0; x < 8; ++x) {
            EXPECT_NEAR(p.b, rgb[x * 4], 1) << int(p.y);
            EXPECT_NEAR(p.g, rgb[x * 4 + 1], 1) << int(p.y);
            EXPECT_NEAR(p.r, rgb[x * 4 + 2], 1) << int(p.y);
            EXPECT_EQ(0, rgb[x * 4 + 3]);
        }
    }
}

} // namespace
