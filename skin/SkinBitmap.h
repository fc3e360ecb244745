// CSkinBitmap: one picture of a skin, from a bitmap resource of the skin's
// library or a ".bmp" file of its folder, with the copies the skinned
// controls draw it with and the regions they shape themselves to. Owned by
// the control or window that draws it; UI thread.
#pragma once
#include "skin/EnBitmap.h"

class CSkinBitmap : public CEnBitmap
{
public:
    ~CSkinBitmap() override {}

    // A ".bmp" file; on failure the bitmap held stays.
    BOOL LoadFromFile(LPCSTR path);
    int GetWidth() const { return GetSize().cx; }
    int GetHeight() const { return GetSize().cy; }

    // Unscaled copy from the bitmap's top-left corner to the rectangle's,
    // rectangle-sized.
    void Draw(CDC* dc, const CRect& rect);
    // Stretched copy (colour-on-colour) of the source part, or of the whole
    // bitmap; FALSE without a destination or a bitmap.
    BOOL StretchDraw(CDC* dc, const CRect* destination, const CRect* source = NULL);
    // Unscaled copy of the source part (or the whole bitmap) to (x, y).
    void DrawAt(CDC* dc, int x, int y, const CRect* source = NULL);
    // Copies leaving every pixel of `transparent` as the destination was.
    void DrawTransparent(CDC* dc, int x, int y, const CRect& source, COLORREF transparent);
    void DrawTransparent(CDC* dc, int x, int y, COLORREF transparent);

    // The region of every pixel that differs from the colour, in the
    // bitmap's coordinates; NULL without a bitmap. The caller owns it.
    HRGN CreateRegion(COLORREF transparent);
    // The same region, into `region`.
    void CreateRegionByPixel(CRgn& region, COLORREF transparent);
};

// Where one picture of a skin comes from: a ".bmp" file when a path is
// given, else a bitmap resource of the current resource module.
struct CSkinPicture
{
    UINT id = 0;
    CString path;

    CSkinPicture() {}
    explicit CSkinPicture(UINT resourceId) : id(resourceId) {}
    explicit CSkinPicture(LPCSTR file) : path(file ? file : "") {}

    // Replaces what `target` holds; FALSE (target emptied) when the
    // picture does not load.
    BOOL LoadInto(CBitmap& target) const;
};
