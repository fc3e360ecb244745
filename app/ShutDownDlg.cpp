#include "app/ShutDownDlg.h"

#include "resources/Resource.h"

namespace {

// The dots run down to the fewest and up again to the most, program-wide:
// a second countdown goes on where the first left them.
int g_dots = CShutDownDlg::kMostDots;
bool g_dotsDown = true;

void StepDots()
{
    g_dots += g_dotsDown ? -1 : 1;
    if (g_dots <= CShutDownDlg::kFewestDots) {
        g_dots = CShutDownDlg::kFewestDots;
        g_dotsDown = false;
    } else if (g_dots >= CShutDownDlg::kMostDots) {
        g_dots = CShutDownDlg::kMostDots;
        g_dotsDown = true;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CShutDownDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_SHUTDOWN_NOW, OnPowerOffNow)
    ON_BN_CLICKED(IDC_SHUTDOWN_CANCEL, OnCancelButton)
END_MESSAGE_MAP()

CShutDownDlg::CShutDownDlg(CWnd* parent) : CDialog(IDD_SHUTDOWN, parent), m_nCount(30), m_nRemaining(30)
{
    m_bModalLoopConfined = TRUE;
}

int CShutDownDlg::GetDotCount()
{
    return g_dots;
}

void CShutDownDlg::ResetDots()
{
    g_dots = kMostDots;
    g_dotsDown = true;
}

void CShutDownDlg::AddWindowToHide(CWnd* window)
{
    if (window != NULL)
        m_windows.push_back(Hidden{window, FALSE});
}

BOOL CShutDownDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nRemaining = m_nCount;
    m_nAnswer = 0;
    ShowRemaining();
    ShowDots();
    m_bTimer = SetTimer(kCountTimer, kTickMs, NULL) != 0;
    return TRUE;
}

void CShutDownDlg::Tick()
{
    if (m_nAnswer != 0)
        return;
    if (--m_nRemaining <= 0) {
        OnOK();
        return;
    }
    ShowRemaining();
    StepDots();
    ShowDots();
    if (m_nRemaining <= kHideAt)
        HideWindows();
}

void CShutDownDlg::OnTimer(UINT_PTR id)
{
    if (id == kCountTimer)
        Tick();
    else
        Default();
}

void CShutDownDlg::ShowRemaining()
{
    if (m_hWnd == NULL)
        return;
    CString text;
    text.Format("%d", m_nRemaining);
    SetDlgItemText(IDC_SHUTDOWN_SECONDS, text);
}

void CShutDownDlg::ShowDots()
{
    if (m_hWnd != NULL)
        SetDlgItemText(IDC_SHUTDOWN_DOTS, CString('.', g_dots));
}

void CShutDownDlg::HideWindows()
{
    for (Hidden& entry : m_windows) {
        if (entry.hidden || entry.window->m_hWnd == NULL || !entry.window->IsWindowVisible())
            continue;
        entry.window->ShowWindow(SW_HIDE);
        entry.hidden = TRUE;
    }
}

void CShutDownDlg::RestoreWindows()
{
    for (Hidden& entry : m_windows) {
        if (entry.hidden && entry.window->m_hWnd != NULL)
            entry.window->ShowWindow(SW_SHOW);
        entry.hidden = FALSE;
    }
}

void CShutDownDlg::Finish(int answer)
{
    if (m_bTimer && m_hWnd != NULL)
        KillTimer(kCountTimer);
    m_bTimer = FALSE;
    m_nAnswer = answer;
    EndDialog(answer);
}

void CShutDownDlg::OnOK()
{
    Finish(IDOK);
}

void CShutDownDlg::OnPowerOffNow()
{
    OnOK();
}

// Escape, the close box and the Cancel button.
void CShutDownDlg::OnCancel()
{
    if (m_nAnswer != 0)
        return;
    RestoreWindows();
    Finish(IDCANCEL);
}

void CShutDownDlg::OnCancelButton()
{
    OnCancel();
}

void CShutDownDlg::OnDestroy()
{
    if (m_bTimer)
        KillTimer(kCountTimer);
    m_bTimer = FALSE;
    Default();
}
