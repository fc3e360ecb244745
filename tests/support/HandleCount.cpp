#include "tests/support/HandleCount.h"

#include <winternl.h>

namespace {

// Handle values are multiples of 4 and the system hands out the lowest free
// one, so the table stays dense: after this many free values in a row no
// open handle is left above. A process would have to close this many
// handles opened one after another, and keep one opened after them, to
// leave a wider gap.
const UINT_PTR kFreeRunEnd = 1024;

} // namespace

DWORD OpenHandleCount()
{
    DWORD count = 0;
    UINT_PTR freeRun = 0;
    for (UINT_PTR value = 4; freeRun < kFreeRunEnd; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            count++;
            freeRun = 0;
        } else {
            freeRun++;
        }
    }
    return count;
}

namespace {

// One entry of Wine's GDI handle table (the same layout on both builds):
// an entry in use has a non-zero type.
struct WineGdiHandleEntry
{
    unsigned long long object;
    unsigned int owner;
    unsigned short unique;
    unsigned char type;
    unsigned char flags;
    unsigned long long user;
};
static_assert(sizeof(WineGdiHandleEntry) == 24, "Wine's GDI handle entry");
const int kGdiTableEntries = 0x10000;

const WineGdiHandleEntry* WineGdiTable()
{
    typedef LONG(WINAPI * QueryProcess)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    QueryProcess query =
        (QueryProcess)(void*)::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic = {};
    if (query == NULL || query(::GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), NULL) != 0 ||
        basic.PebBaseAddress == NULL)
        return NULL;
    // PEB.GdiSharedHandleTable
    const size_t offset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    return *(const WineGdiHandleEntry* const*)((const BYTE*)basic.PebBaseAddress + offset);
}

DWORD CountWineTable(const WineGdiHandleEntry* table)
{
    DWORD count = 0;
    for (int i = 0; i < kGdiTableEntries; ++i)
        count += table[i].type != 0;
    return count;
}

} // namespace

DWORD GdiObjectCount()
{
    DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (count != 0)
        return count;
    const WineGdiHandleEntry* table = WineGdiTable();
    if (table == NULL)
        return 0;
    // Trusted only when one more object shows as one more entry in use.
    DWORD before = CountWineTable(table);
    HGDIOBJ probe = ::CreateRectRgn(0, 0, 1, 1);
    DWORD with = CountWineTable(table);
    bool seen = probe != NULL && table[(UINT_PTR)probe & 0xFFFF].type != 0;
    ::DeleteObject(probe);
    return seen && with == before + 1 ? before : 0;
}
