#include "skin/NewMenuHook.h"

#include "graph/DebugHelper.h"
#include "skin/MenuSystem.h"
#include "skin/MenuTheme.h"
#include "skin/MenuThemeXP.h"
#include "skin/NewMenu.h"
#include "skin/NewMenuIcons.h"

#include <set>

const char kOldMenuProc[] = "OldMenuProc";

namespace {

// The menu window's sizing message (the system sends it to popup menus
// before they show; Wine never does).
const UINT WM_MENU_SIZEWINDOW = 0x1E2;
const UINT_PTR kFirstMenuBarTimer = 31;
const UINT_PTR kLastMenuBarTimer = 99;

struct HookState
{
    HHOOK hook = NULL;
    std::map<HWND, std::unique_ptr<CMenuHookData>> windows;
    std::vector<std::unique_ptr<CMenuTheme>> themes;
    std::map<HWND, std::set<UINT_PTR>> timers;
    CPoint lastKey;
    int nesting = 0;
};

// The UI thread's; never destroyed, as a window may be released after the
// hook object has gone.
HookState& State()
{
    static HookState* state = new HookState;
    return *state;
}

void TraceLastError(LPCSTR what)
{
    DWORD error = ::GetLastError();
    if (error == 0)
        return;
    char text[256] = {0};
    if (::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error,
                         MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof(text), NULL) == 0)
        wsprintfA(text, "Error message 0x%lx not found", error);
    DebugHelper("Menu hook: %s failed: %s\n", what, text);
}

bool IsMenuWindow(HWND hWnd)
{
    char name[8] = {0};
    return ::GetClassNameA(hWnd, name, sizeof(name)) == 6 && lstrcmpA(name, "#32768") == 0;
}

CMenuTheme* Theme()
{
    return CMenuTheme::Global();
}

struct Nesting
{
    Nesting() { ++State().nesting; }
    ~Nesting() { --State().nesting; }
};

// The program's six themes: id, look, and whether it draws the border.
struct ThemeRow
{
    UINT id;
    bool xp;
    CMenuTheme::DrawFn draw;
    DWORD flags;
};
const ThemeRow kThemes[] = {
    {0, false, &CMenuTheme::DrawClassic, CMenuTheme::kDrawBorder},
    {1, false, &CMenuTheme::DrawClassic, 0},
    {2, true, nullptr, CMenuTheme::kDrawBorder},
    {3, true, nullptr, 0},
    {4, false, &CMenuTheme::DrawSpecial, CMenuTheme::kDrawBorder},
    {5, false, &CMenuTheme::DrawSpecial, 0},
};
static_assert(sizeof(kThemes) / sizeof(kThemes[0]) == 6, "six themes");

} // namespace

CNewMenuHook::CNewMenuHook() : m_hHook(NULL), m_bOwnsThemes(FALSE)
{
    CMenuSystem::Refresh(); // the version class and the remote-desktop flag
    if (!CMenuSystem::LoadGradientFill())
        DebugHelper("Menu hook: no GradientFill; title bands are drawn in steps\n");
    if (State().themes.empty()) {
        m_bOwnsThemes = TRUE;
        for (const ThemeRow& row : kThemes) {
            CMenuTheme* theme = row.xp ? (CMenuTheme*)new CMenuThemeXP(row.id, row.flags)
                                       : new CMenuTheme(row.id, &CMenuTheme::MeasureClassic, row.draw,
                                                        &CMenuTheme::DrawTitleBand, row.flags);
            if (!AddTheme(theme))
                delete theme;
        }
    }
    SetActiveTheme(kProgramTheme);
    if (State().hook != NULL)
        return; // another object holds the hook
    ::SetLastError(0);
    m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &CallWndProc, NULL, ::GetCurrentThreadId());
    if (m_hHook == NULL)
        TraceLastError("SetWindowsHookEx");
    State().hook = m_hHook;
}

CNewMenuHook::~CNewMenuHook()
{
    HookState& state = State();
    if (m_hHook != NULL) {
        // Windows still taken over get their procedures back first.
        while (!state.windows.empty())
            Release(state.windows.begin()->first);
        if (!::UnhookWindowsHookEx(m_hHook))
            TraceLastError("UnhookWindowsHookEx");
        state.hook = NULL;
        m_hHook = NULL;
    }
    if (m_bOwnsThemes) {
        CMenuTheme::SetGlobal(NULL);
        state.themes.clear();
        CMenuSystem::FreeGradientFill();
        CNewMenuIcons::DeleteAll();
    }
}

CMenuHookData* CNewMenuHook::FindHookData(HWND hWnd)
{
    auto& windows = State().windows;
    auto it = windows.find(hWnd);
    return it == windows.end() ? NULL : it->second.get();
}

size_t CNewMenuHook::HookDataCount()
{
    return State().windows.size();
}

CPoint CNewMenuHook::LastMenuKeyPosition()
{
    return State().lastKey;
}

BOOL CNewMenuHook::AddTheme(CMenuTheme* theme)
{
    if (theme == NULL || FindTheme(theme->m_nId) != NULL)
        return FALSE;
    for (auto& listed : State().themes)
        if (listed.get() == theme)
            return FALSE;
    State().themes.emplace_back(theme);
    return TRUE;
}

CMenuTheme* CNewMenuHook::FindTheme(UINT id)
{
    for (auto& theme : State().themes)
        if (theme->m_nId == id)
            return theme.get();
    return NULL;
}

BOOL CNewMenuHook::SetActiveTheme(UINT id)
{
    CMenuTheme* theme = FindTheme(id);
    if (theme == NULL)
        return FALSE;
    CMenuTheme::SetGlobal(theme);
    return TRUE;
}

UINT_PTR CNewMenuHook::SetMenuBarTimer(HWND hWnd, UINT elapse)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return 0;
    std::set<UINT_PTR>& running = State().timers[hWnd];
    for (UINT_PTR id = kFirstMenuBarTimer; id <= kLastMenuBarTimer; ++id) {
        if (running.count(id))
            continue;
        if (::SetTimer(hWnd, id, elapse, NULL) == 0)
            return 0;
        running.insert(id);
        return id;
    }
    return 0;
}

void CNewMenuHook::KillMenuBarTimer(HWND hWnd, UINT_PTR id)
{
    auto it = State().timers.find(hWnd);
    if (it == State().timers.end())
        return;
    it->second.erase(id);
    if (it->second.empty())
        State().timers.erase(it);
    if (::IsWindow(hWnd))
        ::KillTimer(hWnd, id);
}

// --- the hook ---------------------------------------------------------------------

LRESULT CALLBACK CNewMenuHook::CallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam != 0) {
        const CWPSTRUCT* call = (const CWPSTRUCT*)lParam;
        if (call->message == WM_CREATE || call->message == WM_MENU_SIZEWINDOW)
            TakeOver(call->hwnd, call->message == WM_MENU_SIZEWINDOW);
    }
    return ::CallNextHookEx(State().hook, code, wParam, lParam);
}

void CNewMenuHook::TakeOver(HWND hWnd, BOOL onSize)
{
    HookState& state = State();
    if (hWnd == NULL || !IsMenuWindow(hWnd))
        return;
    if (state.windows.find(hWnd) == state.windows.end()) {
        WNDPROC old = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
        if (old == NULL || old == &SubClassMenu || ::GetPropA(hWnd, kOldMenuProc) != NULL)
            return;
        ::SetLastError(0);
        if (!::SetPropA(hWnd, kOldMenuProc, (HANDLE)old)) {
            TraceLastError("SetProp");
            return;
        }
        if ((WNDPROC)::GetPropA(hWnd, kOldMenuProc) != old) {
            ::RemovePropA(hWnd, kOldMenuProc);
            return;
        }
        ::GlobalAddAtomA(kOldMenuProc);
        state.windows[hWnd].reset(new CMenuHookData(hWnd, onSize));
        ::SetLastError(0);
        if (::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&SubClassMenu) == 0 && ::GetLastError() != 0) {
            TraceLastError("SetWindowLongPtr");
            ::RemovePropA(hWnd, kOldMenuProc);
            if (ATOM atom = ::GlobalFindAtomA(kOldMenuProc))
                ::GlobalDeleteAtom(atom);
            state.windows.erase(hWnd);
            return;
        }
        if (CMenuTheme* theme = Theme())
            theme->OnInitWnd(hWnd);
    }
    CMenuHookData* data = FindHookData(hWnd);
    if (CNewMenu::s_hMenuToShow != NULL && data != NULL) {
        data->m_hMenu = CNewMenu::s_hMenuToShow;
        CNewMenu::s_hMenuToShow = NULL;
    }
}

void CNewMenuHook::Release(HWND hWnd)
{
    HookState& state = State();
    auto it = state.windows.find(hWnd);
    if (it == state.windows.end())
        return;
    WNDPROC old = (WNDPROC)::GetPropA(hWnd, kOldMenuProc);
    if (old != NULL)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)old);
    ::RemovePropA(hWnd, kOldMenuProc);
    if (ATOM atom = ::GlobalFindAtomA(kOldMenuProc))
        ::GlobalDeleteAtom(atom);
    if (CMenuTheme* theme = Theme())
        theme->OnUnInitWnd(hWnd);
    state.windows.erase(hWnd);
}

LRESULT CNewMenuHook::CallOld(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC old = (WNDPROC)::GetPropA(hWnd, kOldMenuProc);
    if (old == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return ::CallWindowProcA(old, hWnd, message, wParam, lParam);
}

LRESULT CNewMenuHook::ReleaseThenCallOld(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Releasing removes the property that names the old procedure: it is
    // read first, so the menu window still sees the message itself.
    WNDPROC old = (WNDPROC)::GetPropA(hWnd, kOldMenuProc);
    Release(hWnd);
    if (old == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return ::CallWindowProcA(old, hWnd, message, wParam, lParam);
}

void CNewMenuHook::CaptureScreenUnder(HWND hWnd, CMenuHookData& data, const WINDOWPOS& pos)
{
    (void)hWnd;
    if (CMenuSystem::State().dropShadow || pos.cx <= 0 || pos.cy <= 0)
        return;
    CClientDC screen(NULL);
    CDC memory;
    CBitmap under;
    if (!memory.CreateCompatibleDC(&screen) || !under.CreateCompatibleBitmap(&screen, pos.cx, pos.cy))
        return;
    {
        CDCSelect keep(memory, under);
        memory.BitBlt(0, 0, pos.cx, pos.cy, &screen, pos.x, pos.y, SRCCOPY);
    }
    data.m_ScreenUnder.DeleteObject();
    data.m_ScreenUnder.Attach(under.Detach());
    data.m_ScreenUnderRect.SetRect(pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy);
}

void CNewMenuHook::PaintFrame(HWND hWnd, CMenuHookData& data, WPARAM wParam)
{
    CMenuTheme* theme = Theme();
    HRGN update = (wParam > 1) ? (HRGN)wParam : NULL;
    HDC dc = wParam == 1 || update == NULL ? ::GetWindowDC(hWnd)
                                            : ::GetDCEx(hWnd, NULL, DCX_WINDOW | DCX_CACHE);
    if (dc == NULL)
        return;
    BOOL painted = theme->OnDrawBorder(hWnd, dc);
    ::ReleaseDC(hWnd, dc);
    if (painted) {
        CRect inner;
        theme->OnCalcFrameRect(hWnd, &inner);
        inner.DeflateRect(1, 1);
        HRGN region = ::CreateRectRgnIndirect(&inner);
        if (update != NULL)
            ::CombineRgn(region, region, update, RGN_AND);
        CallOld(hWnd, WM_NCPAINT, (WPARAM)region, 0);
        ::DeleteObject(region);
    } else {
        CallOld(hWnd, WM_NCPAINT, wParam, 0);
    }
    data.m_bDoPaint = TRUE;
}

LRESULT CNewMenuHook::Print(HWND hWnd, HDC target, LPARAM flags)
{
    CMenuTheme* theme = Theme();
    CRect window;
    ::GetWindowRect(hWnd, &window);
    CRect client;
    ::GetClientRect(hWnd, &client);
    ::MapWindowPoints(hWnd, NULL, (LPPOINT)&client, 2);
    client.OffsetRect(-window.left, -window.top);
    CTempDC targetDc(target);
    CDC memory;
    CBitmap picture;
    if (!memory.CreateCompatibleDC(&targetDc) ||
        !picture.CreateCompatibleBitmap(&targetDc, window.Width(), window.Height()))
        return CallOld(hWnd, WM_PRINT, (WPARAM)target, flags);
    {
        CDCSelect keep(memory, picture);
        theme->OnDrawBorder(hWnd, memory);
        CallOld(hWnd, WM_PRINT, (WPARAM)memory.m_hDC, flags & ~PRF_NONCLIENT);
        ::SetViewportOrgEx(memory, client.left, client.top, NULL);
        CallOld(hWnd, WM_ERASEBKGND, (WPARAM)memory.m_hDC, 0);
        CallOld(hWnd, WM_PRINTCLIENT, (WPARAM)memory.m_hDC, flags);
        ::SetViewportOrgEx(memory, 0, 0, NULL);
        targetDc.BitBlt(0, 0, window.Width(), window.Height(), &memory, 0, 0, SRCCOPY);
    }
    return 0;
}

LRESULT CALLBACK CNewMenuHook::SubClassMenu(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Nesting nesting;
    CMenuTheme* theme = Theme();
    CMenuHookData* data = FindHookData(hWnd);
    if (theme == NULL || data == NULL)
        return CallOld(hWnd, message, wParam, lParam);
    switch (message) {
    case WM_NCCALCSIZE: {
        LRESULT result = CallOld(hWnd, message, wParam, lParam);
        RECT* rect = (RECT*)lParam;
        if (rect != NULL && theme->OnNcCalcSize(hWnd, rect))
            return 0;
        return result;
    }
    case WM_ERASEBKGND:
        if (theme->OnEraseBkgnd(hWnd, (HDC)wParam))
            return 1;
        break;
    case WM_SHOWWINDOW:
        if (wParam == 0)
            return ReleaseThenCallOld(hWnd, message, wParam, lParam);
        break;
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        WINDOWPOS* pos = (WINDOWPOS*)lParam;
        if (pos == NULL)
            break;
        if (message == WM_WINDOWPOSCHANGING) {
            theme->OnWindowPosChanging(hWnd, pos);
            if ((pos->flags & SWP_SHOWWINDOW) && !(pos->flags & SWP_NOMOVE) && !(pos->flags & SWP_NOSIZE))
                CaptureScreenUnder(hWnd, *data, *pos);
        }
        if (!(pos->flags & SWP_NOMOVE)) {
            CPoint at(pos->x, pos->y);
            if (data->m_Point == CPoint(0, 0)) {
                data->m_Point = at;
            } else if (!(data->m_Point == at)) {
                if (pos->flags & SWP_NOSIZE) {
                    data->m_Point = at;
                } else if (message == WM_WINDOWPOSCHANGED) {
                    // The system reuses the window for another menu.
                    LRESULT result = CallOld(hWnd, message, wParam, lParam);
                    Release(hWnd);
                    return result;
                }
            }
        }
        break;
    }
    case WM_NCDESTROY:
        return ReleaseThenCallOld(hWnd, message, wParam, lParam);
    case WM_NCPAINT:
        if (data->m_bDoPaint && theme->DoDrawBorder()) {
            PaintFrame(hWnd, *data, wParam);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            data->m_dwFlags |= CMenuHookData::kClosedByEscape;
        State().lastKey = CPoint(::GetMessagePos());
        break;
    case WM_PRINT:
        if (theme->DoDrawBorder()) {
            data->m_bDoPaint = FALSE;
            return Print(hWnd, (HDC)wParam, lParam);
        }
        break;
    default:
        break;
    }
    return CallOld(hWnd, message, wParam, lParam);
}
