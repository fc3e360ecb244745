#include "platform/system/SystemServices.h"

#include <gtest/gtest.h>

#include "tests/support/HandleCount.h"

namespace {

// The leak checks here and elsewhere rest on this count: it must see a
// handle held and let go, or a leak would pass unseen.
TEST(HandleCount, SeesHandlesHeldAndLetGo)
{
    const DWORD before = OpenHandleCount();
    HANDLE held[3];
    for (HANDLE& h : held)
        h = CreateEventA(NULL, TRUE, FALSE, NULL);
    EXPECT_EQ(before + 3, OpenHandleCount());
    for (HANDLE h : held)
        CloseHandle(h);
    EXPECT_EQ(before, OpenHandleCount());
}

TEST(SystemServices, RunAndWaitReportsTheExitCodeAndClosesTheProcess)
{
    ISystemServices& services = SystemServices();
    DWORD exitCode = 0;
    EXPECT_TRUE(services.RunAndWait("cmd.exe", "/c exit 3", SW_HIDE, 30000, &exitCode));
    EXPECT_EQ(3u, exitCode);
    // A missing program fails at once, with no box of the shell's waiting
    // for a click.
    EXPECT_FALSE(services.RunAndWait("Z:\\no-such-folder\\missing.exe", "", SW_HIDE, 1000, nullptr));
    EXPECT_LE(reinterpret_cast<INT_PTR>(
                  services.Execute(NULL, "open", "Z:\\no-such-folder\\missing.exe", "", NULL, SW_HIDE)),
              32);

    // The shell keeps a few handles of its own after its first use.
    DWORD before = OpenHandleCount();
    for (int run = 0; run < 5; ++run)
        services.RunAndWait("cmd.exe", "/c exit 0", SW_HIDE, 30000, nullptr);
    EXPECT_LE(OpenHandleCount(), before);
}

TEST(SystemServices, RunAndWaitGivesUpAfterItsTime)
{
    // ping waits about a second per echo; 50 ms is far too short for it.
    EXPECT_FALSE(SystemServices().RunAndWait("ping.exe", "-n 4 127.0.0.1", SW_HIDE, 50, nullptr));
}

class RecordingServices : public ISystemServices {
public:
    BOOL ExitSystem(UINT flags) override { exitFlags = flags; return TRUE; }
    BOOL SetPowerState(BOOL, BOOL) override { return TRUE; }
    BOOL GetScreenSaverActive(BOOL* active) override { *active = TRUE; return TRUE; }
    BOOL SetScreenSaverActive(BOOL) override { return TRUE; }
    BOOL GetPowerOffTimeout(int* seconds) override { *seconds = 0; return TRUE; }
    BOOL SetPowerOffTimeout(int, BOOL) override { return TRUE; }
    HINSTANCE Execute(HWND, const char*, const char*, const char*, const char*, int) override
    {
        return reinterpret_cast<HINSTANCE>(33);
    }
    BOOL RunAndWait(const char*, const char*, int, DWORD, DWORD*) override { return TRUE; }
    BOOL StartProcess(const char*, BOOL) override { return TRUE; }
    UINT exitFlags = 0;
};

TEST(SystemServices, AScopedFakeIsUsedAndTheRealServicesComeBack)
{
    ISystemServices* real = &SystemServices();
    RecordingServices fake;
    {
        ScopedReplacement<ISystemServices> scope(SystemServicesSeam(), &fake);
        SystemServices().ExitSystem(EWX_SHUTDOWN | EWX_POWEROFF);
        EXPECT_EQ(&fake, &SystemServices());
    }
    EXPECT_EQ(UINT(EWX_SHUTDOWN | EWX_POWEROFF), fake.exitFlags);
    EXPECT_EQ(real, &SystemServices());
}

}  // namespace
