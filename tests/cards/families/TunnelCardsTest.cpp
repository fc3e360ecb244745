// The Trident cards and the Fenmo boxes over the simulated card behind a
// fake of their drivers' USB request tunnel: each class opened by name, the
// tuner facts and the Fenmo model letters, the remote receiver, the PCI
// card's tuner mode, the GPIO commands, the capture helpers, and a card
// that is destroyed while its remote thread is inside a request.
#include "cards/families/FenmoCardFilter.h"
#include "cards/families/TridentFenrixCardFilter.h"
#include "cards/families/TridentFilter.h"
#include "cards/families/TridentUsbFilter.h"
#include "cards/families/TunnelCardFilters.h"
#include "graph/RootGraph.h"
#include "hw/access/FenmoAccess.h"
#include "hw/access/TridentAccess.h"
#include "hw/access/TridentUsbAccess.h"
#include "hw/tuners/ModuleTuner.h"
#include "graph/WindowMessages.h"
#include "hw/tuners/XCeive2028.h"
#include "tests/cards/CardByName.h"
#include "tests/cards/CloseProbe.h"
#include "tests/cards/FakeCaptureFilter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeFilterBase.h"
#include "tests/support/FakeUsbTunnel.h"
#include "tests/support/MessageWindow.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>
#include <uuids.h>

#include <memory>
#include <string>
#include <thread>
#include <typeinfo>

using virtualcard::CardModel;
using virtualcard::RegisterChip;

namespace {

// A box on the simulated card: EEPROM facts, a remote receiver at 0xBB.
struct SimulatedBox
{
    CardModel model;
    FakeUsbTunnel tunnel{&model};
    FakeUpstreamCapture capture{&tunnel, &model};
    std::shared_ptr<RegisterChip> receiver = std::make_shared<RegisterChip>();

    explicit SimulatedBox(BYTE letter = 'F', BYTE brand = 'T', BYTE type = 5)
    {
        model.SetEepromByte(3, letter);
        model.SetEepromByte(0x20, brand);
        model.SetEepromByte(0x21, type);
        model.AddDevice(0xBA, receiver);
    }
    void PressKey(BYTE key)
    {
        receiver->SetReg(0x30, 1);
        receiver->SetReg(0x31, key);
    }
};

template <class T = CTVCardFilter>
std::unique_ptr<T> MakeCard(const char* name, IBaseFilter* filter, CRootGraph* graph = NULL,
                            const GUID& category = CLSID_VideoInputDeviceCategory)
{
    return MakeCardByName<T>(name, filter, graph, category);
}

std::string TunerClass(CTVTuner* tuner)
{
    if (dynamic_cast<CXCeive2028*>(tuner))
        return "CXCeive2028";
    CModuleTuner* module = dynamic_cast<CModuleTuner*>(tuner);
    return module ? module->Module().className : "";
}

class TunnelCards : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterTridentFilters();
        RegisterFenmoFilters();
    }
    void TearDown() override
    {
        UnregisterTridentFilters();
        UnregisterFenmoFilters();
    }
    FakeClock m_clock;
};

} // namespace

TEST_F(TunnelCards, EachNameOpensItsClass)
{
    struct Row
    {
        const char* name;
        const std::type_info& cardClass;
        const std::type_info& accessClass;
        int cardType;
    } rows[] = {
        {"TridVid Capture", typeid(CTridentFilter), typeid(CTridentAccess), 0},
        {"Trident USB Capture", typeid(CTridentUsbFilter), typeid(TridentUsbAccess), 17},
        {"Trident Fenrix Capture", typeid(CTridentFenrixCardFilter), typeid(TridentUsbAccess), 19},
        {"Fenmo Capture", typeid(CFenmoCardFilter), typeid(CFenmoAccess), 12},
        {"Gallow Capture", typeid(CFenmorCardFilter), typeid(CFenmoAccess), 14},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedBox box;
        auto card = MakeCard(row.name, &box.capture);
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(row.cardClass, typeid(*card));
        EXPECT_TRUE(card->IsValid());
        ASSERT_NE(nullptr, card->GetAccess());
        EXPECT_EQ(row.accessClass, typeid(*card->GetAccess()));
        EXPECT_EQ(row.cardType, card->GetCardType());
        EXPECT_EQ(5, card->GetTunerType());
        EXPECT_EQ("CTCL2002MB_3", TunerClass(card->GetTuner()));
        // Closed in its own destructor, while a search and polling run.
        EXPECT_STREQ(row.cardClass.name(), ClassThatClosed(std::move(card)).c_str());
        EXPECT_EQ(1u, box.tunnel.RefCount());
    }

    // The crossbars: the audio inputs start at pin 4.
    const char* crossbars[][2] = {
        {"TridVid Crossbar", typeid(CTridentCrossbarFilter).name()},
        {"Trident USB Crossbar", typeid(CTridentUsbCrossBarFilter).name()},
        {"Trident Fenrix Crossbar", typeid(CTridentFenrixCrossBarFilter).name()},
        {"Fenmo Crossbar", typeid(CFenmoCrossbarFilter).name()},
        {"Gallow Crossbar", typeid(CFenmorCrossbarFilter).name()},
    };
    for (const auto& c : crossbars) {
        SCOPED_TRACE(c[0]);
        FakeCrossbarFilter fake(2, 7);
        auto crossbar = MakeCard<CCrossBarFilter>(c[0], &fake, NULL, AM_KSCATEGORY_CROSSBAR);
        ASSERT_NE(nullptr, crossbar);
        EXPECT_STREQ(c[1], typeid(*crossbar).name());
        EXPECT_TRUE(crossbar->RouteAudioInput(0));
        EXPECT_TRUE(crossbar->RouteAudioInput(2));
        EXPECT_TRUE(crossbar->RouteVideoInput(2));
        EXPECT_EQ((std::vector<std::pair<long, long>>{{1, 4}, {1, 6}, {0, 2}}), fake.routes);
    }
}

// The same EEPROM read by the three Trident cards: the PCI card has
// fallbacks of its own; the USB boxes leave it to the tuner factory.
TEST_F(TunnelCards, TridentTunerFacts)
{
    struct Row
    {
        const char* name;
        BYTE brandByte, typeByte;
        int brand, type;
        const char* tunerClass;
    } rows[] = {
        {"TridVid Capture", 'Q', 255, 'A', 133, "CTNF9535DIF"},
        {"TridVid Capture", 'P', 0, 'P', 133, "CTNF9535DIF"},
        {"TridVid Capture", 'T', 5, 'T', 5, "CTCL2002MB_3"},
        {"Trident USB Capture", 'Q', 255, 'T', 255, "CTCL2002MI_3"},
        {"Trident Fenrix Capture", 'Q', 255, 'T', 255, "CTCL2002MI_3"},
        {"Trident USB Capture", 'X', 5, 'X', 5, "CTCL2002MB_3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SCOPED_TRACE(row.typeByte);
        SimulatedBox box('F', row.brandByte, row.typeByte);
        auto card = MakeCard(row.name, &box.capture);
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(row.brand, card->GetTunerBrand());
        EXPECT_EQ(row.type, card->GetTunerType());
        EXPECT_EQ(row.tunerClass, TunerClass(card->GetTuner()));
    }
}

// The model letter at EEPROM byte 3 decides where the tuner facts come
// from and, per box, whether the remote receiver is read.
TEST_F(TunnelCards, FenmoModelLetters)
{
    struct Row
    {
        int letter;  // -1: no EEPROM answers
        bool tunerInEeprom;
        bool fenmoRemote;
        bool fenmorRemote;
        bool hasRemote;
    } rows[] = {
        {'F', true, true, true, true},
        {'I', true, true, true, true},
        {'C', true, true, false, false},
        {'X', false, false, false, false},
        {0, false, false, false, false},
        {-1, false, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.letter);
        const char* names[] = {"Fenmo Capture", "Gallow Capture"};
        for (int fenmor = 0; fenmor < 2; fenmor++) {
            SCOPED_TRACE(names[fenmor]);
            SimulatedBox box(row.letter < 0 ? 0 : static_cast<BYTE>(row.letter), 'P', 97);
            if (row.letter < 0)
                box.model.RemoveDevice(0xA0);
            auto card = MakeCard<CFenmoCardFilter>(names[fenmor], &box.capture);
            ASSERT_NE(nullptr, card);
            EXPECT_TRUE(card->IsValid());
            EXPECT_EQ(row.tunerInEeprom ? 'P' : 'E', card->GetTunerBrand());
            EXPECT_EQ(row.tunerInEeprom ? 97 : 91, card->GetTunerType());
            EXPECT_EQ(row.tunerInEeprom ? "CFQ1216ME_5" : "CXCeive2028", TunerClass(card->GetTuner()));
            box.PressKey(0x2B);
            BYTE key = 0;
            EXPECT_EQ(fenmor ? row.fenmorRemote : row.fenmoRemote, card->ReadRemoteKey(&key) != FALSE);
            EXPECT_EQ(row.hasRemote, card->HasRemote() != FALSE);
        }
    }
}

TEST_F(TunnelCards, FenmoBoxesAnswerNoBusScanAndKeepTheirAudio)
{
    SimulatedBox box('X');
    auto card = MakeCard<CFenmoCardFilter>("Fenmo Capture", &box.capture);
    ASSERT_NE(nullptr, card);
    EXPECT_FALSE(card->ProbeI2C(0x3F));
    EXPECT_TRUE(card->ProbeI2C(0x40));
    EXPECT_TRUE(card->ProbeI2C(0xC3));
    // The XC2028 keeps its own addresses.
    EXPECT_EQ(0xC2, card->GetTuner()->m_byAddr);
    box.tunnel.ClearRequests();
    EXPECT_EQ(S_OK, card->SelectAudioInput(1, TRUE));
    EXPECT_TRUE(box.tunnel.Requests().empty());
}

TEST_F(TunnelCards, TridentRemoteReceiver)
{
    for (const char* name : {"TridVid Capture", "Trident USB Capture", "Trident Fenrix Capture"}) {
        SCOPED_TRACE(name);
        SimulatedBox box;
        auto card = MakeCard<CTunnelCardFilter>(name, &box.capture);
        ASSERT_NE(nullptr, card);
        BYTE key = 0;
        EXPECT_FALSE(card->ReadRemoteKey(&key));  // nothing waits
        box.PressKey(0x15);
        ASSERT_TRUE(card->ReadRemoteKey(&key));
        EXPECT_EQ(0x15, key);
        box.receiver->SetReg(0x30, 2);
        EXPECT_FALSE(card->ReadRemoteKey(&key));

        // The receiver is told a key was taken; a refused write says so.
        ASSERT_TRUE(card->ClearRemoteKey());
        EXPECT_EQ(0xBB, box.receiver->Reg(0x31));
        box.tunnel.FailRequest(USBREQ_I2C, E_FAIL);
        EXPECT_FALSE(card->ClearRemoteKey());
        EXPECT_FALSE(card->ReadRemoteKey(&key));
    }
}

// The USB boxes write their EEPROM bytes as data bytes of the I2C request
// (not in its wIndex, as their one-byte I2C writes go), and read them back.
TEST_F(TunnelCards, TridentUsbEepromBytes)
{
    for (const char* name : {"Trident USB Capture", "Trident Fenrix Capture"}) {
        SCOPED_TRACE(name);
        SimulatedBox box;
        auto card = MakeCard(name, &box.capture);
        ASSERT_NE(nullptr, card);
        box.tunnel.ClearRequests();
        const BYTE bytes[2] = {0x5A, 0x6B};
        int count = 2;
        ASSERT_EQ(S_OK, card->I2CWrite(bytes, 0x10, &count, 0));
        auto requests = box.tunnel.Requests();
        ASSERT_EQ(2u, requests.size());
        for (int i = 0; i < 2; i++) {
            EXPECT_EQ(MAKEWORD(0xA0, 0x10 + i), requests[i].setup.value);
            EXPECT_EQ(0, requests[i].setup.index);
            EXPECT_EQ(std::vector<BYTE>{bytes[i]}, requests[i].data);
        }
        BYTE back[2] = {};
        ASSERT_EQ(S_OK, card->I2CRead(back, 0x10, &count));
        EXPECT_EQ(0x5A, back[0]);
        EXPECT_EQ(0x6B, back[1]);
    }
}

// The configuration mark and the bridge registers of each card.
TEST_F(TunnelCards, ConfigMarksAndBridgeRegisters)
{
    struct Row
    {
        const char* name;
        BYTE mark;
    } rows[] = {
        {"TridVid Capture", 'F'}, {"Trident USB Capture", 0x80}, {"Trident Fenrix Capture", 0x81},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedBox box(row.mark);
        auto card = MakeCard<CTunnelCardFilter>(row.name, &box.capture);
        ASSERT_NE(nullptr, card);
        EXPECT_TRUE(card->HasConfigMark());
        box.model.SetEepromByte(3, row.mark ^ 1);
        EXPECT_FALSE(card->HasConfigMark());

        box.model.WriteRegister(0x3C, 0xFE);
        EXPECT_FALSE(card->ReadStatusBit3C());
        box.model.WriteRegister(0x3C, 0x01);
        EXPECT_TRUE(card->ReadStatusBit3C());
        ASSERT_TRUE(card->WriteControlRegister(0x5A));
        uint32_t value = 0;
        box.model.ReadRegister(0x80, &value);
        EXPECT_EQ(0x5Au, value);
        box.tunnel.FailSet(E_FAIL);
        EXPECT_TRUE(card->ReadStatusBit3C());  // unreadable counts as set
        EXPECT_FALSE(card->WriteControlRegister(1));
    }
    SimulatedBox box('F');
    auto fenmo = MakeCard<CFenmoCardFilter>("Fenmo Capture", &box.capture);
    ASSERT_NE(nullptr, fenmo);
    EXPECT_FALSE(fenmo->HasConfigMark());
    box.model.WriteRegister(0x3A, 0x00);
    EXPECT_TRUE(fenmo->IsRegister3ABitClear());
    box.model.WriteRegister(0x3A, 0x01);
    EXPECT_FALSE(fenmo->IsRegister3ABitClear());
}

// The PCI card's tuner mode through the driver's TV tuner: one mode the
// tuner offers, or FALSE.
TEST_F(TunnelCards, TridentTunerMode)
{
    CRootGraph graph;
    ASSERT_TRUE(graph.MakeGraph());
    FakeTVTunerFilter tuner;
    tuner.availableModes = AMTUNER_MODE_TV | AMTUNER_MODE_FM_RADIO;
    {
        SimulatedBox box;
        box.capture.tuner = &tuner;
        auto card = MakeCard("TridVid Capture", &box.capture, &graph);
        ASSERT_NE(nullptr, card);
        // The capture filter joined the graph for the search only.
        EXPECT_EQ(2, box.capture.joins);
        EXPECT_FALSE(card->IsInGraph());
        struct
        {
            int mode;
            bool accepted;
        } rows[] = {{2, true}, {1, true}, {3, false}, {4, false}, {8, false}, {16, false}, {0, false},
                    {-1, false}};
        for (const auto& row : rows) {
            SCOPED_TRACE(row.mode);
            long before = tuner.mode;
            EXPECT_EQ(row.accepted, card->SetTunerMode(row.mode) != FALSE);
            EXPECT_EQ(row.accepted ? row.mode : before, tuner.mode);
        }
        // The tuner filter is the card's to hand out.
        void* out = NULL;
        ASSERT_EQ(S_OK, card->QueryTVTuner(&out));
        static_cast<IAMTVTuner*>(out)->Release();
    }
    EXPECT_EQ(1u, tuner.Refs());

    // A driver without a tuner: the card opens, and refuses every mode.
    SimulatedBox box;
    auto card = MakeCard("TridVid Capture", &box.capture, &graph);
    ASSERT_NE(nullptr, card);
    EXPECT_TRUE(card->IsValid());
    EXPECT_FALSE(card->SetTunerMode(1));
    auto usb = MakeCard("Trident USB Capture", &box.capture, &graph);
    ASSERT_NE(nullptr, usb);
    EXPECT_FALSE(usb->SetTunerMode(1));
}

// The GPIO commands of the PCI card and the Fenrix box: the line on or
// off, and a refused request reported as a failure.
TEST_F(TunnelCards, GpioCommandsReportFailures)
{
    for (const char* name : {"TridVid Capture", "Trident Fenrix Capture"}) {
        SCOPED_TRACE(name);
        SimulatedBox box;
        auto card = MakeCard(name, &box.capture);
        ASSERT_NE(nullptr, card);
        ASSERT_TRUE(card->McuWrite(1, 5, 0));
        EXPECT_NE(0u, box.model.GpioOutputs() & FakeUsbTunnel::LinePin(5));
        EXPECT_FALSE(card->McuWrite(1, 8, 0));
        box.tunnel.FailSet(E_FAIL);
        EXPECT_FALSE(card->McuWrite(0, 5, 0));
        EXPECT_NE(0u, box.model.GpioOutputs() & FakeUsbTunnel::LinePin(5));
    }
    SimulatedBox box;
    auto fenrix = MakeCard("Trident Fenrix Capture", &box.capture);
    ASSERT_NE(nullptr, fenrix);
    EXPECT_EQ(S_OK, fenrix->ExtCommand(6, 1));  // the line first, then the level
    EXPECT_NE(0u, box.model.GpioOutputs() & FakeUsbTunnel::LinePin(6));
    EXPECT_EQ(E_INVALIDARG, fenrix->ExtCommand(9, 1));
    box.tunnel.FailSet(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_GEN_FAILURE), fenrix->ExtCommand(6, 0));
    CTridentFenrixCardFilter closed(NULL, static_cast<const CLSID*>(NULL));
    EXPECT_EQ(E_FAIL, closed.ExtCommand(6, 1));
    EXPECT_FALSE(closed.McuWrite(1, 6, 0));

    // The USB box holds its tuner in reset on line 1.
    SimulatedBox usbBox;
    auto usb = MakeCard<CTridentUsbFilter>("Trident USB Capture", &usbBox.capture);
    ASSERT_NE(nullptr, usb);
    usbBox.model.WriteGpio(FakeUsbTunnel::LinePin(1), FakeUsbTunnel::LinePin(1));
    ASSERT_TRUE(usb->ResetTuner());
    EXPECT_EQ(0u, usbBox.model.GpioOutputs() & FakeUsbTunnel::LinePin(1));
}

// Without a driver that answers the tunnel: the Fenrix box and the Fenmo
// boxes still make a tuner; the other Trident cards do not open.
TEST_F(TunnelCards, DriverWithoutTheTunnel)
{
    struct
    {
        const char* name;
        bool opens;
    } rows[] = {
        {"TridVid Capture", false},
        {"Trident USB Capture", false},
        {"Trident Fenrix Capture", true},
        {"Fenmo Capture", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CardModel model;
        FakeCaptureFilter bare(NULL, &model);
        auto card = MakeCard(row.name, &bare);
        ASSERT_NE(nullptr, card);
        EXPECT_EQ(row.opens, card->IsValid() != FALSE);
        if (row.opens) {
            EXPECT_NE(nullptr, card->GetTuner());
        }
        BYTE key = 0;
        EXPECT_FALSE(card->ReadRemoteKey(&key));
    }
}

// The capture helpers through the capture pin's stream configuration.
TEST_F(TunnelCards, CaptureFormatHelpers)
{
    CRootGraph graph;
    ASSERT_TRUE(graph.MakeGraph());
    FakeStreamConfig config;
    config.capabilities = {{MEDIASUBTYPE_UYVY, FORMAT_VideoInfo, true, {720, 576}},
                           {MEDIASUBTYPE_YUY2, FORMAT_VideoInfo, true, {1024, 768}},
                           {MEDIASUBTYPE_UYVY, FORMAT_VideoInfo, true, {640, 480}}};
    config.recordBytes = sizeof(VIDEO_STREAM_CONFIG_CAPS) + 64;
    SimulatedBox box('X');
    box.capture.config = &config;
    {
        auto fenmo = MakeCard<CFenmoCardFilter>("Fenmo Capture", &box.capture, &graph);
        auto trident = MakeCard<CTridentUsbFilter>("Trident USB Capture", &box.capture, &graph);
        ASSERT_NE(nullptr, fenmo);
        ASSERT_NE(nullptr, trident);
        SIZE size = {};
        ASSERT_TRUE(fenmo->GetLargestUYVYSize(&size));
        EXPECT_EQ(720, size.cx);
        EXPECT_EQ(576, size.cy);
        ASSERT_TRUE(trident->GetLargestUyvySize(&size));
        EXPECT_EQ(720, size.cx);

        struct
        {
            LONG code;
            const GUID* subtype;
        } rows[] = {{0, &MEDIASUBTYPE_RGB555}, {1, &MEDIASUBTYPE_RGB24}, {2, &MEDIASUBTYPE_YUY2},
                    {3, &MEDIASUBTYPE_YVU9},   {4, &MEDIASUBTYPE_YV12},  {6, &MEDIASUBTYPE_UYVY},
                    {-1, &MEDIASUBTYPE_UYVY}};
        for (const auto& row : rows) {
            SCOPED_TRACE(row.code);
            VideoFormat format = {};
            format.format = row.code;
            format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            format.bmiHeader.biWidth = 640;
            format.bmiHeader.biHeight = 480;
            format.bmiHeader.biBitCount = 16;
            ASSERT_EQ(S_OK, fenmo->SetCaptureFormat(format, TRUE));
            EXPECT_TRUE(IsEqualGUID(*row.subtype, config.current.subtype));
        }
        VIDEOINFOHEADER fields = {};
        fields.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        fields.bmiHeader.biWidth = 352;
        fields.bmiHeader.biHeight = 288;
        fields.bmiHeader.biBitCount = 16;
        ASSERT_EQ(S_OK, trident->SetUyvyFormat(fields, 1));
        EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_UYVY, config.current.subtype));
        const VIDEOINFOHEADER* set = reinterpret_cast<const VIDEOINFOHEADER*>(config.current.pbFormat);
        EXPECT_EQ(352, set->bmiHeader.biWidth);
        EXPECT_EQ(352u * 288 * 2, set->bmiHeader.biSizeImage);
    }
    // Without a graph to search nothing is set, and that is a failure.
    auto loose = MakeCard<CFenmoCardFilter>("Fenmo Capture", &box.capture);
    ASSERT_NE(nullptr, loose);
    int before = config.formatsSet;
    VideoFormat format = {};
    EXPECT_TRUE(FAILED(loose->SetCaptureFormat(format, TRUE)));
    SIZE size;
    EXPECT_FALSE(loose->GetLargestUYVYSize(&size));
    EXPECT_EQ(before, config.formatsSet);
}

// The USB boxes' TV-audio filters by their names: the audio mode reaches
// the driver; a filter without the interface makes no wrapper.
TEST_F(TunnelCards, UsbTVAudioFilters)
{
    struct
    {
        const char* name;
        const std::type_info& audioClass;
    } rows[] = {
        {"Trident USB TvAudio", typeid(CTridentUSBTVAudio)},
        {"Trident Fenrix TvAudio", typeid(CTridentFenrixTVAudio)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeTVAudioFilter fake;
        {
            auto audio = MakeCardByName<CTVAudioFilter>(row.name, &fake, NULL, AM_KSCATEGORY_TVAUDIO);
            ASSERT_NE(nullptr, audio);
            EXPECT_EQ(row.audioClass, typeid(*audio));
            ASSERT_TRUE(audio->IsValid());
            long mode = 0;
            ASSERT_TRUE(audio->SetTVAudioMode(AMTVAUDIO_MODE_STEREO));
            ASSERT_TRUE(audio->GetTVAudioMode(&mode));
            EXPECT_EQ(AMTVAUDIO_MODE_STEREO, mode);
            EXPECT_FALSE(audio->SetTVAudioMode(AMTVAUDIO_MODE_LANG_A));
            ASSERT_TRUE(audio->GetTVAudioMode(&mode));
            EXPECT_EQ(AMTVAUDIO_MODE_STEREO, mode);
        }
        EXPECT_EQ(1u, fake.Refs());

        FakeCrossbarFilter notAudio(2, 7);
        auto plain = MakeCardByName<CTVAudioFilter>(row.name, &notAudio, NULL, AM_KSCATEGORY_TVAUDIO);
        ASSERT_NE(nullptr, plain);
        EXPECT_FALSE(plain->IsValid());
    }
}

// The Xceive tuner of a Fenmo box tunes and reads its lock through the
// box's bridge: the divider to 0xC2, a pulse of line 0 (not the reset on
// line 1), the lock in bridge register 0x3A.
TEST_F(TunnelCards, FenmoXceiveTunerThroughTheBridge)
{
    SimulatedBox box('X');
    auto card = MakeCard<CFenmoCardFilter>("Fenmo Capture", &box.capture);
    ASSERT_NE(nullptr, card);
    auto chip = std::make_shared<RegisterChip>();
    box.model.AddDevice(0xC2, chip);
    box.model.WriteGpio(FakeUsbTunnel::LinePin(1), FakeUsbTunnel::LinePin(1));  // out of reset
    box.tunnel.ClearRequests();
    ASSERT_TRUE(card->GetTuner()->SetTVFrequency(100000));
    EXPECT_EQ(0x19, chip->Reg(1));  // 100000 kHz / 15.625 = 6400 = 0x1900
    EXPECT_EQ(0x00, chip->Reg(2));
    EXPECT_NE(0u, box.model.GpioOutputs() & FakeUsbTunnel::LinePin(1));
    bool pulsed = false;
    for (const auto& r : box.tunnel.Requests())
        pulsed |= r.setup.request == USBREQ_GPIO && r.setup.value == 0x0101 && r.setup.index == 1;
    EXPECT_TRUE(pulsed);

    DWORD locked = 7;
    box.model.WriteRegister(0x3A, 0x00);
    ASSERT_TRUE(card->GetTuner()->GetSignalLock(&locked));
    EXPECT_EQ(1u, locked);
    box.model.WriteRegister(0x3A, 0x01);
    ASSERT_TRUE(card->GetTuner()->GetSignalLock(&locked));
    EXPECT_EQ(0u, locked);
}

// A card destroyed while its remote thread is inside a request: the thread
// is stopped before the access object goes, so the request in flight never
// finds its transport released under it.
TEST_F(TunnelCards, DestroyedWhilePollingStopsTheRemoteFirst)
{
    for (const char* name : {"Fenmo Capture", "Trident USB Capture", "TridVid Capture"}) {
        SCOPED_TRACE(name);
        MessageWindow window;
        SimulatedBox box;
        auto card = MakeCard(name, &box.capture);
        ASSERT_NE(nullptr, card);
        card->m_hNotifyWnd = window.Handle();
        card->SetRemoteInterval(1);
        box.tunnel.HoldNextRequest();
        ASSERT_TRUE(card->StartRemote());
        ASSERT_TRUE(box.tunnel.WaitHeld(5000));
        const ULONG whileOpen = box.tunnel.RefCount();
        std::thread closer([&card] { card.reset(); });
        Sleep(100);  // long enough for a destructor that does not wait to let go
        EXPECT_EQ(whileOpen, box.tunnel.RefsWhileHeld());
        box.tunnel.ReleaseHeld();
        closer.join();
        EXPECT_EQ(1u, box.tunnel.RefCount());
    }
}
