// Puts a trackbar's thumb at a value, also when the value is the position
// the trackbar already had under another range: Wine's trackbar keeps the
// thumb where the old range put it until the position moves (0 in -128..127
// stays at the left end). UI thread.
#pragma once
#include <windows.h>

#include <commctrl.h>

inline void ShowTrackbarPos(HWND slider, int value, int maximum)
{
    const int neighbour = value < maximum ? value + 1 : value - 1;
    ::SendMessageA(slider, TBM_SETPOS, FALSE, neighbour);
    ::SendMessageA(slider, TBM_SETPOS, TRUE, value);
}
