#include "hw/access/TV_IOAccess.h"

#include "tests/support/FakeClock.h"
#include "tests/support/FakeKsPropertySet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using virtualcard::CardModel;
using virtualcard::Transaction;

namespace {

struct AttachedAccess
{
    CardModel card;
    FakeKsPropertySet set{&card};
    CTV_IOAccess access;
    AttachedAccess()
    {
        EXPECT_EQ(S_OK, access.Attach(&set, 0));
        // A register chip where the demodulator would sit.
        card.AddDevice(0x86, std::make_shared<virtualcard::Eeprom>());
    }
};

std::vector<BYTE> Bytes(std::initializer_list<int> values)
{
    std::vector<BYTE> out;
    for (int v : values)
        out.push_back(static_cast<BYTE>(v));
    return out;
}

// The payload (bytes from offset 24) of one property call, up to `length`.
std::vector<BYTE> Payload(const FakeKsPropertySet::Call& call, size_t length)
{
    return std::vector<BYTE>(call.request.begin(),
                             call.request.begin() + std::min(length, call.request.size()));
}

std::vector<BYTE> Word(DWORD first, DWORD second)
{
    std::vector<BYTE> out(8);
    memcpy(out.data(), &first, 4);
    memcpy(out.data() + 4, &second, 4);
    return out;
}

struct ExpectedCall
{
    DWORD id;
    bool get;
    DWORD dataLength;
    std::vector<BYTE> payload;  // compared over its own length
};

struct WireCase
{
    const char* name;
    std::function<HRESULT(CTV_IOAccess&)> op;
    std::vector<ExpectedCall> calls;
};

} // namespace

// Exact requests of each operation on the wire: property id, direction,
// buffer length and the payload bytes the driver reads.
TEST(TV_IOAccess, SendsExactRequests)
{
    const WireCase cases[] = {
        {"WriteI2CByte", [](CTV_IOAccess& a) { return a.WriteI2CByte(0x86, 2, 0x4B); },
         {{2, false, 56, Bytes({0x86, 0, 0, 0, 2, 0, 0, 0, 0x4B})}}},
        {"ReadI2CByte", [](CTV_IOAccess& a) { BYTE v; return a.ReadI2CByte(0xA0, 0x21, &v); },
         {{2, true, 56, Bytes({0xA0, 0, 0, 0, 0x21, 0, 0, 0})}}},
        {"WriteI2CBlock clears the read bit",
         [](CTV_IOAccess& a) {
             BYTE m[5] = {0xC1, 0x05, 0x72, 0xCE, 0x01};
             return a.WriteI2CBlock(m, 5);
         },
         {{6, false, 304, Bytes({0xC0, 0x05, 0x72, 0xCE, 0x01})}}},
        {"ReadI2CBlock sets the read bit",
         [](CTV_IOAccess& a) {
             BYTE m[2] = {0xC0, 0};
             return a.ReadI2CBlock(m, 2);
         },
         {{6, true, 304, Bytes({0xC1, 0})}}},
        {"WriteRegister", [](CTV_IOAccess& a) { return a.WriteRegister(0x16C, 0xBB); },
         {{5, false, 48, Word(0x16C, 0xBB)}}},
        {"ReadRegister", [](CTV_IOAccess& a) { DWORD v; return a.ReadRegister(0x11C, &v); },
         {{5, true, 48, Word(0x11C, 0)}}},
        {"WriteGPIO",
         [](CTV_IOAccess& a) { return a.WriteGPIO(0x40000, 0x40000); },
         {{5, false, 48, Word(0x1B0, 0x40000)},
          {5, false, 48, Word(0x1B0, 0x80040000)},
          {5, false, 48, Word(0x1B4, 0x40000)},
          {5, false, 48, Word(0x1B0, 0x80003000)}}},
        {"ReadGPIO",
         [](CTV_IOAccess& a) { DWORD v; return a.ReadGPIO(&v); },
         {{5, false, 48, Word(0x1B0, 0x3000)},
          {5, false, 48, Word(0x1B0, 0x80003000)},
          {5, true, 48, Word(0x1B4, 0)}}},
        {"ReadRegisterByte reads the aligned word",
         [](CTV_IOAccess& a) { BYTE v; return a.ReadRegisterByte(0x1B6, &v); },
         {{5, true, 48, Word(0x1B4, 0)}}},
        {"SetAuxOutput on", [](CTV_IOAccess& a) { return a.SetAuxOutput(5); },
         {{5, false, 48, Word(0x16C, 0xBB)}}},
        {"SetAuxOutput off", [](CTV_IOAccess& a) { return a.SetAuxOutput(0); },
         {{5, false, 48, Word(0x16C, 0xFF)}}},
        {"SetProperty1", [](CTV_IOAccess& a) { return a.SetProperty1(0x5A); },
         {{1, false, 48, Bytes({0x5A, 0, 0, 0})}}},
        {"SetProperty3", [](CTV_IOAccess& a) { return a.SetProperty3(7); },
         {{3, false, 48, Bytes({7, 0, 0, 0})}}},
        {"SetProperty7", [](CTV_IOAccess& a) { return a.SetProperty7(0x11223344); },
         {{7, false, 48, Bytes({0x44, 0x33, 0x22, 0x11})}}},
        {"SetProperty8", [](CTV_IOAccess& a) { return a.SetProperty8(2); },
         {{8, false, 48, Bytes({2, 0, 0, 0})}}},
        {"SetProperty9", [](CTV_IOAccess& a) { return a.SetProperty9(); }, {{9, false, 40, {}}}},
        {"SetProperty10", [](CTV_IOAccess& a) { return a.SetProperty10(3); },
         {{10, false, 48, Bytes({3, 0, 0, 0})}}},
    };
    for (const WireCase& c : cases) {
        SCOPED_TRACE(c.name);
        AttachedAccess t;
        EXPECT_EQ(S_OK, c.op(t.access));
        auto calls = t.set.Calls();
        ASSERT_EQ(c.calls.size(), calls.size());
        for (size_t i = 0; i < calls.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(c.calls[i].id, calls[i].id);
            EXPECT_EQ(c.calls[i].get, calls[i].get);
            EXPECT_EQ(c.calls[i].dataLength, calls[i].dataLength);
            EXPECT_EQ(c.calls[i].dataLength - 24, calls[i].instanceLength);
            EXPECT_EQ(c.calls[i].payload, Payload(calls[i], c.calls[i].payload.size()));
        }
    }
}

TEST(TV_IOAccess, BlockLengthFieldCarriesTheLength)
{
    AttachedAccess t;
    BYTE message[256] = {0xC0};
    ASSERT_EQ(S_OK, t.access.WriteI2CBlock(message, 256));
    auto calls = t.set.Calls();
    ASSERT_EQ(1u, calls.size());
    LONG length = 0;
    memcpy(&length, calls[0].request.data() + 256, 4);  // offset 280 in the buffer
    EXPECT_EQ(256, length);
}

// Lengths the wire buffer cannot carry are refused before anything is sent.
TEST(TV_IOAccess, RefusesBadBlockLengths)
{
    struct { LONG length; bool read; HRESULT expected; } cases[] = {
        {0, true, E_INVALIDARG},   {-1, true, E_INVALIDARG},   {257, true, E_INVALIDARG},
        {1, false, E_INVALIDARG},  {0, false, E_INVALIDARG},   {-5, false, E_INVALIDARG},
        {257, false, E_INVALIDARG}, {100000, false, E_INVALIDARG},
        {1, true, S_OK},           {256, true, S_OK},          {2, false, S_OK},
        {256, false, S_OK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << (c.read ? " read" : " write"));
        AttachedAccess t;
        BYTE buffer[300] = {0xC0};
        HRESULT hr = c.read ? t.access.ReadI2CBlock(buffer, c.length)
                            : t.access.WriteI2CBlock(buffer, c.length);
        EXPECT_EQ(c.expected, hr);
        EXPECT_EQ(c.expected == S_OK ? 1u : 0u, t.set.Calls().size());
    }
}

TEST(TV_IOAccess, ArgumentAndAttachErrors)
{
    CTV_IOAccess idle;
    BYTE b = 0;
    DWORD d = 0;
    BYTE block[4] = {0xC0, 1, 2, 3};
    EXPECT_EQ(E_FAIL, idle.ReadI2CByte(0xC0, 0, &b));
    EXPECT_EQ(E_FAIL, idle.WriteI2CByte(0xC0, 0, 1));
    EXPECT_EQ(E_FAIL, idle.ReadI2CBlock(block, 1));
    EXPECT_EQ(E_FAIL, idle.WriteI2CBlock(block, 4));
    EXPECT_EQ(E_FAIL, idle.ReadRegister(0x1B4, &d));
    EXPECT_EQ(E_FAIL, idle.WriteRegister(0x1B4, 1));
    EXPECT_EQ(E_FAIL, idle.ReadGPIO(&d));
    EXPECT_EQ(E_FAIL, idle.WriteGPIO(1, 1));
    EXPECT_EQ(E_FAIL, idle.SetProperty1(1));
    EXPECT_EQ(E_FAIL, idle.SetProperty9());
    EXPECT_EQ(E_FAIL, idle.SetAuxOutput(1));
    EXPECT_EQ(E_POINTER, idle.GetSignalPresent(&d));
    EXPECT_EQ(E_POINTER, idle.Attach(NULL, 0));

    AttachedAccess t;
    EXPECT_EQ(E_POINTER, t.access.ReadI2CByte(0xC0, 0, NULL));
    EXPECT_EQ(E_INVALIDARG, t.access.ReadI2CByte(0xC0, -1, &b));
    EXPECT_EQ(E_INVALIDARG, t.access.WriteI2CByte(0xC0, -1, 0));
    EXPECT_EQ(E_POINTER, t.access.ReadI2CBlock(NULL, 1));
    EXPECT_EQ(E_POINTER, t.access.ReadGPIO(NULL));
    EXPECT_EQ(E_POINTER, t.access.ReadRegister(0, NULL));
    EXPECT_TRUE(t.set.Calls().empty());
}

TEST(TV_IOAccess, AttachHoldsOneReferenceAndKeepsItOnNull)
{
    CardModel card;
    FakeKsPropertySet first(&card), second(&card);
    {
        CTV_IOAccess access;
        ASSERT_EQ(S_OK, access.Attach(&first, 0));
        EXPECT_EQ(2u, first.RefCount());
        EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
        EXPECT_EQ(2u, first.RefCount());
        DWORD v;
        EXPECT_EQ(S_OK, access.ReadRegister(0x1B4, &v));
        ASSERT_EQ(S_OK, access.Attach(&second, 0));
        EXPECT_EQ(1u, first.RefCount());
        EXPECT_EQ(2u, second.RefCount());
    }
    EXPECT_EQ(1u, second.RefCount());
}

TEST(TV_IOAccess, ReadsAndWritesReachTheCard)
{
    AttachedAccess t;
    t.card.SetEepromFacts('P', 92, 0x33, 2);
    BYTE v = 0;
    ASSERT_EQ(S_OK, t.access.ReadI2CByte(0xA0, 0x21, &v));
    EXPECT_EQ(92, v);
    // Absent device: the driver's failure is passed up and the value kept.
    v = 0x55;
    EXPECT_EQ(E_FAIL, t.access.ReadI2CByte(0x42, 0, &v));
    EXPECT_EQ(0x55, v);

    // Block read: the reply overwrites the caller's buffer from byte 0.
    BYTE block[3] = {0xA0, 0, 0};
    BYTE pointer[2] = {0xA0, 0x20};
    ASSERT_EQ(S_OK, t.access.WriteI2CBlock(pointer, 2));
    ASSERT_EQ(S_OK, t.access.ReadI2CBlock(block, 3));
    EXPECT_EQ(Bytes({'P', 92, 0xFF}), std::vector<BYTE>(block, block + 3));

    ASSERT_EQ(S_OK, t.access.SetAuxOutput(1));
    EXPECT_EQ(0xBBu, t.card.AuxOutput());
}

TEST(TV_IOAccess, SignalPresentFollowsTheDecoderLock)
{
    AttachedAccess t;
    t.card.SetCarriers({55250});
    DWORD present = 7;
    ASSERT_EQ(S_OK, t.access.GetSignalPresent(&present));
    EXPECT_EQ(0u, present);
    BYTE tune[5] = {0xC0, 0x05, 0xE2, 0xCE, 0x01};  // (55250 + 38900) / 62.5 = 1506
    ASSERT_EQ(S_OK, t.access.WriteI2CBlock(tune, 5));
    ASSERT_EQ(S_OK, t.access.GetSignalPresent(&present));
    EXPECT_EQ(1u, present);
    t.set.FailProperty(5, E_FAIL);
    EXPECT_EQ(E_FAIL, t.access.GetSignalPresent(&present));
    EXPECT_EQ(0u, present);
}

TEST(TV_IOAccess, TunerResetDrivesTheResetLine)
{
    AttachedAccess t;
    ASSERT_EQ(S_OK, t.access.SetTunerReset(0));
    EXPECT_FALSE(t.card.TunerResetLevel());
    EXPECT_NE(0u, t.card.GpioOutputEnable() & 0x40000);
    ASSERT_EQ(S_OK, t.access.SetTunerReset(1));
    EXPECT_TRUE(t.card.TunerResetLevel());
    EXPECT_EQ(1, t.card.TunerResetPulses());
    // Other pins keep their level.
    ASSERT_EQ(S_OK, t.access.WriteGPIO(0x41000, 0x41000));
    ASSERT_EQ(S_OK, t.access.SetTunerReset(0));
    EXPECT_EQ(0x1000u, t.card.GpioOutputs() & 0x41000);
}

TEST(TV_IOAccess, GpioSequenceStopsAtTheFirstFailure)
{
    AttachedAccess t;
    t.set.FailProperty(5, E_ACCESSDENIED, 2);  // the third register write fails
    EXPECT_EQ(E_ACCESSDENIED, t.access.WriteGPIO(1, 1));
    EXPECT_EQ(3u, t.set.Calls().size());
}

TEST(TV_IOAccess, DelayedGpioWaitsBeforeTheStrobe)
{
    FakeClock clock;
    AttachedAccess t;
    ASSERT_EQ(S_OK, t.access.WriteGPIODelayed(1, 1, 30));
    EXPECT_EQ(std::vector<DWORD>{30}, clock.Sleeps());
    EXPECT_EQ(4u, t.set.Calls().size());
    ASSERT_EQ(S_OK, t.access.WriteGPIODelayed(1, 1, 0));
    EXPECT_EQ(std::vector<DWORD>{30}, clock.Sleeps());
}

TEST(TV_IOAccess, RemoteKeyShowsOnTheGpioPinsWhileHeld)
{
    FakeClock clock;
    AttachedAccess t;
    t.card.SetTickSource([] { return static_cast<uint32_t>(zunk::GetTickCount()); });
    t.card.PressRemoteKey(CardModel::GpioRemotePins(0x15), CardModel::kGpioRemoteMask, 200);
    DWORD pins = 0;
    ASSERT_EQ(S_OK, t.access.ReadGPIO(&pins));
    EXPECT_EQ(0x180000u, pins & 0x1C0000);
    EXPECT_EQ(0x15, static_cast<BYTE>(~pins));
    clock.Advance(200);
    ASSERT_EQ(S_OK, t.access.ReadGPIO(&pins));
    EXPECT_EQ(0u, pins & 0x1C0000);
}
