// The USB encoder boxes' chip access (CMpeg2BoxDataAccess,
// CEstrelBoxDataAcces) and the chips behind the MPEG-2 box's tunnelled I2C
// (CMpeg2BoxAccess), against a fake of the box driver that decodes the
// transfers onto the simulated card: the transfers on the wire as tables,
// the bounds of a block transfer, the Estrel box's chunks, and the tuner's
// channel plans.
#include "hw/access/EstrelBoxAccess.h"
#include "hw/access/EstrelBoxDataAcces.h"
#include "hw/access/Mpeg2BoxAccess.h"
#include "hw/access/Mpeg2BoxDataAccess.h"

#include "tests/support/FakeClock.h"
#include "tests/support/FakeEncoderBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using virtualcard::CardModel;
using virtualcard::RegisterChip;
using Transfers = std::vector<std::string>;

namespace {

// The simulated box: its decoder (0x21) and a chip at 0x51 beside the card's
// EEPROM and PLL tuner, the driver fake in front, time on the fake clock.
struct Box
{
    CardModel card;
    FakeEncoderBox driver{&card};
    std::shared_ptr<RegisterChip> decoder = std::make_shared<RegisterChip>();
    std::shared_ptr<RegisterChip> chip51 = std::make_shared<RegisterChip>();
    FakeClock clock;

    Box()
    {
        card.AddDevice(0x42, decoder);
        card.AddDevice(0xA2, chip51);
        card.AddDevice(0xC2, std::make_shared<RegisterChip>());  // the tuner some modules have at 0x61
        card.SetCarriers({55250});
    }
    IUnknown* Filter() { return &driver; }
};

template <class Access>
struct AttachedBox : Box
{
    Access access;
    AttachedBox() { EXPECT_EQ(S_OK, access.Attach(&driver, 0)); }
};

} // namespace

TEST(Mpeg2BoxDataAccess, TransfersOnTheWire)
{
    AttachedBox<CMpeg2BoxDataAccess> box;
    box.decoder->SetReg(0x1F, 0x5A);
    box.chip51->SetReg(0x21, 0x6B);
    BYTE value = 0;
    ASSERT_EQ(S_OK, box.access.ReadI2CByte(0x40, 0x1F, &value));  // the decoder in its mode
    EXPECT_EQ(0x5A, value);
    ASSERT_EQ(S_OK, box.access.ReadI2CByte(0xA3, 0x21, &value));  // any other device
    EXPECT_EQ(0x6B, value);
    ASSERT_EQ(S_OK, box.access.WriteI2CByte(0xA2, 0x22, 0x7C));
    EXPECT_EQ(0x7C, box.chip51->Reg(0x22));
    BYTE probe[1] = {0xC1};
    ASSERT_EQ(S_OK, box.access.ReadI2CBlock(probe, 1));
    // The tuner word: divider 0x05E2 (55250 kHz + 38.9 MHz), band word 0xCE01.
    BYTE word[5] = {0xC0, 0x05, 0xE2, 0xCE, 0x01};
    ASSERT_EQ(S_OK, box.access.WriteI2CBlock(word, 5));
    Transfers wire = box.driver.I2CTransfers();
    ASSERT_EQ(5u, wire.size());
    EXPECT_EQ((Transfers{"G 21 01 1F 5A", "G 51 03 21 6B", "S 51 02 22 7C"}), Transfers(wire.begin(), wire.begin() + 3));
    EXPECT_EQ("G 60 21 0 ", wire[3].substr(0, 10));  // the tuner's status, no sub-address
    EXPECT_EQ("S 60 0A 5E2 CE01", wire[4]);
    EXPECT_NEAR(55225.0, box.card.GetAir()->TunedKHz(), 1.0);
    EXPECT_TRUE(box.card.SignalLocked());
}

TEST(Mpeg2BoxDataAccess, RefusesWhatItCannotCarry)
{
    AttachedBox<CMpeg2BoxDataAccess> box;
    BYTE word[5] = {0xC0, 1, 2, 3, 4};
    BYTE value = 0;
    // A tuner word needs its five bytes; nothing past the length is read.
    EXPECT_EQ(E_INVALIDARG, box.access.WriteI2CBlock(word, 4));
    EXPECT_EQ(E_INVALIDARG, box.access.ReadI2CBlock(word, 0));
    EXPECT_EQ(E_INVALIDARG, box.access.ReadI2CByte(0xC0, -1, &value));
    EXPECT_EQ(E_POINTER, box.access.WriteI2CBlock(NULL, 5));
    EXPECT_EQ(E_POINTER, box.access.ReadI2CByte(0xC0, 0, NULL));
    EXPECT_TRUE(box.driver.Calls().empty());
    EXPECT_EQ(E_NOTIMPL, box.access.SetProperty3(1));
    DWORD pins = 0;
    EXPECT_EQ(E_NOTIMPL, box.access.ReadGPIO(&pins));
    EXPECT_EQ(E_NOTIMPL, box.access.WriteGPIO(0, 0));
    EXPECT_EQ(S_OK, box.access.SetProperty1(1));

    // A device that does not answer, and a box that refuses the transfer.
    EXPECT_EQ(E_FAIL, box.access.ReadI2CByte(0x10, 0, &value));
    box.driver.FailProperty(ENCBOX_I2C, E_ACCESSDENIED);
    EXPECT_EQ(E_FAIL, box.access.WriteI2CByte(0xA2, 0, 0));

    // Before Attach every transfer fails, and SetProperty1(on) too.
    CMpeg2BoxDataAccess loose;
    EXPECT_EQ(E_FAIL, loose.ReadI2CByte(0xC0, 0, &value));
    EXPECT_EQ(E_FAIL, loose.WriteI2CBlock(word, 5));
    EXPECT_EQ(E_FAIL, loose.SetProperty1(1));
    EXPECT_EQ(S_OK, loose.SetProperty1(0));
    EXPECT_EQ(E_INVALIDARG, loose.Attach(NULL, 0));
}

// A block write: the register byte, then chunks of up to seven data bytes
// that each repeat it, in the transfer mode of the chunk's length.
TEST(EstrelBoxDataAcces, BlockWritesGoInChunks)
{
    struct
    {
        std::vector<BYTE> buffer;
        Transfers wire;
    } cases[] = {
        {{0xC2, 0x10}, {"S 61 21 0 10"}},
        {{0xC2, 0x10, 1}, {"S 61 29 0 1001"}},
        {{0xC2, 0x10, 1, 2, 3}, {"S 61 39 0 10010203"}},
        {{0xC2, 0x10, 1, 2, 3, 4}, {"S 61 07 10010203 4"}},
        {{0xC2, 0x10, 1, 2, 3, 4, 5, 6, 7}, {"S 61 1F 10010203 4050607"}},
        {{0xC2, 0x10, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9},
         {"S 61 1F 10D1D2D3 D4D5D6D7", "S 61 31 0 10D8D9"}},
        {{0xC2, 0x10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
         {"S 61 1F 10010203 4050607", "S 61 1F 1008090A B0C0D0E"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.buffer.size());
        AttachedBox<CEstrelBoxDataAcces> box;
        std::vector<BYTE> buffer = c.buffer;
        ASSERT_EQ(S_OK, box.access.WriteI2CBlock(buffer.data(), static_cast<LONG>(buffer.size())));
        EXPECT_EQ(c.wire, box.driver.I2CTransfers());
    }
}

TEST(EstrelBoxDataAcces, FailuresAndReads)
{
    // The first chunk that fails ends the write, with its failure.
    {
        AttachedBox<CEstrelBoxDataAcces> box;
        box.driver.FailProperty(ENCBOX_I2C, E_FAIL, 0, 1);
        BYTE buffer[18] = {0xC2, 0x10};
        EXPECT_EQ(E_FAIL, box.access.WriteI2CBlock(buffer, 18));
        EXPECT_EQ(1u, box.driver.I2CTransfers().size());
        BYTE none[1] = {0xC2};
        EXPECT_EQ(E_INVALIDARG, box.access.WriteI2CBlock(none, 1));
        EXPECT_EQ(1u, box.driver.Calls().size());
    }
    // A read answers in its status word: the byte into buffer[1], keeping
    // the device in buffer[0]; a read of one byte puts it in buffer[0].
    {
        AttachedBox<CEstrelBoxDataAcces> box;
        auto chip = std::make_shared<RegisterChip>();
        chip->SetStatus(0x9C);
        box.card.AddDevice(0xC2, chip);
        BYTE two[2] = {0xC3, 0};
        ASSERT_EQ(S_OK, box.access.ReadI2CBlock(two, 2));
        EXPECT_EQ(0xC3, two[0]);
        EXPECT_EQ(0x9C, two[1]);
        BYTE one[1] = {0xC3};
        ASSERT_EQ(S_OK, box.access.ReadI2CBlock(one, 1));
        EXPECT_EQ(0x9C, one[0]);
        EXPECT_EQ((Transfers{"G 61 38 0 9C0000", "G 61 38 0 9C0000"}), box.driver.I2CTransfers());
    }
    // The tuner reset is a property of its own, one byte.
    {
        AttachedBox<CEstrelBoxDataAcces> box;
        ASSERT_EQ(S_OK, box.access.SetTunerReset(0));
        EXPECT_EQ(std::vector<BYTE>{0}, box.driver.Value(ENCBOX_TUNER_RESET));
        ASSERT_EQ(S_OK, box.access.SetTunerReset(5));
        EXPECT_EQ(std::vector<BYTE>{1}, box.driver.Value(ENCBOX_TUNER_RESET));
        box.driver.SetSupport(ENCBOX_TUNER_RESET, KSPROPERTY_SUPPORT_GET);
        EXPECT_EQ(E_FAIL, box.access.SetTunerReset(1));
        EXPECT_EQ(E_NOTIMPL, box.access.SetProperty3(0));
    }
}

// --- the MPEG-2 box's chips ---------------------------------------------------------

TEST(Mpeg2BoxChips, TunerFrequency)
{
    Box box;
    ASSERT_TRUE(CMpeg2BoxAccess::SetTunerFrequency(box.Filter(), 55250));
    Transfers wire = box.driver.I2CTransfers();
    ASSERT_LE(2u, wire.size());
    EXPECT_EQ("S 60 0A 5E2 CE01", wire[0]);
    // Then the tuner's status until it locks (the simulated PLL at once).
    EXPECT_EQ("G 60 01 8E", wire[1].substr(0, 10));
    EXPECT_EQ(2u, wire.size());
    EXPECT_TRUE(box.card.SignalLocked());

    const struct
    {
        DWORD kHz;
        const char* transfer;
    } bands[] = {{169999, "S 60 0A D0E CE01"}, {170000, "S 60 0A D0E CE02"}, {450000, "S 60 0A 1E8E CE08"}};
    for (const auto& band : bands) {
        box.driver.ClearCalls();
        CMpeg2BoxAccess::SetTunerFrequency(box.Filter(), band.kHz);
        EXPECT_EQ(band.transfer, box.driver.I2CTransfers().at(0));
    }
    // A frequency whose divider the PLL cannot hold is refused.
    box.driver.ClearCalls();
    EXPECT_FALSE(CMpeg2BoxAccess::SetTunerFrequency(box.Filter(), 0xFFFFFFFF));
    EXPECT_TRUE(box.driver.Calls().empty());
}

TEST(Mpeg2BoxChips, TunerChannelPlans)
{
    struct
    {
        int kind, channel;
        BOOL air;
        const char* transfer;  // NULL: refused, nothing sent
    } cases[] = {
        {2, 1, FALSE, "S 60 0A 770 8EA0"},      // cable 1: 1904
        {0, 2, TRUE, "S 61 0A 650 8E02"},       // 55.25 MHz: 1616, low
        {0, 13, TRUE, "S 61 0A 1010 8E04"},     // 211.25 MHz: 4112, mid
        {0, 14, TRUE, "S 61 0A 2050 8E01"},     // 471.25 MHz: 8272, high
        {4, 69, TRUE, "S 60 0A 34F0 8E08"},     // 801.25 MHz: 13552
        {1, 95, FALSE, "S 61 0A 890 8EA0"},     // cable 95: 2192, low
        {1, 125, FALSE, "S 61 0A 34D0 8E30"},   // cable 125: 13520
        {5, 23, FALSE, "S 60 12 1070 CE02A0"},  // cable 23: 4208 with its auxiliary byte
        {3, 1, TRUE, "S 61 0A 8E01 890"},       // the 62-channel plan: band word first
        {3, 4, TRUE, "S 61 0A 8E02 D90"},       // 3472
        {3, 7, TRUE, "S 61 0A 8E02 EB0"},       // 3760
        {3, 8, TRUE, "S 61 0A 8E02 EF0"},       // 3824: 4 MHz after channel 7
        {3, 12, TRUE, "S 61 0A 8E02 1070"},     // 4208
        {3, 62, TRUE, "S 61 0A 8E08 32B0"},     // 12976
        {3, 13, FALSE, "S 61 0A 8E01 2050"},    // cable 13-21 low
        {3, 22, FALSE, "S 61 0A 8E02 23B0"},    // cable 22-62 mid
        {0, 1, TRUE, NULL},  {0, 70, TRUE, NULL}, {0, 126, FALSE, NULL}, {3, 63, TRUE, NULL},
        {6, 5, TRUE, NULL},  {-1, 5, TRUE, NULL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.channel) + (c.air ? " air" : " cable"));
        Box box;
        EXPECT_EQ(c.transfer != NULL, CMpeg2BoxAccess::SetTunerChannel(box.Filter(), c.kind, c.channel, c.air) != FALSE);
        Transfers wire = box.driver.I2CTransfers();
        if (!c.transfer) {
            EXPECT_TRUE(wire.empty());
            continue;
        }
        ASSERT_FALSE(wire.empty());
        EXPECT_EQ(c.transfer, wire[0]);
    }
}

TEST(Mpeg2BoxChips, DecoderAndDemodulator)
{
    Box box;
    box.decoder->SetReg(2, 0xA5);
    ASSERT_TRUE(CMpeg2BoxAccess::SetDecoderInput(box.Filter(), 1, 2));
    EXPECT_EQ(0xA3, box.decoder->Reg(2));
    EXPECT_EQ((Transfers{"G 21 01 2 A5", "S 21 00 2 A3"}), box.driver.I2CTransfers());
    EXPECT_FALSE(CMpeg2BoxAccess::SetDecoderInput(box.Filter(), 1, 3));  // kinds 1 and 2 only
    EXPECT_FALSE(CMpeg2BoxAccess::SetDecoderInput(box.Filter(), 3, 1));

    // Picture controls: the brightness offset by variant, contrast about 127.
    struct
    {
        DWORD reg;
        LONG value;
        int variant;
        BYTE written;
    } controls[] = {
        {9, 10, 0, 199}, {9, 10, 1, 87}, {9, 10, 2, 87}, {9, 10, 3, 10}, {13, 200, 0, 73}, {10, 44, 0, 44},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.reg * 100 + c.variant);
        ASSERT_TRUE(CMpeg2BoxAccess::SetPictureControl(box.Filter(), c.reg, c.value, c.variant));
        EXPECT_EQ(c.written, box.decoder->Reg(static_cast<uint8_t>(c.reg)));
        LONG back = 0;
        ASSERT_TRUE(CMpeg2BoxAccess::GetPictureControl(box.Filter(), c.reg, &back, c.variant));
        if (c.reg == 9) {
            EXPECT_EQ(c.value, back);
        }
    }

    // The demodulator is written for standard 5 only.
    auto demodulator = std::make_shared<RegisterChip>();
    box.card.AddDevice(0x86, demodulator);
    box.driver.ClearCalls();
    EXPECT_TRUE(CMpeg2BoxAccess::SetDemodulator(box.Filter(), 0, 4, 0));
    EXPECT_TRUE(box.driver.I2CTransfers().empty());
    EXPECT_TRUE(CMpeg2BoxAccess::SetDemodulatorA(box.Filter(), 5));
    EXPECT_TRUE(CMpeg2BoxAccess::SetDemodulatorB(box.Filter(), 5));
    EXPECT_EQ((Transfers{"S 43 08 0 1610", "S 43 08 0 3610"}), box.driver.I2CTransfers());
    EXPECT_EQ(0x36, demodulator->Reg(0));
    EXPECT_EQ(0x10, demodulator->Reg(1));

    // Device 0x51 and the audio paths.
    ASSERT_TRUE(CMpeg2BoxAccess::WriteDevice51Register(box.Filter(), 4, 0x3C));
    DWORD value = 0;
    ASSERT_TRUE(CMpeg2BoxAccess::ReadDevice51Register(box.Filter(), 4, &value));
    EXPECT_EQ(0x3Cu, value);
    box.driver.ClearCalls();
    ASSERT_TRUE(CMpeg2BoxAccess::SetAudioPaths(box.Filter()));
    EXPECT_EQ((std::vector<DWORD>{22, 22, 24, 24}), box.driver.Ids(false));
    EXPECT_EQ((std::vector<BYTE>{13, 0, 0, 0, 0}), box.driver.Calls()[3].data);
}

// The decoder's status register 31: bit 6 busy, bit 5 no signal; polls of
// 50 tries 10 ms apart.
TEST(Mpeg2BoxChips, DecoderStatusPolls)
{
    Box box;
    box.decoder->SetStatus(0x40);
    EXPECT_FALSE(CMpeg2BoxAccess::WaitDecoderReady(box.Filter()));
    EXPECT_EQ(std::vector<DWORD>(50, 10), box.clock.Sleeps());
    box.decoder->SetStatus(0x02);
    EXPECT_TRUE(CMpeg2BoxAccess::WaitDecoderReady(box.Filter()));
    EXPECT_TRUE(CMpeg2BoxAccess::IsDecoderStatusBit1(box.Filter(), 1));
    EXPECT_FALSE(CMpeg2BoxAccess::IsDecoderStatusBit1(box.Filter(), 2));
    DWORD signal = 7;
    ASSERT_TRUE(CMpeg2BoxAccess::GetDecoderSignal(box.Filter(), &signal));
    EXPECT_EQ(1u, signal);
    box.decoder->SetStatus(0x20);
    ASSERT_TRUE(CMpeg2BoxAccess::GetDecoderSignal(box.Filter(), &signal));
    EXPECT_EQ(0u, signal);
    DWORD status = 0;
    ASSERT_TRUE(CMpeg2BoxAccess::ReadDecoderStatus(box.Filter(), &status));
    EXPECT_EQ(0x20u, status);

    // A decoder that never answers: 50 tries, then no signal reported.
    box.card.RemoveDevice(0x42);
    const size_t before = box.clock.Sleeps().size();
    EXPECT_FALSE(CMpeg2BoxAccess::GetDecoderSignal(box.Filter(), &signal));
    EXPECT_EQ(before + 50, box.clock.Sleeps().size());
    EXPECT_TRUE(CMpeg2BoxAccess::ProbeTuner(box.Filter()));
    box.card.RemoveDevice(0xC0);
    EXPECT_FALSE(CMpeg2BoxAccess::ProbeTuner(box.Filter()));
}
