// Helpers of the window tests: pumping this thread's messages for a while or
// until something happens, reading pixels of a window as it is shown, and
// keeping a screenshot of a window for a person to look at (only when the
// environment variable PELLAMAR_SHOTS names a folder). Test thread.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches this thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);
// Dispatches messages until `done` holds or `timeoutMs` passes; whether it held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// The colour at a client-area point of a shown window (after it has painted).
COLORREF ClientPixel(HWND hWnd, int x, int y);
// The colour at a point of the whole window, frame included.
COLORREF WindowPixel(HWND hWnd, int x, int y);

// A 24-bit ".bmp" file of `bits`: bottom-up rows of blue, green, red
// bytes, each row padded to 4 bytes.
std::string BitmapFileBytes(int width, int height, const std::vector<char>& bits);

// Writes the window as shown to PELLAMAR_SHOTS\<name>.bmp when that variable is set.
void SaveWindowShot(HWND hWnd, const std::string& name);
// The same, taken from the screen: what a person sees where the window is,
// cut to its shape, with whatever lies behind it.
void SaveScreenShot(HWND hWnd, const std::string& name);

// Pixel colours as the tests spell them.
inline COLORREF Rgb(int r, int g, int b) { return RGB(r, g, b); }
