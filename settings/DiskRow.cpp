#include "settings/DiskRow.h"

CString CDiskRow::TotalText(ULONGLONG totalMiB)
{
    CString text;
    text.Format("%10llu MB", (unsigned long long)totalMiB);
    return text;
}

CString CDiskRow::FreeText(ULONGLONG freeMiB, ULONGLONG totalMiB)
{
    CString text;
    text.Format("%10llu MB ( %2d%% )", (unsigned long long)freeMiB, FreePercent(freeMiB, totalMiB));
    return text;
}

int CDiskRow::FreePercent(ULONGLONG freeMiB, ULONGLONG totalMiB)
{
    if (totalMiB == 0)
        return 0;
    if (freeMiB >= totalMiB)
        return 100;
    // MiB counts fit 44 bits; times 100 stays far inside 64.
    return (int)(freeMiB * 100 / totalMiB);
}
