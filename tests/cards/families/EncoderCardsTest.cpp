// The MPEG encoder cards (BlackBird, Raptor) over the simulated card behind
// fakes of their drivers: each class opened by name, the upstream tuner,
// crossbar and TV-audio filters found through a real graph's capture graph
// builder and taken out again, the access bound to the tuner filter (or
// the capture filter without one), the Raptor remote, the crossbars' pin
// maps and the encoder filter wrappers.
#include "cards/families/EncoderCardFilter.h"
#include "cards/families/EncoderFilter.h"
#include "graph/Guids.h"
#include "graph/RootGraph.h"
#include "hw/access/23882Access.h"
#include "hw/access/RaptorAccess.h"
#include "hw/tuners/ModuleTuner.h"
#include "tests/cards/families/FamilyCards.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeEncoderBox.h"
#include "tests/support/FakeFilter.h"
#include "tests/support/FakeRaptorDriver.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>

#include <memory>
#include <string>
#include <typeinfo>

using virtualcard::CardModel;
using virtualcard::RegisterChip;

namespace {

// The driver's tuner filter, which also answers the card's property set.
class DriverTuner : public FakeTVTunerFilter
{
public:
    IKsPropertySet* set = NULL;

protected:
    void* Extra(REFIID riid) override
    {
        if (riid == IID_IKsPropertySet && set)
            return set;
        return FakeTVTunerFilter::Extra(riid);
    }
};

// An encoder card on the simulated card: its driver's property set (the
// CX23882 set or the Raptor sets), the tuner, crossbar and TV-audio
// filters upstream of the capture filter, and a graph to find them in.
struct EncoderCard
{
    CardModel model;
    FakeKsPropertySet cx23882{&model, &KSPROPSETID_Cx23882};
    FakeRaptorDriver raptor{&model};
    DriverTuner tuner;
    FakeCrossbarFilter crossbar{2, 8};
    FakeTVAudioFilter tvAudio;
    FakeUpstreamCapture capture;
    std::shared_ptr<RegisterChip> remote = std::make_shared<RegisterChip>();
    CRootGraph graph;

    explicit EncoderCard(bool raptorDriver, bool upstream = true)
        : capture(raptorDriver ? static_cast<IKsPropertySet*>(&raptor) : &cx23882, &model)
    {
        EXPECT_TRUE(graph.MakeGraph());
        tuner.set = raptorDriver ? static_cast<IKsPropertySet*>(&raptor) : &cx23882;
        if (upstream) {
            capture.tuner = &tuner;
            capture.crossbar = &crossbar;
            capture.tvAudio = &tvAudio;
        }
        model.SetEepromFacts('T', 5, 0x42, 0);  // BlackBird: tuner facts at 0x20/0x21
        model.SetEepromByte(0xA0, 'T');          // Raptor: at 0xA0/0xA1
        model.SetEepromByte(0xA1, 5);
        model.AddDevice(kRaptorSpecialDevice, remote);
    }
};

std::string TunerClass(CTVTuner* tuner)
{
    CModuleTuner* module = dynamic_cast<CModuleTuner*>(tuner);
    return module ? module->Module().className : "";
}

// A crossbar filter with `pins` pins that routes through `answer`.
struct PinnedCrossbar
{
    FakeCrossbarFilter answer{2, 8};
    FakeFilter* filter;

    explicit PinnedCrossbar(int pins) : filter(new FakeFilter(GUID_NULL, L"crossbar"))
    {
        for (int i = 0; i < pins; ++i)
            filter->AddPin(i < pins - 2 ? L"in" : L"out", i < pins - 2 ? PINDIR_INPUT : PINDIR_OUTPUT);
        filter->AddInterface(IID_IAMCrossbar, static_cast<IAMCrossbar*>(&answer));
    }
    ~PinnedCrossbar() { filter->Release(); }
};

class EncoderCards : public ::testing::Test
{
protected:
    void SetUp() override { RegisterEncoderCardFilters(); }
    void TearDown() override { UnregisterEncoderCardFilters(); }
    FakeClock m_clock;
};

} // namespace

TEST_F(EncoderCards, EachNameOpensItsClass)
{
    struct
    {
        const char* name;
        bool raptor;
        const std::type_info& cardClass;
        const std::type_info& accessClass;
        int cardType;
        long channel;  // what the tuner filter was set to
    } rows[] = {
        {"BlackBird Video Capture", false, typeid(CBlackBirdCardFilter), typeid(C23882Access), 11, 1},
        {"Conexant Raptor Video Capture", true, typeid(CRaptorCardFilter), typeid(CRaptorAccess), 13, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EncoderCard sim(row.raptor);
        sim.tuner.mode = AMTUNER_MODE_FM_RADIO;
        sim.tuner.availableModes = AMTUNER_MODE_TV | AMTUNER_MODE_FM_RADIO;
        {
            auto card = MakeCardByName(row.name, &sim.capture, &sim.graph);
            ASSERT_NE(nullptr, card);
            ExpectOpenedAs(card.get(), row.cardClass, row.accessClass, row.cardType, 5);
            EXPECT_EQ("CTCL2002MB_3", TunerClass(card->GetTuner()));
            // The capture filter joined the graph for the searches only, once.
            EXPECT_EQ(2, sim.capture.joins);
            EXPECT_FALSE(card->IsInGraph());
            // The tuner filter, found upstream, left in TV mode.
            EXPECT_EQ(AMTUNER_MODE_TV, sim.tuner.mode);
            EXPECT_EQ(row.channel, sim.tuner.channel);
            void* out = NULL;
            ASSERT_EQ(S_OK, card->QueryTVTuner(&out));
            static_cast<IAMTVTuner*>(out)->Release();
            auto* encoderCard = dynamic_cast<CEncoderCardFilter*>(card.get());
            ASSERT_NE(nullptr, encoderCard);
            EXPECT_EQ(E_NOTIMPL, encoderCard->SelectAudioInput(0, TRUE));
            // Closed in its own destructor, while a search and polling run.
            EXPECT_STREQ(row.cardClass.name(), ClassThatClosed(std::move(card)).c_str());
        }
        // Every upstream filter and the property set let go.
        EXPECT_EQ(1u, sim.tuner.Refs());
        EXPECT_EQ(1u, sim.crossbar.Refs());
        EXPECT_EQ(1u, sim.tvAudio.Refs());
        EXPECT_EQ(1u, sim.capture.Refs());
    }
}

TEST_F(EncoderCards, UpstreamFiltersLeaveTheGraphWithTheCard)
{
    EncoderCard sim(false);
    // The capture graph builder brings the upstream filters into the graph.
    IGraphBuilder* filters = sim.graph.GetGraph();
    ASSERT_EQ(S_OK, filters->AddFilter(&sim.tuner, L"tuner"));
    ASSERT_EQ(S_OK, filters->AddFilter(&sim.crossbar, L"crossbar"));
    ASSERT_EQ(S_OK, filters->AddFilter(&sim.tvAudio, L"audio"));
    {
        auto card = MakeCardByName<CBlackBirdCardFilter>("BlackBird Video Capture", &sim.capture, &sim.graph);
        ASSERT_NE(nullptr, card);
        EXPECT_TRUE(card->HasTunerFilter());
        ComPtr<IAMCrossbar> crossbar;
        ASSERT_EQ(S_OK, card->GetCrossbar(&crossbar));
        EXPECT_EQ(static_cast<IAMCrossbar*>(&sim.crossbar), crossbar.Get());
        EXPECT_TRUE(card->RouteCrossbar(3, 0));
        EXPECT_EQ((std::vector<std::pair<long, long>>{{0, 3}}), sim.crossbar.routes);
        ComPtr<IAMTVAudio> audio;
        ASSERT_EQ(S_OK, card->GetTVAudio(&audio));
        EXPECT_EQ(E_POINTER, card->GetTVAudio(NULL));
        EXPECT_EQ(E_POINTER, CEncoderCardFilter::QueryTVAudio(NULL, &audio));
        EXPECT_EQ(0x42, card->ReadConfigByte());
    }
    IBaseFilter* found = NULL;
    for (const wchar_t* name : {L"tuner", L"crossbar", L"audio"}) {
        EXPECT_EQ(VFW_E_NOT_FOUND, filters->FindFilterByName(name, &found));
    }
}

TEST_F(EncoderCards, WithoutUpstreamFiltersTheCaptureFilterAnswers)
{
    for (bool raptor : {false, true}) {
        SCOPED_TRACE(raptor);
        EncoderCard sim(raptor, false);
        auto card = MakeCardByName<CEncoderCardFilter>(
            raptor ? "Conexant Raptor Video Capture" : "BlackBird Video Capture", &sim.capture, &sim.graph);
        ASSERT_NE(nullptr, card);
        EXPECT_TRUE(card->IsValid());
        EXPECT_EQ(5, card->GetTunerType());  // through the capture filter's property set
        ComPtr<IAMCrossbar> crossbar;
        EXPECT_EQ(E_POINTER, card->GetCrossbar(&crossbar));
        EXPECT_FALSE(card->RouteCrossbar(0, 0));
        ComPtr<IAMTVAudio> audio;
        EXPECT_EQ(E_POINTER, card->GetTVAudio(&audio));
    }
    // A driver that answers neither: the access goes, the card does not open.
    EncoderCard sim(false, false);
    FakeCaptureFilter bare(NULL);
    auto card = MakeCardByName("BlackBird Video Capture", &bare, &sim.graph);
    ASSERT_NE(nullptr, card);
    EXPECT_FALSE(card->IsValid());
    EXPECT_EQ(nullptr, card->GetAccess());
    // A card object that never had a filter is made and goes quietly.
    CRaptorCardFilter none(NULL, static_cast<const CLSID*>(NULL));
    EXPECT_FALSE(none.InitOnce());
    BYTE key = 0;
    EXPECT_FALSE(none.ReadRemoteKey(&key));
}

// Register 0xAA of the controller at 0xBA reads 1 while a key waits.
TEST_F(EncoderCards, RaptorRemoteKey)
{
    EncoderCard sim(true);
    auto card = MakeCardByName("Conexant Raptor Video Capture", &sim.capture, &sim.graph);
    ASSERT_NE(nullptr, card);
    struct
    {
        BYTE waiting, code;
        bool key;
    } cases[] = {{1, 0x2C, true}, {0, 0x2C, false}, {2, 0x2C, false}, {1, 0x00, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.waiting * 256 + c.code);
        sim.remote->SetReg(0xAA, c.waiting);
        sim.remote->SetReg(0xAB, c.code);
        BYTE key = 0x77;
        EXPECT_EQ(c.key, card->ReadRemoteKey(&key) != FALSE);
        EXPECT_EQ(c.key ? c.code : 0x77, key);
    }
    sim.remote->SetReg(0xAA, 1);
    sim.raptor.FailProperty(RAPTOR_I2C_FETCH, E_FAIL, 1);  // the key's fetch fails
    BYTE key = 0x77;
    EXPECT_FALSE(card->ReadRemoteKey(&key));
    EXPECT_EQ(0x77, key);
    EXPECT_EQ(0, card->ReadConfigByte());

    // The BlackBird card has no receiver.
    EncoderCard other(false);
    auto blackbird = MakeCardByName("BlackBird Video Capture", &other.capture, &other.graph);
    ASSERT_NE(nullptr, blackbird);
    other.remote->SetReg(0xAA, 1);
    EXPECT_FALSE(blackbird->ReadRemoteKey(&key));
}

TEST_F(EncoderCards, StandardIndexOfTheIndexedTuner)
{
    EncoderCard sim(false);
    sim.model.SetEepromFacts('O', 100, 0, 0);
    auto standard = std::make_shared<RegisterChip>();
    sim.model.AddDevice(0xB6, standard);  // the module's standard switch
    auto card = MakeCardByName<CBlackBirdCardFilter>("BlackBird Video Capture", &sim.capture, &sim.graph);
    ASSERT_NE(nullptr, card);
    ASSERT_EQ(100, card->GetTunerType());
    EXPECT_NE(0, card->SetTunerStandardIndex(2));
    EXPECT_EQ(0x80, standard->Reg(0));

    EncoderCard plain(false);
    auto other = MakeCardByName<CBlackBirdCardFilter>("BlackBird Video Capture", &plain.capture, &plain.graph);
    ASSERT_NE(nullptr, other);
    EXPECT_EQ(0, other->SetTunerStandardIndex(1));
}

// Tuner, composite, S-Video to output 0, then audio to output 1.
TEST_F(EncoderCards, CrossbarPinMaps)
{
    struct
    {
        const char* name;
        int pins;
        std::vector<std::pair<long, long>> routes;
    } cases[] = {
        {"BlackBird Crossbar", 7, {{0, 0}, {0, 2}, {0, 1}, {1, 3}, {1, 4}}},
        {"BlackBird Crossbar", 8, {{0, 1}, {0, 2}, {0, 0}, {1, 4}, {1, 5}, {1, 6}}},
        {"Conexant Raptor Crossbar", 10, {{0, 0}, {0, 1}, {0, 2}, {1, 5}, {1, 6}, {1, 7}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.pins));
        PinnedCrossbar fake(c.pins);
        auto crossbar = MakeCardByName<CCrossBarFilter>(c.name, fake.filter, NULL, AM_KSCATEGORY_CROSSBAR);
        ASSERT_NE(nullptr, crossbar);
        ASSERT_EQ(c.pins, crossbar->GetPinCount());
        for (int which = 0; which < 3; ++which)
            crossbar->RouteVideoInput(which);
        for (int which = 0; which < 3; ++which)
            crossbar->RouteAudioInput(which);  // a missing S-Video audio (-1) is refused
        EXPECT_EQ(c.routes, fake.answer.routes);
    }
}

TEST_F(EncoderCards, EncoderFiltersSendThroughTheirPropertySet)
{
    for (const char* name : {"BlackBird MPEG Encoder", "Conexant Raptor Encoder"}) {
        SCOPED_TRACE(name);
        CardModel model;
        FakeEncoderBox driver(&model);
        FakeCaptureFilter encoder(&driver);
        auto wrapper = MakeCardByName<CEncoderFilter>(name, &encoder, NULL, KSCATEGORY_ENCODER);
        ASSERT_NE(nullptr, wrapper);
        EXPECT_EQ(std::string(name) == "Conexant Raptor Encoder", dynamic_cast<CRaptorEncoderFilter*>(wrapper.get()) != nullptr);
        EXPECT_TRUE(wrapper->IsValid());
        DWORD value = 0x1234;
        EXPECT_TRUE(wrapper->SetEncoderProperty(3, &value, sizeof(value)));
        EXPECT_EQ((std::vector<BYTE>{0x34, 0x12, 0, 0}), driver.Value(3));
        driver.FailProperty(3, E_FAIL);
        EXPECT_FALSE(wrapper->SetEncoderProperty(3, &value, sizeof(value)));
        wrapper.reset();
        EXPECT_EQ(1u, driver.RefCount());

        // A filter without the property set makes no encoder.
        FakeCaptureFilter bare(NULL);
        auto none = MakeCardByName<CEncoderFilter>(name, &bare, NULL, KSCATEGORY_ENCODER);
        ASSERT_NE(nullptr, none);
        EXPECT_FALSE(none->IsValid());
        EXPECT_FALSE(none->SetEncoderProperty(3, &value, sizeof(value)));
    }
}
