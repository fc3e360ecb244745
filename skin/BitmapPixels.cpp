#include "skin/BitmapPixels.h"

namespace BitmapPixels {

DWORD PixelOf(COLORREF colour)
{
    return ((DWORD)GetRValue(colour) << 16) | ((DWORD)GetGValue(colour) << 8) | GetBValue(colour);
}

bool Read(HBITMAP bitmap, int& width, int& height, std::vector<DWORD>& pixels)
{
    BITMAP info;
    if (bitmap == NULL || !::GetObjectA(bitmap, sizeof(info), &info))
        return false;
    if (info.bmWidth <= 0 || info.bmHeight <= 0 ||
        (long long)info.bmWidth * info.bmHeight > kMaxPixels)
        return false;
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height; // rows from the top
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    pixels.assign((size_t)width * height, 0);
    HDC screen = ::GetDC(NULL);
    int rows = ::GetDIBits(screen, bitmap, 0, (UINT)height, pixels.data(), &request, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, screen);
    if (rows != height)
        return false;
    for (DWORD& p : pixels)
        p &= 0x00FFFFFF;
    return true;
}

HRGN RegionWithout(HBITMAP bitmap, COLORREF transparent)
{
    int width, height;
    std::vector<DWORD> pixels;
    if (!Read(bitmap, width, height, pixels))
        return NULL;
    const DWORD key = PixelOf(transparent);
    std::vector<char> kept(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i)
        kept[i] = pixels[i] != key;
    return RegionOfMask(width, height, kept);
}

HRGN RegionOfMask(int width, int height, const std::vector<char>& kept)
{
    if (width <= 0 || height <= 0 || kept.size() < (size_t)width * height)
        return NULL;
    // One rectangle per run of kept pixels in a row, joined in one call.
    std::vector<RECT> runs;
    for (int y = 0; y < height; ++y) {
        const char* row = &kept[(size_t)y * width];
        for (int x = 0; x < width;) {
            while (x < width && !row[x])
                ++x;
            int start = x;
            while (x < width && row[x])
                ++x;
            if (x > start)
                runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATAHEADER* header = (RGNDATAHEADER*)data.data();
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = (DWORD)runs.size();
    header->nRgnSize = (DWORD)(runs.size() * sizeof(RECT));
    header->rcBound = RECT{0, 0, width, height};
    if (!runs.empty())
        memcpy(data.data() + sizeof(RGNDATAHEADER), runs.data(), runs.size() * sizeof(RECT));
    return ::ExtCreateRegion(NULL, (DWORD)data.size(), (const RGNDATA*)data.data());
}

HBITMAP TransparencyMask(HBITMAP bitmap, int x, int y, int width, int height, COLORREF transparent)
{
    int bitmapWidth, bitmapHeight;
    std::vector<DWORD> pixels;
    if (width <= 0 || height <= 0 || !Read(bitmap, bitmapWidth, bitmapHeight, pixels))
        return NULL;
    const DWORD key = PixelOf(transparent);
    // Monochrome rows are padded to 16 bits; bit 7 of a byte is its first pixel.
    const int stride = (width + 15) / 16 * 2;
    std::vector<BYTE> bits((size_t)stride * height, 0);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            int sx = x + column, sy = y + row;
            bool inside = sx >= 0 && sy >= 0 && sx < bitmapWidth && sy < bitmapHeight;
            if (!inside || pixels[(size_t)sy * bitmapWidth + sx] == key)
                bits[(size_t)row * stride + column / 8] |= (BYTE)(0x80 >> (column % 8));
        }
    }
    return ::CreateBitmap(width, height, 1, 1, bits.data());
}

} // namespace BitmapPixels
