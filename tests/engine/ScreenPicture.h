// What the screen shows of a window: a host window for the preview, the
// screen's pixels over a rectangle, and the virtual card's picture read back
// from them (resampled to the capture size, so its text can be read).
// Test thread only.
#pragma once
#include "tests/platform/virtualcard/PictureReader.h"

#include <windows.h>

#include <string>

// A top-level window, always on top, with a black client area of the given
// size at the given screen position. Destroyed with the object.
class PreviewHost
{
public:
    PreviewHost(int left, int top, int width, int height);
    ~PreviewHost();
    HWND Handle() const { return m_hWnd; }
    // Dispatches this thread's messages for the time given.
    static void Pump(DWORD ms);

private:
    HWND m_hWnd;
};

// The one host window of the test process, 720 x 576 at (420, 160):
// made at the first call and kept (a window that goes waits for the
// display server each time).
PreviewHost& SharedPreviewHost();

// The screen's pixels inside `screen` as a top-down RGB24 frame.
Frame CaptureScreen(const RECT& screen);
// The part `shown` (screen coordinates) of a capture of `whole`, resampled
// to width x height: the picture as the card made it.
Frame Resample(const Frame& capture, const RECT& whole, const RECT& shown, int width, int height);
// Where the card's colour bars picture sits in a capture: its first bar's
// left edge and top, and its width and height from the seven coloured bars
// and the bars' height (the eighth bar is black). FALSE when no bars show.
bool LocatePicture(const Frame& capture, int width, int height, RECT* shown);
// The card's picture of width x height as `window` shows it on the screen:
// its client area captured, the picture located and resampled. FALSE when
// no picture shows.
bool ReadPicture(HWND window, int width, int height, Frame* picture);
// Saves a frame as a bitmap file, for a person to look at.
bool SaveBitmap(const Frame& frame, const std::string& path);
