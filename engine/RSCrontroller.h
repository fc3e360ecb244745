// CRSCrontroller: starts the companion remote-control service through the
// service control manager, asking only for the rights each step needs. The
// manager's calls go through ServiceControlApi, which tests replace so that
// no test touches the machine's services. Made, used and destroyed at once
// by the hardware object on the UI thread; the calls block while the
// manager answers.
#pragma once
#include <windows.h>
#include <winsvc.h>

struct ServiceControlApi
{
    SC_HANDLE(WINAPI* openManager)(LPCSTR machine, LPCSTR database, DWORD access);
    SC_HANDLE(WINAPI* openService)(SC_HANDLE manager, LPCSTR name, DWORD access);
    BOOL(WINAPI* queryStatus)(SC_HANDLE service, LPSERVICE_STATUS status);
    BOOL(WINAPI* startService)(SC_HANDLE service, DWORD argc, LPCSTR* argv);
    BOOL(WINAPI* closeHandle)(SC_HANDLE handle);
};

// The local service control manager.
const ServiceControlApi& SystemServiceControl();

class CRSCrontroller
{
public:
    enum { kNameSize = 256 };

    // A name that does not fit the 256-byte field leaves the controller
    // without one: every operation then answers FALSE.
    explicit CRSCrontroller(LPCSTR serviceName, const ServiceControlApi* api = NULL);
    virtual ~CRSCrontroller() {}

    BOOL IsInstalled();
    BOOL IsRunning();
    // TRUE when the service runs at the end of the call (a start requested,
    // or it ran already); FALSE when it is not installed or refuses.
    BOOL Start();

private:
    char m_szName[kNameSize];
    const ServiceControlApi* m_pApi;
};
