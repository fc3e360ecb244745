// The WIS encoder box over a fake of its driver's capture filter: the
// private interface on the simulated card, the encoder interface with the
// fixture capability table, and pins whose stream configurations offer
// MPEG-1, MPEG-2, MPEG-4 and audio formats. The box and its crossbar opened
// by name, what refuses to open, the tuner facts, the remote receiver, the
// EEPROM transfers, the combinations, and a profile applied to the pins'
// format blocks.
#include "cards/families/WiseCaptureFilter.h"

#include "cards/families/EncoderCombinations.h"
#include "graph/Guids.h"
#include "hw/access/NameMutex.h"
#include "hw/access/WiseAccess.h"
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/OutputPin.h"
#include "tests/cards/CardByName.h"
#include "tests/cards/CloseProbe.h"
#include "tests/cards/FakeCaptureFilter.h"
#include "tests/cards/families/WiseProfiles.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeWisePrivate.h"
#include "tests/support/MessageBoxCapture.h"

#include <gtest/gtest.h>
#include <dvdmedia.h>
#include <mmreg.h>

#include <functional>
#include <memory>
#include <set>
#include <thread>
#include <typeinfo>
#include <vector>

using virtualcard::CardModel;
using virtualcard::RegisterChip;
using wisetest::MakeCaps;

namespace {

const DWORD kMP4S = MAKEFOURCC('M', 'P', '4', 'S');
// The fixture profiles after an MPEG-2 stream: streams DVD (slot 0,
// capability 1), VCD (1, capability 0, 25 fps only) and MP4 (2,
// capability 2).
const std::string kProfiles =
    "[streamsetting]\nname=DVD\ncompress_mode=1\nsequence=2\n" + std::string(wisetest::kValidProfiles);

// --- the driver's pins ---------------------------------------------------------

// An output pin whose stream configuration offers `caps`, keeps `current`
// and records every format it is given.
class ConfigPin : public dshow::CBaseOutputPin, public IAMStreamConfig
{
public:
    ConfigPin(dshow::CBaseFilter* filter, const wchar_t* name) : dshow::CBaseOutputPin(filter, name) {}
    DSHOW_PIN_IUNKNOWN

    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* mt) override
    {
        set.push_back(CMediaType(*mt));
        return setResult;
    }
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** mt) override
    {
        *mt = CreateMediaType(&current);
        return S_OK;
    }
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override
    {
        *count = (int)caps.size();
        *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
        return S_OK;
    }
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** mt, BYTE* record) override
    {
        if (failing.count(index))
            return E_FAIL;
        memset(record, 0, sizeof(VIDEO_STREAM_CONFIG_CAPS));
        *mt = CreateMediaType(&caps.at(index));
        return S_OK;
    }
    HRESULT CheckMediaType(const AM_MEDIA_TYPE*) override { return S_OK; }

    std::vector<CMediaType> caps;
    std::set<int> failing;  // capabilities whose read fails
    CMediaType current;
    std::vector<CMediaType> set;
    HRESULT setResult = S_OK;
    bool hasConfig = true;

protected:
    HRESULT QueryPinInterface(REFIID iid, void** out) override
    {
        if (iid != IID_IAMStreamConfig || !hasConfig)
            return CBaseOutputPin::QueryPinInterface(iid, out);
        *out = static_cast<IAMStreamConfig*>(this);
        AddRef();
        return S_OK;
    }
};

// The encoder's settings interface: records what it is handed.
class FakeEncoderSettings : public IWiseEncoderSettings
{
public:
    STDMETHODIMP QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SetConfig(EncoderConfig* records, DWORD* result) override
    {
        handed.push_back(*records);
        *result = 0;
        return S_OK;
    }
    std::vector<EncoderConfig> handed;
};

// The driver's capture filter: the three pins, the private interface on the
// simulated card and the encoder interface over the fixture table.
class FakeWiseDriver : public dshow::CBaseFilter, public IWiseEncoder
{
public:
    explicit FakeWiseDriver(CardModel* card)
        : dshow::CBaseFilter(GUID_NULL, L"WIS driver"), privateInterface(card),
          capture(this, L"Video Capture"), preview(this, L"Video Preview"), audio(this, L"Audio Capture"),
          caps(MakeCaps())
    {
        memset(&board, 0, sizeof(board));
        strncpy(board.name, wisetest::kBoardName, sizeof(board.name) - 1);
        board.tv_standard = kProfilePal;
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CBaseFilter::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CBaseFilter::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CBaseFilter::Release(); }

    int GetPinCount() override { return 3; }
    dshow::CBasePin* GetPin(int index) override
    {
        dshow::CBasePin* pins[] = {&capture, &preview, &audio};
        return index >= 0 && index < 3 ? pins[index] : NULL;
    }

    STDMETHODIMP GetBoardInfo(EncoderBoard* out) override
    {
        *out = board;
        return S_OK;
    }
    STDMETHODIMP Reserved4() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved5() override { return E_NOTIMPL; }
    STDMETHODIMP GetCapabilities(EncoderCaps* out) override
    {
        if (FAILED(capsResult))
            return capsResult;
        // The driver fills its part; what follows is left as it finds it,
        // here as junk.
        memcpy(out, caps.get(), offsetof(EncoderCaps, combinationCount));
        out->combinationCount = 0xDEADBEEF;
        memset(&out->combinations, 0xCD, sizeof(out->combinations));
        return S_OK;
    }

    ULONG Refs()
    {
        AddRef();
        return Release();
    }

    FakeWisePrivate privateInterface;
    FakeEncoderSettings settings;
    ConfigPin capture, preview, audio;
    std::unique_ptr<EncoderCaps> caps;
    EncoderBoard board;
    HRESULT capsResult = S_OK;
    bool hasPrivate = true, hasEncoder = true, hasSettings = true;

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IWisePrivate && hasPrivate)
            return privateInterface.QueryInterface(iid, out);
        if (iid == IID_IWiseEncoder && hasEncoder) {
            *out = static_cast<IWiseEncoder*>(this);
            AddRef();
            return S_OK;
        }
        if (iid == IID_IWiseEncoderSettings && hasSettings) {
            *out = static_cast<IWiseEncoderSettings*>(&settings);
            return S_OK;
        }
        return CBaseFilter::QueryFilterInterface(iid, out);
    }
};

// --- format blocks ----------------------------------------------------------------

CMediaType VideoType(const GUID& subtype, const GUID& formatType, const std::vector<BYTE>& block)
{
    CMediaType mt;
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = subtype;
    mt.formattype = formatType;
    mt.SetFormat(block.data(), (ULONG)block.size());
    return mt;
}

// An MPEG-1 or MPEG-2 block (Info) with a sequence header of `sequence`
// bytes ending at `sequenceAt`, and `room` bytes after it.
template <class Info>
CMediaType MpegType(const GUID& subtype, const GUID& formatType, size_t sequenceAt, LONG width, LONG height,
                    DWORD sequence, size_t room)
{
    std::vector<BYTE> block(sequenceAt + sequence + room, 0xEE);
    Info info = {};
    info.hdr.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.hdr.bmiHeader.biWidth = width;
    info.hdr.bmiHeader.biHeight = height;
    info.cbSequenceHeader = sequence;
    memcpy(block.data(), &info, sequenceAt);
    return VideoType(subtype, formatType, block);
}

CMediaType Mpeg1Type(LONG width, LONG height, DWORD sequence, size_t room)
{
    return MpegType<MPEG1VIDEOINFO>(MEDIASUBTYPE_MPEG1Payload, FORMAT_MPEGVideo,
                                    offsetof(MPEG1VIDEOINFO, bSequenceHeader), width, height, sequence, room);
}

CMediaType Mpeg2Type(LONG width, LONG height, DWORD sequence)
{
    return MpegType<MPEG2VIDEOINFO>(MEDIASUBTYPE_MPEG2_VIDEO, FORMAT_MPEG2Video,
                                    offsetof(MPEG2VIDEOINFO, dwSequenceHeader), width, height, sequence,
                                    sizeof(EncoderConfig));
}

// A video-info block whose bitmap header is long enough to end in the
// encoder records.
CMediaType Mpeg4Type(LONG width, LONG height, DWORD compression)
{
    const DWORD bitmapBytes = sizeof(BITMAPINFOHEADER) + sizeof(EncoderConfig);
    std::vector<BYTE> block(offsetof(VIDEOINFOHEADER, bmiHeader) + bitmapBytes, 0xEE);
    VIDEOINFOHEADER info = {};
    info.bmiHeader.biSize = bitmapBytes;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biCompression = compression;
    memcpy(block.data(), &info, sizeof(info));
    return VideoType(FOURCCMap(compression), FORMAT_VideoInfo, block);
}

CMediaType AudioType(WORD tag, DWORD rate, WORD channels)
{
    WAVEFORMATEX wave = {};
    wave.wFormatTag = tag;
    wave.nSamplesPerSec = rate;
    wave.nChannels = channels;
    wave.wBitsPerSample = 16;
    wave.nBlockAlign = (WORD)(channels * 2);
    wave.nAvgBytesPerSec = rate * wave.nBlockAlign;
    CMediaType mt;
    mt.majortype = MEDIATYPE_Audio;
    mt.subtype = MEDIASUBTYPE_PCM;
    mt.formattype = FORMAT_WaveFormatEx;
    mt.SetFormat(reinterpret_cast<const BYTE*>(&wave), sizeof(wave));
    return mt;
}

const BITMAPINFOHEADER& Bitmap(const CMediaType& mt)
{
    if (mt.formattype == FORMAT_MPEG2Video)
        return reinterpret_cast<const MPEG2VIDEOINFO*>(mt.pbFormat)->hdr.bmiHeader;
    return reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader;
}

REFERENCE_TIME FrameTime(const CMediaType& mt)
{
    if (mt.formattype == FORMAT_MPEG2Video)
        return reinterpret_cast<const MPEG2VIDEOINFO*>(mt.pbFormat)->hdr.AvgTimePerFrame;
    return reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat)->AvgTimePerFrame;
}

DWORD BitRate(const CMediaType& mt)
{
    if (mt.formattype == FORMAT_MPEG2Video)
        return reinterpret_cast<const MPEG2VIDEOINFO*>(mt.pbFormat)->hdr.dwBitRate;
    return reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat)->dwBitRate;
}

const EncoderConfig& RecordsAt(const CMediaType& mt, size_t offset)
{
    return *reinterpret_cast<const EncoderConfig*>(mt.pbFormat + offset);
}

// --- the box ------------------------------------------------------------------------

// A box on the simulated card: EEPROM tuner facts at 17 and 16, a remote
// receiver at 0xBA/0xBB, a video decoder at 0x40/0x41; the profile file in
// the Windows folder.
struct SimulatedWiseBox
{
    CardModel model;
    FakeWiseDriver* driver;
    std::shared_ptr<RegisterChip> receiver = std::make_shared<RegisterChip>();
    std::shared_ptr<RegisterChip> decoder = std::make_shared<RegisterChip>();
    wisetest::WindowsProfileFile profiles;

    explicit SimulatedWiseBox(const char* profileText = kProfiles.c_str(), BYTE brand = 'L', BYTE type = 72)
        : driver(new FakeWiseDriver(&model)), profiles(profileText)
    {
        model.SetEepromByte(17, brand);
        model.SetEepromByte(16, type);
        model.AddDevice(0xBA, receiver);
        model.AddDevice(0x40, decoder);
    }
    ~SimulatedWiseBox() { driver->Release(); }
    std::unique_ptr<CWiseCaptureFilter> Open()
    {
        return MakeCardByName<CWiseCaptureFilter>("Fenwil A/V Capture", driver);
    }
};

class WiseCards : public ::testing::Test
{
protected:
    void SetUp() override { RegisterWiseFilters(); }
    void TearDown() override { UnregisterWiseFilters(); }
    FakeClock m_clock;
};

} // namespace

TEST_F(WiseCards, TheBoxAndItsCrossbarOpenByName)
{
    SimulatedWiseBox box;
    std::unique_ptr<CWiseCaptureFilter> card = box.Open();
    ASSERT_NE(nullptr, card);
    EXPECT_EQ(typeid(CQorWisCardFilter), typeid(*card));
    ASSERT_TRUE(card->IsValid());
    EXPECT_EQ(18, card->GetCardType());
    ASSERT_NE(nullptr, card->GetAccess());
    EXPECT_EQ(typeid(CWiseAccess), typeid(*card->GetAccess()));
    EXPECT_EQ(72, card->GetTunerType());
    EXPECT_EQ('L', card->GetTunerBrand());
    ASSERT_NE(nullptr, card->GetTuner());
    // The driver's table, without the junk it left after it, and the
    // profiles matched against it.
    EXPECT_EQ(3u, card->GetCaps().streamCount);
    EXPECT_EQ(0u, card->GetCaps().combinationCount);
    EXPECT_EQ(nullptr, card->GetCaps().combinations);
    EXPECT_EQ(3u, card->GetProfiles().streamCount);
    EXPECT_EQ(S_OK, card->SelectAudioInput(1, TRUE));
    EXPECT_EQ(typeid(CQorWisCardFilter).name(),
              ClassThatClosed(std::unique_ptr<CTVCardFilter>(card.release())));
    EXPECT_EQ(1u, box.driver->Refs());
    EXPECT_EQ(1u, box.driver->privateInterface.Refs());

    FakeCrossbarFilter fake(2, 5);
    std::unique_ptr<CCrossBarFilter> crossbar =
        MakeCardByName<CCrossBarFilter>("Fenwil CrossBar", &fake, NULL, AM_KSCATEGORY_CROSSBAR);
    ASSERT_NE(nullptr, crossbar);
    EXPECT_EQ(typeid(CQorWisCrossbarFilter), typeid(*crossbar));
    const int map[] = {0, 1, 2, 3, 4, 4};
    for (int input = 0; input < CCrossBarFilter::kInputCount; ++input)
        EXPECT_EQ(map[input], crossbar->GetPinMapEntry(input));
    EXPECT_TRUE(crossbar->RouteVideoInput(2));
    EXPECT_TRUE(crossbar->RouteAudioInput(2));
    EXPECT_FALSE(crossbar->Route(5, 1));  // past the driver's pins
    EXPECT_EQ((std::vector<std::pair<long, long>>{{0, 2}, {1, 4}}), fake.routes);
}

TEST_F(WiseCards, WhatKeepsTheBoxClosed)
{
    std::string refused = std::string(wisetest::kValidProfiles) + "[bitratesetting]\nname=Z\n";
    struct Case
    {
        const char* name;
        const char* profiles;
        std::function<void(FakeWiseDriver&)> driver;
    } cases[] = {
        {"no profile file", NULL, [](FakeWiseDriver&) {}},
        {"a refused profile file", refused.c_str(), [](FakeWiseDriver&) {}},
        {"no private interface", kProfiles.c_str(), [](FakeWiseDriver& d) { d.hasPrivate = false; }},
        {"no encoder interface", kProfiles.c_str(), [](FakeWiseDriver& d) { d.hasEncoder = false; }},
        {"the capability table refused", kProfiles.c_str(), [](FakeWiseDriver& d) { d.capsResult = E_FAIL; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedWiseBox box(c.profiles);
        c.driver(*box.driver);
        std::unique_ptr<CWiseCaptureFilter> card = box.Open();
        ASSERT_NE(nullptr, card);
        EXPECT_FALSE(card->IsValid());
        card.reset();
        EXPECT_EQ(1u, box.driver->Refs());
    }
}

TEST_F(WiseCards, InitTellsWhenTheRemoteMutexStaysTaken)
{
    SimulatedWiseBox box;
    MessageBoxCapture boxes;
    HANDLE taken = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE done = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread holder([&] {
        CNameMutex mutex("Mutex_Remote_Control", FALSE);
        CNameMutexHold hold(mutex);
        SetEvent(taken);
        WaitForSingleObject(done, 10000);
    });
    WaitForSingleObject(taken, 10000);
    std::unique_ptr<CWiseCaptureFilter> card = box.Open();
    SetEvent(done);
    holder.join();
    CloseHandle(taken);
    CloseHandle(done);
    ASSERT_NE(nullptr, card);
    EXPECT_FALSE(card->IsValid());
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("Initfilter lock failed", boxes.Boxes()[0].text);
}

TEST_F(WiseCards, TunerFactsFromTheEeprom)
{
    struct Case
    {
        BYTE brandByte, typeByte;
        bool eeprom;
        int brand, type;
    } cases[] = {
        {'Q', 0, true, 'L', 72},     // unknown letter, no type: the box's defaults
        {'A', 5, true, 'A', 5},
        {'X', 255, true, 'X', 4},    // 255 is the base's "none": its fallback type
        {'P', 200, true, 'L', 200},  // a type no class serves: tuner 72, brand 'L'
        {0, 0, false, 'T', 72},      // no EEPROM: the base's brand, the box's type
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typeByte);
        SimulatedWiseBox box(kProfiles.c_str(), c.brandByte, c.typeByte);
        if (!c.eeprom)
            box.model.RemoveDevice(CardModel::kEepromAddress);
        std::unique_ptr<CWiseCaptureFilter> card = box.Open();
        ASSERT_TRUE(card && card->IsValid());
        EXPECT_EQ(c.brand, card->GetTunerBrand());
        EXPECT_EQ(c.type, card->GetTunerType());
        EXPECT_NE(nullptr, card->GetTuner());
    }
    // The EEPROM wants 50 ms after each read.
    SimulatedWiseBox box;
    std::unique_ptr<CWiseCaptureFilter> card = box.Open();
    const DWORD before = m_clock.TotalSlept();
    BYTE bytes[2] = {};
    int count = 2;
    ASSERT_EQ(S_OK, card->I2CRead(bytes, 16, &count));
    EXPECT_EQ(before + 100, m_clock.TotalSlept());
    EXPECT_EQ((std::vector<BYTE>{72, 'L'}), std::vector<BYTE>(bytes, bytes + 2));
}

TEST_F(WiseCards, RemoteReceiverAndDecoderStatus)
{
    SimulatedWiseBox box;
    std::unique_ptr<CWiseCaptureFilter> card = box.Open();
    ASSERT_TRUE(card && card->IsValid());
    BYTE key = 0;
    box.driver->privateInterface.ClearCalls();
    EXPECT_FALSE(card->ReadRemoteKey(&key));
    ASSERT_EQ(1u, box.driver->privateInterface.Calls().size());  // register 49 not read
    EXPECT_EQ((std::vector<DWORD>{0xBB, 8, 48, 0x8000}), box.driver->privateInterface.Calls()[0].args);
    box.receiver->SetReg(48, 1);
    box.receiver->SetReg(49, 0x2C);
    EXPECT_TRUE(card->ReadRemoteKey(&key));
    EXPECT_EQ(0x2C, key);

    DWORD status = 0;
    box.decoder->SetReg(0x1F, 0x20);
    EXPECT_TRUE(card->ReadDecoderStatus(&status));
    EXPECT_EQ(1u, status);
    box.decoder->SetReg(0x1F, 0xDF);
    EXPECT_TRUE(card->ReadDecoderStatus(&status));
    EXPECT_EQ(32u, status);
    box.model.RemoveDevice(0x40);
    EXPECT_FALSE(card->ReadDecoderStatus(&status));
}

TEST_F(WiseCards, EepromAndTunerTransfers)
{
    SimulatedWiseBox box;
    std::unique_ptr<CWiseCaptureFilter> card = box.Open();
    ASSERT_TRUE(card && card->IsValid());
    FakeWisePrivate& driver = box.driver->privateInterface;

    BYTE bytes[8] = {};
    int count = 7;
    EXPECT_EQ(E_INVALIDARG, card->I2CRead(bytes, 250, &count));
    for (int i = 0; i < 6; i++)
        box.model.SetEepromByte((BYTE)(250 + i), (BYTE)(0xA0 + i));
    count = 6;
    ASSERT_EQ(S_OK, card->I2CRead(bytes, 250, &count));
    EXPECT_EQ(6, count);
    EXPECT_EQ((std::vector<BYTE>{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5}), std::vector<BYTE>(bytes, bytes + 6));

    // EEPROM writes go through the driver's request method.
    driver.ClearCalls();
    const BYTE written[] = {0x11, 0x22};
    count = 2;
    ASSERT_EQ(S_OK, card->I2CWrite(written, 0x40, &count, 5));
    ASSERT_EQ(2u, driver.Calls().size());
    EXPECT_EQ(15, driver.Calls()[1].slot);
    BYTE check = 0;
    ASSERT_TRUE(box.model.I2CReadByte(0xA0, 0x41, &check));
    EXPECT_EQ(0x22, check);

    // A tuner block goes to the device its first byte names, whole; EEPROM
    // byte 0 is not touched.
    box.model.SetEepromByte(0, 0x5A);
    driver.ClearCalls();
    BYTE block[] = {0xC0, 0x0B, 0xDC, 0x8E, 0x02};
    ASSERT_EQ(S_OK, card->I2CWriteBlock(block, 5));
    ASSERT_EQ(1u, driver.Calls().size());
    EXPECT_EQ(9, driver.Calls()[0].slot);
    EXPECT_EQ((std::vector<BYTE>{0x0B, 0xDC, 0x8E, 0x02}), driver.Calls()[0].bytes);
    ASSERT_TRUE(box.model.I2CReadByte(0xA0, 0, &check));
    EXPECT_EQ(0x5A, check);
    EXPECT_EQ(E_FAIL, card->I2CWriteBlock(block, 1));
    EXPECT_EQ(E_INVALIDARG, card->I2CWriteBlock(NULL, 5));

    // Tuning reaches the tuner through the same block write.
    driver.ClearCalls();
    EXPECT_TRUE(card->TuneFrequency(175250.0f));
    bool toTuner = false;
    for (const auto& call : driver.Calls())
        toTuner = toTuner || (call.slot == 9 && call.args[0] == 0xC0);
    EXPECT_TRUE(toTuner);
}

TEST_F(WiseCards, CombinationsOfTheLoadedProfiles)
{
    SimulatedWiseBox box;
    std::unique_ptr<CWiseCaptureFilter> card = box.Open();
    ASSERT_TRUE(card && card->IsValid());
    // Before any list exists nothing is allowed.
    EXPECT_FALSE(card->IsStreamFrameRateAllowed(1, 0));
    ASSERT_TRUE(card->BuildBoardCombinations());
    // VCD (slot 1) names PAL25 only; MP4 (slot 2) names nothing.
    EXPECT_TRUE(card->IsStreamFrameRateAllowed(1, 0));
    EXPECT_FALSE(card->IsStreamFrameRateAllowed(1, 1));  // NTSC30: denied, and not PAL
    EXPECT_TRUE(card->IsCombinationAllowed(2, 0, 1));
    EXPECT_FALSE(card->IsCombinationAllowed(2, 1, 0));
    for (int bad : {-1, 3, 30, 1000}) {
        EXPECT_FALSE(card->IsStreamFrameRateAllowed(bad, 0));
        EXPECT_FALSE(card->IsCombinationAllowed(0, 0, bad));
        EXPECT_FALSE(card->IsBitrateInRange(0, 0, 0, bad));
    }
    // 2M fits both sizes; 6M only D1 (CIF ends at 3 Mbit/s).
    EXPECT_TRUE(card->IsBitrateInRange(0, 0, 0, 1));
    EXPECT_TRUE(card->IsBitrateInRange(0, 0, 1, 0));
    EXPECT_FALSE(card->IsBitrateInRange(0, 0, 1, 1));

    DWORD min = 0, max = 0;
    EXPECT_TRUE(card->GetBitrateRange(0x10, 352, 288, &min, &max));
    EXPECT_EQ(300000u, min);
    EXPECT_EQ(3000000u, max);
    EXPECT_FALSE(card->GetBitrateRange(kProfileNtsc, 720, 576, &min, &max));

    CStringArray names;
    EXPECT_TRUE(card->ListFrameRateNames(kProfilePal, names));
    ASSERT_EQ(1, names.GetSize());
    EXPECT_STREQ("25 fps", names[0].GetString());
    EXPECT_FALSE(card->ListFrameRateNames(0x10, names));
    EXPECT_EQ(0, names.GetSize());

    // A board the table does not know has no combinations.
    strncpy(box.driver->board.name, "another board", sizeof(box.driver->board.name) - 1);
    EXPECT_FALSE(card->BuildBoardCombinations());
}

TEST_F(WiseCards, AProfileSetsThePinFormats)
{
    SimulatedWiseBox box;
    ConfigPin& capture = box.driver->capture;
    ConfigPin& preview = box.driver->preview;
    const DWORD sequence = 12;
    for (ConfigPin* pin : {&capture, &preview}) {
        pin->caps = {Mpeg1Type(720, 576, sequence, sizeof(EncoderConfig)),
                     Mpeg1Type(352, 288, sequence, sizeof(EncoderConfig)), Mpeg2Type(720, 576, 8),
                     Mpeg4Type(720, 576, MAKEFOURCC('D', 'I', 'V', 'X')), Mpeg4Type(720, 576, kMP4S)};
    }
    capture.failing = {0};  // a read that fails is passed over
    std::unique_ptr<CWiseCaptureFilter> card = box.Open();
    ASSERT_TRUE(card && card->IsValid());
    const EncoderProfileSet& profiles = card->GetProfiles();

    // MPEG-1 at CIF, 25 fps, 2 Mbit/s.
    ASSERT_TRUE(card->SelectEncoderProfile(kProfilePal, 1, 25025, 352, 288, 2000000, FALSE, FALSE, 0, 0));
    for (ConfigPin* pin : {&capture, &preview}) {
        ASSERT_EQ(1u, pin->set.size());
        const CMediaType& mt = pin->set[0];
        EXPECT_EQ(MEDIASUBTYPE_MPEG1Payload, mt.subtype);
        EXPECT_EQ(352, Bitmap(mt).biWidth);
        EXPECT_EQ(352u * 288 * 3 / 2, Bitmap(mt).biSizeImage);
        EXPECT_EQ(400000, FrameTime(mt));  // 1001 x 10^7 / 25025
        EXPECT_EQ(2000000u, BitRate(mt));
        const EncoderConfig& records = RecordsAt(mt, 96 + sequence);
        EXPECT_EQ(0, memcmp(&records.stream, &profiles.streams[1], sizeof(StreamSetting)));
        EXPECT_EQ(0, memcmp(&records.frameRate, &profiles.frameRates[0], sizeof(FrameRateSetting)));
        EXPECT_EQ(0, memcmp(&records.resolution, &profiles.resolutions[1], sizeof(ResolutionSetting)));
        EXPECT_EQ(0, memcmp(&records.bitrate, &profiles.bitrates[0], sizeof(BitrateSetting)));
    }
    EXPECT_TRUE(box.driver->settings.handed.empty());

    // MPEG-4 (mode 2, "MP4S") at D1, the highest bit rate that fits: 6M.
    // The records end the bitmap header and go to the encoder as well.
    capture.set.clear();
    ASSERT_TRUE(card->SelectEncoderProfile(kProfilePal, 2, 25025, 720, 576, 0, TRUE, FALSE, 0, 0));
    ASSERT_EQ(1u, capture.set.size());
    const CMediaType& mp4 = capture.set[0];
    EXPECT_EQ(kMP4S, Bitmap(mp4).biCompression);
    EXPECT_EQ(6000000u, BitRate(mp4));
    const EncoderConfig& end = RecordsAt(mp4, mp4.cbFormat - sizeof(EncoderConfig));
    EXPECT_EQ(6000000u, end.bitrate.target_bitrate);
    ASSERT_EQ(2u, box.driver->settings.handed.size());
    EXPECT_EQ(0, memcmp(&end, &box.driver->settings.handed[0], sizeof(EncoderConfig)));

    // MPEG-2 with the override (streams 0 and 1 take it): a constant
    // quantiser, no target.
    capture.set.clear();
    ASSERT_TRUE(card->SelectEncoderProfile(kProfilePal, 0, 25025, 720, 576, 2000000, FALSE, TRUE, 9000000, 7));
    ASSERT_EQ(1u, capture.set.size());
    const CMediaType& mpeg2 = capture.set[0];
    const MPEG2VIDEOINFO* info = reinterpret_cast<const MPEG2VIDEOINFO*>(mpeg2.pbFormat);
    EXPECT_EQ(720u, info->hdr.dwPictAspectRatioX);
    EXPECT_EQ(576u, info->hdr.dwPictAspectRatioY);
    const EncoderConfig& overridden = RecordsAt(mpeg2, 132 + 8);
    EXPECT_EQ(0u, overridden.bitrate.target_bitrate);
    EXPECT_EQ(9000000u, overridden.bitrate.peak_bitrate);
    EXPECT_EQ(0u, overridden.bitrate.Q);
    EXPECT_EQ(100, overridden.bitrate.lambda);
    EXPECT_EQ((std::vector<BYTE>{7, 7, 7}),
              (std::vector<BYTE>{overridden.bitrate.IQ, overridden.bitrate.PQ, overridden.bitrate.BQ}));
}

TEST_F(WiseCards, WhenNoProfileOrPinFormatFits)
{
    struct Case
    {
        const char* name;
        std::function<void(FakeWiseDriver&)> setUp;
        DWORD standards;
        int stream;
        DWORD rate, width, height, bitrate;
        bool capturePinSet, previewPinSet;
    } cases[] = {
        // The frame-rate step takes PAL_B alone; the size's standard must be
        // the mask itself.
        {"a single PAL variant", [](FakeWiseDriver&) {}, 0x10, 1, 25025, 352, 288, 2000000, false, false},
        {"a frame rate the stream does not name", [](FakeWiseDriver&) {}, kProfilePal | kProfileNtsc, 1, 30000,
         352, 288, 2000000, false, false},
        {"a bit rate past the size's range", [](FakeWiseDriver&) {}, kProfilePal, 1, 25025, 352, 288, 6000000,
         false, false},
        {"a stream slot past the set", [](FakeWiseDriver&) {}, kProfilePal, 3, 25025, 352, 288, 2000000, false,
         false},
        {"no capability of that size", [](FakeWiseDriver& d) { d.capture.caps = {Mpeg1Type(720, 576, 0, 2000)}; },
         kProfilePal, 1, 25025, 352, 288, 2000000, false, true},
        {"the driver refuses the format", [](FakeWiseDriver& d) { d.capture.setResult = E_FAIL; }, kProfilePal, 1,
         25025, 352, 288, 2000000, true, true},
        {"the capture pin has no configuration", [](FakeWiseDriver& d) { d.capture.hasConfig = false; },
         kProfilePal, 1, 25025, 352, 288, 2000000, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedWiseBox box;
        for (ConfigPin* pin : {&box.driver->capture, &box.driver->preview})
            pin->caps = {Mpeg1Type(352, 288, 0, sizeof(EncoderConfig))};
        c.setUp(*box.driver);
        std::unique_ptr<CWiseCaptureFilter> card = box.Open();
        ASSERT_TRUE(card && card->IsValid());
        EXPECT_FALSE(card->SelectEncoderProfile(c.standards, c.stream, c.rate, c.width, c.height, c.bitrate,
                                                FALSE, FALSE, 0, 0));
        EXPECT_EQ(c.capturePinSet, !box.driver->capture.set.empty());
        EXPECT_EQ(c.previewPinSet, !box.driver->preview.set.empty());
    }

    // A block too short for the records still gets its format, without them.
    SimulatedWiseBox box;
    for (ConfigPin* pin : {&box.driver->capture, &box.driver->preview})
        pin->caps = {Mpeg1Type(352, 288, 0, sizeof(EncoderConfig) - 1)};
    std::unique_ptr<CWiseCaptureFilter> card = box.Open();
    ASSERT_TRUE(card->SelectEncoderProfile(kProfilePal, 1, 25025, 352, 288, 2000000, FALSE, FALSE, 0, 0));
    const CMediaType& mt = box.driver->capture.set.at(0);
    EXPECT_EQ(std::vector<BYTE>(sizeof(EncoderConfig) - 1, 0xEE),
              std::vector<BYTE>(mt.pbFormat + 96, mt.pbFormat + mt.cbFormat));
}

TEST_F(WiseCards, AudioFormat)
{
    SimulatedWiseBox box;
    ConfigPin& audio = box.driver->audio;
    audio.current = AudioType(WAVE_FORMAT_PCM, 48000, 2);
    audio.caps = {AudioType(0x55, 44100, 2), AudioType(WAVE_FORMAT_PCM, 48000, 2)};
    std::unique_ptr<CWiseCaptureFilter> card = box.Open();
    ASSERT_TRUE(card && card->IsValid());

    EncoderAudioFormat format;
    memset(&format, 0xFF, sizeof(format));
    ASSERT_TRUE(card->GetAudioFormat(&format));
    EXPECT_EQ((std::vector<DWORD>{WAVE_FORMAT_PCM, 48000, 2, 16, 4, 192000, 0}),
              (std::vector<DWORD>{format.formatTag, format.samplesPerSec, format.channels, format.bitsPerSample,
                                  format.blockAlign, format.avgBytesPerSec, format.reserved}));

    format.samplesPerSec = 32000;
    format.channels = 1;
    format.blockAlign = 2;
    format.avgBytesPerSec = 64000;
    ASSERT_TRUE(card->SetAudioFormat(&format));
    ASSERT_EQ(1u, audio.set.size());
    const WAVEFORMATEX* wave = reinterpret_cast<const WAVEFORMATEX*>(audio.set[0].pbFormat);
    EXPECT_EQ(WAVE_FORMAT_PCM, wave->wFormatTag);
    EXPECT_EQ(32000u, wave->nSamplesPerSec);
    EXPECT_EQ(1, wave->nChannels);
    EXPECT_EQ(64000u, wave->nAvgBytesPerSec);

    format.formatTag = 0x161;  // no capability of that tag
    EXPECT_FALSE(card->SetAudioFormat(&format));
    EXPECT_EQ(1u, audio.set.size());
}
