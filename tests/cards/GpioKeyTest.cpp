#include "cards/GpioKey.h"

#include "cards/McuLink.h"
#include "hw/access/TV_IOAccess.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeKsPropertySet.h"

#include <gtest/gtest.h>

using virtualcard::CardModel;

namespace {

struct KeyCard
{
    CardModel card;
    FakeKsPropertySet set{&card};
    CTV_IOAccess access;
    KeyCard()
    {
        card.SetTickSource([] { return static_cast<uint32_t>(zunk::GetTickCount()); });
        EXPECT_EQ(S_OK, access.Attach(&set, 0));
    }
};

// What each receiver wiring shows on the pins while `key` is down.
struct KeyLines
{
    const char* name;
    const GpioKeyWiring* wiring;
    uint32_t (*pins)(uint8_t key);
    uint32_t mask;
};

uint32_t BasePins(uint8_t key) { return CardModel::GpioRemotePins(key); }
uint32_t IoPins(uint8_t key)
{
    return 0x600 | PackMcuByte(static_cast<uint8_t>(~key), TRUE);
}

uint32_t Cx2388xPins(uint8_t key)
{
    return 0x600 | (static_cast<uint32_t>(static_cast<uint8_t>(~key)) << 16);
}

const KeyLines kLines[] = {
    {"base", &kGpioKeyBaseWiring, BasePins, CardModel::kGpioRemoteMask},
    {"IO", &kGpioKeyIoWiring, IoPins, 0xE00 | 0xEF80000},
    {"CX2388x controller", &kGpioKeyCx2388xWiring, Cx2388xPins, 0xE00 | 0xFF0000},
};

} // namespace

TEST(GpioKey, KeyPerWiring)
{
    for (const KeyLines& l : kLines) {
        SCOPED_TRACE(l.name);
        FakeClock clock;
        KeyCard t;
        BYTE key = 0;
        EXPECT_FALSE(ReadGpioKey(&t.access, *l.wiring, &key));
        EXPECT_TRUE(clock.Sleeps().empty());

        // A short press: the key, once, after the press has ended.
        t.card.PressRemoteKey(l.pins(0x15), l.mask, 30);
        ASSERT_TRUE(ReadGpioKey(&t.access, *l.wiring, &key));
        EXPECT_EQ(0x15, key);
        EXPECT_GE(clock.TotalSlept(), 30u);
        EXPECT_FALSE(ReadGpioKey(&t.access, *l.wiring, &key));

        // Held far longer: reported at the limit, still down afterwards.
        t.card.PressRemoteKey(l.pins(0xC1), l.mask, 5000);
        const DWORD start = zunk::GetTickCount();
        ASSERT_TRUE(ReadGpioKey(&t.access, *l.wiring, &key));
        EXPECT_EQ(0xC1, key);
        EXPECT_EQ(1001u, zunk::GetTickCount() - start);
        EXPECT_TRUE(ReadGpioKey(&t.access, *l.wiring, &key));
    }
}

TEST(GpioKey, ReadFailureAfterTheKeyStillReportsIt)
{
    FakeClock clock;
    KeyCard t;
    t.card.PressRemoteKey(BasePins(0x42), CardModel::kGpioRemoteMask, 5000);
    // The first GPIO read is three register calls; the second read fails.
    t.set.FailProperty(5, E_FAIL, 3);
    BYTE key = 0;
    ASSERT_TRUE(ReadGpioKey(&t.access, kGpioKeyBaseWiring, &key));
    EXPECT_EQ(0x42, key);
    EXPECT_FALSE(ReadGpioKey(NULL, kGpioKeyBaseWiring, &key));
    EXPECT_FALSE(ReadGpioKey(&t.access, kGpioKeyBaseWiring, NULL));
}

TEST(GpioKey, PatternWaitIsBounded)
{
    FakeClock clock;
    KeyCard t;
    DWORD word = 5;
    // Never seen: the wait ends at its limit.
    EXPECT_FALSE(WaitGpioPattern(&t.access, &word, 0x100, 0x100, 500));
    EXPECT_EQ(0u, word);
    // Seen and never ended: the same.
    t.card.SetGpioInputs(0x100);
    const DWORD start = zunk::GetTickCount();
    EXPECT_FALSE(WaitGpioPattern(&t.access, &word, 0x100, 0x100, 500));
    EXPECT_EQ(501u, zunk::GetTickCount() - start);
    // Seen, then ended: the last matching sample.
    t.card.SetGpioInputs(0);
    t.card.PressRemoteKey(0x1AB, 0x1FF, 40);
    ASSERT_TRUE(WaitGpioPattern(&t.access, &word, 0x100, 0x100, 500));
    EXPECT_EQ(0x1ABu, word & 0x1FF);
}

// Receivers on bits 0-8 are read once: no hold, no pause.
TEST(GpioKey, NineBitReceiverReadsOneSample)
{
    struct
    {
        uint32_t pins;
        bool key;
        BYTE code;
    } cases[] = {
        {0x0FF, true, 0x00},   // inverted 0x00
        {0x0EF, true, 0x01},   // inverted 0x10, nibbles swapped
        {0x0E5, true, 0xA1},   // inverted 0x1A
        {0x03C, true, 0x3C},
        {0x1E5, false, 0},     // bit 8 high: no key, whatever bits 0-7 hold
        {0x100, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pins);
        FakeClock clock;
        KeyCard t;
        t.card.PressRemoteKey(c.pins, 0x1FF, 5000);
        BYTE key = 0x77;
        EXPECT_EQ(c.key, ReadGpioKey(&t.access, kGpioKeyNineBitWiring, &key) != FALSE);
        EXPECT_EQ(c.key ? c.code : 0x77, key);
        EXPECT_TRUE(clock.Sleeps().empty());
        BYTE decoded = 0x77;
        EXPECT_EQ(c.key, DecodeGpioKey(kGpioKeyNineBitWiring, c.pins, &decoded) != FALSE);
        EXPECT_EQ(c.key ? c.code : 0x77, decoded);
    }
}
