#include "skin/BmpButton.h"

#include "skin/BitmapPixels.h"

BEGIN_MESSAGE_MAP(CBmpButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CBmpButton::CBmpButton()
    : m_lastState(-1), m_width(0), m_height(0), m_toggle(FALSE), m_checked(FALSE), m_pressed(FALSE)
{
}

void CBmpButton::FreeBitmaps()
{
    for (CBitmap& bitmap : m_bitmaps)
        bitmap.DeleteObject();
    m_width = m_height = 0;
    m_lastState = -1;
}

BOOL CBmpButton::LoadBitmaps(UINT hoverId, UINT normalId, UINT pressedId, UINT disabledId)
{
    const UINT ids[kStateCount] = {hoverId, normalId, pressedId, disabledId};
    for (UINT id : ids) {
        if (id == 0)
            return FALSE;
    }
    FreeBitmaps();
    for (int state = 0; state < kStateCount; ++state) {
        if (!m_bitmaps[state].LoadBitmap(ids[state])) {
            FreeBitmaps();
            return FALSE;
        }
    }
    CSize size = m_bitmaps[kHover].GetSize();
    m_width = size.cx;
    m_height = size.cy;
    FitWindowToBitmaps();
    return TRUE;
}

BOOL CBmpButton::LoadBitmapsShaped(UINT hoverId, UINT normalId, UINT pressedId, UINT disabledId,
                                   COLORREF transparent)
{
    if (!LoadBitmaps(hoverId, normalId, pressedId, disabledId))
        return FALSE;
    m_pendingShape.DeleteObject();
    if (!m_pendingShape.Attach(BitmapPixels::RegionWithout(m_bitmaps[kNormal], transparent)))
        return FALSE;
    GiveShape();
    return TRUE;
}

void CBmpButton::FitWindowToBitmaps()
{
    if (m_hWnd != NULL && m_width > 0)
        SetWindowPos(NULL, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBmpButton::GiveShape()
{
    if (m_hWnd != NULL && m_pendingShape.m_hObject != NULL)
        SetWindowRgn(m_pendingShape, FALSE);
}

void CBmpButton::SetToggle(BOOL toggle)
{
    toggle = toggle ? TRUE : FALSE;
    if (toggle == m_toggle)
        return;
    m_toggle = toggle;
    if (m_hWnd != NULL)
        Invalidate();
}

void CBmpButton::SetCheck(BOOL check)
{
    check = check ? TRUE : FALSE;
    if (!m_toggle || check == m_checked)
        return;
    m_checked = check;
    if (m_hWnd != NULL)
        Invalidate();
}

void CBmpButton::DrawState(int state)
{
    if (state < 0 || state >= kStateCount)
        return;
    if (m_toggle && m_checked && state == kNormal)
        state = kPressed;
    if (state == m_lastState || m_bitmaps[state].m_hObject == NULL || m_hWnd == NULL)
        return;
    CWindowDC dc(this);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    CDCSelect select(memory, m_bitmaps[state]);
    dc.BitBlt(0, 0, m_width, m_height, &memory, 0, 0, SRCCOPY);
    m_lastState = state;
}

void CBmpButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    m_lastState = -1;
    if (dis->itemState & ODS_DISABLED)
        DrawState(kDisabled);
    else
        DrawState((dis->itemState & ODS_SELECTED) ? kPressed : kNormal);
}

void CBmpButton::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    FitWindowToBitmaps();
    GiveShape();
    CButton::PreSubclassWindow();
}

LRESULT CBmpButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDBLCLK:
        message = WM_LBUTTONDOWN; // a quick second click is another press
        // fall through
    case WM_LBUTTONDOWN:
        m_pressed = TRUE;
        break;
    case WM_LBUTTONUP:
        if (m_pressed && m_toggle) {
            CRect client;
            GetClientRect(&client);
            if (client.PtInRect(CPoint(lParam)))
                m_checked = !m_checked;
        }
        m_pressed = FALSE;
        break;
    case WM_CAPTURECHANGED:
        m_pressed = FALSE; // a press taken away (a box opened) ends here
        break;
    default:
        break;
    }
    return CButton::DefWindowProc(message, wParam, lParam);
}

void CBmpButton::OnMouseMove(UINT flags, CPoint point)
{
    (void)flags;
    (void)point;
    // The pressed bitmap stays while the button is held.
    if (!m_checked && !m_pressed)
        DrawState(kHover);
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hWnd;
    ::TrackMouseEvent(&track);
    Default();
}

void CBmpButton::OnMouseLeave()
{
    DrawState(kNormal);
    Default();
}

void CBmpButton::OnKillFocus(CWnd* next)
{
    (void)next;
    DrawState(kNormal);
    Default();
}

void CBmpButton::OnEnable(BOOL enable)
{
    DrawState(enable ? kNormal : kDisabled);
    Default();
}

BOOL CBmpButton::OnEraseBkgnd(CDC* dc)
{
    (void)dc;
    return TRUE; // the bitmaps cover the whole window
}
