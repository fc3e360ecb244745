#include "tests/app/ProgramFixture.h"

#include "tests/engine/ScreenPicture.h"

#include <cstdio>
#include <cstdlib>
#include <map>

const char kTestSettings[] =
    "[Channel]\r\nTVInput=1\r\nCountryCode=49\r\nTVCurFreq=175250\r\n"
    "[Device]\r\nTunerStandard=16\r\nVideoSource=0\r\n"
    "[Window]\r\nVideoRatio=4,3\r\n"
    "[Runonce]\r\nRun=0\r\n";
const char kTestChannels[] = "; Count = 2\r\n1,1,175250,E5\r\n2,1,471250,E21\r\n";

namespace {

const char* const kProgramFiles[] = {
    "Skin.ini", "SilverSkin.ini", "ColorSkin.ini", "SkinSet.ini", "Nistle.dll", "Orbane.dll",
    "CountryCode.ini", "RemoteKeyRedef.ini",
};

std::string Format(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

} // namespace

std::string TestFolder()
{
    char path[MAX_PATH + 1] = {0};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

BOOL FakeSystem::ExitSystem(UINT flags)
{
    log.push_back(Format("exit system %u", flags));
    if (onExit)
        onExit();
    return TRUE;
}

BOOL FakeSystem::SetPowerState(BOOL suspend, BOOL force)
{
    log.push_back(Format("power state %d %d", suspend, force));
    if (onExit)
        onExit();
    return TRUE;
}

BOOL FakeSystem::GetScreenSaverActive(BOOL* active)
{
    *active = screenSaverActive;
    return TRUE;
}

BOOL FakeSystem::SetScreenSaverActive(BOOL active)
{
    screenSaverActive = active;
    log.push_back(active ? "screen saver on" : "screen saver off");
    return TRUE;
}

BOOL FakeSystem::GetPowerOffTimeout(int* seconds)
{
    *seconds = powerOffTimeout;
    return TRUE;
}

BOOL FakeSystem::SetPowerOffTimeout(int seconds, BOOL writeProfile)
{
    powerOffTimeout = seconds;
    log.push_back(Format("power-off timeout %d%s", seconds, writeProfile ? " in the profile" : ""));
    return TRUE;
}

HINSTANCE FakeSystem::Execute(HWND, const char* verb, const char* file, const char*, const char*, int)
{
    std::string name = file ? file : "";
    name = name.substr(name.rfind('\\') + 1);
    log.push_back(Format("%s %s", verb ? verb : "", name.c_str()));
    return reinterpret_cast<HINSTANCE>(executeResult);
}

BOOL FakeSystem::RunAndWait(const char* file, const char*, int, DWORD, DWORD*)
{
    log.push_back(Format("run and wait %s", file));
    return TRUE;
}

BOOL FakeSystem::StartProcess(const char* path, BOOL)
{
    log.push_back(Format("start %s", path));
    return TRUE;
}

std::vector<MessageBoxCapture::Box> BoxesBesideTheSoundQuestion(const MessageBoxCapture& boxes)
{
    const std::string question = Format("ErrorCode#%lX", (unsigned long)kErrorNoAudioDevice);
    std::vector<MessageBoxCapture::Box> others;
    for (const MessageBoxCapture::Box& box : boxes.Boxes())
        if (box.text.find(question) == std::string::npos)
            others.push_back(box);
    return others;
}

ProgramFiles::ProgramFiles(const TempFolder& folder)
{
    const std::string from = TestFolder();
    for (const char* name : kProgramFiles)
        ::CopyFileA((from + "\\" + name).c_str(), folder.File(name).c_str(), FALSE);
    folder.Write("TVParam.ini", kTestSettings);
    folder.Write("TVChannel.tvc", kTestChannels);
}

Program::Program(LPCSTR library)
    : app(library), manager(folder.Path().c_str(), NULL), control(manager, app.GetAppFolder()),
      video(app, manager, control)
{
    app.SetAppFolderForTest(folder.Path().c_str());
    app.SetParts(manager, video, control);
}

void CancelPendingSteps();

Program::~Program()
{
    // A step that never ran must not run in a later test's loop.
    CancelPendingSteps();
    if (control.m_hWnd != NULL)
        control.DestroyWindow();
    if (video.m_hWnd != NULL)
        video.DestroyWindow();
}

void Program::Run()
{
    if (!app.InitInstance() && app.m_pMainWnd != NULL && app.m_pMainWnd->m_hWnd != NULL)
        app.m_pMainWnd->DestroyWindow();
    exitResult = app.ExitInstance();
}

namespace {

struct PendingStep
{
    std::function<bool()> ready;
    std::function<void()> step;
};
std::map<UINT_PTR, PendingStep>& PendingSteps()
{
    static std::map<UINT_PTR, PendingStep> steps;
    return steps;
}

void CALLBACK RunPendingStep(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = PendingSteps().find(id);
    if (found == PendingSteps().end()) {
        ::KillTimer(NULL, id);
        return;
    }
    if (found->second.ready && !found->second.ready())
        return;
    // Off the list before it runs: the step may run a loop of its own.
    ::KillTimer(NULL, id);
    std::function<void()> step = std::move(found->second.step);
    PendingSteps().erase(found);
    if (step)
        step();
}

} // namespace

void CancelPendingSteps()
{
    for (const auto& pending : PendingSteps())
        ::KillTimer(NULL, pending.first);
    PendingSteps().clear();
}

void RunWhen(std::function<bool()> ready, std::function<void()> step)
{
    const UINT_PTR id = ::SetTimer(NULL, 0, 20, &RunPendingStep);
    PendingSteps()[id] = PendingStep{std::move(ready), std::move(step)};
}

void RunInMainLoop(Program& program, std::function<void()> script, std::function<bool()> ready)
{
    program.app.mainLoop = [&program, script, ready]() {
        HWND* video = &program.video.m_hWnd;
        RunWhen([video, ready]() { return *video != NULL && ::IsWindowVisible(*video) && (!ready || ready()); },
                [video, script]() {
                    // The window closes whatever the script did: an assertion
                    // may have left it early.
                    script();
                    ::PostMessageA(*video, WM_CLOSE, 0, 0);
                });
        program.video.DoModal();
    };
}

void ShotOfScreen(const char* name)
{
    if (const char* folder = getenv("PELLAMAR_SHOTS")) {
        const RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        SaveBitmap(CaptureScreen(screen), std::string(folder) + "\\" + name + ".bmp");
    }
}
