#include "engine/DiskSystem.h"

namespace {

class CSystemDisks : public IDiskSystem
{
public:
    DWORD GetLogicalDriveStrings(DWORD size, LPSTR buffer) override
    {
        return ::GetLogicalDriveStringsA(size, buffer);
    }
    UINT GetDriveType(LPCSTR root) override { return ::GetDriveTypeA(root); }
    BOOL GetDiskFreeSpace(LPCSTR root, ULONGLONG* totalBytes, ULONGLONG* freeBytes) override
    {
        ULARGE_INTEGER available, total, totalFree;
        if (!::GetDiskFreeSpaceExA(root, &available, &total, &totalFree))
            return FALSE;
        *totalBytes = total.QuadPart;
        *freeBytes = totalFree.QuadPart;
        return TRUE;
    }
};

CSystemDisks g_systemDisks;
Replaceable<IDiskSystem> g_disks(&g_systemDisks);

} // namespace

Replaceable<IDiskSystem>& DiskSystemSeam()
{
    return g_disks;
}
