// The trace reaches a viewer window titled "DebugHelper " on another thread,
// finds a viewer that appears later, and does not wait for ever on a viewer
// whose thread has stopped answering.
#include "graph/DebugHelper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// A top-level viewer window on its own thread. Posting WM_APP makes its
// thread stop answering until Release().
class Viewer
{
public:
    Viewer()
    {
        m_hung = CreateEventA(NULL, TRUE, FALSE, NULL);
        m_release = CreateEventA(NULL, TRUE, FALSE, NULL);
        HANDLE ready = CreateEventA(NULL, TRUE, FALSE, NULL);
        m_thread = std::thread([this, ready] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = &Viewer::Proc;
            wc.hInstance = GetModuleHandleA(NULL);
            wc.lpszClassName = "PellamarTraceViewer";
            RegisterClassA(&wc);
            m_hwnd = CreateWindowExA(0, wc.lpszClassName, "DebugHelper ", WS_OVERLAPPED, 0, 0, 10, 10,
                                     NULL, NULL, wc.hInstance, NULL);
            SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, (LONG_PTR)this);
            SetEvent(ready);
            MSG msg;
            while (GetMessageA(&msg, NULL, 0, 0) > 0)
                DispatchMessageA(&msg);
        });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
    }
    ~Viewer()
    {
        Release();
        PostMessageA(m_hwnd, WM_CLOSE, 0, 0);
        m_thread.join();
        CloseHandle(m_hung);
        CloseHandle(m_release);
    }

    HWND Handle() const { return m_hwnd; }
    // Other test processes running at the same time trace to whichever
    // viewer is open, so the test looks for its own lines among all those
    // the viewer took.
    bool Took(const std::string& line) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return std::find(m_lines.begin(), m_lines.end(), line) != m_lines.end();
    }
    void Hang()
    {
        PostMessageA(m_hwnd, WM_APP, 0, 0);
        WaitForSingleObject(m_hung, 10000);
    }
    void Release() { SetEvent(m_release); }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        Viewer* self = (Viewer*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        if (msg == WM_APP && self) {
            SetEvent(self->m_hung);
            WaitForSingleObject(self->m_release, INFINITE);
            return 0;
        }
        // A viewer lists the lines and keeps its title: passing WM_SETTEXT
        // on would retitle the window with the first line any process
        // traces, and no caller could find it again.
        if (msg == WM_SETTEXT) {
            if (self && lp) {
                std::lock_guard<std::mutex> lock(self->m_mutex);
                self->m_lines.push_back((const char*)lp);
            }
            return TRUE;
        }
        if (msg == WM_CLOSE) {
            DestroyWindow(hwnd);
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }

    HWND m_hwnd = NULL;
    HANDLE m_hung;
    HANDLE m_release;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

} // namespace

TEST(DebugHelper, DeliversToTheViewerWhenOneIsOpen)
{
    EXPECT_FALSE(DebugHelper("nobody listens %d\n", 1));
    {
        Viewer viewer;
        EXPECT_TRUE(DebugHelper("line %d of %s", 5, "trace"));
        EXPECT_TRUE(viewer.Took("line 5 of trace"));

        std::string huge(kDebugLineMax * 3, 'x');
        EXPECT_TRUE(DebugHelper("%s", huge.c_str()));
        EXPECT_TRUE(viewer.Took(std::string(kDebugLineMax - 1, 'x')));
    }
    EXPECT_FALSE(DebugHelper("viewer gone"));
    Viewer again;
    EXPECT_TRUE(DebugHelper("found again"));
    EXPECT_TRUE(again.Took("found again"));
}

TEST(DebugHelper, AHungViewerDoesNotBlockTheCaller)
{
    Viewer viewer;
    viewer.Hang();
    // Returns (FALSE: the line was not taken) instead of waiting for the
    // viewer's thread; no time is asserted, only that it comes back.
    EXPECT_FALSE(DebugHelper("while hung"));
    viewer.Release();
    EXPECT_TRUE(DebugHelper("after"));
}
