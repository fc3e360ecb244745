#include "graph/ReferenceClock.h"

namespace zunk {

namespace {

// TRUE when the caller's reference is the only one: nobody else can advise
// or release the clock any more, so what we leave pending is the last word.
bool IsLastReference(IReferenceClock* clock)
{
    clock->AddRef();
    return clock->Release() == 1;
}

} // namespace

ULONG ReleaseReferenceClock(IReferenceClock* clock)
{
    if (!clock)
        return 0;
    if (!IsLastReference(clock))
        return clock->Release();
    // The clock signals the semaphore until it is destroyed, and the last
    // release returns only once the clock's thread has ended: the
    // semaphore is closed after it.
    const REFERENCE_TIME period = kClockWakeMs * 10000;
    REFERENCE_TIME now = 0;
    HANDLE wake = CreateSemaphoreA(NULL, 0, 0x7FFFFFFF, NULL);
    DWORD_PTR cookie = 0;
    if (wake && SUCCEEDED(clock->GetTime(&now)))
        clock->AdvisePeriodic(now + period, period, reinterpret_cast<HSEMAPHORE>(wake), &cookie);
    const ULONG left = clock->Release();
    if (wake)
        CloseHandle(wake);
    return left;
}

} // namespace zunk
