// Recordings one after another on the virtual card must not make the
// process grow: the threads, handles and top-level windows after the fifth
// of five short AVI recordings are those after the first. Each recording tears the
// whole graph down and builds a new preview, so whatever a teardown leaves
// behind (a renderer's presenter with its Direct3D device, thread and
// window) shows as one more per recording.
#include "RecordOnCard.h"
#include "ScreenPicture.h"

#include "tests/platform/standins/ServedAviMux.h"
#include "tests/support/HandleCount.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <string>

namespace {

DWORD ThreadCount()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    DWORD count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

DWORD TopLevelWindowCount()
{
    DWORD count = 0;
    EnumWindows(&CountOwnWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// What a leak shows in.
struct ProcessFigures
{
    DWORD threads;
    DWORD windows;
    DWORD handles;
};

ProcessFigures Measure()
{
    return {ThreadCount(), TopLevelWindowCount(), OpenHandleCount()};
}

} // namespace

TEST(RecordLeak, FiveRecordingsInARowLeaveNothingBehind)
{
    ServedAviMux mux;  // Wine's takes no sound
    PreviewHost& host = SharedPreviewHost();
    std::unique_ptr<CTVHardWare> hw = StartPreviewOnCarrier(host.Handle(), StandInWriterDevices());
    ASSERT_TRUE(hw) << std::hex << GetStartupErrorCode();
    ASSERT_TRUE(hw->SetRecordFormat(0));
    TempFolder folder;
    ProcessFigures first = {};
    for (int i = 0; i < 5; ++i) {
        const std::string path = folder.File("take" + std::to_string(i) + ".avi");
        hw->SetRecordFile(path.c_str());
        ASSERT_TRUE(hw->RunRecord()) << "recording " << i + 1;
        // Long enough for the renderer to present and the writer to write.
        PreviewHost::Pump(1000);
        ASSERT_TRUE(hw->StopRecord()) << "recording " << i + 1;
        PreviewHost::Pump(500);
        const ProcessFigures now = Measure();
        printf("after recording %d: %lu threads, %lu top-level windows, %lu handles\n", i + 1, now.threads,
               now.windows, now.handles);
        if (i == 0)
            first = now;
    }
    const ProcessFigures last = Measure();
    EXPECT_NEAR(first.threads, last.threads, 1);
    EXPECT_NEAR(first.windows, last.windows, 1);
    // Wine's device enumerator leaves registry keys open at every listing
    // (ten handles a recording before the listings were kept between
    // builds). Wine's Filter Graph leaves one event behind each time one is
    // made and released, and each recording makes a new graph.
    EXPECT_LE(last.handles, first.handles + 4 + 1);
}
