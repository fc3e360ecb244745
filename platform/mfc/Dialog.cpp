#include "platform/mfc/Dialog.h"

#include "platform/mfc/Resource.h"
#include "platform/mfc/WinApp.h"

namespace {

// 0x0118: the system's caret-blink timer.
const UINT kSysTimer = 0x0118;

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    return dialog ? dialog->OnInitDialog() : TRUE;
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() : CDialog((LPCSTR)NULL, NULL) {}

CDialog::CDialog(UINT templateId, CWnd* parent) : CDialog(MAKEINTRESOURCEA(templateId), parent) {}

CDialog::CDialog(LPCSTR templateName, CWnd* parent)
    : m_bModalLoopConfined(FALSE), m_lpszTemplateName(templateName), m_pParentWnd(parent),
      m_nModalResult(-1), m_bContinueModal(FALSE)
{
}

BOOL CDialog::CreateFromTemplate(HWND owner)
{
    if (m_hWnd != NULL || m_lpszTemplateName == NULL)
        return FALSE;
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(module, m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : NULL;
    LPCDLGTEMPLATEA dialogTemplate = loaded ? (LPCDLGTEMPLATEA)::LockResource(loaded) : NULL;
    if (dialogTemplate == NULL)
        return FALSE;
    AfxInitCommonControls();
    HWND hWnd;
    {
        CCreationHook hook(this);
        hWnd = ::CreateDialogIndirectParamA(module, dialogTemplate, owner, &AfxDlgProc, 0);
    }
    return hWnd != NULL && hWnd == m_hWnd;
}

HWND CDialog::ModalOwner() const
{
    CWnd* main = AfxGetMainWnd();
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : (main ? main->m_hWnd : NULL);
    while (owner != NULL && (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    return owner;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = ModalOwner();
    BOOL enableOwner = owner != NULL && ::IsWindowEnabled(owner);
    if (enableOwner)
        ::EnableWindow(owner, FALSE);
    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    if (CreateFromTemplate(owner) && m_bContinueModal)
        RunModalLoop(MLF_SHOWONIDLE);
    m_bContinueModal = FALSE;
    if (m_hWnd != NULL)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    return Create(MAKEINTRESOURCEA(templateId), parent);
}

BOOL CDialog::Create(LPCSTR templateName, CWnd* parent)
{
    m_lpszTemplateName = templateName;
    m_pParentWnd = parent;
    return CreateFromTemplate(parent ? parent->m_hWnd : NULL);
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    if (m_bContinueModal)
        EndModalLoop(result);
    else if (m_hWnd != NULL)
        ::EndDialog(m_hWnd, result);
}

void CDialog::EndModalLoop(int result)
{
    m_nModalResult = result;
    if (m_bContinueModal) {
        m_bContinueModal = FALSE;
        if (m_hWnd != NULL)
            PostMessage(WM_NULL); // wakes the loop if it waits
    }
}

BOOL CDialog::HasQueuedMessage() const
{
    MSG msg;
    if (!m_bModalLoopConfined)
        return ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
    return ::PeekMessageA(&msg, m_hWnd, 0, 0, PM_NOREMOVE) ||
           ::PeekMessageA(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE);
}

// One message through the pre-translation walk and dispatch; FALSE on WM_QUIT.
BOOL CDialog::PumpModalMessage(MSG& msg)
{
    if (!m_bModalLoopConfined) {
        if (!::GetMessageA(&msg, NULL, 0, 0))
            return FALSE;
    } else if (!::PeekMessageA(&msg, m_hWnd, 0, 0, PM_REMOVE) &&
               !::PeekMessageA(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        // Only other windows' messages are queued: they stay there.
        ::WaitMessage();
        msg.message = WM_NULL;
        msg.hwnd = NULL;
        return TRUE;
    }
    if (msg.message == WM_QUIT)
        return FALSE;
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

int CDialog::RunModalLoop(DWORD flags)
{
    BOOL idle = TRUE;
    LONG idleCount = 0;
    BOOL showOnIdle = (flags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    m_bContinueModal = TRUE;
    MSG msg = {};
    for (;;) {
        while (idle && !HasQueuedMessage()) {
            if (showOnIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showOnIdle = FALSE;
            }
            if ((flags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = FALSE;
        }
        do {
            if (!PumpModalMessage(msg)) {
                ::PostQuitMessage((int)msg.wParam); // the outer loops end too
                return -1;
            }
            if (showOnIdle && (msg.message == kSysTimer || msg.message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showOnIdle = FALSE;
            }
            // A dialog destroyed under its loop ends it too, with IDABORT.
            if (m_hWnd == NULL && m_bContinueModal)
                EndModalLoop(IDABORT);
            if (!ContinueModal())
                return m_nModalResult;
            if (msg.message != WM_NULL && AfxIsIdleMessage(&msg)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (HasQueuedMessage());
    }
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control != NULL)
        SendMessage(WM_NEXTDLGCTL, (WPARAM)control->m_hWnd, TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                 (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    return input && m_hWnd != NULL && ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
