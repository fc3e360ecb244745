// CMenuHookData: what the menu hook keeps about one popup menu window it
// took over, from take-over to release. Owned by the hook's map. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CMenuHookData
{
public:
    // Flag bits.
    enum
    {
        kTakenOnSize = 0x1,    // taken over on the menu's sizing message
        kStylesChanged = 0x2,  // the theme stripped the border styles
        kClosedByEscape = 0x4, // closed with Escape
    };

    CMenuHookData(HWND hWnd, BOOL takenOnSize)
        : m_dwStyle((DWORD)::GetWindowLongA(hWnd, GWL_STYLE)),
          m_dwExStyle((DWORD)::GetWindowLongA(hWnd, GWL_EXSTYLE)), m_Point(0, 0),
          m_dwFlags(takenOnSize ? kTakenOnSize : 0), m_bDoPaint(TRUE), m_hMenu(NULL)
    {
    }
    CMenuHookData(const CMenuHookData&) = delete;
    CMenuHookData& operator=(const CMenuHookData&) = delete;

    DWORD m_dwStyle;
    DWORD m_dwExStyle;
    CPoint m_Point; // screen position; (0, 0) until known
    DWORD m_dwFlags;
    BOOL m_bDoPaint; // the frame is painted on WM_NCPAINT
    HMENU m_hMenu;   // the menu the window shows, when its owner said so
    // What lay on the screen under the right and bottom shadow strips before
    // the window showed (the theme's own shadow darkens it).
    CBitmap m_ScreenUnder;
    CRect m_ScreenUnderRect;
};
