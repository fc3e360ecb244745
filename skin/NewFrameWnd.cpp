#include "skin/NewFrameWnd.h"

BOOL CNewFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                          LPCSTR menuName, DWORD exStyle, void* context)
{
    HMENU menu = NULL;
    if (menuName != NULL) {
        if (!m_DefaultNewMenu.LoadMenu(menuName))
            return FALSE;
        menu = m_DefaultNewMenu.m_hMenu;
    }
    m_strTitle = title ? title : "";
    CFrameWnd::m_strTitle = m_strTitle;
    return CreateEx(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : NULL, menu, context);
}
