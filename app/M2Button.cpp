#include "app/M2Button.h"

M2Button::M2Button()
{
    m_crText = RGB(255, 255, 255);
    m_crHighlight = RGB(255, 255, 255);
    m_logFont.lfHeight = 24;
    m_logFont.lfWidth = 12;
    m_nNotifyCode = kNotifyButton;
}

int M2Button::OnKey(UINT vk, LPARAM)
{
    if (vk != kOsdKeyLeft && vk != kOsdKeyRight)
        return kOsdNotHandled;
    if (m_nState) {
        SetState(0);
        return kOsdHandled;
    }
    SetState(1);
    return kOsdNotHandled;
}

void M2Button::Draw(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    if (m_bmpNormal.m_hObject != NULL && m_bmpHighlighted.m_hObject != NULL)
        BlitBitmap(dc, m_bHighlight ? &m_bmpHighlighted : &m_bmpNormal, 0, 0, client.Width(), client.Height());
    DrawTextIn(dc, m_strText, client, TRUE, CurrentTextColor());
}

BOOL M2Button::LoadBitmaps(UINT normalId, UINT highlightedId)
{
    m_bmpNormal.DeleteObject();
    m_bmpHighlighted.DeleteObject();
    if (!m_bmpNormal.LoadBitmap(normalId) || !m_bmpHighlighted.LoadBitmap(highlightedId)) {
        m_bmpNormal.DeleteObject();
        m_bmpHighlighted.DeleteObject();
        return FALSE;
    }
    const CSize size = m_bmpNormal.GetSize();
    if (m_hWnd != NULL)
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}
