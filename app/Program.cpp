// The program's objects, constructed in this order (one file, so the order
// is the language's): the menu hook, the application object, which loads the resource
// library every later object takes its texts from; the video window; the
// manager, which builds its hardware object; the control panel. Then the
// program's entry.
#include "app/PellamarApp.h"
#include "app/TVControl.h"
#include "app/TVVideoWnd.h"
#include "engine/TVManager.h"
#include "skin/NewMenuHook.h"

#include <objbase.h>

namespace {

struct ProgramObjects
{
    // First made, last gone: the menus' themes, image sets and popup hook
    // outlive every window's menu.
    CNewMenuHook menuHook;
    CPellamarApp theApp;
    CTVVideoWnd g_VideoWnd{theApp, g_TVManager, g_TVControl};
    CTVManager g_TVManager{NULL, &theApp.EngineUi()};
    CTVControl g_TVControl{g_TVManager, theApp.GetAppFolder()};
    ProgramObjects() { theApp.SetParts(g_TVManager, g_VideoWnd, g_TVControl); }
};

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int cmdShow)
{
    // The graph, its filters and the shell's objects live in this thread's
    // single-threaded apartment.
    ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    int result = 0;
    {
        ProgramObjects objects;
        result = AfxWinMain(instance, previous, cmdLine, cmdShow);
    }
    ::CoUninitialize();
    return result;
}
