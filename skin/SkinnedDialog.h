// CSkinnedDialog: a dialog that wears a skin. It owns the skin's manager
// (the skin's controls, background and shape), changes it with SetSkin,
// and takes it off and releases it when its window is destroyed, so the
// window object can be created again without anything of the old skin left
// (no subclassed control, no GDI object). The control panel, the picture
// dialog and the tool bar derive from it. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"
#include "skin/SkinManager.h"

#include <memory>

class CSkinnedDialog : public CDialog
{
public:
    explicit CSkinnedDialog(UINT templateId, CWnd* parent = NULL);
    ~CSkinnedDialog() override;

    // Dresses the dialog in the skin of `iniPath` with the pictures of
    // `library` (see LoadDialogSkin: the skin worn stays unless the new one
    // builds). The dialog's window must exist.
    SkinLoadResult SetSkin(LPCSTR iniPath, LPCSTR library);
    // Takes the skin off and releases it; the dialog looks as its template
    // made it.
    void ReleaseSkin();
    BOOL HasSkin() const { return m_skin != nullptr; }
    // The skin worn, NULL when none; the dialog keeps it.
    CSkinManager* GetSkin() const { return m_skin.get(); }

protected:
    // Called after a skin was put on (places that follow the skin's size).
    virtual void OnSkinChanged() {}
    // Releases the skin once the dialog has seen its WM_DESTROY, while the
    // controls it dressed still exist.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::unique_ptr<CSkinManager> m_skin;
};
