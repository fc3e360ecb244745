// CSkinShare: the helpers every skinned control shares: the window shape of
// a bitmap, the masked copy, and the folder of a skin file. Static
// operations only; UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CSkinShare
{
public:
    virtual ~CSkinShare() {}

    // Replaces `region` by the bitmap's rectangle less the runs of
    // `transparent`. Each column is sampled at every second row and a run is
    // trimmed by one look at the row above its first and its last sample, so
    // a lone transparent pixel on a row the sampling skips stays in the
    // region; runs of two rows or more come out exact. FALSE without a
    // bitmap (the region is then left as it was).
    static BOOL BitmapToRegion(CRgn& region, CBitmap* bitmap, COLORREF transparent);
    // The exact region: every pixel of `transparent` removed.
    static BOOL BitmapToRegionByPixel(CRgn& region, CBitmap* bitmap, COLORREF transparent);
    // The area (sourceX, sourceY, width, height) of the bitmap copied to
    // (x, y), every pixel of `transparent` leaving the destination as it was.
    static BOOL TransparentBlt(CDC* dc, int x, int y, int width, int height, CBitmap* bitmap, int sourceX,
                               int sourceY, COLORREF transparent, CPalette* palette = NULL);
    // Gives the window a copy of the region as its shape: a window owns the
    // region it is given, and the control keeps its own for the next time.
    static BOOL GiveWindowRegion(HWND hWnd, const CRgn& region, BOOL redraw);
    // The text before the last backslash when the file exists, else empty.
    static CString GetFileFolder(LPCSTR path);
};
