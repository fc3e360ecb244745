// CDialog: a dialog from a template in the current resource module, run
// modally (DoModal, with the framework's own loop) or modeless (Create).
// UI thread.
#pragma once
#include "platform/mfc/Wnd.h"

// Flags of RunModalLoop.
#define MLF_NOIDLEMSG 0x0001  // no WM_ENTERIDLE to the owner (there never is one here)
#define MLF_NOKICKIDLE 0x0002 // no WM_KICKIDLE while the queue is empty
#define MLF_SHOWONIDLE 0x0004 // show a hidden dialog the first time the queue is empty

class CDialog : public CWnd
{
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = NULL);
    explicit CDialog(LPCSTR templateName, CWnd* parent = NULL);

    // Creates the dialog owned by the parent (or the main window's top-level
    // window), disables that owner and runs the modal loop until EndDialog;
    // the result EndDialog gave, or -1 when the template cannot be made.
    virtual INT_PTR DoModal();
    // A modeless dialog; NULL parent makes it a top-level window.
    BOOL Create(UINT templateId, CWnd* parent = NULL);
    BOOL Create(LPCSTR templateName, CWnd* parent = NULL);
    // Ends the modal loop with `result` (modeless: hides the dialog).
    void EndDialog(int result);

    // Sends WM_KICKIDLE (wParam MSGF_DIALOGBOX, lParam the idle count) while
    // the queue is empty until the dialog answers 0; returns the result.
    int RunModalLoop(DWORD flags = 0);
    BOOL ContinueModal() const { return m_bContinueModal; }
    void EndModalLoop(int result);

    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }
    void SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }
    DWORD GetDefID() const { return (DWORD)SendMessage(DM_GETDEFID); }
    void MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

    // Keys and mouse messages of the dialog and its controls go through the
    // system's dialog navigation (Tab, Enter, Escape, mnemonics).
    BOOL PreTranslateMessage(MSG* msg) override;
    // Exchanges the controls' data (UpdateData(FALSE)); TRUE lets the system
    // set the focus.
    virtual BOOL OnInitDialog();
    // OK: the controls' data is taken (UpdateData) and the dialog ends with IDOK.
    virtual void OnOK();
    virtual void OnCancel();

protected:
    // A dialog whose modal loop runs only its own messages (and repaints of
    // other windows): timers and posted messages of every other window wait
    // until it has closed, so a box shown in the middle of a call does not
    // run the caller's handlers again underneath it.
    BOOL m_bModalLoopConfined;
    LPCSTR m_lpszTemplateName;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(HWND owner);
    HWND ModalOwner() const;
    BOOL HasQueuedMessage() const;
    BOOL PumpModalMessage(MSG& msg);

    int m_nModalResult;
    BOOL m_bContinueModal;
};
