#include "platform/mfc/Resource.h"

#include <atomic>
#include <string>

namespace {

std::atomic<HINSTANCE> g_resources(NULL);
std::string g_appName;

} // namespace

HINSTANCE AfxGetInstanceHandle()
{
    return ::GetModuleHandleA(NULL);
}

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE h = g_resources.load();
    return h ? h : AfxGetInstanceHandle();
}

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type)
{
    HINSTANCE resources = AfxGetResourceHandle();
    if (::FindResourceA(resources, name, type) != NULL)
        return resources;
    return AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE resources)
{
    g_resources.store(resources);
}

LPCSTR AfxGetAppName()
{
    if (g_appName.empty()) {
        char path[MAX_PATH + 1] = {0};
        DWORD n = ::GetModuleFileNameA(NULL, path, MAX_PATH);
        std::string name(path, n < MAX_PATH ? n : MAX_PATH);
        size_t slash = name.find_last_of("\\/");
        if (slash != std::string::npos)
            name.erase(0, slash + 1);
        size_t dot = name.rfind('.');
        if (dot != std::string::npos)
            name.erase(dot);
        g_appName = name;
    }
    return g_appName.c_str();
}

void AfxSetAppName(LPCSTR name)
{
    g_appName = name ? name : "";
}
