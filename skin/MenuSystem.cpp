#include "skin/MenuSystem.h"

#include <map>

#ifndef SPI_GETDROPSHADOW
#define SPI_GETDROPSHADOW 0x1024
#endif
#ifndef SPI_GETFLATMENU
#define SPI_GETFLATMENU 0x1022
#endif
#ifndef SM_REMOTESESSION
#define SM_REMOTESESSION 0x1000
#endif

BOOL CMenuSystem::s_selectDisabled = TRUE;
BOOL CMenuSystem::s_drawVariants = TRUE;

namespace {

HMODULE g_msimg32 = NULL;
GradientFillFn g_gradientFill = NULL;
bool g_read = false;
CMenuSystem::Values g_values = {};
std::map<int, COLORREF> g_colors;

BOOL SystemFlag(UINT action)
{
    BOOL on = FALSE;
    return ::SystemParametersInfoA(action, 0, &on, 0) && on;
}

} // namespace

int CMenuSystem::VersionClassOf(const OSVERSIONINFOA& v)
{
    switch (v.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        return kWin32s;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (v.dwMajorVersion == 4 && v.dwMinorVersion == 10)
            return kWin98;
        if (v.dwMajorVersion == 4 && v.dwMinorVersion == 90)
            return kWinMe;
        return kWin95;
    case VER_PLATFORM_WIN32_NT:
        if (v.dwMajorVersion <= 4)
            return kNT4;
        if (v.dwMajorVersion == 5 && v.dwMinorVersion == 0)
            return kWin2000;
        if (v.dwMajorVersion == 5 && v.dwMinorVersion == 1)
            return kWinXP;
        return kOtherNT;
    default:
        return kOtherNT;
    }
}

CMenuSystem::Values& CMenuSystem::State()
{
    if (!g_read)
        Refresh();
    return g_values;
}

void CMenuSystem::Refresh()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    ::GetVersionExA(&version);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    g_values.versionClass = VersionClassOf(version);
    g_values.dropShadow = SystemFlag(SPI_GETDROPSHADOW);
    g_values.flatMenu = SystemFlag(SPI_GETFLATMENU);
    g_values.remoteDesktop = g_values.versionClass >= kWin2000 && ::GetSystemMetrics(SM_REMOTESESSION) != 0;
    g_read = true;
}

BOOL CMenuSystem::LoadGradientFill()
{
    if (g_msimg32 == NULL)
        g_msimg32 = ::LoadLibraryA("Msimg32.dll");
    if (g_msimg32 != NULL)
        g_gradientFill = (GradientFillFn)(void*)::GetProcAddress(g_msimg32, "GradientFill");
    return g_gradientFill != NULL;
}

void CMenuSystem::FreeGradientFill()
{
    g_gradientFill = NULL;
    if (g_msimg32 != NULL)
        ::FreeLibrary(g_msimg32);
    g_msimg32 = NULL;
}

GradientFillFn CMenuSystem::GradientFill()
{
    return g_gradientFill;
}

BOOL CMenuSystem::SetSelectDisabled(BOOL on)
{
    BOOL old = s_selectDisabled;
    s_selectDisabled = on;
    return old;
}

BOOL CMenuSystem::SetDrawVariants(BOOL on)
{
    BOOL old = s_drawVariants;
    s_drawVariants = on;
    return old;
}

COLORREF MenuBackgroundColor()
{
    const CMenuSystem::Values& system = CMenuSystem::State();
    if (system.versionClass == CMenuSystem::kWinXP && system.flatMenu)
        return CMenuSystem::Color(COLOR_MENUBAR);
    return CMenuSystem::Color(COLOR_MENU);
}

COLORREF CMenuSystem::Color(int index)
{
    auto it = g_colors.find(index);
    return it != g_colors.end() ? it->second : ::GetSysColor(index);
}

void CMenuSystem::OverrideColor(int index, COLORREF color)
{
    g_colors[index] = color;
}

void CMenuSystem::ClearColorOverrides()
{
    g_colors.clear();
}
