#include "skin/NewDialog.h"

BEGIN_MESSAGE_MAP(CNewDialog, CNewFrame<CDialog>)
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

namespace {

BOOL UpdateThroughDialog(CWnd* target, UINT id, BOOL& enable)
{
    CNewDialog* dialog = dynamic_cast<CNewDialog*>(target);
    return dialog != NULL && dialog->OnUpdateCommand(id, enable);
}

} // namespace

BOOL CNewDialog::OnInitDialog()
{
    BOOL result = CNewFrame<CDialog>::OnInitDialog();
    TakeMenus(m_hWnd, TRUE);
    return result;
}

BOOL CNewDialog::OnUpdateCommand(UINT id, BOOL& enable)
{
    (void)id;
    (void)enable;
    return FALSE;
}

void CNewDialog::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    (void)index;
    // Whatever mode a control is in (a drag, a capture) ends as a menu opens.
    ::SendMessageA(m_hWnd, WM_CANCELMODE, 0, 0);
    if (popup == NULL)
        return;
    if (!sysMenu)
        AfxUpdateMenuItems(this, popup->m_hMenu, &UpdateThroughDialog);
    CNewMenu::PrepareToShowPopup(m_hWnd, popup->m_hMenu);
}
