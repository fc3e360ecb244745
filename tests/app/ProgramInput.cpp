#include "tests/app/ProgramInput.h"

#include <algorithm>
#include <cstdio>

namespace {

const char kXdotool[] = "Z:\\usr\\bin\\xdotool";
const DWORD kXdotoolTimeoutMs = 10000;

// Runs xdotool with `arguments` and waits for it; Wine's start.exe turns
// the Unix path into a process of its own.
bool RunXdotool(const std::string& arguments)
{
    std::string command = "start.exe /wait /unix /usr/bin/xdotool " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &startup, &process))
        return false;
    const bool ended = ::WaitForSingleObject(process.hProcess, kXdotoolTimeoutMs) == WAIT_OBJECT_0;
    DWORD code = 1;
    if (ended)
        ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return ended && code == 0;
}

} // namespace

bool PumpProgramUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        if (done())
            return true;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, std::min<DWORD>(timeoutMs - elapsed, 50), QS_ALLINPUT);
    }
}

void PumpProgram(DWORD ms)
{
    PumpProgramUntil([] { return false; }, ms);
}

CRect ClientOnScreen(HWND window)
{
    CRect client;
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, NULL, (POINT*)&client, 2);
    return client;
}

CRect WindowRect(HWND window)
{
    CRect r;
    ::GetWindowRect(window, &r);
    return r;
}

void DoubleClickAt(CPoint at)
{
    ::SetCursorPos(at.x, at.y);
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    ::SendInput(4, clicks, sizeof(INPUT));
}

void TypeKey(WORD vk, bool ctrl)
{
    INPUT input[4] = {};
    UINT count = 0;
    const auto add = [&](WORD key, DWORD flags) {
        input[count].type = INPUT_KEYBOARD;
        input[count].ki.wVk = key;
        input[count].ki.dwFlags = flags;
        ++count;
    };
    if (ctrl)
        add(VK_CONTROL, 0);
    add(vk, 0);
    add(vk, KEYEVENTF_KEYUP);
    if (ctrl)
        add(VK_CONTROL, KEYEVENTF_KEYUP);
    ::SendInput(count, input, sizeof(INPUT));
}

bool XInputAvailable()
{
    return ::GetFileAttributesA(kXdotool) != INVALID_FILE_ATTRIBUTES;
}

bool XClickAt(CPoint at, int button, int count)
{
    char arguments[128];
    snprintf(arguments, sizeof arguments, "mousemove %ld %ld click --repeat %d --delay 80 %d", at.x, at.y,
             count, button);
    return RunXdotool(arguments);
}
