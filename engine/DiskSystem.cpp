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
IDiskSystem* g_pDiskSystem = &g_systemDisks;

} // namespace

IDiskSystem& DiskSystem()
{
    return *g_pDiskSystem;
}

IDiskSystem* SetDiskSystem(IDiskSystem* system)
{
    IDiskSystem* previous = g_pDiskSystem;
    g_pDiskSystem = system ? system : &g_systemDisks;
    return previous;
}
