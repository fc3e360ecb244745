// The WIS box's access object over a fake of its driver's private
// interface on the simulated card: the slot and arguments of each
// operation, the sub-address width, the request record, what reaches the
// bus, and an object with no interface.
#include "hw/access/WiseAccess.h"

#include "tests/support/FakeWisePrivate.h"

#include <gtest/gtest.h>

#include <functional>

using virtualcard::CardModel;
using virtualcard::RegisterChip;

namespace {

struct WiseCard
{
    CardModel card;
    FakeWisePrivate driver{&card};
    CWiseAccess access;
    std::shared_ptr<RegisterChip> chip = std::make_shared<RegisterChip>();
    WiseCard()
    {
        card.AddDevice(0x42, chip);
        EXPECT_EQ(S_OK, access.Attach(&driver, 0));
    }
};

typedef std::vector<DWORD> Args;

// An object that answers no interface but IUnknown.
struct NotTheDriver : IUnknown
{
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = riid == IID_IUnknown ? this : NULL;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
};

} // namespace

TEST(WiseAccess, EachOperationCallsItsSlot)
{
    struct Case
    {
        const char* name;
        std::function<HRESULT(CWiseAccess&)> op;
        int slot;
        Args args;
    } cases[] = {
        {"16-bit sub-address read", [](CWiseAccess& a) { BYTE v; return a.ReadI2CByte(0x42, 0x0110, &v); }, 8,
         {0x42, 16, 0x0110, 0x8000}},
        {"8-bit sub-address read", [](CWiseAccess& a) { BYTE v; return a.ReadI2CByte(0x42, 0x10, &v); }, 8,
         {0x42, 8, 0x10, 0x8000}},
        {"16-bit sub-address write", [](CWiseAccess& a) { return a.WriteI2CByte(0x42, 0x0100, 7); }, 7,
         {0x42, 16, 0x0100, 7, 0x8000}},
        {"8-bit sub-address write", [](CWiseAccess& a) { return a.WriteI2CByte(0x42, 0xFF, 7); }, 7,
         {0x42, 8, 0xFF, 7, 0x8000}},
        {"private read passes its arguments on",
         [](CWiseAccess& a) { BYTE v; return a.PrivateRead(0x43, 16, 0x33, &v, 0x1234); }, 8,
         {0x43, 16, 0x33, 0x1234}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WiseCard t;
        EXPECT_EQ(S_OK, c.op(t.access));
        ASSERT_EQ(1u, t.driver.Calls().size());
        EXPECT_EQ(c.slot, t.driver.Calls()[0].slot);
        EXPECT_EQ(c.args, t.driver.Calls()[0].args);
    }
}

TEST(WiseAccess, BytesReachTheDevice)
{
    WiseCard t;
    ASSERT_EQ(S_OK, t.access.WriteI2CByte(0x42, 0x21, 0x5A));
    EXPECT_EQ(0x5A, t.chip->Reg(0x21));
    t.chip->SetReg(0x22, 0xC3);
    BYTE value = 0;
    ASSERT_EQ(S_OK, t.access.ReadI2CByte(0x42, 0x22, &value));
    EXPECT_EQ(0xC3, value);
    // Nothing at 0x50: the driver's failure comes back.
    EXPECT_EQ(E_FAIL, t.access.ReadI2CByte(0x50, 0x22, &value));
}

TEST(WiseAccess, BlockTransfers)
{
    WiseCard t;
    // The address byte leads; only the bytes after it are data.
    BYTE block[] = {0x42, 0x05, 0x11, 0x22};
    ASSERT_EQ(S_OK, t.access.WriteI2CBlock(block, 4));
    ASSERT_EQ(1u, t.driver.Calls().size());
    EXPECT_EQ(9, t.driver.Calls()[0].slot);
    EXPECT_EQ((Args{0x42, 0, 0, 3, 0x8000}), t.driver.Calls()[0].args);
    EXPECT_EQ((std::vector<BYTE>{0x05, 0x11, 0x22}), t.driver.Calls()[0].bytes);
    EXPECT_EQ(0x11, t.chip->Reg(0x05));
    EXPECT_EQ(0x22, t.chip->Reg(0x06));

    // An address alone is a block write of no bytes.
    t.driver.ClearCalls();
    EXPECT_EQ(S_OK, t.access.WriteI2CBlock(block, 1));
    EXPECT_EQ((Args{0x42, 0, 0, 0, 0x8000}), t.driver.Calls().at(0).args);

    // A block read is one byte from sub-address 0 into buffer[0]; the driver
    // reads no more, so a longer read is refused before it is asked.
    t.driver.ClearCalls();
    t.chip->SetReg(0x00, 0x9C);
    BYTE read[2] = {0x42, 0xEE};
    ASSERT_EQ(S_OK, t.access.ReadI2CBlock(read, 1));
    EXPECT_EQ(0x9C, read[0]);
    EXPECT_EQ((Args{0x42, 8, 0, 0x8000}), t.driver.Calls().at(0).args);
    t.driver.ClearCalls();
    EXPECT_EQ(E_NOTIMPL, t.access.ReadI2CBlock(read, 2));
    EXPECT_TRUE(t.driver.Calls().empty());
}

TEST(WiseAccess, PrivateWriteFillsTheRequestRecord)
{
    WiseCard t;
    ASSERT_EQ(S_OK, t.access.PrivateWrite(0x42, 8, 0x0134, 0x77, 0x8000));
    ASSERT_EQ(1u, t.driver.Calls().size());
    const FakeWisePrivate::Call& call = t.driver.Calls()[0];
    EXPECT_EQ(15, call.slot);
    // kind 2, one record, the pair {value, flags}, the flags last.
    EXPECT_EQ((Args{2, 1, 0x77, 0x8000, 0x8000}), call.args);
    EXPECT_EQ((std::vector<BYTE>{0x42, 0x34, 0x00, 0x00, 8, 0, 0, 0, 0x34, 0x01, 0, 0}), call.bytes);
}

TEST(WiseAccess, RefusesWithoutInterfaceOrBadArguments)
{
    CardModel card;
    FakeWisePrivate driver(&card);
    CWiseAccess access;
    BYTE value = 0, block[2] = {0x42, 0};
    const std::function<HRESULT()> ops[] = {
        [&] { return access.ReadI2CByte(0x42, 1, &value); },
        [&] { return access.WriteI2CByte(0x42, 1, 1); },
        [&] { return access.ReadI2CBlock(block, 1); },
        [&] { return access.WriteI2CBlock(block, 2); },
        [&] { return access.PrivateRead(0x42, 8, 1, &value, 0x8000); },
        [&] { return access.PrivateWrite(0x42, 8, 1, 1, 0x8000); },
    };
    for (const auto& op : ops)
        EXPECT_EQ(E_FAIL, op());
    EXPECT_EQ(E_FAIL, access.Attach(NULL, 0));
    NotTheDriver other;
    EXPECT_EQ(E_FAIL, access.Attach(&other, 0));

    // Attached: null pointers, empty blocks and sub-addresses past 16 bits.
    ASSERT_EQ(S_OK, access.Attach(&driver, 0));
    EXPECT_EQ(E_FAIL, access.ReadI2CByte(0x42, 1, NULL));
    EXPECT_EQ(E_FAIL, access.PrivateRead(0x42, 8, 1, NULL, 0x8000));
    EXPECT_EQ(E_FAIL, access.ReadI2CBlock(NULL, 1));
    EXPECT_EQ(E_FAIL, access.ReadI2CBlock(block, 0));
    EXPECT_EQ(E_FAIL, access.WriteI2CBlock(NULL, 2));
    EXPECT_EQ(E_FAIL, access.WriteI2CBlock(block, 0));
    EXPECT_EQ(E_INVALIDARG, access.ReadI2CByte(0x42, 0x10000, &value));
    EXPECT_EQ(E_INVALIDARG, access.WriteI2CByte(0x42, -1, 1));
    EXPECT_TRUE(driver.Calls().empty());

    // No GPIO on the box: the calls succeed and reads give 0.
    DWORD pins = 0xFFFF;
    EXPECT_EQ(S_OK, access.ReadGPIO(&pins));
    EXPECT_EQ(0u, pins);
    EXPECT_EQ(S_OK, access.WriteGPIO(1, 1));
    EXPECT_EQ(S_OK, access.SetProperty1(1));
    EXPECT_EQ(S_OK, access.SetProperty3(1));
}

TEST(WiseAccess, HoldsOneReferenceWhileAttached)
{
    CardModel card;
    FakeWisePrivate driver(&card);
    {
        CWiseAccess access;
        ASSERT_EQ(S_OK, access.Attach(&driver, 0));
        EXPECT_EQ(2u, driver.Refs());
        ASSERT_EQ(S_OK, access.Attach(&driver, 0));  // again: the old one goes
        EXPECT_EQ(2u, driver.Refs());
    }
    EXPECT_EQ(1u, driver.Refs());
}
