// CDiskManager: the machine's fixed drives in drive-letter order, each a
// CHardDisk it owns. Every enumeration deletes the disks it held, so a
// pointer to one of them lives only until the next Enumerate. The manager
// and each disk watch own one. UI thread.
#pragma once
#include "engine/HardDisk.h"
#include "platform/mfc/Array.h"

typedef CTypedPtrArray<CPtrArray, CHardDisk*> CHardDiskArray;

class CDiskManager
{
public:
    CDiskManager() {}
    virtual ~CDiskManager();
    CDiskManager(const CDiskManager&) = delete;
    CDiskManager& operator=(const CDiskManager&) = delete;

    // Lists the fixed drives again, each read once (a drive that cannot be
    // read is listed with its initial sizes). FALSE when the drive roots
    // cannot be read.
    BOOL Enumerate();
    INT_PTR GetCount() const { return m_disks.GetSize(); }
    // NULL for an index outside the list.
    CHardDisk* GetDisk(INT_PTR index) const;
    // The disk whose root equals `path` without regard to case, or NULL.
    CHardDisk* FindDisk(LPCSTR path) const;
    // Appends, in list order, each disk whose free space (read now) is
    // above `limit` MiB (`above` TRUE) or below it (FALSE); TRUE when one was.
    BOOL GetDisksByFreeSpace(DWORD limit, CHardDiskArray& disks, BOOL above) const;

private:
    void DeleteDisks();

    CHardDiskArray m_disks; // owned
};
