// CCommandRouter: the one place where commands run and where their enabled
// and checked states are worked out. It reads the command table
// (Commands.h), keeps the program's state as the panel last gave it, and
// pushes enables and check marks to every window that shows commands: the
// panel's buttons, a menu as it opens, the tool bar, the on-screen menu.
// Windows that show commands hand their WM_COMMAND to Route. Owned by the
// control panel; its handlers are the panel's. UI thread only.
#pragma once
#include "app/Commands.h"

#include <set>
#include <vector>

class CCommandRouter;

// A window that shows commands in a way of its own (rows drawn by itself).
class ICommandView
{
public:
    virtual void ShowCommandState(const CCommandRouter& router) = 0;

protected:
    ~ICommandView() {}
};

class CCommandRouter
{
public:
    explicit CCommandRouter(IPanelCommands& target) : m_target(target) {}
    CCommandRouter(const CCommandRouter&) = delete;
    CCommandRouter& operator=(const CCommandRouter&) = delete;

    // The program's state; every view is brought up to date when it changed.
    void SetState(const CommandState& state);
    const CommandState& GetState() const { return m_state; }

    // One command held off (a button greyed for a moment, a command the
    // engine switched off) until it is enabled again; enabling only lifts
    // the hold, the table still decides.
    void EnableCommand(UINT id, BOOL enable);
    void ClearHolds();

    bool IsKnown(UINT id) const { return FindCommandRow(id) != nullptr; }
    // Whether the command runs now (state and holds).
    bool CanExecute(UINT id) const;
    // Whether it shows enabled: as CanExecute, and what the row needs shown.
    bool IsEnabled(UINT id) const;
    bool IsChecked(UINT id) const;
    bool HasCheck(UINT id) const;

    // Runs the handler when the command may run; FALSE when the id is no
    // command of the table or the state refuses it.
    BOOL Execute(UINT id);
    // A window's WM_COMMAND: menu items, accelerators and button clicks of
    // the table's commands run; FALSE for anything else (the window's own).
    BOOL Route(WPARAM wParam, LPARAM lParam);

    // Windows whose child controls carry command ids, and views that draw
    // commands themselves; each is brought up to date when added.
    void AddView(HWND window);
    void RemoveView(HWND window);
    void AddView(ICommandView* view);
    void RemoveView(ICommandView* view);
    // Every view again (after a skin change made new controls).
    void PushAll();
    void PushToWindow(HWND window) const;
    // Enables and checks of the menu's items and its submenus' (a menu as
    // it opens: WM_INITMENUPOPUP).
    void PushToMenu(HMENU menu) const;

private:
    IPanelCommands& m_target;
    CommandState m_state;
    std::set<UINT> m_holds;
    std::vector<HWND> m_windows;
    std::vector<ICommandView*> m_views;
};
