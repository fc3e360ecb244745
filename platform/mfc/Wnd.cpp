#include "platform/mfc/Wnd.h"

#include "platform/mfc/HandleMap.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/Resource.h"
#include "platform/mfc/WinApp.h"

#include <commctrl.h>

#include <map>
#include <string>

namespace {

// Never destroyed: global window objects are destroyed after every other
// static at exit and still look themselves up.
CHandleMap<HWND, CWnd>& WindowMap()
{
    static CHandleMap<HWND, CWnd>* map = new CHandleMap<HWND, CWnd>(&::IsWindow);
    return *map;
}

// The message being dispatched on this thread, for Default().
thread_local MSG t_current = {};
// The object whose window is being made on this thread: the creation hook
// attaches it to the first window the system creates.
thread_local CWnd* t_creating = nullptr;
thread_local HHOOK t_cbtHook = NULL;

// The system may make an input-method window of its own while ours is
// created; it must not take our object.
bool IsInputMethodWindow(HWND hWnd)
{
    char name[32] = {0};
    ::GetClassNameA(hWnd, name, sizeof(name));
    return lstrcmpiA(name, "IME") == 0 || lstrcmpiA(name, "MSCTFIME UI") == 0;
}

BOOL ModifyWindowLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT swpFlags)
{
    DWORD style = (DWORD)::GetWindowLongA(hWnd, index);
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongA(hWnd, index, (LONG)changed);
    if (swpFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

// The child a parent's message came from, when it is one a control may
// answer for itself (owner drawing, colours, notifications, scrolling).
HWND ReflectionSource(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* dis = (const DRAWITEMSTRUCT*)lParam;
        return dis && dis->CtlType != ODT_MENU ? dis->hwndItem : NULL;
    }
    case WM_MEASUREITEM: {
        const MEASUREITEMSTRUCT* mis = (const MEASUREITEMSTRUCT*)lParam;
        return mis && mis->CtlType != ODT_MENU ? ::GetDlgItem(parent, (int)mis->CtlID) : NULL;
    }
    case WM_COMPAREITEM:
        return lParam ? ((const COMPAREITEMSTRUCT*)lParam)->hwndItem : NULL;
    case WM_DELETEITEM:
        return lParam ? ((const DELETEITEMSTRUCT*)lParam)->hwndItem : NULL;
    case WM_HSCROLL:
    case WM_VSCROLL:
        return (HWND)lParam;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return (HWND)lParam;
    default:
        (void)wParam;
        return NULL;
    }
}

bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// A menu (or one of its submenus) holding the item; NULL when none does.
HMENU FindMenuHolding(HMENU menu, UINT itemId, int depth = 0)
{
    if (menu == NULL || !::IsMenu(menu) || depth > 16)
        return NULL;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (::GetMenuItemID(menu, i) == itemId || (sub != NULL && (UINT)(UINT_PTR)sub == itemId))
            return menu;
        if (HMENU found = FindMenuHolding(sub, itemId, depth + 1))
            return found;
    }
    return NULL;
}

} // namespace

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_creating != nullptr && !IsInputMethodWindow((HWND)wParam)) {
        CWnd* wnd = t_creating;
        t_creating = nullptr;
        if (wnd->Attach((HWND)wParam)) {
            wnd->PreSubclassWindow(); // as for a window taken over
            wnd->HookWindowProc();
        }
    }
    return ::CallNextHookEx(t_cbtHook, code, wParam, lParam);
}

CCreationHook::CCreationHook(CWnd* wnd) : m_outer(t_creating), m_hookOwner(t_cbtHook == NULL)
{
    t_creating = wnd;
    if (m_hookOwner)
        t_cbtHook = ::SetWindowsHookExA(WH_CBT, &AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
}

CCreationHook::~CCreationHook()
{
    t_creating = m_outer;
    if (m_hookOwner && t_cbtHook != NULL) {
        ::UnhookWindowsHookEx(t_cbtHook);
        t_cbtHook = NULL;
    }
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (wnd == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    MSG outer = t_current;
    t_current.hwnd = hWnd;
    t_current.message = message;
    t_current.wParam = wParam;
    t_current.lParam = lParam;
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Looked up again: a handler may have let the window go.
        if (CWnd* owner = CWnd::FromHandlePermanent(hWnd))
            owner->OnNcDestroyed(); // may delete the object
    }
    t_current = outer;
    return result;
}

void AfxInitCommonControls()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls = {};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES;
        return ::InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}

LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::map<std::string, std::string> classes;
    char key[128];
    wsprintfA(key, "Afx:%x:%p:%p:%p", classStyle, (void*)cursor, (void*)background, (void*)icon);
    auto it = classes.find(key);
    if (it != classes.end())
        return it->second.c_str();
    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = key;
    WNDCLASSA existing;
    if (!::GetClassInfoA(wc.hInstance, key, &existing) && !::RegisterClassA(&wc))
        return NULL;
    return classes.emplace(key, key).first->second.c_str();
}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL) {}

CWnd::CWnd(HWND insertAfter) : m_hWnd(insertAfter), m_pfnSuper(NULL) {}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    m_hWnd = NULL;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return WindowMap().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return WindowMap().LookupPermanent(hWnd);
}

BOOL CWnd::Attach(HWND hWnd)
{
    return WindowMap().Attach(hWnd, this, m_hWnd);
}

HWND CWnd::Detach()
{
    return WindowMap().Detach(this, m_hWnd);
}

void CWnd::HookWindowProc()
{
    m_pfnSuper = (WNDPROC)::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (m_pfnSuper == &AfxWndProc)
        m_pfnSuper = NULL; // cannot happen while the map holds one object per window
}

void CWnd::OnNcDestroyed()
{
    CWinApp* app = AfxGetApp();
    if (app != NULL && app->m_pMainWnd == this)
        app->m_pMainWnd = NULL;
    if (m_pfnSuper != NULL && (WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == &AfxWndProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    Detach();
    PostNcDestroy();
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT idOrMenu, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    parent ? parent->m_hWnd : NULL, (HMENU)(UINT_PTR)idOrMenu, param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, LPVOID param)
{
    if (m_hWnd != NULL)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className ? className : AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = idOrMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs))
        return FALSE;
    AfxInitCommonControls();
    HWND hWnd;
    {
        CCreationHook hook(this);
        hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                 cs.lpCreateParams);
    }
    return hWnd != NULL && m_hWnd == hWnd;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    HWND hWnd = m_hWnd;
    bool permanent = FromHandlePermanent(hWnd) == this;
    BOOL ok = ::DestroyWindow(hWnd);
    // A window attached without our procedure never sees its WM_NCDESTROY here.
    if (permanent && WindowMap().LookupPermanent(hWnd) == this)
        Detach();
    return ok;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    HookWindowProc();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (parent == NULL)
        return FALSE;
    HWND item = ::GetDlgItem(parent->m_hWnd, (int)id);
    return item != NULL && SubclassWindow(item);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == NULL)
        return NULL;
    if (m_pfnSuper != NULL)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &t_current;
}

UINT CWnd::GetCurrentCtlColor()
{
    return IsCtlColorMessage(t_current.message) ? t_current.message - WM_CTLCOLORMSGBOX : 0;
}

BOOL CWnd::PreTranslateMessage(MSG* msg)
{
    (void)msg;
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND hWnd = msg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = FromHandlePermanent(hWnd);
        if (wnd != NULL && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (hWnd == stop)
            break;
    }
    return FALSE;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) {
        HWND parent = ::GetParent(hWnd);
        if (parent == NULL)
            break;
        hWnd = parent;
    }
    return FromHandle(hWnd);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : NULL, x, y, cx, cy, flags);
}

void CWnd::ClientToScreen(LPRECT r) const
{
    ::MapWindowPoints(m_hWnd, NULL, (LPPOINT)r, 2);
}

void CWnd::ScreenToClient(LPRECT r) const
{
    ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)r, 2);
}

void CWnd::CenterWindow(CWnd* alternate)
{
    CRect area;
    HWND parent = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : NULL;
    if (parent != NULL) {
        ::GetClientRect(parent, &area);
    } else {
        HWND over = alternate ? alternate->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
        if (over != NULL && ::IsWindowVisible(over) && !::IsIconic(over)) {
            ::GetWindowRect(over, &area);
        } else {
            MONITORINFO info = {};
            info.cbSize = sizeof(info);
            ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &info);
            area = info.rcWork;
        }
    }
    CRect window;
    GetWindowRect(&window);
    int x = area.left + (area.Width() - window.Width()) / 2;
    int y = area.top + (area.Height() - window.Height()) / 2;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::RedrawWindow(LPCRECT rect, CRgn* region, UINT flags)
{
    return ::RedrawWindow(m_hWnd, rect, region ? (HRGN)*region : NULL, flags);
}

int CWnd::SetWindowRgn(CRgn& region, BOOL redraw)
{
    int ok = ::SetWindowRgn(m_hWnd, region, redraw);
    if (ok)
        region.Detach();
    return ok;
}

void CWnd::GetWindowText(CString& text) const
{
    int length = GetWindowTextLength();
    ::GetWindowTextA(m_hWnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int id, CString& text) const
{
    HWND item = ::GetDlgItem(m_hWnd, id);
    int length = item ? ::GetWindowTextLengthA(item) : 0;
    ::GetDlgItemTextA(m_hWnd, id, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
    return text.GetLength();
}

int CWnd::GetCheckedRadioButton(int first, int last) const
{
    for (int id = first; id <= last; ++id) {
        if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED)
            return id;
    }
    return 0;
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* menu)
{
    return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : NULL);
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert));
}

// --- dispatch -------------------------------------------------------------

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    typedef CWnd ThisClass;
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_WM_DRAWITEM()
        ON_WM_MEASUREITEM()
        {0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        *result = 0;
        return OnCommand(wParam, lParam);
    }
    if (message == WM_NOTIFY)
        return lParam != 0 && OnNotify(wParam, lParam, result);
    HWND source = ReflectionSource(m_hWnd, message, wParam, lParam);
    if (source != NULL && source != m_hWnd) {
        CWnd* child = FromHandlePermanent(source);
        if (child != NULL && child->OnChildNotify(message, wParam, lParam, result))
            return TRUE;
    }
    UINT key = IsCtlColorMessage(message) ? (UINT)AFX_WM_CTLCOLOR : message;
    return DispatchTable(key, 0, 0, wParam, lParam, result);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND control = (HWND)lParam;
    // Menus and accelerators (no control) arrive under code 0, as buttons do.
    UINT code = control ? HIWORD(wParam) : 0;
    LRESULT result = 0;
    if (control != NULL && control != m_hWnd) {
        CWnd* child = FromHandlePermanent(control);
        if (child != NULL && child->OnChildNotify(WM_COMMAND, wParam, lParam, &result))
            return TRUE;
    }
    return DispatchTable(WM_COMMAND, code, LOWORD(wParam), wParam, lParam, &result);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = (const NMHDR*)lParam;
    if (header->hwndFrom != NULL && header->hwndFrom != m_hWnd) {
        CWnd* child = FromHandlePermanent(header->hwndFrom);
        if (child != NULL && child->OnChildNotify(WM_NOTIFY, wParam, lParam, result))
            return TRUE;
    }
    return DispatchTable(WM_NOTIFY, header->code, (UINT)header->idFrom, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT answer = 0;
    BOOL handled;
    if (message == WM_COMMAND) {
        handled = DispatchTable(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0, wParam, lParam, &answer);
    } else if (message == WM_NOTIFY) {
        handled = DispatchTable(WM_REFLECT_BASE + WM_NOTIFY, ((const NMHDR*)lParam)->code, 0,
                                wParam, lParam, &answer);
    } else if (IsCtlColorMessage(message)) {
        // A control that gives no brush leaves its colours to the parent.
        handled = DispatchTable(WM_REFLECT_BASE + AFX_WM_CTLCOLOR, 0, 0, wParam, lParam, &answer) &&
                  answer != 0;
    } else {
        handled = DispatchTable(WM_REFLECT_BASE + message, 0, 0, wParam, lParam, &answer);
    }
    if (handled && result != NULL)
        *result = answer;
    return handled;
}

BOOL CWnd::DispatchTable(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID) {
                *result = e->pfn(this, wParam, lParam);
                return TRUE;
            }
        }
    }
    return FALSE;
}

void CWnd::OnDrawItem(int id, LPDRAWITEMSTRUCT dis)
{
    (void)id;
    if (dis->CtlType == ODT_MENU) {
        if (CMenu* menu = CMenu::FromHandlePermanent((HMENU)dis->hwndItem)) {
            menu->DrawItem(dis);
            return;
        }
    }
    Default();
}

void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis)
{
    (void)id;
    if (mis->CtlType == ODT_MENU) {
        if (CMenu* menu = FindMenuOfItem(mis->itemID)) {
            menu->MeasureItem(mis);
            return;
        }
    }
    Default();
}

CMenu* CWnd::FindMenuOfItem(UINT itemId) const
{
    // A child window's "menu" is its control id.
    HMENU own = (GetStyle() & WS_CHILD) ? NULL : ::GetMenu(m_hWnd);
    HMENU candidates[] = {CMenu::GetTrackingMenu(m_hWnd), own};
    for (HMENU menu : candidates) {
        if (HMENU holder = FindMenuHolding(menu, itemId))
            return CMenu::FromHandlePermanent(holder);
    }
    return NULL;
}
