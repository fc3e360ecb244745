#include "hw/access/HeskAccess.h"

#include "hw/access/HeskPropertySets.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeHeskFilter.h"

#include <gtest/gtest.h>

#include <functional>

using virtualcard::CardModel;

namespace {

typedef std::vector<std::pair<DWORD, DWORD>> RegisterWrites;

struct HeskCard
{
    CardModel card;
    FakeHeskFilter filter{&card};
    CHeskAccess access;
    HeskCard()
    {
        card.SetTickSource([] { return static_cast<uint32_t>(zunk::GetTickCount()); });
        EXPECT_EQ(S_OK, access.Attach(static_cast<IKsPropertySet*>(&filter), 0));
    }
    // The pin word the card reads: inputs at `pins`, nothing driven.
    void Inputs(DWORD pins) { card.SetGpioInputs(pins); }
};

} // namespace

// GPIO sequences on the two SAA713x registers, write by write.
TEST(HeskAccess, GpioSequences)
{
    struct Case
    {
        const char* name;
        DWORD modeBefore;   // register 0x1B0 before the call
        std::function<HRESULT(CHeskAccess&)> op;
        RegisterWrites writes;
    } cases[] = {
        {"WriteGPIO", 0, [](CHeskAccess& a) { return a.WriteGPIO(0x40000, 0x40000); },
         {{0x1B0, 0x40000}, {0x1B0, 0x80040000}, {0x1B4, 0x40000}, {0x1B0, 0x80003000}}},
        {"ReadGPIO", 0, [](CHeskAccess& a) { DWORD v; return a.ReadGPIO(&v); },
         {{0x1B0, 0x3000}, {0x1B0, 0x80003000}}},
        {"ReadGPIOState", 0, [](CHeskAccess& a) { DWORD v; return a.ReadGPIOState(&v); },
         {{0x1B0, 0x3000}, {0x1B0, 0x80003000}}},
        {"ReadGPIOMode", 0, [](CHeskAccess& a) { DWORD v; return a.ReadGPIOMode(99, &v); },
         {{0x1B0, 0x3F000}, {0x1B0, 0x8003F000}}},
        {"SetAudioRoute 3 on status 0", 0x100, [](CHeskAccess& a) { return a.GPIO_SetAudioRoute(3); },
         {{0x1B0, 0x424100}, {0x1B4, 0x424000}}},
        {"SetAudioRoute 1", 0, [](CHeskAccess& a) { return a.GPIO_SetAudioRoute(1); },
         {{0x1B0, 0x424000}, {0x1B4, 0x404000}}},
        {"SetTVFM on drives bit 21 low", 0, [](CHeskAccess& a) { return a.GPIO_SetTVFM(1); },
         {{0x1B0, 0x200000}, {0x1B4, 0}}},
        {"SetTVFM off drives bit 21 high", 0, [](CHeskAccess& a) { return a.GPIO_SetTVFM(0); },
         {{0x1B0, 0x200000}, {0x1B4, 0x200000}}},
        {"GetAuxInput from a latched mode", 0x80800010,
         [](CHeskAccess& a) { DWORD v; return a.GPIO_GetAuxInput(&v); },
         {{0x1B0, 0x10}, {0x1B0, 0x80000010}}},
        {"GetAuxInput from a plain mode", 0x00800010,
         [](CHeskAccess& a) { DWORD v; return a.GPIO_GetAuxInput(&v); }, {{0x1B0, 0x80000010}}},
        {"GetAudioRoute from a latched mode", 0x80424000,
         [](CHeskAccess& a) { DWORD v; return a.GPIO_GetAudioRoute(&v); },
         {{0x1B0, 0x4000}, {0x1B0, 0x80004000}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeskCard t;
        ASSERT_EQ(S_OK, t.access.WriteRegister(0x1B0, c.modeBefore));
        t.filter.ClearCalls();
        EXPECT_EQ(S_OK, c.op(t.access));
        EXPECT_EQ(c.writes, t.filter.RegisterWrites());
    }
}

TEST(HeskAccess, RoutingReadsTheInputPins)
{
    struct Case
    {
        DWORD pins;
        DWORD route;
        DWORD aux;
    } cases[] = {
        {0x420000, 3, 0}, {0x020000, 2, 0}, {0x400000, 1, 0}, {0x800000, 0, 1}, {0xC20000, 3, 1}, {0x820000, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.pins);
        HeskCard t;
        t.Inputs(c.pins);
        DWORD route = 99, aux = 99;
        ASSERT_EQ(S_OK, t.access.GPIO_GetAudioRoute(&route));
        ASSERT_EQ(S_OK, t.access.GPIO_GetAuxInput(&aux));
        EXPECT_EQ(c.route, route);
        EXPECT_EQ(c.aux, aux);
    }
    HeskCard t;
    ASSERT_EQ(S_OK, t.access.GPIO_SetAudioRoute(2));
    EXPECT_EQ(0x024000u, t.card.GpioOutputs() & 0x424000);
}

TEST(HeskAccess, I2CReachesTheCardChips)
{
    HeskCard t;
    t.card.SetEepromFacts('P', 92, 0x33, 2);
    BYTE v = 0;
    ASSERT_EQ(S_OK, t.access.ReadI2CByte(0xA0, 0x21, &v));
    EXPECT_EQ(92, v);
    ASSERT_EQ(S_OK, t.access.WriteI2CByte(0xA0, 0x30, 0x5A));
    ASSERT_EQ(S_OK, t.access.ReadI2CByte(0xA0, 0x30, &v));
    EXPECT_EQ(0x5A, v);
    // An absent chip: the driver's failure comes back, the value is kept.
    v = 0x11;
    EXPECT_EQ(E_FAIL, t.access.ReadI2CByte(0x42, 0, &v));
    EXPECT_EQ(0x11, v);

    // Block write: address byte first, then the data; block read replies
    // over the caller's buffer from byte 0.
    BYTE pointer[3] = {0xA0, 0x20, 'L'};
    ASSERT_EQ(S_OK, t.access.WriteI2CBlock(pointer, 3));
    BYTE rewind[2] = {0xA0, 0x20};
    ASSERT_EQ(S_OK, t.access.WriteI2CBlock(rewind, 2));
    BYTE block[2] = {0xA0, 0};
    ASSERT_EQ(S_OK, t.access.ReadI2CBlock(block, 2));
    EXPECT_EQ('L', block[0]);
    EXPECT_EQ(92, block[1]);

    auto calls = t.filter.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(KSPROPSETID_HeskI2C, calls[0].set);
    EXPECT_EQ(sizeof(HeskI2CTransfer), calls[0].instanceLength);
    EXPECT_EQ(sizeof(HeskI2CData), calls[0].dataLength);
}

// Lengths outside what one transfer carries never reach the driver.
TEST(HeskAccess, RefusesBadBlockLengths)
{
    struct
    {
        LONG length;
        bool read;
        HRESULT expected;
    } cases[] = {
        {0, true, E_INVALIDARG},     {-1, true, E_INVALIDARG},   {257, true, E_INVALIDARG},
        {0, false, E_INVALIDARG},    {-7, false, E_INVALIDARG},  {257, false, E_INVALIDARG},
        {100000, false, E_INVALIDARG}, {1, true, S_OK},          {256, true, S_OK},
        {2, false, S_OK},            {256, false, S_OK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << (c.read ? " read" : " write"));
        HeskCard t;
        BYTE buffer[300] = {0xA0};
        HRESULT hr = c.read ? t.access.ReadI2CBlock(buffer, c.length)
                            : t.access.WriteI2CBlock(buffer, c.length);
        EXPECT_EQ(c.expected, hr);
        EXPECT_EQ(c.expected == S_OK ? 1u : 0u, t.filter.Calls().size());
    }
}

TEST(HeskAccess, ArgumentAndAttachErrors)
{
    CHeskAccess idle;
    BYTE b = 0;
    DWORD d = 0;
    BYTE block[2] = {0xC0, 0};
    EXPECT_EQ(E_FAIL, idle.ReadI2CByte(0xC0, 0, &b));
    EXPECT_EQ(E_FAIL, idle.WriteI2CByte(0xC0, 0, 0));
    EXPECT_EQ(E_FAIL, idle.ReadI2CBlock(block, 1));
    EXPECT_EQ(E_FAIL, idle.WriteI2CBlock(block, 2));
    EXPECT_EQ(E_FAIL, idle.ReadRegister(0x1B4, &d));
    EXPECT_EQ(E_FAIL, idle.WriteRegister(0x1B4, 0));
    EXPECT_EQ(E_FAIL, idle.ReadGPIO(&d));
    EXPECT_EQ(E_FAIL, idle.WriteGPIO(1, 1));
    EXPECT_EQ(E_FAIL, idle.ReadRemoteCode(&b));
    EXPECT_EQ(E_FAIL, idle.ReadRemoteByte(&b));
    EXPECT_EQ(E_FAIL, idle.ReadRemoteKey(&b));
    EXPECT_EQ(E_POINTER, idle.GetSignalPresent(&d));
    EXPECT_EQ(E_POINTER, idle.Attach(NULL, 0));
    EXPECT_EQ(S_OK, idle.SetProperty1(1));

    HeskCard t;
    EXPECT_EQ(E_POINTER, t.access.ReadI2CByte(0xC0, 0, NULL));
    EXPECT_EQ(E_INVALIDARG, t.access.ReadI2CByte(0xC0, -1, &b));
    EXPECT_EQ(E_INVALIDARG, t.access.WriteI2CByte(0xC0, -1, 0));
    EXPECT_EQ(E_POINTER, t.access.ReadI2CBlock(NULL, 1));
    EXPECT_EQ(E_FAIL, t.access.WriteI2CBlock(NULL, 2));
    EXPECT_EQ(E_POINTER, t.access.ReadRegister(0, NULL));
    EXPECT_EQ(E_POINTER, t.access.ReadGPIO(NULL));
    EXPECT_EQ(E_POINTER, t.access.GPIO_GetAudioRoute(NULL));
    EXPECT_TRUE(t.filter.Calls().empty());
}

TEST(HeskAccess, AttachHoldsBothInterfacesOnce)
{
    CardModel card;
    FakeHeskFilter first(&card), second(&card), bare(&card, false);
    {
        CHeskAccess access;
        ASSERT_EQ(S_OK, access.Attach(static_cast<IKsPropertySet*>(&first), 0));
        EXPECT_EQ(3, first.RefCount());  // the property set and the control
        ASSERT_EQ(S_OK, access.Attach(static_cast<IKsPropertySet*>(&second), 0));
        EXPECT_EQ(1, first.RefCount());
        EXPECT_EQ(3, second.RefCount());
        // A driver without IKsControl: its failure is the result.
        EXPECT_EQ(E_NOINTERFACE, access.Attach(static_cast<IKsPropertySet*>(&bare), 0));
        EXPECT_EQ(1, second.RefCount());
    }
    EXPECT_EQ(1, bare.RefCount());
}

TEST(HeskAccess, SuccessCodesAreNormalised)
{
    HeskCard t;
    t.filter.SucceedWith(S_FALSE);
    DWORD d = 0;
    BYTE b = 0;
    EXPECT_EQ(S_OK, t.access.WriteRegister(0x1B4, 1));
    EXPECT_EQ(S_OK, t.access.ReadRegister(0x1B4, &d));
    EXPECT_EQ(S_OK, t.access.ReadI2CByte(0xA0, 0, &b));
    EXPECT_EQ(S_OK, t.access.WriteGPIO(1, 1));
}

TEST(HeskAccess, SignalPresent)
{
    HeskCard t;
    t.card.SetCarriers({55250});
    DWORD present = 7;
    ASSERT_EQ(S_OK, t.access.GetSignalPresent(&present));
    EXPECT_EQ(0u, present);
    BYTE tune[5] = {0xC0, 0x05, 0xE2, 0xCE, 0x01};  // (55250 + 38900) / 62.5 = 1506
    ASSERT_EQ(S_OK, t.access.WriteI2CBlock(tune, 5));
    ASSERT_EQ(S_OK, t.access.GetSignalPresent(&present));
    EXPECT_EQ(1u, present);
    t.filter.FailSet(KSPROPSETID_HeskRegister, E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, t.access.GetSignalPresent(&present));
    EXPECT_EQ(0u, present);
}

TEST(HeskAccess, RemoteCodeIsTheLastSampleWhileHeld)
{
    FakeClock clock;
    HeskCard t;
    BYTE code = 0;
    EXPECT_EQ(E_FAIL, t.access.ReadRemoteCode(&code));  // no key

    t.card.PressRemoteKey(CardModel::GpioRemotePins(0x15), CardModel::kGpioRemoteMask, 30);
    ASSERT_EQ(S_OK, t.access.ReadRemoteCode(&code));
    EXPECT_EQ(0x15, code);
    EXPECT_GE(clock.TotalSlept(), 30u);

    // Held for longer than the limit: the read ends at the limit.
    t.card.PressRemoteKey(CardModel::GpioRemotePins(0x2A), CardModel::kGpioRemoteMask, 5000);
    const DWORD start = zunk::GetTickCount();
    ASSERT_EQ(S_OK, t.access.ReadRemoteCode(&code));
    EXPECT_EQ(0x2A, code);
    EXPECT_LE(zunk::GetTickCount() - start, 1002u);
    EXPECT_GE(zunk::GetTickCount() - start, 1000u);

    // A read that fails while the key is held still reports the key.
    t.card.PressRemoteKey(CardModel::GpioRemotePins(0x07), CardModel::kGpioRemoteMask, 5000);
    t.filter.FailSet(KSPROPSETID_HeskRegister, E_FAIL, 6);  // after the first sample
    ASSERT_EQ(S_OK, t.access.ReadRemoteCode(&code));
    EXPECT_EQ(0x07, code);
}

TEST(HeskAccess, RemoteKeyFromTheKeyPort)
{
    FakeClock clock;
    HeskCard t;
    BYTE code = 0;
    t.Inputs(0x1500);
    ASSERT_EQ(S_OK, t.access.ReadRemoteKey(&code));
    EXPECT_EQ(0x15, code);
    EXPECT_EQ(std::vector<DWORD>{76}, clock.Sleeps());
    EXPECT_EQ((RegisterWrites{{0x1B0, 0xFFA0FF}, {0x1B0, 0x80FFA0FF}}), t.filter.RegisterWrites());

    t.Inputs(0x4000);
    EXPECT_EQ(E_FAIL, t.access.ReadRemoteKey(&code));
    EXPECT_EQ(255, code);
    EXPECT_EQ(1u, clock.Sleeps().size());
}

TEST(HeskAccess, RemoteByteFromTheDriver)
{
    HeskCard t;
    BYTE code = 0x42;
    EXPECT_EQ(E_FAIL, t.access.ReadRemoteByte(&code));  // driver reads 255
    EXPECT_EQ(0x42, code);
    t.card.PressRemoteKey(CardModel::GpioRemotePins(0x33), CardModel::kGpioRemoteMask, 100000);
    ASSERT_EQ(S_OK, t.access.ReadRemoteByte(&code));
    EXPECT_EQ(0x33, code);
    t.filter.FailSet(KSPROPSETID_HeskRemote, E_FAIL);
    code = 0x42;
    EXPECT_EQ(E_FAIL, t.access.ReadRemoteByte(&code));
    EXPECT_EQ(0x42, code);
}
