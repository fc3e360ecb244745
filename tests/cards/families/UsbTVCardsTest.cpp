// The USB boxes on the Empia bridges over the simulated card behind a fake
// of the bridge driver, listed by name among the video input devices: each
// class opened by name, the tuner facts from the box's controller and the
// card EEPROM, the tuner classes and their replacement, the decoder probe,
// the remote receivers, the audio multiplexer, and the crossbars' decoder
// input switch.
#include "cards/families/UsbTVFilter.h"
#include "hw/access/Em2800Access.h"
#include "hw/tuners/Em2800Tuner.h"
#include "hw/tuners/TunerModules.h"
#include "tests/cards/CardByName.h"
#include "tests/cards/CloseProbe.h"
#include "tests/cards/FakeCaptureFilter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/SimulatedEmpiaBox.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>

#include <string.h>

#include <memory>
#include <typeinfo>

using virtualcard::RegisterChip;

namespace {

// A box whose controller at 0x60 names tuner code `code` (-1: no
// controller), with the card EEPROM's tuner facts at 0xC0/0xC1 and a
// decoder at 0x42.
struct UsbBox
{
    explicit UsbBox(const wchar_t* name = L"USB 2820 Video", int code = 5, BYTE brand = 'P',
                    BYTE type = 93)
        : sim({name})
    {
        if (code >= 0) {
            sim.model.AddDevice(0x60, controller);
            controller->SetReg(50, static_cast<BYTE>(code));
        }
        sim.model.SetEepromByte(0xC0, brand);
        sim.model.SetEepromByte(0xC1, type);
        sim.model.AddDevice(0x42, decoder);
    }
    SimulatedEmpiaBox sim;
    std::shared_ptr<RegisterChip> controller = std::make_shared<RegisterChip>();
    std::shared_ptr<RegisterChip> decoder = std::make_shared<RegisterChip>();
};

template <class T = CUsbTVFilter>
std::unique_ptr<T> MakeBox(const char* name, UsbBox& box)
{
    return MakeCardByName<T>(name, static_cast<IBaseFilter*>(&box.sim.bridge));
}

class UsbTVCards : public ::testing::Test
{
protected:
    void SetUp() override { RegisterUsbTVFilters(); }
    void TearDown() override { UnregisterUsbTVFilters(); }
    FakeClock m_clock;
};

} // namespace

// Each capture name makes its class, which opens the bridge by the name its
// model gives and stores its card type; the tuner is the box's own.
TEST_F(UsbTVCards, EachNameOpensItsClass)
{
    struct
    {
        const char* name;
        const wchar_t* bridge;  // the device the box lists
        const std::type_info& cardClass;
        int cardType;
    } rows[] = {
        {"USB 2800 Video", L"USB 2800 Video", typeid(CEm2800CardFilter), 4},
        {"Corvane USB TV Box Video", L"Corvane USB TV Box Video", typeid(CQor2800CardFilter), 4},
        {"USB 2820 Video", L"USB 2820 Video", typeid(CEm2820CardFilter), 4},
        {"USB 2821 Video", L"USB 2821 Video", typeid(CEm2821CardFilter), 4},
        {"USB 2881 Video", L"USB 2881 Video", typeid(CEm2880CardFilter), 8},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        UsbBox box(row.bridge);
        std::unique_ptr<CTVCardFilter> card = MakeBox(row.name, box);
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(row.cardClass, typeid(*card));
        EXPECT_TRUE(card->IsValid());
        ASSERT_NE(nullptr, card->GetAccess());
        EXPECT_EQ(typeid(CEm2800Access), typeid(*card->GetAccess()));
        EXPECT_TRUE(static_cast<CEm2800Access*>(card->GetAccess())->IsOpen());
        EXPECT_EQ(row.cardType, card->GetCardType());
        EXPECT_EQ(5, card->GetTunerType());  // the controller's code 5
        EXPECT_NE(nullptr, dynamic_cast<CEm2800Tuner*>(card->GetTuner()));
        // Closed in its own destructor, while a search and polling run.
        EXPECT_STREQ(row.cardClass.name(), ClassThatClosed(std::move(card)).c_str());
        EXPECT_EQ(1u, box.sim.bridge.Refs());
    }

    // The 2881 box always opens "USB 2881 Video", not its tuner device.
    UsbBox other(L"USB 2881 TVTuner");
    auto card = MakeBox("USB 2881 Video", other);
    ASSERT_NE(nullptr, card);
    EXPECT_FALSE(card->IsValid());
}

// A box whose bridge cannot be found does not open (the access object
// reports it), and the card says so.
TEST_F(UsbTVCards, BridgeMissing)
{
    UsbBox box(L"Some other device");
    auto card = MakeBox("USB 2820 Video", box);
    ASSERT_NE(nullptr, card);
    EXPECT_FALSE(card->IsValid());
    EXPECT_EQ(nullptr, card->GetTuner());
    BYTE key = 0;
    EXPECT_FALSE(card->ReadRemoteKey(&key));
}

// The tuner code of the box's controller (register 50 of 0x60), else the
// card EEPROM's facts; an EEPROM naming the TNF9935 (69) wins.
TEST_F(UsbTVCards, TunerFacts)
{
    struct Row
    {
        int code;       // -1: no controller
        int brandByte;  // -1: no EEPROM
        BYTE typeByte;
        int brand, type;
        BOOL fromEeprom;
        int modelId;    // of the tuner made
    } rows[] = {
        {1, 'P', 93, 'T', 3, FALSE, 3},
        {4, 'P', 93, 'T', 14, FALSE, 14},
        {6, 'P', 93, 'T', 11, FALSE, 11},
        {7, 'P', 93, 'T', 4, FALSE, 4},
        {0, 'P', 92, 'P', 92, TRUE, 92},
        {0, 'Q', 200, 'N', 93, TRUE, 93},   // no module of that type: the usual one
        {0, 'P', 0, 'P', 93, TRUE, 93},
        {-1, 'L', 72, 'L', 72, TRUE, 72},   // no controller reads as code 0
        {0, -1, 0, 'T', 93, FALSE, 93},     // nothing to read at all
        {4, 'A', 69, 'A', 69, FALSE, 69},   // the EEPROM's 69 overrides the controller
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "code " << row.code << " type byte " << int(row.typeByte));
        UsbBox box(L"USB 2820 Video", row.code, row.brandByte < 0 ? 0 : static_cast<BYTE>(row.brandByte),
                   row.typeByte);
        if (row.brandByte < 0)
            box.sim.model.RemoveDevice(0xA0);
        auto card = MakeBox<CUsbTVFilter>("USB 2820 Video", box);
        ASSERT_NE(nullptr, card);
        ASSERT_TRUE(card->IsValid());
        EXPECT_EQ(row.brand, card->GetTunerBrand());
        EXPECT_EQ(row.type, card->GetTunerType());
        EXPECT_EQ(row.fromEeprom, card->TunerFactsFromEeprom());
        ASSERT_NE(nullptr, dynamic_cast<CEm2800Tuner*>(card->GetTuner()));
        EXPECT_EQ(row.modelId, card->GetTuner()->m_nModelId);
        EXPECT_EQ(0xC6, card->GetTuner()->m_byAddr);
    }
}

// Type 97 gets the FQ1216ME_5 class, every other type the box's tuner; the
// decoder answers at 0x42 or else at 0x4A/0x4B.
TEST_F(UsbTVCards, TunerClassAndDecoder)
{
    struct
    {
        BYTE type;
        bool decoderAt42;
        bool fq;
        BYTE decoder;
    } rows[] = {{97, true, true, 0x42}, {97, false, true, 0x4B}, {93, true, false, 0x42},
                {93, false, false, 0x4B}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << int(row.type) << (row.decoderAt42 ? " at 0x42" : " at 0x4A"));
        UsbBox box(L"USB 2820 Video", 0, 'P', row.type);
        if (!row.decoderAt42) {
            box.sim.model.RemoveDevice(0x42);
            box.sim.model.AddDevice(0x4A, box.decoder);
        }
        auto card = MakeBox("USB 2820 Video", box);
        ASSERT_NE(nullptr, card);
        ASSERT_TRUE(card->IsValid());
        EXPECT_EQ(row.fq, dynamic_cast<CFQ1216ME_5*>(card->GetTuner()) != nullptr);
        EXPECT_EQ(row.type, card->GetTuner()->m_nModelId);
        BYTE decoder = 0;
        ASSERT_TRUE(card->GetDecoderAddress(&decoder));
        EXPECT_EQ(row.decoder, decoder);
        // The tuned test reads that decoder.
        box.decoder->SetReg(0x1F, 0x00);
        EXPECT_TRUE(card->IsTVTuned());
        box.decoder->SetReg(0x1F, 0x40);
        EXPECT_FALSE(card->IsTVTuned());
    }
}

// A new tuner type: the new tuner is made before the old one goes; when
// none can be made the old one stays.
TEST_F(UsbTVCards, SetTunerType)
{
    UsbBox box;
    auto card = MakeBox("USB 2820 Video", box);
    ASSERT_NE(nullptr, card);
    CTVTuner* first = card->GetTuner();
    ASSERT_NE(nullptr, first);
    HWND window = reinterpret_cast<HWND>(0x1234);
    first->SetNotifyWindow(window);

    EXPECT_FALSE(card->SetTunerType(0));
    EXPECT_EQ(first, card->GetTuner());
    EXPECT_EQ(5, card->GetTunerType());

    ASSERT_TRUE(card->SetTunerType(97));
    ASSERT_NE(nullptr, dynamic_cast<CFQ1216ME_5*>(card->GetTuner()));
    EXPECT_EQ(97, card->GetTunerType());
    EXPECT_EQ('P', card->GetTunerBrand());
    EXPECT_EQ(window, card->GetTuner()->GetNotifyWindow());
    EXPECT_EQ(0xC6, card->GetTuner()->m_byAddr);

    // A type no module carries: the box's tuner with its own description.
    ASSERT_TRUE(card->SetTunerType(6));
    ASSERT_NE(nullptr, dynamic_cast<CEm2800Tuner*>(card->GetTuner()));
    EXPECT_EQ(4, card->GetTuner()->m_nModelId);
    EXPECT_EQ(window, card->GetTuner()->GetNotifyWindow());
    // And it tunes through the bridge.
    auto pll = std::make_shared<RegisterChip>();
    box.sim.model.AddDevice(0xC6, pll);
    EXPECT_TRUE(card->SetTVFrequency(471250));
}

// The remote receivers: the controller at 0x60, the Corvane box's at 0xBB,
// whose waiting flag is taken back before the key is read.
TEST_F(UsbTVCards, RemoteReceivers)
{
    struct
    {
        const char* name;
        BYTE receiver;
        BYTE flagAfter;
        DWORD slept;
    } rows[] = {
        {"USB 2820 Video", 0x60, 1, 0},
        {"USB 2800 Video", 0x60, 1, 0},
        {"Corvane USB TV Box Video", 0xBB, 0, 10},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::wstring wide(row.name, row.name + strlen(row.name));
        UsbBox box(wide.c_str());
        auto receiver = std::make_shared<RegisterChip>();
        box.sim.model.AddDevice(row.receiver, receiver);
        auto card = MakeBox(row.name, box);
        ASSERT_NE(nullptr, card);
        BYTE key = 0;
        receiver->SetReg(48, 0);
        EXPECT_FALSE(card->ReadRemoteKey(&key));
        receiver->SetReg(48, 1);
        receiver->SetReg(49, 0x2B);
        DWORD before = m_clock.TotalSlept();
        ASSERT_TRUE(card->ReadRemoteKey(&key));
        EXPECT_EQ(0x2B, key);
        EXPECT_EQ(row.flagAfter, receiver->Reg(48));
        EXPECT_EQ(row.slept, m_clock.TotalSlept() - before);
        box.sim.bridge.Fail(EM28XX_I2C_DATA, E_FAIL);
        EXPECT_FALSE(card->ReadRemoteKey(&key));
    }
}

// The audio multiplexer on the bridge's GPIO byte, 300 ms after the lines
// were last switched.
TEST_F(UsbTVCards, AudioMultiplexer)
{
    struct
    {
        int input;
        BOOL on;
        BYTE pins;
        BYTE written;
    } rows[] = {
        {1, TRUE, 0xFF, 0x0E}, {0, TRUE, 0xF3, 0x01}, {2, TRUE, 0xFF, 0x0C},
        {5, FALSE, 0x08, 0x0F}, {0, FALSE, 0xF0, 0xF7}, {7, TRUE, 0x5A, 0x5A},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.input << (row.on ? " on" : " off") << " over 0x"
                                        << std::hex << int(row.pins));
        UsbBox box;
        auto card = MakeBox("USB 2820 Video", box);
        ASSERT_NE(nullptr, card);
        box.sim.model.SetGpioInputs(row.pins);
        DWORD before = m_clock.TotalSlept();
        EXPECT_EQ(S_OK, card->SelectAudioInput(row.input, row.on));
        EXPECT_EQ(300u, m_clock.TotalSlept() - before);
        EXPECT_EQ(row.written, box.sim.model.GpioOutputs() & 0xFF);
    }
    // A pin read that fails writes nothing.
    UsbBox box;
    auto card = MakeBox("USB 2820 Video", box);
    ASSERT_NE(nullptr, card);
    box.sim.bridge.Fail(EM28XX_REGISTER_DATA, E_FAIL);
    EXPECT_EQ(E_FAIL, card->SelectAudioInput(1, TRUE));
    EXPECT_EQ(0u, box.sim.model.GpioOutputEnable());
}

// The 2821 box keeps its tuner facts at 0xD0/0xD1 once its tuner is made,
// and reaches the bridge's indexed words and controls.
TEST_F(UsbTVCards, Em2821Box)
{
    UsbBox box(L"USB 2821 Video", 0, 'P', 93);
    box.sim.model.SetEepromByte(0xD0, 'L');
    box.sim.model.SetEepromByte(0xD1, 72);
    auto card = MakeBox<CEm2821CardFilter>("USB 2821 Video", box);
    ASSERT_NE(nullptr, card);
    EXPECT_EQ(93, card->GetTunerType());
    card->ReadTunerInfo();
    EXPECT_EQ(72, card->GetTunerType());

    box.sim.bridge.SetIndexedWord(0x10, 0x0203);
    WORD word = 0;
    ASSERT_TRUE(card->ReadIndexedByte(0x10, &word));
    EXPECT_EQ(0x0203, word);
    DWORD value = 9;
    ASSERT_TRUE(card->SetControlValue(5000, &value));
    value = 0;
    ASSERT_TRUE(card->GetControlValue(5000, &value));
    EXPECT_EQ(9u, value);
    box.sim.bridge.Fail(0, E_FAIL);
    EXPECT_FALSE(card->GetControlValue(5000, &value));
    EXPECT_FALSE(card->ReadIndexedByte(0x10, &word));

    CEm2821CardFilter closed(NULL, static_cast<const CLSID*>(NULL));
    EXPECT_FALSE(closed.ReadIndexedByte(0x10, &word));
    EXPECT_FALSE(closed.GetControlValue(5000, &value));
}

// The tuner bus scan: the answers with a bit of the tuner's status mask,
// bounded by the last address and the room given.
TEST_F(UsbTVCards, ScanTunerBus)
{
    UsbBox box;
    auto card = MakeBox("USB 2820 Video", box);
    ASSERT_NE(nullptr, card);
    auto tuner = std::make_shared<RegisterChip>();
    tuner->SetStatus(0x40);
    box.sim.model.AddDevice(0xC6, tuner);
    box.decoder->SetStatus(0x00);
    box.controller->SetStatus(0x40);
    box.sim.model.RemoveDevice(0xA0);
    box.sim.model.RemoveDevice(0xC0);
    BYTE found[8] = {};
    size_t count = card->ScanTunerBus(found, 8, 0xFFFF);
    ASSERT_EQ(4u, count);
    EXPECT_EQ(0x60, found[0]);
    EXPECT_EQ(0x61, found[1]);
    EXPECT_EQ(0xC6, found[2]);
    EXPECT_EQ(0xC7, found[3]);
    EXPECT_EQ(1u, card->ScanTunerBus(found, 1, 0xFFFF));
    EXPECT_EQ(2u, card->ScanTunerBus(found, 8, 0xC5));
    CUsbTVFilter closed(NULL, static_cast<const CLSID*>(NULL));
    EXPECT_EQ(0u, closed.ScanTunerBus(found, 8, 0xFF));
}

// Crossbars: their pin maps, and the video input switched in the decoder's
// register 2 through whichever bridge answers (the crossbar's own first on
// the 2820 box).
TEST_F(UsbTVCards, Crossbars)
{
    struct
    {
        const char* name;
        int firstVideo;  // pin map entry of the tuner's video
        bool crossbarRoutes;
    } rows[] = {
        {"USB 2800 Crossbar", 0, false},
        {"Corvane USB TV Box Crossbar", 0, false},
        {"USB 2820 Crossbar", 1, true},
        {"USB 2821 Crossbar", 0, false},
        {"USB 2881 Crossbar", 1, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        UsbBox box;
        auto decoder = std::make_shared<RegisterChip>();
        box.sim.model.AddDevice(0x4A, decoder);
        FakeCrossbarFilter fake(2, 7);
        auto crossbar = MakeCardByName<CCrossBarFilter>(row.name, &fake, NULL, AM_KSCATEGORY_CROSSBAR);
        ASSERT_NE(nullptr, crossbar);
        ASSERT_NE(nullptr, dynamic_cast<CUsbTVCrossBarFitler*>(crossbar.get()));
        EXPECT_EQ(row.firstVideo, crossbar->GetPinMapEntry(CCrossBarFilter::kVideoTuner));
        EXPECT_EQ(4, crossbar->GetPinMapEntry(CCrossBarFilter::kAudioTuner));

        struct
        {
            int input;
            BYTE written;
        } routes[] = {{2, 0xC9}, {0, 0xC2}, {1, 0xC0}, {5, 0xC0}};
        for (const auto& r : routes) {
            decoder->SetReg(2, 0xC3);
            ASSERT_TRUE(crossbar->RouteVideoInput(r.input));
            EXPECT_EQ(r.written, decoder->Reg(2));
        }
        EXPECT_EQ(row.crossbarRoutes ? 4u : 0u, fake.routes.size());
        EXPECT_TRUE(crossbar->RouteAudioInput(0));
        EXPECT_EQ(std::make_pair(1L, 4L), fake.routes.back());
        EXPECT_EQ(1u, box.sim.bridge.Refs());  // the bridge is let go after each call
    }

    // A decoder that cannot be read gets the mode alone; no bridge: FALSE.
    UsbBox box;
    FakeCrossbarFilter fake(2, 7);
    auto crossbar = MakeCardByName<CCrossBarFilter>("USB 2800 Crossbar", &fake, NULL, AM_KSCATEGORY_CROSSBAR);
    ASSERT_NE(nullptr, crossbar);
    auto decoder = std::make_shared<RegisterChip>();
    box.sim.model.AddDevice(0x4A, decoder);
    decoder->SetReg(2, 0xC3);
    box.sim.bridge.Fail(EM28XX_I2C_DATA, E_FAIL, 0, 1);
    ASSERT_TRUE(crossbar->RouteVideoInput(2));
    EXPECT_EQ(0x09, decoder->Reg(2));
    box.sim.model.RemoveDevice(0x4A);
    EXPECT_FALSE(crossbar->RouteVideoInput(2));
}

TEST_F(UsbTVCards, CrossbarWithoutABridge)
{
    VideoDeviceListHold hold;  // no other executable's box listed either
    FakeCrossbarFilter fake(2, 7);
    auto crossbar = MakeCardByName<CCrossBarFilter>("USB 2821 Crossbar", &fake, NULL, AM_KSCATEGORY_CROSSBAR);
    ASSERT_NE(nullptr, crossbar);
    EXPECT_TRUE(crossbar->IsValid());
    EXPECT_FALSE(crossbar->RouteVideoInput(0));
}
