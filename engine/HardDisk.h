// CHardDisk: one fixed drive, its root ("D:\") and its total and free space
// in MiB (bytes shifted right by 20, cut). Held by a CDiskManager; the
// sizes are read through DiskSystem(). UI thread.
#pragma once
#include "platform/mfc/String.h"

// A 16-bit system's memory call, kept by the system headers as a macro; it
// would rewrite the free-space reader's name.
#undef GetFreeSpace

class CHardDisk
{
public:
    // A longer path keeps its first three characters, the drive's root.
    explicit CHardDisk(LPCSTR rootPath);
    virtual ~CHardDisk() {}

    // Reads both sizes; FALSE and nothing changed when they cannot be read.
    BOOL Refresh();
    // The free MiB read now, or the last known when the drive cannot be read.
    DWORD GetFreeSpace();
    DWORD GetTotalSpace() const { return m_dwTotalSpace; }
    const CString& GetRootPath() const { return m_strRootPath; }
    // Free space in percent of the total, read now; 0 for a drive whose
    // total is below 1 MiB.
    int GetFreePercent();

private:
    CString m_strRootPath;
    DWORD m_dwTotalSpace; // MiB
    DWORD m_dwFreeSpace;  // MiB
};
