// The three system calls the disk classes read drives through: the drive
// roots, a drive's type and its sizes. The program uses the system's; tests
// put a fake in place with a ScopedReplacement so that drives and free space
// are whatever a test needs. UI thread.
#pragma once
#include "platform/Replaceable.h"

#include <windows.h>

class IDiskSystem
{
public:
    virtual ~IDiskSystem() = default;
    // As GetLogicalDriveStringsA: the characters written (without the final
    // NUL), more than `size` when the buffer is too small, 0 on failure.
    virtual DWORD GetLogicalDriveStrings(DWORD size, LPSTR buffer) = 0;
    virtual UINT GetDriveType(LPCSTR root) = 0;
    // Total bytes and total free bytes of the volume.
    virtual BOOL GetDiskFreeSpace(LPCSTR root, ULONGLONG* totalBytes, ULONGLONG* freeBytes) = 0;
};

// The calls in use: the system's unless a test has put others in place.
Replaceable<IDiskSystem>& DiskSystemSeam();
inline IDiskSystem& DiskSystem() { return DiskSystemSeam().Get(); }
