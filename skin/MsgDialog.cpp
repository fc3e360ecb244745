#include "skin/MsgDialog.h"

#include "resources/Resource.h"

namespace {

const UINT_PTR kAnswerTimer = 1016;
const UINT kDefaultSeconds = 5;

} // namespace

BEGIN_MESSAGE_MAP(CMsgDialog, CDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMsgDialog::CMsgDialog(UINT iconId, BOOL hasCancel, CWnd* parent)
    : CDialog(IDD_MSGBOX, parent), m_timer(0), m_seconds(kDefaultSeconds), m_defaultAnswer(IDOK),
      m_iconId(iconId), m_hasCancel(hasCancel)
{
    m_bModalLoopConfined = TRUE;
}

void CMsgDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_MSGBOX_ICON, m_iconControl);
    DDX_Control(dx, IDC_MSGBOX_TEXT, m_textControl);
}

void CMsgDialog::SetCaption(LPCSTR caption)
{
    m_caption = caption;
    if (m_hWnd != NULL)
        SetWindowText(m_caption);
}

void CMsgDialog::SetText(LPCSTR text)
{
    m_text = text;
    if (m_textControl.m_hWnd != NULL)
        m_textControl.SetWindowText(m_text);
}

void CMsgDialog::SetTextId(UINT textId)
{
    CString text;
    text.LoadString(textId);
    SetText(text);
}

void CMsgDialog::SetSeconds(UINT seconds)
{
    if (seconds == 0)
        return;
    m_seconds = seconds;
    if (m_timer != 0)
        StartTimer();
}

void CMsgDialog::SetDefaultAnswer(int answer)
{
    m_defaultAnswer = answer == IDCANCEL ? IDCANCEL : IDOK;
}

void CMsgDialog::StartTimer()
{
    // Seconds beyond the longest timer the system keeps wait that long.
    unsigned long long ms = (unsigned long long)m_seconds * 1000;
    if (ms > USER_TIMER_MAXIMUM)
        ms = USER_TIMER_MAXIMUM;
    m_timer = SetTimer(kAnswerTimer, (UINT)ms);
}

BOOL CMsgDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_caption.IsEmpty())
        SetWindowText(m_caption);
    if (!m_text.IsEmpty() && m_textControl.m_hWnd != NULL)
        m_textControl.SetWindowText(m_text);
    if (m_iconId != 0 && m_iconControl.m_hWnd != NULL)
        m_iconControl.SetIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_iconId)));
    if (!m_hasCancel) {
        if (CWnd* cancel = GetDlgItem(IDCANCEL))
            cancel->ShowWindow(SW_HIDE);
    }
    StartTimer();
    return TRUE;
}

void CMsgDialog::OnTimer(UINT_PTR id)
{
    if (id != kAnswerTimer) {
        Default();
        return;
    }
    KillTimer(kAnswerTimer);
    m_timer = 0;
    if (m_defaultAnswer == IDOK)
        OnOK();
    else
        OnCancel();
}

void CMsgDialog::OnCancel()
{
    EndDialog(m_hasCancel ? IDCANCEL : IDOK);
}

void CMsgDialog::OnDestroy()
{
    if (m_timer != 0) {
        KillTimer(kAnswerTimer);
        m_timer = 0;
    }
    Default();
}
