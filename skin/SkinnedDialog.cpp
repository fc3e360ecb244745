#include "skin/SkinnedDialog.h"

CSkinnedDialog::CSkinnedDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CSkinnedDialog::~CSkinnedDialog()
{
    // A window still open gets its own look back before the object goes.
    ReleaseSkin();
}

SkinLoadResult CSkinnedDialog::SetSkin(LPCSTR iniPath, LPCSTR library)
{
    if (m_hWnd == NULL)
        return kSkinFilesMissing;
    const SkinLoadResult result = LoadDialogSkin(this, m_skin, iniPath, library);
    if (result == kSkinLoaded)
        OnSkinChanged();
    return result;
}

void CSkinnedDialog::ReleaseSkin()
{
    // The manager's destructor takes the skin off a window that still wears it.
    m_skin.reset();
}

LRESULT CSkinnedDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
    if (message == WM_DESTROY)
        ReleaseSkin();
    return result;
}
