#include "skin/SkinShare.h"

#include "skin/BitmapPixels.h"
#include "skin/DrawBmpHelper.h"

#include <vector>

namespace {

// Marks, in `kept`, the sampled runs of one column as removed.
void RemoveSampledRuns(const std::vector<DWORD>& pixels, int width, int height, int x, DWORD key,
                       std::vector<char>& kept)
{
    auto isKey = [&](int y) { return y >= 0 && pixels[(size_t)y * width + x] == key; };
    auto remove = [&](int from, int to) {
        for (int y = from; y < to; ++y)
            kept[(size_t)y * width + x] = 0;
    };
    int start = -1; // the open run's first row, -1 when none is open
    for (int y = 0; y < height;) {
        if (isKey(y)) {
            if (start < 0)
                start = isKey(y - 1) ? y - 1 : y;
            y += 2;
        } else if (start < 0) {
            y += 2;
        } else {
            remove(start, isKey(y - 1) ? y : y - 1);
            start = -1;
            y += 1;
        }
    }
    if (start >= 0)
        remove(start, height);
}

} // namespace

BOOL CSkinShare::BitmapToRegion(CRgn& region, CBitmap* bitmap, COLORREF transparent)
{
    int width, height;
    std::vector<DWORD> pixels;
    if (bitmap == NULL || !BitmapPixels::Read(*bitmap, width, height, pixels))
        return FALSE;
    std::vector<char> kept(pixels.size(), 1);
    const DWORD key = BitmapPixels::PixelOf(transparent);
    for (int x = 0; x < width; ++x)
        RemoveSampledRuns(pixels, width, height, x, key, kept);
    return region.Attach(BitmapPixels::RegionOfMask(width, height, kept));
}

BOOL CSkinShare::BitmapToRegionByPixel(CRgn& region, CBitmap* bitmap, COLORREF transparent)
{
    return bitmap != NULL && region.Attach(BitmapPixels::RegionWithout(*bitmap, transparent));
}

BOOL CSkinShare::TransparentBlt(CDC* dc, int x, int y, int width, int height, CBitmap* bitmap, int sourceX,
                                int sourceY, COLORREF transparent, CPalette* palette)
{
    return CDrawBmpHelper::TransparentBlt(dc, x, y, width, height, bitmap, sourceX, sourceY, transparent,
                                          palette);
}

BOOL CSkinShare::GiveWindowRegion(HWND hWnd, const CRgn& region, BOOL redraw)
{
    if (hWnd == NULL || region.m_hObject == NULL)
        return FALSE;
    HRGN copy = ::CreateRectRgn(0, 0, 0, 0);
    if (copy == NULL)
        return FALSE;
    if (::CombineRgn(copy, region, NULL, RGN_COPY) == ERROR || !::SetWindowRgn(hWnd, copy, redraw)) {
        ::DeleteObject(copy);
        return FALSE;
    }
    return TRUE;
}

CString CSkinShare::GetFileFolder(LPCSTR path)
{
    if (path == NULL || ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return CString();
    CString text(path);
    int slash = text.ReverseFind('\\');
    return slash < 0 ? CString() : text.Left(slash);
}
