#include "skin/BmpSliderCtrl.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CBmpSliderCtrl, CSliderCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CBmpSliderCtrl::CBmpSliderCtrl() : m_thumbHeight(0), m_thumbWidth(0) {}

void CBmpSliderCtrl::PreSubclassWindow()
{
    ModifyStyle(0, TBS_FIXEDLENGTH);
    CSliderCtrl::PreSubclassWindow();
}

BOOL CBmpSliderCtrl::LoadBitmaps(UINT backgroundId, UINT thumbId)
{
    if (m_hWnd == NULL)
        return FALSE;
    GetWindowRect(&m_rect);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&m_rect);
    BOOL ok = TRUE;
    if (thumbId != 0) {
        m_thumb.DeleteObject();
        m_thumbWidth = m_thumbHeight = 0;
        if (m_thumb.LoadBitmap(thumbId)) {
            CSize size = m_thumb.GetSize();
            m_thumbWidth = size.cx;
            m_thumbHeight = size.cy;
        } else {
            ok = FALSE;
        }
    }
    if (backgroundId != 0) {
        m_background.DeleteObject();
        CBitmap picture;
        CClientDC screen(NULL);
        CDC from, to;
        if (picture.LoadBitmap(backgroundId) && from.CreateCompatibleDC(&screen) &&
            to.CreateCompatibleDC(&screen) &&
            m_background.CreateCompatibleBitmap(&screen, m_rect.Width(), m_rect.Height())) {
            CDCSelect selectFrom(from, picture);
            CDCSelect selectTo(to, m_background);
            to.BitBlt(0, 0, m_rect.Width(), m_rect.Height(), &from, m_rect.left, m_rect.top, SRCCOPY);
        } else {
            m_background.DeleteObject();
            ok = FALSE;
        }
    }
    Invalidate();
    return ok;
}

void CBmpSliderCtrl::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    // Drawn off screen and copied once: the thumb moves often.
    CDC memory;
    CBitmap picture;
    if (!memory.CreateCompatibleDC(&paint) || !picture.CreateCompatibleBitmap(&paint, client.Width(), client.Height()))
        return;
    CDCSelect select(memory, picture);
    if (m_background.m_hObject != NULL) {
        CDC piece;
        piece.CreateCompatibleDC(&paint);
        CDCSelect selectPiece(piece, m_background);
        memory.BitBlt(0, 0, client.Width(), client.Height(), &piece, 0, 0, SRCCOPY);
    } else {
        memory.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    }
    DrawThumb(memory);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
}

void CBmpSliderCtrl::DrawThumb(CDC& dc)
{
    if (m_thumb.m_hObject == NULL)
        return;
    CRect thumb;
    GetThumbRect(&thumb);
    const int half = m_thumbWidth / 2;
    const int w = std::min((int)thumb.Width(), half);
    const int h = std::min((int)thumb.Height(), m_thumbHeight);
    CDC source;
    if (w <= 0 || h <= 0 || !source.CreateCompatibleDC(&dc))
        return;
    CDCSelect select(source, m_thumb);
    dc.BitBlt(thumb.left, thumb.top, w, h, &source, half, 0, SRCAND);
    dc.BitBlt(thumb.left, thumb.top, w, h, &source, 0, 0, SRCINVERT);
}

BOOL CBmpSliderCtrl::OnEraseBkgnd(CDC* dc)
{
    (void)dc;
    return TRUE; // painting covers the whole control
}
