#include "skin/MenuTheme.h"

#include "skin/MenuColors.h"
#include "skin/MenuHookData.h"
#include "skin/MenuSystem.h"
#include "skin/NewMenu.h"
#include "skin/NewMenuHook.h"
#include "skin/NewMenuIcons.h"

#include <algorithm>

namespace {

CMenuTheme* g_global = NULL;

const int kTitleFontHeight = 16;
const int kTabExtra = 15;

CNewMenuItemData& ItemOf(const DRAWITEMSTRUCT& dis)
{
    return *(CNewMenuItemData*)dis.itemData;
}

// Width and height of one item as both looks measure it.
CSize MeasureText(CNewMenu& menu, const CNewMenuItemData& item, BOOL menuBar, int extraHeight)
{
    CFont font;
    CMenuTheme::CreateMenuFont(font, (item.m_nFlags & MF_BOLD_TEXT) != 0);
    CClientDC dc(NULL);
    CDCSelect keep(dc, font);
    CString text = CMenuTheme::VisibleText(item.GetLabel());
    CString shortcut = item.GetShortcut();
    if (!shortcut.IsEmpty())
        text += CString(" ") + shortcut;
    CSize extent = dc.GetTextExtent(text.IsEmpty() ? CString(" ") : text);
    CSize icon = menu.GetIconSize();
    int width = menuBar ? extent.cx : extent.cx + 2 * icon.cx + 2;
    if (item.m_szMenuText.Find('\t') >= 0)
        width += kTabExtra;
    int height = std::max(::GetSystemMetrics(SM_CYMENU), (int)icon.cy + extraHeight);
    return CSize(width, height);
}

} // namespace

CMenuTheme::CMenuTheme(UINT id, MeasureFn measure, DrawFn draw, DrawFn drawTitle, DWORD flags)
    : m_nId(id), m_dwFlags(flags), m_pMeasureItem(measure), m_pDrawItem(draw), m_pDrawTitle(drawTitle)
{
    // With the system's shadow the frame is thin all round; without it the
    // right and bottom keep room for ours.
    if (CMenuSystem::State().dropShadow)
        m_BorderInsets.SetRect(2, 2, 2, 2);
    else
        m_BorderInsets.SetRect(2, 2, 5, 6);
}

CMenuTheme::~CMenuTheme()
{
    if (g_global == this)
        g_global = NULL;
}

CMenuTheme* CMenuTheme::Global()
{
    return g_global;
}

void CMenuTheme::SetGlobal(CMenuTheme* theme)
{
    g_global = theme;
}

BOOL CMenuTheme::OwnsBorder(HWND hWnd) const
{
    return DoDrawBorder() && CNewMenuHook::FindHookData(hWnd) != NULL;
}

// --- popup windows ------------------------------------------------------------

BOOL CMenuTheme::OnInitWnd(HWND hWnd)
{
    if (!DoDrawBorder())
        return FALSE;
    if (CMenuHookData* data = CNewMenuHook::FindHookData(hWnd))
        data->m_dwFlags |= CMenuHookData::kStylesChanged;
    DWORD style = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
    DWORD exStyle = (DWORD)::GetWindowLongA(hWnd, GWL_EXSTYLE);
    ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)(style & ~WS_BORDER));
    ::SetWindowLongA(hWnd, GWL_EXSTYLE, (LONG)(exStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE)));
    return TRUE;
}

BOOL CMenuTheme::OnUnInitWnd(HWND hWnd)
{
    CMenuHookData* data = CNewMenuHook::FindHookData(hWnd);
    if (data == NULL)
        return FALSE;
    CNewMenu* menu = dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(data->m_hMenu));
    if (menu != NULL)
        menu->OnUnInitPopupMenu(::GetParent(hWnd) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER));
    if (data->m_dwFlags & CMenuHookData::kStylesChanged) {
        DWORD style = data->m_dwStyle;
        if (data->m_dwFlags & CMenuHookData::kTakenOnSize)
            style |= WS_VISIBLE;
        ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)style);
        ::SetWindowLongA(hWnd, GWL_EXSTYLE, (LONG)data->m_dwExStyle);
        data->m_dwFlags &= ~CMenuHookData::kStylesChanged;
    }
    return TRUE;
}

BOOL CMenuTheme::OnDrawBorder(HWND hWnd, HDC hdc)
{
    if (!OwnsBorder(hWnd))
        return FALSE;
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    rect.OffsetRect(-rect.left, -rect.top);
    CTempDC dc(hdc);
    // A raised three-dimensional frame two pixels wide.
    dc.Draw3dRect(&rect, CMenuSystem::Color(COLOR_3DLIGHT), CMenuSystem::Color(COLOR_3DDKSHADOW));
    rect.DeflateRect(1, 1);
    dc.Draw3dRect(&rect, CMenuSystem::Color(COLOR_3DHILIGHT), CMenuSystem::Color(COLOR_3DSHADOW));
    return TRUE;
}

BOOL CMenuTheme::OnEraseBkgnd(HWND hWnd, HDC hdc)
{
    CRect rect;
    ::GetClientRect(hWnd, &rect);
    rect.right -= 2;
    rect.bottom -= 1;
    CTempDC(hdc).FillSolidRect(&rect, CMenuSystem::Color(COLOR_MENU));
    return TRUE;
}

BOOL CMenuTheme::OnNcCalcSize(HWND hWnd, LPRECT rect)
{
    (void)hWnd;
    if (DoDrawBorder() && rect != NULL) {
        rect->left += m_BorderInsets.left;
        rect->top += m_BorderInsets.top;
        rect->right -= m_BorderInsets.right;
        rect->bottom -= m_BorderInsets.bottom;
    }
    return FALSE;
}

BOOL CMenuTheme::OnWindowPosChanging(HWND hWnd, LPWINDOWPOS pos)
{
    (void)hWnd;
    if (!DoDrawBorder() || pos == NULL)
        return FALSE;
    if (!(pos->flags & SWP_NOSIZE)) {
        int change = CMenuSystem::State().dropShadow ? -2 : 2;
        pos->cx += change;
        pos->cy += change;
    }
    if (!(pos->flags & SWP_NOMOVE))
        pos->y -= 1;
    return TRUE;
}

BOOL CMenuTheme::OnCalcFrameRect(HWND hWnd, LPRECT rect)
{
    if (rect == NULL || !::GetWindowRect(hWnd, rect))
        return FALSE;
    if (DoDrawBorder()) {
        int farEdge = CMenuSystem::State().dropShadow ? 3 : 7;
        rect->left += 2;
        rect->top += 2;
        rect->right -= farEdge;
        rect->bottom -= farEdge;
    }
    return TRUE;
}

// --- shared helpers -------------------------------------------------------------

BOOL CMenuTheme::CreateMenuFont(CFont& font, BOOL bold)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTA), &metrics.lfMenuFont);
    }
    if (bold)
        metrics.lfMenuFont.lfWeight = FW_BOLD;
    return font.CreateFontIndirect(&metrics.lfMenuFont);
}

BOOL CMenuTheme::CreateTitleFont(CFont& font, BOOL vertical)
{
    LOGFONTA title = {};
    title.lfHeight = kTitleFontHeight;
    title.lfWeight = FW_BOLD;
    title.lfEscapement = vertical ? 900 : 0;
    title.lfOrientation = title.lfEscapement;
    lstrcpynA(title.lfFaceName, "Arial", LF_FACESIZE);
    return font.CreateFontIndirect(&title);
}

char CMenuTheme::SystemCommandGlyph(UINT_PTR id)
{
    switch (id & ~(UINT_PTR)0xF) {
    case SC_MINIMIZE: return '0';
    case SC_MAXIMIZE: return '1';
    case SC_RESTORE: return '2';
    case SC_CLOSE: return 'r';
    default: return 0;
    }
}

CString CMenuTheme::VisibleText(const CString& text)
{
    CString out;
    for (int i = 0; i < text.GetLength(); ++i) {
        char c = text[i];
        if (c == '&') {
            if (i + 1 < text.GetLength() && text[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += c;
    }
    return out;
}

void CMenuTheme::DrawMarlett(CDC& dc, const CRect& rect, char glyph, COLORREF color, BOOL bold)
{
    CFont font;
    font.CreateFont(rect.Height(), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett");
    CDCSelect keep(dc, font);
    int oldMode = dc.SetBkMode(TRANSPARENT);
    COLORREF oldColor = dc.SetTextColor(color);
    CRect box = rect;
    dc.DrawText(&glyph, 1, &box, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    dc.SetTextColor(oldColor);
    dc.SetBkMode(oldMode);
}

void CMenuTheme::DrawItemText(CDC& dc, const CNewMenuItemData& item, const CRect& rect, COLORREF color,
                              BOOL menuBar, BOOL bold)
{
    CFont font;
    CreateMenuFont(font, bold || (item.m_nFlags & MF_BOLD_TEXT));
    CDCSelect keep(dc, font);
    int oldMode = dc.SetBkMode(TRANSPARENT);
    COLORREF oldColor = dc.SetTextColor(color);
    CRect box = rect;
    if (menuBar) {
        dc.DrawText(item.GetLabel(), &box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    } else {
        dc.DrawText(item.GetLabel(), &box, DT_SINGLELINE | DT_VCENTER);
        CString shortcut = item.GetShortcut();
        if (!shortcut.IsEmpty()) {
            box = rect;
            dc.DrawText(shortcut, &box, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        }
    }
    dc.SetTextColor(oldColor);
    dc.SetBkMode(oldMode);
}

void CMenuTheme::DrawImage(CDC& dc, const CNewMenuItemData& item, int variant, CPoint at)
{
    if (item.m_pMenuIcon == NULL || item.m_nMenuIconOffset < 0)
        return;
    int index = item.m_nMenuIconOffset + variant;
    if (index >= item.m_pMenuIcon->ImageCount())
        index = item.m_nMenuIconOffset;
    ImageList_Draw(item.m_pMenuIcon->m_IconsList, index, dc, at.x, at.y, ILD_TRANSPARENT);
}

void CMenuTheme::DrawImageShape(CDC& dc, const CNewMenuItemData& item, CPoint at, COLORREF color)
{
    if (item.m_pMenuIcon == NULL || item.m_nMenuIconOffset < 0)
        return;
    HICON icon = ImageList_GetIcon(item.m_pMenuIcon->m_IconsList, item.m_nMenuIconOffset, ILD_NORMAL);
    if (icon == NULL)
        return;
    CSize size = item.m_pMenuIcon->ImageSize();
    CBrush brush(color);
    ::DrawStateA(dc, brush, NULL, (LPARAM)icon, 0, at.x, at.y, size.cx, size.cy, DST_ICON | DSS_MONO);
    ::DestroyIcon(icon);
}

// --- measuring --------------------------------------------------------------------

void CMenuTheme::MeasureItemWith(CNewMenu& menu, MEASUREITEMSTRUCT& mis, BOOL menuBar, int extraHeight)
{
    const CNewMenuItemData& item = *(const CNewMenuItemData*)mis.itemData;
    if (item.IsSeparator()) {
        if (!item.IsTitle()) {
            mis.itemWidth = 0;
            mis.itemHeight = 3;
            return;
        }
        BOOL vertical = (item.m_nTitleFlags & MFT_TITLE_VERTICAL) != 0;
        CFont font;
        CreateTitleFont(font, FALSE);
        CClientDC dc(NULL);
        CDCSelect keep(dc, font);
        CSize extent = dc.GetTextExtent(item.m_szMenuText.IsEmpty() ? CString(" ") : item.m_szMenuText);
        int extra = (item.m_nTitleFlags & MFT_TITLE_WIDE) ? 8 : 0;
        if (vertical) {
            mis.itemWidth = (UINT)std::max(0, (int)extent.cy - ::GetSystemMetrics(SM_CXMENUCHECK) + extra);
            mis.itemHeight = 0;
        } else {
            mis.itemWidth = (UINT)extent.cx;
            mis.itemHeight = (UINT)(extent.cy + extra);
        }
        return;
    }
    CSize size = MeasureText(menu, item, menuBar, extraHeight);
    if (item.m_nID >= kSystemCommandFirst && item.m_nID <= kSystemCommandLast && !item.IsPopup()) {
        // As wide as the next command below it, one plain row high.
        int position = -1;
        for (int i = 0; i < menu.GetItemDataCount() && position < 0; ++i)
            if (menu.GetItemData(i) == &item)
                position = i;
        for (int i = position + 1; position >= 0 && i < menu.GetItemDataCount(); ++i) {
            const CNewMenuItemData* next = menu.GetItemData(i);
            if (!next->IsSeparator() && !next->IsPopup()) {
                size.cx = std::max(size.cx, MeasureText(menu, *next, menuBar, extraHeight).cx);
                break;
            }
        }
        size.cy = ::GetSystemMetrics(SM_CYMENU);
    }
    mis.itemWidth = (UINT)size.cx;
    mis.itemHeight = (UINT)size.cy;
}

void CMenuTheme::MeasureClassic(CNewMenu& menu, MEASUREITEMSTRUCT& mis, BOOL menuBar)
{
    MeasureItemWith(menu, mis, menuBar, 4);
}

// --- the classic look -----------------------------------------------------------

CPoint CMenuTheme::ImagePosition(CNewMenu& menu, const CNewMenuItemData& item, const CRect& column)
{
    CSize size = item.m_pMenuIcon ? item.m_pMenuIcon->ImageSize() : menu.GetIconSize();
    CSize icon = menu.GetIconSize();
    int x = column.left + 3 + (size.cx < icon.cx ? (icon.cx - size.cx) / 2 : 0);
    int y = column.top + (column.Height() - size.cy) / 2;
    return CPoint(x, y);
}

void CMenuTheme::DrawClassic(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar)
{
    CNewMenuItemData& item = ItemOf(dis);
    CTempDC dc(dis.hDC);
    CRect rect = dis.rcItem;
    BOOL selected = (dis.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    BOOL grayed = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    BOOL checked = (dis.itemState & ODS_CHECKED) != 0;
    if (item.IsSeparator()) {
        if (item.IsTitle()) {
            menu.ForwardToTheme(dis, menuBar);
            return;
        }
        dc.FillSolidRect(&rect, CMenuSystem::Color(COLOR_MENU));
        CRect line = rect;
        line.top += rect.Height() / 2;
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    CSize icon = menu.GetIconSize();
    CRect well(rect.left, rect.top, menuBar ? rect.left : rect.left + icon.cx + 6, rect.bottom);
    CRect field(well.right, rect.top, rect.right, rect.bottom);
    dc.FillSolidRect(&rect, CMenuSystem::Color(COLOR_MENU));
    if (selected && !grayed)
        dc.FillSolidRect(&field, CMenuSystem::Color(COLOR_HIGHLIGHT));
    if (!menuBar) {
        BOOL hasImage = item.m_pMenuIcon != NULL && item.m_nMenuIconOffset >= 0;
        CRect frame = well;
        frame.DeflateRect(1, 1);
        if (hasImage) {
            if (checked)
                ::DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
            else if (selected && !grayed)
                dc.Draw3dRect(&frame, CMenuSystem::Color(COLOR_3DHILIGHT), CMenuSystem::Color(COLOR_3DSHADOW));
            CPoint at = ImagePosition(menu, item, well);
            if (grayed)
                DrawImageShape(dc, item, at, CMenuSystem::Color(COLOR_3DSHADOW));
            else
                DrawImage(dc, item, 0, at);
        } else if (checked) {
            if (CMenuSystem::State().versionClass >= CMenuSystem::kWin95)
                ::DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
            DrawMarlett(dc, frame, 'b', CMenuSystem::Color(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT),
                        (dis.itemState & ODS_DEFAULT) != 0);
        }
    }
    CRect text = field;
    text.left += menuBar ? 0 : 4;
    text.right -= menuBar ? 0 : kTabExtra;
    BOOL bold = (dis.itemState & ODS_DEFAULT) != 0;
    if (grayed) {
        // Embossed: a highlight one pixel down and right, then grey.
        CRect shifted = text;
        shifted.OffsetRect(1, 1);
        DrawItemText(dc, item, shifted, CMenuSystem::Color(COLOR_3DHILIGHT), menuBar, bold);
        DrawItemText(dc, item, text, CMenuSystem::Color(COLOR_GRAYTEXT), menuBar, bold);
    } else {
        DrawItemText(dc, item, text, CMenuSystem::Color(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT), menuBar, bold);
    }
}

void CMenuTheme::DrawSpecial(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar)
{
    if (!menuBar) {
        DrawClassic(menu, dis, FALSE);
        return;
    }
    CNewMenuItemData& item = ItemOf(dis);
    CTempDC dc(dis.hDC);
    CRect rect = dis.rcItem;
    BOOL selected = (dis.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    BOOL grayed = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    dc.FillSolidRect(&rect, selected ? CMenuSystem::Color(COLOR_HIGHLIGHT) : CNewMenu::GetMenuBkColor());
    int color = grayed ? COLOR_GRAYTEXT : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    DrawItemText(dc, item, rect, CMenuSystem::Color(color), TRUE, (dis.itemState & ODS_DEFAULT) != 0);
}

// --- titled separators ------------------------------------------------------------

void CMenuTheme::FillGradient(CDC& dc, const CRect& rect, COLORREF from, COLORREF to, BOOL vertical)
{
    if (GradientFillFn fill = CMenuSystem::GradientFill()) {
        TRIVERTEX corners[2] = {
            {rect.left, rect.top, (COLOR16)(GetRValue(from) << 8), (COLOR16)(GetGValue(from) << 8),
             (COLOR16)(GetBValue(from) << 8), 0},
            {rect.right, rect.bottom, (COLOR16)(GetRValue(to) << 8), (COLOR16)(GetGValue(to) << 8),
             (COLOR16)(GetBValue(to) << 8), 0}};
        GRADIENT_RECT order = {0, 1};
        if (fill(dc, corners, 2, &order, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H))
            return;
    }
    // Bands 4 pixels wide, each channel interpolated.
    const int band = 4;
    int length = vertical ? rect.Height() : rect.Width();
    for (int at = 0; at < length; at += band) {
        int r = GetRValue(from) + ::MulDiv(GetRValue(to) - GetRValue(from), at, std::max(1, length));
        int g = GetGValue(from) + ::MulDiv(GetGValue(to) - GetGValue(from), at, std::max(1, length));
        int b = GetBValue(from) + ::MulDiv(GetBValue(to) - GetBValue(from), at, std::max(1, length));
        CRect part = rect;
        if (vertical) {
            part.top = rect.top + at;
            part.bottom = std::min((int)rect.bottom, (int)part.top + band);
        } else {
            part.left = rect.left + at;
            part.right = std::min((int)rect.right, (int)part.left + band);
        }
        dc.FillSolidRect(&part, RGB(r, g, b));
    }
}

void CMenuTheme::DrawTitleBand(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar)
{
    (void)menu;
    (void)menuBar;
    CNewMenuItemData& item = ItemOf(dis);
    CTempDC dc(dis.hDC);
    CRect rect = dis.rcItem;
    BOOL vertical = (item.m_nTitleFlags & MFT_TITLE_VERTICAL) != 0;
    if (vertical) {
        // The column runs the menu's whole height.
        CRect client;
        HWND window = ::WindowFromDC(dis.hDC);
        if (window != NULL && ::GetClientRect(window, &client))
            rect.bottom = std::max((int)rect.bottom, (int)client.bottom);
    }
    FillGradient(dc, rect, CMenuSystem::Color(COLOR_ACTIVECAPTION), CMenuSystem::Color(COLOR_GRADIENTACTIVECAPTION),
                 vertical);
    CFont font;
    CreateTitleFont(font, vertical);
    CDCSelect keep(dc, font);
    int oldMode = dc.SetBkMode(TRANSPARENT);
    COLORREF oldColor = dc.SetTextColor(CMenuSystem::Color(COLOR_CAPTIONTEXT));
    if (vertical) {
        dc.TextOut(rect.left + 1, rect.bottom - 4, item.m_szMenuText);
    } else {
        CRect box = rect;
        box.left += 4;
        dc.DrawText(item.m_szMenuText, &box, DT_SINGLELINE | DT_VCENTER);
    }
    dc.SetTextColor(oldColor);
    dc.SetBkMode(oldMode);
}
