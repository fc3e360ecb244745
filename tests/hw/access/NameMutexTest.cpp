#include "hw/access/NameMutex.h"

#include <gtest/gtest.h>

#include <process.h>

namespace {

const char* kName = "Pellamar_Test_NameMutex";

struct Holder
{
    HANDLE locked;   // set once the holder owns the mutex
    HANDLE release;  // the holder unlocks when this is set
    bool unlock;     // false: the thread ends still owning it
    BOOL lockResult;
};

unsigned __stdcall HoldMutex(void* arg)
{
    Holder* h = static_cast<Holder*>(arg);
    CNameMutex mutex(kName, FALSE);
    h->lockResult = mutex.Lock();
    SetEvent(h->locked);
    WaitForSingleObject(h->release, INFINITE);
    if (h->unlock)
        mutex.Unlock();
    return 0;
}

HANDLE StartHolder(Holder* h)
{
    h->locked = CreateEventA(NULL, TRUE, FALSE, NULL);
    h->release = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, HoldMutex, h, 0, NULL));
    WaitForSingleObject(h->locked, INFINITE);
    return thread;
}

void Finish(Holder* h, HANDLE thread)
{
    SetEvent(h->release);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(h->locked);
    CloseHandle(h->release);
}

} // namespace

TEST(NameMutex, ExcludesAnotherThreadUntilReleased)
{
    Holder h = {};
    h.unlock = true;
    HANDLE thread = StartHolder(&h);
    ASSERT_TRUE(h.lockResult);

    CNameMutex mine(kName, FALSE);
    ASSERT_NE(HANDLE(NULL), mine.GetHandle());
    EXPECT_FALSE(mine.Lock());  // gives up after its 1000 ms wait

    Finish(&h, thread);
    ASSERT_TRUE(mine.Lock());
    EXPECT_TRUE(mine.Unlock());
}

// An owner that ended without unlocking hands the mutex over: the next
// Lock owns it and can release it for everyone else.
TEST(NameMutex, AbandonedMutexIsAcquired)
{
    Holder h = {};
    h.unlock = false;
    HANDLE thread = StartHolder(&h);
    ASSERT_TRUE(h.lockResult);
    Finish(&h, thread);

    CNameMutex mine(kName, FALSE);
    ASSERT_TRUE(mine.Lock());
    EXPECT_TRUE(mine.Unlock());

    Holder next = {};
    next.unlock = true;
    HANDLE other = StartHolder(&next);
    EXPECT_TRUE(next.lockResult);
    Finish(&next, other);
}

TEST(NameMutex, WithoutHandleEverythingFails)
{
    // A name that clashes with an existing event cannot become a mutex.
    HANDLE event = CreateEventA(NULL, FALSE, FALSE, "Pellamar_Test_NotAMutex");
    CNameMutex broken("Pellamar_Test_NotAMutex", FALSE);
    EXPECT_EQ(HANDLE(NULL), broken.GetHandle());
    EXPECT_FALSE(broken.Lock());
    EXPECT_FALSE(broken.Unlock());
    CloseHandle(event);
}

// A scoped hold releases only a lock it obtained: after a hold that timed
// out, the other owner still owns the mutex and nobody else gets it.
TEST(NameMutex, HoldReleasesOnlyWhatItTook)
{
    CNameMutex mine(kName, FALSE);
    {
        CNameMutexHold hold(mine);
        ASSERT_TRUE(hold.Held());
    }
    Holder h = {};
    h.unlock = true;
    HANDLE thread = StartHolder(&h);
    ASSERT_TRUE(h.lockResult);  // the hold let go on its way out

    {
        CNameMutexHold hold(mine);  // waits its 1000 ms in vain
        EXPECT_FALSE(hold.Held());
    }
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(mine.GetHandle(), 0));
    Finish(&h, thread);
    EXPECT_TRUE(mine.Lock());
    EXPECT_TRUE(mine.Unlock());
}
