#include "skin/DrawBmpHelper.h"

#include "skin/BitmapPixels.h"

namespace {

bool HasBitmap(CBitmap* bitmap)
{
    return bitmap != NULL && bitmap->m_hObject != NULL;
}

} // namespace

BOOL CDrawBmpHelper::DrawBitmap(CDC* dc, const CRect& destination, CBitmap* bitmap)
{
    return DrawBitmapPart(dc, destination.left, destination.top,
                          CRect(0, 0, destination.Width(), destination.Height()), bitmap);
}

BOOL CDrawBmpHelper::DrawBitmapPart(CDC* dc, int x, int y, const CRect& source, CBitmap* bitmap)
{
    if (dc == NULL || !HasBitmap(bitmap))
        return FALSE;
    CDC memory;
    if (!memory.CreateCompatibleDC(dc))
        return FALSE;
    CDCSelect select(memory, *bitmap);
    return dc->BitBlt(x, y, source.Width(), source.Height(), &memory, source.left, source.top, SRCCOPY);
}

BOOL CDrawBmpHelper::TransparentBlt(CDC* dc, int x, int y, int width, int height, CBitmap* bitmap,
                                    int sourceX, int sourceY, COLORREF transparent, CPalette* palette)
{
    if (dc == NULL || !HasBitmap(bitmap) || width <= 0 || height <= 0)
        return FALSE;
    // The mask is made from the source's own pixels (1 = transparent), so
    // the colour compares exactly at any screen depth.
    CBitmap mask;
    if (!mask.Attach(BitmapPixels::TransparencyMask(*bitmap, sourceX, sourceY, width, height, transparent)))
        return FALSE;
    bool usePalette = palette != NULL && palette->m_hObject != NULL &&
                      (dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    HPALETTE oldPalette = usePalette ? dc->SelectPalette(palette, FALSE) : NULL;
    if (usePalette)
        dc->RealizePalette();

    CDC source, image, maskDC;
    CBitmap imageBitmap;
    if (!source.CreateCompatibleDC(dc) || !image.CreateCompatibleDC(dc) || !maskDC.CreateCompatibleDC(dc) ||
        !imageBitmap.CreateCompatibleBitmap(dc, width, height))
        return FALSE;
    CDCSelect selectSource(source, *bitmap);
    CDCSelect selectImage(image, imageBitmap);
    CDCSelect selectMask(maskDC, mask);
    HPALETTE oldImagePalette = usePalette ? image.SelectPalette(palette, FALSE) : NULL;

    // The image's copy of the source, black where it is transparent.
    image.BitBlt(0, 0, width, height, &source, sourceX, sourceY, SRCCOPY);
    image.SetBkColor(RGB(0, 0, 0));
    image.SetTextColor(RGB(255, 255, 255));
    image.BitBlt(0, 0, width, height, &maskDC, 0, 0, SRCAND);
    // The destination cleared where the image is opaque, then the image added.
    COLORREF oldBack = dc->SetBkColor(RGB(255, 255, 255));
    COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
    dc->BitBlt(x, y, width, height, &maskDC, 0, 0, SRCAND);
    dc->BitBlt(x, y, width, height, &image, 0, 0, SRCPAINT);
    dc->SetBkColor(oldBack);
    dc->SetTextColor(oldText);

    if (usePalette) {
        ::SelectPalette(image, oldImagePalette, FALSE);
        ::SelectPalette(*dc, oldPalette, FALSE);
    }
    return TRUE;
}

BOOL CDrawBmpHelper::DrawTransparent(CDC* dc, int x, int y, COLORREF transparent, CBitmap* bitmap)
{
    if (!HasBitmap(bitmap))
        return FALSE;
    CSize size = bitmap->GetSize();
    return TransparentBlt(dc, x, y, size.cx, size.cy, bitmap, 0, 0, transparent);
}
