// CMenuThemeXP: the flat look the program uses: a tinted image column,
// blended selection, a thin frame and a shadow, with the open menu-bar item
// joined to its popup. UI thread.
#pragma once
#include "skin/MenuTheme.h"

class CMenuHookData;

class CMenuThemeXP : public CMenuTheme
{
public:
    // The XP item operations with the shared titled separator.
    CMenuThemeXP(UINT id, DWORD flags);

    BOOL OnDrawBorder(HWND hWnd, HDC dc) override;
    BOOL OnEraseBkgnd(HWND hWnd, HDC dc) override;

    static void MeasureXP(CNewMenu& menu, MEASUREITEMSTRUCT& mis, BOOL menuBar);
    static void DrawXP(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar);

    // The colours of one drawing: window W, menu M, item field F, image
    // column IC, selection S. F and IC fall back to W and M when the
    // device shows them as one colour.
    struct Colors
    {
        COLORREF window, menu, field, column, selection;
    };
    static Colors ItemColors(HDC dc);
    // The shadow's darkening of the pixel at (x, y) of a strip `length`
    // long, the column or row `k` (1..4) counted inward from the edge.
    static int ShadowAmount(int k, int along, int length, BOOL fadeAtEnd);
    // The 4-pixel shadow right of and below a w x h frame, from the pixels
    // `under` gives (screen pixels; NULL: the menu colour).
    static void DrawOwnShadow(CDC& dc, int width, int height, CDC* under, COLORREF plain);
};
