#include "graph/DebugHelper.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace {

// The viewer's window, found once and looked up again when it has gone.
// A plain handle that any thread may refresh.
std::atomic<HWND> g_viewer(NULL);

const char kViewerTitle[] = "DebugHelper ";
// "DebugHelper" then, in the GB2312 code page, "the output string's format
// is wrong!".
const char kFormatError[] =
    "DebugHelper\xCA\xE4\xB3\xF6\xD7\xD6\xB7\xFB\xB4\xAE\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3!";

HWND FindViewer()
{
    HWND hwnd = g_viewer.load();
    if (hwnd && ::IsWindow(hwnd))
        return hwnd;
    hwnd = ::FindWindowA(NULL, kViewerTitle);
    g_viewer.store(hwnd);
    return hwnd;
}

} // namespace

BOOL DebugHelper(LPCSTR format, ...)
{
    HWND viewer = FindViewer();
    if (!viewer)
        return FALSE;
    char line[kDebugLineMax];
    va_list args;
    va_start(args, format);
    int n = format ? vsnprintf(line, sizeof line, format, args) : -1;
    va_end(args);
    line[sizeof line - 1] = '\0';
    const char* text = n >= 0 ? line : kFormatError;
    DWORD_PTR result = 0;
    LRESULT sent = ::SendMessageTimeoutA(viewer, WM_SETTEXT, 0, (LPARAM)text,
                                         SMTO_ABORTIFHUNG | SMTO_BLOCK, kDebugSendTimeoutMs, &result);
    return sent != 0;
}
