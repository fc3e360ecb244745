// CWzdToolTipCtrl: a tool tip with short calls that attach tips to the
// controls of its owner dialog or to rectangles of it, with texts given or
// taken from the resource library. The window that creates it owns it; UI
// thread only.
#pragma once
#include "platform/mfc/CommonControls.h"

class CWzdToolTipCtrl : public CToolTipCtrl
{
public:
    // A tip over the owner's control `controlId`; FALSE when there is no
    // such control or the tip could not be added.
    BOOL AddTool(UINT controlId, LPCSTR text);
    BOOL AddToolFromResource(UINT controlId, UINT stringId);
    // A tip over a rectangle of the owner, in its client coordinates.
    BOOL AddRectTool(UINT toolId, LPCRECT rect, LPCSTR text);
    BOOL AddRectToolFromResource(UINT toolId, LPCRECT rect, UINT stringId);

    using CToolTipCtrl::AddTool;

private:
    // The window whose controls and rectangles get tips: the owner, or the
    // parent without one.
    HWND ToolOwner() const;
};
