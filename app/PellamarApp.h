// CPellamarApp: the application object. It keeps the program to one
// running instance, loads the main resource library, refuses to start
// without the skin files, brings the devices up through the manager, shows
// the splash picture, keeps the screen saver and the power-off timeout off
// while the program runs and runs the video window modally as the main
// loop; its exit saves the settings and channel files and gives the user's
// machine back as it found it. UI thread.
#pragma once
#include "engine/EngineUi.h"
#include "platform/mfc/AfxWin.h"
#include "skin/SplashWnd.h"

#include <memory>

class CTVControl;
class CTVManager;
class CTVVideoWnd;

class CPellamarApp : public CWinApp
{
public:
    static const char kInstanceMutex[];
    static const char kTrayWindow[];
    static const char kDesktopCompanion[];
    static const char kTrayProgram[];
    static const char kSplashFile[];
    // The files the skins need beside the program.
    static const char* const kSkinFiles[4];

    // Loads the resource library by its bare name (the normal search order).
    explicit CPellamarApp(LPCSTR resourceLibrary = "Mavrel.dll");
    ~CPellamarApp() override;

    // The program's other objects; set before InitInstance.
    void SetParts(CTVManager& manager, CTVVideoWnd& videoWnd, CTVControl& control);
    // Tests: the folder taken for the application folder (else the
    // program's own).
    void SetAppFolderForTest(LPCSTR folder) { m_strTestFolder = folder; }

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The one message box of the user interface: both texts are string ids.
    int ShowMessage(CWnd* owner, UINT textId, UINT captionId, UINT flags);
    const CString& GetAppFolder() const { return m_strAppFolder; }
    void SetPowerOffAtExit(BOOL on) { m_bPowerOffAtExit = on; }
    BOOL GetPowerOffAtExit() const { return m_bPowerOffAtExit; }
    // Hibernation as the last step of the exit, after the files are saved
    // (power-off wins when both are asked).
    void SetHibernateAtExit(BOOL on) { m_bHibernateAtExit = on; }
    BOOL GetHibernateAtExit() const { return m_bHibernateAtExit; }
    void SetTrayAtExit(BOOL on) { m_bTrayAtExit = on; }
    BOOL GetTrayAtExit() const { return m_bTrayAtExit; }
    void CloseSplash();
    BOOL IsRecSwitch() const { return m_bRecSwitch; }
    HMODULE GetResourceLibrary() const { return m_hResource; }
    // The engine's calls up into the windows.
    IEngineUi& EngineUi();

    // The "Rec" switch of a command line (program name first): one leading
    // '-' or '/' is skipped, the rest compared without case.
    static BOOL HasRecSwitch(LPCSTR commandLine);

protected:
    // The manager's bring-up, which leaves the program-wide start-up error
    // code; and the main loop, the video window run modally. Tests wrap them.
    virtual void StartDevices();
    virtual void RunMainLoop();

private:
    class EngineUiRouter;

    BOOL TakeInstanceMutex();
    BOOL HasSkinFiles() const;
    void NotifyTray();
    // FALSE when the start-up error code ends the program.
    BOOL BringUpDevices();
    void ShowSplash();
    void SwitchSystemOff();
    void RestoreSystem();
    void StartTrayProgram();

    CString m_strAppFolder;
    CString m_strTestFolder;
    HANDLE m_hMutex;
    BOOL m_bPowerOffAtExit;
    BOOL m_bHibernateAtExit = FALSE;
    MSplashWnd m_splash;
    HMODULE m_hResource;
    BOOL m_bRecSwitch;
    BOOL m_bTrayAtExit;
    int m_nSavedPowerOffTimeout;

    // What start-up changed and exit must give back; nothing when start-up
    // never got that far.
    BOOL m_bMainLoopRan;
    BOOL m_bScreenSaverChanged;
    BOOL m_bScreenSaverWasActive;
    BOOL m_bPowerOffChanged;
    BOOL m_bDevicesUp;

    CTVManager* m_pManager;
    CTVVideoWnd* m_pVideoWnd;
    CTVControl* m_pControl;
    std::unique_ptr<EngineUiRouter> m_pUi;
};

// Enables the shut-down privilege and asks the system to exit Windows with
// the EWX_* flags (through the system services, which tests replace).
BOOL ShutDownSystem(UINT flags);
