#include "skin/SkinBitmap.h"

#include "skin/BitmapFileReader.h"
#include "skin/BitmapPixels.h"
#include "skin/DrawBmpHelper.h"

BOOL CSkinBitmap::LoadFromFile(LPCSTR path)
{
    return Attach(BitmapFileReader::FromFile(path));
}

void CSkinBitmap::Draw(CDC* dc, const CRect& rect)
{
    CDrawBmpHelper::DrawBitmap(dc, rect, this);
}

BOOL CSkinBitmap::StretchDraw(CDC* dc, const CRect* destination, const CRect* source)
{
    if (dc == NULL || destination == NULL || m_hObject == NULL)
        return FALSE;
    const CRect whole(CPoint(0, 0), GetSize());
    const CRect& from = source ? *source : whole;
    CDC memory;
    if (!memory.CreateCompatibleDC(dc))
        return FALSE;
    CDCSelect select(memory, *this);
    int oldMode = dc->SetStretchBltMode(COLORONCOLOR);
    BOOL ok = dc->StretchBlt(destination->left, destination->top, destination->Width(), destination->Height(),
                             &memory, from.left, from.top, from.Width(), from.Height(), SRCCOPY);
    dc->SetStretchBltMode(oldMode);
    return ok;
}

void CSkinBitmap::DrawAt(CDC* dc, int x, int y, const CRect* source)
{
    CDrawBmpHelper::DrawBitmapPart(dc, x, y, source ? *source : CRect(CPoint(0, 0), GetSize()), this);
}

void CSkinBitmap::DrawTransparent(CDC* dc, int x, int y, const CRect& source, COLORREF transparent)
{
    CDrawBmpHelper::TransparentBlt(dc, x, y, source.Width(), source.Height(), this, source.left, source.top,
                                   transparent);
}

void CSkinBitmap::DrawTransparent(CDC* dc, int x, int y, COLORREF transparent)
{
    CDrawBmpHelper::DrawTransparent(dc, x, y, transparent, this);
}

HRGN CSkinBitmap::CreateRegion(COLORREF transparent)
{
    return BitmapPixels::RegionWithout(*this, transparent);
}

void CSkinBitmap::CreateRegionByPixel(CRgn& region, COLORREF transparent)
{
    region.Attach(CreateRegion(transparent));
}

BOOL CSkinPicture::LoadInto(CBitmap& target) const
{
    target.DeleteObject();
    if (!path.IsEmpty())
        return target.Attach(BitmapFileReader::FromFile(path));
    return id != 0 && target.LoadBitmap(id);
}
