// Benchmark of a long recording cut into files by the control panel's
// recording decisions, run by hand (not by ctest):
//   build/win64/wine-exec build/win64/tests/app/rotation_benchmark.exe [seconds] [minutes per file] [folder]
// inside a session with the virtual card and the stand-ins registered (as
// the test command sets up). The manager records AVI from the virtual card
// (720 x 576, PAL B, 25 frames a second) for `seconds` (600 unless given)
// through CRecordControl, which starts a new file every `minutes per file`
// (2 unless given) as the panel's rotation timer has it. It prints, per
// file and in all: the wall time the file was open, the video frames in
// it, the frames the wall time between the first start and the last stop
// would hold (x 25) and how many the files lack, the gap between one file's
// stop and the next one's start, and the processor time per second
// recorded. The recordings are deleted afterwards (uncompressed, ten
// minutes make about 12 GB); the program's files stay in the folder.
#include "app/RecordControl.h"

#include "engine/PathHelpers.h"
#include "engine/TVManager.h"
#include "platform/mfc/MessageBox.h"
#include "tests/engine/AviFile.h"
#include "tests/engine/RecordOnCard.h"
#include "tests/engine/RecordingUi.h"
#include "tests/engine/ScreenPicture.h"
#include "tests/support/MessageWindow.h"

#include "tests/support/BenchmarkFigures.h"

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

const double kFramesPerSecond = 25.0;
const UINT_PTR kRotationTimer = 8;

// Nobody answers boxes here: each is printed and answered with its default.
int PrintBox(HWND, LPCSTR text, LPCSTR, UINT)
{
    printf("  box: %s\n", text ? text : "");
    return IDOK;
}

// Seconds from the performance counter.
double Seconds()
{
    return Now() / 1000.0;
}

// One file: its path and when its start returned and its stop was asked.
struct FileSpan
{
    std::string path;
    double opened = 0;
    double closed = 0;
};

// The panel's part as far as the rotation needs it: the manager's road, a
// rotation timer on a window of this thread, and the files' times.
class BenchmarkHost : public IRecordHost
{
public:
    BenchmarkHost(CTVManager& manager, HWND timerWindow, int minutes)
        : m_manager(manager), m_window(timerWindow), m_minutes(minutes)
    {
    }

    std::vector<FileSpan> files;

    BOOL StartRecord() override
    {
        const BOOL started = m_manager.StartRecord();
        if (started)
            files.push_back(FileSpan{(LPCSTR)m_manager.GetRecordFilePath(), Seconds(), 0});
        return started;
    }
    BOOL StopRecord() override
    {
        if (!files.empty() && files.back().closed == 0)
            files.back().closed = Seconds();
        return m_manager.StopRecord();
    }
    int GetMaxLength() override { return m_minutes; }
    BOOL GetSegmentStop() override { return FALSE; }
    BOOL GetDiskFullStop() override { return FALSE; }
    ULONGLONG GetLimitedFileBytes() override
    {
        return CRecordControl::LimitedFileBytes(m_manager.GetRecordFilePath());
    }
    CString GetRecordDisk() override
    {
        CString root;
        m_manager.getRecordDisk(root);
        return root;
    }
    BOOL IsRecordDisabled() override { return m_manager.IsRecordDisabled(); }
    CString GetCurDisk() override { return m_manager.GetCurDisk(); }
    int GetReservedSpace() override { return m_manager.GetReservedSpace(); }
    CString FindNextRecordDisk(const CString&) override { return CString(); }
    CString GetVideoFolder() override { return m_manager.GetVideoFolder(); }
    BOOL SetRecordDiskByPath(const CString& path) override { return m_manager.SetRecordDiskByPath(path); }
    BOOL SetVideoDir(const CString& path) override { return m_manager.SetVideoDir(path); }
    BOOL GetMute() override { return FALSE; }
    void SetMute(BOOL) override {}
    BOOL IsCardOpen() override { return TRUE; }
    BOOL IsScanning() override { return FALSE; }
    BOOL IsTimeShiftRunning() override { return FALSE; }
    BOOL StopTimeShift() override { return TRUE; }
    int GetVideoSource() override { return m_manager.GetVideoSource(); }
    void SetVideoSource(int) override {}
    void TuneScheduledChannel(int, int) override {}
    void TuneCurrentChannel() override {}
    BOOL GetScheduleItem(HTIMINGITEM, _tagTimingParam*, _tagExcuteParam*) override { return FALSE; }
    void CancelScheduleItem() override {}
    void MuteForTuning() override {}
    void SetRecordUiState(BOOL) override {}
    void PostRecordMessage(UINT textId) override { printf("  message %u\n", textId); }
    void PrepareVideoWindow() override {}
    void CloseForSchedule() override {}
    void StartBlink() override {}
    void StopBlink() override {}
    void UpdatePauseCommand() override {}
    void SetRotationTimer(UINT seconds) override
    {
        if (seconds == 0)
            ::KillTimer(m_window, kRotationTimer);
        else
            ::SetTimer(m_window, kRotationTimer, seconds * 1000, NULL);
    }
    void HoldRecordCommand() override {}
    void SettleBeforeRestart() override { ::Sleep(100); }
    void ShowPowerOffCountdown() override {}
    void ExitAndHibernate() override {}
    __time64_t Now() override { return _time64(NULL); }

private:
    CTVManager& m_manager;
    HWND m_window;
    int m_minutes;
};

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 600;
    const int minutes = argc > 2 ? std::max(1, atoi(argv[2])) : 2;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const CString base = argc > 3 ? CString(argv[3]) : CString(temp);
    const CString folder = PathJoin(base, "rotation-benchmark");
    CreateDirectoryA(folder, NULL);
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    AfxSetMessageBoxHook(&PrintBox);
    int status = 0;
    {
        // The program's files in the benchmark's folder: E21 in PAL B.
        const CString settingsPath = PathJoin(folder, "TVParam.ini");
        FILE* settings = fopen(settingsPath, "wb");
        if (settings) {
            fputs("[Channel]\r\nTVInput=0\r\nCountryCode=49\r\n[Device]\r\nTunerStandard=32\r\nVideoSource=0\r\n",
                  settings);
            fclose(settings);
        }
        CChannelTable tv;
        tv.SetFM(FALSE);
        tv.AddChannel(CChannel(1, 471250, "E21", CHANNEL_VALID));
        tv.SaveToFile(PathJoin(folder, "TVChannel.tvc"));

        RecordingUi ui;
        MessageWindow timers;
        PreviewHost& host = SharedPreviewHost();
        CTVManager manager(folder, &ui);
        manager.GetHardware().SetVideoWindow(host.Handle());
        manager.GetHardware().SetRecordDevices(StandInWriterDevices());
        manager.InitNameTables();
        manager.InitResourceIdMaps();
        manager.LoadSettings();
        manager.ApplyLoadedSettings();
        if (!manager.Startup() || !manager.GetHardware().GetAudioFilter() || !manager.RunPreview()) {
            fprintf(stderr, "no preview with sound on the virtual card (error code %lX)\n", GetStartupErrorCode());
            return 1;
        }
        manager.GetTVTable().SetCurrentChannel(manager.GetTVTable().GetChannel(0));
        ManagerSettings& s = manager.Settings();
        s.VideoDir = folder;
        s.CurDisk = folder.Left(3);
        s.ValidDisk.RemoveAll();
        s.ValidDisk.Add(folder.Left(3));
        s.ReservedSpace = 50;
        manager.InitRecordDisk(timers.Handle());
        manager.SetRecordFormat(0);

        BenchmarkHost recordHost(manager, timers.Handle(), minutes);
        CRecordControl record(recordHost);
        const double cpuBefore = ProcessorSeconds();
        const double start = Seconds();
        if (!record.StartManualRecord()) {
            fprintf(stderr, "the recording did not start\n");
            return 1;
        }
        // The rotation timer's ticks reach the decisions as the panel's do.
        while (Seconds() - start < seconds) {
            MSG msg;
            while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_TIMER && msg.hwnd == timers.Handle() && msg.wParam == kRotationTimer)
                    record.RotateRecordFile();
                else
                    DispatchMessageA(&msg);
            }
            MsgWaitForMultipleObjects(0, NULL, FALSE, 200, QS_ALLINPUT);
        }
        record.StopManualRecord();
        const double wall = Seconds() - start;
        const double cpu = ProcessorSeconds() - cpuBefore;

        printf("AVI recording with a new file every %d min, virtual card, 720 x 576 PAL B, under Wine\n", minutes);
        long framesInFiles = 0;
        double gaps = 0;
        for (size_t i = 0; i < recordHost.files.size(); ++i) {
            const FileSpan& f = recordHost.files[i];
            AviContents avi;
            const bool read = ReadAviFile(f.path, &avi);
            const double open = f.closed - f.opened;
            const double gap = i + 1 < recordHost.files.size() ? recordHost.files[i + 1].opened - f.closed : 0;
            gaps += gap;
            framesInFiles += avi.videoFrames;
            printf("  file %2u: %s, open %7.1f s, %6ld frames (%6.0f expected), %4ld empty, next after %.2f s\n",
                   (unsigned)i + 1, read ? "read" : "NOT READ", open, avi.videoFrames, open * kFramesPerSecond,
                   avi.emptyVideoChunks, gap);
            DeleteFileA(f.path.c_str());
        }
        const size_t rotations = recordHost.files.empty() ? 0 : recordHost.files.size() - 1;
        const double expected = wall * kFramesPerSecond;
        printf("  files                        %10u (%u rotations)\n", (unsigned)recordHost.files.size(),
               (unsigned)rotations);
        printf("  frames in the files          %10ld of %.0f over the wall time (%.1f s)\n", framesInFiles, expected,
               wall);
        printf("  frames lacking               %10.0f, %.1f per rotation; gaps between files %.2f s in all\n",
               expected - framesInFiles, rotations ? (expected - framesInFiles) / rotations : 0.0, gaps);
        printf("  processor time               %10.1f s, %.3f s per second recorded\n", cpu, cpu / wall);
        manager.CloseDevice();
    }
    CoUninitialize();
    return status;
}
