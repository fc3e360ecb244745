#include "app/MRangeWnd.h"

MRangeWnd::MRangeWnd(int step) : m_nMin(0), m_nMax(100), m_nPos(0), m_nStep(step)
{
}

int MRangeWnd::OnKey(UINT vk, LPARAM)
{
    if (vk == kOsdKeyLeft) {
        OffsetPos(-m_nStep);
        return kOsdHandled;
    }
    if (vk == kOsdKeyRight) {
        OffsetPos(m_nStep);
        return kOsdHandled;
    }
    return kOsdNotHandled;
}

void MRangeWnd::SetRange(int minimum, int maximum)
{
    m_nMin = minimum;
    m_nMax = maximum;
    SetPos(m_nPos);
}

int MRangeWnd::SetPos(int position)
{
    const int previous = m_nPos;
    m_nPos = ClampToRange(position, m_nMin, m_nMax);
    Redraw();
    return previous;
}

BOOL MRangeWnd::LoadRangeBitmaps(UINT backgroundId, UINT markId)
{
    m_bmpBack.DeleteObject();
    m_bmpMark.DeleteObject();
    if (!m_bmpBack.LoadBitmap(backgroundId) || !m_bmpMark.LoadBitmap(markId)) {
        m_bmpBack.DeleteObject();
        m_bmpMark.DeleteObject();
        return FALSE;
    }
    const CSize size = m_bmpBack.GetSize();
    if (m_hWnd != NULL)
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void MRangeWnd::DrawPosition(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    DrawPosition(dc, client);
}

void MRangeWnd::DrawPosition(CDC* dc, const CRect& rect)
{
    CString text;
    text.Format("%d", m_nPos);
    DrawTextIn(dc, text, rect, TRUE, CurrentTextColor());
}
