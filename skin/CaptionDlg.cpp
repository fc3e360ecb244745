#include "skin/CaptionDlg.h"

#include "skin/DrawBmpHelper.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CCaptionDlg, CDialog)
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_SIZING()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

namespace {

// Each frame area as corners on the grid of the window's edges: x from
// {left, left + side, right - side, right}, y from {top, top + caption,
// bottom - bottom border, bottom}.
struct GridRect
{
    int x0, y0, x1, y1;
};
const GridRect kAreaGrid[] = {
    {0, 0, 3, 1}, // caption
    {0, 1, 1, 2}, // left border
    {2, 1, 3, 2}, // right border
    {0, 2, 3, 3}, // bottom border
    {0, 0, 1, 1}, // top-left corner
    {2, 0, 3, 1}, // top-right corner
    {0, 2, 1, 3}, // bottom-left corner
    {2, 2, 3, 3}, // bottom-right corner
};

// Sizing areas in the order they are tried: corners before the edges they
// lie on.
struct SizingHit
{
    int area;
    UINT code;
};
const SizingHit kSizingHits[] = {
    {6, HTBOTTOMLEFT}, {4, HTTOPLEFT}, {7, HTBOTTOMRIGHT}, {5, HTTOPRIGHT},
    {1, HTLEFT},       {2, HTRIGHT},   {3, HTBOTTOM},
};

// Caption buttons: hit-test code and top-left corner from the caption's right end.
struct ButtonPlace
{
    UINT hit;
    int x, y;
};
const ButtonPlace kButtonPlaces[CCaptionDlg::kButtonCount] = {
    {HTMINBUTTON, 25, 2}, {HTMAXBUTTON, 49, 2}, {HTCLOSE, 72, 2}};

// Loads a set of bitmaps whole or not at all; the old set goes first.
BOOL LoadBitmapSet(CBitmap* const* targets, const UINT* ids, int count)
{
    for (int i = 0; i < count; ++i)
        targets[i]->DeleteObject();
    for (int i = 0; i < count; ++i) {
        if (!targets[i]->LoadBitmap(ids[i])) {
            for (int j = 0; j < count; ++j)
                targets[j]->DeleteObject();
            return FALSE;
        }
    }
    return TRUE;
}

} // namespace

CCaptionDlg::CCaptionDlg(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), m_captionHeight(46), m_borderWidth(10), m_bottomHeight(10),
      m_buttonState{kNormal, kNormal, kNormal}, m_pressedButton(-1), m_maximized(FALSE),
      m_placingMaximized(FALSE), m_aspectX(1), m_aspectY(1), m_ratioPending(FALSE), m_dragging(FALSE)
{
}

BOOL CCaptionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

// --- bitmaps -------------------------------------------------------------------

BOOL CCaptionDlg::SetCaptionBitmaps(UINT leftId, UINT rightId, UINT middleId)
{
    CBitmap* targets[] = {&m_captionLeft, &m_captionRight, &m_captionMiddle};
    const UINT ids[] = {leftId, rightId, middleId};
    if (!LoadBitmapSet(targets, ids, 3))
        return FALSE;
    m_captionHeight = m_captionLeft.GetSize().cy;
    return TRUE;
}

BOOL CCaptionDlg::SetBorderBitmaps(UINT leftId, UINT rightId, UINT bottomId)
{
    CBitmap* targets[] = {&m_borderLeft, &m_borderRight, &m_borderBottom};
    const UINT ids[] = {leftId, rightId, bottomId};
    if (!LoadBitmapSet(targets, ids, 3))
        return FALSE;
    m_borderWidth = m_borderLeft.GetSize().cx;
    m_bottomHeight = m_borderBottom.GetSize().cy;
    return TRUE;
}

BOOL CCaptionDlg::SetButtonBitmaps(int button, UINT normalId, UINT hoverId, UINT pressedId)
{
    CBitmap* targets[] = {&m_buttonBitmaps[button][kNormal], &m_buttonBitmaps[button][kHover],
                          &m_buttonBitmaps[button][kPressed]};
    const UINT ids[] = {normalId, hoverId, pressedId};
    return LoadBitmapSet(targets, ids, 3);
}

BOOL CCaptionDlg::SetMinButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId)
{
    return SetButtonBitmaps(kMinimize, normalId, hoverId, pressedId);
}

BOOL CCaptionDlg::SetMaxButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId)
{
    return SetButtonBitmaps(kMaximize, normalId, hoverId, pressedId);
}

BOOL CCaptionDlg::SetCloseButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId)
{
    return SetButtonBitmaps(kClose, normalId, hoverId, pressedId);
}

// --- geometry ------------------------------------------------------------------

CRect CCaptionDlg::AreaRect(Area area, const CRect& w) const
{
    const int xs[4] = {w.left, w.left + m_borderWidth, w.right - m_borderWidth, w.right};
    const int ys[4] = {w.top, w.top + m_captionHeight, w.bottom - m_bottomHeight, w.bottom};
    const GridRect& g = kAreaGrid[area];
    return CRect(xs[g.x0], ys[g.y0], xs[g.x1], ys[g.y1]);
}

CCaptionDlg::CaptionParts CCaptionDlg::SplitCaption(const CRect& caption) const
{
    CaptionParts parts;
    const int leftWidth = std::min((int)caption.Width(), (int)m_captionLeft.GetSize().cx);
    parts.left = CRect(caption.left, caption.top, caption.left + leftWidth, caption.bottom);
    const int rightStart = std::max((int)(caption.right - m_captionRight.GetSize().cx), (int)parts.left.right);
    parts.right = CRect(rightStart, caption.top, caption.right, caption.bottom);
    parts.middle = CRect(parts.left.right, caption.top, parts.right.left,
                         caption.top + m_captionMiddle.GetSize().cy);
    return parts;
}

CRect& CCaptionDlg::GetMinButtonRect(CRect& rect, const CRect& origin) const
{
    rect = ButtonRect(kMinimize, origin);
    return rect;
}

CRect& CCaptionDlg::GetMaxButtonRect(CRect& rect, const CRect& origin) const
{
    rect = ButtonRect(kMaximize, origin);
    return rect;
}

CRect& CCaptionDlg::GetCloseButtonRect(CRect& rect, const CRect& origin) const
{
    rect = ButtonRect(kClose, origin);
    return rect;
}

CRect CCaptionDlg::ButtonRect(int button, const CRect& origin) const
{
    const ButtonPlace& place = kButtonPlaces[button];
    const CPoint corner(origin.left + place.x, origin.top + place.y);
    return CRect(corner, CSize(kButtonWidth, kButtonHeight));
}

int CCaptionDlg::ButtonOfHit(UINT hitTest)
{
    for (int b = 0; b < kButtonCount; ++b) {
        if (kButtonPlaces[b].hit == hitTest)
            return b;
    }
    return -1;
}

CRect CCaptionDlg::MonitorRect() const
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcMonitor;
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

// --- the frame as the system sees it ---------------------------------------------

void CCaptionDlg::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params)
{
    // The same frame whether or not the system asks for the valid rectangles
    // (it does not at creation), so the first client area is already ours.
    // Maximised there is none: the window is the screen and all of it inner
    // area (a window manager keeps a window inside the screen, so a frame
    // pushed beyond its edges would stay on it).
    RECT& r = params->rgrc[0];
    if (IsZoomed()) {
        if (calcValidRects)
            params->rgrc[1] = r;
        return;
    }
    r.left += m_borderWidth;
    r.right -= m_borderWidth;
    r.top += m_captionHeight;
    r.bottom -= m_bottomHeight;
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    if (calcValidRects)
        params->rgrc[1] = r;
}

LRESULT CCaptionDlg::OnNcHitTest(CPoint point)
{
    if (IsZoomed())
        return HTCLIENT;
    CRect window;
    GetWindowRect(&window);
    for (const SizingHit& hit : kSizingHits) {
        if (AreaRect((Area)hit.area, window).PtInRect(point))
            return hit.code;
    }
    const CRect caption = AreaRect(kCaption, window);
    if (!caption.PtInRect(point))
        return Default();
    const CRect origin = SplitCaption(caption).right;
    for (int b = 0; b < kButtonCount; ++b) {
        if (ButtonRect(b, origin).PtInRect(point))
            return kButtonPlaces[b].hit;
    }
    if (point.x - window.left < ::GetSystemMetrics(SM_CXICON) &&
        point.y - window.top < ::GetSystemMetrics(SM_CYICON))
        return HTSYSMENU;
    if (point.y - window.top < ::GetSystemMetrics(SM_CYSIZEFRAME))
        return HTTOP;
    return HTCAPTION;
}

void CCaptionDlg::ApplySizingRule(UINT edge, RECT& r) const
{
    const int frameWidth = 2 * m_borderWidth;
    const int frameHeight = m_captionHeight + m_bottomHeight;
    if (m_aspectX != m_aspectY) {
        int w = r.right - r.left - frameWidth;
        int h = r.bottom - r.top - frameHeight;
        if (edge == WMSZ_TOP || edge == WMSZ_BOTTOM)
            w = (int)((long long)m_aspectX * h / m_aspectY);
        else
            h = (int)((long long)m_aspectY * w / m_aspectX);
        r.right = r.left + frameWidth + w;
        r.bottom = r.top + frameHeight + h;
    }
    if (r.right - r.left < kMinWidth)
        r.right = r.left + kMinWidth;
    if (r.bottom - r.top < kMinHeight)
        r.bottom = r.top + kMinHeight;
}

void CCaptionDlg::OnSizing(UINT edge, LPRECT rect)
{
    if (rect != NULL)
        ApplySizingRule(edge, *rect);
}

void CCaptionDlg::SetAspectRatio(int x, int y)
{
    if (x < 1 || y < 1)
        return;
    m_aspectX = x;
    m_aspectY = y;
    if (m_hWnd == NULL)
        return;
    if (m_maximized || IsIconic() || IsZoomed()) {
        m_ratioPending = TRUE; // the restored window takes it
        return;
    }
    ApplyAspectRatio();
}

void CCaptionDlg::ApplyAspectRatio()
{
    CRect r;
    GetWindowRect(&r);
    ApplySizingRule(WMSZ_RIGHT, r);
    SetWindowPos(NULL, 0, 0, r.Width(), r.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CCaptionDlg::OnSize(UINT type, int cx, int cy)
{
    (void)cx;
    (void)cy;
    // A button the pointer was over when the window changed its state is
    // no longer under it.
    if (type == SIZE_RESTORED || type == SIZE_MAXIMIZED || type == SIZE_MINIMIZED) {
        m_pressedButton = -1;
        SetButtonStates(-1, kNormal);
    }
    if (type == SIZE_RESTORED) {
        m_maximized = FALSE;
        if (m_ratioPending) {
            m_ratioPending = FALSE;
            ApplyAspectRatio();
        }
    } else if (type == SIZE_MAXIMIZED && !m_placingMaximized) {
        m_maximized = TRUE;
        // Frameless over the whole screen: the inner area is the screen.
        const CRect screen = MonitorRect();
        m_placingMaximized = TRUE;
        SetWindowPos(NULL, screen.left, screen.top, screen.Width(), screen.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        m_placingMaximized = FALSE;
    }
}

void CCaptionDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    Default();
    // Maximised the window is the screen, caption and borders gone.
    const CRect screen = MonitorRect();
    info->ptMaxPosition = CPoint(0, 0);
    info->ptMaxSize = CPoint(screen.Width(), screen.Height());
    info->ptMaxTrackSize.x = std::max((int)info->ptMaxTrackSize.x, screen.Width());
    info->ptMaxTrackSize.y = std::max((int)info->ptMaxTrackSize.y, screen.Height());
}

// --- caption buttons and moving ------------------------------------------------

void CCaptionDlg::OnNcLButtonDblClk(UINT hitTest, CPoint point)
{
    (void)hitTest;
    (void)point;
    // A double click on the minimised window (Wine's bar of it, where no
    // window manager runs) brings it back as it was.
    if (IsIconic())
        SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    else if (!m_maximized)
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE);
    else
        Default();
}

void CCaptionDlg::SetButtonStates(int hovered, ButtonState state)
{
    for (int b = 0; b < kButtonCount; ++b)
        m_buttonState[b] = b == hovered ? state : kNormal;
}

void CCaptionDlg::OnNcMouseMove(UINT hitTest, CPoint point)
{
    (void)point;
    SetButtonStates(ButtonOfHit(hitTest), kHover);
    PaintFrame();
    Default();
}

void CCaptionDlg::OnNcLButtonDown(UINT hitTest, CPoint point)
{
    (void)point;
    m_pressedButton = ButtonOfHit(hitTest);
    if (m_pressedButton >= 0) {
        SetButtonStates(m_pressedButton, kPressed);
        PaintFrame();
        return; // the button acts on its release
    }
    PaintFrame();
    Default(); // the system moves or sizes the window
}

void CCaptionDlg::OnNcLButtonUp(UINT hitTest, CPoint point)
{
    (void)point;
    const int button = ButtonOfHit(hitTest);
    // Only the release over the button the press began on acts.
    const bool acts = button >= 0 && button == m_pressedButton;
    m_pressedButton = -1;
    SetButtonStates(-1, kNormal);
    if (acts) {
        ActOnButton(button);
        if (!::IsWindow(m_hWnd))
            return;
    }
    PaintFrame();
    Default();
}

void CCaptionDlg::ActOnButton(int button)
{
    switch (button) {
    case kMinimize:
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
        break;
    case kMaximize:
        SendMessage(WM_SYSCOMMAND, m_maximized ? SC_RESTORE : SC_MAXIMIZE);
        break;
    case kClose:
        SendMessage(WM_CLOSE);
        break;
    default:
        break;
    }
}

void CCaptionDlg::OnLButtonDown(UINT flags, CPoint point)
{
    (void)flags;
    m_pressedButton = -1;
    SetCapture();
    m_dragStart = point;
    m_dragging = TRUE;
}

void CCaptionDlg::OnMouseMove(UINT flags, CPoint point)
{
    (void)flags;
    if (!m_dragging || m_maximized)
        return;
    CRect window;
    GetWindowRect(&window);
    const CSize offset = point - m_dragStart;
    if (offset.cx == 0 && offset.cy == 0)
        return;
    SetWindowPos(NULL, window.left + offset.cx, window.top + offset.cy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCaptionDlg::OnLButtonUp(UINT flags, CPoint point)
{
    (void)flags;
    (void)point;
    m_pressedButton = -1;
    if (!m_dragging)
        return;
    m_dragging = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CCaptionDlg::OnCaptureChanged(CWnd* other)
{
    (void)other;
    m_dragging = FALSE;
}

// --- painting --------------------------------------------------------------------

void CCaptionDlg::TileBitmap(CDC& dc, CBitmap& bitmap, const CRect& area)
{
    const CSize size = bitmap.GetSize();
    if (bitmap.m_hObject == NULL || size.cx <= 0 || size.cy <= 0 || area.Width() <= 0 || area.Height() <= 0)
        return;
    // Copies side by side off screen, then one copy to the frame.
    CDC memory;
    CBitmap picture;
    if (!memory.CreateCompatibleDC(&dc) || !picture.CreateCompatibleBitmap(&dc, area.Width(), area.Height()))
        return;
    CDCSelect select(memory, picture);
    const int across = (area.Width() + size.cx) / size.cx;
    const int down = (area.Height() + size.cy) / size.cy;
    const CRect whole(CPoint(0, 0), size);
    for (int row = 0; row < down; ++row) {
        for (int column = 0; column < across; ++column)
            CDrawBmpHelper::DrawBitmapPart(&memory, column * size.cx, row * size.cy, whole, &bitmap);
    }
    dc.BitBlt(area.left, area.top, area.Width(), area.Height(), &memory, 0, 0, SRCCOPY);
}

void CCaptionDlg::PaintFrame()
{
    if (m_hWnd == NULL || !IsWindowVisible() || IsZoomed())
        return;
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    TileBitmap(dc, m_borderLeft, AreaRect(kLeftBorder, window));
    TileBitmap(dc, m_borderRight, AreaRect(kRightBorder, window));
    TileBitmap(dc, m_borderBottom, AreaRect(kBottomBorder, window));
    if (m_captionLeft.m_hObject == NULL)
        return; // no caption at all, buttons included
    const CaptionParts parts = SplitCaption(AreaRect(kCaption, window));
    if (parts.middle.Width() > 0) {
        TileBitmap(dc, m_captionMiddle, parts.middle);
        CDrawBmpHelper::DrawBitmap(&dc, parts.left, &m_captionLeft);
        CDrawBmpHelper::DrawBitmap(&dc, parts.right, &m_captionRight);
    }
    for (int b = 0; b < kButtonCount; ++b)
        CDrawBmpHelper::DrawBitmap(&dc, ButtonRect(b, parts.right), &m_buttonBitmaps[b][m_buttonState[b]]);
}

void CCaptionDlg::OnNcPaint()
{
    PaintFrame();
}

void CCaptionDlg::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    paint.FillSolidRect(&client, RGB(0, 0, 0));
    PaintFrame();
}

BOOL CCaptionDlg::OnEraseBkgnd(CDC* dc)
{
    (void)dc;
    return TRUE; // painting fills the whole inner area
}

BOOL CCaptionDlg::OnNcActivate(BOOL active)
{
    PaintFrame();
    return active ? FALSE : TRUE;
}

LRESULT CCaptionDlg::OnSetText(WPARAM wParam, LPARAM lParam)
{
    // The system redraws its own caption when the title changes.
    LRESULT result = Default();
    (void)wParam;
    (void)lParam;
    PaintFrame();
    return result;
}
