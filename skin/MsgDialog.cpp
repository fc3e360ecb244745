#include "skin/MsgDialog.h"

#include "resources/Resource.h"

#include <algorithm>

namespace {

const UINT_PTR kAnswerTimer = 1016;
const UINT kDefaultSeconds = 5;
// The widest the box grows for a long line (a path), as a share of the
// screen's work area.
const int kMaxWidthPercent = 70;
const UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;

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
    FitToText();
    StartTimer();
    return TRUE;
}

CSize CMsgDialog::TextSizeFor(int width) const
{
    CSize size(0, 0);
    if (m_textControl.m_hWnd == NULL)
        return size;
    CClientDC dc(const_cast<CStatic*>(&m_textControl));
    const HFONT font = m_textControl.GetFont();
    CDCSelect selected(dc, font != NULL ? (HGDIOBJ)font : ::GetStockObject(SYSTEM_FONT));
    // The longest line sets the width the text would like.
    int start = 0;
    while (start <= m_text.GetLength()) {
        int end = m_text.Find('\n', start);
        if (end < 0)
            end = m_text.GetLength();
        size.cx = std::max(size.cx, (LONG)dc.GetTextExtent(m_text.Mid(start, end - start)).cx);
        start = end + 1;
    }
    size.cx = std::min(size.cx, (LONG)width);
    CRect r(0, 0, size.cx, 0);
    dc.DrawText(m_text, &r, kTextFormat | DT_CALCRECT);
    size.cy = r.Height();
    return size;
}

// The text shows whole: the text and the box grow (never shrink) to hold
// it, a long line up to a share of the screen and broken beyond that; the
// buttons keep their places under the text and at the right.
void CMsgDialog::FitToText()
{
    if (m_textControl.m_hWnd == NULL || m_text.IsEmpty())
        return;
    m_textControl.ModifyStyle(0, SS_EDITCONTROL);
    CRect text, box;
    m_textControl.GetWindowRect(&text);
    GetWindowRect(&box);
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int most = (work.right - work.left) * kMaxWidthPercent / 100 - (box.Width() - text.Width());
    const CSize wanted = TextSizeFor(std::max((int)text.Width(), most));
    const int dx = std::max(0, (int)wanted.cx - text.Width());
    const int dy = std::max(0, (int)wanted.cy - text.Height());
    if (dx == 0 && dy == 0)
        return;
    ScreenToClient(&text);
    m_textControl.SetWindowPos(NULL, 0, 0, text.Width() + dx, text.Height() + dy,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (UINT id : {(UINT)IDOK, (UINT)IDCANCEL}) {
        if (CWnd* button = GetDlgItem(id)) {
            CRect place;
            button->GetWindowRect(&place);
            ScreenToClient(&place);
            button->SetWindowPos(NULL, place.left + dx, place.top + dy, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    // Centred where it was centred, and whole on the work area.
    int left = box.left - dx / 2, top = box.top - dy / 2;
    left = std::max((int)work.left, std::min(left, (int)work.right - box.Width() - dx));
    top = std::max((int)work.top, std::min(top, (int)work.bottom - box.Height() - dy));
    SetWindowPos(NULL, left, top, box.Width() + dx, box.Height() + dy, SWP_NOZORDER | SWP_NOACTIVATE);
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
