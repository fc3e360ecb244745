#include "tests/support/MessageWindow.h"

namespace {
const char kClassName[] = "PellamarTestMessageWindow";
}

MessageWindow::MessageWindow() : m_hWnd(NULL)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &MessageWindow::WindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);  // fails harmlessly when already registered
    m_hWnd = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                             wc.hInstance, NULL);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageWindow::~MessageWindow()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

LRESULT CALLBACK MessageWindow::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (self && msg >= WM_USER)
        self->m_messages.push_back({ msg, wParam, lParam });
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

void MessageWindow::Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool MessageWindow::WaitFor(UINT message, DWORD timeoutMs, size_t count)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        Pump();
        if (CountOf(message) >= count)
            return true;
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

std::vector<PostedMessage> MessageWindow::MessagesOf(UINT message) const
{
    std::vector<PostedMessage> result;
    for (const PostedMessage& m : m_messages)
        if (m.message == message)
            result.push_back(m);
    return result;
}

size_t MessageWindow::CountOf(UINT message) const
{
    size_t n = 0;
    for (const PostedMessage& m : m_messages)
        n += m.message == message;
    return n;
}
