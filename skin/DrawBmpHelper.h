// CDrawBmpHelper: bitmap copies for the windows that draw from bitmaps (the
// caption-and-border dialog, the floating tool bar): plain copies and masked
// copies that leave one colour transparent. Static operations only; UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CDrawBmpHelper
{
public:
    virtual ~CDrawBmpHelper() {}

    // Unscaled copy from the bitmap's top-left corner into the rectangle,
    // rectangle-sized; FALSE without a bitmap.
    static BOOL DrawBitmap(CDC* dc, const CRect& destination, CBitmap* bitmap);
    // The source rectangle of the bitmap copied to (x, y).
    static BOOL DrawBitmapPart(CDC* dc, int x, int y, const CRect& source, CBitmap* bitmap);
    // Copies the area (sourceX, sourceY, width, height) of the bitmap to
    // (x, y) leaving every pixel of `transparent` as the destination was.
    // With a palette and a palette-based destination, the palette is used.
    static BOOL TransparentBlt(CDC* dc, int x, int y, int width, int height, CBitmap* bitmap,
                               int sourceX, int sourceY, COLORREF transparent, CPalette* palette = NULL);
    // The whole bitmap through TransparentBlt.
    static BOOL DrawTransparent(CDC* dc, int x, int y, COLORREF transparent, CBitmap* bitmap);
};
