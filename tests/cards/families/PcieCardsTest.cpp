// The PCI Express card's filters over fakes of its driver: the capture
// filter opened by name on its own device interface (the second of two
// identical cards by its device index), its XC2028 tuner without an EEPROM,
// the signal as the driver's tuner reports it, the remote controller at
// 0xBB, and the crossbar and TV-audio filters.
#include "cards/families/PcieFilter.h"
#include "graph/RootGraph.h"
#include "hw/access/PcieAccess.h"
#include "hw/tuners/XCeive2028.h"
#include "tests/cards/families/FamilyCards.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePcieDriver.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>

#include <memory>
#include <string>
#include <typeinfo>

using virtualcard::CardModel;
using virtualcard::RegisterChip;

namespace {

const char kCardName[] = "Corvane Dunmar Audio/Video Capture";

// Two identical cards behind the driver fake, each with the remote
// controller at 0xBB; the first card's capture filter with the driver's
// tuner upstream, in a graph.
struct PcieRig
{
    CardModel cards[2];
    FakePcieDriver driver;
    ScopedReplacement<IPcieDeviceApi> installed{PcieDeviceApiSeam(), &driver};
    std::shared_ptr<RegisterChip> remote[2];
    FakeTVTunerFilter tuner;
    FakeUpstreamCapture capture{NULL, &cards[0]};
    CRootGraph graph;

    explicit PcieRig(size_t present = 2) : driver(FirstCards(cards, present))
    {
        EXPECT_TRUE(graph.MakeGraph());
        for (int i = 0; i < 2; ++i) {
            remote[i] = std::make_shared<RegisterChip>();
            cards[i].AddDevice(0xBA, remote[i]);
        }
        capture.tuner = &tuner;
    }

    static std::vector<CardModel*> FirstCards(CardModel (&all)[2], size_t count)
    {
        std::vector<CardModel*> out;
        for (size_t i = 0; i < count && i < 2; ++i)
            out.push_back(&all[i]);
        return out;
    }
};

class PcieCards : public ::testing::Test
{
protected:
    void SetUp() override { RegisterPcieFilters(); }
    void TearDown() override
    {
        UnregisterPcieFilters();
        CRootFilter::SetDeviceIndex(0);
    }
    FakeClock m_clock;
};

} // namespace

TEST_F(PcieCards, OpensItsOwnDeviceInterface)
{
    struct
    {
        int deviceIndex;
        size_t card;
    } rows[] = {{0, 0}, {1, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.deviceIndex);
        PcieRig rig;
        CRootFilter::SetDeviceIndex(row.deviceIndex);
        {
            auto card = MakeCardByName(kCardName, &rig.capture, &rig.graph);
            ASSERT_NE(nullptr, card);
            // No EEPROM on this card: the XC2028 of every board; no card type.
            ExpectOpenedAs(card.get(), typeid(CPcieFilter), typeid(CPcieAccess), 0, 91);
            EXPECT_EQ((std::vector<std::string>{FakePcieDriver::PathOf(row.card)}), rig.driver.Opened());
            EXPECT_EQ('E', card->GetTunerBrand());
            EXPECT_NE(nullptr, dynamic_cast<CXCeive2028*>(card->GetTuner()));
            // The driver's tuner found upstream; the filter joined the graph
            // for the search only.
            void* out = NULL;
            ASSERT_EQ(S_OK, card->QueryTVTuner(&out));
            static_cast<IAMTVTuner*>(out)->Release();
            EXPECT_EQ(2, rig.capture.joins);
            // Its requests go to its own card, with the tuner at 0xC2/0xC3.
            rig.driver.ClearRequests();
            ASSERT_EQ(S_OK, card->GetAccess()->WriteGPIO(1, 0));
            auto requests = rig.driver.Requests();
            ASSERT_EQ(1u, requests.size());
            EXPECT_EQ(row.card, requests[0].card);
            EXPECT_EQ(3, requests[0].in[0]);
            EXPECT_STREQ(typeid(CPcieFilter).name(), ClassThatClosed(std::move(card)).c_str());
        }
        EXPECT_EQ(0, rig.driver.OpenHandles());
        EXPECT_EQ(1u, rig.tuner.Refs());
    }
}

// Without its device interface the card does not open.
TEST_F(PcieCards, InitFailsWithoutTheDevice)
{
    {
        PcieRig rig(0);
        auto card = MakeCardByName(kCardName, &rig.capture, &rig.graph);
        ASSERT_NE(nullptr, card);
        EXPECT_FALSE(card->IsValid());
        EXPECT_EQ(nullptr, card->GetTuner());
    }
    {
        PcieRig rig(1);
        CRootFilter::SetDeviceIndex(1);  // a second card that is not there
        auto card = MakeCardByName(kCardName, &rig.capture, &rig.graph);
        ASSERT_NE(nullptr, card);
        EXPECT_FALSE(card->IsValid());
    }
    {
        PcieRig rig;
        rig.driver.FailOpen(ERROR_ACCESS_DENIED);
        auto card = MakeCardByName(kCardName, &rig.capture, &rig.graph);
        ASSERT_NE(nullptr, card);
        EXPECT_FALSE(card->IsValid());
    }
    {
        PcieRig rig;
        CRootFilter::SetDeviceIndex(200);  // beyond what the card parameter carries
        auto card = MakeCardByName(kCardName, &rig.capture, &rig.graph);
        ASSERT_NE(nullptr, card);
        EXPECT_FALSE(card->IsValid());
        EXPECT_TRUE(rig.driver.Opened().empty());
    }
}

// The lock is what the driver's tuner reports; where it cannot tell, the
// decoder's.
TEST_F(PcieCards, SignalIsTheRealOne)
{
    struct
    {
        long signal;
        bool carrier;  // the decoder's view
        long locked;
    } cases[] = {
        {AMTUNER_NOSIGNAL, true, FALSE},
        {AMTUNER_SIGNALPRESENT, false, TRUE},
        {AMTUNER_HASNOSIGNALSTRENGTH, true, TRUE},
        {AMTUNER_HASNOSIGNALSTRENGTH, false, FALSE},
        {FakeTVTunerFilter::kNoSignalAnswer, false, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signal * 10 + c.carrier);
        PcieRig rig;
        rig.tuner.signal = c.signal;
        rig.cards[0].SetCarriers({c.carrier ? 55250.0 : 99000.0});
        rig.cards[0].GetAir()->NoteTuned(55250, false);
        auto card = MakeCardByName(kCardName, &rig.capture, &rig.graph);
        ASSERT_NE(nullptr, card);
        long locked = -1;
        ASSERT_EQ(S_OK, card->IsSignalLocked(&locked));
        EXPECT_EQ(c.locked, locked);
        EXPECT_EQ(E_POINTER, card->IsSignalLocked(NULL));
    }
}

// Register 0x30 of the controller at 0xBB reads 1 while a key waits, 0x31
// holds it.
TEST_F(PcieCards, RemoteKey)
{
    PcieRig rig;
    auto card = MakeCardByName<CPcieFilter>(kCardName, &rig.capture, &rig.graph);
    ASSERT_NE(nullptr, card);
    rig.remote[0]->SetReg(0x30, 1);
    rig.remote[0]->SetReg(0x31, 0x2C);
    BYTE key = 0;
    ASSERT_TRUE(card->ReadRemoteKey(&key));
    EXPECT_EQ(0x2C, key);
    ASSERT_TRUE(card->ClearRemoteKey());
    EXPECT_EQ(0xFF, rig.remote[0]->Reg(0x31));

    rig.remote[0]->SetReg(0x30, 0);
    key = 0x77;
    EXPECT_FALSE(card->ReadRemoteKey(&key));
    // The flag reads 1 but the key's read fails: no key.
    rig.remote[0]->SetReg(0x30, 1);
    rig.driver.FailCode(CPcieAccess::kI2CRead, ERROR_IO_DEVICE, 1);
    EXPECT_FALSE(card->ReadRemoteKey(&key));
    EXPECT_EQ(0x77, key);
    rig.driver.FailCode(CPcieAccess::kI2CWrite, ERROR_IO_DEVICE);
    EXPECT_FALSE(card->ClearRemoteKey());
}

TEST_F(PcieCards, CrossbarAndTVAudio)
{
    ExpectBaseCrossbar("Corvane Dunmar Crossbar", typeid(CPcieCrossBarFilter));

    FakeTVAudioFilter audio;
    auto wrapper = MakeCardByName<CTVAudioFilter>("Corvane Dunmar Audio Decoder", &audio, NULL, AM_KSCATEGORY_TVAUDIO);
    ASSERT_NE(nullptr, wrapper);
    EXPECT_EQ(typeid(CPcieAudioFilter), typeid(*wrapper));
    EXPECT_TRUE(wrapper->SetTVAudioMode(AMTVAUDIO_MODE_STEREO));
    long mode = 0;
    ASSERT_TRUE(wrapper->GetTVAudioMode(&mode));
    EXPECT_EQ(AMTVAUDIO_MODE_STEREO, mode);
}
