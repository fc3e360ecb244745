#include "app/Osd.h"

namespace {

const COLORREF kDefaultColor = 0x8A0000; // dark blue
const int kDefaultMargin = 5;
const int kDefaultMinFontHeight = 30;
const int kDefaultMaxFontHeight = 55;
const int kDefaultFontHeightPercent = 8;

// Where DrawText puts a text of `size` inside `rect` under `format`.
CRect PlaceText(const CRect& rect, CSize size, UINT format)
{
    int x = rect.left, y = rect.top;
    if (format & DT_CENTER)
        x = rect.left + (rect.Width() - size.cx) / 2;
    else if (format & DT_RIGHT)
        x = rect.right - size.cx;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect.top + (rect.Height() - size.cy) / 2;
        else if (format & DT_BOTTOM)
            y = rect.bottom - size.cy;
    }
    return CRect(x, y, x + size.cx, y + size.cy);
}

// A top-level window that covers the whole work area counts as a
// full-screen window: window managers (and Wine for them) manage it as one
// of the program's main windows, give it the focus when it shows and
// confine the pointer to it. A text over a full-screen picture therefore
// stays a pixel short of the work area's right edge.
void KeepShortOfFullScreen(CRect& area)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &info))
        return;
    const CRect work(info.rcWork);
    if (area.left <= work.left && area.top <= work.top && area.right >= work.right && area.bottom >= work.bottom)
        area.right = work.right - 1;
}

} // namespace

BEGIN_MESSAGE_MAP(COsd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

COsd::COsd()
    : m_format(0),
      m_margins(kDefaultMargin, kDefaultMargin, kDefaultMargin, kDefaultMargin),
      m_color(kDefaultColor),
      m_hideDelay(0),
      m_owner(NULL),
      m_minFontHeight(kDefaultMinFontHeight),
      m_maxFontHeight(kDefaultMaxFontHeight),
      m_fontHeightPercent(kDefaultFontHeightPercent)
{
    ZeroMemory(&m_font, sizeof(m_font));
    m_textBox.SetRectEmpty();
}

BOOL COsd::Create(CWnd* owner)
{
    m_owner = owner;
    // A pop-up owned by the video window. The child bit as well would make
    // no other window of it on Windows, but under Wine such a window is
    // never put on the screen: its text would stay invisible. A text never
    // takes the activation or the keyboard from the window the keys are
    // typed in, whether a window manager runs or not.
    if (!CreateEx(WS_EX_NOACTIVATE, NULL, NULL, WS_POPUP, CRect(0, 0, 0, 0), owner, 0))
        return FALSE;
    HGDIOBJ guiFont = ::GetStockObject(DEFAULT_GUI_FONT);
    if (guiFont == NULL || ::GetObjectA(guiFont, sizeof(m_font), &m_font) != sizeof(m_font)) {
        DestroyWindow();
        return FALSE;
    }
    // Heavy letters: the text is all the window shows of itself.
    m_font.lfWeight = FW_HEAVY;
    // Nothing of the window shows until it has a text's shape.
    CRgn nothing;
    if (nothing.CreateRectRgn(0, 0, 0, 0))
        SetWindowRgn(nothing, FALSE);
    return TRUE;
}

void COsd::SetText(LPCSTR text)
{
    if (m_hWnd == NULL)
        return;
    SetWindowText(text ? text : "");
    if (text == NULL || *text == '\0' || OwnerMinimised())
        return;
    m_textBox.SetRectEmpty();
    CreateShape();
}

void COsd::SetTextId(UINT id)
{
    CString text;
    text.LoadString(id);
    SetText(text);
}

CString COsd::GetText() const
{
    CString text;
    if (m_hWnd != NULL)
        GetWindowText(text);
    return text;
}

void COsd::ShowOsd(BOOL show)
{
    if (m_hWnd == NULL)
        return;
    if (show) {
        ShowWindow(SW_SHOWNA);
        if (m_hideDelay > 0)
            SetTimer(IDT_OSD_HIDE, m_hideDelay);
    } else {
        ShowWindow(SW_HIDE);
        KillTimer(IDT_OSD_HIDE);
    }
}

void COsd::SetHideDelay(UINT milliseconds)
{
    m_hideDelay = milliseconds;
    if (m_hWnd == NULL)
        return;
    if (milliseconds == 0)
        KillTimer(IDT_OSD_HIDE);
    else if (IsWindowVisible())
        SetTimer(IDT_OSD_HIDE, milliseconds);
}

void COsd::Refresh()
{
    if (m_hWnd == NULL || !IsWindowVisible())
        return;
    if (IsIconic() || OwnerMinimised())
        ShowOsd(FALSE);
    else
        SetText(GetText());
}

void COsd::FitToOwner()
{
    if (m_hWnd == NULL || m_owner == NULL || m_owner->m_hWnd == NULL)
        return;
    CRect area;
    m_owner->GetClientRect(&area);
    m_owner->ClientToScreen(&area);
    area.top = area.top + m_coveredTop < area.bottom ? area.top + m_coveredTop : area.bottom;
    KeepShortOfFullScreen(area);
    SetWindowPos(NULL, area.left, area.top, area.Width(), area.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void COsd::SetValue(int percent)
{
    (void)percent;
}

void COsd::RaiseOverOwner(CWnd& owner, COsd* const texts[], int count)
{
    if (owner.m_hWnd == NULL || !owner.IsWindowVisible())
        return;
    auto isText = [&](HWND hWnd) {
        for (int i = 0; i < count; ++i)
            if (texts[i] != NULL && texts[i]->m_hWnd == hWnd)
                return true;
        return false;
    };
    for (HWND above = ::GetWindow(owner, GW_HWNDPREV); above != NULL; above = ::GetWindow(above, GW_HWNDPREV))
        if (::IsWindowVisible(above) && !isText(above))
            return;
    const CWnd* band = (owner.GetExStyle() & WS_EX_TOPMOST) ? &wndTopMost : &wndTop;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    // The system leaves the window that already is the first one where it
    // is, and its X window too: that text goes up once more after the rest.
    COsd* first = NULL;
    for (int i = 0; i < count; ++i) {
        COsd* text = texts[i];
        if (text == NULL || text->m_hWnd == NULL)
            continue;
        if (::GetWindow(*text, GW_HWNDFIRST) == text->m_hWnd)
            first = text;
        else
            text->SetWindowPos(band, 0, 0, 0, 0, flags);
    }
    if (first != NULL)
        first->SetWindowPos(band, 0, 0, 0, 0, flags);
}

void COsd::SetColor(COLORREF color)
{
    m_color = color;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void COsd::SetMargins(int left, int top, int right, int bottom)
{
    m_margins.SetRect(left, top, right, bottom);
}

int COsd::FontHeightFor(int clientHeight) const
{
    int height = clientHeight * m_fontHeightPercent / 100;
    if (height < m_minFontHeight)
        return m_minFontHeight;
    if (height > m_maxFontHeight)
        return m_maxFontHeight;
    return height;
}

BOOL COsd::OwnerMinimised() const
{
    return m_owner != NULL && m_owner->m_hWnd != NULL && m_owner->IsIconic();
}

CString COsd::ShapedText() const
{
    return GetText().Left(kMaxShapedChars);
}

BOOL COsd::BeginShape(CFont& font, CRect& textRect)
{
    FitToOwner();
    CRect client;
    GetClientRect(&client);
    LOGFONTA description = m_font;
    description.lfHeight = FontHeightFor(client.Height());
    if (!font.CreateFontIndirect(&description))
        return FALSE;
    textRect.SetRect(client.left + m_margins.left, client.top + m_margins.top,
                     client.right - m_margins.right, client.bottom - m_margins.bottom);
    return TRUE;
}

// The letters are drawn into a path with a transparent background, so the
// path holds the glyph outlines alone and its region (alternate fill) is the
// letters with their counters open. The line's box is measured apart: it is
// the box the text takes, not just its ink.
BOOL COsd::ShapeText(CFont& font, const CString& text, const CRect& rect, UINT format, CRgn& glyphs,
                     CRect& box)
{
    // An ampersand in a channel name is a letter, not a mnemonic.
    format |= DT_NOPREFIX;
    CClientDC dc(this);
    if (dc.GetSafeHdc() == NULL)
        return FALSE;
    CDCSelect selectFont(dc, font);
    int oldMode = dc.SetBkMode(TRANSPARENT);
    CRect drawn = rect;
    BOOL pathMade = dc.BeginPath();
    dc.DrawText(text, &drawn, format);
    pathMade = dc.EndPath() && pathMade;
    dc.SetBkMode(oldMode);
    if (!pathMade || !glyphs.CreateFromPath(&dc))
        return FALSE;

    // Measured top-left aligned: the alignment would stretch the measure
    // to the rectangle's edge.
    const UINT alignment = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;
    CRect measured = rect;
    dc.DrawText(text, &measured, (format & ~alignment) | DT_CALCRECT);
    box = PlaceText(rect, measured.Size(), format);
    CRect ink;
    if (glyphs.GetRgnBox(&ink) != NULLREGION)
        box.UnionRect(&box, &ink);
    return TRUE;
}

void COsd::ApplyShape(CRgn& region, const CRect& box)
{
    if (SetWindowRgn(region, TRUE) != 0)
        m_textBox = box;
}

void COsd::CreateShape()
{
    CFont font;
    CRect textRect;
    if (!BeginShape(font, textRect))
        return;
    CRgn glyphs;
    CRect box;
    if (!ShapeText(font, ShapedText(), textRect, m_format, glyphs, box))
        return;
    ApplyShape(glyphs, box);
}

void COsd::FillClient(CDC& dc, COLORREF color)
{
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, color);
}

void COsd::OnPaint()
{
    CPaintDC dc(this);
    FillClient(dc, m_color);
}

BOOL COsd::OnEraseBkgnd(CDC* dc)
{
    (void)dc;
    return TRUE;
}

int COsd::OnMouseActivate(CWnd* top, UINT hitTest, UINT message)
{
    (void)top;
    (void)hitTest;
    (void)message;
    // A click on the letters leaves the keyboard where it was.
    return MA_NOACTIVATE;
}

void COsd::OnTimer(UINT_PTR id)
{
    if (id == IDT_OSD_HIDE)
        ShowOsd(FALSE);
    else
        CWnd::OnTimer(id);
}
