// How many kernel handles this process holds, for leak checks. Counted by
// asking about each handle value in turn: GetProcessHandleCount answers
// TRUE with a count of 0 under Wine, so a check built on it cannot fail.
// Any thread; costs one system call per value probed.
#pragma once
#include <windows.h>

DWORD OpenHandleCount();
