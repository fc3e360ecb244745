#include "graph/AutoMutex.h"
#include "graph/IoAlertThread.h"
#include "graph/MEvent.h"
#include "graph/Thread.h"
#include "tests/support/HandleCount.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// A worker built the way the program's workers are: return at once on the
// stop flag, else wait on the stop event with a period and do one step.
class LoopThread : public CThread
{
public:
    explicit LoopThread(DWORD periodMs, unsigned exitCode = 7, bool endByItself = false)
        : m_period(periodMs), m_exitCode(exitCode), m_endByItself(endByItself) {}
    ~LoopThread() override { Stop(); }

    std::atomic<int> steps{0};
    std::atomic<bool> ranRun{false};
    std::atomic<bool> ranExit{false};

protected:
    unsigned Run() override
    {
        ranRun = true;
        if (m_lStopRequested || m_endByItself)
            return 0;
        do {
            if (WaitForSingleObject(m_hStopEvent, m_period) != WAIT_TIMEOUT)
                break;
            ++steps;
        } while (!m_lStopRequested);
        return 0;
    }
    unsigned ExitInstance() override
    {
        ranExit = true;
        return m_exitCode;
    }

private:
    DWORD m_period;
    unsigned m_exitCode;
    bool m_endByItself;
};

TEST(ThreadTest, StopBeforeResumeRunsTheThreadToItsEnd)
{
    LoopThread thread(10000);
    ASSERT_NE(nullptr, thread.GetThreadHandle());
    EXPECT_TRUE(thread.Stop());
    EXPECT_EQ(nullptr, thread.GetThreadHandle());
    EXPECT_TRUE(thread.ranRun);   // resumed, saw the flag, returned at once
    EXPECT_TRUE(thread.ranExit);
    EXPECT_EQ(0, thread.steps);
    EXPECT_TRUE(thread.Stop());   // a second Stop only sets the flag again
}

TEST(ThreadTest, ResumeTwiceResumesOnce)
{
    LoopThread thread(10000);
    EXPECT_EQ(1u, thread.Resume());
    EXPECT_EQ(0u, thread.Resume());
    thread.Stop();
    EXPECT_EQ(0xFFFFFFFFu, thread.Resume());  // no thread any more
}

// Resumes a thread that ends by itself and returns its exit code (0xDEAD
// when it did not end within five seconds).
DWORD ExitCodeAfterItsEnd(CThread& thread)
{
    HANDLE copy = NULL;
    DuplicateHandle(GetCurrentProcess(), thread.GetThreadHandle(), GetCurrentProcess(), &copy,
                    0, FALSE, DUPLICATE_SAME_ACCESS);
    thread.Resume();
    DWORD code = 0xDEAD;
    if (WaitForSingleObject(copy, 5000) == WAIT_OBJECT_0)
        GetExitCodeThread(copy, &code);
    CloseHandle(copy);
    return code;
}

TEST(ThreadTest, ExitInstanceGivesTheExitCode)
{
    LoopThread thread(10000, 42, true);
    EXPECT_EQ(42u, ExitCodeAfterItsEnd(thread));
}

TEST(ThreadTest, StopAfterTheThreadEndedByItselfClosesEverything)
{
    // Warm up whatever the runtime allocates once per process.
    { LoopThread warm(10, 0, true); warm.Resume(); }
    const DWORD before = OpenHandleCount();
    for (int i = 0; i < 200; ++i) {
        LoopThread thread(10, 0, true);
        thread.Resume();
        // The thread ends by itself; its handle stays with the object.
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.GetThreadHandle(), 5000));
        ASSERT_NE(nullptr, thread.GetThreadHandle());
        thread.Stop();
        EXPECT_EQ(nullptr, thread.GetThreadHandle());
    }
    for (int i = 0; i < 200; ++i) {
        LoopThread neverResumed(10);
    }
    EXPECT_LE(OpenHandleCount(), before + 2);
}

TEST(ThreadTest, StopFromAnotherThreadWhileRunWaits)
{
    LoopThread thread(60000);
    thread.Resume();
    Sleep(50);  // let Run reach its wait
    std::atomic<bool> stopped{false};
    std::thread stopper([&] {
        thread.Stop();
        stopped = true;
    });
    stopper.join();
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(thread.ranRun);
    EXPECT_EQ(0, thread.steps);  // ended by the event, not by its period
    EXPECT_EQ(nullptr, thread.GetThreadHandle());
}

TEST(ThreadTest, RunLoopStepsWithItsPeriodUntilStopped)
{
    LoopThread thread(1);
    thread.Resume();
    for (int i = 0; i < 500 && thread.steps < 3; ++i)
        Sleep(5);
    thread.Stop();
    EXPECT_GE(thread.steps, 3);
}

class AlertOwner : public IIoAlertOwner
{
public:
    AlertOwner() : event(CreateEventA(NULL, FALSE, FALSE, NULL)) { s_calls = 0; }
    ~AlertOwner() { CloseHandle(event); }
    HANDLE GetIoEvent() const override { return event; }
    IoAlertCallback GetIoCallback() const override { return callback; }

    static void Count()
    {
        ++s_calls;
        SetEvent(s_called);
    }

    HANDLE event;
    IoAlertCallback callback = &AlertOwner::Count;
    static std::atomic<int> s_calls;
    static HANDLE s_called;
};
std::atomic<int> AlertOwner::s_calls{0};
HANDLE AlertOwner::s_called = CreateEventA(NULL, FALSE, FALSE, NULL);

TEST(IoAlertThreadTest, CallsTheOwnerBackEachTimeTheEventFires)
{
    AlertOwner owner;
    CIoAlertThread thread(&owner);
    thread.Resume();
    for (int i = 1; i <= 3; ++i) {
        SetEvent(owner.event);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(AlertOwner::s_called, 5000));
        EXPECT_EQ(i, AlertOwner::s_calls);
    }
    thread.Stop();
    EXPECT_EQ(nullptr, thread.GetThreadHandle());
}

TEST(IoAlertThreadTest, NullCallbackIsSkippedAndStopResetsTheEvent)
{
    AlertOwner owner;
    CIoAlertThread thread(&owner);
    thread.Resume();
    // One counted call first, so the thread is surely in its wait loop: a
    // Stop that came before the loop would end Run before it resets the
    // event (a busy machine showed that).
    SetEvent(owner.event);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(AlertOwner::s_called, 5000));
    owner.callback = NULL;  // read again at every fire
    SetEvent(owner.event);
    Sleep(20);
    thread.Stop();
    EXPECT_EQ(1, AlertOwner::s_calls);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(owner.event, 0));
}

// Without an owner, or with an owner that has no event yet, the thread has
// nothing to wait on: it ends at once with code 0 and never calls back.
TEST(IoAlertThreadTest, WithoutOwnerOrEventEndsAtOnceWithCodeZero)
{
    AlertOwner noEvent;
    CloseHandle(noEvent.event);
    noEvent.event = NULL;
    IIoAlertOwner* owners[] = {nullptr, &noEvent};
    for (IIoAlertOwner* owner : owners) {
        CIoAlertThread thread(owner);
        EXPECT_EQ(0u, ExitCodeAfterItsEnd(thread));
        EXPECT_EQ(0, AlertOwner::s_calls);
    }
}

TEST(AutoMutexTest, HoldsTheSectionForItsScope)
{
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    std::atomic<bool> entered{false};
    std::thread other;
    {
        CAutoMutex hold(&section);
        other = std::thread([&] {
            CAutoMutex wait(&section);
            entered = true;
        });
        Sleep(30);
        EXPECT_FALSE(entered);
        CAutoMutex again(&section);  // recursive on the same thread
    }
    other.join();
    EXPECT_TRUE(entered);
    DeleteCriticalSection(&section);
}

TEST(MEventTest, WaitReportsSignalAndTimeout)
{
    zunk::MEvent manual(TRUE);
    EXPECT_FALSE(manual.Wait(0));
    SetEvent(manual.GetHandle());
    EXPECT_TRUE(manual.Wait(0));
    EXPECT_TRUE(manual.Wait(0));  // manual reset stays signalled
    zunk::MEvent automatic(FALSE);
    SetEvent(automatic.GetHandle());
    EXPECT_TRUE(automatic.Wait(0));
    EXPECT_FALSE(automatic.Wait(0));
}

} // namespace
