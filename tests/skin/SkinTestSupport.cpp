#include "tests/skin/SkinTestSupport.h"

#include "tests/skin/SkinTestIds.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

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

CResourceModuleInUse::CResourceModuleInUse(LPCSTR library)
    : m_library(::LoadLibraryA(library)), m_saved(AfxGetResourceHandle())
{
    if (m_library != NULL)
        AfxSetResourceHandle(m_library);
}

CResourceModuleInUse::~CResourceModuleInUse()
{
    if (m_library != NULL) {
        AfxSetResourceHandle(m_saved);
        ::FreeLibrary(m_library);
    }
}

void ExpectShape(HWND window, std::initializer_list<ShapePoint> points)
{
    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(window, shape)) << "the window has no shape of its own";
    for (const ShapePoint& p : points)
        EXPECT_EQ(p.inside, shape.PtInRegion(p.x, p.y) != FALSE) << p.x << "," << p.y;
}

std::string TestModulePath()
{
    char path[MAX_PATH + 1] = {0};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    return path;
}

COLORREF PatternColour(char letter)
{
    switch (letter) {
    case 'G':
        return RGB(0, 255, 0);
    case 'R':
        return RGB(255, 0, 0);
    case 'B':
        return RGB(0, 0, 255);
    default:
        return RGB(64, 64, 64);
    }
}

std::string PatternBitmapFile(const std::vector<std::string>& rows)
{
    const int height = (int)rows.size();
    const int width = height ? (int)rows[0].size() : 0;
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<char> bits((size_t)stride * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = PatternColour(rows[y][x]);
            char* p = &bits[(size_t)(height - 1 - y) * stride + x * 3];
            p[0] = (char)GetBValue(c);
            p[1] = (char)GetGValue(c);
            p[2] = (char)GetRValue(c);
        }
    }
    return BitmapFileBytes(width, height, bits);
}

HBITMAP PatternBitmap(const std::vector<std::string>& rows)
{
    const int height = (int)rows.size();
    const int width = height ? (int)rows[0].size() : 0;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HBITMAP bitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    DWORD* pixels = (DWORD*)bits;
    for (int y = 0; bitmap && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = PatternColour(rows[y][x]);
            pixels[y * width + x] = ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
        }
    }
    return bitmap;
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
