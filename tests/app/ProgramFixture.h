// The program's objects in one test: the application object on a resource
// library of the test's choosing, the manager on a scratch folder that is
// also the application folder (the program's files copied into it), the
// video window and the control panel, and the machine's services replaced
// by a recording fake. Test thread only.
#pragma once
#include "app/PellamarApp.h"
#include "app/TVControl.h"
#include "app/TVVideoWnd.h"
#include "engine/TVManager.h"
#include "platform/system/SystemServices.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowProbe.h"

#include <functional>
#include <string>
#include <vector>

// Records every call in order; the screen saver and the power-off timeout
// start as a user's machine has them.
class FakeSystem : public ISystemServices
{
public:
    BOOL ExitSystem(UINT flags) override;
    BOOL SetPowerState(BOOL suspend, BOOL force) override;
    BOOL GetScreenSaverActive(BOOL* active) override;
    BOOL SetScreenSaverActive(BOOL active) override;
    BOOL GetPowerOffTimeout(int* seconds) override;
    BOOL SetPowerOffTimeout(int seconds, BOOL writeProfile) override;
    HINSTANCE Execute(HWND owner, const char* verb, const char* file, const char* parameters,
                      const char* directory, int show) override;
    BOOL RunAndWait(const char* file, const char* parameters, int show, DWORD timeoutMs, DWORD* exitCode) override;
    BOOL StartProcess(const char* path, BOOL inheritHandles) override;

    // Calls that change something (the reads are not logged).
    std::vector<std::string> log;
    BOOL screenSaverActive = TRUE;
    int powerOffTimeout = 600;
    INT_PTR executeResult = 42;
    // Run when the shut-down or hibernation is asked for.
    std::function<void()> onExit;
};

class TestApp : public CPellamarApp
{
public:
    explicit TestApp(LPCSTR library) : CPellamarApp(library) {}
    // What the main loop does; nothing when empty.
    std::function<void()> mainLoop;
    int loopRuns = 0;
    // Run after the manager's bring-up (a device the virtual card cannot
    // take away is taken here).
    std::function<void()> afterDevices;

protected:
    void StartDevices() override
    {
        CPellamarApp::StartDevices();
        if (afterDevices)
            afterDevices();
    }
    void RunMainLoop() override
    {
        ++loopRuns;
        if (mainLoop)
            mainLoop();
    }
};

// The program's settings and channels for the virtual card: German antenna
// channels in PAL B, the first tuned.
extern const char kTestSettings[];
extern const char kTestChannels[];

// The program's audio capture device is the virtual card's own; in a
// prefix without it, it is the machine's wave-in device, which Wine on a
// loaded test machine does not always give. The program then asks whether
// to go on without sound; the tests that are not about sound answer yes
// (kGoOnWithoutSound) and look at the other boxes only.
const int kGoOnWithoutSound = IDYES;
std::vector<MessageBoxCapture::Box> BoxesBesideTheSoundQuestion(const MessageBoxCapture& boxes);

// The program's files copied into a folder, with the settings and channels.
struct ProgramFiles
{
    explicit ProgramFiles(const TempFolder& folder);
};

class Program
{
public:
    explicit Program(LPCSTR library = "Mavrel.dll");
    ~Program();

    // InitInstance then ExitInstance, as the framework runs them.
    void Run();

    TempFolder folder;
    ProgramFiles files{folder};
    FakeSystem system;
    ScopedReplacement<ISystemServices> systemInUse{SystemServicesSeam(), &system};
    TestApp app;
    CTVManager manager;
    CTVControl control;
    CTVVideoWnd video;
    int exitResult = 0;
};

// The folder of the test executable (the program's files are copied beside it).
std::string TestFolder();

// Scripts inside the running program. RunWhen runs `step` once from
// whatever message loop runs on the test thread (the main loop, a sheet's,
// a dialog's) as soon as `ready` says so; a step may open a modal window
// whose own steps were set up with RunWhen before it. RunInMainLoop runs
// `script` once the video window shows (and `ready`, when given, says so),
// then closes the window.
void RunWhen(std::function<bool()> ready, std::function<void()> step);
void RunInMainLoop(Program& program, std::function<void()> script, std::function<bool()> ready = nullptr);
// The whole screen into PELLAMAR_SHOTS\<name>.bmp when that is set.
void ShotOfScreen(const char* name);
