#include "skin/SkinBtn.h"

#include "skin/SkinShare.h"

CSkinBtn::CSkinBtn() : m_style(0), m_x(0), m_y(0), m_transparent(FALSE), m_transColour(RGB(0, 255, 0)) {}

BOOL CSkinBtn::LoadBitmaps(UINT hoverId, UINT normalId, UINT pressedId, UINT disabledId, COLORREF transparent,
                           BOOL transparentFlag)
{
    if (hoverId == 0 || normalId == 0 || pressedId == 0 || disabledId == 0)
        return FALSE;
    const CSkinPicture pictures[kStateCount] = {CSkinPicture(hoverId), CSkinPicture(normalId),
                                                CSkinPicture(pressedId), CSkinPicture(disabledId)};
    return LoadPictures(pictures, transparent, transparentFlag);
}

BOOL CSkinBtn::LoadBitmaps(LPCSTR hoverPath, LPCSTR normalPath, LPCSTR pressedPath, LPCSTR disabledPath,
                           COLORREF transparent, BOOL transparentFlag)
{
    const CSkinPicture pictures[kStateCount] = {CSkinPicture(hoverPath), CSkinPicture(normalPath),
                                                CSkinPicture(pressedPath), CSkinPicture(disabledPath)};
    return LoadPictures(pictures, transparent, transparentFlag);
}

BOOL CSkinBtn::LoadPictures(const CSkinPicture (&pictures)[kStateCount], COLORREF transparent,
                            BOOL transparentFlag)
{
    FreeBitmaps();
    m_region.DeleteObject();
    for (int state = 0; state < kStateCount; ++state) {
        if (!pictures[state].LoadInto(m_bitmaps[state])) {
            FreeBitmaps();
            return FALSE;
        }
    }
    CSize size = m_bitmaps[kHover].GetSize();
    m_width = size.cx;
    m_height = size.cy;
    m_transparent = transparentFlag;
    m_transColour = transparent;
    if (m_transparent)
        CSkinShare::BitmapToRegion(m_region, &m_bitmaps[kNormal], m_transColour);
    if (m_hWnd != NULL)
        PlaceAndShape();
    return TRUE;
}

void CSkinBtn::SetStyle(int style)
{
    m_style = style;
    SetToggle(style != 0);
}

BOOL CSkinBtn::SetCheck(BOOL check)
{
    BOOL previous = m_checked;
    m_checked = check ? TRUE : FALSE;
    return previous;
}

void CSkinBtn::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

void CSkinBtn::PlaceAndShape()
{
    SetWindowPos(NULL, m_x, m_y, m_width, m_height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_transparent)
        CSkinShare::GiveWindowRegion(m_hWnd, m_region, FALSE);
}

void CSkinBtn::PreSubclassWindow()
{
    // Read while the window is still the template's button.
    if (m_toggle)
        m_checked = CButton::GetCheck() == BST_CHECKED;
    CBmpButton::PreSubclassWindow(); // owner drawing
    PlaceAndShape();
}
