#include "platform/mfc/PropertySheet.h"

#include "platform/mfc/Resource.h"
#include "platform/mfc/WinApp.h"

// The system sheet makes a page's window when the page is first shown and
// hands the page's PROPSHEETPAGE (its lParam: our object) to WM_INITDIALOG;
// the object takes the window over there, so its table sees everything
// after. The system sheet keeps its own copy of the page description, whose
// lParam is the same.
INT_PTR CALLBACK AfxPropertyPageProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    if (message != WM_INITDIALOG)
        return FALSE;
    const PROPSHEETPAGEA* description = (const PROPSHEETPAGEA*)lParam;
    CPropertyPage* page = description ? (CPropertyPage*)description->lParam : nullptr;
    if (page == nullptr || !page->SubclassWindow(hWnd))
        return TRUE;
    return page->OnInitDialog();
}

// --- CPropertyPage ---------------------------------------------------------

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId)
    : CDialog(templateId), m_psp(), m_nCaptionId(captionId), m_bFirstSetActive(TRUE)
{
    m_psp.dwSize = sizeof(m_psp);
}

void CPropertyPage::PrepareSheetPage()
{
    m_psp.dwSize = sizeof(m_psp);
    m_psp.hInstance = AfxFindResourceHandle(m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    m_psp.pszTemplate = m_lpszTemplateName;
    m_psp.pfnDlgProc = &AfxPropertyPageProc;
    m_psp.lParam = (LPARAM)this;
    if (m_nCaptionId != 0 && m_strCaption.LoadString(m_nCaptionId)) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
    m_bFirstSetActive = TRUE;
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    if (m_hWnd == NULL)
        return nullptr;
    return dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL changed)
{
    HWND sheet = m_hWnd ? ::GetParent(m_hWnd) : NULL;
    if (sheet != NULL)
        ::SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

BOOL CPropertyPage::OnSetActive()
{
    // The first activation follows OnInitDialog, which filled the controls.
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::PreTranslateMessage(MSG* msg)
{
    return CWnd::PreTranslateMessage(msg);
}

BOOL CPropertyPage::DispatchSheetNotify(const NMHDR* header, LRESULT* result)
{
    switch (header->code) {
    case PSN_SETACTIVE:
        *result = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *result = OnKillActive() ? FALSE : TRUE; // TRUE keeps the page
        return TRUE;
    case PSN_APPLY:
        *result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return TRUE;
    case PSN_RESET:
        OnReset();
        *result = 0;
        return TRUE;
    case PSN_QUERYCANCEL:
        *result = OnQueryCancel() ? FALSE : TRUE; // TRUE refuses the cancel
        return TRUE;
    case PSN_WIZBACK:
        *result = OnWizardBack();
        return TRUE;
    case PSN_WIZNEXT:
        *result = OnWizardNext();
        return TRUE;
    case PSN_WIZFINISH:
        *result = OnWizardFinish() ? FALSE : TRUE; // TRUE keeps the wizard
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = (const NMHDR*)lParam;
    if (header->hwndFrom != NULL && header->hwndFrom == ::GetParent(m_hWnd) &&
        DispatchSheetNotify(header, result)) {
        // The answer is the message's result; a dialog also leaves it here.
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, *result);
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

// --- CPropertySheet ----------------------------------------------------------

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
{
    Construct(parent, selectPage);
    if (captionId != 0)
        m_strCaption.LoadString(captionId);
}

CPropertySheet::CPropertySheet(LPCSTR caption, CWnd* parent, UINT selectPage)
{
    Construct(parent, selectPage);
    if (caption != NULL)
        m_strCaption = caption;
}

void CPropertySheet::Construct(CWnd* parent, UINT selectPage)
{
    m_psh = PROPSHEETHEADERA();
    m_psh.dwSize = sizeof(m_psh);
    m_psh.nStartPage = selectPage;
    m_pParentWnd = parent;
    m_nModalResult = -1;
    m_nPendingResult = IDCANCEL;
    m_bEndRequested = FALSE;
    m_nLastActive = -1;
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (page == nullptr)
        return;
    m_pages.push_back(page);
    if (m_hWnd == NULL)
        return;
    page->PrepareSheetPage();
    HPROPSHEETPAGE handle = ::CreatePropertySheetPageA(&page->m_psp);
    if (handle != NULL)
        SendMessage(PSM_ADDPAGE, 0, (LPARAM)handle);
}

void CPropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return;
    if (m_hWnd != NULL)
        SendMessage(PSM_REMOVEPAGE, (WPARAM)index, 0);
    m_pages.erase(m_pages.begin() + index);
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[(size_t)index] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i] == page)
            return (int)i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd != NULL) {
        HWND tab = (HWND)SendMessage(PSM_GETTABCONTROL);
        if (tab != NULL)
            return (int)::SendMessageA(tab, TCM_GETCURSEL, 0, 0);
    }
    return m_nLastActive >= 0 ? m_nLastActive : (int)m_psh.nStartPage;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    if (m_hWnd == NULL) {
        m_psh.nStartPage = (UINT)index;
        m_nLastActive = -1;
        return TRUE;
    }
    return (BOOL)SendMessage(PSM_SETCURSEL, (WPARAM)index, 0);
}

void CPropertySheet::SetWizardButtons(DWORD flags)
{
    if (m_hWnd != NULL)
        PostMessage(PSM_SETWIZBUTTONS, 0, (LPARAM)flags);
}

void CPropertySheet::SetFinishText(LPCSTR text)
{
    if (m_hWnd != NULL)
        SendMessage(PSM_SETFINISHTEXTA, 0, (LPARAM)text);
}

void CPropertySheet::SetTitle(LPCSTR text, UINT style)
{
    if (m_hWnd != NULL)
        SendMessage(PSM_SETTITLEA, style, (LPARAM)text);
    else {
        m_strCaption = text ? text : "";
        m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (style & PSH_PROPTITLE);
    }
}

BOOL CPropertySheet::Apply()
{
    return m_hWnd != NULL && SendMessage(PSM_APPLY) != 0;
}

void CPropertySheet::PressButton(int button)
{
    // Through the sheet's command, as a click: OnCommand sees every button.
    static const struct { int button; UINT command; } kButtons[] = {
        {PSBTN_BACK, ID_WIZBACK},   {PSBTN_NEXT, ID_WIZNEXT},     {PSBTN_FINISH, ID_WIZFINISH},
        {PSBTN_OK, IDOK},           {PSBTN_APPLYNOW, ID_APPLY_NOW}, {PSBTN_CANCEL, IDCANCEL},
    };
    for (const auto& row : kButtons) {
        if (row.button == button && m_hWnd != NULL) {
            HWND control = ::GetDlgItem(m_hWnd, (int)row.command);
            SendMessage(WM_COMMAND, MAKEWPARAM(row.command, BN_CLICKED), (LPARAM)control);
        }
    }
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    int meaning = (id == IDOK || id == ID_WIZFINISH) ? IDOK : id == IDCANCEL ? IDCANCEL : 0;
    if (meaning == 0)
        return CWnd::OnCommand(wParam, lParam);
    // A derived table may take the button first; else the system sheet runs
    // it (apply, cancel queries). The sheet has ended when it leaves no
    // current page.
    if (!CWnd::OnCommand(wParam, lParam))
        Default();
    if (Ended())
        m_nPendingResult = meaning;
    return TRUE;
}

void CPropertySheet::EndDialog(int result)
{
    m_nModalResult = result;
    m_nPendingResult = result;
    m_bEndRequested = TRUE;
    if (m_hWnd != NULL)
        PostMessage(WM_NULL); // wakes the loop if it waits
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg)
{
    bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                 (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    if (!input || m_hWnd == NULL || (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)))
        return FALSE;
    return SendMessage(PSM_ISDIALOGMESSAGE, 0, (LPARAM)msg) != 0;
}

HWND CPropertySheet::ModalOwner() const
{
    CWnd* main = AfxGetMainWnd();
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : (main ? main->m_hWnd : NULL);
    while (owner != NULL && (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    return owner;
}

void CPropertySheet::PlaceOnScreen(HWND owner)
{
    // Centred over the owner, and wholly on the owner's monitor: the system
    // puts a sheet at its owner's corner, which may leave its buttons off
    // the screen.
    RECT sheet, around;
    ::GetWindowRect(m_hWnd, &sheet);
    if (m_hPlaceAround != NULL && ::IsWindowVisible(m_hPlaceAround) && !::IsIconic(m_hPlaceAround))
        owner = m_hPlaceAround;
    HMONITOR monitor = ::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(monitor, &info))
        return;
    const RECT work = info.rcWork;
    if (owner == NULL || !::GetWindowRect(owner, &around))
        around = work;
    const int width = sheet.right - sheet.left, height = sheet.bottom - sheet.top;
    int x = (around.left + around.right - width) / 2;
    int y = (around.top + around.bottom - height) / 2;
    x = x + width > work.right ? work.right - width : x;
    y = y + height > work.bottom ? work.bottom - height : y;
    x = x < work.left ? work.left : x;
    y = y < work.top ? work.top : y;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CPropertySheet::Ended() const
{
    return m_bEndRequested || m_hWnd == NULL || SendMessage(PSM_GETCURRENTPAGEHWND) == 0;
}

void CPropertySheet::RunModalLoop()
{
    MSG msg = {};
    while (!Ended()) {
        if (!::GetMessageA(&msg, NULL, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam); // the outer loops end too
            m_nPendingResult = -1;
            return;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != NULL)
        return -1;
    m_sheetPages.clear();
    for (CPropertyPage* page : m_pages) {
        page->PrepareSheetPage();
        m_sheetPages.push_back(page->m_psp);
    }
    HWND owner = ModalOwner();
    const DWORD callerFlags = m_psh.dwFlags;
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = (callerFlags | PSH_PROPSHEETPAGE | PSH_MODELESS) & ~PSH_USEPSTARTPAGE;
    m_psh.hwndParent = owner;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)m_sheetPages.size();
    m_psh.ppsp = m_sheetPages.empty() ? nullptr : m_sheetPages.data();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;

    BOOL enableOwner = owner != NULL && ::IsWindowEnabled(owner);
    if (enableOwner)
        ::EnableWindow(owner, FALSE);
    m_nModalResult = -1;
    m_nPendingResult = IDCANCEL;
    m_bEndRequested = FALSE;
    m_nLastActive = -1;
    AfxInitCommonControls();
    HWND sheet;
    {
        CCreationHook hook(this);
        sheet = (HWND)::PropertySheetA(&m_psh);
    }
    if (sheet != NULL && sheet == m_hWnd) {
        PlaceOnScreen(owner);
        OnSheetCreated();
        RunModalLoop();
        if (!m_bEndRequested)
            m_nModalResult = m_nPendingResult;
        m_nLastActive = GetActiveIndex();
    } else if (sheet != NULL && sheet != m_hWnd) {
        ::DestroyWindow(sheet); // made without our object: nothing can run it
    }
    if (m_hWnd != NULL)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner != NULL && m_hWnd != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    m_psh.dwFlags = callerFlags;
    m_psh.ppsp = nullptr;
    m_psh.nPages = 0;
    return m_nModalResult;
}
