// Colour arithmetic of the menu drawing on COLORREF values, channel by
// channel, each product through MulDiv as the system rounds it. Any thread.
#pragma once
#include <windows.h>

// Each channel times (255 - amount) / 255; amount 0..255.
COLORREF MenuDarken(int amount, COLORREF color);
// Each channel plus (255 - channel) * amount / 255.
COLORREF MenuLighten(int amount, COLORREF color);
// 86/100 of a plus 14/100 of b.
COLORREF MenuMix86(COLORREF a, COLORREF b);
// 7/10 of a plus 3/10 of b.
COLORREF MenuMix70(COLORREF a, COLORREF b);
// The mean of the three channels in all three.
COLORREF MenuGrey(COLORREF color);
// The fixed darkening of an image's shadow: red and green times 7/10, blue
// plus 55 times 7/10.
COLORREF MenuShadowColor(COLORREF color);
