#include "skin/MenuColors.h"

namespace {

int Clamp(int value)
{
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}

COLORREF Blend(COLORREF a, int partA, COLORREF b, int partB, int whole)
{
    return RGB(Clamp(::MulDiv(GetRValue(a), partA, whole) + ::MulDiv(GetRValue(b), partB, whole)),
               Clamp(::MulDiv(GetGValue(a), partA, whole) + ::MulDiv(GetGValue(b), partB, whole)),
               Clamp(::MulDiv(GetBValue(a), partA, whole) + ::MulDiv(GetBValue(b), partB, whole)));
}

} // namespace

COLORREF MenuDarken(int amount, COLORREF color)
{
    amount = Clamp(amount);
    return RGB(::MulDiv(GetRValue(color), 255 - amount, 255),
               ::MulDiv(GetGValue(color), 255 - amount, 255),
               ::MulDiv(GetBValue(color), 255 - amount, 255));
}

COLORREF MenuLighten(int amount, COLORREF color)
{
    amount = Clamp(amount);
    int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    return RGB(r + ::MulDiv(255 - r, amount, 255), g + ::MulDiv(255 - g, amount, 255),
               b + ::MulDiv(255 - b, amount, 255));
}

COLORREF MenuMix86(COLORREF a, COLORREF b)
{
    return Blend(a, 86, b, 14, 100);
}

COLORREF MenuMix70(COLORREF a, COLORREF b)
{
    return Blend(a, 7, b, 3, 10);
}

COLORREF MenuGrey(COLORREF color)
{
    int mean = (GetRValue(color) + GetGValue(color) + GetBValue(color)) / 3;
    return RGB(mean, mean, mean);
}

COLORREF MenuShadowColor(COLORREF color)
{
    return RGB(::MulDiv(GetRValue(color), 7, 10), ::MulDiv(GetGValue(color), 7, 10),
               Clamp(::MulDiv(GetBValue(color) + 55, 7, 10)));
}
