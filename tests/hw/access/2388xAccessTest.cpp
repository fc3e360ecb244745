// The CX2388x access classes against the simulated card behind the fake
// property set: the requests each operation sends, the refusals that send
// nothing, the boot card's read-merge-write, and the system-wide lock.
#include "hw/access/23882Access.h"
#include "hw/access/2388xAccess.h"

#include "graph/Guids.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeKsPropertySet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using virtualcard::CardModel;

namespace {

// A CX2388x card whose driver answers `setId`, bound to `access`.
template <class Access>
struct Attached
{
    CardModel card;
    FakeKsPropertySet set;
    Access access;
    explicit Attached(const GUID* setId = NULL) : set(&card, setId)
    {
        card.SetGpioPort(CardModel::Cx2388x);
        EXPECT_EQ(S_OK, access.Attach(&set, 0));
        set.ClearCalls();
    }
};

struct Cx23882Attached : Attached<C23882Access>
{
    Cx23882Attached() : Attached<C23882Access>(&KSPROPSETID_Cx23882) {}
};

DWORD Word(const FakeKsPropertySet::Call& call, size_t offset)
{
    DWORD value = 0;
    if (call.request.size() >= offset + 4)
        memcpy(&value, call.request.data() + offset, 4);
    return value;
}

// One operation of the access interface, as a test calls it.
typedef std::function<HRESULT(C2388xRequestAccess&)> Operation;

struct NamedOperation
{
    const char* name;
    Operation op;
};

std::vector<NamedOperation> EveryOperation()
{
    return {
        {"SetProperty1", [](C2388xRequestAccess& a) { return a.SetProperty1(1); }},
        {"SetProperty3", [](C2388xRequestAccess& a) { return a.SetProperty3(1); }},
        {"ReadI2CByte", [](C2388xRequestAccess& a) { BYTE v; return a.ReadI2CByte(0xA0, 0x21, &v); }},
        {"WriteI2CByte", [](C2388xRequestAccess& a) { return a.WriteI2CByte(0xA0, 0x21, 5); }},
        {"ReadI2CBlock", [](C2388xRequestAccess& a) { BYTE b[2] = {0xC1}; return a.ReadI2CBlock(b, 2); }},
        {"WriteI2CBlock", [](C2388xRequestAccess& a) { BYTE b[2] = {0xC0, 1}; return a.WriteI2CBlock(b, 2); }},
        {"ReadGPIO", [](C2388xRequestAccess& a) { DWORD v; return a.ReadGPIO(&v); }},
        {"WriteGPIO", [](C2388xRequestAccess& a) { return a.WriteGPIO(1, 1); }},
        {"WriteGPIODelayed", [](C2388xRequestAccess& a) { return a.WriteGPIODelayed(1, 1, 5); }},
        {"GetBoardId", [](C2388xRequestAccess& a) { DWORD x, y; return a.GetBoardId(&x, &y); }},
    };
}

// Holds a named mutex on a thread of its own until released.
class MutexHolder
{
public:
    explicit MutexHolder(const char* name)
        : m_locked(CreateEventA(NULL, TRUE, FALSE, NULL)), m_release(CreateEventA(NULL, TRUE, FALSE, NULL))
    {
        m_thread = std::thread([this, name] {
            CNameMutex mutex(name, FALSE);
            m_held = mutex.Lock();
            SetEvent(m_locked);
            WaitForSingleObject(m_release, INFINITE);
            if (m_held)
                mutex.Unlock();
        });
        WaitForSingleObject(m_locked, INFINITE);
    }
    ~MutexHolder()
    {
        Release();
        CloseHandle(m_locked);
        CloseHandle(m_release);
    }
    bool Held() const { return m_held != FALSE; }
    void Release()
    {
        SetEvent(m_release);
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    HANDLE m_locked, m_release;
    BOOL m_held = FALSE;
    std::thread m_thread;
};

// A clock whose sleeps last until the test opens the gate.
class GateClock : public zunk::IClock
{
public:
    GateClock()
        : m_sleeping(CreateEventA(NULL, TRUE, FALSE, NULL)), m_open(CreateEventA(NULL, TRUE, FALSE, NULL)),
          m_previous(zunk::ClockSeam().Replace(this))
    {
    }
    ~GateClock()
    {
        Open();
        zunk::ClockSeam().Replace(m_previous);
        CloseHandle(m_sleeping);
        CloseHandle(m_open);
    }
    DWORD GetTickCount() override { return ::GetTickCount(); }
    void Sleep(DWORD) override
    {
        SetEvent(m_sleeping);
        WaitForSingleObject(m_open, INFINITE);
    }
    bool WaitForSleeper() { return WaitForSingleObject(m_sleeping, 5000) == WAIT_OBJECT_0; }
    void Open() { SetEvent(m_open); }

private:
    HANDLE m_sleeping, m_open;
    zunk::IClock* m_previous;
};

} // namespace

TEST(C2388xAccess, EveryOperationFailsBeforeAttach)
{
    C2388xAccess plain;
    C2388xBootAccess boot;
    C23882Access encoder;
    C2388xRequestAccess* accesses[] = {&plain, &boot, &encoder};
    for (C2388xRequestAccess* access : accesses) {
        for (const NamedOperation& o : EveryOperation()) {
            SCOPED_TRACE(o.name);
            EXPECT_EQ(E_FAIL, o.op(*access));
        }
    }
    // A refused attach leaves the object unbound.
    EXPECT_EQ(E_POINTER, plain.Attach(NULL, 0));
    DWORD pins = 0;
    EXPECT_EQ(E_FAIL, plain.ReadGPIO(&pins));
}

// What each operation puts in the request: property id, direction, lengths
// and the payload fields (offsets from the payload start).
TEST(C2388xAccess, RequestsOnTheWire)
{
    struct Case
    {
        const char* name;
        Operation op;
        DWORD id;
        bool get;
        DWORD instanceLength;
        std::vector<std::pair<size_t, DWORD>> words;  // payload offset -> 32-bit value
    } cases[] = {
        {"SetProperty1", [](C2388xRequestAccess& a) { return a.SetProperty1(0x5A); }, 1, false, 24, {{0, 0x5A}}},
        {"SetProperty3", [](C2388xRequestAccess& a) { return a.SetProperty3(0x07); }, 3, false, 24, {{0, 0x07}}},
        {"ReadI2CByte",
         [](C2388xRequestAccess& a) { BYTE v; return a.ReadI2CByte(0xA0, 0x21, &v); },
         2, true, 32, {{0, 0xA0}, {4, 0x21}}},
        {"WriteI2CByte", [](C2388xRequestAccess& a) { return a.WriteI2CByte(0xA0, 0x30, 0x99); },
         2, false, 32, {{0, 0xA0}, {4, 0x30}, {8, 0x99}}},
        {"ReadGPIO", [](C2388xRequestAccess& a) { DWORD v; return a.ReadGPIO(&v); },
         4, true, 24, {{0, 0x0FFFFFFF}, {4, 0}}},
        {"WriteGPIO {mask, value}", [](C2388xRequestAccess& a) { return a.WriteGPIO(0x1234, 0xF0F0); },
         4, false, 24, {{0, 0xF0F0}, {4, 0x1234}}},
        {"GetBoardId", [](C2388xRequestAccess& a) { DWORD x, y; return a.GetBoardId(&x, &y); }, 0, true, 24, {}},
        {"ReadI2CBlock: the address byte as given, then the length",
         [](C2388xRequestAccess& a) { BYTE b[3] = {0xC1, 0, 0}; return a.ReadI2CBlock(b, 3); },
         6, true, 280, {{0, 0xC1}, {256, 3}}},
        {"WriteI2CBlock: the read bit cleared",
         [](C2388xRequestAccess& a) { BYTE b[3] = {0xC1, 0x12, 0x34}; return a.WriteI2CBlock(b, 3); },
         6, false, 280, {{0, 0x3412C0}, {256, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        Attached<C2388xAccess> plain;
        Cx23882Attached encoder;
        FakeKsPropertySet* sets[] = {&plain.set, &encoder.set};
        C2388xRequestAccess* accesses[] = {&plain.access, &encoder.access};
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(S_OK, c.op(*accesses[i]));
            auto calls = sets[i]->Calls();
            ASSERT_EQ(1u, calls.size());
            EXPECT_EQ(c.id, calls[0].id);
            EXPECT_EQ(c.get, calls[0].get);
            EXPECT_EQ(c.instanceLength, calls[0].instanceLength);
            EXPECT_EQ(c.instanceLength + 24, calls[0].dataLength);
            for (const auto& w : c.words)
                EXPECT_EQ(w.second, Word(calls[0], w.first)) << "at payload offset " << w.first;
        }
    }
}

TEST(C2388xAccess, RepliesReachTheCaller)
{
    Attached<C2388xAccess> t;
    t.card.SetEepromByte(0x21, 0x5C);
    t.card.SetGpioInputs(0x0ABCDEF1);
    t.card.SetBoardId(0x8800, 0x0123);

    BYTE value = 0;
    ASSERT_EQ(S_OK, t.access.ReadI2CByte(0xA0, 0x21, &value));
    EXPECT_EQ(0x5C, value);
    DWORD pins = 0;
    ASSERT_EQ(S_OK, t.access.ReadGPIO(&pins));
    EXPECT_EQ(0x0ABCDEF1u, pins);
    DWORD first = 0, second = 0;
    ASSERT_EQ(S_OK, t.access.GetBoardId(&first, &second));
    EXPECT_EQ(0x8800u, first);
    EXPECT_EQ(0x0123u, second);
    // A block read of the EEPROM from its current sub-address.
    ASSERT_EQ(S_OK, t.access.WriteI2CByte(0xA0, 0x20, 0x41));
    BYTE write[2] = {0xA0, 0x20};
    ASSERT_EQ(S_OK, t.access.WriteI2CBlock(write, 2));
    BYTE block[3] = {0xA1};
    ASSERT_EQ(S_OK, t.access.ReadI2CBlock(block, 2));
    EXPECT_EQ(0x41, block[0]);
    EXPECT_EQ(0x5C, block[1]);
}

// Bad arguments are refused before anything is sent.
TEST(C2388xAccess, RefusalsSendNothing)
{
    struct Case
    {
        const char* name;
        Operation op;
        HRESULT expected;
    } cases[] = {
        {"negative sub-address read", [](C2388xRequestAccess& a) { BYTE v; return a.ReadI2CByte(0xA0, -1, &v); },
         E_INVALIDARG},
        {"negative sub-address write", [](C2388xRequestAccess& a) { return a.WriteI2CByte(0xA0, -1, 0); },
         E_INVALIDARG},
        {"null byte", [](C2388xRequestAccess& a) { return a.ReadI2CByte(0xA0, 0, NULL); }, E_POINTER},
        {"null GPIO", [](C2388xRequestAccess& a) { return a.ReadGPIO(NULL); }, E_POINTER},
        {"null board id", [](C2388xRequestAccess& a) { DWORD x; return a.GetBoardId(&x, NULL); }, E_POINTER},
        {"null block", [](C2388xRequestAccess& a) { return a.ReadI2CBlock(NULL, 1); }, E_POINTER},
        {"empty block read", [](C2388xRequestAccess& a) { BYTE b[1] = {0xC1}; return a.ReadI2CBlock(b, 0); },
         E_INVALIDARG},
        {"one-byte block write", [](C2388xRequestAccess& a) { BYTE b[1] = {0xC0}; return a.WriteI2CBlock(b, 1); },
         E_INVALIDARG},
        {"block beyond the request's 256 bytes",
         [](C2388xRequestAccess& a) { BYTE b[257] = {0xC0}; return a.WriteI2CBlock(b, 257); }, E_INVALIDARG},
        {"block read beyond 256 bytes",
         [](C2388xRequestAccess& a) { BYTE b[257] = {0xC1}; return a.ReadI2CBlock(b, 257); }, E_INVALIDARG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Attached<C2388xBootAccess> t;
        EXPECT_EQ(c.expected, c.op(t.access));
        EXPECT_TRUE(t.set.Calls().empty());
    }
}

TEST(C2388xAccess, FailedRequestsLeaveTheCallersValues)
{
    Attached<C2388xAccess> t;
    t.set.FailProperty(0, E_ACCESSDENIED);
    DWORD first = 7, second = 9;
    EXPECT_EQ(E_ACCESSDENIED, t.access.GetBoardId(&first, &second));
    EXPECT_EQ(7u, first);
    EXPECT_EQ(9u, second);

    // The block write clears the read bit in the caller's buffer even when
    // the driver refuses the write.
    t.set.FailProperty(6, E_FAIL);
    BYTE buffer[2] = {0xC3, 0x10};
    EXPECT_EQ(E_FAIL, t.access.WriteI2CBlock(buffer, 2));
    EXPECT_EQ(0xC2, buffer[0]);
    BYTE read[2] = {0xC1, 0x55};
    EXPECT_EQ(E_FAIL, t.access.ReadI2CBlock(read, 2));
    EXPECT_EQ(0x55, read[1]);
}

// The boot card drives bits 12-14 on every write, at the level they have
// unless the caller names them.
TEST(C2388xBootAccess, WritesKeepBits12To14)
{
    struct Case
    {
        DWORD current, value, mask;
        DWORD sentMask, sentValue;
    } cases[] = {
        {0x5000, 0x1, 0x1, 0x7001, 0x5001},
        {0x5000, 0x2000, 0x3000, 0x7000, 0x6000},
        {0x0000, 0x8600, 0x8600, 0xF600, 0x8600},
        {0x7FFF, 0x0, 0xFF8600, 0xFFF600, 0x7000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        FakeClock clock;
        Attached<C2388xBootAccess> t;
        t.card.SetGpioInputs(c.current);
        ASSERT_EQ(S_OK, t.access.WriteGPIO(c.value, c.mask));
        auto calls = t.set.Calls();
        ASSERT_EQ(2u, calls.size());
        EXPECT_TRUE(calls[0].get);  // the pins first
        EXPECT_FALSE(calls[1].get);
        EXPECT_EQ(c.sentMask, Word(calls[1], 0));
        EXPECT_EQ(c.sentValue, Word(calls[1], 4));
        EXPECT_TRUE(clock.Sleeps().empty());  // no settle pause
    }
}

TEST(C2388xBootAccess, FailedPinReadWritesNothing)
{
    Attached<C2388xBootAccess> t;
    t.set.FailProperty(4, E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, t.access.WriteGPIO(1, 1));
    EXPECT_EQ(E_ACCESSDENIED, t.access.WriteGPIODelayed(1, 1, 10));
    for (const auto& call : t.set.Calls())
        EXPECT_TRUE(call.get);
}

TEST(C2388xAccess, WritePausesPerClass)
{
    struct
    {
        const char* name;
        std::function<HRESULT()> run;
        std::vector<DWORD> sleeps;
    } cases[] = {
        {"plain write settles 100 ms",
         [] { Attached<C2388xAccess> t; return t.access.WriteGPIO(1, 1); }, {100}},
        {"plain delayed write is the plain write",
         [] { Attached<C2388xAccess> t; return t.access.WriteGPIODelayed(1, 1, 30); }, {100}},
        {"encoder card settles 100 ms",
         [] { Cx23882Attached t; return t.access.WriteGPIO(1, 1); }, {100}},
        {"boot delayed write holds its delay",
         [] { Attached<C2388xBootAccess> t; return t.access.WriteGPIODelayed(1, 1, 30); }, {30}},
        {"boot delayed write of 0 ms",
         [] { Attached<C2388xBootAccess> t; return t.access.WriteGPIODelayed(1, 1, 0); }, {}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        EXPECT_EQ(S_OK, c.run());
        EXPECT_EQ(c.sleeps, clock.Sleeps());
    }
}

TEST(C23882Access, AttachAsksForItsBoardId)
{
    // A driver of the common set only: bound, but the question goes unanswered.
    CardModel card;
    FakeKsPropertySet common(&card);
    C23882Access access;
    EXPECT_EQ(E_PROP_SET_UNSUPPORTED, access.Attach(&common, 0));

    Cx23882Attached t;
    EXPECT_EQ(S_OK, t.access.Attach(&t.set, 0));
    DWORD first = 0, second = 0;
    EXPECT_EQ(S_OK, t.access.GetBoardId(&first, &second));
    // Re-attaching released the first reference.
    EXPECT_EQ(2u, t.set.RefCount());
}

// Another holder of "GPIO_LOCK" delays a request until it lets go; the
// request then goes whole, with the right reply.
TEST(C2388xAccess, GpioLockHeldElsewhereDelaysARequest)
{
    Attached<C2388xAccess> t;
    t.card.SetEepromByte(0x10, 0x61);
    t.card.SetEepromByte(0x11, 0x62);
    BYTE pointer[2] = {0xA0, 0x10};
    ASSERT_EQ(S_OK, t.access.WriteI2CBlock(pointer, 2));
    t.set.ClearCalls();
    BYTE block[2] = {0xA1, 0};

    MutexHolder holder("GPIO_LOCK");
    ASSERT_TRUE(holder.Held());
    HRESULT hr = E_UNEXPECTED;
    std::thread caller([&] { hr = t.access.ReadI2CBlock(block, 2); });
    Sleep(150);
    EXPECT_TRUE(t.set.Calls().empty());  // nothing sent while the lock is elsewhere
    holder.Release();
    caller.join();
    EXPECT_EQ(S_OK, hr);
    EXPECT_EQ(0x61, block[0]);
    EXPECT_EQ(0x62, block[1]);
    EXPECT_EQ(1u, t.set.Calls().size());
}

// A GPIO write keeps the lock through its settle pause: a second caller's
// request goes only after it.
TEST(C2388xAccess, SettlePauseHoldsTheLock)
{
    GateClock gate;
    Attached<C2388xAccess> first;
    Attached<C2388xAccess> second;
    HRESULT written = E_UNEXPECTED, read = E_UNEXPECTED;
    std::thread writer([&] { written = first.access.WriteGPIO(1, 1); });
    ASSERT_TRUE(gate.WaitForSleeper());  // the pins are set; the pause begins
    std::thread reader([&] {
        DWORD pins = 0;
        read = second.access.ReadGPIO(&pins);
    });
    Sleep(150);
    EXPECT_TRUE(second.set.Calls().empty());
    gate.Open();
    writer.join();
    reader.join();
    EXPECT_EQ(S_OK, written);
    EXPECT_EQ(S_OK, read);
    EXPECT_EQ(1u, second.set.Calls().size());
}

// A holder that keeps the lock past the 1000 ms wait makes every request
// fail, and none is sent. (A lock of the test's own, so that other test
// processes' cards are not held up meanwhile.)
TEST(C2388xAccess, LockKeptPastTheWaitFailsEveryRequest)
{
    const char* kLock = "Pellamar_Test_GPIO_LOCK";
    CardModel card;
    FakeKsPropertySet set(&card);
    C2388xBootAccess access(kLock);
    ASSERT_EQ(S_OK, access.Attach(&set, 0));
    set.ClearCalls();

    MutexHolder holder(kLock);
    ASSERT_TRUE(holder.Held());
    std::vector<NamedOperation> ops = EveryOperation();
    std::vector<HRESULT> results(ops.size(), S_OK);
    std::vector<std::thread> callers;
    for (size_t i = 0; i < ops.size(); ++i)
        callers.emplace_back([&, i] { results[i] = ops[i].op(access); });
    for (std::thread& caller : callers)
        caller.join();
    for (size_t i = 0; i < ops.size(); ++i)
        EXPECT_EQ(E_FAIL, results[i]) << ops[i].name;
    EXPECT_TRUE(set.Calls().empty());
}
