// The older card family and the other makers' cards over the simulated
// card: opened by name, the family's remote receiver, its tuner address
// scan and poll interval.
#include "cards/families/OldBaseCardFilter.h"
#include "cards/families/TvavCardFilter.h"
#include "hw/access/TV_IOAccess.h"
#include "tests/cards/families/FamilyCards.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>

#include <typeinfo>
#include <vector>

using virtualcard::CardModel;

namespace {

// The second card's names: GB2312 text.
#define KAITONG "\xBF\xAC\xCD\xA8\xB5\xE7\xCA\xD3\xCD\xA8"

class OldCards : public ::testing::Test
{
protected:
    void SetUp() override { RegisterOldCardFilters(); }
    void TearDown() override { UnregisterOldCardFilters(); }
    FakeClock m_clock;
};

// GPIO calls of a card's access object, answered from a pin word: for
// a card whose driver the simulated card does not speak (the Bt878 one).
class RecordingGpioAccess : public CCustomDataAccess
{
public:
    DWORD pins = 0;
    HRESULT readResult = S_OK;
    std::vector<std::pair<DWORD, DWORD>> writes;  // value, mask

    HRESULT Attach(IUnknown*, DWORD) override { return S_OK; }
    HRESULT SetProperty1(BYTE) override { return S_OK; }
    HRESULT ReadI2CByte(BYTE, LONG, BYTE*) override { return E_FAIL; }
    HRESULT WriteI2CByte(BYTE, LONG, BYTE) override { return E_FAIL; }
    HRESULT ReadI2CBlock(BYTE*, LONG) override { return E_FAIL; }
    HRESULT WriteI2CBlock(BYTE*, LONG) override { return E_FAIL; }
    HRESULT SetProperty3(BYTE) override { return S_OK; }
    HRESULT ReadGPIO(DWORD* value) override
    {
        if (readResult == S_OK)
            *value = pins;
        return readResult;
    }
    HRESULT WriteGPIO(DWORD value, DWORD mask) override
    {
        writes.emplace_back(value, mask);
        return S_OK;
    }
};

// An older-family card given an access object and a card type directly.
class OldCardOver : public COldCardFilter
{
public:
    OldCardOver(CCustomDataAccess* access, int cardType) : COldCardFilter(NULL, static_cast<const CLSID*>(NULL))
    {
        m_pAccess = access;
        m_nCardType = cardType;
    }
    ~OldCardOver() override { m_pAccess = NULL; }  // the test's
};

} // namespace

TEST_F(OldCards, EachNameOpensItsClass)
{
    struct
    {
        const char* name;
        const std::type_info& cardClass;
        int remoteInterval;
        const char* crossbar;
        const std::type_info& crossbarClass;
    } rows[] = {
        {"Corvane Pellamar Capture", typeid(COldCardFilter), 140, "Corvane Pellamar Crossbar",
         typeid(COldCrossBarFilter)},
        {KAITONG " Capture", typeid(CKaitongCardFilter), 140, KAITONG " Crossbar", typeid(CKaitongCrossBarFilter)},
        {"Boser 630 TV Capture", typeid(CBoserCardFilter), 140, "Boser 630 TV Crossbar",
         typeid(CBoserCrossbarFilter)},
        {"ReWell RV5200 TV Capture", typeid(CReWellTVCardFilter), 140, "ReWell RV5200 TV Crossbar",
         typeid(CReWellCrossBarFilter)},
        {"Joravan TV Card Capture", typeid(CJoravanCardFilter), 100, "Joravan TV Card Crossbar",
         typeid(CJoravanCrossbarFilter)},
        {"TV AV Capture", typeid(CTvavCardFilter), 100, "TV AV Capture Crossbar", typeid(CTvavCrossBarFilter)},
        {"TFTV Capture", typeid(CTFCardFilter), 100, "TFTV Crossbar", typeid(CTFCrossBarFilter)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedCommonSetCard sim;
        auto card = MakeCardByName(row.name, &sim.capture);
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(row.cardClass, typeid(*card));
        EXPECT_TRUE(card->IsValid());
        ASSERT_NE(nullptr, card->GetAccess());
        EXPECT_EQ(typeid(CTV_IOAccess), typeid(*card->GetAccess()));
        EXPECT_EQ(2, card->GetCardType());
        EXPECT_NE(nullptr, card->GetTuner());
        EXPECT_EQ(row.remoteInterval, card->GetRemoteInterval());
        ExpectBaseCrossbar(row.crossbar, row.crossbarClass);
        // Closed in its own destructor, while a search and polling run.
        EXPECT_STREQ(row.cardClass.name(), ClassThatClosed(std::move(card)).c_str());
    }
}

// The family's receiver: one sample of bits 0-8, no hold and no pause.
TEST_F(OldCards, RemoteKeyDecoding)
{
    struct
    {
        uint32_t pins;
        bool key;
        BYTE code;
    } cases[] = {
        {0x0E5, true, 0xA1}, {0x0FF, true, 0x00}, {0x0EF, true, 0x01}, {0x1E5, false, 0}, {0x100, false, 0},
    };
    SimulatedCommonSetCard sim;
    auto card = MakeCardByName("Boser 630 TV Capture", &sim.capture);
    ASSERT_NE(nullptr, card);
    EXPECT_EQ(0u, card->GetRemoteKeyPause());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pins);
        sim.model.PressRemoteKey(c.pins, 0x1FF, 5000);
        const size_t sleeps = m_clock.Sleeps().size();
        BYTE key = 0x77;
        EXPECT_EQ(c.key, card->ReadRemoteKey(&key) != FALSE);
        EXPECT_EQ(c.key ? c.code : 0x77, key);
        EXPECT_EQ(sleeps, m_clock.Sleeps().size());
    }
}

// A failed GPIO read is no key (the sample is not taken as 0, key 0xFF),
// and writes nothing back.
TEST_F(OldCards, FailedReadIsNoKey)
{
    RecordingGpioAccess access;
    access.readResult = E_FAIL;
    OldCardOver bt878(&access, 1);
    BYTE key = 0x77;
    EXPECT_FALSE(bt878.ReadRemoteKey(&key));
    EXPECT_EQ(0x77, key);
    EXPECT_TRUE(access.writes.empty());
}

// A Bt878 card writes each sample back with bits 0-8 set and no pin
// driven; an SAA713x card reads only.
TEST_F(OldCards, Bt878ReadWritesTheSampleBack)
{
    struct
    {
        int cardType;
        DWORD pins;
        bool key;
    } cases[] = {{1, 0x40E5, true}, {1, 0x4100, false}, {2, 0x40E5, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cardType);
        RecordingGpioAccess access;
        access.pins = c.pins;
        OldCardOver card(&access, c.cardType);
        BYTE key = 0;
        EXPECT_EQ(c.key, card.ReadRemoteKey(&key) != FALSE);
        if (c.cardType == 1) {
            ASSERT_EQ(1u, access.writes.size());
            EXPECT_EQ(c.pins | 0x1FF, access.writes[0].first);
            EXPECT_EQ(0u, access.writes[0].second);
        } else {
            EXPECT_TRUE(access.writes.empty());
        }
    }
}

// The family looks for its tuner at 0xC0-0xC8 only.
TEST_F(OldCards, TunerAddressScan)
{
    struct
    {
        int tunerAt;  // -1: no tuner on the bus
        BYTE write, status;
    } cases[] = {{0xC6, 0xC6, 0xC7}, {0xC8, 0xC8, 0xC9}, {0xC2, 0xC2, 0xC3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tunerAt);
        SimulatedCommonSetCard sim;
        auto tuner = sim.model.Tuner();
        sim.model.RemoveDevice(CardModel::kTunerAddress);
        sim.model.AddDevice(static_cast<uint8_t>(c.tunerAt), tuner);
        // A chip outside the family's range that the base scan would take.
        sim.model.AddDevice(0x60, std::make_shared<virtualcard::Eeprom>());
        auto card = MakeCardByName("Corvane Pellamar Capture", &sim.capture);
        ASSERT_NE(nullptr, card);
        ASSERT_NE(nullptr, card->GetTuner());
        EXPECT_EQ(c.write, card->GetTuner()->m_byAddr);
        EXPECT_EQ(c.status, card->GetTuner()->m_byStatusAddr);
    }

    // Nothing answers: the tuner keeps its own addresses.
    SimulatedCommonSetCard sim;
    sim.model.RemoveDevice(CardModel::kTunerAddress);
    sim.model.AddDevice(0x60, std::make_shared<virtualcard::Eeprom>());
    auto card = MakeCardByName("Corvane Pellamar Capture", &sim.capture);
    ASSERT_NE(nullptr, card);
    ASSERT_NE(nullptr, card->GetTuner());
    EXPECT_EQ(0xC0, card->GetTuner()->m_byAddr);
    EXPECT_EQ(0xC1, card->GetTuner()->m_byStatusAddr);
    static_cast<COldBaseCardFilter*>(card.get())->ScanI2C(NULL);
}
