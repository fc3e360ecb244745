// Benchmark of the engine on the virtual card, run by hand (not by ctest):
//   build/win64/wine-exec build/win64/tests/engine/engine_benchmark.exe [runs]
// inside a session with the virtual card and the stand-ins registered (as
// the test command sets up). It measures, over several runs:
//  (a) a full table scan of one country's plan (Germany, antenna): its wall
//      time against the waits the scan must make for the frequencies it
//      tunes - the settle time of 100 ms, then the lock read's 20 ms, and
//      10 ms more before its second look when the first found no lock -
//      counted from what the scan reports;
//  (b) a channel change: from the manager's tuning call to the first
//      picture of the new carrier on the screen;
//  (c) start-up: from the manager's start-up to the first picture on the
//      screen (start-up, then the preview run, as the video window does).
// Each figure is printed as its minimum and median.
#include "RecordingUi.h"
#include "ScreenPicture.h"

#include "engine/TVManager.h"
#include "graph/WindowMessages.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/TempFolder.h"
#include "tests/support/BenchmarkFigures.h"

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kSettleMs = 100;      // the scan's wait after each tune
const int kLockReadMs = 20;     // the tuner's wait before it reads the lock
const int kLockRetryMs = 10;    // ...and before its second look
const int kWindowKHz = 251;     // the scan's window around each point
const int kFineStepKHz = 125;
const DWORD kTimeoutMs = 120000;

// The waits one point of a table scan must make: it tunes the point
// itself, then 125 kHz either side, then 250 kHz, within the window, until
// one locks; none for a point outside the tuner's band (reported untried).
int WaitsFor(long pointKHz, long foundKHz, bool locked, long minKHz, long maxKHz)
{
    const long lo = pointKHz - kWindowKHz, hi = pointKHz + kWindowKHz;
    if (!(lo > minKHz - 1000 && hi < maxKHz + 1000))
        return 0;
    int ms = 0;
    for (int i = 0;; ++i) {
        const long offset = (long)((i + 1) / 2) * kFineStepKHz;
        const long candidate = (i % 2) ? pointKHz - offset : pointKHz + offset;
        if (!(lo < candidate && candidate < hi))
            return ms;
        if (candidate < minKHz || candidate > maxKHz)
            continue;
        const bool found = locked && candidate == foundKHz;
        ms += kSettleMs + kLockReadMs + (found ? 0 : kLockRetryMs);
        if (found)
            return ms;
    }
}

class Bench
{
public:
    Bench() : host(SharedPreviewHost()) {}

    bool BringUp(double* startupMs)
    {
        dir.reset(new TempFolder);
        dir->Write("TVParam.ini", "[Channel]\r\nTVInput=1\r\nCountryCode=49\r\n[Device]\r\nTunerStandard=16\r\n");
        manager.reset(new CTVManager(dir->Path().c_str(), &ui));
        manager->GetHardware().SetVideoWindow(host.Handle());
        manager->InitNameTables();
        manager->InitResourceIdMaps();
        manager->LoadSettings();
        manager->ApplyLoadedSettings();
        // A carrier tuned before, so the first picture is not snow.
        const double start = Now();
        if (!manager->Startup() || !manager->TuneFrequency(FALSE, 175250) || !manager->RunPreview())
            return false;
        const CSize size = manager->GetVideoSize();
        Frame picture;
        while (!ReadPicture(host.Handle(), size.cx, size.cy, &picture)) {
            PreviewHost::Pump(2);
            if (Now() - start > kTimeoutMs)
                return false;
        }
        *startupMs = Now() - start;
        manager->SetNotifyWindow(window.Handle());
        return true;
    }

    bool ChannelChange(long fromKHz, long toKHz, double* ms)
    {
        manager->TuneFrequency(FALSE, fromKHz);
        if (!WaitForTuner(fromKHz, 10000))
            return false;
        const double start = Now();
        manager->TuneFrequency(FALSE, toKHz);
        if (!WaitForTuner(toKHz, 10000))
            return false;
        *ms = Now() - start;
        return true;
    }

    bool Scan(double* wallMs, double* settleMs, int* points)
    {
        window.Clear();
        long minKHz = 0, maxKHz = 0;
        manager->GetFrequencyRange(FALSE, minKHz, maxKHz);
        const double start = Now();
        if (!manager->StartScan(TRUE))
            return false;
        if (!window.WaitFor(WM_SEARCH_END, kTimeoutMs))
            return false;
        *wallMs = Now() - start;
        manager->FinishScan(CChannelTable());
        const std::vector<float>& list = manager->GetScanFrequencies();
        const std::vector<PostedMessage> tried = window.MessagesOf(WM_SEARCH_POINT);
        if (tried.size() != list.size())
            return false;
        int waits = 0;
        for (size_t i = 0; i < tried.size(); ++i)
            waits += WaitsFor((long)(list[i] * 1000.0f), (long)tried[i].wParam, tried[i].lParam > 0, minKHz, maxKHz);
        *settleMs = waits;
        *points = (int)tried.size();
        return true;
    }

    void Close() { manager.reset(); }

private:
    // The picture's first line names the carrier the tuner was set to.
    bool WaitForTuner(long kHz, DWORD timeoutMs)
    {
        char prefix[32];
        snprintf(prefix, sizeof prefix, "TUNER %ld.", kHz / 1000);
        const CSize size = manager->GetVideoSize();
        const double start = Now();
        Frame picture;
        while (Now() - start < timeoutMs) {
            PreviewHost::Pump(1);
            if (ReadPicture(host.Handle(), size.cx, size.cy, &picture) &&
                ReadLine(picture, 0).compare(0, strlen(prefix), prefix) == 0)
                return true;
        }
        return false;
    }

    PreviewHost& host;
    MessageBoxCapture boxes;
    RecordingUi ui;
    MessageWindow window;
    std::unique_ptr<TempFolder> dir;
    std::unique_ptr<CTVManager> manager;
};

void Print(const char* what, const Figures& f, const char* unit, int decimals = 1)
{
    printf("%-44s min %10.*f  median %10.*f %s  (%zu runs)\n", what, decimals, f.Min(), decimals, f.Median(), unit,
           f.values.size());
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    Figures startup, change, scanWall, scanSettle, ratio;
    int points = 0;
    for (int run = 0; run < runs; ++run) {
        Bench bench;
        double ms = 0;
        if (!bench.BringUp(&ms)) {
            fprintf(stderr, "run %d: start-up failed (error code %lX)\n", run, GetStartupErrorCode());
            return 1;
        }
        startup.Add(ms);
        double changeMs = 0;
        if (!bench.ChannelChange(175250, 471250, &changeMs)) {
            fprintf(stderr, "run %d: the channel change did not show\n", run);
            return 1;
        }
        change.Add(changeMs);
        double wall = 0, settle = 0;
        if (!bench.Scan(&wall, &settle, &points)) {
            fprintf(stderr, "run %d: the scan did not complete\n", run);
            return 1;
        }
        scanWall.Add(wall);
        scanSettle.Add(settle);
        ratio.Add(wall / settle);
        bench.Close();
    }
    printf("Virtual card, 64-bit build under Wine, %d runs\n", runs);
    Print("(a) table scan, Germany antenna: wall", scanWall, "ms");
    Print("    waits the scan must make", scanSettle, "ms");
    Print("    ratio wall / waits", ratio, "", 4);
    printf("    points in the plan: %d\n", points);
    Print("(b) channel change to the new picture", change, "ms");
    Print("(c) start-up to the first picture", startup, "ms");
    CoUninitialize();
    return 0;
}
