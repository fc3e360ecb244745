#include "hw/access/878Access.h"

#include "platform/virtualcard/model/CardModel.h"
#include "tests/support/FakeBt878Driver.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <ks.h>
#include <process.h>

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

using virtualcard::CardModel;

namespace {

struct Bt878Card
{
    CardModel card;
    FakeBt878Driver driver{&card};
    FakeKsObject filter;
    C878Access access{&driver};
    Bt878Card()
    {
        EXPECT_EQ(S_OK, access.Attach(&filter, 1));
        card.AddDevice(0x86, std::make_shared<virtualcard::Eeprom>());
    }
};

using Ops = std::vector<std::string>;

} // namespace

TEST(Bt878Access, ByteReadSequence)
{
    Bt878Card t;
    t.card.SetEepromByte(2, 0x77);
    BYTE value = 0;
    ASSERT_EQ(S_OK, t.access.ReadI2CByte(0xA1, 2, &value));
    EXPECT_EQ(0x77, value);
    EXPECT_EQ((Ops{"start", "A0", "02", "start", "A1", "read", "stop"}), t.driver.Ops());
}

TEST(Bt878Access, ByteAndBlockWrites)
{
    Bt878Card t;
    ASSERT_EQ(S_OK, t.access.WriteI2CByte(0x86, 1, 0x70));
    BYTE block[5] = {0xC0, 0x05, 0x72, 0xCE, 0x01};
    ASSERT_EQ(S_OK, t.access.WriteI2CBlock(block, 5));
    EXPECT_EQ((Ops{"start", "86", "01", "70", "stop", "start", "C0", "05", "72", "CE", "01",
                   "stop"}),
              t.driver.Ops());
    auto tuner = t.card.I2CRecord(0xC0);
    ASSERT_EQ(1u, tuner.size());
    EXPECT_EQ((std::vector<uint8_t>{0x05, 0x72, 0xCE, 0x01}), tuner[0].bytes);
}

// A byte the bus refuses ends the transfer, and the bus is still released.
TEST(Bt878Access, FailedBytesStillEndWithStop)
{
    Bt878Card t;
    BYTE block[3] = {0x42, 1, 2};  // nobody at 0x42
    EXPECT_EQ(E_FAIL, t.access.WriteI2CBlock(block, 3));
    EXPECT_EQ((Ops{"start", "42", "stop"}), t.driver.Ops());

    t.driver.Clear();
    BYTE read[2] = {0x42, 0};
    EXPECT_EQ(E_FAIL, t.access.ReadI2CBlock(read, 2));
    EXPECT_EQ((Ops{"start", "43", "stop"}), t.driver.Ops());
}

TEST(Bt878Access, BlockReadAcksEachByteAndChecksItsTime)
{
    FakeClock clock;
    Bt878Card t;
    t.driver.clock = &clock;
    BYTE buffer[3] = {0xC0, 0, 0};
    t.card.Tuner()->Write(std::vector<uint8_t>{0x05, 0x72, 0xCE, 0x01}.data(), 4);
    ASSERT_EQ(S_OK, t.access.ReadI2CBlock(buffer, 3));
    EXPECT_EQ((Ops{"start", "C1", "read", "ack", "read", "ack", "read", "ack", "stop"}),
              t.driver.Ops());
    EXPECT_EQ(0x40, buffer[0] & 0x40);

    // 700 ms for three bytes is beyond 200 ms a byte: the bytes came, but
    // cannot be trusted.
    t.driver.msPerOp = 700 / 9 + 1;
    EXPECT_EQ(E_FAIL, t.access.ReadI2CBlock(buffer, 3));
}

TEST(Bt878Access, GpioSavesAndRestoresTheMode)
{
    Bt878Card t;
    ASSERT_EQ(S_OK, t.access.WriteGPIO(0x40000, 0x40000));
    DWORD pins = 0;
    ASSERT_EQ(S_OK, t.access.ReadGPIO(&pins));
    EXPECT_EQ(0x40000u, pins & 0x40000);
    EXPECT_EQ((Ops{"getmode", "mode 00", "writegpio 01 01 40000 40000", "mode 5A", "getmode",
                   "mode 00", "readgpio 01", "mode 5A"}),
              t.driver.Ops());
}

// The slots this class keeps from the base forward to its own GPIO access.
TEST(Bt878Access, BaseGpioSlotsForward)
{
    Bt878Card t;
    ASSERT_EQ(S_OK, t.access.WriteGPIO(0x41, 0xFF));
    Ops direct = t.driver.Ops();
    t.driver.Clear();
    ASSERT_EQ(S_OK, t.access.WriteGPIODelayed(0x41, 0xFF, 500));
    EXPECT_EQ(direct, t.driver.Ops());
    DWORD a = 0, b = 1;
    ASSERT_EQ(S_OK, t.access.ReadGPIO(&a));
    ASSERT_EQ(S_OK, t.access.ReadGPIOState(&b));
    EXPECT_EQ(a, b);
    EXPECT_EQ(E_FAIL, t.access.ReadGPIOMode(0, &a));
    EXPECT_EQ(E_FAIL, t.access.ReadRemoteKey(NULL));
    EXPECT_EQ(E_NOTIMPL, t.access.SetAuxOutput(1));
}

TEST(Bt878Access, AttachRulesAndMissingHandle)
{
    CardModel card;
    FakeBt878Driver driver(&card);
    C878Access access(&driver);
    FakeKsObject noHandle(NULL);
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 1));
    EXPECT_EQ(E_POINTER, access.Attach(&noHandle, 0));
    EXPECT_EQ(S_OK, access.Attach(&noHandle, 1));
    BYTE value = 0;
    EXPECT_EQ(E_FAIL, access.ReadI2CByte(0xA0, 0, &value));
    EXPECT_TRUE(driver.Ops().empty());
    EXPECT_EQ(E_INVALIDARG, access.ReadI2CByte(0xA0, -1, &value));
}

namespace {
struct WriterArgs
{
    C878Access* access;
    HRESULT result;
};
unsigned __stdcall WriteOtherBlock(void* arg)
{
    WriterArgs* w = static_cast<WriterArgs*>(arg);
    BYTE block[2] = {0xA0, 0x10};
    w->result = w->access->WriteI2CBlock(block, 2);
    return 0;
}
} // namespace

// A second thread's transfer waits for the first one's stop: its bytes never
// land inside another message.
TEST(Bt878Access, SequencesDoNotInterleave)
{
    Bt878Card t;
    t.driver.pauseOp = bt878::kI2CWriteByte;
    t.driver.pauseReached = CreateEventA(NULL, TRUE, FALSE, NULL);
    t.driver.pauseRelease = CreateEventA(NULL, TRUE, FALSE, NULL);

    WriterArgs first = {&t.access, E_FAIL};
    HANDLE a = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, WriteOtherBlock, &first, 0, NULL));
    WaitForSingleObject(t.driver.pauseReached, INFINITE);  // first holds the bus mid-message

    WriterArgs second = {&t.access, E_FAIL};
    HANDLE b = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, WriteOtherBlock, &second, 0, NULL));
    // The second writer must be blocked on the lock, so nothing of it shows.
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(b, 100));
    SetEvent(t.driver.pauseRelease);
    WaitForSingleObject(a, INFINITE);
    WaitForSingleObject(b, INFINITE);
    EXPECT_EQ(S_OK, first.result);
    EXPECT_EQ(S_OK, second.result);
    EXPECT_EQ((Ops{"start", "A0", "10", "stop", "start", "A0", "10", "stop"}), t.driver.Ops());
    CloseHandle(a);
    CloseHandle(b);
    CloseHandle(t.driver.pauseReached);
    CloseHandle(t.driver.pauseRelease);
}
