// Entry point of every test executable. The calling thread is a
// single-threaded COM apartment, as the program's UI thread is.
#include "tests/support/BadInput.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <cstdio>

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
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
