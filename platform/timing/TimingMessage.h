// The one window message of the timing library: a scheduled recording
// starts (lParam 0) or stops (lParam 1); wParam the item. Its number is the
// library's own, fixed by the library.
#pragma once
#include <windows.h>

const UINT WM_TIMING_EVENT = 0x4C8;
const LPARAM TIMING_EVENT_START = 0;
const LPARAM TIMING_EVENT_STOP = 1;
