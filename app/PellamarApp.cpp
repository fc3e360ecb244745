#include "app/PellamarApp.h"

#include "app/AppMessages.h"
#include "app/TVControl.h"
#include "app/TVVideoWnd.h"
#include "graph/DebugHelper.h"
#include "engine/PathHelpers.h"
#include "engine/TVHardWare.h"
#include "engine/TVManager.h"
#include "graph/Clock.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/Resource.h"
#include "platform/system/SystemServices.h"
#include "resources/Resource.h"
#include "skin/MsgDialog.h"

const char CPellamarApp::kInstanceMutex[] = "Pellamar_GlobalMutex_zunk";
const char CPellamarApp::kTrayWindow[] = "Remote Control Tray";
const char CPellamarApp::kDesktopCompanion[] = " Lorvan Desktop ";
const char CPellamarApp::kTrayProgram[] = "Sarnet.exe";
const char CPellamarApp::kSplashFile[] = "Splash.bmp";
const char* const CPellamarApp::kSkinFiles[4] = {"Skin.ini", "Nistle.dll", "ColorSkin.ini", "Orbane.dll"};

namespace {

const DWORD kTrayWaitMs = 500;
const DWORD kExitWaitMs = 100;
// A tray program that does not answer must not hold start-up up.
const UINT kTrayNotifyTimeoutMs = 2000;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString InFolder(const CString& folder, LPCSTR name)
{
    return folder + "\\" + name;
}

// Brings a running instance's window to the front; a minimised one comes
// back, a full-screen one stays full.
void BringToFront(HWND window)
{
    ::SetForegroundWindow(window);
    ::ShowWindow(window, ::IsIconic(window) ? SW_RESTORE : SW_SHOW);
}

} // namespace

// The engine's calls up into the windows, routed to the application object,
// the video window and the control panel.
class CPellamarApp::EngineUiRouter : public IEngineUi
{
public:
    explicit EngineUiRouter(CPellamarApp& app) : m_app(app) {}
    virtual ~EngineUiRouter() {}

    void EnableCommand(UINT commandId, BOOL enable) override
    {
        if (m_app.m_pControl)
            m_app.m_pControl->EnableCommand(commandId, enable);
    }
    void UpdateChannelButtons() override
    {
        if (m_app.m_pControl)
            m_app.m_pControl->UpdateChannelButtons();
    }
    void ShowVideoWindow(BOOL show) override
    {
        if (m_app.m_pVideoWnd && m_app.m_pVideoWnd->m_hWnd)
            m_app.m_pVideoWnd->ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
    void MuteForTuning() override
    {
        if (m_app.m_pControl)
            m_app.m_pControl->MuteForTuning();
    }
    void BeginScanDisplay() override
    {
        if (m_app.m_pVideoWnd && m_app.m_pVideoWnd->m_hWnd)
            m_app.m_pVideoWnd->BeginScanDisplay();
    }
    void HideOsdPanel() override
    {
        if (m_app.m_pControl != NULL)
            m_app.m_pControl->ShowOsdMenu(FALSE);
    }
    int ShowMessage(UINT textId, UINT flags) override { return m_app.ShowMessage(NULL, textId, IDS_APP_TITLE, flags); }
    void SetTrayAtExit(BOOL start) override { m_app.SetTrayAtExit(start); }
    int ShowTimedMessage(LPCSTR text, UINT seconds) override
    {
        CMsgDialog box(0, FALSE, m_app.m_pVideoWnd);
        box.SetCaption(LoadText(IDS_APP_TITLE));
        box.SetText(text);
        box.SetSeconds(seconds);
        return (int)box.DoModal();
    }

private:
    CPellamarApp& m_app;
};

CPellamarApp::CPellamarApp(LPCSTR resourceLibrary)
    : CWinApp(NULL), m_hMutex(NULL), m_bPowerOffAtExit(FALSE), m_hResource(::LoadLibraryA(resourceLibrary)),
      m_bRecSwitch(FALSE), m_bTrayAtExit(TRUE), m_nSavedPowerOffTimeout(0), m_bMainLoopRan(FALSE),
      m_bScreenSaverChanged(FALSE), m_bScreenSaverWasActive(FALSE), m_bPowerOffChanged(FALSE),
      m_bDevicesUp(FALSE), m_pManager(NULL), m_pVideoWnd(NULL), m_pControl(NULL), m_pUi(new EngineUiRouter(*this))
{
    if (m_hResource != NULL)
        AfxSetResourceHandle(m_hResource);
}

CPellamarApp::~CPellamarApp()
{
    if (m_hMutex != NULL)
        ::CloseHandle(m_hMutex);
    if (m_hResource != NULL) {
        if (AfxGetResourceHandle() == m_hResource)
            AfxSetResourceHandle(::GetModuleHandleA(NULL));
        ::FreeLibrary(m_hResource);
    }
    delete m_pUi;
}

void CPellamarApp::SetParts(CTVManager& manager, CTVVideoWnd& videoWnd, CTVControl& control)
{
    m_pManager = &manager;
    m_pVideoWnd = &videoWnd;
    m_pControl = &control;
    manager.SetUi(m_pUi);
}

IEngineUi& CPellamarApp::EngineUi()
{
    return *m_pUi;
}

// --- start-up --------------------------------------------------------------------

BOOL CPellamarApp::InitInstance()
{
    AfxEnableControlContainer();
    if (!TakeInstanceMutex())
        return FALSE;
    if (m_strTestFolder.IsEmpty())
        GetWorkPath(m_strAppFolder);
    else
        m_strAppFolder = m_strTestFolder;

    if (m_hResource == NULL) {
        // The one text that lives in the program itself.
        AfxSetResourceHandle(::GetModuleHandleA(NULL));
        AfxMessageBox(IDS_LIBRARY_MISSING);
        return FALSE;
    }
    AfxSetResourceHandle(m_hResource);
    if (!HasSkinFiles()) {
        ShowMessage(NULL, IDS_SKIN_FILES_MISSING, IDS_APP_TITLE, MB_ICONINFORMATION);
        return FALSE;
    }
    m_bRecSwitch = HasRecSwitch(::GetCommandLineA());
    NotifyTray();
    if (!BringUpDevices())
        return FALSE;
    ShowSplash();
    SwitchSystemOff();

    m_pMainWnd = m_pControl;
    HWND companion = ::FindWindowA(NULL, kDesktopCompanion);
    if (companion != NULL)
        ::ShowWindow(companion, SW_SHOWMINIMIZED);
    m_bMainLoopRan = TRUE;
    RunMainLoop();
    if (companion != NULL && ::IsWindow(companion))
        ::ShowWindow(companion, SW_SHOWMAXIMIZED);
    return FALSE;
}

BOOL CPellamarApp::TakeInstanceMutex()
{
    m_hMutex = ::CreateMutexA(NULL, FALSE, kInstanceMutex);
    if (m_hMutex == NULL || ::GetLastError() != ERROR_ALREADY_EXISTS) {
        if (m_hMutex == NULL)
            DebugHelper("CreateMutex %s failed: %lu\n", kInstanceMutex, ::GetLastError());
        return TRUE;
    }
    ::CloseHandle(m_hMutex);
    m_hMutex = NULL;
    // The running instance: its video window while that shows (it carries
    // the video title), else its control panel standing alone, which
    // carries the application title, with the window that owns it.
    CString title = LoadText(IDS_VIDEOWND_TITLE);
    HWND window = title.IsEmpty() ? NULL : ::FindWindowA(NULL, title);
    if (window == NULL || !::IsWindowVisible(window)) {
        title = LoadText(IDS_APP_TITLE);
        if (HWND panel = ::FindWindowA(NULL, title.IsEmpty() ? AfxGetAppName() : (LPCSTR)title))
            window = panel;
    }
    if (window != NULL) {
        BringToFront(window);
        if (HWND parent = ::GetParent(window))
            ::ShowWindow(parent, ::IsIconic(parent) ? SW_RESTORE : SW_SHOW);
    }
    return FALSE;
}

BOOL CPellamarApp::HasSkinFiles() const
{
    BOOL all = TRUE;
    for (LPCSTR name : kSkinFiles) {
        if (!IsFileExist(InFolder(m_strAppFolder, name))) {
            DebugHelper("Missing skin file %s\n", name);
            all = FALSE;
        }
    }
    return all;
}

BOOL CPellamarApp::HasRecSwitch(LPCSTR commandLine)
{
    if (commandLine == NULL)
        return FALSE;
    // Arguments as the C runtime splits them: blanks outside quotes.
    const char* p = commandLine;
    BOOL first = TRUE;
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        CString argument;
        BOOL quoted = FALSE;
        for (; *p && (quoted || (*p != ' ' && *p != '\t')); ++p) {
            if (*p == '"')
                quoted = !quoted;
            else
                argument += *p;
        }
        if (first) {
            first = FALSE; // the program's name
            continue;
        }
        LPCSTR rest = argument;
        if (*rest == '-' || *rest == '/')
            ++rest;
        if (::lstrcmpiA(rest, "Rec") == 0)
            return TRUE;
    }
    return FALSE;
}

void CPellamarApp::NotifyTray()
{
    HWND tray = ::FindWindowA(NULL, kTrayWindow);
    if (tray == NULL)
        return;
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(tray, WM_TRAY_NOTIFY_START, 0, 0, SMTO_ABORTIFHUNG, kTrayNotifyTimeoutMs, &answer);
    zunk::Sleep(kTrayWaitMs);
}

void CPellamarApp::StartDevices()
{
    CTVManager& manager = *m_pManager;
    manager.InitNameTables();
    manager.InitResourceIdMaps();
    manager.LoadSettings();
    manager.ApplyLoadedSettings();
    manager.Startup();
}

BOOL CPellamarApp::BringUpDevices()
{
    CTVManager& manager = *m_pManager;
    SetStartupErrorCode(0);
    StartDevices();

    const DWORD code = GetStartupErrorCode();
    BOOL goOn = code == 0;
    if (code != 0) {
        CString text = LoadText(IDS_STARTUP_ERROR);
        CString codeText;
        codeText.Format("ErrorCode#%lX", code);
        text += codeText;
        if (code == kErrorNoAudioDevice) {
            text += LoadText(IDS_STARTUP_NO_AUDIO_QUESTION);
            goOn = AfxShowMessageBox(NULL, text, LoadText(IDS_APP_TITLE), MB_YESNO | MB_ICONQUESTION) == IDYES;
        } else {
            AfxShowMessageBox(NULL, text, LoadText(IDS_APP_TITLE), MB_ICONINFORMATION);
        }
    }
    if (!goOn) {
        manager.CloseDevice();
        return FALSE;
    }
    manager.ValidateSettings();
    manager.SetAsideUnreadFiles();
    m_bDevicesUp = TRUE;
    return TRUE;
}

void CPellamarApp::ShowSplash()
{
    const CString path = InFolder(m_strAppFolder, kSplashFile);
    if (IsFileExist(path) && m_splash.SetBitmapFile(path))
        m_splash.Show(NULL, FALSE, 0);
}

void CPellamarApp::CloseSplash()
{
    m_splash.Close();
}

// The screen saver and the power-off timeout stay off while the program
// runs. The timeout is changed for this session only (never written to the
// user's profile), so a run that does not end properly leaves the stored
// value as it was; exit puts both back as they were found.
void CPellamarApp::SwitchSystemOff()
{
    ISystemServices& system = SystemServices();
    BOOL active = FALSE;
    if (system.GetScreenSaverActive(&active) && active && system.SetScreenSaverActive(FALSE)) {
        m_bScreenSaverWasActive = TRUE;
        m_bScreenSaverChanged = TRUE;
    }
    int seconds = 0;
    if (system.GetPowerOffTimeout(&seconds)) {
        m_nSavedPowerOffTimeout = seconds;
        if (seconds != 0 && system.SetPowerOffTimeout(0, FALSE))
            m_bPowerOffChanged = TRUE;
    }
}

void CPellamarApp::RestoreSystem()
{
    ISystemServices& system = SystemServices();
    if (m_bScreenSaverChanged)
        system.SetScreenSaverActive(m_bScreenSaverWasActive);
    if (m_bPowerOffChanged)
        system.SetPowerOffTimeout(m_nSavedPowerOffTimeout, FALSE);
    m_bScreenSaverChanged = m_bPowerOffChanged = FALSE;
}

void CPellamarApp::RunMainLoop()
{
    m_pVideoWnd->DoModal();
}

// --- exit ------------------------------------------------------------------------

int CPellamarApp::ExitInstance()
{
    // Only a program that ran starts the tray program: a second instance
    // or a failed start leaves the machine as it was.
    if (m_bMainLoopRan && m_bTrayAtExit)
        StartTrayProgram();
    // Saved whenever the devices came up, with or without the mutex (a
    // system that could not make it must not cost the user the run's
    // settings); a second instance and a failed start write nothing.
    if (m_bDevicesUp) {
        if (m_pControl->m_hWnd != NULL)
            m_pControl->DestroyWindow();
        m_pManager->SaveSettings();
        m_pManager->SaveChannelTables();
    }
    if (m_hMutex != NULL) {
        ::CloseHandle(m_hMutex);
        m_hMutex = NULL;
    }
    zunk::Sleep(kExitWaitMs);
    // Put back before any shut-down, which may not return.
    RestoreSystem();
    if (m_bPowerOffAtExit)
        ShutDownSystem(EWX_SHUTDOWN | EWX_POWEROFF);
    else if (m_bHibernateAtExit)
        SystemServices().SetPowerState(FALSE, TRUE);
    if (m_hResource != NULL) {
        AfxSetResourceHandle(::GetModuleHandleA(NULL));
        ::FreeLibrary(m_hResource);
        m_hResource = NULL;
    }
    return CWinApp::ExitInstance();
}

void CPellamarApp::StartTrayProgram()
{
    const CString path = InFolder(m_strAppFolder, kTrayProgram);
    if (!IsFileExist(path))
        return;
    HINSTANCE result = SystemServices().Execute(NULL, "Open", path, NULL, m_strAppFolder, SW_SHOWNORMAL);
    if ((INT_PTR)result <= 32)
        ShowMessage(NULL, IDS_TRAY_START_FAILED, IDS_APP_TITLE, MB_ICONINFORMATION);
}

int CPellamarApp::ShowMessage(CWnd* owner, UINT textId, UINT captionId, UINT flags)
{
    return AfxShowMessageBox(owner ? owner->m_hWnd : NULL, LoadText(textId), LoadText(captionId), flags);
}

BOOL ShutDownSystem(UINT flags)
{
    return SystemServices().ExitSystem(flags);
}
