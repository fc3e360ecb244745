// The USB request tunnel (CVendorAccess) and the three access classes over
// it, against a fake driver that decodes the setup packets onto the
// simulated card: the requests on the wire, the bounds of a request and of
// its reply, chunked block writes, GPIO lines and the Fenmo EEPROM probe.
#include "hw/access/FenmoAccess.h"
#include "hw/access/TridentAccess.h"
#include "hw/access/TridentUsbAccess.h"
#include "hw/access/VendorAccess.h"

#include "tests/support/FakeClock.h"
#include "tests/support/FakeUsbTunnel.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

using virtualcard::CardModel;

namespace {

// One request as "type/request value index length [data]", in hex.
std::string Describe(BYTE type, BYTE request, WORD value, WORD index, WORD length,
                     const std::vector<BYTE>& data = {})
{
    char text[64];
    snprintf(text, sizeof(text), "%02X/%u %04X %04X %u [", type, request, value, index, length);
    std::string out = text;
    for (BYTE b : data) {
        snprintf(text, sizeof(text), " %02X", b);
        out += text;
    }
    return out + " ]";
}

std::vector<std::string> Wire(const FakeUsbTunnel& tunnel)
{
    std::vector<std::string> out;
    for (const auto& r : tunnel.Requests())
        out.push_back(Describe(r.setup.requestType, r.setup.request, r.setup.value, r.setup.index,
                               r.setup.length, r.data));
    return out;
}

std::string In(BYTE request, WORD value, WORD index, WORD length)
{
    return Describe(kUsbVendorIn, request, value, index, length);
}

std::string Out(BYTE request, WORD value, WORD index, WORD length, const std::vector<BYTE>& data = {})
{
    return Describe(kUsbVendorOut, request, value, index, length, data);
}

// The simulated card with a chip at 0x42 and the fake driver in front.
struct Tunnel
{
    CardModel card;
    FakeUsbTunnel driver{&card};
    std::shared_ptr<virtualcard::RegisterChip> chip = std::make_shared<virtualcard::RegisterChip>();
    Tunnel() { card.AddDevice(0x42, chip); }
};

struct VendorTunnel : Tunnel
{
    CVendorAccess vendor;
    VendorTunnel() { EXPECT_EQ(S_OK, vendor.Attach(&driver)); }
};

template <class Access>
struct AccessTunnel : Tunnel
{
    Access access;
    AccessTunnel()
    {
        EXPECT_EQ(S_OK, access.Attach(&driver, 0));
        driver.ClearRequests();
    }
};

std::array<BYTE, 256> EepromBytes(const CardModel& card)
{
    std::array<BYTE, 256> bytes;
    for (int i = 0; i < 256; i++)
        bytes[i] = card.GetEeprom()->Get(static_cast<uint8_t>(i));
    return bytes;
}

} // namespace

// Every operation of the tunnel, as the bridge firmware sees it.
TEST(VendorAccess, EachOperationOnTheWire)
{
    const BYTE four[4] = {1, 2, 3, 4};
    BYTE byte = 0, io[2] = {8, 0};
    WORD word = 0;
    BYTE block[12] = {0x42, 0x05};
    struct Row
    {
        const char* name;
        std::function<HRESULT(CVendorAccess&)> call;
        std::vector<std::string> wire;
    } rows[] = {
        {"ReadI2CByteShort", [&](CVendorAccess& v) { return v.ReadI2CByteShort(0xA0, 0x21, &byte); },
         {In(14, 0x00A0, 0x0021, 1)}},
        {"WriteI2CByteShort", [&](CVendorAccess& v) { return v.WriteI2CByteShort(0xA0, 3, 0x5A); },
         {Out(14, 0x00A0, 0x0003, 1, {0x5A})}},
        {"ReadI2CByteSub", [&](CVendorAccess& v) { return v.ReadI2CByteSub(0x43, 7, &byte); },
         {In(16, 0x0742, 0, 1)}},
        {"ReadI2CBytesSub", [&](CVendorAccess& v) { return v.ReadI2CBytesSub(0x43, 7, block, 3); },
         {In(16, 0x0743, 0, 3)}},
        {"WriteI2CBytesSub", [&](CVendorAccess& v) { return v.WriteI2CBytesSub(0x42, 9, four, 4); },
         {Out(16, 0x0942, 0, 4, {1, 2, 3, 4})}},
        {"ReadI2CBlock", [&](CVendorAccess& v) { block[0] = 0x42; block[1] = 5; return v.ReadI2CBlock(block, 6); },
         {In(16, 0x0542, 0, 4)}},
        {"ReadI2CNoSub", [&](CVendorAccess& v) { return v.ReadI2CNoSub(0xC1, &byte); },
         {In(9, 0x00C1, 0, 1)}},
        {"ReadRegisterByte", [&](CVendorAccess& v) { return v.ReadRegisterByte(0x3C, &byte); },
         {In(7, 0x003C, 0, 1)}},
        {"WriteRegisterByte", [&](CVendorAccess& v) { return v.WriteRegisterByte(0x80, 0x11); },
         {Out(7, 0x0080, 0x0011, 0)}},
        {"ReadRegister5", [&](CVendorAccess& v) { return v.ReadRegister5(0x12, &byte); },
         {In(5, 0x0012, 0, 1)}},
        {"WriteRegister5", [&](CVendorAccess& v) { return v.WriteRegister5(0x12, 0x34); },
         {Out(5, 0x0012, 0x0034, 0)}},
        {"ReadGpioLine 1", [&](CVendorAccess& v) { return v.ReadGpioLine(1, &byte); },
         {In(3, 0x0100, 0, 1)}},
        {"ReadGpioLine 6", [&](CVendorAccess& v) { return v.ReadGpioLine(6, &byte); },
         {In(3, 0x0300, 0, 1)}},
        {"WriteGpioLine 0", [&](CVendorAccess& v) { return v.WriteGpioLine(0, 5); },
         {Out(3, 0x0101, 1, 0)}},
        {"WriteGpioLine 6", [&](CVendorAccess& v) { return v.WriteGpioLine(6, 0); },
         {Out(3, 0x0304, 0, 0)}},
        {"ReadRequest12", [&](CVendorAccess& v) { return v.ReadRequest12(1, 2, &byte); },
         {In(12, 0x0001, 0x0002, 1)}},
        {"WriteRequest12", [&](CVendorAccess& v) { return v.WriteRequest12(1, 2, 3); },
         {Out(12, 0x0001, 0x0002, 3)}},
        {"ReadWord17", [&](CVendorAccess& v) { return v.ReadWord17(1, 0x0203, &word); },
         {In(17, 0x0001, 0x0203, 2)}},
        {"WriteWord17", [&](CVendorAccess& v) { return v.WriteWord17(1, 0x0203, 4); },
         {Out(17, 0x0001, 0x0203, 4)}},
        {"WriteShort10 of 2", [&](CVendorAccess& v) { return v.WriteShort10(9, 8, four, 2); },
         {Out(10, 0x0209, 0x0008, 0), Out(20, 0x0201, 0x0000, 0)}},
        {"WriteShort9", [&](CVendorAccess& v) { return v.WriteShort9(1, 2, 3, 4, 5); },
         {Out(9, 0x0401, 0, 4), Out(20, 0x0302, 0x0504, 0)}},
        {"ControlRequest", [&](CVendorAccess& v) { return v.ControlRequest(0xC0, 17, 0x1234, 0x5678, io); },
         {In(17, 0x1234, 0x5678, 8)}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        VendorTunnel t;
        EXPECT_EQ(S_OK, row.call(t.vendor));
        EXPECT_EQ(row.wire, Wire(t.driver));
    }
}

// Bytes read come from the card: a chip register, a bridge register, the
// lines of a GPIO port and a firmware reply.
TEST(VendorAccess, ReadsBringTheCardsBytes)
{
    VendorTunnel t;
    t.chip->SetReg(7, 0x5A);
    t.chip->SetReg(8, 0x6B);
    BYTE value = 0;
    ASSERT_EQ(S_OK, t.vendor.ReadI2CByteSub(0x43, 7, &value));
    EXPECT_EQ(0x5A, value);
    BYTE block[4] = {0x42, 7, 0, 0xEE};
    ASSERT_EQ(S_OK, t.vendor.ReadI2CBlock(block, 4));
    EXPECT_EQ(0x5A, block[0]);
    EXPECT_EQ(0x6B, block[1]);
    EXPECT_EQ(0xEE, block[3]);  // only length - 2 bytes come back

    t.card.WriteRegister(0x3A, 0x01);
    ASSERT_EQ(S_OK, t.vendor.ReadRegisterByte(0x3A, &value));
    EXPECT_EQ(0x01, value);

    // Lines 1-7 in bits 1-7: line 3 is bit 4 of port 1, line 7 bit 5 of port 3.
    t.card.SetGpioInputs(FakeUsbTunnel::LinePin(3) | FakeUsbTunnel::LinePin(7));
    ASSERT_EQ(S_OK, t.vendor.ReadGpioByte(&value));
    EXPECT_EQ((1 << 3) | (1 << 7), value);

    t.driver.SetCannedReply(17, {0x34, 0x12});
    WORD word = 0;
    ASSERT_EQ(S_OK, t.vendor.ReadWord17(1, 2, &word));
    EXPECT_EQ(0x1234, word);
}

TEST(VendorAccess, RequestsThatDoNotFitAreRefusedUnsent)
{
    VendorTunnel t;
    BYTE request[kUsbTunnelRequestRoom] = {kUsbVendorOut, USBREQ_REGISTER, 0x80};
    for (DWORD length : {0u, 7u, 19u, 20u}) {
        SCOPED_TRACE(length);
        DWORD n = length;
        EXPECT_EQ(E_INVALIDARG, t.vendor.Request(request, &n));
    }
    EXPECT_EQ(E_INVALIDARG, t.vendor.Request(request, NULL));
    CVendorAccess unattached;
    DWORD n = 8;
    EXPECT_EQ(E_INVALIDARG, unattached.Request(request, &n));
    EXPECT_TRUE(t.driver.Requests().empty());

    struct
    {
        const char* name;
        std::function<HRESULT(CVendorAccess&)> call;
    } rows[] = {
        {"gpio read line 0", [](CVendorAccess& v) { BYTE b; return v.ReadGpioLine(0, &b); }},
        {"gpio read line 8", [](CVendorAccess& v) { BYTE b; return v.ReadGpioLine(8, &b); }},
        {"gpio write line 8", [](CVendorAccess& v) { return v.WriteGpioLine(8, 1); }},
        {"WriteShort10 of 5", [](CVendorAccess& v) { BYTE d[5] = {}; return v.WriteShort10(1, 2, d, 5); }},
        {"WriteShort10 of 0", [](CVendorAccess& v) { BYTE d[1] = {}; return v.WriteShort10(1, 2, d, 0); }},
        {"bytes read of 11", [](CVendorAccess& v) { BYTE d[11]; return v.ReadI2CBytesSub(0x42, 0, d, 11); }},
        {"bytes write of 0", [](CVendorAccess& v) { BYTE d[1] = {}; return v.WriteI2CBytesSub(0x42, 0, d, 0); }},
        {"block read of 2", [](CVendorAccess& v) { BYTE d[2] = {0x42}; return v.ReadI2CBlock(d, 2); }},
        {"block read of 13", [](CVendorAccess& v) { BYTE d[13] = {0x42}; return v.ReadI2CBlock(d, 13); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(E_INVALIDARG, row.call(t.vendor));
    }
    EXPECT_TRUE(t.driver.Requests().empty());
    // Line 0 can be written.
    EXPECT_EQ(S_OK, t.vendor.WriteGpioLine(0, 1));
    n = kUsbTunnelMaxRequest;
    EXPECT_EQ(S_OK, t.vendor.Request(request, &n));
}

// The driver's reply count is bounded by the request area, and a reply
// short of what a read asked for is no reply.
TEST(VendorAccess, ReplyBoundedByTheRequestArea)
{
    VendorTunnel t;
    struct
    {
        BYTE request[kUsbTunnelRequestRoom];
        BYTE guard[16];
    } caller;
    memset(&caller, 0xEE, sizeof(caller));
    UsbSetupPacket setup = {kUsbVendorIn, USBREQ_REGISTER, 0x3A, 0, 1};
    memcpy(caller.request, &setup, sizeof(setup));
    t.driver.ReportReplyLength(0x10000);
    DWORD length = kUsbSetupBytes;
    ASSERT_EQ(S_OK, t.vendor.Request(caller.request, &length));
    EXPECT_EQ(kUsbTunnelRequestRoom, length);
    for (BYTE b : caller.guard)
        ASSERT_EQ(0xEE, b);

    t.driver.ReportReplyLength(0);
    BYTE value = 0x77;
    EXPECT_EQ(E_FAIL, t.vendor.ReadRegisterByte(0x3A, &value));
    EXPECT_EQ(0x77, value);
    t.driver.ReportReplyLength(1);
    WORD word = 0x7777;
    EXPECT_EQ(E_FAIL, t.vendor.ReadWord17(1, 2, &word));
    EXPECT_EQ(0x7777, word);
}

// A failed Set or Get leaves every read's output as it was.
TEST(VendorAccess, ReadsKeepTheirOutputOnFailure)
{
    for (bool failGet : {false, true}) {
        SCOPED_TRACE(failGet ? "Get fails" : "Set fails");
        VendorTunnel t;
        if (failGet)
            t.driver.FailGet(E_FAIL);
        else
            t.driver.FailSet(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE));
        BYTE value = 0x77;
        EXPECT_TRUE(FAILED(t.vendor.ReadI2CByteShort(0xA0, 0, &value)));
        EXPECT_TRUE(FAILED(t.vendor.ReadI2CByteSub(0xA0, 0, &value)));
        EXPECT_TRUE(FAILED(t.vendor.ReadI2CNoSub(0xA0, &value)));
        EXPECT_TRUE(FAILED(t.vendor.ReadGpioLine(1, &value)));
        EXPECT_TRUE(FAILED(t.vendor.ReadGpioByte(&value)));
        EXPECT_EQ(0x77, value);
        BYTE block[4] = {0x42, 0, 0x77, 0x77};
        EXPECT_TRUE(FAILED(t.vendor.ReadI2CBlock(block, 4)));
        EXPECT_EQ(0x42, block[0]);
        EXPECT_EQ(0x77, block[2]);
        BYTE io[2] = {8, 0};
        EXPECT_TRUE(FAILED(t.vendor.ControlRequest(0xC0, 5, 0, 0, io)));
        EXPECT_EQ(8, io[0]);
    }
    // The set's failure reaches the caller unchanged.
    VendorTunnel t;
    t.driver.FailSet(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE), t.vendor.WriteRegisterByte(1, 2));
}

TEST(VendorAccess, GpioByteFailsWithItsFirstFailingLine)
{
    VendorTunnel t;
    t.card.SetGpioInputs(0xFFFF);
    t.driver.FailRequest(USBREQ_GPIO, E_FAIL, 3);  // lines 7, 6, 5 read; 4 fails
    BYTE value = 0x77;
    EXPECT_EQ(E_FAIL, t.vendor.ReadGpioByte(&value));
    EXPECT_EQ(0x77, value);
    EXPECT_EQ(4u, t.driver.Requests().size());
}

// The three access classes' slots on the wire.
TEST(UsbTunnelAccess, SlotsOnTheWire)
{
    FakeClock clock;  // the Fenmo box's probe waits
    BYTE value = 0;
    struct Row
    {
        const char* name;
        std::function<HRESULT(CCustomDataAccess&)> call;
        std::vector<std::string> pci, usb, fenmo;  // the wire per class; empty: none
        HRESULT pciResult, usbResult, fenmoResult;
    } rows[] = {
        {"ReadI2CByte at 0x43", [&](CCustomDataAccess& a) { return a.ReadI2CByte(0x43, 2, &value); },
         {In(16, 0x0242, 0, 1)}, {In(16, 0x0242, 0, 1)}, {In(16, 0x0242, 0, 1)}, S_OK, S_OK, S_OK},
        {"ReadI2CByte at the EEPROM", [&](CCustomDataAccess& a) { return a.ReadI2CByte(0xA0, 3, &value); },
         {In(16, 0x03A0, 0, 1)}, {In(16, 0x03A0, 0, 1)}, {In(14, 0x00A0, 0x0003, 1)}, S_OK, S_OK, S_OK},
        {"WriteI2CByte", [&](CCustomDataAccess& a) { return a.WriteI2CByte(0x42, 2, 0x5A); },
         {Out(16, 0x0242, 0, 1, {0x5A})}, {Out(16, 0x0242, 0x5A, 0)}, {Out(16, 0x0242, 0, 1, {0x5A})},
         S_OK, S_OK, S_OK},
        {"ReadI2CBlock of one", [&](CCustomDataAccess& a) { BYTE b[1] = {0xC1}; return a.ReadI2CBlock(b, 1); },
         {In(9, 0x00C0, 0, 1)}, {}, {In(9, 0x00C1, 0, 1)}, S_OK, E_INVALIDARG, S_OK},
        {"ReadI2CBlock of three", [&](CCustomDataAccess& a) { BYTE b[3] = {0x42, 2}; return a.ReadI2CBlock(b, 3); },
         {}, {In(16, 0x0242, 0, 1)}, {In(16, 0x0242, 0, 1)}, E_INVALIDARG, S_OK, S_OK},
        {"ReadRegisterByte", [&](CCustomDataAccess& a) { return a.ReadRegisterByte(0x3C, &value); },
         {In(7, 0x003C, 0, 1)}, {In(7, 0x003C, 0, 1)}, {In(7, 0x003C, 0, 1)}, S_OK, S_OK, S_OK},
        {"WriteRegisterByte", [&](CCustomDataAccess& a) { return a.WriteRegisterByte(0x80, 7); },
         {Out(7, 0x0080, 7, 0)}, {Out(7, 0x0080, 7, 0)}, {Out(7, 0x0080, 7, 0)}, S_OK, S_OK, S_OK},
        {"register 0x100", [&](CCustomDataAccess& a) { return a.WriteRegisterByte(0x100, 7); },
         {}, {}, {}, E_INVALIDARG, E_INVALIDARG, E_INVALIDARG},
        {"WriteGPIO line 6", [&](CCustomDataAccess& a) { return a.WriteGPIO(1, 6); },
         {Out(3, 0x0304, 1, 0)}, {Out(3, 0x0304, 1, 0)}, {Out(3, 0x0304, 1, 0)}, S_OK, S_OK, S_OK},
        {"WriteGPIO line 8", [&](CCustomDataAccess& a) { return a.WriteGPIO(1, 8); },
         {}, {}, {}, E_INVALIDARG, E_INVALIDARG, E_INVALIDARG},
        {"SetTunerReset(0)", [&](CCustomDataAccess& a) { return a.SetTunerReset(0); },
         {Out(3, 0x0101, 1, 0)}, {Out(3, 0x0102, 0, 0)}, {Out(3, 0x0102, 0, 0)}, S_OK, S_OK, S_OK},
        {"SetTunerReset(1)", [&](CCustomDataAccess& a) { return a.SetTunerReset(1); },
         {Out(3, 0x0101, 0, 0)}, {Out(3, 0x0102, 1, 0)}, {Out(3, 0x0102, 1, 0)}, S_OK, S_OK, S_OK},
        {"SetGPIOLine", [&](CCustomDataAccess& a) { return a.SetGPIOLine(7); },
         {}, {Out(3, 0x0101, 1, 0)}, {}, S_OK, S_OK, S_OK},
        {"ReadGPIO", [&](CCustomDataAccess& a) { DWORD v; return a.ReadGPIO(&v); },
         {}, {}, {In(3, 0x0300, 0, 1), In(3, 0x0300, 0, 1), In(3, 0x0300, 0, 1), In(3, 0x0300, 0, 1),
                  In(3, 0x0100, 0, 1), In(3, 0x0100, 0, 1), In(3, 0x0100, 0, 1)},
         E_FAIL, E_FAIL, S_OK},
        {"SetProperty3", [&](CCustomDataAccess& a) { return a.SetProperty3(1); },
         {}, {}, {}, S_FALSE, S_FALSE, S_OK},
        {"GPIO_SetTVFM", [&](CCustomDataAccess& a) { return a.GPIO_SetTVFM(1); },
         {}, {}, {}, E_FAIL, E_FAIL, E_FAIL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AccessTunnel<CTridentAccess> pci;
        AccessTunnel<TridentUsbAccess> usb;
        AccessTunnel<CFenmoAccess> fenmo;
        EXPECT_EQ(row.pciResult, row.call(pci.access));
        EXPECT_EQ(row.pci, Wire(pci.driver));
        EXPECT_EQ(row.usbResult, row.call(usb.access));
        EXPECT_EQ(row.usb, Wire(usb.driver));
        EXPECT_EQ(row.fenmoResult, row.call(fenmo.access));
        EXPECT_EQ(row.fenmo, Wire(fenmo.driver));
    }
}

// The bytes the slots read are the card's, and a failed read changes none
// of the caller's.
TEST(UsbTunnelAccess, ReadsReachTheCardAndKeepOutputsOnFailure)
{
    AccessTunnel<CTridentAccess> pci;
    AccessTunnel<TridentUsbAccess> usb;
    Tunnel* tunnels[] = {&pci, &usb};
    CCustomDataAccess* accesses[] = {&pci.access, &usb.access};
    for (int i = 0; i < 2; i++) {
        SCOPED_TRACE(i);
        tunnels[i]->chip->SetReg(2, 0x5A);
        BYTE value = 0;
        ASSERT_EQ(S_OK, accesses[i]->ReadI2CByte(0x42, 2, &value));
        EXPECT_EQ(0x5A, value);
        tunnels[i]->driver.FailGet(E_FAIL);
        value = 0x77;
        EXPECT_EQ(E_FAIL, accesses[i]->ReadI2CByte(0x42, 2, &value));
        EXPECT_EQ(0x77, value);
        EXPECT_EQ(E_INVALIDARG, accesses[i]->ReadI2CByte(0x42, 256, &value));
        EXPECT_EQ(E_INVALIDARG, accesses[i]->ReadI2CByte(0x42, -1, &value));
    }
    // The PCI card's one-byte read: buffer[0] stays the address when it fails.
    pci.driver.FailGet(S_OK);
    BYTE buffer[1] = {0x43};
    ASSERT_EQ(S_OK, pci.access.ReadI2CBlock(buffer, 1));
    pci.driver.FailSet(E_FAIL);
    buffer[0] = 0x43;
    EXPECT_EQ(E_FAIL, pci.access.ReadI2CBlock(buffer, 1));
    EXPECT_EQ(0x43, buffer[0]);

    // The EEPROM reads of the USB card filters keep the read bit as given.
    usb.driver.FailGet(S_OK);
    usb.card.SetEepromByte(3, 0x80);
    usb.driver.ClearRequests();
    BYTE value = 0;
    ASSERT_EQ(S_OK, usb.access.VendorI2CRead(0xA1, 3, &value));
    EXPECT_EQ(0x80, value);
    ASSERT_EQ(S_OK, usb.access.VendorI2CWrite(0xA0, 4, 0x81));
    EXPECT_EQ(0x81, usb.card.GetEeprom()->Get(4));
    EXPECT_EQ((std::vector<std::string>{In(16, 0x03A1, 0, 1), Out(16, 0x04A0, 0, 1, {0x81})}),
              Wire(usb.driver));
}

// Block writes: one request where it fits; else pieces of 8 data bytes,
// each led by the same device and sub-address, with no empty last piece.
TEST(UsbTunnelAccess, BlockWritesInPieces)
{
    struct Row
    {
        int dataBytes;
        std::vector<int> pieces;
        std::vector<DWORD> sleeps;
    } usbRows[] = {
        {1, {1}, {}},
        {9, {9}, {}},
        {10, {8, 2}, {2}},
        {16, {8, 8}, {2, 2}},
        {21, {8, 8, 5}, {2, 2}},
        {24, {8, 8, 8}, {2, 2, 2}},
    };
    for (const Row& row : usbRows) {
        SCOPED_TRACE(row.dataBytes);
        for (int fenmo = 0; fenmo < 2; fenmo++) {
            FakeClock opening;
            AccessTunnel<TridentUsbAccess> usb;
            AccessTunnel<CFenmoAccess> box;
            FakeClock clock;
            CCustomDataAccess& access = fenmo ? static_cast<CCustomDataAccess&>(box.access) : usb.access;
            Tunnel& t = fenmo ? static_cast<Tunnel&>(box) : usb;
            std::vector<BYTE> buffer = {0x42, 0x10};
            for (int i = 0; i < row.dataBytes; i++)
                buffer.push_back(static_cast<BYTE>(i + 1));
            ASSERT_EQ(S_OK, access.WriteI2CBlock(buffer.data(), static_cast<LONG>(buffer.size())));
            auto requests = t.driver.Requests();
            ASSERT_EQ(row.pieces.size(), requests.size());
            BYTE next = 1;
            for (size_t i = 0; i < requests.size(); i++) {
                EXPECT_EQ(0x1042, requests[i].setup.value);
                ASSERT_EQ(static_cast<size_t>(row.pieces[i]), requests[i].data.size());
                for (BYTE b : requests[i].data)
                    EXPECT_EQ(next++, b);
            }
            EXPECT_EQ(row.sleeps, clock.Sleeps());
        }
    }

    // The PCI card sends at most 10 data bytes, as one message, and pauses
    // 5 ms after it.
    FakeClock clock;
    AccessTunnel<CTridentAccess> pci;
    BYTE buffer[13] = {0x42, 0x10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    ASSERT_EQ(S_OK, pci.access.WriteI2CBlock(buffer, 12));
    ASSERT_EQ(1u, pci.driver.Requests().size());
    EXPECT_EQ(10u, pci.driver.Requests()[0].data.size());
    EXPECT_EQ(std::vector<DWORD>{5}, clock.Sleeps());
    EXPECT_EQ(E_INVALIDARG, pci.access.WriteI2CBlock(buffer, 13));
    EXPECT_EQ(E_INVALIDARG, pci.access.WriteI2CBlock(buffer, 2));
    EXPECT_EQ(1u, pci.driver.Requests().size());

    // The first failing piece ends the write with its result.
    AccessTunnel<TridentUsbAccess> usb;
    usb.driver.FailRequest(USBREQ_I2C, HRESULT_FROM_WIN32(ERROR_GEN_FAILURE), 1);
    BYTE longer[23] = {0x42, 0x10};
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE), usb.access.WriteI2CBlock(longer, 23));
    EXPECT_EQ(2u, usb.driver.Requests().size());
}

// Lines 0-7 reach their pins, and the tuner reset line of each bridge.
TEST(UsbTunnelAccess, GpioLinesAndTheTunerReset)
{
    FakeClock clock;
    AccessTunnel<TridentUsbAccess> t;
    for (DWORD line = 0; line < 8; line++) {
        SCOPED_TRACE(line);
        ASSERT_EQ(S_OK, t.access.WriteGPIO(1, line));
        EXPECT_EQ(FakeUsbTunnel::LinePin(line), t.card.GpioOutputs() & FakeUsbTunnel::LinePin(line));
        ASSERT_EQ(S_OK, t.access.WriteGPIO(0, line));
        EXPECT_EQ(0u, t.card.GpioOutputs() & FakeUsbTunnel::LinePin(line));
    }

    struct
    {
        const char* name;
        CCustomDataAccess* access;
        CardModel* card;
        DWORD resetLine;
        bool onWhileLow;
    } rows[3];
    AccessTunnel<CTridentAccess> pci;
    AccessTunnel<CFenmoAccess> fenmo;
    rows[0] = {"pci", &pci.access, &pci.card, 0, true};
    rows[1] = {"usb", &t.access, &t.card, 1, false};
    rows[2] = {"fenmo", &fenmo.access, &fenmo.card, 1, false};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        uint32_t pin = FakeUsbTunnel::LinePin(row.resetLine);
        for (LONG level : {0, 1}) {
            ASSERT_EQ(S_OK, row.access->SetTunerReset(level));
            bool on = (row.card->GpioOutputs() & pin) != 0;
            EXPECT_EQ(row.onWhileLow ? level == 0 : level == 1, on);
        }
    }
}

TEST(UsbTunnelAccess, UnattachedObjectsSendNothing)
{
    CardModel card;
    FakeUsbTunnel driver(&card);
    CTridentAccess pci;
    TridentUsbAccess usb;
    CFenmoAccess fenmo;
    CCustomDataAccess* accesses[] = {&pci, &usb, &fenmo};
    for (CCustomDataAccess* a : accesses) {
        BYTE value = 0x77;
        BYTE block[4] = {0x42, 0, 1, 2};
        DWORD word = 0x77;
        EXPECT_TRUE(FAILED(a->ReadI2CByte(0x42, 0, &value)));
        EXPECT_TRUE(FAILED(a->WriteI2CByte(0x42, 0, 1)));
        EXPECT_TRUE(FAILED(a->ReadI2CBlock(block, 3)));
        EXPECT_TRUE(FAILED(a->WriteI2CBlock(block, 4)));
        EXPECT_TRUE(FAILED(a->ReadGPIO(&word)));
        EXPECT_TRUE(FAILED(a->WriteGPIO(1, 0)));
        EXPECT_TRUE(FAILED(a->SetTunerReset(1)));
        EXPECT_TRUE(FAILED(a->ReadRegisterByte(0x3A, &value)));
        EXPECT_TRUE(FAILED(a->WriteRegisterByte(0x80, 1)));
        EXPECT_TRUE(FAILED(a->ReadRegister(0, &word)));
        EXPECT_EQ(0x77, value);
        EXPECT_EQ(0x77u, word);
        EXPECT_EQ(E_POINTER, a->Attach(NULL, 0));
    }
    EXPECT_TRUE(driver.Requests().empty());
    EXPECT_EQ(1u, driver.RefCount());
}

TEST(UsbTunnelAccess, AttachHoldsOneReference)
{
    CardModel card;
    FakeUsbTunnel driver(&card);
    {
        TridentUsbAccess usb;
        ASSERT_EQ(S_OK, usb.Attach(&driver, 0));
        ASSERT_EQ(S_OK, usb.Attach(&driver, 0));
        EXPECT_EQ(2u, driver.RefCount());
        EXPECT_EQ(E_POINTER, usb.Attach(NULL, 0));
        EXPECT_EQ(2u, driver.RefCount());  // the old binding stays
    }
    EXPECT_EQ(1u, driver.RefCount());
}

// The byte requests by address: the short one for the EEPROM-like
// addresses unless the probe found that it misses sub-addresses.
TEST(FenmoAccess, ByteRequestsByAddress)
{
    struct
    {
        BYTE address;
        int shortReaches;  // -1: a box whose short request keeps sub-addresses
        std::string wire;
    } rows[] = {
        {0xC0, -1, In(14, 0x00C0, 0x0005, 1)},
        {0xBB, -1, In(14, 0x00BB, 0x0005, 1)},
        {0x43, -1, In(16, 0x0542, 0, 1)},
        {0xC0, 0, In(16, 0x05C0, 0, 1)},
        {0xBB, 0, In(16, 0x05BA, 0, 1)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.address);
        FakeClock clock;
        CardModel card;
        FakeUsbTunnel driver(&card);
        driver.ShortRequestsReach(row.shortReaches);
        CFenmoAccess access;
        ASSERT_EQ(S_OK, access.Attach(&driver, 0));
        EXPECT_EQ(row.shortReaches >= 0, access.SubAddressIgnored());
        driver.ClearRequests();
        BYTE value = 0;
        access.ReadI2CByte(row.address, 5, &value);
        EXPECT_EQ(std::vector<std::string>{row.wire}, Wire(driver));
    }
}

// The EEPROM probe on boxes of both kinds and with failing requests: the
// EEPROM ends as it began, and nothing is written unless both copies of
// byte 0 were read.
TEST(FenmoAccess, EepromProbeLeavesTheEepromAsItWas)
{
    struct Row
    {
        const char* name;
        int shortReaches;   // where the short request lands (-1: where asked)
        BYTE failCode;      // request whose Sets fail ...
        int failAfter;      // ... after this many good ones ...
        int failTimes;      // ... this many times (0: none)
        bool ignored;
        bool writes;        // whether any write reached the EEPROM
    } rows[] = {
        {"box that keeps sub-addresses", -1, 0, 0, 0, false, true},
        {"box whose short request lands on byte 0", 0, 0, 0, 0, true, true},
        {"box whose short request lands on the tuner type", 0x21, 0, 0, 0, true, true},
        {"short copy unreadable", 0x21, USBREQ_I2C_SHORT, 0, 1, false, false},
        {"long copy unreadable", 0x21, USBREQ_I2C, 0, 1, false, false},
        {"first write-back refused", 0x21, USBREQ_I2C, 1, 1, true, true},
        {"short write-back refused once", -1, USBREQ_I2C_SHORT, 3, 1, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeClock clock;
        CardModel card;
        for (int i = 0; i < 256; i++)
            card.SetEepromByte(static_cast<uint8_t>(i), static_cast<uint8_t>(0x30 + i % 64));
        card.SetEepromByte(0x20, 'E');
        card.SetEepromByte(0x21, 91);
        const auto before = EepromBytes(card);
        FakeUsbTunnel driver(&card);
        driver.ShortRequestsReach(row.shortReaches);
        if (row.failTimes)
            driver.FailRequest(row.failCode, E_FAIL, row.failAfter, row.failTimes);
        CFenmoAccess access;
        ASSERT_EQ(S_OK, access.Attach(&driver, 0));
        EXPECT_EQ(row.ignored, access.SubAddressIgnored());
        EXPECT_EQ(before, EepromBytes(card));
        bool wrote = false;
        for (const auto& r : driver.Requests())
            wrote |= r.setup.requestType == kUsbVendorOut;
        EXPECT_EQ(row.writes, wrote);

        // Probed once: a second attach writes nothing.
        driver.ClearRequests();
        ASSERT_EQ(S_OK, access.Attach(&driver, 0));
        EXPECT_TRUE(driver.Requests().empty());
        EXPECT_EQ(row.ignored, access.SubAddressIgnored());
    }
}

// What the probe sends on a box that keeps sub-addresses: the mark at
// byte 0, reads at 1 (not the mark), and byte 0 put back and checked.
TEST(FenmoAccess, ProbeSequence)
{
    FakeClock clock;
    CardModel card;
    card.SetEepromByte(0, 0x5A);
    card.SetEepromByte(1, 0x12);
    FakeUsbTunnel driver(&card);
    CFenmoAccess access;
    ASSERT_EQ(S_OK, access.Attach(&driver, 0));
    EXPECT_EQ((std::vector<std::string>{
                  In(14, 0x00A0, 0, 1), In(16, 0x00A0, 0, 1), Out(14, 0x00A0, 0, 1, {0x99}),
                  In(14, 0x00A0, 1, 1), Out(14, 0x00A0, 0, 1, {0x5A}), In(14, 0x00A0, 0, 1)}),
              Wire(driver));
    EXPECT_EQ((std::vector<DWORD>{100, 10}), clock.Sleeps());
    EXPECT_EQ(0x5A, card.GetEeprom()->Get(0));
}
