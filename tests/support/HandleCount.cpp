#include "tests/support/HandleCount.h"

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
