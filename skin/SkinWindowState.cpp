#include "skin/SkinWindowState.h"

void CSkinWindowState::Capture(HWND hWnd, What what)
{
    Forget();
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    m_hWnd = hWnd;
    m_what = what;
    m_style = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
    ::GetWindowRect(hWnd, &m_rect);
    HWND parent = ::GetParent(hWnd);
    if (what == kControl && parent != NULL)
        ::MapWindowPoints(NULL, parent, (LPPOINT)&m_rect, 2);
    m_shape.CreateRectRgn(0, 0, 0, 0);
    m_hadShape = ::GetWindowRgn(hWnd, m_shape) != ERROR;
    if (!m_hadShape)
        m_shape.DeleteObject();
}

void CSkinWindowState::NoteSkinStyle()
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        m_changedStyle = m_style ^ (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE);
}

void CSkinWindowState::Restore()
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd)) {
        Forget();
        return;
    }
    if (m_changedStyle != 0) {
        DWORD now = (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE);
        ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)((now & ~m_changedStyle) | (m_style & m_changedStyle)));
    }
    // The window owns the region it is given: it gets the copy we kept.
    HRGN shape = m_hadShape ? (HRGN)m_shape.Detach() : NULL;
    if (!::SetWindowRgn(m_hWnd, shape, FALSE) && shape != NULL)
        ::DeleteObject(shape);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (m_what == kDialog)
        flags |= SWP_NOMOVE;
    ::SetWindowPos(m_hWnd, NULL, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), flags);
    ::InvalidateRect(m_hWnd, NULL, TRUE);
    Forget();
}

void CSkinWindowState::Forget()
{
    m_hWnd = NULL;
    m_style = m_changedStyle = 0;
    m_hadShape = FALSE;
    m_shape.DeleteObject();
}
