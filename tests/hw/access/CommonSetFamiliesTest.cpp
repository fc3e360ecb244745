// The Delvor and Cadrox access classes: what sets them apart from the
// common set's base access (GPIO timing, control switches, tuner reset).
#include "hw/access/CadroxAccess.h"
#include "hw/access/DelvorAccess.h"

#include "tests/support/FakeClock.h"
#include "tests/support/FakeKsPropertySet.h"

#include <gtest/gtest.h>

#include <cstring>

using virtualcard::CardModel;

namespace {

template <class Access>
struct Attached
{
    CardModel card;
    FakeKsPropertySet set{&card};
    Access access;
    Attached() { EXPECT_EQ(S_OK, access.Attach(&set, 0)); }
};

} // namespace

TEST(DelvorAccess, GpioWritesHoldTheControllerTime)
{
    FakeClock clock;
    Attached<CDelvorAccess> t;
    ASSERT_EQ(S_OK, t.access.WriteGPIO(0x40000, 0x40000));
    EXPECT_EQ(std::vector<DWORD>{120}, clock.Sleeps());
    // The hold sits between the pin word and the strobe back to read mode.
    auto calls = t.set.Calls();
    ASSERT_EQ(4u, calls.size());
    DWORD last[2];
    memcpy(last, calls[3].request.data(), sizeof(last));
    EXPECT_EQ(0x1B0u, last[0]);
    EXPECT_EQ(0x80003000u, last[1]);
    // A delayed write is the same write: the caller's delay is not added.
    ASSERT_EQ(S_OK, t.access.WriteGPIODelayed(1, 1, 30));
    EXPECT_EQ((std::vector<DWORD>{120, 120}), clock.Sleeps());
}

TEST(CadroxAccess, GpioWritesAreImmediateUnlessDelayed)
{
    FakeClock clock;
    Attached<CCadroxAccess> t;
    ASSERT_EQ(S_OK, t.access.WriteGPIO(1, 1));
    EXPECT_TRUE(clock.Sleeps().empty());
    ASSERT_EQ(S_OK, t.access.WriteGPIODelayed(1, 1, 30));
    EXPECT_EQ(std::vector<DWORD>{30}, clock.Sleeps());
}

TEST(CommonSetFamilies, ControlSwitchesAndUnwiredFunctions)
{
    Attached<CDelvorAccess> delvor;
    Attached<CCadroxAccess> cadrox;
    for (CTV_IOAccess* a : {static_cast<CTV_IOAccess*>(&delvor.access),
                            static_cast<CTV_IOAccess*>(&cadrox.access)}) {
        EXPECT_EQ(S_OK, a->SetProperty7(7));
        EXPECT_EQ(S_OK, a->SetProperty8(8));
        EXPECT_EQ(S_OK, a->SetProperty9());
        EXPECT_EQ(S_OK, a->SetProperty10(10));
        DWORD present = 0;
        EXPECT_EQ(E_FAIL, a->GetSignalPresent(&present));
        EXPECT_EQ(E_NOTIMPL, a->SetAuxOutput(1));
        EXPECT_EQ(E_FAIL, a->GPIO_SetTVFM(1));
        EXPECT_EQ(E_FAIL, a->GPIO_SetAudioRoute(1));
    }
    // The Delvor driver has no switches: nothing reaches it.
    EXPECT_TRUE(delvor.set.Calls().empty());
    uint32_t value = 0;
    EXPECT_FALSE(delvor.card.GetControl(7, &value));
    // The Cadrox driver takes each with its value.
    ASSERT_TRUE(cadrox.card.GetControl(7, &value));
    EXPECT_EQ(7u, value);
    ASSERT_TRUE(cadrox.card.GetControl(10, &value));
    EXPECT_EQ(10u, value);
    EXPECT_TRUE(cadrox.card.GetControl(9, &value));
}

TEST(CommonSetFamilies, TunerReset)
{
    Attached<CCadroxAccess> cadrox;
    cadrox.card.SetGpioInputs(0x5634A5);  // bit 18 among others
    ASSERT_EQ(S_OK, cadrox.access.SetTunerReset(0));
    // Only bit 18 changes from the pins as read, and no strobe is written.
    EXPECT_EQ(0x5234A5u, cadrox.card.GpioOutputs());
    EXPECT_FALSE(cadrox.card.TunerResetLevel());
    EXPECT_EQ(0x40000u, cadrox.card.GpioOutputEnable());

    Attached<CDelvorAccess> delvor;
    delvor.set.ClearCalls();
    EXPECT_EQ(S_OK, delvor.access.SetTunerReset(0));
    EXPECT_TRUE(delvor.set.Calls().empty());
}

TEST(CommonSetFamilies, BlockReadSetsTheReadBitInTheCallersBuffer)
{
    Attached<CCadroxAccess> t;
    BYTE block[2] = {0xC0, 0};
    ASSERT_EQ(S_OK, t.access.ReadI2CBlock(block, 1));
    auto calls = t.set.Calls();
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(0xC1, calls[0].request[0]);
}
