// CShutDownDlg: the countdown before the program powers the machine off. It
// counts down one second per tick of its timer and ends with OK at zero or
// on "Power Off Now"; Cancel ends it with IDCANCEL. While five seconds or
// fewer remain the windows it was given are hidden; Cancel shows again
// those it hid (a window that was hidden before stays hidden). Its modal
// loop runs only its own messages, so the panel's timers and events wait
// until it closes. Run modally by the control panel; UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

#include <vector>

class CShutDownDlg : public CDialog
{
public:
    // The timer that counts the seconds.
    static constexpr UINT_PTR kCountTimer = 1;
    static constexpr UINT kTickMs = 1000;
    // From this many seconds on the windows are hidden.
    static constexpr int kHideAt = 5;
    // The dots run between these counts, one step a second.
    static constexpr int kMostDots = 6;
    static constexpr int kFewestDots = 3;

    explicit CShutDownDlg(CWnd* parent = NULL);

    // The seconds to count from (30 unless set; a value below 1 counts 1).
    void SetCount(int seconds) { m_nCount = seconds < 1 ? 1 : seconds; }
    int GetCount() const { return m_nCount; }
    // A window to hide near the end and to show again on Cancel (not owned).
    void AddWindowToHide(CWnd* window);

    int GetRemaining() const { return m_nRemaining; }
    // IDOK, IDCANCEL, or 0 while the count runs.
    int GetAnswer() const { return m_nAnswer; }
    // One second of the count (the timer's tick).
    void Tick();

    // The dots keep their place from one countdown to the next.
    static int GetDotCount();
    static void ResetDots();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    void OnTimer(UINT_PTR id);
    void OnPowerOffNow();
    void OnCancelButton();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void ShowRemaining();
    void ShowDots();
    void HideWindows();
    void RestoreWindows();
    void Finish(int answer);

    struct Hidden
    {
        CWnd* window;
        BOOL hidden; // hidden by the countdown (it was visible)
    };
    std::vector<Hidden> m_windows;
    int m_nCount;
    int m_nRemaining;
    int m_nAnswer = 0;
    BOOL m_bTimer = FALSE;
};
