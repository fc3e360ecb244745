// CBmpButton: a button drawn from four bitmaps (hover, normal, pressed,
// disabled), optionally shaped to its normal bitmap and optionally a toggle
// that keeps a checked state (shown with the pressed bitmap). It takes over
// a button of a dialog template; the parent gets the usual click. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CBmpButton : public CButton
{
public:
    enum State { kHover = 0, kNormal = 1, kPressed = 2, kDisabled = 3, kStateCount = 4 };

    CBmpButton();
    ~CBmpButton() override {}

    // Loads the four bitmaps from the current resource handle (every id
    // non-zero and every load required) and sizes the window to the hover
    // bitmap; on failure the button is left without bitmaps.
    BOOL LoadBitmaps(UINT hoverId, UINT normalId, UINT pressedId, UINT disabledId);
    // As LoadBitmaps, then shapes the window to the normal bitmap without its
    // pixels of `transparent` (given when the window is taken over, if it
    // does not exist yet).
    BOOL LoadBitmapsShaped(UINT hoverId, UINT normalId, UINT pressedId, UINT disabledId,
                           COLORREF transparent);

    void SetToggle(BOOL toggle);
    BOOL GetToggle() const { return m_toggle; }
    // Only a toggle button keeps a checked state.
    void SetCheck(BOOL check);
    BOOL GetCheck() const { return m_checked; }
    // Draws one state's bitmap over the whole window, unless it is already shown.
    void DrawState(int state);

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    void OnKillFocus(CWnd* next);
    void OnEnable(BOOL enable);
    BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

    // The skinned button (CSkinBtn) fills these from its own sources.
    void FreeBitmaps();
    void FitWindowToBitmaps();
    void GiveShape();

    int m_lastState;
    CBitmap m_bitmaps[kStateCount];
    int m_width;
    int m_height;
    BOOL m_toggle;
    BOOL m_checked;
    // This button's own press: only a release that ends it toggles.
    BOOL m_pressed;
    // The shape waiting for the window, when loaded before it existed.
    CRgn m_pendingShape;
};
