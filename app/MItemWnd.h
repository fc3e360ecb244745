// MItemWnd: one row of an on-screen menu panel: a bitmap band (normal, or
// focused while the row has the focus) holding widgets side by side. It
// owns its widgets, and passes the menu's keys to its current widget,
// stepping through the widgets on Left and Right (the row's text cursor).
// The panel owns the row; UI thread.
#pragma once
#include "app/MBasicWnd.h"

#include <memory>
#include <vector>

class MItemWnd : public CWnd
{
public:
    MItemWnd();
    ~MItemWnd() override;

    // A child of the panel, WS_CHILD | WS_VISIBLE.
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    virtual void Draw(CDC* dc);

    // Takes the widget (made as a child of this row).
    void AddWidget(std::unique_ptr<MBasicWnd> widget);
    int GetWidgetCount() const { return (int)m_widgets.size(); }
    // None when out of range.
    MBasicWnd* GetWidget(int index) const;
    int GetCurrentWidget() const { return m_nCurrent; }
    // Wrapping: below 0 the last, past the end 0; the previous index.
    int SetCurrentWidget(int index);
    int StepCurrentWidget(BOOL forward) { return SetCurrentWidget(m_nCurrent + (forward ? 1 : -1)); }
    // Highlights the widgets with the row; the new value.
    BOOL SetFocused(BOOL focused);
    BOOL IsFocused() const { return m_bFocused; }
    // The row's own bitmaps (the shared ones no longer used), the row
    // sized to the normal one.
    BOOL LoadBitmaps(UINT normalId, UINT focusedId);
    // The panel's bitmaps (not owned), the row sized to the normal one.
    void SetSharedBitmaps(const CBitmap* normal, const CBitmap* focused);
    BOOL SetUseSharedBitmaps(BOOL shared);

    // The row's answer to a key (see the .cpp).
    int OnKey(UINT vk, LPARAM lParam);

protected:
    LRESULT OnOsdKey(WPARAM vk, LPARAM lParam) { return OnKey((UINT)vk, lParam); }
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM dc, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    int TryWidgets(UINT vk, LPARAM lParam);
    void SizeTo(const CBitmap* bitmap);

    std::vector<std::unique_ptr<MBasicWnd>> m_widgets;
    CBitmap m_bmpNormal;
    CBitmap m_bmpFocused;
    BOOL m_bFocused;
    int m_nCurrent;
    BOOL m_bShared;
    const CBitmap* m_pSharedNormal;  // the panel host's; not owned
    const CBitmap* m_pSharedFocused; // the panel host's; not owned
};
