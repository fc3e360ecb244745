#include "tests/skin/SkinTestSupport.h"

#include "tests/skin/SkinTestIds.h"
#include "tests/support/WindowProbe.h"

#include <vector>

std::string SolidBitmapFile(int width, int height, COLORREF colour)
{
    int stride = (width * 3 + 3) / 4 * 4;
    std::vector<char> bits((size_t)stride * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            char* p = &bits[(size_t)y * stride + x * 3];
            p[0] = (char)GetBValue(colour);
            p[1] = (char)GetGValue(colour);
            p[2] = (char)GetRValue(colour);
        }
    }
    return BitmapFileBytes(width, height, bits);
}

BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
    ON_WM_HSCROLL()
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CHostWnd::CreateHost(int width, int height)
{
    return CreateEx(0, NULL, "Host", WS_POPUP | WS_VISIBLE, CRect(100, 100, 100 + width, 100 + height), NULL, 0);
}

HWND CHostWnd::AddControl(LPCSTR windowClass, DWORD style, int x, int y, int w, int h, int id)
{
    AfxInitCommonControls();
    return ::CreateWindowExA(0, windowClass, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, m_hWnd,
                             (HMENU)(INT_PTR)id, NULL, NULL);
}

BOOL CHostWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
        ++clicks;
        lastClickedId = LOWORD(wParam);
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CHostWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    ++scrolls;
}

void CHostWnd::OnPaint()
{
    CPaintDC paint(this);
    CBitmap background;
    CDC memory;
    if (!background.LoadBitmap(IDB_SLIDER_BACKGROUND) || !memory.CreateCompatibleDC(&paint))
        return;
    CDCSelect select(memory, background);
    CSize size = background.GetSize();
    paint.BitBlt(0, 0, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
}
