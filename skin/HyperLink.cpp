#include "skin/HyperLink.h"

#include "platform/system/SystemServices.h"

namespace {

struct ShellError
{
    int code;
    const char* text;
};

// What the shell's result codes of 32 and below mean to a user.
constexpr ShellError kShellErrors[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

constexpr COLORREF kUseHighlight = 0xFFFFFFFF;

} // namespace

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CHyperLink::CHyperLink()
    : m_linkColour(RGB(0, 0, 238)), m_visitedColour(RGB(85, 26, 139)), m_hoverColour(RGB(255, 0, 0)),
      m_overLink(FALSE), m_visited(FALSE), m_underline(ulHover), m_adjustToFit(TRUE), m_linkCursor(NULL)
{
}

CHyperLink::~CHyperLink()
{
    if (m_hWnd)
        DestroyWindow();
}

void CHyperLink::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    CString text;
    GetWindowText(text);
    if (m_url.IsEmpty())
        m_url = text;
    if (text.IsEmpty())
        SetWindowText(m_url);

    LOGFONTA font = {};
    HFONT current = GetFont();
    ::GetObjectA(current ? (HGDIOBJ)current : ::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfUnderline = FALSE;
    m_plainFont.CreateFontIndirect(&font);
    font.lfUnderline = TRUE;
    m_underlinedFont.CreateFontIndirect(&font);

    FitToText();
    SetLinkCursor(NULL);
    UseFont(m_underline == ulAlways);

    if (m_toolTip.Create(this)) {
        CRect client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, m_url, &client, 1);
    }
    CStatic::PreSubclassWindow();
}

void CHyperLink::SetURL(LPCSTR url)
{
    m_url = url ? url : "";
    if (!m_hWnd)
        return;
    FitToText();
    if (m_toolTip.m_hWnd)
        m_toolTip.UpdateTipText(m_url, this, 1);
}

void CHyperLink::SetColours(COLORREF link, COLORREF visited, COLORREF hover)
{
    m_linkColour = link;
    m_visitedColour = visited;
    m_hoverColour = hover == kUseHighlight ? ::GetSysColor(COLOR_HIGHLIGHT) : hover;
    if (m_hWnd)
        Invalidate();
}

void CHyperLink::SetVisited(BOOL visited)
{
    m_visited = visited;
    if (m_hWnd)
        Invalidate();
}

void CHyperLink::SetLinkCursor(HCURSOR cursor)
{
    // The system's own hand: no help program to borrow a cursor from.
    m_linkCursor = cursor ? cursor : ::LoadCursor(NULL, IDC_HAND);
}

void CHyperLink::SetUnderline(int mode)
{
    if (mode == m_underline)
        return;
    m_underline = mode;
    if (m_hWnd) {
        UseFont(mode == ulAlways);
        Invalidate();
    }
}

void CHyperLink::UseFont(BOOL underlined)
{
    CFont& font = underlined ? m_underlinedFont : m_plainFont;
    if (m_hWnd && font.m_hObject)
        SetFont(&font, FALSE);
}

void CHyperLink::FitToText()
{
    if (!m_adjustToFit || !m_hWnd)
        return;
    CString text;
    GetWindowText(text);
    CSize extent;
    {
        CClientDC dc(this);
        CDCSelect font(dc, m_plainFont.m_hObject ? (HGDIOBJ)m_plainFont.m_hObject : (HGDIOBJ)GetFont());
        extent = dc.GetTextExtent(text);
    }
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&window);
    const int width = extent.cx + window.Width() - client.Width();
    const int height = extent.cy + window.Height() - client.Height();

    const DWORD style = GetStyle();
    int top = window.top;
    if (style & SS_CENTERIMAGE)
        top = window.top + (window.Height() - height) / 2;
    int left = window.left;
    const DWORD kind = style & SS_TYPEMASK;
    if (kind == SS_CENTER)
        left = window.left + (window.Width() - width) / 2;
    else if (kind == SS_RIGHT)
        left = window.right - width;
    SetWindowPos(NULL, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH CHyperLink::CtlColor(CDC* dc, UINT ctlColor)
{
    (void)ctlColor;
    dc->SetTextColor(m_overLink ? m_hoverColour : m_visited ? m_visitedColour : m_linkColour);
    dc->SetBkMode(TRANSPARENT);
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

BOOL CHyperLink::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
    return TRUE;
}

void CHyperLink::OnMouseMove(UINT flags, CPoint point)
{
    (void)flags;
    (void)point;
    if (m_overLink)
        return;
    m_overLink = TRUE;
    if (m_underline == ulHover)
        UseFont(TRUE);
    Invalidate();
    SetTimer(kHoverTimer, kHoverMs);
}

void CHyperLink::OnTimer(UINT_PTR id)
{
    if (id != kHoverTimer) {
        CStatic::OnTimer(id);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(cursor))
        LeaveLink();
}

void CHyperLink::LeaveLink()
{
    m_overLink = FALSE;
    KillTimer(kHoverTimer);
    if (m_underline != ulAlways)
        UseFont(FALSE);
    CRect client;
    GetClientRect(&client);
    client.bottom += 10;
    InvalidateRect(&client);
}

BOOL CHyperLink::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    (void)wnd;
    (void)hitTest;
    (void)message;
    if (!m_linkCursor)
        return FALSE;
    ::SetCursor(m_linkCursor);
    return TRUE;
}

void CHyperLink::OnClicked()
{
    const int result = (int)(INT_PTR)GotoURL(m_url, SW_SHOW);
    if (result > 32)
        SetVisited(TRUE);
    else
        ReportError(result);
}

HINSTANCE CHyperLink::GotoURL(LPCSTR url, int showCommand)
{
    // Only the shell's own verb: the address is never put into a command
    // line of our making.
    if (!url || !*url)
        return (HINSTANCE)(INT_PTR)ERROR_FILE_NOT_FOUND;
    return SystemServices().Execute(NULL, "open", url, NULL, NULL, showCommand);
}

CString CHyperLink::ErrorText(int code)
{
    for (const ShellError& row : kShellErrors)
        if (row.code == code)
            return row.text;
    CString text;
    text.Format("Unknown Error (%d) occurred.", code);
    return text;
}

void CHyperLink::ReportError(int code)
{
    ::MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(CString("Unable to open hyperlink:\n\n") + ErrorText(code), MB_ICONEXCLAMATION | MB_OK);
}

BOOL CHyperLink::DestroyWindow()
{
    if (m_hWnd)
        KillTimer(kHoverTimer);
    return CStatic::DestroyWindow();
}

void CHyperLink::OnDestroy()
{
    KillTimer(kHoverTimer);
    if (m_toolTip.m_hWnd)
        m_toolTip.DestroyWindow();
    CStatic::OnDestroy();
}

BOOL CHyperLink::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}
