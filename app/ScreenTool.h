// CScreenTool: the floating tool bar of full screen, a top-most strip as
// wide as the screen at its top edge. The video window shows it when the
// pointer touches the top of the picture; it hides itself two seconds after
// the pointer left it unless it is pinned. Its buttons run the program's
// commands through the command router (the router's state refuses what the
// program's state refuses); the record toggle and the volume go to the
// control panel through IScreenToolHost. Keys typed in it go on to the
// panel. Created with the control panel and owned by it; UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"
#include "skin/BmpButton.h"
#include "skin/BmpSliderCtrl.h"
#include "skin/SkinText.h"
#include "skin/WzdToolTipCtrl.h"

class CCommandRouter;

// What the tool bar asks of the control panel beyond its commands.
class IScreenToolHost
{
public:
    virtual void ToggleRecord() = 0;
    // 0-100, set and shown on the screen.
    virtual void SetVolume(int volume) = 0;
    virtual int GetVolume() = 0;
    // The window that takes the keys typed in the tool bar.
    virtual HWND KeyWindow() = 0;
    // The bar was shown or hidden: the on-screen texts are placed again,
    // none under the bar.
    virtual void PlaceScreenTexts() = 0;

protected:
    ~IScreenToolHost() {}
};

class CScreenTool : public CDialog
{
public:
    static constexpr UINT_PTR kHideTimer = 1212;
    static constexpr UINT kDefaultHideMs = 2000;
    static constexpr int kButtonCount = 8;

    CScreenTool(CCommandRouter& router, IScreenToolHost& host);

    // The hidden tool bar, owned by `owner` (the panel).
    BOOL CreateTool(CWnd* owner);

    void Show(BOOL show);
    BOOL IsShown() const { return m_hWnd != NULL && IsWindowVisible(); }
    void SetPinned(BOOL pinned);
    BOOL IsPinned() const { return m_bPinned; }
    void SetRecordCheck(BOOL check);
    void SetMuteCheck(BOOL check);
    void SetText(LPCSTR text);
    CString GetText() const { return m_text.GetText(); }
    void SetHidePeriod(UINT ms) { m_nHideMs = ms == 0 ? kDefaultHideMs : ms; }
    BOOL IsHideTimerRunning() const { return m_bHideTimer; }
    // The volume slider's position (0-100) from the sound's volume.
    void ShowVolume(int volume);

    // The hide timer's expiry (tests call it as the timer would).
    void OnHideTimer();
    // The pointer left the tool bar.
    void OnMouseLeave();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override { Show(FALSE); }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    DECLARE_MESSAGE_MAP()

private:
    void PlaceControls();
    void StartHideTimer();
    void StopHideTimer();
    void RunButton(UINT id);

    CCommandRouter& m_router;
    IScreenToolHost& m_host;
    CBmpButton m_buttons[kButtonCount];
    CBmpSliderCtrl m_volume;
    CSkinText m_text;
    CBitmap m_background;
    CBitmap m_filler;
    CWzdToolTipCtrl m_tips;
    BOOL m_bPinned = FALSE;
    BOOL m_bHideTimer = FALSE;
    BOOL m_bTracking = FALSE;
    UINT m_nHideMs = kDefaultHideMs;
    CSize m_backgroundSize;
};
