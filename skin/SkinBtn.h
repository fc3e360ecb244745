// CSkinBtn: a button of a skin, drawn from four bitmaps (hover, normal,
// pressed, disabled) at the place the skin gives it, optionally shaped to
// its normal bitmap and optionally a toggle that keeps a checked state. It
// takes over a button of the dialog template; the dialog gets the usual
// clicks. Owned by the skin manager; UI thread.
#pragma once
#include "skin/BmpButton.h"
#include "skin/SkinBitmap.h"

class CSkinBtn : public CBmpButton
{
public:
    CSkinBtn();
    ~CSkinBtn() override {}

    // Every id non-zero and every bitmap required; the shape, when
    // `transparentFlag` is set, is the normal bitmap less `transparent`.
    BOOL LoadBitmaps(UINT hoverId, UINT normalId, UINT pressedId, UINT disabledId, COLORREF transparent,
                     BOOL transparentFlag);
    BOOL LoadBitmaps(LPCSTR hoverPath, LPCSTR normalPath, LPCSTR pressedPath, LPCSTR disabledPath,
                     COLORREF transparent, BOOL transparentFlag);

    // Non-zero: a toggle button.
    void SetStyle(int style);
    int GetStyle() const { return m_style; }
    // Sets the checked flag, toggle or not, without redrawing; the flag before.
    BOOL SetCheck(BOOL check);
    BOOL GetCheck() const { return m_checked; }
    void SetPosition(int x, int y);
    void SetPosition(POINT point) { SetPosition(point.x, point.y); }

protected:
    void PreSubclassWindow() override;

private:
    BOOL LoadPictures(const CSkinPicture (&pictures)[kStateCount], COLORREF transparent, BOOL transparentFlag);
    void PlaceAndShape();

    int m_style;
    int m_x;
    int m_y;
    BOOL m_transparent;
    COLORREF m_transColour;
    CRgn m_region;
};
