// The SAA713x card classes over the simulated card: each made through its
// filter-creator record and opened, and the behaviour each family adds
// (tuner facts, remote readers, controller wirings, the IO card's device
// event, the Cadrox text).
#include "cards/McuLink.h"
#include "cards/families/7130CardFilter.h"
#include "cards/families/BrennCardFilter.h"
#include "cards/families/CadroxCardFilter.h"
#include "cards/families/Hesk713xCardFilter.h"
#include "cards/families/PipCardFilter.h"
#include "cards/families/Saa713xFilters.h"
#include "cards/families/TV_IOFilter.h"
#include "hw/access/CadroxAccess.h"
#include "hw/access/HeskAccess.h"
#include "hw/access/NameMutex.h"
#include "hw/access/TV_IOAccess.h"
#include "platform/virtualcard/model/McuController.h"
#include "tests/cards/CardByName.h"
#include "tests/cards/CloseProbe.h"
#include "tests/cards/FakeCaptureFilter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeHeskFilter.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/Stress.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>
#include <uuids.h>

#include <memory>
#include <string>
#include <thread>
#include <typeinfo>

using virtualcard::CardModel;
using virtualcard::McuController;
using virtualcard::McuPins;

namespace {

// The BDA driver's capture filter: the Hesk property sets and IKsControl.
class FakeHeskCapture : public FakeFilterBase
{
public:
    explicit FakeHeskCapture(FakeHeskFilter* sets) : m_sets(sets) {}

protected:
    void* Extra(REFIID riid) override
    {
        if (riid == IID_IKsPropertySet)
            return static_cast<IKsPropertySet*>(m_sets);
        if (riid == IID_IKsControl)
            return static_cast<IKsControl*>(m_sets);
        return NULL;
    }

private:
    FakeHeskFilter* m_sets;
};

// One simulated card behind both drivers' fakes, with the controller on the
// given wiring and time on the fake clock.
struct SimulatedCard
{
    CardModel model;
    FakeKsPropertySet common{&model};
    FakeCaptureFilter wdm{&common, &model};
    FakeHeskFilter heskSets{&model};
    FakeHeskCapture bda{&heskSets};
    std::shared_ptr<McuController> mcu;

    explicit SimulatedCard(const McuPins& pins = McuPins::kLowByteBoard)
        : mcu(std::make_shared<McuController>(pins))
    {
        model.SetTickSource([] { return static_cast<uint32_t>(zunk::GetTickCount()); });
        model.AttachGpioDevice(mcu);
        // The BDA card's tuner facts: maker 'T', driver tuner id 35.
        model.SetEepromByte(0x68, 'T');
        model.SetEepromByte(0x41, 35);
        model.SetEepromByte(0x42, 0);
    }
};

// A card made the way the registry makes it for `name`, over `filter`.
template <class T = CTVCardFilter>
std::unique_ptr<T> MakeCard(const char* name, IBaseFilter* filter, const GUID& category = CLSID_VideoInputDeviceCategory)
{
    return MakeCardByName<T>(name, filter, NULL, category);
}

// Each card name, the class the registry makes for it, its access class
// and the CardType it stores once open; bda: over the BDA driver's filter.
struct CardRow
{
    const char* name;
    const std::type_info& cardClass;
    const std::type_info& accessClass;
    int cardType;
    bool bda;
};
const CardRow kCards[] = {
    {"713x BDA Analog Capture", typeid(CHesk713xCardFilter), typeid(CHeskAccess), 22, true},
    {"713x TV Card Capture", typeid(C7130CardFilter), typeid(CTV_IOAccess), 2, false},
    {"713x_IO TV Card Capture", typeid(CTV_IOFilter), typeid(CTV_IOAccess), 2, false},
    {"713x_3 TV Card Capture", typeid(CBrennCardFilter), typeid(CTV_IOAccess), 2, false},
    {"713x_PIP TV Card Capture", typeid(CPipCardFilter), typeid(CTV_IOAccess), 2, false},
    {"713x_Genius TV Card Capture", typeid(CTVGeniusFilter), typeid(CTV_IOAccess), 2, false},
    {"713x_D TV Card Capture", typeid(CCadroxCardFilter), typeid(CCadroxAccess), 20, false},
    {"713x_4 TV Card Capture", typeid(CCadroCardFilter), typeid(CTV_IOAccess), 21, false},
};

IBaseFilter* DriverFilter(SimulatedCard& sim, const CardRow& row)
{
    return row.bda ? static_cast<IBaseFilter*>(&sim.bda) : &sim.wdm;
}

class Saa713xCards : public ::testing::Test
{
protected:
    void SetUp() override { RegisterSaa713xFilters(); }
    void TearDown() override { UnregisterSaa713xFilters(); }
    FakeClock m_clock;
};

} // namespace

// Every card name through the registry: its class, its access class and
// the CardType it stores once open over the simulated card.
TEST_F(Saa713xCards, EachNameOpensItsClass)
{
    for (const CardRow& row : kCards) {
        SCOPED_TRACE(row.name);
        SimulatedCard sim;
        auto card = MakeCard(row.name, DriverFilter(sim, row));
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(row.cardClass, typeid(*card));
        EXPECT_TRUE(card->IsValid());
        ASSERT_NE(nullptr, card->GetAccess());
        EXPECT_EQ(row.accessClass, typeid(*card->GetAccess()));
        EXPECT_EQ(row.cardType, card->GetCardType());
        EXPECT_NE(nullptr, card->GetTuner());
        // Closed in its own destructor, while a search and polling run.
        EXPECT_STREQ(row.cardClass.name(), ClassThatClosed(std::move(card)).c_str());
    }

    struct Crossbar
    {
        const char* name;
        const std::type_info& crossbarClass;
    } crossbars[] = {
        {"713x BDA Analog Xbar", typeid(CHesk713XBarFilter)},
        {"713x TV Card Crossbar", typeid(C7130CrossBarFilter)},
        {"713x_IO TV Card Crossbar", typeid(CTV_IOCrossBarFilter)},
        {"713x_3 TV Card Crossbar", typeid(CBrennCrossBarFilter)},
        {"713x_PIP TV Card Crossbar", typeid(CPipCrossBarFilter)},
        {"713x_Genius TV Card Crossbar", typeid(CTVGeniusCrossBarFilter)},
        {"713x_D TV Card Crossbar", typeid(CCadroxCrossBarFilter)},
        {"713x_4 TV Card Crossbar", typeid(CCadroCrossBarFilter)},
    };
    for (const Crossbar& c : crossbars) {
        SCOPED_TRACE(c.name);
        FakeCrossbarFilter fake(2, 6);
        auto crossbar = MakeCard<CCrossBarFilter>(c.name, &fake, AM_KSCATEGORY_CROSSBAR);
        ASSERT_NE(nullptr, crossbar);
        EXPECT_EQ(c.crossbarClass, typeid(*crossbar));
        EXPECT_TRUE(crossbar->RouteVideoInput(1));
    }
}

TEST_F(Saa713xCards, HeskTunerFromTheDriverTunerId)
{
    struct
    {
        int id;
        int tunerType;
    } rows[] = {{33, 95}, {35, 5}, {0x188, 0 /* absent: no type, the fallback tuner */}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        SimulatedCard sim;
        sim.model.SetEepromByte(0x41, static_cast<uint8_t>(row.id));
        sim.model.SetEepromByte(0x42, static_cast<uint8_t>(row.id >> 8));
        auto card = MakeCard("713x BDA Analog Capture", &sim.bda);
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(row.tunerType, card->GetTunerType());
        ASSERT_NE(nullptr, card->GetTuner());
    }
}

// A BDA driver without the property sets: the card still opens (video
// only) and leaves the remote-control mutex free.
TEST_F(Saa713xCards, HeskCardWithoutItsDriverSetsStillOpens)
{
    FakeCaptureFilter bare(NULL);
    auto card = MakeCard("713x BDA Analog Capture", &bare);
    ASSERT_NE(nullptr, card);
    EXPECT_TRUE(card->IsValid());
    EXPECT_EQ(22, card->GetCardType());
    BOOL free = FALSE;
    std::thread other([&free] {
        CNameMutex mutex("Mutex_Remote_Control", FALSE);
        free = mutex.Lock();
        if (free)
            mutex.Unlock();
    });
    other.join();
    EXPECT_TRUE(free);
    BYTE key = 0;
    EXPECT_FALSE(card->ReadRemoteKey(&key));
}

TEST_F(Saa713xCards, RemoteReaders)
{
    struct
    {
        const char* name;
        bool bda;
        uint32_t pins;
        uint32_t mask;
        bool reads;
    } rows[] = {
        {"713x BDA Analog Capture", true, CardModel::GpioRemotePins(0x2B), CardModel::kGpioRemoteMask, true},
        {"713x_3 TV Card Capture", false, CardModel::GpioRemotePins(0x2B), CardModel::kGpioRemoteMask, true},
        {"713x_IO TV Card Capture", false, 0x600u | PackMcuByte(0xD4, TRUE) /* the key inverted */,
         0xEF80E00, true},
        {"713x_D TV Card Capture", false, CardModel::GpioRemotePins(0x2B), CardModel::kGpioRemoteMask,
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedCard sim;
        auto card = MakeCard(row.name, row.bda ? static_cast<IBaseFilter*>(&sim.bda) : &sim.wdm);
        ASSERT_NE(nullptr, card);
        sim.model.PressRemoteKey(row.pins, row.mask, 50);
        BYTE key = 0;
        EXPECT_EQ(row.reads, card->ReadRemoteKey(&key) != FALSE);
        if (row.reads) {
            EXPECT_EQ(0x2B, key);
        }
    }
}

// The power-on timer through each family's card filter and wiring.
TEST_F(Saa713xCards, PowerOnTimerPerFamily)
{
    struct
    {
        const char* name;
        bool bda;
        const McuPins* pins;
        bool hasTimer;
    } rows[] = {
        {"713x BDA Analog Capture", true, &McuPins::kLowByteBoard, true},
        {"713x_3 TV Card Capture", false, &McuPins::kLowByteBoard, true},
        {"713x_4 TV Card Capture", false, &McuPins::kLowByteBoard, true},
        {"713x_IO TV Card Capture", false, &McuPins::kSplitByteBoard, true},
        {"713x_PIP TV Card Capture", false, &McuPins::kSplitByteBoard, true},
        {"713x TV Card Capture", false, &McuPins::kLowByteBoard, false},
        {"713x_D TV Card Capture", false, &McuPins::kSplitByteBoard, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedCard sim(*row.pins);
        auto card = MakeCard(row.name, row.bda ? static_cast<IBaseFilter*>(&sim.bda) : &sim.wdm);
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(row.hasTimer, card->SetOpenComputerTime(600) != FALSE);
        WORD minutes = 0;
        EXPECT_EQ(row.hasTimer, card->GetOpenComputerTime(&minutes) != FALSE);
        EXPECT_EQ(row.hasTimer, card->EnableOpenComputer(TRUE) != FALSE);
        if (row.hasTimer) {
            EXPECT_EQ(600, minutes);
            EXPECT_TRUE(sim.mcu->Armed());
        } else {
            EXPECT_EQ(0, sim.mcu->Commands());
        }
        // The link itself: one command word reaches the controller.
        DWORD reply = 0;
        EXPECT_TRUE(card->McuWrite(row.pins == &McuPins::kLowByteBoard ? 0x180011 : 0x880600,
                                   row.pins == &McuPins::kLowByteBoard ? 0x1801FF : 0xEF88600, 10));
        EXPECT_TRUE(card->McuRead(&reply));
        EXPECT_FALSE(sim.mcu->Armed());
    }
}

TEST_F(Saa713xCards, ControllerLinkWithoutAccessFails)
{
    CTV_IOFilter io(NULL, static_cast<const CLSID*>(NULL));
    CCadroxCardFilter cadrox(NULL, static_cast<const CLSID*>(NULL));
    CTVCardFilter* cards[] = {&io, &cadrox};
    for (CTVCardFilter* card : cards) {
        DWORD reply = 1;
        EXPECT_FALSE(card->McuWrite(0x8600, 0x8600, 10));
        EXPECT_FALSE(card->McuRead(&reply));
        EXPECT_FALSE(card->SetOpenComputerTime(1));
    }
}

TEST_F(Saa713xCards, GeniusPollsSlowerAndBrennHasNoTunerMode)
{
    SimulatedCard sim;
    auto genius = MakeCard("713x_Genius TV Card Capture", &sim.wdm);
    ASSERT_NE(nullptr, genius);
    EXPECT_EQ(140, genius->GetRemoteInterval());
    auto brenn = MakeCard("713x_3 TV Card Capture", &sim.wdm);
    ASSERT_NE(nullptr, brenn);
    EXPECT_EQ(0, brenn->SetTunerMode(1));
    EXPECT_EQ(0u, brenn->GetRemoteKeyPause());
}

namespace {

volatile LONG g_ioCalls = 0;
void CountIoCall() { InterlockedIncrement(&g_ioCalls); }

} // namespace

TEST_F(Saa713xCards, IoCardDeviceEvent)
{
    SimulatedCard sim;
    auto card = MakeCard("713x_IO TV Card Capture", &sim.wdm);
    ASSERT_NE(nullptr, card);
    uint32_t value = 0;

    ASSERT_TRUE(card->SetIoEvent(&CountIoCall));
    HANDLE first = card->GetIoEvent();
    ASSERT_NE(nullptr, first);
    HANDLE firstCopy = NULL;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), first, GetCurrentProcess(), &firstCopy, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    ASSERT_TRUE(sim.model.GetControl(7, &value));
    EXPECT_EQ(static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(first)), value);

    // Events reach the callback on the IO-alert thread.
    ASSERT_TRUE(card->StartIoAlert(3));
    ASSERT_TRUE(sim.model.GetControl(8, &value));
    EXPECT_EQ(3u, value);
    g_ioCalls = 0;
    SetEvent(first);
    for (int i = 0; i < 500 && g_ioCalls == 0; ++i)
        Sleep(2);
    EXPECT_EQ(1, g_ioCalls);

    // A second event replaces the first: the thread waiting on the first
    // has ended, so the first event reaches nobody any more.
    ASSERT_TRUE(card->SetIoEvent(&CountIoCall));
    ASSERT_NE(nullptr, card->GetIoEvent());
    SetEvent(firstCopy);
    Sleep(50);
    EXPECT_EQ(1, g_ioCalls);
    CloseHandle(firstCopy);

    ASSERT_TRUE(card->SendIoCommand(0x55));
    ASSERT_TRUE(sim.model.GetControl(10, &value));
    EXPECT_EQ(0x55u, value);
    ASSERT_TRUE(card->StopIoAlert());
    EXPECT_TRUE(sim.model.GetControl(9, &value));

    // A refused request closes the card; the next one opens it again.
    sim.common.FailProperty(10, E_FAIL);
    EXPECT_FALSE(card->SendIoCommand(1));
    EXPECT_EQ(0, card->GetCardType());
    EXPECT_EQ(nullptr, card->GetIoEvent());
    sim.common.FailProperty(10, S_OK);
    EXPECT_TRUE(card->SendIoCommand(2));
    EXPECT_EQ(2, card->GetCardType());
}

// The device event is set before the alert thread starts; a start without
// one (never set, or gone with a closed card) fails instead of promising
// alerts a thread that ends at once cannot deliver.
TEST_F(Saa713xCards, IoAlertNeedsItsEvent)
{
    SimulatedCard sim;
    auto card = MakeCard("713x_IO TV Card Capture", &sim.wdm);
    ASSERT_NE(nullptr, card);
    uint32_t value = 0;
    EXPECT_FALSE(card->StartIoAlert(3));
    EXPECT_FALSE(sim.model.GetControl(8, &value));  // the driver was not asked

    for (int round = 0; round < StressRounds(20); ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(card->SetIoEvent(&CountIoCall));
        ASSERT_TRUE(card->StartIoAlert(3));
        g_ioCalls = 0;
        SetEvent(card->GetIoEvent());
        ASSERT_TRUE(WaitUntil([] { return g_ioCalls != 0; }, 5000));
        if (round % 2) {
            EXPECT_TRUE(card->StopIoAlert());
        } else {
            // Closed, the card has no event: the next start is refused.
            EXPECT_EQ(0, card->Close());
            EXPECT_FALSE(card->StartIoAlert(3));
        }
    }
}

TEST_F(Saa713xCards, CadroxTextFitsTheCallersRoom)
{
    SimulatedCard sim;
    auto text = std::make_shared<virtualcard::Eeprom>();
    text->Set(32, 4);
    for (int i = 0; i < 4; ++i)
        text->Set(static_cast<uint8_t>(33 + i), static_cast<uint8_t>(i + 1));
    sim.model.AddDevice(0x72, text);
    auto card = MakeCard("713x_D TV Card Capture", &sim.wdm);
    ASSERT_NE(nullptr, card);

    struct
    {
        unsigned room;
        bool ok;
    } rows[] = {{5, true}, {64, true}, {4, false}, {1, false}, {0, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.room);
        char buffer[64];
        memset(buffer, 'x', sizeof(buffer));
        unsigned length = row.room;
        EXPECT_EQ(row.ok, card->ExtQuery(buffer, &length) != FALSE);
        if (row.ok) {
            EXPECT_STREQ("1234", buffer);
            EXPECT_EQ(4u, length);
        } else {
            EXPECT_EQ('x', buffer[row.room < 64 ? row.room : 63]);
        }
    }
    unsigned length = 8;
    EXPECT_FALSE(card->ExtQuery(NULL, &length));
    text->Set(32, 0);
    char buffer[8];
    EXPECT_FALSE(card->ExtQuery(buffer, &length));
}
