#include "skin/SplashWnd.h"

namespace {

const UINT_PTR kCloseTimer = 1;
const int kSizeWithoutBitmap = 100;

} // namespace

BEGIN_MESSAGE_MAP(MSplashWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

MSplashWnd::MSplashWnd() : m_timer(0) {}

MSplashWnd::~MSplashWnd()
{
    Close();
}

BOOL MSplashWnd::SetBitmap(UINT id)
{
    m_bitmap.DeleteObject();
    BOOL ok = m_bitmap.LoadBitmap(id);
    FitToBitmap();
    return ok;
}

BOOL MSplashWnd::SetBitmapFile(LPCSTR path)
{
    m_bitmap.DeleteObject();
    BOOL ok = path != NULL && m_bitmap.LoadFromFile(path);
    FitToBitmap();
    return ok;
}

CSize MSplashWnd::WindowSize() const
{
    if (m_bitmap.m_hObject == NULL)
        return CSize(kSizeWithoutBitmap, kSizeWithoutBitmap);
    return m_bitmap.GetSize();
}

void MSplashWnd::FitToBitmap()
{
    if (m_hWnd == NULL)
        return;
    CSize size = WindowSize();
    SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow(GetDesktopWindow());
    Invalidate();
}

void MSplashWnd::Show(CWnd* parent, BOOL timer, UINT milliseconds)
{
    if (m_hWnd != NULL)
        return;
    CSize size = WindowSize();
    LPCSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    if (!CreateEx(0, windowClass, NULL, WS_POPUP | WS_VISIBLE, 0, 0, size.cx, size.cy,
                  parent ? parent->m_hWnd : NULL, NULL))
        return;
    CenterWindow(GetDesktopWindow());
    UpdateWindow();
    if (timer)
        m_timer = SetTimer(kCloseTimer, milliseconds);
}

void MSplashWnd::Close()
{
    if (m_hWnd == NULL)
        return;
    if (m_timer != 0) {
        KillTimer(kCloseTimer);
        m_timer = 0;
    }
    DestroyWindow();
}

void MSplashWnd::OnPaint()
{
    CPaintDC paint(this);
    if (m_bitmap.m_hObject == NULL)
        return;
    CDC memory;
    if (!memory.CreateCompatibleDC(&paint))
        return;
    CSize size = m_bitmap.GetSize();
    CDCSelect select(memory, m_bitmap);
    paint.BitBlt(0, 0, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
}

void MSplashWnd::OnTimer(UINT_PTR id)
{
    if (id == kCloseTimer)
        Close();
}
