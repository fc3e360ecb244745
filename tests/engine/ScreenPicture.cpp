#include "ScreenPicture.h"

#include "platform/virtualcard/PictureGenerator.h"

#include <uuids.h>

#include <cstdio>
#include <cstdlib>

namespace {

const char kHostClass[] = "PellamarPreviewHost";

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

PreviewHost::PreviewHost(int left, int top, int width, int height)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = kHostClass;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    RegisterClassA(&wc);
    m_hWnd = CreateWindowExA(WS_EX_TOPMOST, kHostClass, "Preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                             left, top, width, height, NULL, NULL, wc.hInstance, NULL);
    Pump(50);
}

PreviewHost::~PreviewHost()
{
    DestroyWindow(m_hWnd);
}

PreviewHost& SharedPreviewHost()
{
    static PreviewHost* host = new PreviewHost(420, 160, 720, 576);
    return *host;
}

void PreviewHost::Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

Frame CaptureScreen(const RECT& screen)
{
    Frame frame;
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    frame.subtype = MEDIASUBTYPE_RGB24;
    frame.bmi.biSize = sizeof(BITMAPINFOHEADER);
    frame.bmi.biWidth = width;
    frame.bmi.biHeight = -height;
    frame.bmi.biPlanes = 1;
    frame.bmi.biBitCount = 24;
    frame.bmi.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    frame.bytes.resize(stride * height);
    HDC screenDc = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screenDc);
    void* bits = NULL;
    BITMAPINFO info = {};
    info.bmiHeader = frame.bmi;
    HBITMAP dib = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, screenDc, screen.left, screen.top, SRCCOPY);
    SelectObject(memory, old);
    GdiFlush();
    memcpy(frame.bytes.data(), bits, frame.bytes.size());
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(NULL, screenDc);
    return frame;
}

Frame Resample(const Frame& capture, const RECT& whole, const RECT& shown, int width, int height)
{
    Frame frame = capture;
    frame.bmi.biWidth = width;
    frame.bmi.biHeight = -height;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t sourceStride = (static_cast<size_t>(capture.bmi.biWidth) * 3 + 3) & ~static_cast<size_t>(3);
    frame.bytes.assign(stride * height, 0);
    const double scaleX = double(shown.right - shown.left) / width;
    const double scaleY = double(shown.bottom - shown.top) / height;
    for (int y = 0; y < height; ++y) {
        const int sy = int(shown.top + (y + 0.5) * scaleY) - whole.top;
        for (int x = 0; x < width; ++x) {
            const int sx = int(shown.left + (x + 0.5) * scaleX) - whole.left;
            if (sx < 0 || sy < 0 || sx >= capture.bmi.biWidth || sy >= -capture.bmi.biHeight)
                continue;
            memcpy(&frame.bytes[stride * y + x * 3], &capture.bytes[sourceStride * sy + sx * 3], 3);
        }
    }
    return frame;
}

bool SaveBitmap(const Frame& frame, const std::string& path)
{
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof frame.bmi;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(frame.bytes.size());
    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        return false;
    fwrite(&file, sizeof file, 1, out);
    fwrite(&frame.bmi, sizeof frame.bmi, 1, out);
    fwrite(frame.bytes.data(), 1, frame.bytes.size(), out);
    return fclose(out) == 0;
}

namespace {

// Bars are bright; the eighth bar and the window around the picture black.
bool Lit(const Frame& frame, int x, int y)
{
    const size_t stride = (static_cast<size_t>(frame.bmi.biWidth) * 3 + 3) & ~static_cast<size_t>(3);
    const BYTE* p = &frame.bytes[stride * y + x * 3];
    return p[0] > 40 || p[1] > 40 || p[2] > 40;
}

} // namespace

bool LocatePicture(const Frame& capture, int width, int height, RECT* shown)
{
    const int w = capture.bmi.biWidth;
    const int h = -capture.bmi.biHeight;
    const int probeY = h / 20;
    int left = 0;
    while (left < w && !Lit(capture, left, probeY))
        ++left;
    // The seventh change of colour along the row ends the blue bar (the
    // eighth bar is black, or grey when the brightness is raised).
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    const BYTE* row = &capture.bytes[stride * probeY];
    int changes = 0, seventh = -1;
    for (int x = left + 1; x < w && changes < 7; ++x) {
        const BYTE* a = row + (x - 1) * 3;
        const BYTE* b = row + x * 3;
        if (abs(a[0] - b[0]) + abs(a[1] - b[1]) + abs(a[2] - b[2]) > 40) {
            ++changes;
            seventh = x;
            x += 2;  // one edge may take two pixels when scaled
        }
    }
    const int column = left + 3;
    if (changes < 7 || column >= w)
        return false;
    int top = 0;
    while (top < h && !Lit(capture, column, top))
        ++top;
    // The first bar ends where the text band's background begins.
    const BYTE* bar = &capture.bytes[stride * (top + 2) + column * 3];
    int barsBottom = top + 2;
    for (; barsBottom < h; ++barsBottom) {
        const BYTE* p = &capture.bytes[stride * barsBottom + column * 3];
        if (abs(p[0] - bar[0]) + abs(p[1] - bar[1]) + abs(p[2] - bar[2]) > 40)
            break;
    }
    if (barsBottom - top < 8)
        return false;
    shown->left = left;
    shown->top = top;
    shown->right = left + (seventh - left) * 8 / 7;
    shown->bottom = top + (barsBottom - top) * height / virtualcard::BarsHeight(height);
    (void)width;
    return true;
}

bool ReadPicture(HWND window, int width, int height, Frame* picture)
{
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    RECT screen = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    Frame shot = CaptureScreen(screen);
    RECT shown;
    if (!LocatePicture(shot, width, height, &shown))
        return false;
    const RECT whole = {0, 0, client.right, client.bottom};
    *picture = Resample(shot, whole, shown, width, height);
    return true;
}
