// Every message box of the program goes through AfxShowMessageBox, so tests
// and unattended runs can install a hook that answers without a window.
// UI thread (the hook is a plain program-wide slot, set before use).
#pragma once
#include <windows.h>

// Answers as MessageBoxA would (IDOK, IDYES, ...).
typedef int (*AfxMessageBoxHook)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// Installs a hook (NULL restores the real message box); returns the previous one.
AfxMessageBoxHook AfxSetMessageBoxHook(AfxMessageBoxHook hook);

int AfxShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// Captioned with the application title.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
// The text is a string resource of the current resource handle.
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = (UINT)-1);
