// Entry point of every test executable. The calling thread is a
// single-threaded COM apartment, as the program's UI thread is.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

int main(int argc, char** argv)
{
    // A crash must end the test process, not wait at a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::testing::InitGoogleTest(&argc, argv);
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
