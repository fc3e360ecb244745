#include "settings/BasePage.h"

#include "settings/SettingsPanel.h"

CBasePage::CBasePage(UINT templateId, const SettingsContext& context)
    : CPropertyPage(templateId), m_manager(context.manager), m_panel(context.panel)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

void CBasePage::SetModified(BOOL changed)
{
    if (changed && m_nFilling > 0)
        return;
    CPropertyPage::SetModified(changed);
}

void CBasePage::LoadQuietly()
{
    ++m_nFilling;
    LoadSettings();
    --m_nFilling;
}

void CBasePage::UpdateDataQuietly()
{
    ++m_nFilling;
    UpdateData(FALSE);
    --m_nFilling;
}

BOOL CBasePage::SaveSettings()
{
    SetModified(FALSE);
    return TRUE;
}

BOOL CBasePage::IsInWizard() const
{
    const CPropertySheet* sheet = GetParentSheet();
    return sheet != nullptr && sheet->IsWizard();
}

BOOL CBasePage::PreTranslateMessage(MSG* msg)
{
    // Neither key may close the sheet from inside a page (an edit's Enter
    // would press OK, Escape would cancel the user's changes).
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        return TRUE;
    return CPropertyPage::PreTranslateMessage(msg);
}

BOOL CBasePage::OnInitDialog()
{
    ++m_nFilling;
    CPropertyPage::OnInitDialog();
    --m_nFilling;
    LoadQuietly();
    return TRUE; // the focus goes to the default control
}

BOOL CBasePage::OnApply()
{
    if (!SaveSettings())
        return FALSE;
    LoadQuietly();
    return CPropertyPage::OnApply();
}

BOOL CBasePage::OnSetActive()
{
    CPropertySheet* sheet = GetParentSheet();
    if (sheet != nullptr) {
        CString text;
        GetWindowText(text);
        sheet->SetTitle(text, PSH_PROPTITLE);
        if (IsInWizard()) {
            const int count = sheet->GetPageCount();
            const int index = sheet->GetPageIndex(this);
            DWORD buttons = PSWIZB_FINISH;
            if (count > 1)
                buttons = index <= 0 ? PSWIZB_NEXT
                                     : index + 1 >= count ? (PSWIZB_BACK | PSWIZB_FINISH)
                                                          : (PSWIZB_BACK | PSWIZB_NEXT);
            sheet->SetWizardButtons(buttons);
        }
    }
    ++m_nFilling;
    const BOOL active = CPropertyPage::OnSetActive();
    --m_nFilling;
    return active;
}
