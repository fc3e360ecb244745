// Input for the program tests as a person gives it: keys and clicks through
// the system's input queue, and clicks through the X server itself (where
// a window manager, the X server and Wine together decide which window
// gets them, and SendInput would go round all three). Test thread only.
#pragma once
#include "platform/mfc/AfxWin.h"

#include <functional>
#include <string>

// Runs the thread's messages as the program's loops do, each through the
// windows' pre-translation first (which turns typed keys into the panel's
// hot keys), until `done` says so or `timeoutMs` has passed.
bool PumpProgramUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpProgram(DWORD ms);

// A window's client area and whole rectangle on the screen.
CRect ClientOnScreen(HWND window);
CRect WindowRect(HWND window);

// A double click of the left button at `at` (screen coordinates), as the
// mouse makes it.
void DoubleClickAt(CPoint at);
// A key pressed and released on the keyboard, with Ctrl held when asked:
// it goes to whichever window has the focus.
void TypeKey(WORD vk, bool ctrl = false);

// Clicks as the X server delivers them, by xdotool (run through Wine's
// start /unix). False when xdotool is not installed.
bool XInputAvailable();
// `button` 1 is the left button, 3 the right; `count` 2 makes a double
// click. Returns once xdotool has sent the events; false when it failed.
bool XClickAt(CPoint at, int button = 1, int count = 1);
