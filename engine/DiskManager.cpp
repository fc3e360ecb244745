#include "engine/DiskManager.h"

#include "engine/DiskSystem.h"

namespace {

// The buffer the drive roots are read into: 26 roots of four characters
// ("C:\" and a NUL) and the closing NUL fit well.
const DWORD kDriveStringsSize = 260;

} // namespace

CDiskManager::~CDiskManager()
{
    DeleteDisks();
}

void CDiskManager::DeleteDisks()
{
    for (INT_PTR i = 0; i < m_disks.GetSize(); ++i)
        delete m_disks.GetAt(i);
    m_disks.RemoveAll();
}

BOOL CDiskManager::Enumerate()
{
    DeleteDisks();
    char roots[kDriveStringsSize + 1] = {0};
    const DWORD length = DiskSystem().GetLogicalDriveStrings(kDriveStringsSize, roots);
    if (length == 0 || length > kDriveStringsSize)
        return FALSE;
    // Each root is "X:\" and its NUL; the list ends at an empty root.
    for (DWORD at = 0; at + 3 <= length && roots[at]; at += 4) {
        char root[4] = {roots[at], roots[at + 1], roots[at + 2], 0};
        if (DiskSystem().GetDriveType(root) != DRIVE_FIXED)
            continue;
        CHardDisk* disk = new CHardDisk(root);
        disk->Refresh();
        m_disks.Add(disk);
    }
    return TRUE;
}

CHardDisk* CDiskManager::GetDisk(INT_PTR index) const
{
    if (index < 0 || index >= m_disks.GetSize())
        return NULL;
    return m_disks.GetAt(index);
}

CHardDisk* CDiskManager::FindDisk(LPCSTR path) const
{
    if (!path)
        return NULL;
    for (INT_PTR i = 0; i < m_disks.GetSize(); ++i) {
        if (m_disks.GetAt(i)->GetRootPath().CompareNoCase(path) == 0)
            return m_disks.GetAt(i);
    }
    return NULL;
}

BOOL CDiskManager::GetDisksByFreeSpace(DWORD limit, CHardDiskArray& disks, BOOL above) const
{
    BOOL found = FALSE;
    for (INT_PTR i = 0; i < m_disks.GetSize(); ++i) {
        CHardDisk* disk = m_disks.GetAt(i);
        const DWORD free = disk->GetFreeSpace();
        if (above ? free > limit : free < limit) {
            disks.Add(disk);
            found = TRUE;
        }
    }
    return found;
}
