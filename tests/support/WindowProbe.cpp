#include "tests/support/WindowProbe.h"

#include <cstdlib>
#include <vector>

namespace {

void DispatchQueued()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

BITMAPINFOHEADER BottomUp24(int width, int height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}

bool WriteBitmapFile(const std::string& path, HDC dc, HBITMAP bitmap, int width, int height)
{
    BITMAPINFOHEADER header = BottomUp24(width, height);
    std::vector<char> bits((size_t)((width * 3 + 3) / 4 * 4) * height);
    if (!::GetDIBits(dc, bitmap, 0, (UINT)height, bits.data(), (BITMAPINFO*)&header, DIB_RGB_COLORS))
        return false;
    std::string bytes = BitmapFileBytes(width, height, bits);
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &put, NULL);
    ::CloseHandle(h);
    return put == bytes.size();
}

} // namespace

std::string BitmapFileBytes(int width, int height, const std::vector<char>& bits)
{
    BITMAPINFOHEADER info = BottomUp24(width, height);
    info.biSizeImage = (DWORD)bits.size();
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    return std::string((const char*)&file, sizeof(file)) + std::string((const char*)&info, sizeof(info)) +
           std::string(bits.begin(), bits.end());
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        DispatchQueued();
        if (done())
            return true;
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

COLORREF ClientPixel(HWND hWnd, int x, int y)
{
    HDC dc = ::GetDC(hWnd);
    COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(hWnd, dc);
    return color;
}

COLORREF WindowPixel(HWND hWnd, int x, int y)
{
    HDC dc = ::GetWindowDC(hWnd);
    COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(hWnd, dc);
    return color;
}

namespace {

void SaveShot(HWND hWnd, HWND source, const std::string& name)
{
    const char* folder = getenv("PELLAMAR_SHOTS");
    if (folder == NULL || *folder == '\0')
        return;
    RECT r;
    ::GetWindowRect(hWnd, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    // The whole window's DC, or the screen's at the window's place.
    HDC from = source ? ::GetWindowDC(source) : ::GetDC(NULL);
    const int x = source ? 0 : r.left, y = source ? 0 : r.top;
    HDC memory = ::CreateCompatibleDC(from);
    HBITMAP bitmap = ::CreateCompatibleBitmap(from, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, from, x, y, SRCCOPY);
    ::SelectObject(memory, old);
    WriteBitmapFile(std::string(folder) + "\\" + name + ".bmp", memory, bitmap, width, height);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(source, from);
}

} // namespace

void SaveWindowShot(HWND hWnd, const std::string& name)
{
    SaveShot(hWnd, hWnd, name);
}

void SaveScreenShot(HWND hWnd, const std::string& name)
{
    SaveShot(hWnd, NULL, name);
}
