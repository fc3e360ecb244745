#include "platform/virtualcard/model/CardModel.h"

#include <gtest/gtest.h>
#include <memory>

using namespace virtualcard;
using Bytes = std::vector<uint8_t>;

TEST(CardModel, AbsentAddressesAreNakedAndRecorded)
{
    CardModel card;
    uint8_t byte = 0x5A;
    EXPECT_FALSE(card.I2CWrite(0x42, &byte, 1));
    EXPECT_FALSE(card.I2CRead(0x43, &byte, 1));
    EXPECT_EQ(0x5A, byte);
    EXPECT_TRUE(card.I2CRead(0xA1, &byte, 1));
    auto record = card.Record();
    ASSERT_EQ(3u, record.size());
    EXPECT_EQ(Transaction::I2CWrite, record[0].kind);
    EXPECT_EQ(0x42u, record[0].address);
    EXPECT_FALSE(record[0].ok);
    EXPECT_EQ(0x43u, record[1].address);
    EXPECT_FALSE(record[1].ok);
    EXPECT_TRUE(record[2].ok);
}

TEST(CardModel, RecordStaysBoundedAndKeepsTheNewest)
{
    CardModel card;
    const size_t total = kMaxRecordedTransactions * 2 + 10;
    for (size_t i = 0; i < total; ++i)
        card.SetControl(static_cast<uint32_t>(i), 0);
    auto record = card.Record();
    EXPECT_LE(record.size(), kMaxRecordedTransactions);
    ASSERT_FALSE(record.empty());
    EXPECT_EQ(total - 1, record.back().address);
    EXPECT_EQ(record.size() - 1, record.back().address - record.front().address);
}

TEST(CardModel, EepromHoldsTheCardFacts)
{
    CardModel card;
    card.SetEepromFacts('T', 4, 0x12, 1);
    struct { uint8_t sub; uint8_t value; } facts[] = {{0x20, 'T'}, {0x21, 4}, {7, 0x12}, {160, 1}};
    for (const auto& f : facts) {
        uint8_t v = 0;
        ASSERT_TRUE(card.I2CReadByte(0xA0, f.sub, &v));
        EXPECT_EQ(f.value, v) << int(f.sub);
    }
    // Sequential read continues from the word address and wraps at 256.
    uint8_t write[3] = {0xFF, 0x11, 0x22};
    ASSERT_TRUE(card.I2CWrite(0xA0, write, 3));
    uint8_t pointer = 0xFF;
    ASSERT_TRUE(card.I2CWrite(0xA0, &pointer, 1));
    uint8_t read[2] = {};
    ASSERT_TRUE(card.I2CRead(0xA1, read, 2));
    EXPECT_EQ((Bytes{0x11, 0x22}), Bytes(read, read + 2));
}

// The status byte carries the lock flag and the AFC code of the tuned
// frequency's offset from the nearest carrier.
TEST(CardModel, PllStatusByOffsetFromTheCarrier)
{
    struct { double offsetKHz; uint8_t status; } cases[] = {
        {0, 0x42}, {31.25, 0x42}, {-62.5, 0x43}, {62.5, 0x41}, {-125, 0x44}, {125, 0x40},
        {-2000, 0x44}, {2000, 0x44},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offsetKHz);
        CardModel card;
        // Divider 2222 (0x08AE) decodes to 2222 x 62.5 - 38900 = 99975 kHz.
        card.SetCarriers({99975 - c.offsetKHz, 300000});
        uint8_t tune[4] = {0x08, 0xAE, 0xCE, 0x02};
        ASSERT_TRUE(card.I2CWrite(0xC0, tune, 4));
        EXPECT_DOUBLE_EQ(99975, card.Tuner()->FrequencyKHz());
        uint8_t status = 0;
        ASSERT_TRUE(card.I2CRead(0xC1, &status, 1));
        EXPECT_EQ(c.status, status);
        EXPECT_EQ(std::abs(c.offsetKHz) <= 75, card.SignalLocked());
    }
}

TEST(CardModel, ControlOnlyMessageKeepsTheDivider)
{
    PllConfig config;
    config.fmControl = 0x88;
    config.fmStepKHz = 50;
    CardModel card(config);
    uint8_t tune[4] = {0x08, 0xAE, 0xCE, 0x02};
    ASSERT_TRUE(card.I2CWrite(0xC0, tune, 4));
    uint8_t control[2] = {0x88, 0x19};
    ASSERT_TRUE(card.I2CWrite(0xC0, control, 2));
    EXPECT_EQ(0x08AE, card.Tuner()->Divider());
    EXPECT_TRUE(card.Tuner()->IsFM());
    EXPECT_DOUBLE_EQ(0x08AE * 50.0 - 10700, card.Tuner()->FrequencyKHz());
}

namespace {
class GatedChip : public I2CDevice
{
public:
    bool open = false;
    bool Present() const override { return open; }
    bool Write(const uint8_t*, size_t) override { return true; }
    bool Read(uint8_t* data, size_t length) override
    {
        for (size_t i = 0; i < length; ++i)
            data[i] = 0x77;
        return true;
    }
};
} // namespace

TEST(CardModel, GatedDeviceAnswersOnlyWhileOpen)
{
    CardModel card;
    auto chip = std::make_shared<GatedChip>();
    card.AddDevice(0xC2, chip);
    uint8_t v = 0;
    EXPECT_FALSE(card.I2CRead(0xC3, &v, 1));
    chip->open = true;
    EXPECT_TRUE(card.I2CRead(0xC3, &v, 1));
    EXPECT_EQ(0x77, v);
    card.RemoveDevice(0xC2);
    EXPECT_FALSE(card.I2CRead(0xC3, &v, 1));
}

TEST(CardModel, ByteLevelMasterFormsMessages)
{
    CardModel card;
    card.SetEepromByte(5, 0x99);
    card.I2CStart();
    EXPECT_TRUE(card.I2CWriteRawByte(0xA0));
    EXPECT_TRUE(card.I2CWriteRawByte(0x05));
    card.I2CStart();
    EXPECT_TRUE(card.I2CWriteRawByte(0xA1));
    uint8_t v = 0;
    EXPECT_TRUE(card.I2CReadRawByte(&v));
    card.I2CStop();
    EXPECT_EQ(0x99, v);
    EXPECT_FALSE(card.I2CWriteRawByte(0xA0));  // no start
    card.I2CStart();
    EXPECT_FALSE(card.I2CWriteRawByte(0x42));  // nobody there
    EXPECT_FALSE(card.I2CWriteRawByte(0x00));
    card.I2CStop();
    auto record = card.I2CRecord(0xA0);
    ASSERT_EQ(2u, record.size());
    EXPECT_EQ((Bytes{0x05}), record[0].bytes);
    EXPECT_EQ((Bytes{0x99}), record[1].bytes);
}

TEST(CardModel, GpioOutputsInputsAndResetLine)
{
    CardModel card;
    card.SetGpioInputs(0x00FF);
    card.WriteGpio(0x40001, 0x40001);  // pin 0 and the reset pin as outputs
    EXPECT_EQ(0x400FEu | 1u, card.ReadGpio());
    EXPECT_TRUE(card.TunerResetLevel());
    EXPECT_EQ(1, card.TunerResetPulses());
    card.WriteGpio(0, 0x40000);
    EXPECT_FALSE(card.TunerResetLevel());
    card.WriteGpio(0x40000, 0x40000);
    EXPECT_EQ(2, card.TunerResetPulses());
    uint32_t seconds = 0;
    card.SetTickSource([&] { return seconds; });
    card.PressRemoteKey(CardModel::GpioRemotePins(0x0C), CardModel::kGpioRemoteMask, 10);
    EXPECT_EQ(0x180000u | 0xF3u, card.ReadGpio() & CardModel::kGpioRemoteMask);
    seconds = 10;
    EXPECT_EQ(0x400FFu, card.ReadGpio() & CardModel::kGpioRemoteMask);  // reset pin still high
}

// The CX2388x port: each request drives only the pins of its mask, and a
// line reads low when the card or a chip on it pulls it low.
TEST(CardModel, Cx2388xPortDrivesEachRequestsPinsOpenDrain)
{
    struct PullLow : virtualcard::GpioDevice
    {
        uint32_t lines = 0;
        void OnPinsWritten(uint32_t, uint32_t, uint32_t) override {}
        uint32_t DrivenPins(uint32_t, uint32_t* levels) const override
        {
            *levels = 0;
            return lines;
        }
    };
    CardModel card;
    card.SetGpioPort(CardModel::Cx2388x);
    EXPECT_EQ(0xFFFFFFFFu, card.ReadGpio());  // pulled up
    card.WriteGpio(0x3E7400, 0xFF7600);
    EXPECT_EQ(0xFF7600u, card.GpioOutputEnable());
    EXPECT_EQ(0x3E7400u, card.ReadGpio() & 0xFF7600);
    // The next request releases the byte lines.
    card.WriteGpio(0xF600, 0xF600);
    EXPECT_EQ(0xF600u, card.GpioOutputEnable());
    EXPECT_EQ(0xFFF600u, card.ReadGpio() & 0xFFF600);
    // A chip pulls a line the card drives high.
    auto chip = std::make_shared<PullLow>();
    chip->lines = 0x200 | 0x10000;
    card.AttachGpioDevice(chip);
    EXPECT_EQ(0xFEF400u, card.ReadGpio() & 0xFFF600);
    // Back to the SAA713x port: outputs win, the inputs start low.
    card.AttachGpioDevice(nullptr);
    card.SetGpioPort(CardModel::Saa713x);
    EXPECT_EQ(0xF600u, card.ReadGpio() & 0xFFF600);
}

TEST(CardModel, HybridTunerOnlyBehindTheGate)
{
    CardModel card;
    card.SetCarriers({48250});
    auto tuner = card.FitHybridTuner();
    uint8_t v = 0;
    EXPECT_FALSE(card.I2CReadByte(0xC2, 0x00, &v));  // gate closed; the PLL is gone
    EXPECT_TRUE(card.I2CWriteByte(0x96, 0x21, 0xC0));
    EXPECT_TRUE(card.I2CWriteByte(0x96, 0x01, 0x02));  // PAL B: IF 6.75 MHz
    // N = 3520 in R0/R1, post divider 16 in R4, latched by R8 bit 3.
    EXPECT_TRUE(card.I2CWriteByte(0xC2, 0x00, 0x37));
    EXPECT_TRUE(card.I2CWriteByte(0xC2, 0x10, 0x00));
    EXPECT_TRUE(card.I2CWriteByte(0xC2, 0x40, 0x80));
    EXPECT_TRUE(card.I2CWriteByte(0xC2, 0x80, 0x08));
    EXPECT_TRUE(card.I2CWriteByte(0x96, 0x21, 0x80));
    EXPECT_DOUBLE_EQ(48250, tuner->FrequencyKHz());
    EXPECT_TRUE(card.SignalLocked());
    EXPECT_FALSE(card.I2CWriteByte(0xC2, 0x00, 0x37));
    auto demod = card.FitIfDemodulator();
    demod->SetStatus(0x1E);
    uint8_t status[1] = {};
    EXPECT_TRUE(card.I2CRead(0x87, status, 1));
    EXPECT_EQ(0x1E, status[0]);
}
