#include "app/MSlider.h"

MSlider::MSlider() : MRangeWnd(1), m_nThumbWidth(10)
{
    m_logFont.lfHeight = 15;
    m_logFont.lfWidth = 11;
    m_nNotifyCode = kNotifySlider;
}

int MSlider::SetStep(int step)
{
    const int previous = m_nStep;
    // Half the range, the sign kept and the fraction dropped.
    const long long half = ((long long)m_nMax - m_nMin) / 2;
    if (step <= half)
        m_nStep = step;
    return previous;
}

BOOL MSlider::LoadBitmaps(UINT trackId, UINT thumbId)
{
    if (!LoadRangeBitmaps(trackId, thumbId))
        return FALSE;
    m_nThumbWidth = m_bmpMark.GetSize().cx;
    return TRUE;
}

void MSlider::Draw(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    if (!HasBitmaps()) {
        DrawPosition(dc);
        return;
    }
    BlitBitmap(dc, &m_bmpBack, 0, 0, client.Width(), client.Height());
    BlitBitmap(dc, &m_bmpMark, ThumbLeft(client.Width()), 0, m_nThumbWidth, client.Height());
    DrawPosition(dc, PositionRect(client.Width(), client.Height()));
}

CRect MSlider::PositionRect(int width, int height) const
{
    const int thumbLeft = ThumbLeft(width);
    const int thumbRight = thumbLeft + m_nThumbWidth;
    if (thumbLeft >= width - thumbRight)
        return CRect(0, 0, thumbLeft, height);
    return CRect(thumbRight, 0, width, height);
}
