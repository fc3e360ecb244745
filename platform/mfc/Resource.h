// The module's resource handle: where strings, dialogs, menus and bitmaps are
// loaded from (the main resource library once the application has loaded it).
// Set on the UI thread at start-up; read from any thread afterwards.
#pragma once
#include <windows.h>

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resources);
HINSTANCE AfxGetInstanceHandle();
// The module that holds the resource: the resource handle when it has it,
// else the program's own module.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);

// The application title used as the caption of message boxes; the module's
// file name until the application sets it.
LPCSTR AfxGetAppName();
void AfxSetAppName(LPCSTR name);
