// The USB encoder boxes (MPEG-2 box, Estrel box) over the simulated card
// behind a fake of their driver: each class opened by name with its tuner
// facts from the box's EEPROM, the remote controller at 0x5D of the box's
// bus, and the crossbars with and without a tuner input.
#include "cards/families/EncoderBoxFilter.h"
#include "hw/access/EstrelBoxDataAcces.h"
#include "hw/access/Mpeg2BoxDataAccess.h"
#include "hw/tuners/ModuleTuner.h"
#include "tests/cards/families/FamilyCards.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeEncoderBox.h"
#include "tests/support/FakeFilter.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>

#include <algorithm>
#include <memory>
#include <string>
#include <typeinfo>

using virtualcard::CardModel;
using virtualcard::RegisterChip;

namespace {

// A box: its EEPROM at 0xA2 with the tuner facts of both boxes, the remote
// controller at 0x5D (0xBA on the bus), the driver fake on the capture
// filter.
struct SimulatedBox
{
    CardModel model;
    FakeEncoderBox driver{&model};
    FakeCaptureFilter capture{&driver, &model};
    std::shared_ptr<virtualcard::Eeprom> eeprom = std::make_shared<virtualcard::Eeprom>();
    std::shared_ptr<RegisterChip> remote = std::make_shared<RegisterChip>();

    SimulatedBox()
    {
        eeprom->Set(0x20, 'T');  // the MPEG-2 box's places
        eeprom->Set(0x21, 5);
        eeprom->Set(0xA0, 'T');  // the Estrel box's
        eeprom->Set(0xA1, 5);
        model.AddDevice(0xA2, eeprom);
        model.AddDevice(0xBA, remote);
    }
    void PressKey(BYTE waiting, BYTE key)
    {
        remote->SetReg(0x30, waiting);
        remote->SetReg(0x31, key);
    }
};

std::string TunerClass(CTVTuner* tuner)
{
    CModuleTuner* module = dynamic_cast<CModuleTuner*>(tuner);
    return module ? module->Module().className : "";
}

class EncoderBoxCards : public ::testing::Test
{
protected:
    void SetUp() override { RegisterEncoderBoxFilters(); }
    void TearDown() override { UnregisterEncoderBoxFilters(); }
    FakeClock m_clock;
};

} // namespace

TEST_F(EncoderBoxCards, EachNameOpensItsClass)
{
    struct
    {
        const char* name;
        const std::type_info& cardClass;
        const std::type_info& accessClass;
        int cardType;
        const char* brandRead;  // the maker letter read over the box's I2C
    } rows[] = {
        {"Corvane MPEG-2 Box", typeid(CMpeg2BoxFilter), typeid(CMpeg2BoxDataAccess), 10, "G 51 03 20 54"},
        {"Corvane Estrel Device", typeid(CEstrelBoxFilter), typeid(CEstrelBoxDataAcces), 15, "G 51 03 A0 54"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedBox box;
        {
            auto card = MakeCardByName(row.name, &box.capture);
            ASSERT_NE(nullptr, card);
            ExpectOpenedAs(card.get(), row.cardClass, row.accessClass, row.cardType, 5);
            EXPECT_EQ("CTCL2002MB_3", TunerClass(card->GetTuner()));
            // The facts came over the box's I2C from the EEPROM at 0x51.
            const auto transfers = box.driver.I2CTransfers();
            EXPECT_NE(transfers.end(), std::find(transfers.begin(), transfers.end(), row.brandRead));
            EXPECT_FALSE(static_cast<CEncoderBoxFilter*>(card.get())->HasTunerFilter());
            EXPECT_STREQ(row.cardClass.name(), ClassThatClosed(std::move(card)).c_str());
        }
        EXPECT_EQ(1u, box.driver.RefCount());
    }

    // The MPEG-2 box keeps the capture filter's property set: a filter
    // without one makes no card.
    FakeCaptureFilter bare(NULL);
    auto card = MakeCardByName("Corvane MPEG-2 Box", &bare);
    ASSERT_NE(nullptr, card);
    EXPECT_FALSE(card->IsValid());
    SimulatedBox box;
    auto mpeg2 = MakeCardByName("Corvane MPEG-2 Box", &box.capture);
    ASSERT_NE(nullptr, mpeg2);
    EXPECT_EQ(E_NOTIMPL, mpeg2->SelectAudioInput(0, TRUE));
}

// Register 0x30 of the controller reads 1 while a key waits; 0x31 holds it.
TEST_F(EncoderBoxCards, RemoteKeyAt5D)
{
    for (const char* name : {"Corvane MPEG-2 Box", "Corvane Estrel Device"}) {
        SCOPED_TRACE(name);
        SimulatedBox box;
        auto card = MakeCardByName(name, &box.capture);
        ASSERT_NE(nullptr, card);
        box.driver.ClearCalls();
        box.PressKey(1, 0x2C);
        BYTE key = 0;
        ASSERT_TRUE(card->ReadRemoteKey(&key));
        EXPECT_EQ(0x2C, key);
        EXPECT_EQ((std::vector<std::string>{"G 5D 01 30 1", "G 5D 01 31 2C"}), box.driver.I2CTransfers());

        // Any other flag: no key, and the key register is not read.
        box.driver.ClearCalls();
        box.PressKey(2, 0x2C);
        key = 0x77;
        EXPECT_FALSE(card->ReadRemoteKey(&key));
        EXPECT_EQ(0x77, key);
        EXPECT_EQ(1u, box.driver.I2CTransfers().size());

        // A failed key read is no key.
        box.PressKey(1, 0x2C);
        box.driver.FailProperty(20, E_FAIL, 1, 1);
        EXPECT_FALSE(card->ReadRemoteKey(&key));
        // Nor is a controller that does not answer.
        box.model.RemoveDevice(0xBA);
        EXPECT_FALSE(card->ReadRemoteKey(&key));
        EXPECT_EQ(0x77, key);
    }
}

TEST_F(EncoderBoxCards, CrossbarsWithAndWithoutTunerInput)
{
    struct
    {
        const char* name;
        int pins;
        bool tunerInput;
        std::vector<std::pair<long, long>> routes;  // video tuner, composite, S-Video; audio the same
    } cases[] = {
        {"Corvane MPEG-2 Box Crossbar", 7, true, {{0, 2}, {0, 0}, {0, 1}, {1, 4}, {1, 3}}},
        // No tuner input: its entries are -1, which the crossbar refuses;
        // the Estrel crossbar's audio inputs lie beyond its three pins.
        {"Corvane MPEG-2 Box Crossbar", 5, false, {{0, 0}, {0, 1}, {1, 2}}},
        {"Corvane Estrel Crossbar", 8, true, {{0, 0}, {0, 1}, {0, 2}, {1, 3}, {1, 4}, {1, 5}}},
        {"Corvane Estrel Crossbar", 5, false, {{0, 0}, {0, 1}, {0, 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.pins));
        FakeCrossbarFilter answer(2, c.pins - 2);
        FakeFilter* filter = new FakeFilter(GUID_NULL, L"crossbar");
        for (int i = 0; i < c.pins; ++i)
            filter->AddPin(L"pin", i < c.pins - 2 ? PINDIR_INPUT : PINDIR_OUTPUT);
        filter->AddInterface(IID_IAMCrossbar, static_cast<IAMCrossbar*>(&answer));
        {
            auto crossbar = MakeCardByName<CEncoderBoxCrossbarFilter>(c.name, filter, NULL, AM_KSCATEGORY_CROSSBAR);
            ASSERT_NE(nullptr, crossbar);
            EXPECT_EQ(c.tunerInput, crossbar->HasTunerInput() != FALSE);
            for (int which = 0; which < 3; ++which)
                crossbar->RouteVideoInput(which);
            for (int which = 0; which < 3; ++which)
                crossbar->RouteAudioInput(which);
        }
        filter->Release();
        EXPECT_EQ(c.routes, answer.routes);
    }
}
