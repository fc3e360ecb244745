// CRaptorAccess against a fake of the Raptor driver's property sets over
// the simulated card: the I2C records on the wire (modes, the special
// device, write pieces), the bounds of a transfer, the GPIO register
// quartet and the reset pulse, and the driver's support answers.
#include "hw/access/RaptorAccess.h"

#include "graph/Guids.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeRaptorDriver.h"

#include <gtest/gtest.h>
#include <vfwmsgs.h>

#include <memory>
#include <string>
#include <vector>

using virtualcard::CardModel;
using virtualcard::RegisterChip;

namespace {

// The simulated card with register chips at 0xC0 and 0xBA (the remote
// controller) and the driver fake in front of the access object.
struct RaptorCard
{
    CardModel card;
    FakeRaptorDriver driver{&card};
    std::shared_ptr<RegisterChip> chip = std::make_shared<RegisterChip>();
    std::shared_ptr<RegisterChip> remote = std::make_shared<RegisterChip>();
    CRaptorAccess access;
    FakeClock clock;

    RaptorCard()
    {
        card.AddDevice(0xC0, chip);
        card.AddDevice(kRaptorSpecialDevice, remote);
        EXPECT_EQ(S_OK, access.Attach(&driver, 0));
        driver.ClearCalls();
    }
};

// A record's first bytes: mode, device, count, then `count` data bytes.
std::vector<BYTE> Head(const std::vector<BYTE>& record)
{
    size_t used = record.size() >= 3 ? std::min<size_t>(record.size(), 3u + record[2]) : record.size();
    return std::vector<BYTE>(record.begin(), record.begin() + used);
}

} // namespace

TEST(RaptorAccess, ByteReadsChooseTheirMode)
{
    struct
    {
        BYTE device;
        LONG sub;
        BYTE startMode, startDevice, fetchDevice;
    } cases[] = {
        {0xA0, 5, 1, 0xA0, 0xA0},     // the EEPROM range
        {0xC0, 5, 2, 0xC0, 0xC0},     // any other device
        {0xBA, 0xAA, 3, 0xBA, 0xBB},  // the remote controller's two registers
        {0xBA, 0xAB, 3, 0xBA, 0xBB},
        {0xBA, 0x10, 1, 0xBA, 0xBA},  // its other registers are plain ones
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device * 1000 + c.sub);
        RaptorCard r;
        r.card.SetEepromByte(5, 0x77);
        r.chip->SetReg(5, 0x66);
        r.remote->SetReg(static_cast<uint8_t>(c.sub), 0x55);
        BYTE value = 0;
        ASSERT_EQ(S_OK, r.access.ReadI2CByte(c.device, c.sub, &value));
        EXPECT_EQ(c.device == 0xA0 ? 0x77 : c.device == 0xC0 ? 0x66 : 0x55, value);
        auto records = r.driver.I2CRecords();
        ASSERT_EQ(2u, records.size());
        EXPECT_EQ((std::vector<BYTE>{c.startMode, c.startDevice, 1, static_cast<BYTE>(c.sub)}), Head(records[0]));
        EXPECT_EQ(c.startMode, records[1][0]);
        EXPECT_EQ(c.fetchDevice, records[1][1]);
    }
}

// n = length - 2 data bytes: up to 15 in one record; beyond, pieces of 15
// with 2 ms after each, then the rest - none when nothing is left.
TEST(RaptorAccess, BlockWritesGoInPiecesOfFifteen)
{
    struct
    {
        LONG length;
        std::vector<BYTE> counts;  // count byte of each record
        size_t pauses;
    } cases[] = {
        {2, {1}, 0}, {3, {2}, 0}, {17, {16}, 0}, {18, {16, 2}, 1}, {32, {16, 16}, 2}, {35, {16, 16, 4}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        RaptorCard r;
        std::vector<BYTE> buffer(c.length);
        buffer[0] = 0xC0;
        buffer[1] = 0x20;  // the sub-address every piece repeats
        for (LONG i = 2; i < c.length; ++i)
            buffer[i] = static_cast<BYTE>(i);
        ASSERT_EQ(S_OK, r.access.WriteI2CBlock(buffer.data(), c.length));
        auto records = r.driver.I2CRecords();
        ASSERT_EQ(c.counts.size(), records.size());
        size_t sent = 2;
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(2, records[i][0]);
            EXPECT_EQ(0xC0, records[i][1]);
            EXPECT_EQ(c.counts[i], records[i][2]);
            EXPECT_EQ(0x20, records[i][3]);
            for (BYTE k = 1; k < records[i][2]; ++k)
                EXPECT_EQ(buffer[sent++], records[i][3 + k]);
        }
        EXPECT_EQ(static_cast<size_t>(c.length), sent);
        EXPECT_EQ(c.pauses, r.clock.Sleeps().size());
        // The chip holds the last piece's data from the sub-address on.
        if (c.length > 2) {
            EXPECT_EQ(buffer[c.length - 1], r.chip->Reg(static_cast<uint8_t>(0x20 + (c.length - 3) % 15)));
        }
    }
}

TEST(RaptorAccess, TransfersAreBounded)
{
    RaptorCard r;
    BYTE buffer[20] = {0xC1};
    BYTE value = 0;
    EXPECT_EQ(E_INVALIDARG, r.access.ReadI2CBlock(buffer, 0));
    EXPECT_EQ(E_INVALIDARG, r.access.ReadI2CBlock(buffer, 17));
    EXPECT_EQ(E_INVALIDARG, r.access.WriteI2CBlock(buffer, 1));
    EXPECT_EQ(E_INVALIDARG, r.access.WriteI2CBlock(buffer, -5));
    EXPECT_EQ(E_INVALIDARG, r.access.ReadI2CByte(0xC0, 256, &value));
    EXPECT_EQ(E_INVALIDARG, r.access.WriteI2CByte(0xC0, -1, 0));
    EXPECT_EQ(E_POINTER, r.access.ReadI2CBlock(NULL, 1));
    EXPECT_EQ(E_POINTER, r.access.ReadI2CByte(0xC0, 1, NULL));
    EXPECT_TRUE(r.driver.Calls().empty());

    // A read of 16 bytes fills the caller's buffer from buffer[0] on.
    for (int i = 0; i < 16; ++i)
        r.chip->SetReg(static_cast<uint8_t>(i), static_cast<uint8_t>(0x40 + i));
    BYTE pointer[2] = {0xC0, 0x00};  // the sub-address alone: the chip's pointer to 0
    ASSERT_EQ(S_OK, r.access.WriteI2CBlock(pointer, 2));
    buffer[16] = 0xEE;
    ASSERT_EQ(S_OK, r.access.ReadI2CBlock(buffer, 16));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(0x40 + i, buffer[i]);
    EXPECT_EQ(0xEE, buffer[16]);  // untouched past the length
    EXPECT_EQ(std::vector<DWORD>{2}, r.clock.Sleeps());  // between start and fetch
}

TEST(RaptorAccess, GpioGoesThroughTheRegisterQuartet)
{
    RaptorCard r;
    ASSERT_EQ(S_OK, r.access.WriteGPIO(0x00010002, 0x00030003));
    EXPECT_EQ((std::vector<std::pair<DWORD, DWORD>>{{0xC7008108, 0x00030000},
                                                     {0xC700810C, 0x00030000},
                                                     {0xC7008100, 0x00030002},
                                                     {0xC7008104, 0x00030001}}),
              r.driver.RegisterWrites());
    DWORD pins = 0;
    ASSERT_EQ(S_OK, r.access.ReadGPIO(&pins));
    EXPECT_EQ(0x00010002u, pins & 0x00030003);
    DWORD level = 5;
    ASSERT_EQ(S_OK, r.access.GetGPIOBit(16, &level));
    EXPECT_EQ(1u, level);
    ASSERT_EQ(S_OK, r.access.SetGPIOBit(16, FALSE));
    ASSERT_EQ(S_OK, r.access.GetGPIOBit(16, &level));
    EXPECT_EQ(0u, level);
    EXPECT_EQ(E_INVALIDARG, r.access.SetGPIOBit(32, TRUE));

    // A write that fails part-way stops there and says so.
    r.driver.ClearCalls();
    r.driver.FailProperty(RAPTOR_REGISTER_WRITE, E_ACCESSDENIED, 1);
    EXPECT_EQ(E_ACCESSDENIED, r.access.WriteGPIO(1, 1));
    EXPECT_EQ(2u, r.driver.RegisterWrites().size());  // the one that went, the refused one
}

// Whatever the level, the tuner gets a full pulse on bit 1: low 20 ms, high 20 ms.
TEST(RaptorAccess, TunerResetIsAPulse)
{
    for (LONG level : {0, 1}) {
        RaptorCard r;
        ASSERT_EQ(S_OK, r.access.SetTunerReset(level));
        auto writes = r.driver.RegisterWrites();
        ASSERT_EQ(8u, writes.size());
        EXPECT_EQ(0x00020000u, writes[2].second);  // bit 1 low, masked
        EXPECT_EQ(0x00020002u, writes[6].second);  // bit 1 high
        EXPECT_EQ((std::vector<DWORD>{20, 20}), r.clock.Sleeps());
        EXPECT_EQ(2u, r.card.ReadGpio() & 2);
    }
    RaptorCard r;
    r.driver.FailProperty(RAPTOR_REGISTER_WRITE, E_FAIL, 4);
    EXPECT_EQ(E_FAIL, r.access.SetTunerReset(1));
}

// Nothing goes to the driver that it does not say it supports.
TEST(RaptorAccess, CallsNeedTheDriversSupport)
{
    {
        RaptorCard r;
        r.driver.SetSupport(RAPTOR_I2C_FETCH, KSPROPERTY_SUPPORT_SET);
        BYTE value = 0, block[4] = {0xC1};
        EXPECT_EQ(E_FAIL, r.access.ReadI2CByte(0xC0, 1, &value));
        EXPECT_EQ(E_FAIL, r.access.ReadI2CBlock(block, 2));
        for (const auto& call : r.driver.Calls())
            EXPECT_NE(static_cast<DWORD>(RAPTOR_I2C_FETCH), call.id);
        // Writes need only the start record.
        EXPECT_EQ(S_OK, r.access.WriteI2CByte(0xC0, 1, 2));
    }
    {
        // A driver that cannot say: its answer, and no message sent.
        RaptorCard r;
        r.driver.SetSupport(RAPTOR_I2C_START, 0, E_PROP_ID_UNSUPPORTED);
        EXPECT_EQ(E_PROP_ID_UNSUPPORTED, r.access.WriteI2CByte(0xC0, 1, 2));
        r.driver.SetSupport(RAPTOR_I2C_START, 0, S_OK);
        EXPECT_EQ(E_FAIL, r.access.WriteI2CByte(0xC0, 1, 2));
        EXPECT_TRUE(r.driver.Calls().empty());
    }
    {
        // A reply shorter than the record is a failure, not a value.
        RaptorCard r;
        r.driver.ShortenReplies(1);
        BYTE value = 0x99;
        EXPECT_EQ(E_FAIL, r.access.ReadI2CByte(0xC0, 1, &value));
        EXPECT_EQ(0x99, value);
    }
}

TEST(RaptorAccess, BeforeAttachEverythingFails)
{
    FakeClock clock;
    CRaptorAccess access;
    BYTE value = 0, block[4] = {0xC0, 0, 1, 2};
    DWORD pins = 0;
    EXPECT_EQ(E_FAIL, access.SetProperty1(1));
    EXPECT_EQ(E_FAIL, access.SetProperty3(1));
    EXPECT_EQ(E_FAIL, access.ReadI2CByte(0xC0, 0, &value));
    EXPECT_EQ(E_FAIL, access.WriteI2CByte(0xC0, 0, 0));
    EXPECT_EQ(E_FAIL, access.ReadI2CBlock(block, 1));
    EXPECT_EQ(E_FAIL, access.WriteI2CBlock(block, 4));
    EXPECT_EQ(E_FAIL, access.ReadGPIO(&pins));
    EXPECT_EQ(E_FAIL, access.WriteGPIO(1, 1));
    EXPECT_EQ(E_FAIL, access.SetTunerReset(1));
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
    EXPECT_EQ(E_NOTIMPL, access.ReadRegisterByte(0, &value));
    EXPECT_EQ(E_FAIL, access.GPIO_SetTVFM(1));  // and no message box

    // Attached: the driver switches answer S_OK (the card filter tests it).
    CardModel card;
    FakeRaptorDriver driver(&card);
    ASSERT_EQ(S_OK, access.Attach(&driver, 0));
    EXPECT_EQ(S_OK, access.SetProperty1(1));
    EXPECT_EQ(S_OK, access.SetProperty3(1));
    EXPECT_TRUE(driver.Calls().empty());
    EXPECT_EQ(2u, driver.RefCount());
}

TEST(RaptorAccess, CombinedReadsAndDriverBuffers)
{
    RaptorCard r;
    r.chip->SetReg(7, 0x5C);
    r.chip->SetReg(8, 0x5D);
    BYTE value = 0;
    ASSERT_EQ(S_OK, r.access.ReadI2CByteCombined(0xC0, 7, &value, 2));
    EXPECT_EQ(0x5C, value);
    BYTE block[2] = {7};
    ASSERT_EQ(S_OK, r.access.ReadI2CBlockCombined(0xC0, block, 2, 2));
    EXPECT_EQ((std::vector<BYTE>{0x5C, 0x5D}), std::vector<BYTE>(block, block + 2));
    auto records = r.driver.I2CRecords();
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(28u, records[0].size());
    EXPECT_EQ((std::vector<BYTE>{2, 0xC0, 1, 7}), std::vector<BYTE>(records[0].begin(), records[0].begin() + 4));
    EXPECT_EQ(1, records[0][11]);
    EXPECT_EQ(2, records[1][11]);
    EXPECT_EQ(E_INVALIDARG, r.access.ReadI2CBlockCombined(0xC0, block, 17, 2));

    BYTE bulk[kRaptorBulkBytes] = {1, 2, 3};
    ASSERT_EQ(S_OK, r.access.BulkWrite(bulk));
    BYTE status[kRaptorStatusBytes];
    EXPECT_EQ(S_OK, r.access.ReadStatusBlock(status));
    ASSERT_EQ(S_OK, r.access.SetControlValue(0x1234));
    DWORD word = 0;
    ASSERT_EQ(S_OK, r.access.GetControlValue(&word));
    EXPECT_EQ(0x1234u, word);
    EXPECT_EQ(S_OK, r.access.GetStatusValue(&word));
    EXPECT_EQ(E_POINTER, r.access.GetStatusValue(NULL));
}
