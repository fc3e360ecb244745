// The Delvin and Delvor cards over the simulated card: opened by name, their
// tuner facts, audio switch, remote reader and the power-on timer on the
// base controller wiring.
#include "cards/families/DelvinCardFilter.h"
#include "hw/access/DelvorAccess.h"
#include "tests/cards/families/FamilyCards.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>

#include <typeinfo>

using virtualcard::CardModel;

namespace {

class DelvinCards : public ::testing::Test
{
protected:
    void SetUp() override { RegisterDelvinFilters(); }
    void TearDown() override { UnregisterDelvinFilters(); }
    FakeClock m_clock;
};

const char* const kCards[] = {"Delvin Video Capture", "Delvor Video Capture"};

} // namespace

TEST_F(DelvinCards, EachNameOpensItsClass)
{
    struct
    {
        const char* name;
        const std::type_info& cardClass;
        const std::type_info& accessClass;
        const char* crossbar;
        const std::type_info& crossbarClass;
    } rows[] = {
        {"Delvin Video Capture", typeid(CDelvinCardFilter), typeid(CTV_IOAccess), "Delvin Crossbar",
         typeid(CDelvinCrossBarFilter)},
        {"Delvor Video Capture", typeid(CDelvorCardFilter), typeid(CDelvorAccess), "Delvor Crossbar",
         typeid(CDelvorCrossBarFilter)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedCommonSetCard sim;
        // The tuner facts stand at 0xA0/0xA1 on these cards, not at 0x20/0x21.
        sim.model.SetEepromByte(0x20, 'A');
        sim.model.SetEepromByte(0x21, 60);
        sim.model.SetEepromByte(0xA0, 'P');
        sim.model.SetEepromByte(0xA1, 92);
        auto card = MakeCardByName(row.name, &sim.capture);
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(row.cardClass, typeid(*card));
        EXPECT_TRUE(card->IsValid());
        ASSERT_NE(nullptr, card->GetAccess());
        EXPECT_EQ(row.accessClass, typeid(*card->GetAccess()));
        EXPECT_EQ(2, card->GetCardType());
        EXPECT_EQ('P', card->GetTunerBrand());
        EXPECT_EQ(92, card->GetTunerType());
        EXPECT_NE(nullptr, card->GetTuner());
        ExpectBaseCrossbar(row.crossbar, row.crossbarClass);
        // Closed in its own destructor, while a search and polling run.
        EXPECT_STREQ(row.cardClass.name(), ClassThatClosed(std::move(card)).c_str());
    }
}

// One external audio input: inputs 0-2 all select bit 12; muting drives
// bits 12-14 high.
TEST_F(DelvinCards, AudioSwitch)
{
    struct
    {
        int input;
        BOOL on;
        DWORD written;  // bits 12-14, with 0x5000 read
    } cases[] = {
        {0, TRUE, 0x1000}, {1, TRUE, 0x1000}, {2, TRUE, 0x1000},
        {5, TRUE, 0x0000}, {1, FALSE, 0x7000},
    };
    for (const char* name : kCards) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(name) + " input " + std::to_string(c.input));
            SimulatedCommonSetCard sim;
            sim.model.AttachGpioDevice(nullptr);
            auto card = MakeCardByName(name, &sim.capture);
            ASSERT_NE(nullptr, card);
            sim.model.SetGpioInputs(0x5000);
            sim.model.ClearRecord();
            ASSERT_EQ(S_OK, card->SelectAudioInput(c.input, c.on));
            std::vector<DWORD> words = sim.PinWords();
            ASSERT_EQ(1u, words.size());
            EXPECT_EQ(c.written, words[0] & 0x7000);
            // The pins driven for the write (the mode word before it).
            DWORD mode = 0;
            for (const auto& t : sim.model.Record()) {
                if (t.kind == virtualcard::Transaction::RegisterWrite && t.address == CardModel::kGpioMode &&
                    !(t.value & 0x80000000) && t.value != 0x3000) {
                    mode = t.value;
                    break;
                }
            }
            EXPECT_EQ(0x7000u, mode);
        }
        // A failed read writes nothing and fails.
        SimulatedCommonSetCard sim;
        auto card = MakeCardByName(name, &sim.capture);
        ASSERT_NE(nullptr, card);
        sim.model.ClearRecord();
        sim.set.FailProperty(5, E_ACCESSDENIED);
        EXPECT_EQ(E_ACCESSDENIED, card->SelectAudioInput(1, TRUE));
        EXPECT_TRUE(sim.PinWords().empty());
    }
}

TEST_F(DelvinCards, RemoteKeyWithoutPause)
{
    for (const char* name : kCards) {
        SCOPED_TRACE(name);
        SimulatedCommonSetCard sim;
        auto card = MakeCardByName(name, &sim.capture);
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(0u, card->GetRemoteKeyPause());
        sim.model.PressRemoteKey(CardModel::GpioRemotePins(0x4D), CardModel::kGpioRemoteMask, 30);
        BYTE key = 0;
        ASSERT_TRUE(card->ReadRemoteKey(&key));
        EXPECT_EQ(0x4D, key);
    }
}

TEST_F(DelvinCards, PowerOnTimer)
{
    for (const char* name : kCards) {
        SCOPED_TRACE(name);
        SimulatedCommonSetCard sim;
        auto card = MakeCardByName(name, &sim.capture);
        ASSERT_NE(nullptr, card);
        sim.model.ClearRecord();
        ASSERT_TRUE(card->SetOpenComputerTime(0x0102));
        EXPECT_EQ(0x0102, sim.mcu->Minutes());
        // The high byte word, then the low byte word, each between idle words.
        std::vector<DWORD> words = sim.PinWords();
        ASSERT_GE(words.size(), 6u);
        EXPECT_EQ(0x080001u, words[1]);
        EXPECT_EQ(0x100002u, words[4]);
        WORD minutes = 0;
        ASSERT_TRUE(card->GetOpenComputerTime(&minutes));
        EXPECT_EQ(0x0102, minutes);
        ASSERT_TRUE(card->EnableOpenComputer(TRUE));
        EXPECT_TRUE(sim.mcu->Armed());
        ASSERT_TRUE(card->EnableOpenComputer(FALSE));
        EXPECT_FALSE(sim.mcu->Armed());
    }
}

// An acknowledge that carries a tag is not an acknowledge: five tries.
TEST_F(DelvinCards, TaggedAcknowledgeIsRetried)
{
    SimulatedCommonSetCard sim;
    sim.mcu->SetAcknowledgeTag(0x080000);
    auto card = MakeCardByName("Delvin Video Capture", &sim.capture);
    ASSERT_NE(nullptr, card);
    EXPECT_FALSE(card->EnableOpenComputer(TRUE));
    EXPECT_EQ(5, sim.mcu->Commands());

    CDelvorCardFilter closed(NULL, static_cast<const CLSID*>(NULL));
    DWORD value = 0;
    EXPECT_FALSE(closed.EnableOpenComputer(TRUE));
    EXPECT_FALSE(closed.WaitGpioPattern(&value, 0x40000, 0));
}
