// The last release of a reference clock: a system clock let go moments
// after its first advise made its thread (as a graph stopped and released
// right after it started) must not hang in that release.
#include "graph/ComPtr.h"
#include "graph/ReferenceClock.h"

#include <gtest/gtest.h>
#include <uuids.h>

#include <atomic>
#include <thread>

namespace {

ComPtr<IReferenceClock> MakeSystemClock()
{
    ComPtr<IReferenceClock> clock;
    CoCreateInstance(CLSID_SystemClock, NULL, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                     clock.ReceiveVoid());
    return clock;
}

// A renderer's life in short: one advise (the first makes the clock's
// thread), taken back when the graph stops, then the clock goes.
void AdviseThenRelease(IReferenceClock* clock, HANDLE event)
{
    REFERENCE_TIME now = 0;
    DWORD_PTR cookie = 0;
    clock->GetTime(&now);
    if (SUCCEEDED(clock->AdviseTime(now, 10000000, reinterpret_cast<HEVENT>(event), &cookie)))
        clock->Unadvise(cookie);
    zunk::ReleaseReferenceClock(clock);
}

TEST(ReferenceClock, LastReleaseRightAfterTheFirstAdviseEnds)
{
    ASSERT_TRUE(MakeSystemClock()) << "no system clock";
    // Fresh clocks on a worker, so that a release that hangs fails the
    // test instead of holding the run until its time-out. Under Wine a
    // plain release hangs on the first clock already.
    const int kClocks = 20;
    std::atomic<int> released{0};
    HANDLE done = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread worker([&] {
        CoInitializeEx(NULL, COINIT_MULTITHREADED);
        HANDLE event = CreateEventA(NULL, FALSE, FALSE, NULL);
        for (int i = 0; i < kClocks; ++i) {
            AdviseThenRelease(MakeSystemClock().Detach(), event);
            ++released;
        }
        CloseHandle(event);
        CoUninitialize();
        SetEvent(done);
    });
    const bool ended = WaitForSingleObject(done, 60000) == WAIT_OBJECT_0;
    if (ended)
        worker.join();
    else
        worker.detach();  // stuck in a release for good
    CloseHandle(done);
    ASSERT_TRUE(ended) << "a clock's last release hung after " << released << " clocks";
}

TEST(ReferenceClock, AClockStillHeldElsewhereIsOnlyReleased)
{
    ComPtr<IReferenceClock> clock = MakeSystemClock();
    ASSERT_TRUE(clock);
    clock->AddRef();
    EXPECT_EQ(1u, zunk::ReleaseReferenceClock(clock.Get()));
    // Still a working clock for its other holder: an advise due at once comes.
    HANDLE event = CreateEventA(NULL, FALSE, FALSE, NULL);
    REFERENCE_TIME now = 0;
    DWORD_PTR cookie = 0;
    ASSERT_EQ(S_OK, clock->GetTime(&now));
    ASSERT_EQ(S_OK, clock->AdviseTime(now, 0, reinterpret_cast<HEVENT>(event), &cookie));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, 5000));
    CloseHandle(event);
    EXPECT_EQ(0u, zunk::ReleaseReferenceClock(clock.Detach()));
    EXPECT_EQ(0u, zunk::ReleaseReferenceClock(NULL));
}

} // namespace
