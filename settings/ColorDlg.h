// CColorDlg: the small skinned picture dialog beside the control panel, with
// sliders for the card's brightness, contrast, hue, saturation and
// sharpness, a defaults button and a close button. The program has one; the
// control panel makes its window, places it beside itself and shows or hides
// it, and dresses it in the picture skin (it takes the skin off itself when
// its window goes). Keys typed in it go to the control panel. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"
#include "skin/SkinnedDialog.h"

class CScrollBar;
class CTVManager;

class CColorDlg : public CSkinnedDialog
{
public:
    explicit CColorDlg(CTVManager& manager);

    // The modeless window, owned by `panel`, which also receives its keys.
    BOOL CreateBeside(CWnd* panel);
    // Showing reads the card's values first.
    void ShowPanel(BOOL show);
    void MoveTo(int x, int y);
    void MoveTo(CPoint point) { MoveTo(point.x, point.y); }
    // The cached card values, in the manager's property order.
    int GetValue(int index) const { return index >= 0 && index < 5 ? m_values[index] : 0; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override { ShowPanel(FALSE); }

protected:
    void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    void OnDefaults();
    void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    void ReadValues();
    void ShowValues();
    void OnSlider(UINT code, CScrollBar* bar);

    CTVManager& m_manager;
    int m_values[5];
    CToolTipCtrl m_tips;
    CWnd* m_pKeyTarget; // the control panel, borrowed
};
