// The calls that act on the user's machine as a whole: shutting it down,
// hibernating, the screen saver and the power-off timeout, and starting
// companion programs. The program reaches them only through
// SystemServices(); tests put a fake in its place with a ScopedReplacement
// so that no test ever acts on the machine it runs on.
#pragma once
#include "platform/Replaceable.h"

#include <windows.h>

class ISystemServices {
public:
    virtual ~ISystemServices() = default;

    // Enables the shut-down privilege in the process token, then asks the
    // system to exit Windows with the given EWX_* flags.
    virtual BOOL ExitSystem(UINT flags) = 0;
    // Enables the shut-down privilege, then suspends or hibernates.
    virtual BOOL SetPowerState(BOOL suspend, BOOL force) = 0;

    virtual BOOL GetScreenSaverActive(BOOL* active) = 0;
    // Broadcasts the change to every top-level window.
    virtual BOOL SetScreenSaverActive(BOOL active) = 0;
    virtual BOOL GetPowerOffTimeout(int* seconds) = 0;
    // writeProfile: also store the value in the user profile.
    virtual BOOL SetPowerOffTimeout(int seconds, BOOL writeProfile) = 0;

    // ShellExecute: the result is the shell's (above 32 when started).
    virtual HINSTANCE Execute(HWND owner, const char* verb, const char* file,
                                   const char* parameters, const char* directory,
                                   int show) = 0;
    // Starts a program and waits at most timeoutMs for it to end. TRUE
    // only when it started and ended within the time; *exitCode (optional)
    // receives its exit code. The process handle is always closed.
    virtual BOOL RunAndWait(const char* file, const char* parameters, int show,
                            DWORD timeoutMs, DWORD* exitCode) = 0;
    // CreateProcess of a program with no command line; the handles are
    // closed at once. TRUE when it started.
    virtual BOOL StartProcess(const char* path, BOOL inheritHandles) = 0;
};

// The services in use: the real ones unless a test has put others in place.
Replaceable<ISystemServices>& SystemServicesSeam();
inline ISystemServices& SystemServices() { return SystemServicesSeam().Get(); }
