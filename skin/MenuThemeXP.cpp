#include "skin/MenuThemeXP.h"

#include "skin/MenuColors.h"
#include "skin/MenuSystem.h"
#include "skin/NewMenu.h"
#include "skin/NewMenuHook.h"
#include "skin/NewMenuIcons.h"

#include <algorithm>

namespace {

const int kShadow = 4;     // pixels of shadow right and below
const int kColumnExtra = 8; // image column: image width + 8
const int kTextGap = 4;    // text starts this farEdge right of the column
const int kTextEnd = 15;   // and ends this farEdge before the right edge

CNewMenuItemData& ItemOf(const DRAWITEMSTRUCT& dis)
{
    return *(CNewMenuItemData*)dis.itemData;
}

void Outline(CDC& dc, const CRect& rect, COLORREF color)
{
    CPen pen(PS_SOLID, 1, color);
    CDCSelect keepPen(dc, pen);
    CDCSelect keepBrush(dc, ::GetStockObject(HOLLOW_BRUSH));
    dc.Rectangle(&rect);
}

// A checked item's mark: the image area filled and outlined, then the tick.
void DrawCheckBox(CDC& dc, const CRect& box, COLORREF row)
{
    CRect area = box;
    area.DeflateRect(1, 1);
    dc.FillSolidRect(&area, MenuMix86(row, CMenuSystem::Color(COLOR_HIGHLIGHT)));
    Outline(dc, area, CMenuSystem::Color(COLOR_HIGHLIGHT));
}

} // namespace

CMenuThemeXP::CMenuThemeXP(UINT id, DWORD flags) : CMenuTheme(id, &MeasureXP, &DrawXP, &DrawTitleBand, flags)
{
}

CMenuThemeXP::Colors CMenuThemeXP::ItemColors(HDC dc)
{
    Colors c;
    c.window = CMenuSystem::Color(COLOR_WINDOW);
    c.menu = CNewMenu::GetMenuBkColor();
    c.field = MenuMix86(c.window, c.menu);
    c.column = MenuMix86(c.menu, c.window);
    c.selection = MenuMix70(c.window, CMenuSystem::Color(COLOR_HIGHLIGHT));
    if (dc != NULL && ::GetNearestColor(dc, c.field) == ::GetNearestColor(dc, c.column)) {
        c.field = c.window;
        c.column = c.menu;
    }
    return c;
}

void CMenuThemeXP::MeasureXP(CNewMenu& menu, MEASUREITEMSTRUCT& mis, BOOL menuBar)
{
    MeasureItemWith(menu, mis, menuBar, 8);
}

int CMenuThemeXP::ShadowAmount(int k, int along, int length, BOOL fadeAtEnd)
{
    if (along < 4)
        return 0;
    if (along < 8)
        return 6 * k * (along - 3);
    if (fadeAtEnd && along >= length - 4)
        return 6 * k * (length - along);
    return 30 * k;
}

void CMenuThemeXP::DrawOwnShadow(CDC& dc, int width, int height, CDC* under, COLORREF plain)
{
    auto source = [&](int x, int y) { return under ? under->GetPixel(x, y) : plain; };
    for (int k = 1; k <= kShadow; ++k) {
        int x = width - k;
        for (int y = 0; y < height; ++y) {
            int amount = ShadowAmount(k, y, height, TRUE);
            dc.SetPixel(x, y, amount ? MenuDarken(amount, source(x, y)) : source(x, y));
        }
        int y = height - k;
        for (int x2 = 0; x2 < width - kShadow; ++x2) {
            int amount = ShadowAmount(k, x2, width, FALSE);
            dc.SetPixel(x2, y, amount ? MenuDarken(amount, source(x2, y)) : source(x2, y));
        }
    }
}

// --- items ------------------------------------------------------------------------

void CMenuThemeXP::DrawXP(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar)
{
    CNewMenuItemData& item = ItemOf(dis);
    CTempDC dc(dis.hDC);
    const CRect rect = dis.rcItem;
    Colors c = ItemColors(dis.hDC);
    UINT state = dis.itemState;
    BOOL hot = (state & ODS_HOTLIGHT) != 0;
    BOOL inactive = (state & ODS_INACTIVE) != 0;
    BOOL grayed = (state & (ODS_GRAYED | ODS_DISABLED)) != 0;
    BOOL checked = (state & ODS_CHECKED) != 0;
    BOOL bold = (state & ODS_DEFAULT) != 0;
    CSize icon = menu.GetIconSize();

    CRect frame = rect;
    CRect text = rect;
    CRect column(rect.left, rect.top, rect.left, rect.bottom);
    COLORREF field = c.field;
    COLORREF selectionFill = c.selection;
    BOOL openBarItem = FALSE;
    if (menuBar) {
        // While no popup of the bar is open a selected item is only hot.
        if (menu.m_dwOpenMenu == 0 && (state & ODS_SELECTED))
            hot = TRUE;
        field = c.menu;
        if (!hot)
            selectionFill = c.column;
        frame.right -= kShadow;
        openBarItem = (state & ODS_SELECTED) && !hot && !inactive;
        dc.FillSolidRect(&rect, field);
    } else {
        column.right = rect.left + icon.cx + kColumnExtra;
        dc.FillSolidRect(&column, c.column);
        CRect rest(column.right, rect.top, rect.right, rect.bottom);
        dc.FillSolidRect(&rest, field);
        text.left = column.right + kTextGap;
        text.right = rect.right - kTextEnd;
    }
    BOOL selected = (state & ODS_SELECTED) || hot || inactive;
    if (menuBar && selected && !inactive) {
        // Remembered in screen coordinates for the popup's joining edge.
        HWND window = ::WindowFromDC(dis.hDC);
        CRect screen = frame;
        CRect windowRect;
        if (window != NULL && ::GetWindowRect(window, &windowRect))
            screen.OffsetRect(windowRect.left, windowRect.top);
        menu.m_LastActiveMenuRect = screen;
    }
    if (openBarItem) {
        CRect strip(frame.right, rect.top, rect.right, rect.bottom);
        for (int k = 1; k <= kShadow; ++k) {
            int x = frame.right + kShadow - k;
            for (int y = rect.top; y < rect.bottom; ++y) {
                int amount = ShadowAmount(k, y - rect.top, rect.Height(), FALSE);
                dc.SetPixel(x, y, amount ? MenuDarken(amount, c.menu) : c.menu);
            }
        }
        (void)strip;
    }

    if (item.IsSeparator()) {
        if (item.IsTitle()) {
            menu.ForwardToTheme(dis, menuBar);
            return;
        }
        CPen pen(PS_SOLID, 1, CMenuSystem::Color(COLOR_GRAYTEXT));
        CDCSelect keep(dc, pen);
        int y = rect.top + rect.Height() / 2;
        dc.MoveTo(text.left, y);
        dc.LineTo(rect.right, y);
        return;
    }

    COLORREF row = menuBar ? field : c.column;
    if (selected && !inactive) {
        if (!grayed || CMenuSystem::SelectDisabled()) {
            dc.FillSolidRect(&frame, selectionFill);
            Outline(dc, frame, CMenuSystem::Color(COLOR_HIGHLIGHT));
            row = selectionFill;
        } else {
            // A disabled item reached with the keys still shows where it is.
            CPoint mouse(::GetMessagePos());
            if (mouse == CNewMenuHook::LastMenuKeyPosition())
                Outline(dc, frame, CMenuSystem::Color(COLOR_HIGHLIGHT));
            selected = FALSE;
        }
    } else {
        selected = FALSE;
    }

    COLORREF ink = CMenuSystem::Color(grayed || (menuBar && inactive) ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
    DrawItemText(dc, item, text, ink, menuBar, bold);
    if (menuBar)
        return;

    BOOL hasImage = item.m_pMenuIcon != NULL && item.m_nMenuIconOffset >= 0;
    if (hasImage) {
        CPoint at = ImagePosition(menu, item, column);
        CSize size = item.m_pMenuIcon->ImageSize();
        if (checked)
            DrawCheckBox(dc, CRect(at.x - 1, at.y - 1, at.x + size.cx + 1, at.y + size.cy + 1), row);
        if (CMenuSystem::DrawVariants()) {
            if (grayed) {
                DrawImage(dc, item, 2, at);
            } else if (selected) {
                DrawImageShape(dc, item, CPoint(at.x + 1, at.y + 1), MenuShadowColor(row));
                DrawImage(dc, item, 0, CPoint(at.x - 1, at.y - 1));
            } else {
                DrawImage(dc, item, 1, at);
            }
        } else if (grayed) {
            DrawImageShape(dc, item, at, MenuDarken(70, row));
        } else {
            DrawImage(dc, item, 0, at);
        }
        return;
    }

    int side = std::min((int)icon.cx, (int)rect.Height());
    CRect box(column.left + 3, rect.top + (rect.Height() - icon.cy) / 2, column.left + 3 + icon.cx,
              rect.top + (rect.Height() - icon.cy) / 2 + icon.cy);
    if (checked) {
        if (menu.m_pCheckMenuBitmaps != NULL && menu.m_pCheckMenuBitmaps->GetImageCount() >= 2) {
            ImageList_Draw(*menu.m_pCheckMenuBitmaps, selected ? 0 : 1, dc, box.left, box.top, ILD_TRANSPARENT);
            return;
        }
        DrawCheckBox(dc, box, row);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_CHECKMARKS;
        ::GetMenuItemInfoA(menu.m_hMenu, dis.itemID, FALSE, &info);
        char glyph = info.hbmpChecked ? 'i' : 'b';
        CRect square = box;
        square.InflateRect(2, (icon.cy - side) / 2 + 2);
        square.DeflateRect(2, 2);
        DrawMarlett(dc, square, glyph, CMenuSystem::Color(grayed || inactive ? COLOR_GRAYTEXT : COLOR_MENUTEXT), bold);
        return;
    }
    char glyph = item.m_nID >= kSystemCommandFirst && item.m_nID <= kSystemCommandLast ? SystemCommandGlyph(item.m_nID) : 0;
    if (glyph != 0) {
        CRect square(column.left, rect.top + (rect.Height() - column.Width()) / 2, column.right,
                     rect.top + (rect.Height() + column.Width()) / 2);
        square.DeflateRect(4, 4);
        if (grayed || inactive) {
            DrawMarlett(dc, square, glyph, CMenuSystem::Color(COLOR_GRAYTEXT), bold);
        } else if (selected) {
            CRect shadow = square;
            shadow.OffsetRect(1, 1);
            DrawMarlett(dc, shadow, glyph, CMenuSystem::Color(COLOR_GRAYTEXT), bold);
            shadow.OffsetRect(-2, -2);
            DrawMarlett(dc, shadow, glyph, CMenuSystem::Color(COLOR_MENUTEXT), bold);
        } else {
            DrawMarlett(dc, square, glyph, CMenuSystem::Color(COLOR_MENUTEXT), bold);
        }
    }
}

// --- the popup window -----------------------------------------------------------

BOOL CMenuThemeXP::OnEraseBkgnd(HWND hWnd, HDC hdc)
{
    CMenuHookData* data = CNewMenuHook::FindHookData(hWnd);
    if (data == NULL || dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(data->m_hMenu)) == NULL)
        return CMenuTheme::OnEraseBkgnd(hWnd, hdc);
    CRect rect;
    ::GetClientRect(hWnd, &rect);
    rect.right -= 2;
    rect.bottom -= 1;
    CTempDC(hdc).FillSolidRect(&rect, CNewMenu::GetMenuBkColor());
    return TRUE;
}

BOOL CMenuThemeXP::OnDrawBorder(HWND hWnd, HDC hdc)
{
    CMenuHookData* data = CNewMenuHook::FindHookData(hWnd);
    if (!DoDrawBorder() || data == NULL)
        return FALSE;
    CTempDC dc(hdc);
    CRect window;
    ::GetWindowRect(hWnd, &window);
    int w = window.Width(), h = window.Height();
    CRect client;
    ::GetClientRect(hWnd, &client);
    ::MapWindowPoints(hWnd, NULL, (LPPOINT)&client, 2);
    client.OffsetRect(-window.left, -window.top);
    Colors c = ItemColors(hdc);
    COLORREF frameColor = MenuDarken(128, c.menu);
    BOOL systemShadow = CMenuSystem::State().dropShadow;
    int farEdge = systemShadow ? 0 : kShadow;
    CRect inner(1, 1, w - 1 - farEdge, h - 1 - farEdge);
    // The band between the frame and the client area (the right band takes
    // the client's last column too).
    CRect keep = client;
    keep.right -= 1;
    int saved = dc.SaveDC();
    ::ExcludeClipRect(dc, keep.left, keep.top, keep.right, keep.bottom);
    dc.FillSolidRect(&inner, c.column);
    dc.RestoreDC(saved);
    CBrush fieldBrush(c.field);
    dc.FrameRect(&inner, &fieldBrush);
    CRect outer(0, 0, w - farEdge, h - farEdge);
    CBrush frameBrush(frameColor);
    dc.FrameRect(&outer, &frameBrush);
    if (!systemShadow) {
        CDC under;
        CDCSelect* select = NULL;
        if (data->m_ScreenUnder.GetSafeHandle() != NULL && under.CreateCompatibleDC(&dc))
            select = new CDCSelect(under, data->m_ScreenUnder);
        DrawOwnShadow(dc, w, h, select ? &under : NULL, c.menu);
        delete select;
    }
    // Joined to the open menu-bar item it drops from.
    CNewMenu* menu = dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(data->m_hMenu));
    CNewMenu* parent = menu ? menu->GetParentNewMenu() : NULL;
    if (parent != NULL && parent->IsMenuBar()) {
        CRect popup(data->m_Point.x, data->m_Point.y, data->m_Point.x + w - farEdge, data->m_Point.y + h - farEdge);
        CRect overlap;
        if (overlap.IntersectRect(&popup, &parent->m_LastActiveMenuRect)) {
            if (overlap.Width() > overlap.Height())
                overlap.DeflateRect(1, 0);
            else
                overlap.DeflateRect(0, 1);
            overlap.OffsetRect(-data->m_Point.x, -data->m_Point.y);
            dc.FillSolidRect(&overlap, c.menu);
        }
    }
    return TRUE;
}
