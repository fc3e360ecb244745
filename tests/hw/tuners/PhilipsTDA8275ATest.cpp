#include "hw/tuners/PhilipsTDA8275A.h"

#include "tests/hw/tuners/SimulatedTuner.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <memory>

using Bytes = std::vector<uint8_t>;
using virtualcard::Tda8275a;
using virtualcard::Tda8290;
using virtualcard::Transaction;

namespace {

struct HybridRig
{
    HybridRig()
        : demod(std::make_shared<Tda8290>()),
          chip(std::make_shared<Tda8275a>(demod, sim.card.GetAir()))
    {
        sim.card.AddDevice(Tda8290::kAddress, demod);
        sim.card.AddDevice(Tda8275a::kAddress, chip);
        tuner.reset(new CPhilipsTDA8275A(&sim.access));
        tuner->SetOwner(&sim.owner);
    }
    FakeClock clock;
    SimulatedCard sim;
    std::shared_ptr<Tda8290> demod;
    std::shared_ptr<Tda8275a> chip;
    std::unique_ptr<CPhilipsTDA8275A> tuner;
};

bool IsGateWrite(const Transaction& t, uint8_t value)
{
    return t.kind == Transaction::I2CWrite && t.address == 0x96 && t.bytes.size() == 2 &&
           t.bytes[0] == 0x21 && t.bytes[1] == value;
}

// Walks the record: every tuner transfer must fall between a gate opening
// and the next closing, and the gate must end closed.
void ExpectTunerOnlyBehindTheGate(const std::vector<Transaction>& record)
{
    bool open = false;
    int tunerWrites = 0;
    for (const Transaction& t : record) {
        if (IsGateWrite(t, 0xC0))
            open = true;
        else if (IsGateWrite(t, 0x80))
            open = false;
        else if ((t.address & 0xFE) == 0xC2) {
            EXPECT_TRUE(open);
            EXPECT_TRUE(t.ok);
            ++tunerWrites;
        }
    }
    EXPECT_FALSE(open);
    EXPECT_GT(tunerWrites, 0);
}

} // namespace

TEST(PhilipsTDA8275A, ConstructionBringsBothChipsUp)
{
    HybridRig rig;
    auto record = rig.sim.card.Record();
    ASSERT_GE(record.size(), 4u + 1 + 13 + 1);
    std::vector<Bytes> demodInit;
    for (int i = 0; i < 4; ++i)
        demodInit.push_back(record[i].bytes);
    EXPECT_EQ((std::vector<Bytes>{{0x00, 0x01}, {0x07, 0x00}, {0x30, 0x2F}, {0x20, 0x0B}}),
              demodInit);
    EXPECT_TRUE(IsGateWrite(record[4], 0xC0));
    const Bytes image[13] = {{0x00, 0x00}, {0x10, 0x00}, {0x20, 0x00}, {0x30, 0x1C},
                             {0x40, 0x04}, {0x50, 0xAB}, {0x60, 0x38}, {0x70, 0x0A},
                             {0x80, 0x28}, {0x90, 0xFF}, {0xA0, 0x40}, {0xB0, 0x00},
                             {0xC0, 0x39}};
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(0xC2u, record[5 + i].address);
        EXPECT_EQ(image[i], record[5 + i].bytes);
    }
    EXPECT_TRUE(IsGateWrite(record[18], 0x80));
    EXPECT_FALSE(rig.demod->GateOpen());
    EXPECT_EQ(95, rig.tuner->m_nModelId);
}

// 48250 kHz at PAL B: t = 48250000 + 6750000 = 55000000 Hz, row 1, post
// divider 16, N = 3520: R0 0x37, R1 0x00. The simulated chip decodes the
// same frequency back and the decoder locks on the carrier there.
TEST(PhilipsTDA8275A, TunesThroughTheGate)
{
    HybridRig rig;
    rig.sim.card.SetCarriers({48250});
    rig.sim.card.ClearRecord();
    ASSERT_TRUE(rig.tuner->SetStandard(STD_PAL_B));
    ASSERT_TRUE(rig.tuner->SetTVFrequency(48250));
    EXPECT_EQ(0x37, rig.chip->Reg(0x00));
    EXPECT_EQ(0x00, rig.chip->Reg(0x10));
    EXPECT_EQ(0x22, rig.chip->Reg(0x70));  // below 471.25 MHz
    EXPECT_DOUBLE_EQ(48250, rig.chip->FrequencyKHz());
    EXPECT_FALSE(rig.demod->GateOpen());
    ExpectTunerOnlyBehindTheGate(rig.sim.card.Record());
    // The demodulator ends programmed for PAL B.
    EXPECT_EQ(0x82, rig.demod->Reg(0x01));
    EXPECT_EQ(0x22, rig.demod->Reg(0x03));
    EXPECT_EQ(0x54, rig.demod->Reg(0x28));

    DWORD status = 0;
    EXPECT_TRUE(rig.tuner->GetTVStatus(&status));
    EXPECT_EQ(2u, status);
    rig.sim.card.SetCarriers({55250});
    EXPECT_TRUE(rig.tuner->GetTVStatus(&status));
    EXPECT_EQ(4u, status);
}

TEST(PhilipsTDA8275A, ChargePumpSwitchesAt471MHz)
{
    struct { float kHz; BYTE r7; } cases[] = {{100000, 0x22}, {471250, 0x22}, {600000, 0x26}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kHz);
        HybridRig rig;
        ASSERT_TRUE(rig.tuner->SetTVFrequency(c.kHz));
        EXPECT_EQ(c.r7, rig.chip->Reg(0x70));
    }
}

TEST(PhilipsTDA8275A, BandRowsByTunedPlusIf)
{
    struct { DWORD hz; DWORD limit; } cases[] = {
        {48750000, 48750000}, {48750001, 56875000}, {911000000, 911000000},
        {950000000, 911000000}, {0, 48750000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.limit, CTDA8275A::BandFor(c.hz).limitHz) << c.hz;
}

TEST(PhilipsTDA8275A, StandardBytesAndFallback)
{
    struct { DWORD standard; BYTE byte; DWORD ifHz; DWORD current; } cases[] = {
        {STD_NTSC_M, 0x01, 5750000, STD_NTSC_M},
        {STD_SECAM_B, 0x02, 6750000, STD_SECAM_B},
        {STD_SECAM_H, 0x04, 7750000, STD_SECAM_H},
        {STD_PAL_I, 0x08, 7750000, STD_PAL_I},
        {STD_SECAM_K, 0x10, 7750000, STD_SECAM_K},
        {STD_SECAM_L, 0x20, 7750000, STD_SECAM_L},
        {STD_SECAM_L1, 0x40, 1750000, STD_SECAM_L1},
        {STD_SECAM_K1, 0x02, 6750000, STD_PAL_B},  // no own byte: runs as PAL B
        {STD_PAL_60, 0x02, 6750000, STD_PAL_B},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.standard);
        HybridRig rig;
        ASSERT_TRUE(rig.tuner->SetStandard(c.standard));
        CTDA8290& demod = rig.tuner->Tuner().Demodulator();
        EXPECT_EQ(c.byte, demod.GetStandardByte());
        EXPECT_EQ(c.byte, rig.demod->Reg(0x01));
        EXPECT_EQ(c.ifHz, demod.GetIF());
        EXPECT_EQ(c.current, demod.GetStandard());
        EXPECT_EQ(c.standard == STD_NTSC_M, demod.IsNtsc() != 0);
    }
}

TEST(PhilipsTDA8275A, LockPollingAndRegisterReadsAreBounded)
{
    HybridRig rig;
    rig.demod->SetReg(0x1B, 0x80);  // never reports the PLL settled
    ASSERT_TRUE(rig.tuner->SetTVFrequency(200000));
    EXPECT_TRUE(rig.tuner->Tuner().TuningIncomplete());

    // A demodulator that does not answer: three tries per read, then 0.
    CPhilipsTDA8275A::CRegAccess access(&rig.sim.access);
    rig.sim.card.RemoveDevice(0x96);
    rig.sim.card.ClearRecord();
    BYTE value = 0x55;
    EXPECT_FALSE(access.ReadRegister(0x97, 0x1B, &value));
    EXPECT_EQ(3u, rig.sim.card.I2CRecord(0x96).size());
    EXPECT_FALSE(access.WriteRegister(0x96, 0x01, 0x02));
    EXPECT_EQ(6u, rig.sim.card.I2CRecord(0x96).size());
    CTDA8290 demod(&access);
    EXPECT_FALSE(demod.ReadRegister(0x1A, &value));
    EXPECT_EQ(0, value);
}

// A frequency with no 32-bit Hz value is refused without a transfer rather
// than tuned to whatever the conversion gives.
TEST(PhilipsTDA8275A, FrequenciesOutsideTheHzRangeAreRefused)
{
    HybridRig rig;
    rig.sim.card.ClearRecord();
    for (float kHz : {-48250.0f, 5000000.0f}) {
        EXPECT_FALSE(rig.tuner->SetTVFrequency(kHz)) << kHz;
    }
    EXPECT_TRUE(rig.sim.card.Record().empty());
}

// Deleting the tuner while its search is tuning: the search must be stopped
// before the register adapter and tuner parts are destroyed under it.
TEST(PhilipsTDA8275A, DeletedWhileItsSearchTunes)
{
    for (int round = 0; round < 5; ++round) {
        HybridRig rig;
        ASSERT_TRUE(rig.tuner->StartSearch(TRUE, FALSE));
        Sleep(10);  // real time: the search is in the middle of its tunings
        rig.tuner.reset();
        size_t transfers = rig.sim.card.Record().size();
        Sleep(10);
        EXPECT_EQ(transfers, rig.sim.card.Record().size());
    }
}
