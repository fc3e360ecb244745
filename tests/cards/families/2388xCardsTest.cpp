// The CX2388x card classes over the simulated card: each opened through its
// filter-creator record, its access bound to the driver's tuner filter
// found by name under the TV tuner category; their key readers, audio
// switch, crossbars and, on the controller cards, the power-on timer.
#include "cards/families/23881BootCardFilter.h"
#include "cards/families/2388xCardFilter.h"
#include "hw/access/2388xAccess.h"
#include "hw/access/NameMutex.h"
#include "platform/virtualcard/model/McuController.h"
#include "tests/cards/FakeCaptureFilter.h"
#include "tests/cards/families/FamilyCards.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestClassObject.h"
#include "tests/support/TestDevices.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>
#include <typeinfo>

using virtualcard::CardModel;
using virtualcard::McuController;
using virtualcard::McuPins;

namespace {

// {5C0E7A91-2B64-4F1D-8E37-A94D1C6B2F50}: the tests' tuner filter class.
const CLSID kTunerClsid = {0x5c0e7a91, 0x2b64, 0x4f1d, {0x8e, 0x37, 0xa9, 0x4d, 0x1c, 0x6b, 0x2f, 0x50}};

// Listed after any real device of the category (instance keys sort last).
const std::vector<TestDevice> kTunerDevices = {
    {L"~Pellamar test tuner 0", L"Conexant 2388x Tuner", &kTunerClsid},
    {L"~Pellamar test tuner 1", L"Conexant 2388x_1 Tuner", &kTunerClsid},
    {L"~Pellamar test tuner 3", L"Conexant 2388x_3 Tuner", &kTunerClsid},
    {L"~Pellamar test tuner a", L"Arvel Tuner", &kTunerClsid},
    {L"~Pellamar test tuner t", L"2388x Tuner", &kTunerClsid},
};

const DWORD kControllerKeyMask = 0xFF0E00;
uint32_t ControllerKey(uint8_t lines) { return 0x600u | (static_cast<uint32_t>(lines) << 16); }

// A CX2388x card: its driver's tuner filter, answering the property set
// from the simulated card, registered under every tuner name of the
// family; a capture filter without property sets; the controller on GPIO
// bits 16-23 on the fake clock.
struct SimulatedCx2388xCard
{
    CardModel model;
    FakeKsPropertySet set{&model};
    FakeCaptureFilter tuner;
    FakeCaptureFilter capture{NULL};
    std::shared_ptr<McuController> mcu = std::make_shared<McuController>(McuPins::kThirdByteBoard);
    TestClassObject classObject;
    TestDeviceCategory devices;

    explicit SimulatedCx2388xCard(bool tunerAnswers = true,
                                  const std::vector<TestDevice>& names = kTunerDevices)
        : tuner(tunerAnswers ? &set : NULL, &model),
          classObject(kTunerClsid, static_cast<IBaseFilter*>(&tuner)),
          devices(AM_KSCATEGORY_TVTUNER, names)
    {
        EXPECT_TRUE(classObject.Ok());
        EXPECT_TRUE(devices.Ok());
        model.SetGpioPort(CardModel::Cx2388x);
        model.SetTickSource([] { return static_cast<uint32_t>(zunk::GetTickCount()); });
        model.AttachGpioDevice(mcu);
    }

    // The values of the GPIO writes the driver was asked for, in order.
    std::vector<DWORD> PinWrites() const
    {
        std::vector<DWORD> out;
        for (const auto& call : set.Calls()) {
            if (call.id == 4 && !call.get) {
                DWORD value = 0;
                memcpy(&value, call.request.data() + 4, sizeof(value));
                out.push_back(value);
            }
        }
        return out;
    }
    DWORD LastWriteMask() const
    {
        DWORD mask = 0;
        for (const auto& call : set.Calls()) {
            if (call.id == 4 && !call.get)
                memcpy(&mask, call.request.data(), sizeof(mask));
        }
        return mask;
    }
};

class Cx2388xCards : public ::testing::Test
{
protected:
    void SetUp() override { Register2388xFilters(); }
    void TearDown() override { Unregister2388xFilters(); }
    FakeClock m_clock;
};

const char* const kControllerCards[] = {
    "Conexant 2388x_1 Video Capture",
    "Conexant 2388x_3 Video Capture",
    "Arvel Capture Card",
    "2388x Video Capture",
};

} // namespace

TEST_F(Cx2388xCards, EachNameOpensItsClass)
{
    struct
    {
        const char* name;
        const std::type_info& cardClass;
        const std::type_info& accessClass;
    } rows[] = {
        {"Conexant 2388x Video Capture", typeid(C23881CardFilter), typeid(C2388xAccess)},
        {"Conexant 2388x_1 Video Capture", typeid(C23881BootCardFilter), typeid(C2388xBootAccess)},
        {"Conexant 2388x_3 Video Capture", typeid(C23881ImberCardFilter), typeid(C2388xBootAccess)},
        {"Arvel Capture Card", typeid(CArvelCardFilter), typeid(C2388xBootAccess)},
        {"2388x Video Capture", typeid(CTV2388xCardFilter), typeid(C2388xBootAccess)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedCx2388xCard sim;
        sim.model.SetEepromFacts('T', 5, 0, 0);
        auto card = MakeCardByName(row.name, &sim.capture);
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(row.cardClass, typeid(*card));
        EXPECT_TRUE(card->IsValid());
        ASSERT_NE(nullptr, card->GetAccess());
        EXPECT_EQ(row.accessClass, typeid(*card->GetAccess()));
        EXPECT_EQ(3, card->GetCardType());
        // The tuner facts came through the tuner filter's property set.
        EXPECT_EQ(5, card->GetTunerType());
        EXPECT_NE(nullptr, card->GetTuner());
        EXPECT_FALSE(sim.set.Calls().empty());
        EXPECT_EQ(0u, card->GetRemoteKeyPause());
        // Closed in its own destructor, while a search and polling run.
        EXPECT_STREQ(row.cardClass.name(), ClassThatClosed(std::move(card)).c_str());
    }
}

TEST_F(Cx2388xCards, CrossbarsRouteThroughTheirPinMap)
{
    const char* names[] = {"Conexant 2388x Crossbar", "Conexant 2388x_1 Crossbar",
                           "Conexant 2388x_3 Crossbar", "Arvel Crossbar", "2388x Crossbar"};
    const std::type_info* classes[] = {&typeid(C23881CrossBarFilter), &typeid(C23881BootCrossBarFilter),
                                       &typeid(C23881ImberCrossBarFilter), &typeid(CArvelCrossBarFilter),
                                       &typeid(CTV2388xCrossBarFilter)};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(names[i]);
        FakeCrossbarFilter fake(2, 7);
        auto crossbar = MakeCardByName<CCrossBarFilter>(names[i], &fake, NULL, AM_KSCATEGORY_CROSSBAR);
        ASSERT_NE(nullptr, crossbar);
        EXPECT_EQ(*classes[i], typeid(*crossbar));
        for (int which = 0; which < 3; ++which) {
            EXPECT_TRUE(crossbar->RouteVideoInput(which));
            EXPECT_TRUE(crossbar->RouteAudioInput(which));
        }
        // Tuner, composite, S-Video: video pins 1, 2, 0; audio pins 4, 5, 6.
        std::vector<std::pair<long, long>> expected = {{0, 1}, {1, 4}, {0, 2}, {1, 5}, {0, 0}, {1, 6}};
        EXPECT_EQ(expected, fake.routes);
    }
}

TEST_F(Cx2388xCards, OpenFailsWithoutAnAnsweringTunerFilter)
{
    // No tuner device of the card's name.
    {
        SimulatedCx2388xCard sim(true, {{L"~Pellamar test tuner x", L"Some Other Tuner", &kTunerClsid}});
        auto card = MakeCardByName("Arvel Capture Card", &sim.capture);
        ASSERT_NE(nullptr, card);
        EXPECT_FALSE(card->IsValid());
        EXPECT_EQ(nullptr, card->GetTuner());
    }
    // A tuner filter without the property set: the access object goes.
    {
        SimulatedCx2388xCard sim(false);
        auto card = MakeCardByName("Conexant 2388x Video Capture", &sim.capture);
        ASSERT_NE(nullptr, card);
        EXPECT_FALSE(card->IsValid());
        EXPECT_EQ(nullptr, card->GetAccess());
    }
}

// The card without a controller reads its key once from bits 0-8.
TEST_F(Cx2388xCards, GpioKeyOfTheCardWithoutController)
{
    struct
    {
        uint32_t pins;
        bool key;
        BYTE code;
    } cases[] = {
        {0x0FF, true, 0x00}, {0x0EF, true, 0x01}, {0x0E5, true, 0xA1}, {0x1EF, false, 0}, {0x100, false, 0},
    };
    SimulatedCx2388xCard sim;
    sim.model.AttachGpioDevice(nullptr);
    auto card = MakeCardByName("Conexant 2388x Video Capture", &sim.capture);
    ASSERT_NE(nullptr, card);
    BYTE key = 0;
    EXPECT_FALSE(card->ReadRemoteKey(&key));  // lines pulled up: no key
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pins);
        sim.model.PressRemoteKey(c.pins, 0x1FF, 5000);
        key = 0x77;
        EXPECT_EQ(c.key, card->ReadRemoteKey(&key) != FALSE);
        EXPECT_EQ(c.key ? c.code : 0x77, key);
    }
    sim.set.FailProperty(4, E_FAIL);
    EXPECT_FALSE(card->ReadRemoteKey(&key));
}

// The controller cards report a held key once, when it is released or at
// their hold limit: 1000 ms on the boot card, 500 ms (or as set) on the
// others.
TEST_F(Cx2388xCards, ControllerKeyIsHeldUpToTheLimit)
{
    struct
    {
        const char* name;
        DWORD holdMs;
        LONG newLimit;  // 0: not changed
        DWORD readMs;
    } cases[] = {
        {"Conexant 2388x_1 Video Capture", 2000, 0, 1001},
        {"Conexant 2388x_3 Video Capture", 2000, 0, 501},
        {"Arvel Capture Card", 2000, 0, 501},
        {"2388x Video Capture", 2000, 0, 501},
        {"Arvel Capture Card", 2000, 200, 201},
        {"Arvel Capture Card", 40, 0, 40},  // released before the limit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.holdMs));
        SimulatedCx2388xCard sim;
        auto card = MakeCardByName(c.name, &sim.capture);
        ASSERT_NE(nullptr, card);
        if (c.newLimit) {
            auto* imber = dynamic_cast<C23881ImberCardFilter*>(card.get());
            ASSERT_NE(nullptr, imber);
            EXPECT_EQ(C23881ImberCardFilter::kDefaultKeyHoldLimit, imber->SetKeyHoldLimit(c.newLimit));
            EXPECT_EQ(0, imber->SetKeyHoldLimit(0));  // refused, limit kept
        }
        BYTE key = 0;
        EXPECT_FALSE(card->ReadRemoteKey(&key));  // idle controller: no key
        sim.model.PressRemoteKey(ControllerKey(0x3E), kControllerKeyMask, c.holdMs);
        const DWORD start = zunk::GetTickCount();
        ASSERT_TRUE(card->ReadRemoteKey(&key));
        EXPECT_EQ(0xC1, key);
        const DWORD elapsed = zunk::GetTickCount() - start;
        EXPECT_GE(elapsed, c.readMs);
        EXPECT_LE(elapsed, c.readMs + 1);
    }
}

TEST_F(Cx2388xCards, ControllerWordsOtherThanAKeyAreNoKey)
{
    SimulatedCx2388xCard sim;
    auto card = MakeCardByName("2388x Video Capture", &sim.capture);
    ASSERT_NE(nullptr, card);
    const uint32_t tags[] = {0x400, 0x200, 0xE00, 0x000};
    for (uint32_t tag : tags) {
        SCOPED_TRACE(tag);
        sim.model.PressRemoteKey(tag | 0x3E0000, kControllerKeyMask, 100);
        BYTE key = 0;
        EXPECT_FALSE(card->ReadRemoteKey(&key));
    }
    sim.set.FailProperty(4, E_FAIL);
    sim.model.PressRemoteKey(ControllerKey(0x3E), kControllerKeyMask, 100);
    BYTE key = 0;
    EXPECT_FALSE(card->ReadRemoteKey(&key));
}

// The power-on timer through each controller card and the CX2388x wiring.
TEST_F(Cx2388xCards, PowerOnTimerPerControllerCard)
{
    for (const char* name : kControllerCards) {
        SCOPED_TRACE(name);
        SimulatedCx2388xCard sim;
        auto card = MakeCardByName(name, &sim.capture);
        ASSERT_NE(nullptr, card);
        sim.set.ClearCalls();

        ASSERT_TRUE(card->SetOpenComputerTime(300));
        EXPECT_EQ(300, sim.mcu->Minutes());
        // The high byte 0x01 tagged 0x400, then the low byte 0x2C tagged
        // 0x200, each between idle words; the audio bits (pulled up) kept.
        std::vector<DWORD> words = sim.PinWrites();
        ASSERT_GE(words.size(), 6u);
        words.resize(6);
        EXPECT_EQ((std::vector<DWORD>{0xF600, 0x017400, 0xF600, 0xF600, 0x2C7200, 0xF600}), words);

        WORD minutes = 0;
        sim.mcu->SetMinutes(0xA55A);
        ASSERT_TRUE(card->GetOpenComputerTime(&minutes));
        EXPECT_EQ(0xA55A, minutes);
        ASSERT_TRUE(card->EnableOpenComputer(TRUE));
        EXPECT_TRUE(sim.mcu->Armed());
        ASSERT_TRUE(card->EnableOpenComputer(FALSE));
        EXPECT_FALSE(sim.mcu->Armed());

        // The link itself: a read-high command and its reply.
        DWORD reply = 0;
        ASSERT_TRUE(card->McuWrite(0x010600, 0xFF8600, 10));
        ASSERT_TRUE(card->McuRead(&reply));
        EXPECT_EQ(0x400u, reply & 0xE00);
        EXPECT_EQ(0xA5u, (reply >> 16) & 0xFF);
        EXPECT_EQ(0x010000u, C23881BootCardFilter::MapDataByte(0x01, TRUE));
        EXPECT_EQ(0xA5u, C23881BootCardFilter::MapDataByte(reply, FALSE));
    }

    // The card without a controller has no timer.
    SimulatedCx2388xCard sim;
    auto plain = MakeCardByName("Conexant 2388x Video Capture", &sim.capture);
    ASSERT_NE(nullptr, plain);
    WORD minutes = 0;
    EXPECT_FALSE(plain->SetOpenComputerTime(1));
    EXPECT_FALSE(plain->GetOpenComputerTime(&minutes));
    EXPECT_FALSE(plain->EnableOpenComputer(TRUE));
    EXPECT_EQ(0, sim.mcu->Commands());
}

TEST_F(Cx2388xCards, ControllerFaultsAreBounded)
{
    // Answered with the disarm acknowledge: five tries, 500 ms of pauses.
    {
        SimulatedCx2388xCard sim;
        sim.mcu->SetWrongAcknowledge(true);
        auto card = MakeCardByName("Arvel Capture Card", &sim.capture);
        ASSERT_NE(nullptr, card);
        const size_t before = m_clock.Sleeps().size();
        EXPECT_FALSE(card->EnableOpenComputer(TRUE));
        EXPECT_EQ(5, sim.mcu->Commands());
        std::vector<DWORD> sleeps = m_clock.Sleeps();
        EXPECT_EQ(5, std::count(sleeps.begin() + before, sleeps.end(), 100u));
    }
    // No reply at all: each read ends after 500 ms.
    {
        SimulatedCx2388xCard sim;
        sim.mcu->SetSilent(true);
        auto card = MakeCardByName("Conexant 2388x_1 Video Capture", &sim.capture);
        ASSERT_NE(nullptr, card);
        DWORD reply = 5;
        const DWORD start = zunk::GetTickCount();
        EXPECT_FALSE(card->McuRead(&reply));
        EXPECT_EQ(501u, zunk::GetTickCount() - start);
        EXPECT_EQ(0u, reply);
        WORD minutes = 5;
        EXPECT_FALSE(card->GetOpenComputerTime(&minutes));
        EXPECT_EQ(0, minutes);
        EXPECT_FALSE(card->SetOpenComputerTime(9));
    }
    // A controller card that could not open: every link operation fails.
    {
        C23881BootCardFilter closed(NULL, static_cast<const CLSID*>(NULL));
        DWORD reply = 0;
        WORD minutes = 0;
        EXPECT_FALSE(closed.McuWrite(0x8600, 0x8600, 10));
        EXPECT_FALSE(closed.McuRead(&reply));
        EXPECT_FALSE(closed.SetOpenComputerTime(1));
        EXPECT_FALSE(closed.GetOpenComputerTime(&minutes));
        EXPECT_FALSE(closed.EnableOpenComputer(TRUE));
        BYTE key = 0;
        EXPECT_FALSE(closed.ReadRemoteKey(&key));
        EXPECT_EQ(E_POINTER, closed.SelectAudioInput(0, TRUE));
    }
}

// The audio input on bits 12-13, written back on bits 12-14 after the
// pins settle.
TEST_F(Cx2388xCards, AudioSwitch)
{
    struct
    {
        int input;
        BOOL on;
        DWORD written;  // bits 12-14 of the write, pins read as 0x4000
    } cases[] = {
        {0, TRUE, 0x4000}, {1, TRUE, 0x5000}, {2, TRUE, 0x6000},
        {5, TRUE, 0x4000}, {-1, TRUE, 0x4000},  // other inputs: the pins as read
        {0, FALSE, 0x7000}, {2, FALSE, 0x7000},  // off mutes whatever the input
    };
    const char* names[] = {"Conexant 2388x Video Capture", "Arvel Capture Card"};
    for (const char* name : names) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(name) + " input " + std::to_string(c.input) + (c.on ? " on" : " off"));
            SimulatedCx2388xCard sim;
            sim.model.AttachGpioDevice(nullptr);
            auto card = MakeCardByName(name, &sim.capture);
            ASSERT_NE(nullptr, card);
            sim.model.SetGpioInputs(0x4000);
            sim.set.ClearCalls();
            const size_t before = m_clock.Sleeps().size();
            ASSERT_EQ(S_OK, card->SelectAudioInput(c.input, c.on));
            std::vector<DWORD> words = sim.PinWrites();
            ASSERT_EQ(1u, words.size());
            EXPECT_EQ(c.written, words[0] & 0x7000);
            EXPECT_EQ(0x7000u, sim.LastWriteMask());
            ASSERT_LT(before, m_clock.Sleeps().size());
            EXPECT_EQ(300u, m_clock.Sleeps()[before]);
        }
        // A failed read writes nothing and fails.
        SimulatedCx2388xCard sim;
        auto card = MakeCardByName(name, &sim.capture);
        ASSERT_NE(nullptr, card);
        sim.set.ClearCalls();
        sim.set.FailProperty(4, E_ACCESSDENIED);
        EXPECT_EQ(E_ACCESSDENIED, card->SelectAudioInput(1, TRUE));
        EXPECT_TRUE(sim.PinWrites().empty());
    }
}

// The controller cards' audio switch and timer exchange wait for another
// holder of "Mutex_Remote_Control" (the remote thread's key read), so no
// key read falls between their GPIO words.
TEST_F(Cx2388xCards, ControllerCardsWaitForTheRemoteMutex)
{
    SimulatedCx2388xCard sim;
    auto card = MakeCardByName("Conexant 2388x_3 Video Capture", &sim.capture);
    ASSERT_NE(nullptr, card);
    sim.set.ClearCalls();

    HANDLE locked = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE release = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread holder([&] {
        CNameMutex mutex("Mutex_Remote_Control", FALSE);
        EXPECT_TRUE(mutex.Lock());
        SetEvent(locked);
        WaitForSingleObject(release, INFINITE);
        EXPECT_TRUE(mutex.Unlock());  // still ours: nobody released it for us
    });
    WaitForSingleObject(locked, INFINITE);
    HRESULT switched = E_UNEXPECTED;
    BOOL armed = FALSE;
    std::thread user([&] {
        switched = card->SelectAudioInput(1, TRUE);
        armed = card->EnableOpenComputer(TRUE);
    });
    Sleep(200);
    EXPECT_TRUE(sim.set.Calls().empty());
    SetEvent(release);
    holder.join();
    user.join();
    EXPECT_EQ(S_OK, switched);
    EXPECT_TRUE(armed);
    EXPECT_TRUE(sim.mcu->Armed());
    CloseHandle(locked);
    CloseHandle(release);
}
