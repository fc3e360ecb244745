// CPcieAccess over a fake of the PCI Express card's driver behind the
// device seam: which device interface the card parameter opens, the I/O
// control requests on the wire as tables, the bounds of a request, the
// driver's errors as HRESULTs; and the system's SetupAPI under Wine, where
// no such card is present.
#include "hw/access/PcieAccess.h"

#include "graph/Guids.h"
#include "hw/access/PcieDevice.h"
#include "tests/support/FakePcieDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using virtualcard::CardModel;
using virtualcard::RegisterChip;

namespace {

// Two cards, each with a register chip at 0xC2 and one at 0xC8 (the two
// tuner places of the card parameter) and a controller at 0xBA.
struct TwoCards
{
    CardModel cards[2];
    FakePcieDriver driver{{&cards[0], &cards[1]}};
    ScopedReplacement<IPcieDeviceApi> installed{PcieDeviceApiSeam(), &driver};
    std::shared_ptr<RegisterChip> low[2], high[2];

    TwoCards()
    {
        for (int i = 0; i < 2; ++i) {
            low[i] = std::make_shared<RegisterChip>();
            high[i] = std::make_shared<RegisterChip>();
            cards[i].AddDevice(0xC2, low[i]);
            cards[i].AddDevice(0xC8, high[i]);
            cards[i].AddDevice(0xBA, std::make_shared<RegisterChip>());
        }
    }
};

std::vector<BYTE> Prefix(const std::vector<BYTE>& bytes, size_t n)
{
    return std::vector<BYTE>(bytes.begin(), bytes.begin() + std::min(n, bytes.size()));
}

} // namespace

// Bits 1 and up of the card parameter pick the interface; bit 0 the tuner
// address pair and the GPIO request.
TEST(PcieAccess, CardParameterPicksInterfaceAndTuner)
{
    struct
    {
        DWORD param;
        size_t card;
        bool highPair;
    } cases[] = {{0, 0, false}, {1, 0, true}, {2, 1, false}, {3, 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.param);
        TwoCards rig;
        CPcieAccess access;
        ASSERT_EQ(S_OK, access.Attach(NULL, c.param));
        EXPECT_EQ((std::vector<std::string>{FakePcieDriver::PathOf(c.card)}), rig.driver.Opened());
        EXPECT_EQ(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A), rig.driver.LastDetailSize());
        EXPECT_EQ(0, rig.driver.OpenSets());

        BYTE word[4] = {0x00, 0x11, 0x22, 0x33};  // the tuner's bytes, without its address
        ASSERT_EQ(S_OK, access.WriteI2CBlock(word, 4));
        auto& chip = c.highPair ? rig.high[c.card] : rig.low[c.card];
        EXPECT_EQ(0x11, chip->Reg(0));
        chip->SetStatus(0x5A);
        BYTE status[2] = {0xC0, 0};
        ASSERT_EQ(S_OK, access.ReadI2CBlock(status, 2));
        EXPECT_EQ(0x5A, status[0]);
        ASSERT_EQ(S_OK, access.WriteGPIO(0x1F01, 0xFFFF));
        ASSERT_EQ(S_OK, access.SetTunerReset(0));

        auto requests = rig.driver.Requests();
        ASSERT_EQ(4u, requests.size());
        const BYTE write = c.highPair ? 0xC8 : 0xC2;
        EXPECT_EQ(CPcieAccess::kI2CWrite, requests[0].code);
        EXPECT_EQ(252u, requests[0].in.size());
        EXPECT_EQ((std::vector<BYTE>{write, 4, 0x00, 0x11, 0x22, 0x33, 0}), Prefix(requests[0].in, 7));
        EXPECT_EQ(CPcieAccess::kI2CRead, requests[1].code);
        EXPECT_EQ(253u, requests[1].in.size());
        EXPECT_EQ((std::vector<BYTE>{static_cast<BYTE>(write | 1), 1, 2, 0}), Prefix(requests[1].in, 4));
        EXPECT_EQ(2u, requests[1].outLength);
        const BYTE gpio = c.highPair ? 4 : 3;
        EXPECT_EQ((std::vector<std::pair<BYTE, BYTE>>{{gpio, 0x01}, {gpio, 0x00}}), rig.driver.GpioWrites());
        EXPECT_EQ(c.card, requests[3].card);
        access.CloseDevice();
        EXPECT_EQ(0, rig.driver.OpenHandles());
    }
}

TEST(PcieAccess, ByteRequests)
{
    TwoCards rig;
    CPcieAccess access;
    ASSERT_EQ(S_OK, access.Attach(NULL, 0));
    auto remote = std::make_shared<RegisterChip>();
    rig.cards[0].AddDevice(0xBA, remote);
    remote->SetReg(0x31, 0x42);
    BYTE value = 0;
    ASSERT_EQ(S_OK, access.ReadI2CByte(0xBA, 0x31, &value));
    EXPECT_EQ(0x42, value);
    ASSERT_EQ(S_OK, access.WriteI2CByte(0xBA, 0x31, 0xFF));
    EXPECT_EQ(0xFF, remote->Reg(0x31));
    ASSERT_EQ(S_OK, access.WriteI2CByte16(0xBA, 0x0030, 0x07));
    ASSERT_EQ(S_OK, access.ReadI2CByte16(0xBA, 0x0030, &value));
    auto requests = rig.driver.Requests();
    ASSERT_EQ(4u, requests.size());
    EXPECT_EQ((std::vector<BYTE>{0xBA, 1, 1, 0x31, 0}), Prefix(requests[0].in, 5));
    EXPECT_EQ(2u, requests[0].outLength);
    EXPECT_EQ((std::vector<BYTE>{0xBA, 2, 0x31, 0xFF, 0}), Prefix(requests[1].in, 5));
    EXPECT_EQ((std::vector<BYTE>{0xBA, 3, 0x00, 0x30, 0x07, 0}), Prefix(requests[2].in, 6));
    EXPECT_EQ((std::vector<BYTE>{0xBA, 2, 2, 0x00, 0x30, 0}), Prefix(requests[3].in, 6));
}

TEST(PcieAccess, RequestsAreBounded)
{
    TwoCards rig;
    CPcieAccess access;
    ASSERT_EQ(S_OK, access.Attach(NULL, 0));
    std::vector<BYTE> buffer(300, 0);
    BYTE value = 0;
    EXPECT_EQ(E_INVALIDARG, access.WriteI2CBlock(buffer.data(), 251));
    EXPECT_EQ(E_INVALIDARG, access.WriteI2CBlock(buffer.data(), 0));
    EXPECT_EQ(E_INVALIDARG, access.ReadI2CBlock(buffer.data(), 256));
    EXPECT_EQ(E_INVALIDARG, access.ReadI2CBlock(buffer.data(), 0));
    EXPECT_EQ(E_INVALIDARG, access.ReadI2CByte(0xBA, 0x100, &value));
    EXPECT_EQ(E_INVALIDARG, access.WriteI2CByte16(0xBA, 0x10000, 0));
    EXPECT_EQ(E_POINTER, access.ReadI2CBlock(NULL, 1));
    EXPECT_EQ(E_POINTER, access.ReadI2CByte(0xBA, 0, NULL));
    EXPECT_TRUE(rig.driver.Requests().empty());
    EXPECT_EQ(S_OK, access.WriteI2CBlock(buffer.data(), 250));
    EXPECT_EQ(S_OK, access.ReadI2CBlock(buffer.data(), 255));

    // The driver's errors come back as HRESULTs, which callers test by sign.
    rig.driver.FailCode(CPcieAccess::kI2CWrite, ERROR_IO_DEVICE);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_IO_DEVICE), access.WriteI2CByte(0xBA, 0, 0));
    rig.driver.ShortenReplies(1);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), access.ReadI2CByte(0xBA, 0, &value));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), access.ReadI2CBlock(buffer.data(), 4));
    // A device that does not answer.
    rig.driver.ShortenReplies(0);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_IO_DEVICE), access.ReadI2CByte(0x10, 0, &value));

    // The fixed answers of the slots the card has no use for.
    DWORD pins = 0;
    EXPECT_EQ(S_OK, access.SetProperty1(1));
    EXPECT_TRUE(FAILED(access.SetProperty3(1)));
    EXPECT_TRUE(FAILED(access.ReadGPIO(&pins)));
}

TEST(PcieAccess, AttachKeepsTheParameterAndReopens)
{
    TwoCards rig;
    CPcieAccess access;
    ASSERT_EQ(S_OK, access.Attach(NULL, 3));
    // Above 255 the parameter stays; the device is opened again.
    ASSERT_EQ(S_OK, access.Attach(NULL, 0x1000));
    EXPECT_EQ(3u, access.GetCardParam());
    EXPECT_EQ((std::vector<std::string>{FakePcieDriver::PathOf(1), FakePcieDriver::PathOf(1)}), rig.driver.Opened());
    EXPECT_EQ(1, rig.driver.OpenHandles());

    // An interface that is not there, a device that does not open.
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS), access.Attach(NULL, 4));
    EXPECT_FALSE(access.IsOpen());
    EXPECT_EQ(0, rig.driver.OpenHandles());
    rig.driver.FailOpen(ERROR_ACCESS_DENIED);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), access.Attach(NULL, 0));
    rig.driver.FailOpen(0);
    rig.driver.FailClassDevs(ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY), access.Attach(NULL, 0));
    rig.driver.FailClassDevs(0);
    // A detail record of a size beyond reason is not allocated.
    rig.driver.ReportDetailSize(0x7FFFFFFF);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), access.Attach(NULL, 0));
    rig.driver.ReportDetailSize(2);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), access.Attach(NULL, 0));
    rig.driver.ReportDetailSize(0);
    EXPECT_EQ(0, rig.driver.OpenSets());

    // A closed device: every request fails with the invalid handle.
    BYTE value = 0;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE), access.ReadI2CByte(0xBA, 0, &value));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE), access.WriteGPIO(0, 0));

    DWORD error = 0;
    EXPECT_EQ(INVALID_HANDLE_VALUE, access.OpenDevice(NULL, 0, &error));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), error);
    HANDLE device = access.OpenDevice(&GUID_DEVINTERFACE_PcieCard, 2, &error);
    EXPECT_NE(INVALID_HANDLE_VALUE, device);
    EXPECT_EQ(0u, error);
    rig.driver.CloseDevice(device);
}

// The system's own SetupAPI under Wine: no card of this class is present.
TEST(PcieAccess, NoCardOnThisMachine)
{
    CPcieAccess access;
    HRESULT hr = access.Attach(NULL, 0);
    EXPECT_TRUE(FAILED(hr));
    EXPECT_FALSE(access.IsOpen());
    BYTE value = 0;
    EXPECT_TRUE(FAILED(access.ReadI2CByte(0xBA, 0x30, &value)));

    DeviceInfoSet set(GUID_DEVINTERFACE_PcieCard);
    DeviceInterfaceDetail detail(&set);
    if (set.IsValid()) {
        EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_ITEMS), detail.Fetch(0));
    }
    EXPECT_EQ(NULL, detail.Path());
}
