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

bool WriteBitmapFile(const std::string& path, HDC dc, HBITMAP bitmap, int width, int height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    int stride = ((width * 3 + 3) / 4) * 4;
    header.biSizeImage = (DWORD)(stride * height);
    std::vector<char> bits(header.biSizeImage);
    if (!::GetDIBits(dc, bitmap, 0, (UINT)height, bits.data(), (BITMAPINFO*)&header, DIB_RGB_COLORS))
        return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    ::WriteFile(h, &file, sizeof(file), &put, NULL);
    ::WriteFile(h, &header, sizeof(header), &put, NULL);
    ::WriteFile(h, bits.data(), header.biSizeImage, &put, NULL);
    ::CloseHandle(h);
    return true;
}

} // namespace

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

void SaveWindowShot(HWND hWnd, const std::string& name)
{
    const char* folder = getenv("PELLAMAR_SHOTS");
    if (folder == NULL || *folder == '\0')
        return;
    RECT r;
    ::GetWindowRect(hWnd, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC window = ::GetWindowDC(hWnd);
    HDC memory = ::CreateCompatibleDC(window);
    HBITMAP bitmap = ::CreateCompatibleBitmap(window, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    WriteBitmapFile(std::string(folder) + "\\" + name + ".bmp", memory, bitmap, width, height);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(hWnd, window);
}
