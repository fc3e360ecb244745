// CCaptionDlg: a dialog that draws its own caption bar, side and bottom
// borders and caption buttons (minimise, maximise/restore, close) from
// bitmaps, and answers the system's hit tests for them, so it moves and sizes
// like a framed window. While sized it keeps its inner area at a chosen
// width-to-height ratio and at least 256 x 192; maximised, it drops caption
// and borders and covers the screen, so the inner area fills it. The video
// window derives from it. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CCaptionDlg : public CDialog
{
public:
    enum CaptionButton { kMinimize, kMaximize, kClose, kButtonCount };
    enum ButtonState { kNormal, kHover, kPressed, kStateCount };
    // The smallest window the sizing rule lets through.
    static const int kMinWidth = 256;
    static const int kMinHeight = 192;
    // Caption buttons: their size, and their corners from the caption's right end.
    static const int kButtonWidth = 22;
    static const int kButtonHeight = 21;

    explicit CCaptionDlg(UINT templateId, CWnd* parent = NULL);
    ~CCaptionDlg() override {}

    // Bitmap resources of the current resource module. Each set loads whole
    // or not at all (the old set is freed first); the frame's sizes follow
    // only a set that loaded: the caption height is the left end's height,
    // the side width the left border's width, the bottom height the bottom
    // border's height.
    BOOL SetCaptionBitmaps(UINT leftId, UINT rightId, UINT middleId);
    BOOL SetBorderBitmaps(UINT leftId, UINT rightId, UINT bottomId);
    BOOL SetMinButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId);
    BOOL SetMaxButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId);
    BOOL SetCloseButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId);

    // Ignored unless both are at least 1; X equal to Y frees the ratio. The
    // window is resized at once as if its right edge had been dragged, or,
    // when maximised or minimised, as soon as it is restored.
    void SetAspectRatio(int x, int y);
    CSize GetAspectRatio() const { return CSize(m_aspectX, m_aspectY); }
    int GetCaptionHeight() const { return m_captionHeight; }
    int GetBorderWidth() const { return m_borderWidth; }
    int GetBottomHeight() const { return m_bottomHeight; }
    BOOL IsMaximized() const { return m_maximized; }
    ButtonState GetButtonState(CaptionButton button) const { return m_buttonState[button]; }

    BOOL OnInitDialog() override;

    // A caption button's rectangle from the caption's right end.
    virtual CRect& GetCloseButtonRect(CRect& rect, const CRect& origin) const;
    virtual CRect& GetMaxButtonRect(CRect& rect, const CRect& origin) const;
    virtual CRect& GetMinButtonRect(CRect& rect, const CRect& origin) const;

    // The sizing rule applied to a proposed window rectangle while `edge`
    // (a WMSZ_ code) is dragged.
    void ApplySizingRule(UINT edge, RECT& rect) const;

protected:
    // For derived windows, whose own handlers of these messages call them.
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    LRESULT OnNcHitTest(CPoint point);
    void OnSizing(UINT edge, LPRECT rect);
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    void OnNcMouseMove(UINT hitTest, CPoint point);
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnNcLButtonUp(UINT hitTest, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnCaptureChanged(CWnd* other);
    void OnNcPaint();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    BOOL OnNcActivate(BOOL active);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Draws borders, caption and caption buttons into the whole-window DC.
    void PaintFrame();

private:
    enum Area { kCaption, kLeftBorder, kRightBorder, kBottomBorder, kTopLeft, kTopRight, kBottomLeft,
                kBottomRight };
    struct CaptionParts
    {
        CRect left, middle, right;
    };

    BOOL SetButtonBitmaps(int button, UINT normalId, UINT hoverId, UINT pressedId);
    CRect AreaRect(Area area, const CRect& window) const;
    CaptionParts SplitCaption(const CRect& caption) const;
    CRect ButtonRect(int button, const CRect& origin) const;
    // The button under a hit-test code, or -1.
    static int ButtonOfHit(UINT hitTest);
    CRect MonitorRect() const;
    void ApplyAspectRatio();
    void ActOnButton(int button);
    void SetButtonStates(int hovered, ButtonState state);
    void TileBitmap(CDC& dc, CBitmap& bitmap, const CRect& area);

    int m_captionHeight;
    int m_borderWidth;
    int m_bottomHeight;
    CBitmap m_captionLeft, m_captionRight, m_captionMiddle;
    CBitmap m_borderLeft, m_borderRight, m_borderBottom;
    CBitmap m_buttonBitmaps[kButtonCount][kStateCount];
    ButtonState m_buttonState[kButtonCount];
    int m_pressedButton; // the button a press began on, -1 when none
    BOOL m_maximized;
    BOOL m_placingMaximized;
    int m_aspectX;
    int m_aspectY;
    BOOL m_ratioPending; // set while maximised or minimised; applied on restore
    CPoint m_dragStart;
    BOOL m_dragging;
};
