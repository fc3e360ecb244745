#include "skin/SkinMultiSlider.h"


#include <algorithm>
#include <climits>

BEGIN_MESSAGE_MAP(CSkinMultiSlider, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

// value x numerator / denominator, truncated, without overflowing: positions
// are file offsets that can be far larger than a pixel count times them
// fits in 64 bits.
LONGLONG Scale(LONGLONG value, LONGLONG numerator, LONGLONG denominator)
{
    if (denominator == 0)
        return 0;
    LONGLONG product;
    if (!__builtin_mul_overflow(value, numerator, &product))
        return product / denominator;
    long double exact = (long double)value * (long double)numerator / (long double)denominator;
    if (exact >= (long double)LLONG_MAX)
        return LLONG_MAX;
    if (exact <= (long double)LLONG_MIN)
        return LLONG_MIN;
    return (LONGLONG)exact;
}

LONGLONG Difference(LONGLONG a, LONGLONG b)
{
    LONGLONG result;
    return __builtin_sub_overflow(a, b, &result) ? (a > b ? LLONG_MAX : LLONG_MIN) : result;
}

LONGLONG Sum(LONGLONG a, LONGLONG b)
{
    LONGLONG result;
    return __builtin_add_overflow(a, b, &result) ? (b > 0 ? LLONG_MAX : LLONG_MIN) : result;
}

} // namespace

CSkinMultiSlider::CSkinMultiSlider()
    : m_x(0), m_y(0), m_bandColour(0xFFFFFF), m_startEdge(0), m_endEdge(0), m_middleLine(0), m_middleHeight(0), m_horizontal(TRUE), m_selStart(0),
      m_selEnd(0), m_rangeStart(0), m_rangeEnd(100000), m_position(0), m_dragging(FALSE), m_last(0),
      m_cursor(NULL)
{
}

CSkinMultiSlider::~CSkinMultiSlider()
{
    SetCursor(NULL);
}

BOOL CSkinMultiSlider::LoadBitmaps(UINT channelId, UINT thumbId, int startEdge, int endEdge, int middleLine,
                                   int middleHeight, COLORREF transparent, BOOL transparentFlag)
{
    return LoadBitmaps(CSkinPicture(channelId), CSkinPicture(thumbId), startEdge, endEdge, middleLine,
                        middleHeight, transparent, transparentFlag);
}

BOOL CSkinMultiSlider::LoadBitmaps(LPCSTR channelPath, LPCSTR thumbPath, int startEdge, int endEdge,
                                   int middleLine, int middleHeight, COLORREF transparent, BOOL transparentFlag)
{
    return LoadBitmaps(CSkinPicture(channelPath), CSkinPicture(thumbPath), startEdge, endEdge, middleLine,
                        middleHeight, transparent, transparentFlag);
}

BOOL CSkinMultiSlider::LoadBitmaps(const CSkinPicture& channel, const CSkinPicture& thumb, int startEdge,
                                   int endEdge, int middleLine, int middleHeight, COLORREF transparent,
                                    BOOL transparentFlag)
{
    // A track without length would divide by zero.
    if (endEdge <= startEdge || !m_pictures.Load(channel, thumb, transparent, transparentFlag))
        return FALSE;
    m_startEdge = startEdge;
    m_endEdge = endEdge;
    m_middleLine = middleLine;
    m_middleHeight = middleHeight;
    return TRUE;
}

LONGLONG CSkinMultiSlider::Span() const
{
    return Difference(m_rangeEnd, m_rangeStart);
}

void CSkinMultiSlider::Changed(BOOL redraw)
{
    if (m_hWnd != NULL)
        InvalidateRect(NULL, redraw);
}

BOOL CSkinMultiSlider::SetRange(LONGLONG start, LONGLONG end, BOOL redraw)
{
    if (end < start)
        return FALSE;
    m_rangeStart = start;
    m_rangeEnd = end;
    Changed(redraw);
    return TRUE;
}

BOOL CSkinMultiSlider::SetSelection(LONGLONG start, LONGLONG end, BOOL redraw)
{
    if (start < m_rangeStart || end > m_rangeEnd || start > end)
        return FALSE;
    m_selStart = start;
    m_selEnd = end;
    Changed(redraw);
    return TRUE;
}

BOOL CSkinMultiSlider::SetPos(LONGLONG position, BOOL redraw)
{
    if (position < m_selStart || position > m_selEnd)
        return FALSE;
    m_position = position;
    Changed(redraw);
    return TRUE;
}

BOOL CSkinMultiSlider::OffsetPos(LONGLONG delta, BOOL redraw)
{
    m_position = std::min(std::max(Sum(m_position, delta), m_selStart), m_selEnd);
    Changed(redraw);
    return TRUE;
}

BOOL CSkinMultiSlider::GetThumbRect(LPRECT rect) const
{
    if (rect == NULL)
        return FALSE;
    // A short range is drawn as if it were 100 long, so a small buffer does
    // not throw the thumb from end to end.
    const LONGLONG span = std::max(Span(), (LONGLONG)100);
    const LONGLONG p = std::min(std::max(m_position, m_selStart), m_selEnd);
    const LONGLONG r = std::min(std::max(Difference(p, m_rangeStart), (LONGLONG)0), span);
    const int along = (int)std::min((LONGLONG)m_startEdge + Scale(TrackLength(), r, span), (LONGLONG)m_endEdge);
    const CPoint centre = m_horizontal ? CPoint(along, m_middleLine) : CPoint(m_middleLine, along);
    const CSize size = ThumbSize();
    ::SetRect(rect, centre.x - size.cx / 2, centre.y - size.cy / 2, centre.x - size.cx / 2 + size.cx,
              centre.y - size.cy / 2 + size.cy);
    return TRUE;
}

BOOL CSkinMultiSlider::GetSelectionRect(LPRECT rect) const
{
    const LONGLONG span = Span();
    if (rect == NULL || span <= 0)
        return FALSE;
    const LONGLONG a = std::max(Difference(m_selStart, m_rangeStart), (LONGLONG)0);
    const LONGLONG b = std::min(Difference(m_selEnd, m_rangeStart), span);
    if (b - a <= 0)
        return FALSE;
    const LONGLONG track = TrackLength();
    const int length = (int)Scale(track, b - a, span);
    const int start = (int)(m_startEdge + Scale(track, a, span));
    const int across = m_middleLine - m_middleHeight / 2;
    if (m_horizontal)
        ::SetRect(rect, start, across, start + length, across + m_middleHeight);
    else
        ::SetRect(rect, across, start, across + m_middleHeight, start + length);
    return TRUE;
}

void CSkinMultiSlider::SetCursor(HCURSOR cursor)
{
    if (m_cursor != NULL)
        ::DestroyCursor(m_cursor);
    // A copy: the cursor may come from a skin library that is freed soon.
    m_cursor = cursor ? (HCURSOR)::CopyImage(cursor, IMAGE_CURSOR, 0, 0, 0) : NULL;
}

void CSkinMultiSlider::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

void CSkinMultiSlider::PreSubclassWindow()
{
    // A static takes mouse messages only with SS_NOTIFY.
    ModifyStyle(0, SS_NOTIFY);
    CSize size = m_pictures.ChannelSize();
    SetWindowPos(NULL, m_x, m_y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    CStatic::PreSubclassWindow();
}

void CSkinMultiSlider::Draw(CDC* dc)
{
    CRect client, band, thumb;
    GetClientRect(&client);
    const BOOL hasBand = GetSelectionRect(&band);
    GetThumbRect(&thumb);
    m_pictures.Draw(dc, client, thumb, hasBand ? &band : NULL, m_bandColour);
}

void CSkinMultiSlider::OnPaint()
{
    CPaintDC paint(this);
    Draw(&paint);
}

BOOL CSkinMultiSlider::OnEraseBkgnd(CDC* dc)
{
    (void)dc;
    return TRUE; // painting covers the whole control
}

void CSkinMultiSlider::OnLButtonDown(UINT flags, CPoint point)
{
    (void)flags;
    CRect thumb;
    GetThumbRect(&thumb);
    m_dragging = thumb.PtInRect(point);
    if (m_dragging) {
        SetCapture();
        m_last = Along(point);
    }
}

void CSkinMultiSlider::OnMouseMove(UINT flags, CPoint point)
{
    (void)flags;
    const int d = Along(point) - m_last;
    if (!m_dragging || d == 0 || m_pictures.ChannelSize().cx <= 0)
        return;
    // Pixels that move the position by less than one unit are kept for the
    // next move, so a slow drag over a short range still moves.
    const LONGLONG delta = Scale(Span(), d, TrackLength());
    if (delta != 0 && OffsetPos(delta, TRUE))
        m_last = Along(point);
}

void CSkinMultiSlider::OnLButtonUp(UINT flags, CPoint point)
{
    (void)flags;
    const BOOL dragged = m_dragging;
    m_dragging = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (dragged) {
        NotifyParent();
        return;
    }
    CRect band;
    if (!GetSelectionRect(&band))
        return;
    CPoint onTrack = m_horizontal ? CPoint(point.x, m_middleLine) : CPoint(m_middleLine, point.y);
    if (!band.PtInRect(onTrack))
        return;
    const int c = std::min(std::max(Along(point), m_startEdge), m_endEdge);
    const LONGLONG position = Sum(m_rangeStart, Scale(Span(), c - m_startEdge, TrackLength()));
    if (SetPos(position, TRUE))
        NotifyParent();
}

void CSkinMultiSlider::OnCaptureChanged(CWnd* other)
{
    (void)other;
    m_dragging = FALSE; // the drag was taken away (a box opened): no release will come
}

BOOL CSkinMultiSlider::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    (void)wnd;
    (void)hitTest;
    (void)message;
    if (m_cursor == NULL)
        return FALSE;
    ::SetCursor(m_cursor);
    return TRUE;
}

void CSkinMultiSlider::NotifyParent()
{
    HWND parent = ::GetParent(m_hWnd);
    if (parent != NULL)
        ::SendMessageA(parent, WM_HSCROLL, MAKEWPARAM(kScrollCode, 0), (LPARAM)m_hWnd);
}
