// CHyperLink: a static text of a dialog made into a link that opens its
// address with the shell's "open" verb (through the system-services seam)
// when clicked, underlines while the mouse is over it and changes colour
// once visited. The dialog owns it; UI thread only.
#pragma once
#include "platform/mfc/AfxWin.h"

class CHyperLink : public CStatic
{
public:
    enum UnderlineMode { ulHover = -1, ulNone = 0, ulAlways = 1 };

    CHyperLink();
    ~CHyperLink() override;

    // Re-fits the window to its text and updates the tip when it exists.
    void SetURL(LPCSTR url);
    CString GetURL() const { return m_url; }

    // A hover colour of 0xFFFFFFFF is the system highlight colour.
    void SetColours(COLORREF link, COLORREF visited, COLORREF hover = 0xFFFFFFFF);
    COLORREF GetLinkColour() const { return m_linkColour; }
    COLORREF GetVisitedColour() const { return m_visitedColour; }
    COLORREF GetHoverColour() const { return m_hoverColour; }

    void SetVisited(BOOL visited = TRUE);
    BOOL GetVisited() const { return m_visited; }
    // NULL: the system's hand cursor.
    void SetLinkCursor(HCURSOR cursor);
    HCURSOR GetLinkCursor() const { return m_linkCursor; }
    void SetUnderline(int mode = ulHover);
    int GetUnderline() const { return m_underline; }
    void SetAutoSize(BOOL autoSize = TRUE) { m_adjustToFit = autoSize; }
    BOOL GetAutoSize() const { return m_adjustToFit; }
    BOOL IsOverLink() const { return m_overLink; }

    // Opens the address with the shell's "open" verb; the shell's result
    // (above 32 when it opened).
    static HINSTANCE GotoURL(LPCSTR url, int showCommand);
    // The text the error box shows for a shell result of 32 or less.
    static CString ErrorText(int code);

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    static constexpr UINT_PTR kHoverTimer = 100;
    static constexpr UINT kHoverMs = 100;

protected:
    void PreSubclassWindow() override;
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    void OnClicked();
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void FitToText();
    void UseFont(BOOL underlined);
    void LeaveLink();
    void ReportError(int code);

    COLORREF m_linkColour;
    COLORREF m_visitedColour;
    COLORREF m_hoverColour;
    BOOL m_overLink;
    BOOL m_visited;
    int m_underline;
    BOOL m_adjustToFit;
    CString m_url;
    CFont m_underlinedFont;
    CFont m_plainFont;
    HCURSOR m_linkCursor; // shared system cursor: never destroyed
    CToolTipCtrl m_toolTip;
};
