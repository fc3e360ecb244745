// Reading a bitmap's pixels for transparency: every pixel is read through a
// 32-bit device-independent copy and compared with the transparent colour
// exactly, whatever the bitmap's own format and the screen's depth. Shared
// by the bitmap controls for their shapes and masked copies. UI thread.
#pragma once
#include <windows.h>

#include <vector>

namespace BitmapPixels {

// The largest picture read (a full-screen skin is far below it).
const int kMaxPixels = 4096 * 4096;

// Pixels as 0x00RRGGBB, rows from the top; false without a bitmap or for
// one larger than kMaxPixels.
bool Read(HBITMAP bitmap, int& width, int& height, std::vector<DWORD>& pixels);

// The region of every pixel that is not `transparent`, in the bitmap's own
// coordinates; NULL without a bitmap. The caller owns it.
HRGN RegionWithout(HBITMAP bitmap, COLORREF transparent);

// The region of the pixels marked in `kept` (width x height, rows from the
// top, non-zero = in the region): one rectangle per run in a row, joined in
// one call. The caller owns it.
HRGN RegionOfMask(int width, int height, const std::vector<char>& kept);

// The colour as Read gives pixels (0x00RRGGBB).
DWORD PixelOf(COLORREF colour);

// A monochrome mask of the area (x, y, width, height) of `bitmap`: 1 where
// the pixel is `transparent` (or outside the bitmap), 0 elsewhere; NULL when
// the bitmap cannot be read. The caller owns it.
HBITMAP TransparencyMask(HBITMAP bitmap, int x, int y, int width, int height, COLORREF transparent);

} // namespace BitmapPixels
