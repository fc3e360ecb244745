// How many kernel handles and GDI objects this process holds, for leak
// checks. Counted by
// asking about each handle value in turn: GetProcessHandleCount answers
// TRUE with a count of 0 under Wine, so a check built on it cannot fail.
// Any thread; costs one system call per value probed.
#pragma once
#include <windows.h>

DWORD OpenHandleCount();

// GDI objects of this process (stock objects included); 0 when it cannot
// be told. GetGuiResources answers 0 under Wine, so there the objects are
// counted in the GDI handle table the system shares with the process.
// UI thread; costs a walk of the table.
DWORD GdiObjectCount();
