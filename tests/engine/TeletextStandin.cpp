// Stands in for the outside teletext program in tests: a window with the
// program's title that ends the process when it is closed (or after a
// minute, so a failed test leaves nothing behind).
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER)
        DestroyWindow(window);
    else if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "TeletextStandin";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("TeletextStandin", "PC Text Pro Light Version", WS_OVERLAPPEDWINDOW, 0, 0, 320,
                                240, NULL, NULL, instance, NULL);
    if (!window)
        return 1;
    SetTimer(window, 1, 60000, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
