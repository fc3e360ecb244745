#include "platform/mfc/WinApp.h"

#include "platform/mfc/Resource.h"
#include "platform/mfc/Wnd.h"

namespace {

CWinApp* g_app = NULL;
// 0x0118: the system's caret-blink timer; it does not end idle time.
const UINT kSysTimer = 0x0118;
thread_local POINT t_lastMousePoint = {-1, -1};
thread_local UINT t_lastMouseMessage = 0;

} // namespace

CWinApp::CWinApp(LPCSTR appName)
    : m_pMainWnd(NULL), m_hInstance(::GetModuleHandleA(NULL)), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL)
{
    if (appName != NULL)
        AfxSetAppName(appName);
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = NULL;
}

int CWinApp::Run()
{
    while (AfxPumpMessage()) {
    }
    return ExitInstance();
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
}

HCURSOR CWinApp::LoadCursor(UINT id) const
{
    return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : NULL;
}

int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int cmdShow)
{
    (void)previous;
    CWinApp* app = AfxGetApp();
    if (app == NULL)
        return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine;
    app->m_nCmdShow = cmdShow;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != NULL)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

BOOL AfxPumpMessage()
{
    MSG msg;
    if (!::GetMessageA(&msg, NULL, 0, 0))
        return FALSE;
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL AfxPreTranslateMessage(MSG* msg)
{
    if (msg->hwnd == NULL)
        return FALSE; // thread messages (window-less timers) go straight to dispatch
    CWnd* main = AfxGetMainWnd();
    HWND stop = main ? main->m_hWnd : NULL;
    for (HWND hWnd = msg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
        if (wnd != NULL && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (hWnd == stop)
            return FALSE; // the main window has had its turn
    }
    return main != NULL && stop != NULL && main->PreTranslateMessage(msg);
}

BOOL AfxIsIdleMessage(const MSG* msg)
{
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE) {
        bool same = msg->message == t_lastMouseMessage && msg->pt.x == t_lastMousePoint.x &&
                    msg->pt.y == t_lastMousePoint.y;
        t_lastMousePoint = msg->pt;
        t_lastMouseMessage = msg->message;
        return !same;
    }
    return msg->message != WM_PAINT && msg->message != kSysTimer;
}
