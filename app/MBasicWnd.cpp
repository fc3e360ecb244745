#include "app/MBasicWnd.h"

#include "graph/WindowMessages.h"

#include <cstring>

BEGIN_MESSAGE_MAP(MBasicWnd, CWnd)
    ON_MESSAGE(WM_OSD_KEY, OnOsdKey)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

int RangePercent(int position, int minimum, int maximum)
{
    if (maximum == minimum)
        return 0;
    return (int)(((long long)position - minimum) * 100 / ((long long)maximum - minimum));
}

int SendOsdKey(CWnd* wnd, UINT vk, LPARAM lParam)
{
    if (wnd == NULL || wnd->m_hWnd == NULL)
        return kOsdNotHandled;
    return (int)wnd->SendMessage(WM_OSD_KEY, vk, lParam);
}

void PaintParentUnder(CWnd* wnd, CDC* dc)
{
    HWND parent = ::GetParent(wnd->m_hWnd);
    if (parent == NULL)
        return;
    POINT origin = {0, 0};
    ::MapWindowPoints(wnd->m_hWnd, parent, &origin, 1);
    POINT old;
    ::SetViewportOrgEx(*dc, -origin.x, -origin.y, &old);
    ::SendMessageA(parent, WM_PRINTCLIENT, (WPARAM)dc->m_hDC, PRF_CLIENT);
    ::SetViewportOrgEx(*dc, old.x, old.y, NULL);
}

void PaintBuffered(CWnd* wnd, const std::function<void(CDC*)>& paint)
{
    CPaintDC screen(wnd);
    CRect client;
    wnd->GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CDC memory;
    CBitmap picture;
    if (!memory.CreateCompatibleDC(&screen) || !picture.CreateCompatibleBitmap(&screen, client.Width(), client.Height())) {
        paint(&screen);
        return;
    }
    {
        CDCSelect select(memory, picture);
        paint(&memory);
        screen.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    }
}

void BlitBitmap(CDC* dc, const CBitmap* bitmap, int x, int y, int width, int height)
{
    if (bitmap == NULL || bitmap->m_hObject == NULL)
        return;
    const CSize size = bitmap->GetSize();
    if (width < 0 || width > size.cx)
        width = size.cx;
    if (height < 0 || height > size.cy)
        height = size.cy;
    CDC source;
    if (!source.CreateCompatibleDC(dc))
        return;
    CDCSelect select(source, (HGDIOBJ)bitmap->m_hObject);
    dc->BitBlt(x, y, width, height, &source, 0, 0, SRCCOPY);
}

MBasicWnd::MBasicWnd()
    : m_crText(RGB(0, 0, 0)), m_crHighlight(RGB(0, 255, 0)), m_bHighlight(FALSE), m_nNotifyCode(kNotifyBasic),
      m_nState(0), m_bActive(TRUE), m_bCentred(TRUE)
{
    memset(&m_logFont, 0, sizeof m_logFont);
    m_logFont.lfHeight = 30;
    m_logFont.lfWidth = 15;
    m_logFont.lfWeight = 600;
    m_logFont.lfCharSet = DEFAULT_CHARSET;
    m_logFont.lfQuality = ANTIALIASED_QUALITY;
    strcpy(m_logFont.lfFaceName, "Arial");
}

MBasicWnd::~MBasicWnd()
{
}

int MBasicWnd::OnKey(UINT, LPARAM)
{
    return kOsdNotHandled;
}

int MBasicWnd::SetState(int state)
{
    const int previous = m_nState;
    m_nState = state;
    if (state != previous)
        Redraw();
    return previous;
}

void MBasicWnd::SetText(LPCSTR text)
{
    m_strText = text ? text : "";
    Redraw();
}

BOOL MBasicWnd::Create(const RECT& rect, CWnd* parent, UINT id, LPCSTR text)
{
    m_strText = text ? text : "";
    if (m_font.m_hObject == NULL)
        m_font.CreateFontIndirect(&m_logFont);
    return CWnd::Create(NULL, "", WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void MBasicWnd::SetFontSize(int width, int height)
{
    m_logFont.lfWidth = width;
    m_logFont.lfHeight = height;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
    Redraw();
}

void MBasicWnd::SetHighlightColor(COLORREF color)
{
    m_crHighlight = color;
}

void MBasicWnd::SetTextColor(COLORREF color)
{
    m_crText = color;
}

void MBasicWnd::SetHighlight(BOOL highlight)
{
    highlight = highlight ? TRUE : FALSE;
    if (highlight == m_bHighlight)
        return;
    m_bHighlight = highlight;
    Redraw();
}

void MBasicWnd::Redraw()
{
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void MBasicWnd::DrawTextIn(CDC* dc, const CString& text, const CRect& rect, BOOL centred, COLORREF color)
{
    if (text.IsEmpty())
        return;
    CDCSelect font(*dc, m_font.m_hObject ? (HGDIOBJ)m_font.m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc->SetTextColor(color);
    CRect place = rect;
    UINT format = DT_SINGLELINE | DT_NOPREFIX;
    if (centred)
        format |= DT_CENTER | DT_VCENTER;
    dc->DrawText(text, &place, format);
    dc->SetTextColor(oldColor);
    dc->SetBkMode(oldMode);
}

void MBasicWnd::Draw(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    DrawTextIn(dc, m_strText, client, m_bCentred, CurrentTextColor());
}

LRESULT MBasicWnd::OnOsdKey(WPARAM vk, LPARAM lParam)
{
    if (!m_bActive)
        return kOsdNotHandled;
    return OnKey((UINT)vk, lParam);
}

void MBasicWnd::OnPaint()
{
    PaintBuffered(this, [this](CDC* dc) {
        PaintParentUnder(this, dc);
        Draw(dc);
    });
}

void MBasicWnd::OnLButtonDown(UINT, CPoint)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), m_nNotifyCode), (LPARAM)m_hWnd);
    Default();
}
