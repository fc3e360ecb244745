#include "platform/virtualcard/PictureGenerator.h"

#include "platform/dshow/VideoFormat.h"
#include "platform/virtualcard/PictureFont.h"

#include <amvideo.h>
#include <strmif.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace virtualcard {

namespace {

struct Yuv
{
    BYTE y, u, v;
};

// 75% colour bars in BT.601 levels, left to right.
const Yuv kBars[] = {
    {180, 128, 128}, // white
    {162, 44, 142},  // yellow
    {131, 156, 44},  // cyan
    {112, 72, 58},   // green
    {84, 184, 198},  // magenta
    {65, 100, 212},  // red
    {35, 212, 114},  // blue
    {16, 128, 128},  // black
};
const int kBarCount = sizeof(kBars) / sizeof(kBars[0]);

const BYTE kBlack = 16;
// Contrast and saturation at this value pass a pixel unchanged.
const int kUnityGain = 64;
const BYTE kWhite = 235;

struct StandardName
{
    long standard;
    const char* name;
    bool lines525;
};
const StandardName kStandardNames[] = {
    {AnalogVideo_NTSC_M, "NTSC-M", true},     {AnalogVideo_NTSC_M_J, "NTSC-J", true},
    {AnalogVideo_NTSC_433, "NTSC-443", true}, {AnalogVideo_PAL_B, "PAL-B", false},
    {AnalogVideo_PAL_D, "PAL-D", false},      {AnalogVideo_PAL_G, "PAL-G", false},
    {AnalogVideo_PAL_H, "PAL-H", false},      {AnalogVideo_PAL_I, "PAL-I", false},
    {AnalogVideo_PAL_M, "PAL-M", true},       {AnalogVideo_PAL_N, "PAL-N", false},
    {AnalogVideo_PAL_60, "PAL-60", true},     {AnalogVideo_SECAM_B, "SECAM-B", false},
    {AnalogVideo_SECAM_D, "SECAM-D", false},  {AnalogVideo_SECAM_G, "SECAM-G", false},
    {AnalogVideo_SECAM_H, "SECAM-H", false},  {AnalogVideo_SECAM_K, "SECAM-K", false},
    {AnalogVideo_SECAM_K1, "SECAM-K1", false}, {AnalogVideo_SECAM_L, "SECAM-L", false},
    {AnalogVideo_SECAM_L1, "SECAM-L1", false}, {AnalogVideo_PAL_N_COMBO, "PAL-NC", false},
};

BYTE Clamp(int value)
{
    return static_cast<BYTE>(value < 0 ? 0 : value > 255 ? 255 : value);
}

} // namespace

int BarsHeight(int height)
{
    return (height * 2 / 3) & ~1;
}

TextLayout LayoutText(int width, int height)
{
    TextLayout layout;
    int scale = width / 240 < height / 192 ? width / 240 : height / 192;
    layout.scale = scale < 1 ? 1 : scale;
    layout.left = 4 * layout.scale;
    int top = BarsHeight(height) + 4 * layout.scale;
    for (int i = 0; i < 3; ++i)
        layout.top[i] = top + i * kCellHeight * layout.scale;
    layout.boxTop = layout.top[2] + (kCellHeight + 2) * layout.scale;
    layout.boxSize = 6 * layout.scale;
    return layout;
}

void DescribeState(const PictureState& state, std::string lines[3])
{
    char text[64];
    switch (state.input) {
    case kInputComposite:
        lines[0] = "COMPOSITE";
        break;
    case kInputSVideo:
        lines[0] = "S-VIDEO";
        break;
    default:
        if (!state.tuned) {
            lines[0] = "TUNER NOT SET";
        } else {
            snprintf(text, sizeof(text), "%s %.3f MHZ %s", state.fm ? "FM" : "TUNER",
                     state.kHz / 1000.0, state.locked ? "LOCKED" : "NO SIGNAL");
            lines[0] = text;
        }
        break;
    }
    const char* name = "UNKNOWN";
    bool lines525 = false;
    for (const StandardName& entry : kStandardNames) {
        if (entry.standard == state.standard) {
            name = entry.name;
            lines525 = entry.lines525;
        }
    }
    snprintf(text, sizeof(text), "%s %s FPS", name, lines525 ? "29.97" : "25");
    lines[1] = text;
    snprintf(text, sizeof(text), "BRI %ld CON %ld SAT %ld HUE %ld SHP %ld", state.brightness,
             state.contrast, state.saturation, state.hue, state.sharpness);
    lines[2] = text;
}

CPictureGenerator::CPictureGenerator()
    : m_noise(0x9E3779B9u), m_chromaGain(kUnityGain), m_hueCos(1024), m_hueSin(0), m_sharpGain(0), m_haveShown(false)
{
    for (int i = 0; i < 256; ++i)
        m_luma[i] = static_cast<BYTE>(i);
}

void CPictureGenerator::SetProcAmp(const PictureState& state)
{
    // Contrast scales around black level, brightness shifts; in the units
    // the proc amp reports (contrast 64 unity, brightness 128 no offset).
    // Values out of range are taken as the nearest end.
    const long contrast = std::min(127L, std::max(0L, state.contrast));
    const long brightness = std::min(255L, std::max(0L, state.brightness));
    for (int i = 0; i < 256; ++i)
        m_luma[i] = Clamp((i - 16) * static_cast<int>(contrast) / kUnityGain + 16 + static_cast<int>(brightness - 128));
    m_chromaGain = static_cast<int>(std::min(127L, std::max(0L, state.saturation)));
    // Hue -128..127 is half a turn either way.
    const double kPi = 3.14159265358979323846;
    double angle = static_cast<double>(std::min(127L, std::max(-128L, state.hue))) * kPi / 128.0;
    m_hueCos = static_cast<int>(std::lround(std::cos(angle) * 1024));
    m_hueSin = static_cast<int>(std::lround(std::sin(angle) * 1024));
    // Sharpness 0..15, 0 neutral (the proc amp's range): it adds up to
    // 15/32 of the edge back on each side, the overshoot a peaking filter
    // gives.
    m_sharpGain = static_cast<int>(std::min(15L, std::max(0L, state.sharpness)));
}

void CPictureGenerator::SharpenRow(BYTE* row, int width)
{
    if (m_sharpGain == 0 || width < 2)
        return;
    m_rowLuma.resize(width);
    for (int x = 0; x < width; ++x)
        m_rowLuma[x] = row[x * 2];
    for (int x = 0; x < width; ++x) {
        int left = m_rowLuma[x > 0 ? x - 1 : x];
        int right = m_rowLuma[x + 1 < width ? x + 1 : x];
        int centre = m_rowLuma[x];
        int edge = 2 * centre - left - right;
        if (edge != 0)
            row[x * 2] = Clamp(centre + edge * m_sharpGain / 32);
    }
}

HRESULT CPictureGenerator::Render(const PictureState& state, REFERENCE_TIME time,
                                  REFERENCE_TIME interval, const BITMAPINFOHEADER& bmi, BYTE* out,
                                  size_t size)
{
    int width = bmi.biWidth;
    int height = bmi.biHeight < 0 ? -bmi.biHeight : bmi.biHeight;
    if (width <= 0 || height <= 0 || (width & 1) || !out)
        return E_INVALIDARG;
    if (!m_haveShown || state != m_shown) {
        SetProcAmp(state);
        DescribeState(state, m_lines);
        m_shown = state;
        m_haveShown = true;
    }
    size_t yuy2Size = static_cast<size_t>(width) * height * 2;
    if (bmi.biCompression == MAKEFOURCC('Y', 'U', 'Y', '2')) {
        if (size < yuy2Size)
            return E_INVALIDARG;
        RenderYuy2(state, time, interval, width, height, out);
        return S_OK;
    }
    int bytesPerPixel = bmi.biBitCount / 8;
    if (bmi.biCompression != BI_RGB || (bytesPerPixel != 3 && bytesPerPixel != 4))
        return E_INVALIDARG;
    size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
    if (size < stride * height)
        return E_INVALIDARG;
    m_scratch.resize(yuy2Size);
    RenderYuy2(state, time, interval, width, height, m_scratch.data());
    dshow::Yuy2ToRgb(m_scratch.data(), width, height, out, bytesPerPixel, bmi.biHeight > 0);
    return S_OK;
}

void CPictureGenerator::RenderYuy2(const PictureState& state, REFERENCE_TIME time,
                                   REFERENCE_TIME interval, int width, int height, BYTE* dst)
{
    bool snow = state.input == kInputTuner && !state.locked;
    if (snow)
        FillNoise(dst, width, height);
    else
        FillBars(dst, width, height);

    TextLayout layout = LayoutText(width, height);
    const std::string* lines = m_lines;
    for (int i = 0; i < 3; ++i) {
        int textWidth = static_cast<int>(lines[i].size()) * kCellWidth * layout.scale;
        // A dark plate behind each line keeps it readable on snow.
        FillLuma(dst, width, height, layout.left - layout.scale, layout.top[i] - layout.scale,
                 textWidth + layout.scale, kCellHeight * layout.scale, m_luma[kBlack]);
        DrawText(dst, width, height, layout.left, layout.top[i], layout.scale, lines[i]);
    }
    if (!snow) {
        // The box crosses the picture in about two seconds, so a frozen
        // stream shows at once.
        LONGLONG frame = interval > 0 ? time / interval : 0;
        int travel = width - layout.boxSize * 2;
        int step = width / 50 > 0 ? width / 50 : 1;
        int x = travel > 0 ? static_cast<int>((frame * step) % travel) : 0;
        FillLuma(dst, width, height, x, layout.boxTop, layout.boxSize * 2, layout.boxSize,
                 m_luma[kWhite]);
    }
}

void CPictureGenerator::FillNoise(BYTE* dst, int width, int height)
{
    uint32_t state = m_noise;
    uint32_t* out = reinterpret_cast<uint32_t*>(dst);
    size_t macropixels = static_cast<size_t>(width / 2) * height;
    for (size_t i = 0; i < macropixels; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        // Two luma samples and neutral chroma per macropixel: Y0 U Y1 V.
        out[i] = m_luma[state & 0xFF] | (128u << 8) | (static_cast<uint32_t>(m_luma[(state >> 8) & 0xFF]) << 16) |
                 (128u << 24);
    }
    m_noise = state;
}

void CPictureGenerator::FillBars(BYTE* dst, int width, int height)
{
    size_t stride = static_cast<size_t>(width) * 2;
    int barsHeight = BarsHeight(height);
    // One row of bars through the proc amp, then copied down.
    BYTE* row = dst;
    for (int x = 0; x < width; x += 2) {
        const Yuv& bar = kBars[x * kBarCount / width];
        int u = bar.u - 128, v = bar.v - 128;
        int ru = (u * m_hueCos - v * m_hueSin) / 1024;
        int rv = (u * m_hueSin + v * m_hueCos) / 1024;
        BYTE* p = row + x * 2;
        p[0] = p[2] = m_luma[bar.y];
        p[1] = Clamp(128 + ru * m_chromaGain / kUnityGain);
        p[3] = Clamp(128 + rv * m_chromaGain / kUnityGain);
    }
    // Sharpness on this one row costs nothing per frame: the rows below are copies.
    SharpenRow(row, width);
    for (int y = 1; y < barsHeight; ++y)
        memcpy(dst + y * stride, row, stride);
    // The text band below: black.
    BYTE* band = dst + barsHeight * stride;
    for (int x = 0; x < width; x += 2) {
        BYTE* p = band + x * 2;
        p[0] = p[2] = m_luma[kBlack];
        p[1] = p[3] = 128;
    }
    for (int y = barsHeight + 1; y < height; ++y)
        memcpy(dst + y * stride, band, stride);
}

void CPictureGenerator::FillLuma(BYTE* dst, int width, int height, int x, int y, int w, int h,
                                 BYTE luma)
{
    int x0 = x < 0 ? 0 : x, y0 = y < 0 ? 0 : y;
    int x1 = x + w > width ? width : x + w, y1 = y + h > height ? height : y + h;
    for (int row = y0; row < y1; ++row) {
        BYTE* p = dst + static_cast<size_t>(row) * width * 2;
        for (int col = x0; col < x1; ++col) {
            p[col * 2] = luma;
            p[(col * 2) | 1] = 128;   // this pixel's chroma byte: neutral
        }
    }
}

void CPictureGenerator::DrawText(BYTE* dst, int width, int height, int x, int y, int scale,
                                 const std::string& text)
{
    BYTE ink = m_luma[kWhite];
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t* rows = GlyphRows(text[i]);
        if (!rows)
            continue;
        int cellX = x + static_cast<int>(i) * kCellWidth * scale;
        if (cellX >= width)
            break;
        for (int gy = 0; gy < kGlyphHeight; ++gy) {
            for (int gx = 0; gx < kGlyphWidth; ++gx) {
                if (rows[gy] & (0x10 >> gx))
                    FillLuma(dst, width, height, cellX + gx * scale, y + gy * scale, scale, scale, ink);
            }
        }
    }
}
} // namespace virtualcard
