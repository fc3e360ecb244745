// CMenuTheme: how owner-drawn menu items are measured and drawn and how the
// popup menu windows get their border and shadow. The menu hook builds the
// program's themes at start-up and makes one of them the global theme that
// every CNewMenu and the hook call. This base draws the classic look; the
// three item operations are plain functions chosen per theme. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CNewMenu;
class CNewMenuItemData;

class CMenuTheme
{
public:
    typedef void (*MeasureFn)(CNewMenu& menu, MEASUREITEMSTRUCT& mis, BOOL menuBar);
    typedef void (*DrawFn)(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar);

    // Flag bit 0: the theme draws the popup's border and shadow itself.
    enum { kDrawBorder = 0x1 };

    CMenuTheme(UINT id, MeasureFn measure, DrawFn draw, DrawFn drawTitle, DWORD flags);
    virtual ~CMenuTheme();
    CMenuTheme(const CMenuTheme&) = delete;
    CMenuTheme& operator=(const CMenuTheme&) = delete;

    // A popup window taken over by the hook: its border styles go.
    virtual BOOL OnInitWnd(HWND hWnd);
    // Released: its menu's popup closes, the saved styles come back.
    virtual BOOL OnUnInitWnd(HWND hWnd);
    virtual BOOL DoDrawBorder() const { return (m_dwFlags & kDrawBorder) != 0; }
    // The popup's non-client frame in the window DC; TRUE when it painted.
    virtual BOOL OnDrawBorder(HWND hWnd, HDC dc);
    virtual BOOL OnEraseBkgnd(HWND hWnd, HDC dc);
    // The client rectangle of WM_NCCALCSIZE, less the border insets.
    virtual BOOL OnNcCalcSize(HWND hWnd, LPRECT rect);
    virtual BOOL OnWindowPosChanging(HWND hWnd, LPWINDOWPOS pos);
    // The inner frame, window rectangle based (screen coordinates).
    virtual BOOL OnCalcFrameRect(HWND hWnd, LPRECT rect);

    void MeasureItem(CNewMenu& menu, MEASUREITEMSTRUCT& mis, BOOL menuBar) { m_pMeasureItem(menu, mis, menuBar); }
    void DrawItem(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar) { m_pDrawItem(menu, dis, menuBar); }
    void DrawTitle(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar) { m_pDrawTitle(menu, dis, menuBar); }

    // The global theme: NULL until the hook sets one.
    static CMenuTheme* Global();
    static void SetGlobal(CMenuTheme* theme);

    // The shared item operations.
    static void MeasureClassic(CNewMenu& menu, MEASUREITEMSTRUCT& mis, BOOL menuBar);
    static void DrawClassic(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar);
    static void DrawSpecial(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar);
    static void DrawTitleBand(CNewMenu& menu, DRAWITEMSTRUCT& dis, BOOL menuBar);
    // The measure both looks share: the image column adds `extraHeight`.
    static void MeasureItemWith(CNewMenu& menu, MEASUREITEMSTRUCT& mis, BOOL menuBar, int extraHeight);

    // The system's menu font (bold on request) and the titles' font.
    static BOOL CreateMenuFont(CFont& font, BOOL bold);
    static BOOL CreateTitleFont(CFont& font, BOOL vertical);
    // Marlett's glyph of a caption button for a system command, 0 for none.
    static char SystemCommandGlyph(UINT_PTR id);
    // One "Marlett" character centred in `rect`, its height the font's.
    static void DrawMarlett(CDC& dc, const CRect& rect, char glyph, COLORREF color, BOOL bold);
    // The label left and the accelerator right in `rect` (one centred text
    // on a menu bar).
    static void DrawItemText(CDC& dc, const CNewMenuItemData& item, const CRect& rect, COLORREF color,
                             BOOL menuBar, BOOL bold);
    // An item's image `index` (source, or variant +1 / +2) at `at`.
    static void DrawImage(CDC& dc, const CNewMenuItemData& item, int variant, CPoint at);
    // The image's shape in one colour.
    static void DrawImageShape(CDC& dc, const CNewMenuItemData& item, CPoint at, COLORREF color);
    // Where an item's image stands in its image column.
    static CPoint ImagePosition(CNewMenu& menu, const CNewMenuItemData& item, const CRect& column);
    // A two-colour gradient (GradientFill, else 4-pixel bands).
    static void FillGradient(CDC& dc, const CRect& rect, COLORREF from, COLORREF to, BOOL vertical);
    // The item's text without its mnemonic marks, as it is drawn.
    static CString VisibleText(const CString& text);

    UINT m_nId;
    DWORD m_dwFlags;
    MeasureFn m_pMeasureItem;
    DrawFn m_pDrawItem;
    DrawFn m_pDrawTitle;
    CRect m_BorderInsets; // left, top, right, bottom in pixels

protected:
    // The window is one the hook took over and this theme draws borders.
    BOOL OwnsBorder(HWND hWnd) const;
};

// The system command range whose items get caption glyphs and the height
// of a menu row.
const UINT_PTR kSystemCommandFirst = 0xF000;
const UINT_PTR kSystemCommandLast = 0xF150;
