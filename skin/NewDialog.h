// CNewDialog: a dialog whose menu bar and system menu are CNewMenus; its
// popups get the command-update pass of a frame before they show. UI thread.
#pragma once
#include "skin/NewFrame.h"

class CNewDialog : public CNewFrame<CDialog>
{
public:
    CNewDialog() {}
    explicit CNewDialog(UINT templateId, CWnd* parent = NULL) : CNewFrame<CDialog>(templateId, parent) {}
    explicit CNewDialog(LPCSTR templateName, CWnd* parent = NULL) : CNewFrame<CDialog>(templateName, parent) {}

    // The system menu and the template's menu taken into the CNewMenus.
    BOOL OnInitDialog() override;
    // The enabled state of a command, as a frame asks it: FALSE when the
    // dialog has nothing to say.
    virtual BOOL OnUpdateCommand(UINT id, BOOL& enable);

protected:
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    DECLARE_MESSAGE_MAP()
};
