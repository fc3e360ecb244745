// The push source's streaming thread against a reference clock the test
// steers: a stop is never lost while the clock fails, the due time never
// runs ahead of a clock that stalls, slows down or goes back, and the first
// frame of a run waits for the run's start. The source and the sink are
// connected pin to pin and driven directly, without a graph.
#include "TestFilters.h"

#include "tests/support/Stress.h"

#include <gtest/gtest.h>
#include <process.h>

#include <string>
#include <vector>

namespace {

const DWORD kStopBoundMs = 3000;

// A source and a sink on one TestClock.
class PushRig
{
public:
    PushRig() : source(new TestSource()), sink(new TestSink()), clock(new TestClock())
    {
        connected = source->GetPin(0)->Connect(sink->GetPin(0), NULL) == S_OK;
        source->SetSyncSource(clock);
        sink->SetSyncSource(clock);
    }
    // Only after a clean stop: a Stop still stuck in another thread holds
    // the source, which must then never be touched again.
    void Release()
    {
        source->GetPin(0)->Disconnect();
        sink->GetPin(0)->Disconnect();
        source->SetSyncSource(NULL);
        sink->SetSyncSource(NULL);
        EXPECT_EQ(0u, source->Release());
        EXPECT_EQ(0u, sink->Release());
        clock->Release();
    }

    void Run(REFERENCE_TIME start)
    {
        ASSERT_EQ(S_OK, sink->Pause());
        ASSERT_EQ(S_OK, source->Pause());
        ASSERT_EQ(S_OK, sink->Run(start));
        ASSERT_EQ(S_OK, source->Run(start));
    }

    // Stops the source from another thread; false when that Stop has not
    // returned within the bound (the thread is then left to hang).
    bool StopWithinBound()
    {
        HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, &StopSource, source, 0, NULL));
        if (!thread)
            return false;
        bool returned = WaitForSingleObject(thread, kStopBoundMs) == WAIT_OBJECT_0;
        CloseHandle(thread);
        if (returned)
            sink->Stop();
        return returned;
    }

    TestSource* source;
    TestSink* sink;
    TestClock* clock;
    bool connected;

private:
    static unsigned __stdcall StopSource(void* filter)
    {
        static_cast<TestSource*>(filter)->Stop();
        return 0;
    }
};

// A Stop that comes while the thread pauses for a failing clock ends the
// thread; before, the pause swallowed the stop and Stop waited for ever
// under the filter's state lock.
TEST(SourceStream, StopIsNeverLostWhileTheClockFails)
{
    PushRig rig;
    ASSERT_TRUE(rig.connected);
    for (int attempt = 0; attempt < StressRounds(20); ++attempt) {
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        rig.clock->SetFailing(false);
        rig.sink->ResetCounts();
        rig.Run(rig.clock->Now());
        ASSERT_TRUE(rig.sink->WaitForSamples(1, 5000));
        rig.clock->SetFailing(true);
        Sleep(attempt % 7);  // the stop lands at different points of the pause
        if (!rig.StopWithinBound()) {
            ADD_FAILURE() << "Stop did not return within " << kStopBoundMs << " ms";
            return;  // the stuck Stop holds the source: leave it
        }
    }
    rig.Release();
}

// Whatever the clock does, no frame is stamped more than one interval
// ahead of the clock's time when it arrives, and frames keep coming. The
// sample in flight when the clock moves is left out.
TEST(SourceStream, DueTimeStaysWithinAFrameOfTheClock)
{
    struct Case
    {
        const char* name;
        void (*disturb)(TestClock*);
        void (*restore)(TestClock*);
    } cases[] = {
        {"stall", [](TestClock* c) { c->SetRate(0); }, [](TestClock* c) { c->SetRate(1); }},
        {"slow", [](TestClock* c) { c->SetRate(0.25); }, [](TestClock* c) { c->SetRate(1); }},
        {"back", [](TestClock* c) { c->Jump(-10000000); }, [](TestClock*) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PushRig rig;
        ASSERT_TRUE(rig.connected);
        rig.Run(rig.clock->Now());
        ASSERT_TRUE(rig.sink->WaitForSamples(5, 5000));
        LONG before = rig.sink->Samples();
        c.disturb(rig.clock);
        Sleep(400);
        c.restore(rig.clock);
        EXPECT_TRUE(rig.sink->WaitForSamples(rig.sink->Samples() + 5, 5000));
        ASSERT_TRUE(rig.StopWithinBound());
        std::vector<REFERENCE_TIME> times = rig.sink->Times();
        std::vector<REFERENCE_TIME> arrivals = rig.sink->Arrivals();
        ASSERT_EQ(times.size(), arrivals.size());
        REFERENCE_TIME ahead = 0;
        for (size_t i = 0; i < times.size(); ++i) {
            if (i != static_cast<size_t>(before) && times[i] - arrivals[i] > ahead)
                ahead = times[i] - arrivals[i];
        }
        EXPECT_LE(ahead, kTestInterval) << "stamped " << ahead / 10000 << " ms ahead";
        rig.Release();
    }
}

// A run that starts in the future sends its first frame, stamped 0, when
// the clock gets there - not a wait's worth early.
TEST(SourceStream, FirstFrameWaitsForTheStartOfTheRun)
{
    PushRig rig;
    ASSERT_TRUE(rig.connected);
    for (int cycle = 0; cycle < 2; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        rig.sink->ResetCounts();
        rig.Run(rig.clock->Now() + 3000000);  // 300 ms from now
        ASSERT_TRUE(rig.sink->WaitForSamples(2, 5000));
        EXPECT_EQ(0, rig.sink->Times()[0]);
        // A timer may wake a hair before the counter's millisecond.
        EXPECT_GE(rig.sink->Arrivals()[0], -20000);
        ASSERT_TRUE(rig.StopWithinBound());
    }
    rig.Release();
}

} // namespace
