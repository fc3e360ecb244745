#include "engine/RSCrontroller.h"

#include <string.h>

namespace {

SC_HANDLE WINAPI OpenManagerSystem(LPCSTR machine, LPCSTR database, DWORD access)
{
    return OpenSCManagerA(machine, database, access);
}

SC_HANDLE WINAPI OpenServiceSystem(SC_HANDLE manager, LPCSTR name, DWORD access)
{
    return OpenServiceA(manager, name, access);
}

BOOL WINAPI StartServiceSystem(SC_HANDLE service, DWORD argc, LPCSTR* argv)
{
    return StartServiceA(service, argc, argv);
}

const ServiceControlApi kSystem = {&OpenManagerSystem, &OpenServiceSystem, &QueryServiceStatus,
                                   &StartServiceSystem, &CloseServiceHandle};

// One manager handle and one service handle, closed together.
class CServiceHandles
{
public:
    CServiceHandles(const ServiceControlApi& api, const char* name, DWORD access)
        : m_api(api), m_manager(NULL), m_service(NULL)
    {
        if (!name[0])
            return;
        // Connecting is all the manager has to allow.
        m_manager = m_api.openManager(NULL, NULL, SC_MANAGER_CONNECT);
        if (m_manager)
            m_service = m_api.openService(m_manager, name, access);
    }
    ~CServiceHandles()
    {
        if (m_service)
            m_api.closeHandle(m_service);
        if (m_manager)
            m_api.closeHandle(m_manager);
    }
    SC_HANDLE Service() const { return m_service; }

private:
    const ServiceControlApi& m_api;
    SC_HANDLE m_manager;
    SC_HANDLE m_service;
};

} // namespace

const ServiceControlApi& SystemServiceControl()
{
    return kSystem;
}

CRSCrontroller::CRSCrontroller(LPCSTR serviceName, const ServiceControlApi* api)
    : m_szName(), m_pApi(api ? api : &kSystem)
{
    if (serviceName && strlen(serviceName) < sizeof(m_szName))
        strcpy(m_szName, serviceName);
}

BOOL CRSCrontroller::IsInstalled()
{
    CServiceHandles handles(*m_pApi, m_szName, SERVICE_QUERY_STATUS);
    return handles.Service() != NULL;
}

BOOL CRSCrontroller::IsRunning()
{
    CServiceHandles handles(*m_pApi, m_szName, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status = {};
    return handles.Service() && m_pApi->queryStatus(handles.Service(), &status) &&
           status.dwCurrentState == SERVICE_RUNNING;
}

BOOL CRSCrontroller::Start()
{
    if (!IsInstalled())
        return FALSE;
    if (IsRunning())
        return TRUE;
    CServiceHandles handles(*m_pApi, m_szName, SERVICE_START);
    if (!handles.Service())
        return FALSE;
    if (m_pApi->startService(handles.Service(), 0, NULL))
        return TRUE;
    // Started by someone else since we looked.
    return GetLastError() == ERROR_SERVICE_ALREADY_RUNNING;
}
