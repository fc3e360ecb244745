// CSkinText: a text field of a skin (channel name, record format, clock),
// drawn in the skin's font and colour over a solid colour, a background
// bitmap or the dialog's own background. It takes over a static of the
// template; the floating tool bar also makes one of its own. Owned by the
// skin manager (or the tool bar); UI thread.
#pragma once
#include "skin/SkinBitmap.h"

class CSkinText : public CStatic
{
public:
    enum BackStyle { kNone = 0, kColour = 1, kBitmap = 2 };

    CSkinText();
    ~CSkinText() override {}

    // Stores the text and, when the window exists, shows it.
    void SetText(LPCSTR text);
    const CString& GetText() const { return m_text; }
    void SetTextColor(COLORREF colour) { m_textColour = colour; }
    void SetBackStyle(int style) { m_backStyle = style; }
    int GetBackStyle() const { return m_backStyle; }
    // Also makes the background a solid colour.
    void SetBackColor(COLORREF colour);
    // A background bitmap; the field takes its size.
    BOOL LoadBackground(UINT id);
    BOOL LoadBackground(LPCSTR path);
    BOOL LoadBackground(const CSkinPicture& picture);
    void SetPosition(int x, int y);
    void SetPosition(POINT point) { SetPosition(point.x, point.y); }
    void SetSize(int width, int height);
    void SetSize(SIZE size) { SetSize(size.cx, size.cy); }

    // Each changes one field of the font's description and replaces the font.
    void SetFontSize(int width, int height);
    void SetFontCharset(BYTE charset);
    // Cut to the 31 characters a font's face name holds.
    void SetFontFaceName(LPCSTR name);
    void SetFontItalic(BOOL italic);
    void GetLogFont(LOGFONTA& font) const;

    virtual void Draw(CDC* dc);

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    template <class Change> void ChangeFont(Change change);
    void ShowText();

    CFont m_font;
    int m_x;
    int m_y;
    int m_width;
    int m_height;
    COLORREF m_backColour;
    CSkinBitmap m_background;
    int m_backStyle;
    COLORREF m_textColour;
    CString m_text;
};
