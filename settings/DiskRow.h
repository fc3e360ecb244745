// CDiskRow: the texts of one disk's row on the storage page, total and free
// space in MiB with the free share, in 64-bit arithmetic (no overflow on
// large disks) and with a zero total shown as 0 % free. Plain functions.
#pragma once
#include "platform/mfc/String.h"

class CDiskRow
{
public:
    static CString TotalText(ULONGLONG totalMiB);
    static CString FreeText(ULONGLONG freeMiB, ULONGLONG totalMiB);
    // 0-100; 0 for a zero total, 100 when the free space claims more.
    static int FreePercent(ULONGLONG freeMiB, ULONGLONG totalMiB);
};
