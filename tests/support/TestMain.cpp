// Entry point of every test executable. The calling thread is a
// single-threaded COM apartment, as the program's UI thread is.
#include "tests/support/BadInput.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// Reports a crash with its code and address and ends the process at once, so
// a crashing test fails quickly with a clue instead of waiting for a debugger.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    fprintf(stderr, "\nCRASH: exception 0x%08lX at %p\n",
            static_cast<unsigned long>(record->ExceptionCode), record->ExceptionAddress);
    badinput::ReportInputInHand(stderr);
    fflush(stderr);
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Names a test that runs far longer than any test should, while it still
// runs: gtest's brief output names a test only once it has ended, and a hung
// test ends only when ctest kills the process. Says it once per test; the
// test goes on (a long run by hand may be meant).
class TestWatchdog : public ::testing::EmptyTestEventListener
{
public:
    static const DWORD kWarnAfterMs = 120 * 1000;

    TestWatchdog() : m_changed(CreateEventA(NULL, FALSE, FALSE, NULL))
    {
        InitializeCriticalSection(&m_lock);
        // Never joined: it lives as long as the process and holds nothing.
        HANDLE thread = m_changed ? CreateThread(NULL, 0, &TestWatchdog::Watch, this, 0, NULL) : NULL;
        if (thread)
            CloseHandle(thread);
    }

    void OnTestStart(const ::testing::TestInfo& test) override
    {
        Change(std::string(test.test_suite_name()) + "." + test.name());
    }
    void OnTestEnd(const ::testing::TestInfo&) override { Change(std::string()); }

private:
    void Change(const std::string& running)
    {
        EnterCriticalSection(&m_lock);
        m_running = running;
        ++m_serial;
        LeaveCriticalSection(&m_lock);
        SetEvent(m_changed);
    }

    static DWORD WINAPI Watch(void* self)
    {
        static_cast<TestWatchdog*>(self)->WatchLoop();
        return 0;
    }

    void WatchLoop()
    {
        for (;;) {
            EnterCriticalSection(&m_lock);
            const unsigned serial = m_serial;
            const bool running = !m_running.empty();
            LeaveCriticalSection(&m_lock);
            if (WaitForSingleObject(m_changed, running ? kWarnAfterMs : INFINITE) != WAIT_TIMEOUT)
                continue;
            EnterCriticalSection(&m_lock);
            if (m_serial == serial)
                fprintf(stderr, "\nWATCHDOG: %s has run for more than %lu s\n", m_running.c_str(),
                        static_cast<unsigned long>(kWarnAfterMs / 1000));
            LeaveCriticalSection(&m_lock);
            fflush(stderr);
            WaitForSingleObject(m_changed, INFINITE);
        }
    }

    HANDLE m_changed;  // auto-reset: a test started or ended
    CRITICAL_SECTION m_lock;
    std::string m_running;  // the test in progress, empty between tests
    unsigned m_serial = 0;
};

// Ends the process if COM's shut-down has not returned a minute after the
// tests: under heavy load a test process once stayed alive ten minutes after
// all its tests had passed, until ctest killed it as timed out.
DWORD WINAPI GuardTheExit(void* result)
{
    ::Sleep(60 * 1000);
    fprintf(stderr, "\nEXIT GUARD: COM's shut-down has not returned 60 s after the tests; ending the process\n");
    fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(reinterpret_cast<INT_PTR>(result)));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Unbuffered, so a test that hangs until ctest's time-out still shows
    // which one it was.
    setvbuf(stdout, NULL, _IONBF, 0);
    // A crash must end the test process, not wait at a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(&ReportCrash);
    ::testing::InitGoogleTest(&argc, argv);
    // Its thread outlives main: the watchdog is taken back from gtest and
    // never freed.
    TestWatchdog* watchdog = new TestWatchdog;
    ::testing::UnitTest::GetInstance()->listeners().Append(watchdog);
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    int result = RUN_ALL_TESTS();
    ::testing::UnitTest::GetInstance()->listeners().Release(watchdog);
    HANDLE guard = CreateThread(NULL, 0, &GuardTheExit, reinterpret_cast<void*>(static_cast<INT_PTR>(result)), 0, NULL);
    CoUninitialize();
    // The tests' output is out and their result known: the process ends
    // here rather than in the run-time's and the libraries' clean-up, which
    // the tests do not look at and which must not hold the run.
    fflush(stdout);
    fflush(stderr);
    if (guard)
        CloseHandle(guard);
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
