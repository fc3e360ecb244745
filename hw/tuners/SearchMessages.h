// Messages the channel and FM searches post to the tuner's notify window
// (the engine's video window).
#pragma once
#include <windows.h>

// wParam: frequency in kHz; lParam: 1 when a carrier or station was found.
const UINT WM_SEARCH_POINT = 0x3979;
// wParam, lParam: 0. Posted once when a search thread ends.
const UINT WM_SEARCH_END = 0x3980;
