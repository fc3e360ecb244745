#include "platform/mfc/FrameWnd.h"

#include "platform/mfc/Menu.h"
#include "platform/mfc/Resource.h"

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_INITMENUPOPUP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

BOOL UpdateThroughFrame(CWnd* target, UINT id, BOOL& enable)
{
    CFrameWnd* frame = dynamic_cast<CFrameWnd*>(target);
    return frame != NULL && frame->OnUpdateCommand(id, enable);
}

// The first command of a popup (and its submenus), 0 for none.
UINT FirstCommand(HMENU menu, int depth = 0)
{
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count && depth < 16; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            if (UINT id = FirstCommand(sub, depth + 1))
                return id;
            continue;
        }
        UINT id = ::GetMenuItemID(menu, i);
        if (id != 0 && id != (UINT)-1)
            return id;
    }
    return 0;
}

} // namespace

void AfxUpdateMenuItems(CWnd* target, HMENU popup, BOOL (*update)(CWnd*, UINT, BOOL&))
{
    if (popup == NULL || !::IsMenu(popup) || update == NULL)
        return;
    int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(popup, i);
        UINT id = sub ? FirstCommand(sub) : ::GetMenuItemID(popup, i);
        if (id == 0 || id == (UINT)-1 || id >= 0xF000)
            continue;
        BOOL enable = TRUE;
        if (update(target, id, enable))
            ::EnableMenuItem(popup, (UINT)i, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
        // The handler may have removed items: go on from where we stand.
        int now = ::GetMenuItemCount(popup);
        if (now < count) {
            i -= count - now;
            count = now;
        }
    }
}

CFrameWnd::CFrameWnd() : m_hMenuDefault(NULL) {}

CFrameWnd::~CFrameWnd()
{
    if (m_hMenuDefault != NULL && ::IsMenu(m_hMenuDefault) && CMenu::FromHandlePermanent(m_hMenuDefault) == NULL)
        ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                       LPCSTR menuName, DWORD exStyle, void* context)
{
    HMENU menu = NULL;
    if (menuName != NULL) {
        menu = ::LoadMenuA(AfxFindResourceHandle(menuName, RT_MENU), menuName);
        if (menu == NULL)
            return FALSE;
    }
    m_strTitle = title ? title : "";
    if (!CreateEx(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : NULL, menu, context)) {
        if (menu != NULL)
            ::DestroyMenu(menu);
        return FALSE;
    }
    m_hMenuDefault = menu;
    return TRUE;
}

BOOL CFrameWnd::OnUpdateCommand(UINT id, BOOL& enable)
{
    (void)id;
    (void)enable;
    return FALSE;
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    (void)index;
    if (popup != NULL && !sysMenu)
        AfxUpdateMenuItems(this, popup->m_hMenu, &UpdateThroughFrame);
    Default();
}

void CFrameWnd::OnDestroy()
{
    // The menu bar goes with the window; the frame forgets it.
    if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) == m_hMenuDefault)
        m_hMenuDefault = NULL;
    Default();
}

// --- MDI ----------------------------------------------------------------------------

BOOL CMDIFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                          LPCSTR menuName, DWORD exStyle, void* context)
{
    if (!CFrameWnd::Create(className, title, style | WS_CLIPCHILDREN, rect, parent, menuName, exStyle, context))
        return FALSE;
    CLIENTCREATESTRUCT client = {};
    HMENU bar = ::GetMenu(m_hWnd);
    client.hWindowMenu = bar ? ::GetSubMenu(bar, 0) : NULL;
    client.idFirstChild = 0xFF00;
    CRect area;
    GetClientRect(&area);
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", NULL,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0,
                                        area.Width(), area.Height(), m_hWnd, (HMENU)(UINT_PTR)0xE900,
                                        AfxGetInstanceHandle(), &client);
    return m_hWndMDIClient != NULL;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIChildWnd::CreateChild(LPCSTR title, CMDIFrameWnd* parent, DWORD style)
{
    if (parent == NULL || parent->m_hWndMDIClient == NULL || m_hWnd != NULL)
        return FALSE;
    m_strTitle = title ? title : "";
    MDICREATESTRUCTA create = {};
    create.szClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    create.szTitle = title;
    create.hOwner = AfxGetInstanceHandle();
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = style;
    HWND child;
    {
        CCreationHook hook(this);
        child = (HWND)::SendMessageA(parent->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&create);
    }
    return child != NULL && child == m_hWnd;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND client = ::GetParent(m_hWnd);
    return dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(client ? ::GetParent(client) : NULL));
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CMiniFrameWnd::CreateMini(LPCSTR title, DWORD style, const RECT& rect, CWnd* parent)
{
    return CFrameWnd::Create(NULL, title, style | WS_POPUP | WS_CAPTION | WS_SYSMENU, rect, parent, NULL,
                             WS_EX_TOOLWINDOW);
}
