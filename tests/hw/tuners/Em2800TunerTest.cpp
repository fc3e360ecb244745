// The Empia box's tuner over the simulated card behind the bridge: for each
// module model its tuning message, status read and standard set-up, the
// radio of the 1216 module, and the base behaviour of every other model.
#include "hw/access/Em2800Access.h"
#include "hw/tuners/Em2800Tuner.h"
#include "hw/tuners/TunerModules.h"
#include "tests/support/FakeClock.h"
#include "tests/support/SimulatedEmpiaBox.h"

#include <gtest/gtest.h>

#include <memory>

using Bytes = std::vector<uint8_t>;
using virtualcard::RegisterChip;
using virtualcard::Transaction;

namespace {

// A box with chips at the tuner addresses 0xC0 and 0xC6, the IF
// demodulator at 0x86 and the video decoder at 0x42.
struct EmpiaTunerRig
{
    EmpiaTunerRig()
    {
        box.model.AddDevice(0xC0, pllC0);
        box.model.AddDevice(0xC6, pllC6);
        box.model.AddDevice(0x86, demod);
        box.model.AddDevice(0x42, decoder);
        access.SetDeviceName("USB 2820 Video");
        EXPECT_EQ(S_OK, access.Attach(NULL, 0));
    }
    // The box's tuner carrying the description of module `model`.
    std::unique_ptr<CEm2800Tuner> Tuner(int model)
    {
        std::unique_ptr<CTVTuner> module(CreateTunerModule(model, &access));
        std::unique_ptr<CEm2800Tuner> tuner(new CEm2800Tuner(&access));
        if (module)
            tuner->CopyModuleTable(*module);
        return tuner;
    }
    // Every write message on the bus, as {address, bytes...}.
    std::vector<Bytes> Writes() const
    {
        std::vector<Bytes> out;
        for (const Transaction& t : box.model.Record()) {
            if (t.kind != Transaction::I2CWrite || !t.ok)
                continue;
            Bytes b{static_cast<uint8_t>(t.address)};
            b.insert(b.end(), t.bytes.begin(), t.bytes.end());
            out.push_back(b);
        }
        return out;
    }

    SimulatedEmpiaBox box;
    CEm2800Access access;
    std::shared_ptr<RegisterChip> pllC0 = std::make_shared<RegisterChip>();
    std::shared_ptr<RegisterChip> pllC6 = std::make_shared<RegisterChip>();
    std::shared_ptr<RegisterChip> demod = std::make_shared<RegisterChip>();
    std::shared_ptr<RegisterChip> decoder = std::make_shared<RegisterChip>();
    FakeClock clock;
};

} // namespace

// Divider trunc((f + IF) x 16 / 1000); address, IF, band limits and control
// byte of each model; the sixth byte of the 1216 modules.
TEST(Em2800Tuner, TuningMessagePerModel)
{
    struct Case
    {
        int model;
        float kHz;
        DWORD standard;
        bool tunes;
        Bytes message;
    } cases[] = {
        {92, 471250, STD_PAL_B, true, {0xC6, 0x1F, 0xE2, 0xCE, 0x04, 0xA0}},
        {92, 471250, STD_SECAM_L, true, {0xC6, 0x1F, 0xE2, 0xCE, 0x04, 0x20}},
        {92, 471250, STD_SECAM_L1, true, {0xC6, 0x1F, 0x92, 0xCE, 0x04, 0x20}},  // IF 33900
        {92, 159999, STD_PAL_B, true, {0xC6, 0x0C, 0x6E, 0xCE, 0x01, 0xA0}},
        {93, 471250, STD_SECAM_L1, true, {0xC6, 0x1F, 0xE2, 0xCE, 0x04, 0x20}},  // IF kept
        {97, 900000, STD_PAL_B, true, {0xC6, 0x38, 0x62, 0xCE, 0x04}},          // clamped to 863250
        {97, 40000, STD_PAL_B, true, {0xC6, 0x05, 0x72, 0xCE, 0x01}},           // clamped to 48250
        {72, 147250, STD_PAL_B, true, {0xC0, 0x0B, 0xA2, 0x8E, 0x02}},          // the limit is band 2's
        {72, 147249, STD_PAL_B, true, {0xC0, 0x0B, 0xA2, 0x8E, 0x01}},
        {75, 425250, STD_PAL_B, true, {0xC0, 0x1D, 0x02, 0x8E, 0x08}},
        {69, 168250, STD_PAL_B, true, {0xC6, 0x0C, 0xF2, 0xCE, 0x02}},
        {69, 168249, STD_PAL_B, true, {0xC6, 0x0C, 0xF2, 0xCE, 0x01}},
        {69, 471250, STD_PAL_B, true, {0xC6, 0x1F, 0xE2, 0xCE, 0x08}},
        {73, 361249, STD_NTSC_M, true, {0xC0, 0x19, 0x6F, 0x8E, 0x02}},         // its own IF and limits
        // The base tuner's message and range for the other models.
        {13, 100000, STD_PAL_B, true, {0xC6, 0x08, 0xAE, 0xCE, 0x01}},
        {13, 900000, STD_PAL_B, false, {}},
        {5, 471250, STD_PAL_B, true, {0xC6, 0x1F, 0xE2, 0xCE, 0x08}},
        // No divider the PLL can carry: refused, nothing sent.
        {92, 1.0e7f, STD_PAL_B, false, {}},
        {72, -50000, STD_PAL_B, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " at " << c.kHz);
        EmpiaTunerRig rig;
        auto tuner = rig.Tuner(c.model);
        tuner->m_nStandard = c.standard;
        rig.box.model.ClearRecord();
        EXPECT_EQ(c.tunes, tuner->SetTVFrequency(c.kHz) != FALSE);
        auto writes = rig.Writes();
        if (c.tunes) {
            ASSERT_EQ(1u, writes.size());
            EXPECT_EQ(c.message, writes[0]);
        } else {
            EXPECT_TRUE(writes.empty());
        }
    }
}

// 0 at once when the decoder is not tuned (for the eight models); the AFC
// code from the demodulator's status, or from the PLL's status byte.
TEST(Em2800Tuner, StatusPerModel)
{
    const DWORD kUntouched = 77;
    struct Case
    {
        int model;
        BYTE decoder;     // register 0x1F; bit 6 set: not tuned
        BYTE statusAt;    // where the status byte is read
        BYTE status;
        BOOL result;
        DWORD afc;
    } cases[] = {
        {92, 0x00, 0x86, 5 << 1, 1, 4},
        {92, 0x00, 0x86, 9 << 1, 1, 0},
        {92, 0x40, 0x86, 5 << 1, 0, kUntouched},
        {93, 0x00, 0x86, 9 << 1, 1, 2},
        {75, 0x00, 0x86, 2 << 1, 1, 2},
        {97, 0x00, 0x86, 2 << 1, 1, 3},
        {97, 0x00, 0x86, 13 << 1, 1, 1},
        {72, 0x00, 0xC0, 0x42, 1, 2},
        {72, 0x00, 0xC0, 0x02, 0, 9},
        {69, 0x00, 0xC6, 0x41, 1, 1},
        {69, 0x00, 0xC6, 0x02, 0, 9},
        {73, 0x00, 0xC0, 0x02, 0, kUntouched},
        {73, 0x00, 0xC0, 0x43, 1, 3},
        // The base read (model 13 reads its status at 0x86), decoder or not.
        {13, 0x40, 0x86, 0x43, 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " status " << int(c.status));
        EmpiaTunerRig rig;
        auto tuner = rig.Tuner(c.model);
        rig.decoder->SetReg(0x1F, c.decoder);
        std::shared_ptr<RegisterChip> chip =
            c.statusAt == 0x86 ? rig.demod : c.statusAt == 0xC0 ? rig.pllC0 : rig.pllC6;
        chip->SetStatus(c.status);
        DWORD afc = kUntouched;
        EXPECT_EQ(c.result, tuner->GetTVStatus(&afc));
        EXPECT_EQ(c.afc, afc);
    }

    // The decoder's bit 6 is the tuned test; an unreadable decoder is not tuned.
    EmpiaTunerRig rig;
    auto tuner = rig.Tuner(92);
    rig.decoder->SetReg(0x1F, 0xBF);
    EXPECT_TRUE(tuner->IsTVTuned());
    EXPECT_EQ(0, tuner->m_bTuneFlag);
    rig.decoder->SetReg(0x1F, 0x40);
    EXPECT_FALSE(tuner->IsTVTuned());
    tuner->m_byDecoderAddr = 0x4A;
    rig.decoder->SetReg(0x1F, 0x00);
    EXPECT_FALSE(tuner->IsTVTuned());
}

// Registers 0, 1, 2 of the demodulator at 0x86 by standard; byte writes,
// block writes for the LGM200T, nothing for models without a set-up.
TEST(Em2800Tuner, StandardSetUpPerModel)
{
    struct Case
    {
        int model;
        DWORD standard;
        bool block;
        Bytes regs;  // empty: nothing written
    } cases[] = {
        {93, STD_SECAM_D, false, {0x16, 0x70, 0x4B}},
        {92, STD_SECAM_K, false, {0x16, 0x70, 0x4B}},
        {92, STD_PAL_I, false, {0x16, 0x70, 0x4A}},
        {97, STD_SECAM_L1, false, {0x86, 0x50, 0x53}},
        {97, STD_SECAM_D, false, {0x16, 0x70, 0x49}},  // no column of its own
        {75, STD_PAL_D, false, {0xD6, 0x70, 0x4A}},
        {75, STD_SECAM_L1, false, {0x86, 0x70, 0x47}},
        {13, STD_SECAM_L, false, {0x46, 0x50, 0x4B}},
        {13, STD_NTSC_M, false, {0x56, 0x70, 0x09}},
        {72, STD_PAL_D, true, {0xD6, 0x70, 0x4B}},
        {72, STD_PAL_I, true, {0xD6, 0x70, 0x4A}},
        {73, STD_PAL_B, false, {}},
        {69, STD_PAL_B, false, {}},
        {5, STD_PAL_B, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " standard 0x" << std::hex << c.standard);
        EmpiaTunerRig rig;
        auto tuner = rig.Tuner(c.model);
        rig.box.model.ClearRecord();
        rig.box.bridge.ClearCalls();
        EXPECT_TRUE(tuner->SetStandard(c.standard));
        auto writes = rig.Writes();
        if (c.regs.empty()) {
            EXPECT_TRUE(writes.empty());
            continue;
        }
        ASSERT_EQ(3u, writes.size());
        for (BYTE r = 0; r < 3; r++) {
            EXPECT_EQ((Bytes{0x86, r, c.regs[r]}), writes[r]);
        }
        // Byte writes select the register as a sub-address; block writes do not.
        DWORD firstSelect = 0;
        for (const auto& call : rig.box.bridge.Calls()) {
            if (call.id == EM28XX_SELECT_I2C && call.value) {
                firstSelect = call.value;
                break;
            }
        }
        EXPECT_EQ(c.block ? 0x00860002u : 0x01860001u, firstSelect);
    }

    // The 13's set-up pauses 100 ms; a refused register write is a failure.
    EmpiaTunerRig rig;
    auto js = rig.Tuner(13);
    ASSERT_TRUE(js->SetStandard(STD_PAL_B));
    EXPECT_EQ(100u, rig.clock.TotalSlept());
    rig.box.model.RemoveDevice(0x86);
    EXPECT_FALSE(js->SetStandard(STD_PAL_B));
    EXPECT_FALSE(rig.Tuner(72)->SetStandard(STD_PAL_B));
}

// The 1216's radio: the tuner and demodulator set up for FM, then the
// station in 50 kHz steps including the 10.7 MHz IF.
TEST(Em2800Tuner, PhilipsRadio)
{
    EmpiaTunerRig rig;
    auto tuner = rig.Tuner(92);
    rig.box.model.ClearRecord();
    ASSERT_TRUE(tuner->SetFMFrequency(100000));
    std::vector<Bytes> expected = {
        {0xC6, 0x08, 0xFF, 0x8E, 0x01},
        {0xC6, 0x08, 0xFF, 0x8E, 0x19},
        {0x86, 0x00, 0x5A, 0x90, 0x20},
        {0xC6, 0x08, 0xA6, 0x88, 0x19},  // (100000 + 10700) x 20 / 1000 = 2214
    };
    EXPECT_EQ(expected, rig.Writes());
    EXPECT_EQ(10u, rig.clock.TotalSlept());

    // A refused set-up message ends it; other models tune FM as the base.
    rig.box.model.RemoveDevice(0x86);
    rig.box.model.ClearRecord();
    EXPECT_FALSE(tuner->SetFMFrequency(100000));
    EXPECT_EQ(2u, rig.Writes().size());
    auto other = rig.Tuner(69);
    rig.box.model.ClearRecord();
    ASSERT_TRUE(other->SetFMFrequency(100000));
    auto writes = rig.Writes();
    ASSERT_EQ(1u, writes.size());
    EXPECT_EQ(0x8A, writes[0][3]);  // the module's FM control byte
}

// The description taken over from the module, with the box's own fields.
TEST(Em2800Tuner, TakesTheModuleDescription)
{
    EmpiaTunerRig rig;
    CEm2800Tuner plain(&rig.access);
    EXPECT_EQ(4, plain.m_nModelId);
    EXPECT_EQ(0xC6, plain.m_byAddr);
    EXPECT_EQ(0xC7, plain.m_byStatusAddr);
    EXPECT_EQ(0x42, plain.m_byDecoderAddr);
    EXPECT_EQ(38900, plain.m_nIF);

    std::unique_ptr<CTVTuner> module(CreateTunerModule(92, &rig.access));
    CEm2800Tuner tuner(&rig.access);
    size_t statuses = tuner.m_fmStatuses.size();
    tuner.CopyModuleTable(*module);
    EXPECT_EQ(92, tuner.m_nModelId);
    EXPECT_EQ('P', tuner.m_nMaker);
    EXPECT_EQ(160000, tuner.m_nBand1Top);
    EXPECT_EQ(0x88, tuner.m_byFMControl);
    EXPECT_EQ(1, tuner.m_bHasFM);
    EXPECT_EQ(statuses + module->m_fmStatuses.size(), tuner.m_fmStatuses.size());
    EXPECT_EQ(module->m_standards.size(), tuner.m_standards.size());
    EXPECT_EQ(0xC6, tuner.m_byAddr);  // addresses stay the box's
    EXPECT_EQ(0xC7, tuner.m_byStatusAddr);

    std::unique_ptr<CTVTuner> js(CreateTunerModule(13, &rig.access));
    CEm2800Tuner other(&rig.access);
    other.CopyModuleTable(*js);
    EXPECT_EQ(0x86, other.m_byStatusAddr);
}
