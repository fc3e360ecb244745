// MBasicWnd: the on-screen menu's widget, a child window of a menu row (or
// of a panel, for the panel's help line) that draws a text in its own font
// and answers the menu's keys. The plain widget is a label that takes no
// key; the other widgets derive from it. The row that holds a widget owns
// it. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

#include <functional>

// What a layer of the menu answers to WM_OSD_KEY.
enum OsdAnswer
{
    kOsdIgnored = -1,   // a panel's row does not take the key: nothing more happens
    kOsdHandled = 0,    // handled; the caller does nothing more
    kOsdChanged = 1,    // a widget changed the row's value: the panel applies it
    kOsdNotHandled = 2, // not for this layer: the caller applies its own default
};

// The keys the menu answers (virtual-key codes; the close code is the menu's own).
enum OsdKey : UINT
{
    kOsdKeyMenu = VK_APPS,
    kOsdKeyEnter = VK_RETURN,
    kOsdKeyLeft = VK_LEFT,
    kOsdKeyUp = VK_UP,
    kOsdKeyRight = VK_RIGHT,
    kOsdKeyDown = VK_DOWN,
    kOsdKeyClose = 254,
};

// A value lowered to the maximum, then raised to the minimum.
inline int ClampToRange(int value, int minimum, int maximum)
{
    if (value > maximum)
        value = maximum;
    if (value < minimum)
        value = minimum;
    return value;
}
// (position - minimum) x 100 / (maximum - minimum), 0 for a range of no width.
int RangePercent(int position, int minimum, int maximum);

// Sends one key down to a menu window and reads its answer.
int SendOsdKey(CWnd* wnd, UINT vk, LPARAM lParam = 0);

class MBasicWnd : public CWnd
{
public:
    // Sent with a click to the parent row in WM_COMMAND's high word.
    enum NotifyCode { kNotifyBasic = 0, kNotifyButton = 1, kNotifyProgress = 2, kNotifySlider = 3,
                      kNotifySelectList = 4, kNotifyEdit = 5 };

    MBasicWnd();
    ~MBasicWnd() override;

    // The key, when the widget is active; the plain widget takes none.
    virtual int OnKey(UINT vk, LPARAM lParam);
    // Draws the widget over what `dc` already holds (its parent's picture).
    virtual void Draw(CDC* dc);
    // The previous state; redraws only on a change.
    virtual int SetState(int state);
    virtual void SetText(LPCSTR text);
    virtual BOOL Create(const RECT& rect, CWnd* parent, UINT id, LPCSTR text);
    virtual void SetFontSize(int width, int height);
    virtual void SetHighlightColor(COLORREF color);
    virtual void SetTextColor(COLORREF color);
    // Redraws only on a change.
    virtual void SetHighlight(BOOL highlight);

    void SetActive(BOOL active) { m_bActive = active; }
    BOOL IsActive() const { return m_bActive; }
    int GetState() const { return m_nState; }
    void SetCentred(BOOL centred) { m_bCentred = centred; }
    BOOL IsHighlighted() const { return m_bHighlight; }
    const CString& GetText() const { return m_strText; }
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF GetHighlightColor() const { return m_crHighlight; }

protected:
    // The colour the text takes now: the highlight colour while highlighted.
    COLORREF CurrentTextColor() const { return m_bHighlight ? m_crHighlight : m_crText; }
    // The text in the widget's font with a transparent background.
    void DrawTextIn(CDC* dc, const CString& text, const CRect& rect, BOOL centred, COLORREF color);
    void Redraw();

    LRESULT OnOsdKey(WPARAM vk, LPARAM lParam);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnLButtonDown(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crText;
    COLORREF m_crHighlight;
    BOOL m_bHighlight;
    CString m_strText;
    LOGFONTA m_logFont;
    CFont m_font;
    int m_nNotifyCode;
    int m_nState;
    BOOL m_bActive;
    BOOL m_bCentred;
};

// Paints `wnd`'s parent's picture under `wnd` into `dc` (the parent answers
// WM_PRINTCLIENT), so a widget drawn over it looks transparent.
void PaintParentUnder(CWnd* wnd, CDC* dc);
// A window's WM_PAINT done in a memory picture of its client area and blitted
// once (no flicker over the live picture): `paint` draws into it.
void PaintBuffered(CWnd* wnd, const std::function<void(CDC*)>& paint);
// Copies `bitmap` from its top-left corner to (x, y), at most `width` x
// `height` of it (negative: its own size). Nothing without a bitmap.
void BlitBitmap(CDC* dc, const CBitmap* bitmap, int x, int y, int width = -1, int height = -1);
