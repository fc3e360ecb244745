// COsd: one on-screen text over the video window. A borderless pop-up owned
// by the video window, laid over its client area, cut to the letters of its
// text and painted in one solid colour, so that only the letters show over
// the picture. Shown, re-shaped and hidden by its owner; hides itself after
// its hide delay. COsdEx and COsdSlider shape their text their own way.
// UI thread only.
#pragma once
#include "platform/mfc/AfxWin.h"

// The timer that hides a text after its hide delay.
const UINT_PTR IDT_OSD_HIDE = 1;

class COsd : public CWnd
{
public:
    COsd();

    // Creates the hidden window owned by `owner` and takes the default GUI
    // font's description; FALSE when the window or the font cannot be had.
    BOOL Create(CWnd* owner);

    // Sets the window text and, when it is not empty and the owner is not
    // minimised, cuts the window to it.
    void SetText(LPCSTR text);
    // The text of string resource `id`.
    void SetTextId(UINT id);
    CString GetText() const;

    // TRUE shows the text without activating it and starts the full hide
    // delay again; FALSE hides it.
    void ShowOsd(BOOL show);
    // 0: the text stays until hidden.
    void SetHideDelay(UINT milliseconds);
    UINT GetHideDelay() const { return m_hideDelay; }
    // For a shown text: hides it when it or its owner is minimised, else
    // shapes its text again for the owner's present size.
    void Refresh();
    // Lays the window over the owner's client area, below its covered top
    // (a pixel short of a full-screen window's width).
    void FitToOwner();
    // Pixels at the top of the owner's client area that another window
    // covers (the floating tool bar): the text is laid out below them.
    void SetCoveredTop(int pixels) { m_coveredTop = pixels > 0 ? pixels : 0; }
    int GetCoveredTop() const { return m_coveredTop; }
    // The slider's value in percent; a plain text has none.
    virtual void SetValue(int percent);

    // Called by the owner after its place in the z-order changed: when no
    // other shown window is above the owner, its texts (shown or hidden) go
    // to the top again, just above it. Under Wine a window's X window is
    // raised only when the window comes out the very first shown one: the
    // owner raised there covers its hidden texts on the X screen, and a
    // text later shown under another window of the z-order (the panel, a
    // tool tip) would stay mapped under the picture, never seen.
    static void RaiseOverOwner(CWnd& owner, COsd* const texts[], int count);

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    // DrawText flags of the text (DT_...); 0 is left and top aligned.
    void SetTextFormat(UINT format) { m_format = format; }
    UINT GetTextFormat() const { return m_format; }
    void SetMargins(int left, int top, int right, int bottom);
    CRect GetMargins() const { return m_margins; }
    // The box of the shaped text in client coordinates; empty before shaping.
    CRect GetTextBox() const { return m_textBox; }

    // The font height for a window `clientHeight` pixels high: a share of
    // the height, kept between the smallest and the largest height.
    int FontHeightFor(int clientHeight) const;

    // The most characters of a text that are shaped: more cannot show on
    // one screen, and each costs a glyph outline.
    static const int kMaxShapedChars = 512;

protected:
    // Cuts the window to the shape of its text; keeps the old shape when
    // the font or the shape cannot be made.
    virtual void CreateShape();

    // What every shaping starts from: the window laid over the owner, the
    // font for its height made, the text rectangle inside the margins.
    BOOL BeginShape(CFont& font, CRect& textRect);
    // The glyphs of `text` drawn with `font` and `format` in `rect`, as a
    // region, and the box of the text's line; FALSE when no region came.
    BOOL ShapeText(CFont& font, const CString& text, const CRect& rect, UINT format, CRgn& glyphs,
                   CRect& box);
    // Gives `region` to the window and remembers `box`.
    void ApplyShape(CRgn& region, const CRect& box);
    // The window text, cut to what is shaped.
    CString ShapedText() const;
    BOOL OwnerMinimised() const;

    void FillClient(CDC& dc, COLORREF color);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnTimer(UINT_PTR id);
    int OnMouseActivate(CWnd* top, UINT hitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    LOGFONTA m_font;
    UINT m_format;
    CRect m_margins; // left, top, right, bottom
    int m_coveredTop = 0;
    COLORREF m_color;
    UINT m_hideDelay;
    CWnd* m_owner;
    int m_minFontHeight;
    int m_maxFontHeight;
    int m_fontHeightPercent;
    CRect m_textBox;
};
