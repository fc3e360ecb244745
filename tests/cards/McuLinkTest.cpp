#include "cards/McuLink.h"

#include "hw/access/2388xAccess.h"
#include "hw/access/DelvorAccess.h"
#include "hw/access/HeskAccess.h"
#include "hw/access/TV_IOAccess.h"
#include "platform/virtualcard/model/McuController.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeHeskFilter.h"
#include "tests/support/FakeKsPropertySet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

using virtualcard::CardModel;
using virtualcard::McuController;
using virtualcard::McuPins;

namespace {

enum Transport { CommonSet, DelvorSet, HeskSets, Cx2388xBoot };

// A card with its controller on the GPIO lines, reached over one access
// class; the controller and the card count time on the fake clock.
struct ControllerCard
{
    CardModel card;
    FakeKsPropertySet common{&card};
    FakeHeskFilter hesk{&card};
    std::unique_ptr<CCustomDataAccess> access;
    std::shared_ptr<McuController> mcu;

    ControllerCard(Transport transport, const McuPins& pins)
        : mcu(std::make_shared<McuController>(pins))
    {
        card.SetTickSource([] { return static_cast<uint32_t>(zunk::GetTickCount()); });
        card.AttachGpioDevice(mcu);
        IUnknown* filter = static_cast<IKsPropertySet*>(&common);
        switch (transport) {
        case CommonSet: access.reset(new CTV_IOAccess); break;
        case DelvorSet: access.reset(new CDelvorAccess); break;
        case HeskSets:
            access.reset(new CHeskAccess);
            filter = static_cast<IKsPropertySet*>(&hesk);
            break;
        case Cx2388xBoot:
            card.SetGpioPort(CardModel::Cx2388x);
            access.reset(new C2388xBootAccess);
            break;
        }
        EXPECT_EQ(S_OK, access->Attach(filter, 0));
    }
    // Pin words the card wrote, in order: the SAA713x status register, or
    // the CX2388x driver's GPIO requests.
    std::vector<DWORD> PinWords()
    {
        std::vector<DWORD> out;
        for (const auto& t : card.Record()) {
            if (t.kind == virtualcard::Transaction::RegisterWrite && t.address == CardModel::kGpioStatus)
                out.push_back(t.value);
        }
        for (const auto& call : common.Calls()) {
            if (call.id == 4 && !call.get) {
                DWORD value = 0;
                memcpy(&value, call.request.data() + 4, sizeof(value));
                out.push_back(value);
            }
        }
        return out;
    }
    void ClearRecord()
    {
        card.ClearRecord();
        common.ClearCalls();
    }
};

struct Wiring
{
    const char* name;
    const McuWiring* wiring;
    const McuPins* pins;
    Transport transport;
    DWORD replyWaitMs;
};

const Wiring kWirings[] = {
    {"base", &kMcuBaseWiring, &McuPins::kLowByteBoard, CommonSet, 500},
    {"base over the Delvor access", &kMcuBaseWiring, &McuPins::kLowByteBoard, DelvorSet, 500},
    {"Hesk", &kMcuHeskWiring, &McuPins::kLowByteBoard, HeskSets, 1000},
    {"IO", &kMcuIoWiring, &McuPins::kSplitByteBoard, CommonSet, 500},
    {"PIP", &kMcuPipWiring, &McuPins::kSplitByteBoard, CommonSet, 500},
    {"CX2388x", &kMcuCx2388xWiring, &McuPins::kThirdByteBoard, Cx2388xBoot, 500},
};

} // namespace

TEST(McuLink, PackMcuByteSkipsBit24)
{
    struct
    {
        DWORD byte;
        DWORD word;
    } cases[] = {
        {0x01, 0x80000}, {0x10, 0x800000}, {0x11, 0x880000}, {0x33, 0x2980000},
        {0x1F, 0xF80000}, {0xE0, 0xE000000}, {0xFF, 0xEF80000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.byte);
        EXPECT_EQ(c.word, PackMcuByte(c.byte, TRUE));
        EXPECT_EQ(c.byte, PackMcuByte(c.word, FALSE));
        // Bit 24 and the tag bits take no part.
        EXPECT_EQ(c.byte, PackMcuByte(c.word | 0x1000600, FALSE));
    }
    EXPECT_EQ(0u, PackMcuByte(0x100, TRUE));
}

// The timer set, read back and armed over each wiring, against the
// controller on the card's GPIO lines.
TEST(McuLink, TimerRoundTripPerWiring)
{
    for (const Wiring& w : kWirings) {
        SCOPED_TRACE(w.name);
        FakeClock clock;
        ControllerCard t(w.transport, *w.pins);
        CMcuLink link(t.access.get(), *w.wiring);

        ASSERT_TRUE(link.SetTime(258));
        EXPECT_EQ(258, t.mcu->Minutes());
        WORD minutes = 0;
        ASSERT_TRUE(link.GetTime(&minutes));
        EXPECT_EQ(258, minutes);

        t.mcu->SetMinutes(0xBEEF);
        ASSERT_TRUE(link.GetTime(&minutes));
        EXPECT_EQ(0xBEEF, minutes);

        ASSERT_TRUE(link.Enable(TRUE));
        EXPECT_TRUE(t.mcu->Armed());
        ASSERT_TRUE(link.Enable(FALSE));
        EXPECT_FALSE(t.mcu->Armed());
    }
}

// The words each wiring puts on the pins for the timer bytes and commands.
TEST(McuLink, ControllerWords)
{
    struct
    {
        const char* name;
        const McuWiring* wiring;
        const McuPins* pins;
        Transport transport;
        std::vector<DWORD> words;  // pin words of SetTime(258) up to the read-back
    } cases[] = {
        {"base: idle, byte 1 tagged high, idle, idle, byte 2 tagged low, idle",
         &kMcuBaseWiring, &McuPins::kLowByteBoard, CommonSet,
         {0x180100, 0x080001, 0x180100, 0x180100, 0x100002, 0x180100}},
        {"Hesk: no idle word before the data", &kMcuHeskWiring, &McuPins::kLowByteBoard, HeskSets,
         {0x080001, 0x180100, 0x100002, 0x180100}},
        {"IO: packed bytes, tags on bits 9-10", &kMcuIoWiring, &McuPins::kSplitByteBoard, CommonSet,
         {0x8600, 0x80400, 0x8600, 0x8600, 0x100200, 0x8600}},
        {"CX2388x: byte on bits 16-23, the boot card's audio bits (pulled up) kept",
         &kMcuCx2388xWiring, &McuPins::kThirdByteBoard, Cx2388xBoot,
         {0xF600, 0x017400, 0xF600, 0xF600, 0x027200, 0xF600}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        ControllerCard t(c.transport, *c.pins);
        CMcuLink link(t.access.get(), *c.wiring);
        t.ClearRecord();
        ASSERT_TRUE(link.SetTime(258));
        std::vector<DWORD> words = t.PinWords();
        ASSERT_GE(words.size(), c.words.size());
        words.resize(c.words.size());
        EXPECT_EQ(c.words, words);
    }

    // Commands: arm, disarm, read high, read low.
    struct
    {
        const McuWiring* wiring;
        const McuPins* pins;
        DWORD arm, disarm;
        Transport transport;
    } commands[] = {
        {&kMcuBaseWiring, &McuPins::kLowByteBoard, 0x180033, 0x180011, CommonSet},
        {&kMcuIoWiring, &McuPins::kSplitByteBoard, 0x2980600, 0x880600, CommonSet},
        {&kMcuCx2388xWiring, &McuPins::kThirdByteBoard, 0x337600, 0x117600, Cx2388xBoot},
    };
    for (const auto& c : commands) {
        FakeClock clock;
        ControllerCard t(c.transport, *c.pins);
        CMcuLink link(t.access.get(), *c.wiring);
        ASSERT_TRUE(link.Enable(TRUE));
        ASSERT_TRUE(link.Enable(FALSE));
        std::vector<DWORD> words = t.PinWords();
        EXPECT_NE(words.end(), std::find(words.begin(), words.end(), c.arm));
        EXPECT_NE(words.end(), std::find(words.begin(), words.end(), c.disarm));
    }
}

// The audio multiplexer on bits 12-14 keeps its input through a timer
// exchange: the base wiring keeps the bits itself, the CX2388x boot card's
// access keeps them on every write.
TEST(McuLink, TimerExchangeKeepsTheAudioMultiplexer)
{
    struct
    {
        const McuWiring* wiring;
        const McuPins* pins;
        Transport transport;
    } cases[] = {
        {&kMcuBaseWiring, &McuPins::kLowByteBoard, CommonSet},
        {&kMcuCx2388xWiring, &McuPins::kThirdByteBoard, Cx2388xBoot},
    };
    for (const auto& c : cases) {
        FakeClock clock;
        ControllerCard t(c.transport, *c.pins);
        ASSERT_EQ(S_OK, t.access->WriteGPIO(0x2000, 0x7000));
        t.ClearRecord();
        CMcuLink link(t.access.get(), *c.wiring);
        ASSERT_TRUE(link.SetTime(300));
        std::vector<DWORD> words = t.PinWords();
        ASSERT_FALSE(words.empty());
        for (DWORD word : words)
            EXPECT_EQ(0x2000u, word & 0x7000) << std::hex << word;
    }
}

TEST(McuLink, StrobeTimesPerWiring)
{
    struct
    {
        const McuWiring* wiring;
        const McuPins* pins;
        Transport transport;
        std::vector<DWORD> firstSleeps;  // high byte, gap, low byte, gap
    } cases[] = {
        {&kMcuBaseWiring, &McuPins::kLowByteBoard, CommonSet, {10, 200, 5, 200}},
        {&kMcuHeskWiring, &McuPins::kLowByteBoard, HeskSets, {100, 200, 100, 200}},
        {&kMcuIoWiring, &McuPins::kSplitByteBoard, CommonSet, {10, 200, 10, 200}},
        {&kMcuCx2388xWiring, &McuPins::kThirdByteBoard, Cx2388xBoot, {10, 200, 10, 200}},
    };
    for (const auto& c : cases) {
        FakeClock clock;
        ControllerCard t(c.transport, *c.pins);
        CMcuLink link(t.access.get(), *c.wiring);
        ASSERT_TRUE(link.SetTime(1));
        std::vector<DWORD> sleeps = clock.Sleeps();
        ASSERT_GE(sleeps.size(), 4u);
        sleeps.resize(4);
        EXPECT_EQ(c.firstSleeps, sleeps);
    }
}

// A controller that never answers: each read ends at its wiring's limit.
TEST(McuLink, SilentControllerTimesOut)
{
    for (const Wiring& w : kWirings) {
        SCOPED_TRACE(w.name);
        FakeClock clock;
        ControllerCard t(w.transport, *w.pins);
        t.mcu->SetSilent(true);
        CMcuLink link(t.access.get(), *w.wiring);
        DWORD reply = 7;
        const DWORD start = zunk::GetTickCount();
        EXPECT_FALSE(link.Read(&reply));
        const DWORD elapsed = zunk::GetTickCount() - start;
        EXPECT_GT(elapsed, w.replyWaitMs);
        EXPECT_LE(elapsed, w.replyWaitMs + 2);
        EXPECT_EQ(0u, reply);
        WORD minutes = 9;
        EXPECT_FALSE(link.GetTime(&minutes));
        EXPECT_EQ(0, minutes);
    }
}

TEST(McuLink, WrongAcknowledgeRetriesFiveTimes)
{
    FakeClock clock;
    ControllerCard t(CommonSet, McuPins::kLowByteBoard);
    t.mcu->SetWrongAcknowledge(true);
    CMcuLink link(t.access.get(), kMcuBaseWiring);
    EXPECT_FALSE(link.Enable(TRUE));
    EXPECT_EQ(5, t.mcu->Commands());
}

TEST(McuLink, SetTimeFailsWhenTheReadBackDiffers)
{
    FakeClock clock;
    ControllerCard t(CommonSet, McuPins::kSplitByteBoard);
    // The controller takes the bytes but its replies are lost.
    t.mcu->SetSilent(true);
    CMcuLink link(t.access.get(), kMcuIoWiring);
    EXPECT_FALSE(link.SetTime(77));
    EXPECT_EQ(77, t.mcu->Minutes());
    EXPECT_EQ(5, t.mcu->Commands());  // one read-back per try, ended by its time-out
}

TEST(McuLink, NoAccessObjectFails)
{
    CMcuLink link(NULL, kMcuIoWiring);
    DWORD reply = 5;
    WORD minutes = 5;
    EXPECT_FALSE(link.Write(0x8600, 0x8600, 0));
    EXPECT_FALSE(link.Read(&reply));
    EXPECT_EQ(0u, reply);
    EXPECT_FALSE(link.SetTime(1));
    EXPECT_FALSE(link.GetTime(&minutes));
    EXPECT_FALSE(link.Enable(TRUE));
}

TEST(McuLink, FailedGpioCallEndsTheExchange)
{
    FakeClock clock;
    ControllerCard t(CommonSet, McuPins::kSplitByteBoard);
    t.common.FailProperty(5, E_ACCESSDENIED);
    CMcuLink link(t.access.get(), kMcuIoWiring);
    EXPECT_FALSE(link.Write(0x80600, 0xEF88600, 10));
    DWORD reply = 0;
    EXPECT_FALSE(link.Read(&reply));
    EXPECT_FALSE(link.Enable(TRUE));
}
