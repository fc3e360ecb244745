#include "skin/WzdToolTipCtrl.h"

HWND CWzdToolTipCtrl::ToolOwner() const
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    return owner ? owner : ::GetParent(m_hWnd);
}

BOOL CWzdToolTipCtrl::AddTool(UINT controlId, LPCSTR text)
{
    HWND owner = ToolOwner();
    HWND control = owner ? ::GetDlgItem(owner, controlId) : NULL;
    if (!control)
        return FALSE;
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = (UINT_PTR)control;
    info.lpszText = (LPSTR)text;
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&info);
}

BOOL CWzdToolTipCtrl::AddToolFromResource(UINT controlId, UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    return AddTool(controlId, text);
}

BOOL CWzdToolTipCtrl::AddRectTool(UINT toolId, LPCRECT rect, LPCSTR text)
{
    HWND owner = ToolOwner();
    if (!owner || !rect)
        return FALSE;
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = toolId;
    info.rect = *rect;
    info.lpszText = (LPSTR)text;
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&info);
}

BOOL CWzdToolTipCtrl::AddRectToolFromResource(UINT toolId, LPCRECT rect, UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    return AddRectTool(toolId, rect, text);
}
