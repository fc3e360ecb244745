// Frame windows: small shells of the framework's top-level frame with a
// menu bar, the MDI frame and child, and the mini frames. They hold what a
// menu-aware frame builds on: creation with a menu resource, the popup
// command-update pass and the default procedures of MDI windows. Documents
// and views are not here (nothing in the program has them). UI thread.
#pragma once
#include "platform/mfc/Wnd.h"

class CFrameWnd : public CWnd
{
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // A top-level frame; `menuName` (optional) is loaded from the module
    // that holds it and becomes the frame's menu bar. FALSE when the menu
    // or the window cannot be made.
    virtual BOOL Create(LPCSTR className, LPCSTR title, DWORD style = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* parent = NULL, LPCSTR menuName = NULL,
                        DWORD exStyle = 0, void* context = NULL);

    // The enabled state of a command as its window sees it: FALSE when
    // the window has nothing to say (the item stays as it is).
    virtual BOOL OnUpdateCommand(UINT id, BOOL& enable);

    static const CRect rectDefault;
    CString m_strTitle;

protected:
    // The command-update pass, then the default handling.
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    HMENU m_hMenuDefault; // the menu Create loaded, destroyed with the frame
};

// Each item of `popup` whose command is below 0xF000 enabled or disabled as
// `target` says; a popup item follows its first command. An item removed
// while the pass runs is skipped.
void AfxUpdateMenuItems(CWnd* target, HMENU popup, BOOL (*update)(CWnd*, UINT, BOOL&));

class CMDIFrameWnd : public CFrameWnd
{
public:
    CMDIFrameWnd() : m_hWndMDIClient(NULL) {}
    // The frame and its MDI client, whose window menu is the menu bar's
    // popup `windowMenu`.
    BOOL Create(LPCSTR className, LPCSTR title, DWORD style = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* parent = NULL, LPCSTR menuName = NULL,
                DWORD exStyle = 0, void* context = NULL) override;
    HWND m_hWndMDIClient;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CMDIChildWnd : public CFrameWnd
{
public:
    // A child in `parent`'s MDI client.
    BOOL CreateChild(LPCSTR title, CMDIFrameWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW);
    CMDIFrameWnd* GetMDIFrame() const;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A frame with a small caption (a tool window).
class CMiniFrameWnd : public CFrameWnd
{
public:
    BOOL CreateMini(LPCSTR title, DWORD style, const RECT& rect, CWnd* parent = NULL);
};

// The mini frame a floating tool bar docks in.
class CMiniDockFrameWnd : public CMiniFrameWnd
{
};
