#include "PictureReader.h"

#include "platform/virtualcard/PictureFont.h"
#include "platform/virtualcard/PictureGenerator.h"

#include <uuids.h>

#include <cstdlib>
#include <cstring>

namespace {

int Height(const Frame& frame)
{
    return frame.bmi.biHeight < 0 ? -frame.bmi.biHeight : frame.bmi.biHeight;
}

} // namespace

int LumaAt(const Frame& frame, int x, int y)
{
    int width = frame.bmi.biWidth;
    if (frame.subtype == MEDIASUBTYPE_YUY2)
        return frame.bytes[(static_cast<size_t>(y) * width + x) * 2];
    int bytesPerPixel = frame.bmi.biBitCount / 8;
    size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
    int row = frame.bmi.biHeight > 0 ? Height(frame) - 1 - y : y;
    const BYTE* p = frame.bytes.data() + stride * row + static_cast<size_t>(x) * bytesPerPixel;
    // Back to studio-range luma (BT.601).
    return (66 * p[2] + 129 * p[1] + 25 * p[0] + 128) / 256 + 16;
}

double MeanLuma(const Frame& frame, const RECT& area)
{
    double sum = 0;
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            sum += LumaAt(frame, x, y);
            ++count;
        }
    }
    return count ? sum / count : 0;
}

double Roughness(const Frame& frame, const RECT& area)
{
    double sum = 0;
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left + 1; x < area.right; ++x) {
            sum += abs(LumaAt(frame, x, y) - LumaAt(frame, x - 1, y));
            ++count;
        }
    }
    return count ? sum / count : 0;
}

RECT FirstBarArea(const Frame& frame)
{
    int width = frame.bmi.biWidth;
    RECT area = {2, 2, width / 8 - 2, virtualcard::BarsHeight(Height(frame)) - 2};
    return area;
}

std::string ReadLine(const Frame& frame, int line)
{
    int width = frame.bmi.biWidth;
    virtualcard::TextLayout layout = virtualcard::LayoutText(width, Height(frame));
    int scale = layout.scale;
    std::string text;
    for (int cell = 0;; ++cell) {
        int cellX = layout.left + cell * virtualcard::kCellWidth * scale;
        if (cellX + virtualcard::kGlyphWidth * scale > width)
            break;
        int samples[virtualcard::kGlyphHeight][virtualcard::kGlyphWidth];
        int low = 255, high = 0;
        for (int gy = 0; gy < virtualcard::kGlyphHeight; ++gy) {
            for (int gx = 0; gx < virtualcard::kGlyphWidth; ++gx) {
                int v = LumaAt(frame, cellX + gx * scale + scale / 2, layout.top[line] + gy * scale + scale / 2);
                samples[gy][gx] = v;
                low = v < low ? v : low;
                high = v > high ? v : high;
            }
        }
        uint8_t rows[virtualcard::kGlyphHeight] = {};
        if (high - low >= 40) {
            int threshold = (high + low) / 2;
            for (int gy = 0; gy < virtualcard::kGlyphHeight; ++gy) {
                for (int gx = 0; gx < virtualcard::kGlyphWidth; ++gx) {
                    if (samples[gy][gx] > threshold)
                        rows[gy] |= static_cast<uint8_t>(0x10 >> gx);
                }
            }
        }
        char found = 0;
        for (const char* c = virtualcard::GlyphCharacters(); *c; ++c) {
            if (memcmp(virtualcard::GlyphRows(*c), rows, sizeof(rows)) == 0) {
                found = *c;
                break;
            }
        }
        if (!found)
            break;   // past the text: snow or the picture's edge
        text += found;
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}
