#include "app/CommandRouter.h"

#include "graph/DebugHelper.h"
#include "platform/mfc/AfxWin.h"
#include "skin/SkinBtn.h"

#include <algorithm>

namespace {

// Ranges longer than this (the tune-channel items) are menu items only,
// never controls of a window.
const UINT kMaxControlRange = 16;

} // namespace

void CCommandRouter::SetState(const CommandState& state)
{
    if (state == m_state)
        return;
    m_state = state;
    PushAll();
}

void CCommandRouter::EnableCommand(UINT id, BOOL enable)
{
    const size_t before = m_holds.size();
    if (enable)
        m_holds.erase(id);
    else
        m_holds.insert(id);
    if (m_holds.size() != before)
        PushAll();
}

void CCommandRouter::ClearHolds()
{
    if (m_holds.empty())
        return;
    m_holds.clear();
    PushAll();
}

bool CCommandRouter::CanExecute(UINT id) const
{
    const CommandRow* row = FindCommandRow(id);
    return row != nullptr && row->handler != nullptr && IsCommandAllowed(*row, m_state) && m_holds.count(id) == 0;
}

bool CCommandRouter::IsEnabled(UINT id) const
{
    const CommandRow* row = FindCommandRow(id);
    return CanExecute(id) && (row->shownNeeds & m_state.flags) == row->shownNeeds;
}

bool CCommandRouter::HasCheck(UINT id) const
{
    const CommandRow* row = FindCommandRow(id);
    return row != nullptr && row->checked != nullptr;
}

bool CCommandRouter::IsChecked(UINT id) const
{
    const CommandRow* row = FindCommandRow(id);
    return row != nullptr && row->checked != nullptr && row->checked(m_state, id);
}

BOOL CCommandRouter::Execute(UINT id)
{
    if (!CanExecute(id)) {
        DebugHelper("Command %u refused (source %d, flags 0x%x)\n", id, m_state.source, m_state.flags);
        return FALSE;
    }
    (m_target.*(FindCommandRow(id)->handler))(id);
    return TRUE;
}

BOOL CCommandRouter::Route(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    // Menus send code 0, accelerators 1, buttons BN_CLICKED (0); any other
    // notification belongs to the window's own control.
    const bool command = lParam == 0 ? (code == 0 || code == 1) : code == BN_CLICKED;
    if (!command || !IsKnown(id))
        return FALSE;
    Execute(id);
    return TRUE;
}

void CCommandRouter::AddView(HWND window)
{
    if (window == NULL || std::find(m_windows.begin(), m_windows.end(), window) != m_windows.end())
        return;
    m_windows.push_back(window);
    PushToWindow(window);
}

void CCommandRouter::RemoveView(HWND window)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
}

void CCommandRouter::AddView(ICommandView* view)
{
    if (view == nullptr || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    m_views.push_back(view);
    view->ShowCommandState(*this);
}

void CCommandRouter::RemoveView(ICommandView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CCommandRouter::PushAll()
{
    // A window gone without saying so is dropped.
    m_windows.erase(std::remove_if(m_windows.begin(), m_windows.end(), [](HWND w) { return !::IsWindow(w); }),
                    m_windows.end());
    for (HWND window : m_windows)
        PushToWindow(window);
    // A copy: a view may remove itself while it is told.
    const std::vector<ICommandView*> views = m_views;
    for (ICommandView* view : views)
        view->ShowCommandState(*this);
}

void CCommandRouter::PushToWindow(HWND window) const
{
    if (!::IsWindow(window))
        return;
    for (size_t r = 0; r < kCommandRowCount; ++r) {
        const CommandRow& row = kCommandRows[r];
        if (row.lastId - row.id >= kMaxControlRange)
            continue;
        for (UINT id = row.id; id <= row.lastId; ++id) {
            HWND control = ::GetDlgItem(window, (int)id);
            if (control == NULL)
                continue;
            const BOOL enable = IsEnabled(id) ? TRUE : FALSE;
            const bool changed = (::IsWindowEnabled(control) != FALSE) != (enable != FALSE);
            if (changed)
                ::EnableWindow(control, enable);
            bool checkChanged = false;
            if (row.checked != nullptr) {
                const BOOL check = IsChecked(id) ? TRUE : FALSE;
                if (CSkinBtn* button = dynamic_cast<CSkinBtn*>(CWnd::FromHandlePermanent(control)))
                    checkChanged = button->SetCheck(check) != check;
                else
                    ::SendMessageA(control, BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            if (changed || checkChanged)
                ::InvalidateRect(control, NULL, TRUE);
        }
    }
}

void CCommandRouter::PushToMenu(HMENU menu) const
{
    if (menu == NULL)
        return;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            PushToMenu(sub);
            continue;
        }
        const UINT id = ::GetMenuItemID(menu, i);
        if (id == (UINT)-1 || id == 0 || !IsKnown(id))
            continue;
        ::EnableMenuItem(menu, (UINT)i, MF_BYPOSITION | (IsEnabled(id) ? MF_ENABLED : MF_GRAYED));
        if (HasCheck(id))
            ::CheckMenuItem(menu, (UINT)i, MF_BYPOSITION | (IsChecked(id) ? MF_CHECKED : MF_UNCHECKED));
    }
}
