// What dressing a window in a skin changes on it, kept so that taking the
// skin off gives the window back as it was: a control's place, size, shape
// and the style bits the skin set; a dialog's size and shape (its place and
// style stay as the program has since made them). Owned by the skin manager
// (controls) or the skin dialog; UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CSkinWindowState
{
public:
    enum What { kControl, kDialog };

    CSkinWindowState() : m_hWnd(NULL), m_what(kControl), m_style(0), m_changedStyle(0), m_hadShape(FALSE) {}
    CSkinWindowState(const CSkinWindowState&) = delete;
    CSkinWindowState& operator=(const CSkinWindowState&) = delete;

    // Before the skin touches the window.
    void Capture(HWND hWnd, What what);
    // After it has: the style bits that differ now are the skin's.
    void NoteSkinStyle();
    // Puts back what was captured, when the window still exists; forgets it.
    void Restore();
    void Forget();
    BOOL IsCaptured() const { return m_hWnd != NULL; }

private:
    HWND m_hWnd;
    What m_what;
    DWORD m_style;
    DWORD m_changedStyle;
    CRect m_rect;      // a control's in its parent's client area; a dialog's size
    BOOL m_hadShape;
    CRgn m_shape;      // a copy of the window's own region, when it had one
};
