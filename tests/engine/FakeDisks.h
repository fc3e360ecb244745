// Drives as a test wants them: roots with a type and sizes in MiB, put in
// place of the system's for the object's lifetime. A drive can be made
// unreadable, and the drive list itself can fail. Test thread.
#pragma once
#include "engine/DiskSystem.h"

#include <map>
#include <string>

class FakeDisks : public IDiskSystem
{
public:
    struct Drive
    {
        UINT type = DRIVE_FIXED;
        ULONGLONG totalMiB = 100000;
        ULONGLONG freeMiB = 50000;
        bool readable = true;
        ULONGLONG extraBytes = 0; // below one MiB, added to both sizes
    };

    FakeDisks() : m_scope(DiskSystemSeam(), this) {}

    Drive& Add(const std::string& root, ULONGLONG freeMiB, UINT type = DRIVE_FIXED)
    {
        Drive& drive = drives[root];
        drive.freeMiB = freeMiB;
        drive.type = type;
        return drive;
    }
    void SetFree(const std::string& root, ULONGLONG freeMiB) { drives[root].freeMiB = freeMiB; }

    DWORD GetLogicalDriveStrings(DWORD size, LPSTR buffer) override
    {
        if (listFails)
            return 0;
        std::string all;
        for (const auto& drive : drives)
            all += drive.first + '\0';
        if (all.size() + 1 > size)
            return (DWORD)all.size() + 1;
        memcpy(buffer, all.c_str(), all.size() + 1);
        buffer[all.size()] = 0;
        return (DWORD)all.size();
    }
    UINT GetDriveType(LPCSTR root) override
    {
        auto found = drives.find(root);
        return found == drives.end() ? DRIVE_NO_ROOT_DIR : found->second.type;
    }
    BOOL GetDiskFreeSpace(LPCSTR root, ULONGLONG* totalBytes, ULONGLONG* freeBytes) override
    {
        ++reads;
        auto found = drives.find(root);
        if (found == drives.end() || !found->second.readable)
            return FALSE;
        *totalBytes = (found->second.totalMiB << 20) + found->second.extraBytes;
        *freeBytes = (found->second.freeMiB << 20) + found->second.extraBytes;
        return TRUE;
    }

    std::map<std::string, Drive> drives; // in root order, as the system lists them
    bool listFails = false;
    int reads = 0;

private:
    ScopedReplacement<IDiskSystem> m_scope;
};
