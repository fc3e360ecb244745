// CWinApp: the one application object (start-up, exit, the main window) and
// the UI thread's message pump that modal loops share. The application's
// WinMain calls AfxWinMain. UI thread.
#pragma once
#include "platform/mfc/Object.h"

#include <windows.h>

class CWnd;

class CWinApp : public CObject
{
public:
    // The name, when given, becomes the application title (AfxGetAppName).
    explicit CWinApp(LPCSTR appName = NULL);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // FALSE ends the program at once (after ExitInstance), as a dialog-based
    // program does once its main dialog has closed.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    // The thread's message loop, run only when InitInstance returns TRUE.
    virtual int Run();

    // From the current resource handle.
    HICON LoadIcon(UINT id) const;
    HCURSOR LoadCursor(UINT id) const;
    HCURSOR LoadStandardCursor(LPCSTR id) const { return ::LoadCursorA(NULL, id); }

    CWnd* m_pMainWnd;      // not owned; cleared when its window is destroyed
    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
};

CWinApp* AfxGetApp();
// The application's main window object, or NULL.
CWnd* AfxGetMainWnd();
// Runs the application object: InitInstance, the loop when it asks for one,
// ExitInstance; returns the exit code.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int cmdShow);
// The templates hold no ActiveX controls, so there is no container to enable.
inline void AfxEnableControlContainer() {}

// Takes one message off the queue (waiting for it), offers it to
// AfxPreTranslateMessage and dispatches it; FALSE on WM_QUIT.
BOOL AfxPumpMessage();
// The walk from the message's window up to the main window; a message for a
// window outside the main window's family is then offered to the main
// window once (its accelerators serve modeless windows too).
BOOL AfxPreTranslateMessage(MSG* msg);
// FALSE for messages that do not end the idle time (paints, the caret's
// timer, a mouse move that did not move).
BOOL AfxIsIdleMessage(const MSG* msg);
