// Benchmark of the program on the virtual card, run by hand (not by ctest)
// inside a session with the virtual card and the stand-ins registered (as
// the run and test commands set up):
//   build/win64/wine-exec build/win64/tests/app/program_benchmark.exe
//       Z:\<worktree>\build\win64\app\Pellamar.exe [runs] [seconds]
// It measures, over several runs:
//  (a) start-up: from the program's process start to its first frame on
//      the screen (the card's picture found in the window "Pellamar TV");
//  (b) the program's CPU time per second of preview, and the same for
//      this process running the engine's preview alone in a plain window
//      of the same size on the same carrier (the virtual card and the
//      renderer without the program's windows); the difference is what
//      the program's own windows cost. Under Wine the program's time comes
//      from the host's process table.
// Each figure is printed as its minimum and median.
#include "tests/engine/ScreenPicture.h"

#include "engine/TVManager.h"
#include "tests/support/TempFolder.h"
#include "tests/support/BenchmarkFigures.h"

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cctype>
#include <string>
#include <vector>

namespace {

const int kPictureWidth = 720;
const int kPictureHeight = 576;
const DWORD kStartTimeoutMs = 60000;

void Print(const char* what, const Figures& f, const char* unit)
{
    printf("%-52s min %9.1f  median %9.1f %s  (%zu runs)\n", what, f.Min(), f.Median(), unit, f.values.size());
}

// The first line of a small text file; empty when it cannot be read.
std::string FirstLine(const std::string& path)
{
    char line[1024] = {};
    if (FILE* f = fopen(path.c_str(), "r")) {
        if (!fgets(line, sizeof line, f))
            line[0] = 0;
        fclose(f);
    }
    return line;
}

// A path as the host's process table and this process may each write it:
// lower case, forward slashes, no drive letter (Wine's Z: is the host's root).
std::string ComparablePath(std::string path)
{
    for (char& c : path)
        c = c == '\\' ? '/' : (char)tolower((unsigned char)c);
    if (path.size() > 2 && path[1] == ':')
        path.erase(0, 2);
    return path;
}

// The first argument of a host process: the path it was started from.
std::string HostProgramPath(const std::string& dir)
{
    std::string line;
    if (FILE* f = fopen((dir + "\\cmdline").c_str(), "rb")) {
        char buffer[1024] = {};
        const size_t n = fread(buffer, 1, sizeof buffer - 1, f);
        fclose(f);
        line.assign(buffer, strnlen(buffer, n));
    }
    return ComparablePath(line);
}

// Under Wine a process learns no user and kernel time of another process;
// the host's process table has it. The program this benchmark started is
// found there by the path it was started from (a copy of the program
// running from another folder is not it); times are in ticks of 10 ms.
// Returns -1 when there is no such table (on Windows).
double HostCpuMs(const std::string& program)
{
    const std::string wanted = ComparablePath(program);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    double ms = -1;
    do {
        const std::string dir = std::string("Z:\\proc\\") + found.cFileName;
        if (!isdigit((unsigned char)found.cFileName[0]))
            continue;
        if (HostProgramPath(dir) != wanted)
            continue;
        const std::string line = FirstLine(dir + "\\stat");
        const char* stat = line.c_str();
        // After the ")" closing the name: state, then eleven fields, then
        // user and system ticks.
        const char* rest = strrchr(stat, ')');
        unsigned long long user = 0, system = 0;
        if (rest && sscanf(rest + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system) == 2)
            ms = (user + system) * 10.0;
    } while (ms < 0 && FindNextFileA(search, &found));
    FindClose(search);
    return ms;
}

// User and kernel time of a process, in milliseconds.
double CpuMs(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (k.QuadPart + u.QuadPart) / 10000.0;
}

double ProgramCpuMs(HANDLE process, const std::string& program)
{
    const double host = HostCpuMs(program);
    return host >= 0 ? host : CpuMs(process);
}

// Waits without using the processor, dispatching this thread's messages.
void Idle(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (DWORD now = start; now - start < ms; now = GetTickCount()) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, ms - (now - start), QS_ALLINPUT);
    }
}

bool PictureShows(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const RECT screen = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    RECT shown;
    return client.right > 0 && LocatePicture(CaptureScreen(screen), kPictureWidth, kPictureHeight, &shown);
}

// One run of the program: start-up to the first frame, then CPU per second.
bool RunProgram(const std::string& program, DWORD seconds, double* startupMs, double* cpuPerSecond)
{
    const std::string folder = program.substr(0, program.rfind('\\'));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = "\"" + program + "\"";
    const double start = Now();
    if (!CreateProcessA(program.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    HWND window = NULL;
    bool shown = false;
    while (Now() - start < kStartTimeoutMs && !shown) {
        if (!window)
            window = FindWindowA(NULL, "Pellamar TV");
        shown = window && IsWindowVisible(window) && PictureShows(window);
        if (!shown)
            Sleep(5);
    }
    if (shown) {
        *startupMs = Now() - start;
        Idle(2000); // past the start-up's own work
        const double cpu0 = ProgramCpuMs(process.hProcess, program), t0 = Now();
        if (HostCpuMs(program) < 0)
            fprintf(stderr, "the program started from %s is not in a host process table: its time is the "
                            "system's own\n", program.c_str());
        Idle(seconds * 1000);
        *cpuPerSecond = (ProgramCpuMs(process.hProcess, program) - cpu0) / ((Now() - t0) / 1000.0);
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended)
        fprintf(stderr, "the program did not end within 30 s\n");
    CloseHandle(process.hProcess);
    return shown && ended;
}

// The engine's preview alone in a plain window of the program's picture
// size, on the program's settings: this process's CPU per second.
bool RunPreviewAlone(const std::string& program, DWORD seconds, double* cpuPerSecond)
{
    const std::string folder = program.substr(0, program.rfind('\\'));
    TempFolder work;
    for (const char* name : {"TVParam.ini", "TVChannel.tvc", "RemoteKeyRedef.ini"})
        CopyFileA((folder + "\\" + name).c_str(), work.File(name).c_str(), FALSE);
    PreviewHost host(320, 160, 640, 480);
    CNullEngineUi ui;
    CTVManager manager(work.Path().c_str(), &ui);
    manager.GetHardware().SetVideoWindow(host.Handle());
    manager.InitNameTables();
    manager.InitResourceIdMaps();
    manager.LoadSettings();
    manager.ApplyLoadedSettings();
    if (!manager.Startup())
        return false;
    CChannelTable& table = manager.GetTVTable();
    if (CChannel* channel = table.RestoreCurrentChannel())
        table.TuneFrequency(channel->Frequency);
    if (!manager.RunPreview())
        return false;
    const double start = Now();
    while (!PictureShows(host.Handle())) {
        PreviewHost::Pump(5);
        if (Now() - start > kStartTimeoutMs)
            return false;
    }
    Idle(2000);
    const double cpu0 = CpuMs(GetCurrentProcess()), t0 = Now();
    Idle(seconds * 1000);
    *cpuPerSecond = (CpuMs(GetCurrentProcess()) - cpu0) / ((Now() - t0) / 1000.0);
    manager.StopGraph(FALSE);
    manager.CloseDevice();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: program_benchmark <Pellamar.exe> [runs] [seconds]\n");
        return 2;
    }
    const std::string program = argv[1];
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    const DWORD seconds = argc > 3 ? (DWORD)std::max(1, atoi(argv[3])) : 10;
    setvbuf(stdout, NULL, _IONBF, 0);
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    Figures startup, programCpu, aloneCpu, extraCpu;
    for (int run = 0; run < runs; ++run) {
        double ms = 0, cpu = 0, alone = 0;
        if (!RunProgram(program, seconds, &ms, &cpu)) {
            fprintf(stderr, "run %d: the program showed no picture\n", run);
            return 1;
        }
        if (!RunPreviewAlone(program, seconds, &alone)) {
            fprintf(stderr, "run %d: the preview alone showed no picture\n", run);
            return 1;
        }
        printf("run %d: first frame %.1f ms, program %.1f ms/s, preview alone %.1f ms/s\n", run, ms, cpu, alone);
        startup.Add(ms);
        programCpu.Add(cpu);
        aloneCpu.Add(alone);
        extraCpu.Add(cpu - alone);
    }
    printf("Virtual card, %d runs, CPU over %lu s of preview each\n", runs, (unsigned long)seconds);
    Print("(a) process start to the first frame in the window", startup, "ms");
    Print("(b) program in preview, CPU per second", programCpu, "ms/s");
    Print("    preview alone in a plain window, CPU per second", aloneCpu, "ms/s");
    Print("    the program's own share", extraCpu, "ms/s");
    CoUninitialize();
    return 0;
}
