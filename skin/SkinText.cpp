#include "skin/SkinText.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CSkinText, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CSkinText::CSkinText()
    : m_x(0), m_y(0), m_width(0), m_height(0), m_backColour(::GetSysColor(COLOR_WINDOW)), m_backStyle(kNone),
      m_textColour(::GetSysColor(COLOR_WINDOWTEXT))
{
}

void CSkinText::GetLogFont(LOGFONTA& font) const
{
    memset(&font, 0, sizeof(font));
    if (m_font.m_hObject == NULL || !m_font.GetLogFont(&font))
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
}

template <class Change> void CSkinText::ChangeFont(Change change)
{
    LOGFONTA font;
    GetLogFont(font);
    change(font);
    CFont replaced;
    if (replaced.CreateFontIndirect(&font))
        m_font.Attach(replaced.Detach());
}

void CSkinText::SetFontSize(int width, int height)
{
    ChangeFont([&](LOGFONTA& font) {
        font.lfWidth = width;
        font.lfHeight = height;
    });
}

void CSkinText::SetFontCharset(BYTE charset)
{
    ChangeFont([&](LOGFONTA& font) { font.lfCharSet = charset; });
}

void CSkinText::SetFontFaceName(LPCSTR name)
{
    ChangeFont([&](LOGFONTA& font) { lstrcpynA(font.lfFaceName, name ? name : "", LF_FACESIZE); });
}

void CSkinText::SetFontItalic(BOOL italic)
{
    ChangeFont([&](LOGFONTA& font) { font.lfItalic = italic ? TRUE : FALSE; });
}

void CSkinText::SetText(LPCSTR text)
{
    m_text = text ? text : "";
    if (m_hWnd != NULL)
        ShowText();
}

void CSkinText::ShowText()
{
    if (m_backStyle == kColour || m_backStyle == kBitmap) {
        Invalidate(TRUE);
        return;
    }
    // Without a background of its own the old text is only gone once the
    // parent has painted its background under the field again.
    HWND parent = ::GetParent(m_hWnd);
    CRect area;
    GetWindowRect(&area);
    if (parent != NULL) {
        ::MapWindowPoints(NULL, parent, (LPPOINT)&area, 2);
        ::RedrawWindow(parent, &area, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    } else {
        Invalidate(TRUE);
    }
}

void CSkinText::SetBackColor(COLORREF colour)
{
    m_backColour = colour;
    m_backStyle = kColour;
}

BOOL CSkinText::LoadBackground(UINT id)
{
    return LoadBackground(CSkinPicture(id));
}

BOOL CSkinText::LoadBackground(LPCSTR path)
{
    return LoadBackground(CSkinPicture(path));
}

BOOL CSkinText::LoadBackground(const CSkinPicture& picture)
{
    m_backStyle = kBitmap;
    if (!picture.LoadInto(m_background))
        return FALSE;
    CSize size = m_background.GetSize();
    SetSize(size.cx, size.cy);
    return TRUE;
}

void CSkinText::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

void CSkinText::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
}

void CSkinText::PreSubclassWindow()
{
    SetWindowText(m_text);
    SetWindowPos(NULL, m_x, m_y, m_width, m_height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowText();
    CStatic::PreSubclassWindow();
}

void CSkinText::Draw(CDC* dc)
{
    if (dc == NULL)
        return;
    CRect client;
    GetClientRect(&client);
    if (m_backStyle == kColour)
        dc->FillSolidRect(&client, m_backColour);
    else if (m_backStyle == kBitmap)
        m_background.Draw(dc, client);
    HGDIOBJ font = m_font.m_hObject ? m_font.m_hObject : ::GetStockObject(DEFAULT_GUI_FONT);
    CDCSelect select(*dc, font);
    int oldMode = dc->SetBkMode(TRANSPARENT);
    COLORREF oldColour = dc->SetTextColor(m_textColour);
    CRect measured = client;
    dc->DrawText(m_text, &measured, DT_CALCRECT | DT_NOPREFIX);
    CRect text = client;
    if (measured.Height() < client.Height())
        ::InflateRect(&text, 0, -(client.Height() - measured.Height()) / 2);
    dc->DrawText(m_text, &text, DT_LEFT | DT_TOP | DT_NOPREFIX);
    dc->SetTextColor(oldColour);
    dc->SetBkMode(oldMode);
}

void CSkinText::OnPaint()
{
    CPaintDC paint(this);
    Draw(&paint);
}

BOOL CSkinText::OnEraseBkgnd(CDC* dc)
{
    if (m_backStyle == kColour || m_backStyle == kBitmap)
        return TRUE; // painting covers the whole field
    (void)dc;
    return (BOOL)Default();
}

LRESULT CSkinText::OnSetText(WPARAM wParam, LPARAM lParam)
{
    // The window keeps the text for GetWindowText; the static's own
    // handling would also paint it at once in the system's colours.
    LRESULT result = ::DefWindowProcA(m_hWnd, WM_SETTEXT, wParam, lParam);
    m_text = lParam ? (LPCSTR)lParam : "";
    ShowText();
    return result;
}
