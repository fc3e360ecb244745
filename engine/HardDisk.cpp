#include "engine/HardDisk.h"

#include "engine/DiskSystem.h"

namespace {

DWORD ToMiB(ULONGLONG bytes)
{
    return (DWORD)(bytes >> 20);
}

} // namespace

CHardDisk::CHardDisk(LPCSTR rootPath)
    : m_strRootPath(rootPath ? rootPath : ""), m_dwTotalSpace(1), m_dwFreeSpace(0)
{
    if (m_strRootPath.GetLength() > 3)
        m_strRootPath = m_strRootPath.Left(3);
}

BOOL CHardDisk::Refresh()
{
    ULONGLONG total = 0, free = 0;
    if (!DiskSystem().GetDiskFreeSpace(m_strRootPath, &total, &free))
        return FALSE;
    m_dwTotalSpace = ToMiB(total);
    m_dwFreeSpace = ToMiB(free);
    return TRUE;
}

DWORD CHardDisk::GetFreeSpace()
{
    Refresh();
    return m_dwFreeSpace;
}

int CHardDisk::GetFreePercent()
{
    const DWORD free = GetFreeSpace();
    // A volume under 1 MiB has no meaningful share; it must not divide by 0.
    if (m_dwTotalSpace == 0)
        return 0;
    return (int)((ULONGLONG)free * 100 / m_dwTotalSpace);
}
