// The control panel in the running program under Xvfb on the virtual card:
// remote keys, panel commands and hot keys change the channel (the card's
// picture shows the new carrier), the source, the sound and the skin; the
// hot-key archive is written at the first start; the windows' places are
// kept at exit; the power-off countdown; the record key records a file
// that reads back. A script runs inside the main loop and closes the window.
#include "tests/app/ProgramFixture.h"

#include "app/Osd.h"
#include "app/RecordControl.h"
#include "app/ShutDownDlg.h"
#include "cards/RemoteThread.h"
#include "engine/PathHelpers.h"
#include "platform/timing/Timing.h"
#include "resources/Resource.h"
#include "tests/engine/AviFile.h"
#include "tests/engine/RecordOnCard.h"
#include "tests/engine/ScreenPicture.h"
#include "tests/app/ResourceLibrary.h"
#include "tests/platform/standins/ServedAviMux.h"
#include "tests/support/MessageBoxCapture.h"
#include "settings/ColorDlg.h"
#include "platform/mfc/PropertySheet.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// See ProgramWindowTest: the screen is read once the window has settled.
const DWORD kSettleMs = 750;

class PanelProgram : public ::testing::Test
{
protected:
    // The first line of the card's picture as the video window shows it,
    // once it starts with `start` (up to the time-out).
    bool WaitForLine(const std::string& start, std::string* line)
    {
        PreviewHost::Pump(kSettleMs);
        Frame picture;
        const CSize size = program.manager.GetVideoSize();
        return PumpUntil(
            [&]() {
                return ReadPicture(program.video.m_hWnd, size.cx, size.cy, &picture) &&
                       (*line = ReadLine(picture, 0)).compare(0, start.size(), start) == 0;
            },
            20000);
    }
    void Command(UINT id) { program.control.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Remote(BYTE key) { program.video.SendMessage(WM_REMOTE_KEY, key, 0); }
    long Tuned() { return program.manager.GetTVTable().GetCurrentFrequency(); }
    // How many of the screen's pixels over `window` are in the on-screen
    // texts' colour: the letters as the screen shows them, not as the
    // window thinks it is shown.
    int LettersOnScreen(HWND window)
    {
        PreviewHost::Pump(kSettleMs);
        // Only where the letters are: the shape's bounding box.
        RECT window_rect, area;
        ::GetWindowRect(window, &window_rect);
        HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
        const bool shaped = ::GetWindowRgn(window, shape) != ERROR && ::GetRgnBox(shape, &area) != NULLREGION;
        ::DeleteObject(shape);
        if (!shaped)
            return 0;
        ::OffsetRect(&area, window_rect.left, window_rect.top);
        const Frame shot = CaptureScreen(area);
        const int width = area.right - area.left, height = area.bottom - area.top;
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
        int count = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const BYTE* bgr = &shot.bytes[y * stride + x * 3];
                count += bgr[0] < 32 && bgr[1] > 240 && bgr[2] < 32;
            }
        return count;
    }

    MessageBoxCapture boxes{kGoOnWithoutSound};
    Program program;
};

TEST_F(PanelProgram, RemoteKeysCommandsAndHotKeysActOnTheProgram)
{
    RunInMainLoop(program, [this]() {
        std::string line;
        ASSERT_TRUE(WaitForLine("TUNER 175.", &line)) << line;
        // The first start wrote the hot keys beside the program.
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(program.folder.File("Accel").c_str()));

        // The remote's next-channel key: the card shows the next carrier.
        Remote(128);
        EXPECT_EQ(471250, Tuned());
        EXPECT_TRUE(WaitForLine("TUNER 471.", &line)) << line;
        // The panel's previous-channel button.
        program.control.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHANNEL_PREV, BN_CLICKED),
                                    (LPARAM)::GetDlgItem(program.control.m_hWnd, ID_CHANNEL_PREV));
        EXPECT_EQ(175250, Tuned());
        // Two digits: 0 then 2, tuned once the entry pause has run out.
        Remote(112);
        Remote(104);
        EXPECT_EQ(175250, Tuned());
        EXPECT_TRUE(PumpUntil([&]() { return Tuned() == 471250; }, 5000)) << "the digits were not tuned";
        EXPECT_TRUE(WaitForLine("TUNER 471.", &line)) << line;
        // The Page Up hot key as the main loop hands a key to the panel (the
        // script's own pump translates nothing).
        MSG key = {program.control.m_hWnd, WM_KEYDOWN, VK_PRIOR, 1};
        EXPECT_TRUE(program.control.PreTranslateMessage(&key));
        EXPECT_EQ(175250, Tuned()) << "the hot key did nothing";

        // Mute: the panel's state and the on-screen text (the null sound
        // device keeps no mute of its own to read back).
        Command(ID_MUTE);
        EXPECT_TRUE(program.control.IsMuted());
        COsd* mute = program.video.GetOsd(CTVVideoWnd::kOsdMute);
        ASSERT_NE(nullptr, mute);
        EXPECT_TRUE(mute->IsWindowVisible());
        EXPECT_EQ("Mute", std::string(mute->GetText()));
        EXPECT_LT(100, LettersOnScreen(mute->m_hWnd)) << "the mute text does not show on the screen";
        Remote(102);
        EXPECT_FALSE(program.control.IsMuted());
        EXPECT_FALSE(mute->IsWindowVisible());

        // The next skin and back.
        const CString first = program.manager.GetSkinName();
        Command(ID_NEXT_SKIN);
        EXPECT_NE(0, first.CompareNoCase(program.manager.GetSkinName()));
        EXPECT_TRUE(program.control.HasSkin());
        Command(ID_NEXT_SKIN);
        EXPECT_EQ(0, first.CompareNoCase(program.manager.GetSkinName()));

        // The source: the card's composite input; the channel keys do nothing there.
        Command(ID_INPUT_SOURCE);
        EXPECT_EQ(1, program.manager.GetVideoSource());
        EXPECT_TRUE(WaitForLine("COMPOSITE", &line)) << line;
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(program.control.m_hWnd, ID_CHANNEL_NEXT)));
        Remote(128);
        EXPECT_EQ(175250, Tuned());
        Command(ID_INPUT_SOURCE);
        Command(ID_INPUT_SOURCE);
        EXPECT_EQ(0, program.manager.GetVideoSource());
        EXPECT_TRUE(WaitForLine("TUNER 175.", &line)) << line;
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(program.control.m_hWnd, ID_CHANNEL_NEXT)));
        // The schedule store was opened with the panel.
        EXPECT_TRUE(program.control.IsScheduleOpen());
    });
    program.Run();
    for (const MessageBoxCapture::Box& box : BoxesBesideTheSoundQuestion(boxes))
        ADD_FAILURE() << "message box: " << box.text;
    // The windows' places were kept for the next run.
    char rect[64] = {0};
    ::GetPrivateProfileStringA("Window", "VideoWnd", "", rect, sizeof rect,
                               program.folder.File("TVParam.ini").c_str());
    EXPECT_STRNE("", rect);
}

// The remote's power-off key runs the countdown over the running program:
// near its end the panel and the video window go; Cancel brings them back
// and the daily power-off check runs on; a second countdown left to run
// out ends the program, which saves its files and then powers off.
TEST_F(PanelProgram, ThePowerOffCountdownCancelledAndThenRunOut)
{
    int countdowns = 0;
    bool hiddenNearTheEnd = false;
    program.control.SetCountdownRunner([&](CShutDownDlg& dialog) -> INT_PTR {
        ++countdowns;
        EXPECT_EQ(CTVControl::kShutDownSeconds, dialog.GetCount());
        if (!dialog.Create(IDD_SHUTDOWN, NULL))
            return -1;
        const int ticks = countdowns == 1 ? 7 : CTVControl::kShutDownSeconds;
        for (int i = 0; i < ticks; ++i)
            dialog.Tick();
        if (countdowns == 1) {
            hiddenNearTheEnd = !program.control.IsWindowVisible() && !program.video.IsWindowVisible();
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SHUTDOWN_CANCEL, BN_CLICKED), 0);
        }
        const int answer = dialog.GetAnswer();
        dialog.DestroyWindow();
        return answer;
    });
    bool savedBeforePowerOff = false;
    program.system.onExit = [&]() {
        savedBeforePowerOff = program.folder.Read("TVParam.ini").find("[Record]") != std::string::npos;
    };
    RunInMainLoop(program, [this, &countdowns, &hiddenNearTheEnd]() {
        program.control.SetPowerOffTime(CTime::GetCurrentTime() + CTimeSpan(0, 2, 0, 0), TRUE);
        Remote(133);
        EXPECT_EQ(1, countdowns);
        EXPECT_TRUE(hiddenNearTheEnd);
        EXPECT_TRUE(program.control.IsWindowVisible());
        EXPECT_TRUE(program.video.IsWindowVisible());
        // The daily check is armed again (the countdown stopped it).
        EXPECT_TRUE(::KillTimer(program.control.m_hWnd, CTVControl::kPowerOffTimer));
        program.control.CheckPowerOffTime();
        program.system.log.clear();
        Remote(134);
        EXPECT_EQ(2, countdowns);
    });
    program.Run();
    EXPECT_TRUE(savedBeforePowerOff);
    ASSERT_FALSE(program.system.log.empty());
    EXPECT_EQ("exit system " + std::to_string(EWX_SHUTDOWN | EWX_POWEROFF), program.system.log.back());
}

const int kRecordSeconds = 5;
const int kFramesPerSecond = 25; // PAL

// The newest recording of the folder, or the empty text.
std::string FindRecording(const CString& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(PathJoin(folder, "*.avi"), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    const std::string name = found.cFileName;
    ::FindClose(search);
    return std::string(PathJoin(folder, name.c_str()));
}

// Recordings of the program go to `folder` on the scratch folder's own
// drive, as AVI.
void RecordInto(Program& program, const CString& folder)
{
    ManagerSettings& settings = program.manager.Settings();
    settings.VideoDir = folder;
    settings.CurDisk = folder.Left(3);
    settings.ValidDisk.RemoveAll();
    settings.ValidDisk.Add(folder.Left(3));
    settings.ReservedSpace = 50;
    program.manager.InitRecordDisk(program.control.m_hWnd);
    program.manager.SetRecordFormat(0);
}

std::string ClockText(CWnd& panel)
{
    CString text;
    panel.GetDlgItemText(IDC_PANEL_CLOCK, text);
    return (LPCSTR)text;
}

// The running program records from the virtual card through its own road:
// the remote's record key starts an AVI recording (the panel's clock counts
// it, the record indicator names the format), the same key five seconds
// later stops it, and the file reads back as an AVI file of about that
// length. The File Writer is the stand-ins' stream writer, as the run
// command's prefix has it (Wine's own takes no stream writes from its AVI
// multiplexer).
TEST_F(PanelProgram, TheRecordKeyRecordsFiveSecondsThatReadBack)
{
    ServedAviMux mux;  // as the run command's prefix has it: Wine's takes no sound
    program.app.afterDevices = [this]() {
        program.manager.GetHardware().SetRecordDevices(StandInWriterDevices());
    };
    const CString videos = PathJoin(program.folder.Path().c_str(), "Videos");
    bool skipped = false;
    std::string file;
    RunInMainLoop(program, [&]() {
        if (!program.manager.GetHardware().GetAudioFilter()) {
            skipped = true; // recordings need a sound device
            return;
        }
        RecordInto(program, videos);
        ASSERT_EQ(0, program.manager.GetRecordFormat());

        program.video.SendMessage(WM_REMOTE_KEY, 122, 0);
        ASSERT_TRUE(program.control.IsRecordRunning());
        EXPECT_EQ(CRecordControl::kManual, program.control.Record().GetState());
        EXPECT_TRUE(program.manager.IsRecording());
        PreviewHost::Pump(1500);
        COsd* indicator = program.video.GetOsd(CTVVideoWnd::kOsdRecord);
        ASSERT_NE(nullptr, indicator);
        EXPECT_NE(std::string::npos, std::string(indicator->GetText()).find("AVI")) << indicator->GetText();
        // The clock counts the recording.
        EXPECT_EQ(0u, ClockText(program.control).find("00:00:0")) << ClockText(program.control);
        PreviewHost::Pump((kRecordSeconds - 1) * 1000 - 500);
        EXPECT_EQ(0u, ClockText(program.control).find("00:00:0")) << ClockText(program.control);

        program.video.SendMessage(WM_REMOTE_KEY, 122, 0);
        EXPECT_FALSE(program.control.IsRecordRunning());
        EXPECT_FALSE(program.manager.IsRecording());
        file = FindRecording(videos);
    });
    program.Run();
    if (skipped)
        GTEST_SKIP() << "no audio capture device in this prefix: recordings need one";
    for (const MessageBoxCapture::Box& box : BoxesBesideTheSoundQuestion(boxes))
        ADD_FAILURE() << "message box: " << box.text;

    ASSERT_FALSE(file.empty()) << "no recording in " << (LPCSTR)videos;
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(::GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data));
    EXPECT_GT(((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow, 0u);
    AviContents avi;
    ASSERT_TRUE(ReadAviFile(file, &avi)) << file;
    EXPECT_TRUE(avi.firstFormIsAvi);
    EXPECT_TRUE(avi.hasVideoStream);
    EXPECT_GT(avi.videoFormat.biWidth, 0);
    EXPECT_FALSE(avi.firstFrame.empty());
    // The file holds the recording between the two keys: the graph's start
    // costs a share of it, a large one on a loaded machine.
    const double seconds = double(avi.videoFrames + avi.emptyVideoChunks) / kFramesPerSecond;
    EXPECT_GE(seconds, 1.5) << avi.videoFrames << " frames";
    EXPECT_LE(seconds, kRecordSeconds + 1.5) << avi.videoFrames << " frames";
}

// A schedule's start that arrives while the settings sheet is open closes
// the sheet first, tunes the item's channel and records; its stop ends the
// recording. The start is posted as the timing library posts it, for an
// item of the store whose own time lies ahead.
TEST_F(PanelProgram, AScheduledStartClosesTheOpenSettingsSheet)
{
    ServedAviMux mux;  // as the run command's prefix has it: Wine's takes no sound
    program.app.afterDevices = [this]() {
        program.manager.GetHardware().SetRecordDevices(StandInWriterDevices());
    };
    const CString videos = PathJoin(program.folder.Path().c_str(), "Videos");
    RunInMainLoop(program, [&]() {
        ASSERT_TRUE(program.control.IsScheduleOpen());
        RecordInto(program, videos);
        const CTime tomorrow(CTime::GetCurrentTime().GetTime() + 24 * 3600);
        _tagTimingParam timing = {};
        timing.nYear = tomorrow.GetYear();
        timing.nMonth = tomorrow.GetMonth();
        timing.nDay = tomorrow.GetDay();
        timing.nHour = 12;
        timing.nDuration = 60;
        timing.nOnce = 1;
        _tagExcuteParam execute = {};
        execute.nSize = sizeof execute;
        execute.nDuration = 60;
        execute.nFrequency = 471250;
        HTIMINGITEM item = Timing_InsertItem(0, timing, &execute);
        ASSERT_NE(nullptr, item);

        program.control.PostMessage(WM_TIMING_EVENT, (WPARAM)item, TIMING_EVENT_START);
        Command(ID_SETTINGS); // the sheet's own loop takes the start
        EXPECT_EQ(nullptr, program.control.GetOpenSheet());
        EXPECT_EQ(471250, Tuned());
        if (program.manager.GetHardware().GetAudioFilter()) {
            EXPECT_EQ(CRecordControl::kScheduled, program.control.Record().GetState());
            EXPECT_TRUE(program.manager.IsRecording());
        }

        program.control.SendMessage(WM_TIMING_EVENT, (WPARAM)item, TIMING_EVENT_STOP);
        EXPECT_EQ(CRecordControl::kNone, program.control.Record().GetState());
        EXPECT_FALSE(program.manager.IsRecording());
        Timing_RemoveItem(item);
    });
    program.Run();
}

// The mixer as a test has it: it answers, or it refuses every call.
class FakeVolume : public IPanelVolume
{
public:
    BOOL GetVolume(int* value) override
    {
        if (!works)
            return FALSE;
        *value = volume;
        return TRUE;
    }
    BOOL SetVolume(int value) override
    {
        sets.push_back(value);
        if (works)
            volume = value;
        return works;
    }
    CString Refusal() override { return "the test's mixer refuses"; }

    bool works = true;
    int volume = 40;
    std::vector<int> sets;
};

// A control panel of its own, with the shipped skins, over a manager on a
// scratch folder holding the program's files, the mixer faked, and a plain
// window standing in for the video window that counts the closes it is
// asked for.
class PanelWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.Loaded());
        ASSERT_TRUE(manager.LoadSettings());
        owner = ::CreateWindowExA(0, "STATIC", "TV", WS_POPUP, 0, 0, 320, 240, NULL, NULL, NULL, NULL);
        ASSERT_NE((HWND)NULL, owner);
        s_closes = 0;
        s_ownerProc = (WNDPROC)::SetWindowLongPtrA(owner, GWLP_WNDPROC, (LONG_PTR)&CountCloses);
        panel.SetVolumeDoor(&volume);
        ASSERT_TRUE(panel.CreatePanel(CWnd::FromHandle(owner)));
        panel.SetWindowPos(NULL, 60, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }
    void TearDown() override
    {
        if (panel.m_hWnd != NULL)
            panel.DestroyWindow();
        if (owner != NULL)
            ::DestroyWindow(owner);
    }
    static LRESULT CALLBACK CountCloses(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_CLOSE) {
            ++s_closes;
            return 0;
        }
        return ::CallWindowProcA(s_ownerProc, window, message, wParam, lParam);
    }
    HWND Slider() { return ::GetDlgItem(panel.m_hWnd, IDC_PANEL_VOLUME); }
    bool Upright() { return (::GetWindowLongA(Slider(), GWL_STYLE) & TBS_VERT) != 0; }
    int Position() { return (int)::SendMessageA(Slider(), TBM_GETPOS, 0, 0); }
    // Where the slider's thumb stands for `volume` in the skin worn now.
    int PositionOf(int volume) { return Upright() ? 100 - volume : volume; }
    void Scroll(UINT code, int thumb = 0)
    {
        panel.SendMessage(Upright() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, thumb), (LPARAM)Slider());
    }
    void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    static int s_closes;
    static WNDPROC s_ownerProc;
    ResourceLibrary resources;
    MessageBoxCapture boxes;
    TempFolder folder;
    ProgramFiles files{folder};
    CString appFolder{folder.Path().c_str()};
    CTVManager manager{folder.Path().c_str()};
    FakeVolume volume;
    CTVControl panel{manager, appFolder};
    HWND owner = NULL;
};

int PanelWindow::s_closes = 0;
WNDPROC PanelWindow::s_ownerProc = NULL;

// The volume slider in both shipped skins (upright in Default, across in
// Silver), with a mixer that answers and one that refuses: the keys move
// the slider, the slider sets the volume, a new skin shows the volume the
// way it stands, and a refusing mixer still shows what was asked for.
TEST_F(PanelWindow, TheVolumeSliderAndTheVolumeKeysAgreeInBothSkins)
{
    const struct
    {
        const char* skin;
        bool upright;
    } skins[] = {{"Default", true}, {"Silver", false}};
    for (const auto& skin : skins) {
        for (bool works : {true, false}) {
            SCOPED_TRACE(testing::Message() << skin.skin << (works ? ", the mixer answers" : ", no mixer"));
            volume.works = true;
            volume.volume = 40;
            ASSERT_TRUE(panel.SetSkin(skin.skin));
            ASSERT_EQ(skin.upright, Upright());
            panel.ShowVolumeAndMute();
            EXPECT_EQ(PositionOf(40), Position()) << "the slider shows the mixer's volume";
            volume.works = works;
            volume.sets.clear();

            // The volume keys (F10, F9) move the slider.
            panel.SendMessage(WM_COMMAND, MAKEWPARAM(ID_VOLUME_UP, 1), 0);
            EXPECT_EQ(45, panel.GetShownVolume());
            EXPECT_EQ(PositionOf(45), Position());
            panel.SendMessage(WM_COMMAND, MAKEWPARAM(ID_VOLUME_DOWN, 1), 0);
            panel.SendMessage(WM_COMMAND, MAKEWPARAM(ID_VOLUME_DOWN, 1), 0);
            EXPECT_EQ(35, panel.GetShownVolume());
            EXPECT_EQ(PositionOf(35), Position());
            EXPECT_EQ((std::vector<int>{45, 40, 35}), volume.sets) << "every step asks the mixer";

            // The slider: a drag to the loud end, then a step down.
            ::SendMessageA(Slider(), TBM_SETPOS, TRUE, PositionOf(90));
            Scroll(skin.upright ? TB_ENDTRACK : TB_THUMBTRACK, 90);
            EXPECT_EQ(90, panel.GetShownVolume());
            Scroll(TB_ENDTRACK);
            EXPECT_EQ(90, panel.GetShownVolume());
            if (skin.upright) {
                Scroll(TB_THUMBTRACK, 0); // upright: only where the drag ends counts
                EXPECT_EQ(90, panel.GetShownVolume());
                ::SendMessageA(Slider(), TBM_SETPOS, TRUE, 100);
                Scroll(TB_THUMBPOSITION, 100);
                EXPECT_EQ(0, panel.GetShownVolume());
            } else {
                Scroll(TB_PAGEUP);
                EXPECT_EQ(90 - 5, panel.GetShownVolume()) << "the page size is 5";
                Scroll(TB_TOP);
                EXPECT_EQ(0, panel.GetShownVolume());
            }
            EXPECT_EQ(PositionOf(0), Position());
            EXPECT_EQ(0, volume.sets.back());
            EXPECT_EQ(works ? 0 : 40, volume.volume);
        }
    }
    // The skin changes under a volume: the slider turns and shows it anew.
    volume.works = true;
    volume.volume = 90;
    ASSERT_TRUE(panel.SetSkin("Default"));
    panel.SendMessage(WM_COMMAND, MAKEWPARAM(ID_VOLUME_UP, 1), 0);
    EXPECT_EQ(5, Position());
    ASSERT_TRUE(panel.SetSkin("Silver"));
    EXPECT_EQ(95, Position());
    EXPECT_TRUE(boxes.Boxes().empty());
}

// The panel's own window messages: the picture dialog follows the moved
// panel and goes with it when it hides; the close of its system menu is the
// exit command (the video window is asked to close); the drag icon is the
// program's; a suspend is refused; the active flag.
TEST_F(PanelWindow, WindowMessagesOfThePanel)
{
    panel.CmdPictureDialog(ID_PICTURE_DIALOG);
    CColorDlg* picture = panel.GetColorDlg();
    ASSERT_NE(nullptr, picture);
    ASSERT_TRUE(picture->IsWindowVisible());
    CRect place, beside;
    panel.SetWindowPos(NULL, 140, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    panel.GetWindowRect(&place);
    picture->GetWindowRect(&beside);
    EXPECT_EQ(place.right, beside.left);
    EXPECT_EQ(place.top, beside.top);
    panel.ShowWindow(SW_HIDE);
    EXPECT_FALSE(picture->IsWindowVisible());
    panel.ShowWindow(SW_SHOWNA);

    panel.SendMessage(WM_CLOSE);
    Pump();
    EXPECT_EQ(1, s_closes);
    EXPECT_TRUE(panel.IsWindowVisible()) << "the panel waits for the exit road";

    EXPECT_NE(0, panel.SendMessage(WM_QUERYDRAGICON));
    EXPECT_EQ(BROADCAST_QUERY_DENY, panel.SendMessage(WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0));
    panel.SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(panel.IsActive());
    panel.SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(panel.IsActive());
}

// The file of a recording grows while the commands that would end it are
// refused: the input source by its button, its hot key Ctrl+Shift+J and the
// remote, and the settings sheet. The source stays, and so do the
// recording and its file.
TEST_F(PanelProgram, ARecordingGoesOnThroughTheSourceKeyAndTheSettingsCommand)
{
    ServedAviMux mux;  // as the run command's prefix has it: Wine's takes no sound
    program.app.afterDevices = [this]() {
        program.manager.GetHardware().SetRecordDevices(StandInWriterDevices());
    };
    const CString videos = PathJoin(program.folder.Path().c_str(), "Videos");
    bool skipped = false;
    RunInMainLoop(program, [&]() {
        if (!program.manager.GetHardware().GetAudioFilter()) {
            skipped = true; // recordings need a sound device
            return;
        }
        RecordInto(program, videos);
        Remote(122);
        ASSERT_TRUE(program.control.IsRecordRunning());
        std::string file;
        auto size = [&]() -> ULONGLONG {
            WIN32_FILE_ATTRIBUTE_DATA data;
            if (file.empty() || !::GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data))
                return 0;
            return ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
        };
        ASSERT_TRUE(PumpUntil([&]() { return !(file = FindRecording(videos)).empty() && size() > 0; }, 10000));
        const ULONGLONG before = size();

        // Ctrl+Shift+J as the main loop hands it to the panel.
        BYTE keys[256], held[256];
        ::GetKeyboardState(keys);
        memcpy(held, keys, sizeof held);
        held[VK_CONTROL] = held[VK_SHIFT] = 0x80;
        ::SetKeyboardState(held);
        MSG key = {program.control.m_hWnd, WM_KEYDOWN, 'J', 1};
        const BOOL taken = program.control.PreTranslateMessage(&key);
        ::SetKeyboardState(keys);
        EXPECT_TRUE(taken) << "the hot key did not reach the command";
        program.control.SendMessage(WM_COMMAND, MAKEWPARAM(ID_INPUT_SOURCE, BN_CLICKED),
                                    (LPARAM)::GetDlgItem(program.control.m_hWnd, ID_INPUT_SOURCE));
        Remote(115);
        EXPECT_EQ(0, program.manager.GetVideoSource());
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(program.control.m_hWnd, ID_INPUT_SOURCE)));

        // The settings sheet: were it to come up anyway, it is cancelled.
        bool sheetShown = false;
        RunWhen([&]() { return program.control.GetOpenSheet() != nullptr; },
                [&]() {
                    sheetShown = true;
                    program.control.GetOpenSheet()->SendMessage(WM_COMMAND, IDCANCEL);
                });
        Command(ID_SETTINGS);
        EXPECT_FALSE(sheetShown);

        EXPECT_TRUE(program.control.IsRecordRunning());
        EXPECT_TRUE(program.manager.IsRecording());
        EXPECT_TRUE(PumpUntil([&]() { return size() > before; }, 10000)) << "the file stopped growing";
        EXPECT_EQ(file, FindRecording(videos)) << "the recording moved to a new file";
        // The record key acts again once its one-second hold is over.
        EXPECT_TRUE(PumpUntil([&]() { return ::IsWindowEnabled(::GetDlgItem(program.control.m_hWnd, ID_RECORD)); },
                              5000));
        Remote(122);
        EXPECT_FALSE(program.manager.IsRecording());
    });
    program.Run();
    if (skipped)
        GTEST_SKIP() << "no audio capture device in this prefix: recordings need one";
    for (const MessageBoxCapture::Box& box : BoxesBesideTheSoundQuestion(boxes))
        ADD_FAILURE() << "message box: " << box.text;
}

} // namespace
