#include "platform/system/SystemServices.h"

#include <shellapi.h>

namespace {

BOOL EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return FALSE;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    BOOL ok = LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
              AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
              GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return ok;
}

// The callers report a failed start with messages of their own: the shell
// shows none (a missing file would otherwise wait on its "not found" box).
SHELLEXECUTEINFOA ShellInfo(const char* verb, const char* file, const char* parameters, int show)
{
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = verb;
    info.lpFile = file;
    info.lpParameters = parameters;
    info.nShow = show;
    return info;
}

class WindowsSystemServices : public ISystemServices {
public:
    BOOL ExitSystem(UINT flags) override
    {
        EnableShutdownPrivilege();
        return ExitWindowsEx(flags, 0);
    }

    BOOL SetPowerState(BOOL suspend, BOOL force) override
    {
        EnableShutdownPrivilege();
        return ::SetSystemPowerState(suspend, force);
    }

    BOOL GetScreenSaverActive(BOOL* active) override
    {
        return SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, active, 0);
    }

    BOOL SetScreenSaverActive(BOOL active) override
    {
        return SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, active, nullptr, SPIF_SENDCHANGE);
    }

    BOOL GetPowerOffTimeout(int* seconds) override
    {
        return SystemParametersInfoA(SPI_GETPOWEROFFTIMEOUT, 0, seconds, 0);
    }

    BOOL SetPowerOffTimeout(int seconds, BOOL writeProfile) override
    {
        return SystemParametersInfoA(SPI_SETPOWEROFFTIMEOUT, static_cast<UINT>(seconds), nullptr,
                                     writeProfile ? SPIF_UPDATEINIFILE : 0);
    }

    HINSTANCE Execute(HWND owner, const char* verb, const char* file, const char* parameters,
                           const char* directory, int show) override
    {
        SHELLEXECUTEINFOA info = ShellInfo(verb, file, parameters, show);
        info.hwnd = owner;
        info.lpDirectory = directory;
        ShellExecuteExA(&info);
        return info.hInstApp;
    }

    BOOL RunAndWait(const char* file, const char* parameters, int show, DWORD timeoutMs,
                    DWORD* exitCode) override
    {
        SHELLEXECUTEINFOA info = ShellInfo("open", file, parameters, show);
        info.fMask |= SEE_MASK_NOCLOSEPROCESS;
        if (!ShellExecuteExA(&info) || !info.hProcess)
            return FALSE;
        BOOL ended = WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0;
        if (ended && exitCode)
            ended = GetExitCodeProcess(info.hProcess, exitCode);
        CloseHandle(info.hProcess);
        return ended;
    }

    BOOL StartProcess(const char* path, BOOL inheritHandles) override
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(path, nullptr, nullptr, nullptr, inheritHandles, 0, nullptr, nullptr,
                            &startup, &process))
            return FALSE;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return TRUE;
    }
};

WindowsSystemServices g_windowsServices;
Replaceable<ISystemServices> g_services(&g_windowsServices);

}  // namespace

Replaceable<ISystemServices>& SystemServicesSeam()
{
    return g_services;
}
