// The application object's start-up and exit: each start-up error code with
// its message and its end, the missing resource library and skin files, the
// second instance, and what the exit gives back to the machine and in which
// order. The devices are the virtual card's, some taken away; the main loop
// is replaced, so no window shows.
#include "tests/app/ProgramFixture.h"

#include "engine/TVHardWare.h"
#include "resources/Resource.h"
#include "tests/support/MessageBoxCapture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const CLSID kMissingClass = {0x7c31f0d2, 0x5a4e, 0x4b19, {0x8e, 0x61, 0x2d, 0x90, 0x3b, 0x47, 0xc8, 0x15}};

BOOL NoAudioDevices(CStringArray& names, LPCSTR)
{
    names.RemoveAll();
    return TRUE;
}

// A text of the resource library, or of the program itself.
std::string Text(UINT id, bool program = false)
{
    static HMODULE library =
        ::LoadLibraryExA((TestFolder() + "\\Mavrel.dll").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    char text[1024] = {0};
    ::LoadStringA(program ? ::GetModuleHandleA(NULL) : library, id, text, sizeof text);
    return text;
}

const std::vector<std::string> kStartupChanges = {"screen saver off", "power-off timeout 0"};

TEST(AppStartup, EachStartupErrorCodeGivesItsMessageAndItsEnd)
{
    const struct
    {
        const char* what;
        std::function<void(PreviewDevices&)> take;
        DWORD code;
        int answer;
        bool runs;
    } cases[] = {
        {"no capture filter", [](PreviewDevices& d) { d.bdaCapture = d.wdmCapture = "713x Missing Capture"; },
         kErrorNoCaptureFilter, IDOK, false},
        {"no crossbar", [](PreviewDevices& d) { d.bdaCrossbar = d.wdmCrossbar = "713x Missing Xbar"; },
         kErrorNoCrossbar, IDOK, false},
        {"no video renderer", [](PreviewDevices& d) { d.evr = &kMissingClass; }, kErrorNoVideoRenderer, IDOK,
         false},
        // The virtual card has no sound pin, so it never asks for the sound
        // renderer: the code is set as a card with one would.
        {"no wave-out renderer", nullptr, kErrorNoWaveOutRenderer, IDOK, false},
        {"no deinterlace filter", [](PreviewDevices& d) { d.deinterlace = &kMissingClass; }, kErrorNoDeinterlace,
         IDOK, false},
        {"no audio device, stop", [](PreviewDevices& d) { d.listAudioDevices = &NoAudioDevices; },
         kErrorNoAudioDevice, IDNO, false},
        {"no audio device, go on", [](PreviewDevices& d) { d.listAudioDevices = &NoAudioDevices; },
         kErrorNoAudioDevice, IDYES, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxCapture boxes(c.answer);
        Program program;
        PreviewDevices devices = kPreviewDevices;
        if (c.take)
            c.take(devices);
        else
            program.app.afterDevices = [&c]() { SetStartupErrorCode(c.code); };
        program.manager.GetHardware().SetDevices(devices);
        const std::string settingsBefore = program.folder.Read("TVParam.ini");
        program.Run();

        char code[32];
        snprintf(code, sizeof code, "ErrorCode#%lX", c.code);
        ASSERT_EQ(1u, boxes.Boxes().size());
        const MessageBoxCapture::Box& box = boxes.Boxes()[0];
        EXPECT_EQ(Text(IDS_APP_TITLE), box.caption);
        const bool question = c.code == kErrorNoAudioDevice;
        EXPECT_EQ(Text(IDS_STARTUP_ERROR) + code +
                      (question ? Text(IDS_STARTUP_NO_AUDIO_QUESTION) : std::string()),
                  box.text);
        EXPECT_EQ(question ? UINT(MB_YESNO | MB_ICONQUESTION) : UINT(MB_ICONINFORMATION), box.type);
        EXPECT_EQ(c.runs ? 1 : 0, program.app.loopRuns);
        if (c.runs) {
            // Ran without sound: the machine was changed for the run and
            // given back at its end; the settings were saved.
            EXPECT_EQ(4u, program.system.log.size());
            EXPECT_TRUE(program.system.screenSaverActive);
            EXPECT_EQ(600, program.system.powerOffTimeout);
        } else {
            // A failed start changes nothing: no screen saver switched, no
            // tray program, the user's settings as they were.
            EXPECT_TRUE(program.system.log.empty()) << program.system.log[0];
            EXPECT_EQ(settingsBefore, program.folder.Read("TVParam.ini"));
        }
    }
}

TEST(AppStartup, WithoutTheResourceLibraryItsOwnMessageShowsAndNothingStarts)
{
    MessageBoxCapture boxes;
    {
        Program program("NoSuchLibrary.dll");
        program.Run();
        EXPECT_EQ(0, program.app.loopRuns);
        EXPECT_TRUE(program.system.log.empty());
    }
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(Text(IDS_LIBRARY_MISSING, true), boxes.Boxes()[0].text);
    EXPECT_NE(std::string::npos, boxes.Boxes()[0].text.find("Mavrel.dll"));
}

TEST(AppStartup, EachMissingSkinFileEndsStartUpWithItsMessage)
{
    for (const char* name : CPellamarApp::kSkinFiles) {
        SCOPED_TRACE(name);
        MessageBoxCapture boxes;
        Program program;
        const std::string settingsBefore = program.folder.Read("TVParam.ini");
        ASSERT_TRUE(::DeleteFileA(program.folder.File(name).c_str()));
        program.Run();
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(Text(IDS_SKIN_FILES_MISSING), boxes.Boxes()[0].text);
        EXPECT_EQ(Text(IDS_APP_TITLE), boxes.Boxes()[0].caption);
        EXPECT_EQ(UINT(MB_ICONINFORMATION), boxes.Boxes()[0].type);
        EXPECT_EQ(0, program.app.loopRuns);
        EXPECT_TRUE(program.system.log.empty());
        EXPECT_EQ(settingsBefore, program.folder.Read("TVParam.ini"));
    }
}

// A window standing in for the running instance's video window.
class RunningInstance
{
public:
    explicit RunningInstance(LPCSTR title)
    {
        m_hWnd = ::CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, NULL, NULL,
                                   NULL, NULL);
        m_mutex = ::CreateMutexA(NULL, FALSE, CPellamarApp::kInstanceMutex);
    }
    ~RunningInstance()
    {
        ::DestroyWindow(m_hWnd);
        ::CloseHandle(m_mutex);
    }
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd;
    HANDLE m_mutex;
};

TEST(AppStartup, ASecondInstanceBringsTheFirstToTheFrontAndLeavesEverythingAlone)
{
    MessageBoxCapture boxes;
    Program program;
    RunningInstance first(Text(IDS_VIDEOWND_TITLE).c_str());
    ::ShowWindow(first.Handle(), SW_SHOWMINIMIZED);
    const std::string settingsBefore = program.folder.Read("TVParam.ini");
    program.folder.Write("Sarnet.exe", "not run");

    program.Run();
    EXPECT_EQ(0, program.app.loopRuns);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(program.system.log.empty()) << program.system.log[0];
    EXPECT_EQ(settingsBefore, program.folder.Read("TVParam.ini"));
    EXPECT_FALSE(program.manager.GetHardware().GetCardFilter()) << "the devices stay closed";
    EXPECT_TRUE(::IsWindowVisible(first.Handle()));
    EXPECT_FALSE(::IsIconic(first.Handle()));
    EXPECT_EQ(first.Handle(), ::GetForegroundWindow());
}

TEST(AppStartup, TheExitGivesTheMachineBackBeforeItIsSwitchedOff)
{
    MessageBoxCapture boxes(kGoOnWithoutSound);
    Program program;
    program.folder.Write("Sarnet.exe", "the tray program");
    program.system.screenSaverActive = TRUE;
    program.system.powerOffTimeout = 900;
    program.app.mainLoop = [&]() {
        EXPECT_EQ(kStartupChanges[0], program.system.log.at(0));
        EXPECT_EQ(kStartupChanges[1], program.system.log.at(1));
        EXPECT_FALSE(program.system.screenSaverActive);
        EXPECT_EQ(0, program.system.powerOffTimeout);
        program.system.log.clear();
        // A channel renamed while running, and the countdown's power-off.
        program.manager.GetTVTable().GetChannel(0)->Name = "Renamed";
        program.manager.GetTVTable().SetModified();
        program.app.SetPowerOffAtExit(TRUE);
    };
    bool savedBeforeShutdown = false;
    program.system.onExit = [&]() {
        savedBeforeShutdown = program.folder.Read("TVChannel.tvc").find("Renamed") != std::string::npos &&
                              program.folder.Read("TVParam.ini").find("[Record]") != std::string::npos;
    };
    program.Run();

    EXPECT_EQ(1, program.app.loopRuns);
    EXPECT_TRUE(BoxesBesideTheSoundQuestion(boxes).empty());
    const std::vector<std::string> expected = {
        "Open Sarnet.exe", "screen saver on", "power-off timeout 900",
        "exit system " + std::to_string(EWX_SHUTDOWN | EWX_POWEROFF)};
    EXPECT_EQ(expected, program.system.log);
    EXPECT_TRUE(savedBeforeShutdown);
}

// After a scheduled recording that asked for it: the files are written and
// the machine given back before it hibernates.
TEST(AppStartup, HibernationComesAfterTheFilesAreSaved)
{
    MessageBoxCapture boxes(kGoOnWithoutSound);
    Program program;
    program.system.screenSaverActive = TRUE;
    program.system.powerOffTimeout = 900;
    program.app.mainLoop = [&]() {
        program.system.log.clear();
        program.manager.GetTVTable().GetChannel(0)->Name = "Renamed";
        program.manager.GetTVTable().SetModified();
        program.app.SetHibernateAtExit(TRUE);
        program.app.SetTrayAtExit(FALSE);
    };
    bool savedBefore = false;
    program.system.onExit = [&]() {
        savedBefore = program.folder.Read("TVChannel.tvc").find("Renamed") != std::string::npos &&
                      program.folder.Read("TVParam.ini").find("[Record]") != std::string::npos;
    };
    program.Run();

    const std::vector<std::string> expected = {"screen saver on", "power-off timeout 900", "power state 0 1"};
    EXPECT_EQ(expected, program.system.log);
    EXPECT_TRUE(savedBefore);
}

TEST(AppStartup, TheExitPutsBackWhatItFoundAndNoMore)
{
    const struct
    {
        BOOL screenSaver;
        int timeout;
        BOOL tray;
        std::vector<std::string> exitLog;
    } cases[] = {
        // Found off: nothing to switch, nothing to put back.
        {FALSE, 0, TRUE, {"Open Sarnet.exe"}},
        {TRUE, 0, FALSE, {"screen saver on"}},
        {FALSE, 300, FALSE, {"power-off timeout 300"}},
    };
    for (const auto& c : cases) {
        MessageBoxCapture boxes(kGoOnWithoutSound);
        Program program;
        program.folder.Write("Sarnet.exe", "the tray program");
        program.system.screenSaverActive = c.screenSaver;
        program.system.powerOffTimeout = c.timeout;
        program.app.mainLoop = [&]() {
            program.system.log.clear();
            program.app.SetTrayAtExit(c.tray);
        };
        program.Run();
        EXPECT_EQ(c.exitLog, program.system.log);
        EXPECT_EQ(c.screenSaver, program.system.screenSaverActive);
        EXPECT_EQ(c.timeout, program.system.powerOffTimeout);
    }
}

TEST(AppStartup, ATrayProgramThatFailsToStartIsReportedAndTheExitGoesOn)
{
    MessageBoxCapture boxes(kGoOnWithoutSound);
    Program program;
    program.folder.Write("Sarnet.exe", "the tray program");
    program.system.executeResult = 2; // file not found
    program.Run();
    const std::vector<MessageBoxCapture::Box> shown = BoxesBesideTheSoundQuestion(boxes);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(Text(IDS_TRAY_START_FAILED), shown[0].text);
    EXPECT_TRUE(program.system.screenSaverActive);
    EXPECT_EQ(600, program.system.powerOffTimeout);
}

TEST(AppStartup, TheRecSwitch)
{
    const struct
    {
        const char* line;
        BOOL rec;
    } cases[] = {
        {"Pellamar.exe Rec", TRUE},
        {"Pellamar.exe /rec", TRUE},
        {"\"C:\\Program Files\\Pellamar.exe\" -REC", TRUE},
        {"Pellamar.exe --rec", FALSE},
        {"Pellamar.exe Recording", FALSE},
        {"Rec.exe", FALSE},
        {"Pellamar.exe other \"/Rec\"", TRUE},
        {"", FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.rec, CPellamarApp::HasRecSwitch(c.line)) << c.line;
}

} // namespace
