// The program's trace: each line goes to an outside viewer, a top-level
// window titled "DebugHelper ", when one is open; otherwise nothing happens
// and nothing is formatted. Any thread.
#pragma once
#include <windows.h>

// printf-style; TRUE when the viewer took the line. A line is cut at
// kDebugLineMax bytes. The viewer gets kDebugSendTimeoutMs to take it, and
// none at all when the system deems its thread hung, so a stuck viewer
// cannot hold up a worker thread.
BOOL DebugHelper(LPCSTR format, ...)
#if defined(__GNUC__)
    __attribute__((format(gnu_printf, 1, 2)))
#endif
    ;

const int kDebugLineMax = 2048;
const UINT kDebugSendTimeoutMs = 2000;
