#include "app/TVWallWnd.h"

#include "app/MBasicWnd.h"
#include "engine/PathHelpers.h"
#include "engine/TVManager.h"
#include "graph/DebugHelper.h"
#include "graph/WindowMessages.h"
#include "resources/Resource.h"

#include <windowsx.h>

BEGIN_MESSAGE_MAP(CTVWallWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

// The label's distance from the cell's frame.
const int kLabelInsetX = 4;
const int kLabelInsetY = 2;

CRect ScreenRect()
{
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

} // namespace

LRESULT CWallPane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND wall = ::GetWindow(m_hWnd, GW_OWNER);
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::MapWindowPoints(m_hWnd, wall, &point, 1);
        return ::SendMessageA(wall, message, wParam, MAKELPARAM(point.x, point.y));
    }
    case WM_KEYDOWN:
        return ::SendMessageA(wall, message, wParam, lParam);
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

CTVWallWnd::CTVWallWnd(CTVManager& manager)
    : m_manager(manager), m_bRunning(FALSE), m_bTimer(FALSE), m_bNextPageAtWrap(TRUE), m_frameColor(kFrameColor),
      m_currentFrameColor(kCurrentFrameColor), m_labelColor(kLabelColor), m_folder(manager.GetWorkPath())
{
    for (CChannel*& channel : m_shown)
        channel = NULL;
}

CTVWallWnd::~CTVWallWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CTVWallWnd::Create(const CRect& rect, CWnd* parent)
{
    LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS | CS_NOCLOSE, ::LoadCursor(NULL, IDC_ARROW),
                                             static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (!CreateEx(0, windowClass, "TV Wall", WS_POPUP, rect, parent, 0))
        return FALSE;
    LPCSTR paneClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                           static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    if (!m_pane.CreateEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, paneClass, "", WS_POPUP, CRect(0, 0, 1, 1), this, 0)) {
        DestroyWindow();
        return FALSE;
    }
    SplitScreen();
    const CString wall = PathJoin(m_manager.GetWorkPath(), "Wall.bmp");
    if (!(IsFileExist(wall) && LoadDefaultPicture(wall)))
        LoadDefaultPicture(IDB_WALL_DEFAULT);
    // Numbered stills stay out of the program's own folder.
    SetFolder(CWallPage::StillsFolder(m_manager.GetWorkPath()));
    return TRUE;
}

void CTVWallWnd::SplitScreen()
{
    CRect client;
    GetClientRect(&client);
    m_splitter.Split(client, CWallPage::kRows, CWallPage::kColumns, TRUE, TRUE);
}

void CTVWallWnd::SetFolder(LPCSTR path)
{
    if (path == NULL || *path == '\0')
        return;
    m_folder = path;
    if (!IsDirectoryExist(m_folder) && !CreateFolder(m_folder))
        DebugHelper("CTVWallWnd: the stills folder %s cannot be made\n", (LPCSTR)m_folder);
}

BOOL CTVWallWnd::LoadDefaultPicture(LPCSTR file)
{
    return file != NULL && m_defaultPicture.LoadFromFile(file);
}

BOOL CTVWallWnd::LoadDefaultPicture(UINT bitmapId)
{
    m_defaultPicture.DeleteObject();
    return m_defaultPicture.LoadBitmap(bitmapId);
}

BOOL CTVWallWnd::Start()
{
    if (m_hWnd == NULL || m_bRunning)
        return FALSE;
    // Refused by the one rule the page uses: no channel it could show.
    m_page.ResetCursor();
    if (!m_page.LoadPage(m_manager.GetTVTable()))
        return FALSE;
    const CRect screen = ScreenRect();
    SetWindowPos(NULL, screen.left, screen.top, screen.Width(), screen.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    SplitScreen();
    for (int cell = 0; cell < CWallPage::kCells; ++cell)
        m_shown[cell] = NULL;
    m_page.SetCurrent(0);
    m_bRunning = TRUE;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    PlacePane(0);
    m_pane.ShowWindow(SW_SHOWNOACTIVATE);
    ShowCell(0);
    StartTimer();
    return TRUE;
}

void CTVWallWnd::Close()
{
    m_page.ResetCursor();
    StopTimer();
    if (!m_bRunning)
        return;
    m_bRunning = FALSE;
    m_pane.ShowWindow(SW_HIDE);
    ShowWindow(SW_HIDE);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_RELAYOUT, 0, 0);
}

void CTVWallWnd::KeepStill(int cell)
{
    // Only a cell that played since the start has a picture of its own.
    if (m_shown[cell] == NULL)
        return;
    const CString path = CWallPage::StillPath(m_folder, cell);
    if (!m_manager.SaveBmpSnapshot(path))
        return;
    // A still that does not load leaves the cell's earlier picture.
    CSkinBitmap still;
    if (still.LoadFromFile(path)) {
        m_stills[cell].DeleteObject();
        m_stills[cell].Attach(still.Detach());
    }
}

void CTVWallWnd::ShowCell(int index)
{
    CChannel* channel = m_page.GetChannel(index);
    if (channel == NULL)
        return;
    if (m_tuningMute)
        m_tuningMute();
    const int old = m_page.GetCurrent();
    KeepStill(old);
    m_manager.GetTVTable().SetCurrentChannel(channel);
    m_page.SetCurrent(index);
    m_shown[index] = channel;
    PlacePane(index);
    RedrawCell(old);
    RedrawCell(index);
}

void CTVWallWnd::PlacePane(int cell)
{
    CRect rect = VideoRect(cell);
    if (m_pane.m_hWnd == NULL || rect.IsRectEmpty())
        return;
    ClientToScreen(&rect);
    // Cells are all of one size: after the first placing this is a move,
    // which leaves the renderer's drawable as it is.
    m_pane.SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_manager.AdjustVideoRect(CRect(0, 0, rect.Width(), rect.Height()));
}

CRect CTVWallWnd::VideoRect(int cell) const
{
    CRect rect;
    if (!m_splitter.GetCell(cell, rect))
        return CRect();
    rect.DeflateRect(1, 1);
    return rect;
}

BOOL CTVWallWnd::SetPeriod(UINT ms)
{
    if (!m_page.SetPeriod(ms))
        return FALSE;
    if (m_bTimer)
        StartTimer();
    return TRUE;
}

void CTVWallWnd::StartTimer()
{
    if (m_hWnd == NULL)
        return;
    SetTimer(kCycleTimer, m_page.GetPeriod(), NULL);
    m_bTimer = TRUE;
}

void CTVWallWnd::StopTimer()
{
    if (m_hWnd != NULL && m_bTimer)
        KillTimer(kCycleTimer);
    m_bTimer = FALSE;
}

void CTVWallWnd::OnTimer(UINT_PTR id)
{
    if (id != kCycleTimer || !m_bRunning)
        return;
    StopTimer();
    BOOL newPage = FALSE;
    const int next = m_page.NextByTimer(newPage);
    // A table that has lost every channel it could show since the start
    // ends the wall rather than cycling over nothing.
    if (newPage && m_bNextPageAtWrap && !m_page.LoadPage(m_manager.GetTVTable())) {
        Close();
        return;
    }
    ShowCell(next);
    StartTimer();
}

BOOL CTVWallWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->hwnd == m_hWnd) {
        OnKey(static_cast<UINT>(msg->wParam));
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}

void CTVWallWnd::OnKeyDown(UINT key, UINT, UINT)
{
    // A loop that does not pre-translate (a modal box's, a test's) still
    // brings the wall its keys.
    OnKey(key);
}

void CTVWallWnd::OnKey(UINT vk)
{
    if (!m_bRunning)
        return;
    StopTimer();
    int cell = 0;
    switch (m_page.OnKey(vk, cell)) {
    case CWallPage::kKeyClose:
        Close();
        return;
    case CWallPage::kKeyMoved:
        ShowCell(cell);
        break;
    case CWallPage::kKeyIgnored:
        break;
    }
    StartTimer();
}

void CTVWallWnd::ClickCell(CPoint point)
{
    int cell = 0;
    if (!m_bRunning || !m_splitter.HitTest(point, cell))
        return;
    StopTimer();
    ShowCell(cell);
    StartTimer();
}

void CTVWallWnd::OnLButtonDown(UINT, CPoint point)
{
    ClickCell(point);
}

void CTVWallWnd::OnRButtonDown(UINT, CPoint point)
{
    ClickCell(point);
}

void CTVWallWnd::OnLButtonDblClk(UINT, CPoint point)
{
    int cell = 0;
    if (!m_bRunning || !m_splitter.HitTest(point, cell))
        return;
    StopTimer();
    // The cell's channel is the one the video window shows after.
    if (cell != m_page.GetCurrent())
        ShowCell(cell);
    Close();
}

CChannel* CTVWallWnd::GetShownChannel(int cell) const
{
    return cell >= 0 && cell < CWallPage::kCells ? m_shown[cell] : NULL;
}

BOOL CTVWallWnd::HasStill(int cell) const
{
    return cell >= 0 && cell < CWallPage::kCells && m_stills[cell].m_hObject != NULL;
}

// --- drawing ---------------------------------------------------------------------

BOOL CTVWallWnd::OnEraseBkgnd(CDC*)
{
    return TRUE; // the paint covers the whole client area
}

void CTVWallWnd::RedrawCell(int cell)
{
    CRect rect;
    if (m_hWnd != NULL && m_splitter.GetCell(cell, rect))
        InvalidateRect(&rect, FALSE);
}

void CTVWallWnd::DrawCell(CDC* dc, int cell)
{
    CRect rect;
    if (!m_splitter.GetCell(cell, rect))
        return;
    const BOOL current = m_bRunning && cell == m_page.GetCurrent();
    CSkinBitmap& picture = m_stills[cell].m_hObject != NULL ? m_stills[cell] : m_defaultPicture;
    if (!picture.StretchDraw(dc, &rect))
        dc->FillSolidRect(&rect, RGB(0, 0, 0));
    CBrush frame(current ? m_currentFrameColor : m_frameColor);
    dc->FrameRect(&rect, &frame);
    rect.DeflateRect(1, 1);
    const CChannel* channel = m_shown[cell];
    if (channel == NULL)
        return;
    CString label;
    label.Format("%ld.%s", channel->ID, (LPCSTR)channel->Name);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc->SetTextColor(m_labelColor);
    rect.DeflateRect(kLabelInsetX, kLabelInsetY);
    dc->DrawText(label, &rect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    dc->SetTextColor(oldColor);
    dc->SetBkMode(oldMode);
}

void CTVWallWnd::OnPaint()
{
    PaintBuffered(this, [this](CDC* dc) {
        CRect client;
        GetClientRect(&client);
        // The strips the whole cells leave over are white.
        dc->FillSolidRect(&client, RGB(255, 255, 255));
        for (int cell = 0; cell < CWallPage::kCells; ++cell)
            DrawCell(dc, cell);
    });
}
