// The MPEG-2 box's encoder settings, firmware and driver switch
// (CMpeg2BoxAccess) against the box driver's fake: which properties are
// read and written in which order and with which bytes, the defaults kept
// for what the box does not offer, the settings dump's exact text, the
// image upload by file size, the version check, the registry switch, and
// the image file reader under bad input.
#include "hw/access/EstrelBoxAccess.h"
#include "hw/access/Mpeg2BoxAccess.h"

#include "graph/ComObject.h"
#include "graph/Guids.h"
#include "tests/support/BadInput.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeEncoderBox.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

using virtualcard::CardModel;

namespace {

std::vector<BYTE> Word(DWORD value)
{
    return std::vector<BYTE>(reinterpret_cast<BYTE*>(&value), reinterpret_cast<BYTE*>(&value) + 4);
}

// The second filter of the box, keeping the storage capacity.
class FakeStorage : public ComCounted<IEncoderStorage>
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        using Row = ComInterface<FakeStorage>;
        static constexpr Row kRows[] = {
            Row::Via<IEncoderStorage>(IID_IUnknown),
            Row::Via<IEncoderStorage>(IID_IEncoderStorage),
        };
        return QueryInterfaceTable(this, kRows, riid, ppv);
    }
    STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved4() override { return E_NOTIMPL; }
    STDMETHODIMP GetStorageCap(DWORD* capacity) override
    {
        *capacity = value;
        return S_OK;
    }
    STDMETHODIMP SetStorageCap(DWORD capacity) override
    {
        value = capacity;
        sets++;
        return S_OK;
    }

    DWORD value = 77;
    int sets = 0;
};

// An object without the storage interface.
class NoStorage : public FakeStorage
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IEncoderStorage) {
            *ppv = NULL;
            return E_NOINTERFACE;
        }
        return FakeStorage::QueryInterface(riid, ppv);
    }
};

struct Box
{
    CardModel card;
    FakeEncoderBox driver{&card};
    FakeStorage storage;
    FakeClock clock;
};

// Distinct answers for every setting the box reads.
void AnswerEverything(FakeEncoderBox* driver)
{
    driver->SetWord(ENCBOX_VIDEO_IN_MODE, 0x102);  // byte fields keep the low byte
    driver->SetWord(ENCBOX_TV_ENCODE_FORMAT, 3);
    driver->SetWord(ENCBOX_TV_DECODE_FORMAT, 4);
    driver->SetWord(ENCBOX_INVERSE_TELECINE, 0x12345678);
    driver->SetWord(ENCBOX_STREAM_OUTPUT_MODE, 12);
    driver->SetWord(ENCBOX_TRANSPORT_OUTPUT_MODE, 6);
    driver->SetWord(ENCBOX_VIDEO_RESOLUTION, 7);
    driver->SetWord(ENCBOX_AUDIO_SAMPLING_RATE, 8);
    driver->SetWord(ENCBOX_AUDIO_OUTPUT_MODE, 9);
    driver->SetValue(ENCBOX_AUDIO_DATA_RATE, {10});
    driver->SetWord(ENCBOX_CRC_STATE, 11);
    driver->SetWord(ENCBOX_CLOSED_GOP, 0xABCDEF);
    driver->SetValue(ENCBOX_PROP6, {1, 0, 1, 0, 2, 0, 2, 0});
    EncoderBoxBitrate bitrate = {0x1FF, 6000, 0x55, 10080, 3};
    driver->SetValue(ENCBOX_BITRATE, std::vector<BYTE>(reinterpret_cast<BYTE*>(&bitrate),
                                                       reinterpret_cast<BYTE*>(&bitrate) + sizeof(bitrate)));
    DWORD block[kEncoderBoxPreFilterFields];
    for (int i = 0; i < kEncoderBoxPreFilterFields; ++i)
        block[i] = 3 * i;
    driver->SetValue(ENCBOX_PRE_FILTER, std::vector<BYTE>(reinterpret_cast<BYTE*>(block),
                                                          reinterpret_cast<BYTE*>(block) + sizeof(block)));
}

const ULONG kEverySetting[] = {2, 4, 60, 50, 0, 54, 3, 11, 12, 5, 13, 7, 6, 1, 42};

} // namespace

TEST(Mpeg2BoxSettings, ReadsEveryPropertyInOrder)
{
    Box box;
    AnswerEverything(&box.driver);
    EncoderBoxSettings settings = {};
    settings.nHue = 5;       // no property: kept
    settings.reserved = 9;   // cleared
    ASSERT_TRUE(CMpeg2BoxAccess::ReadSettings(&settings, &box.driver, &box.storage, FALSE));
    EXPECT_EQ(std::vector<DWORD>(std::begin(kEverySetting), std::end(kEverySetting)), box.driver.Ids(true));
    EXPECT_EQ(2, settings.bVideoInMode);
    EXPECT_EQ(3, settings.bTVEncodeFormat);
    EXPECT_EQ(4, settings.bTVDecodeFormat);
    EXPECT_EQ(0x12345678u, settings.bInverseTel);
    EXPECT_EQ(12, settings.bStreamOutputMode);
    EXPECT_EQ(6, settings.bTransportOutputMode);
    EXPECT_EQ(7, settings.bVideoResolution);
    EXPECT_EQ(8, settings.bAudioSamplingRate);
    EXPECT_EQ(9, settings.bAudioOutputMode);
    EXPECT_EQ(10, settings.bAudioDataRate);
    EXPECT_EQ(11, settings.bCRCState);
    EXPECT_EQ(0xABCDEFu, settings.bClosedGOP);
    EXPECT_EQ(1, settings.wProp6Value1);
    EXPECT_EQ(2, settings.wProp6Value2);
    EXPECT_EQ(0xFF, settings.bEncodingMode);
    EXPECT_EQ(6000, settings.wVideoBitrate);
    EXPECT_EQ(0x55u, settings.bVariance);
    EXPECT_EQ(10080u, settings.dwMuxRate);
    EXPECT_EQ(3u, settings.dwVBRPadding);
    EXPECT_EQ(78u, settings.PreFilterInfo.dwReserved4);
    EXPECT_EQ(77u, settings.dwStorageCap);
    EXPECT_EQ(5, settings.nHue);
    EXPECT_EQ(0u, settings.reserved);
    EXPECT_EQ(1u, box.storage.Refs());

    // Every answer is read back whole (the data as long as the property).
    for (const auto& call : box.driver.Calls()) {
        SCOPED_TRACE(call.id);
        size_t expected = call.id == 5 ? 1 : call.id == 6 ? 8 : call.id == 1 ? 18 : call.id == 42 ? 108 : 4;
        EXPECT_EQ(expected, call.data.size());
        EXPECT_EQ(call.instance.size(), call.data.size());  // in place: one buffer for both
    }
}

TEST(Mpeg2BoxSettings, DefaultsForWhatTheBoxDoesNotOffer)
{
    Box box;
    AnswerEverything(&box.driver);
    for (ULONG id : kEverySetting)
        box.driver.SetSupport(id, KSPROPERTY_SUPPORT_SET);
    EncoderBoxSettings settings = {};
    memset(&settings, 0xEE, sizeof(settings));
    ASSERT_TRUE(CMpeg2BoxAccess::ReadSettings(&settings, &box.driver, NULL, TRUE));
    EXPECT_TRUE(box.driver.Calls().empty());
    EXPECT_EQ(10, settings.bStreamOutputMode);
    EXPECT_EQ(1, settings.bAudioSamplingRate);
    EXPECT_EQ(1u, settings.bClosedGOP);
    EXPECT_EQ(1, settings.bTVEncodeFormat);
    EXPECT_EQ(1, settings.bTVDecodeFormat);
    EXPECT_EQ(1u, settings.bInverseTel);
    EXPECT_EQ(0, settings.bVideoResolution);
    EXPECT_EQ(0, settings.bAudioDataRate);
    EXPECT_EQ(0, settings.bTransportOutputMode);
    EXPECT_EQ(2u, settings.dwStorageCap);          // no second filter
    EXPECT_EQ(0xEEEEu, settings.wProp6Value1);     // no default: as it was
    EXPECT_EQ(0xEEEEEEEEu, settings.PreFilterInfo.dwDNRMode);

    // The old bitrate interface reads the block's first 10 bytes only.
    Box old;
    AnswerEverything(&old.driver);
    EncoderBoxSettings read = {};
    ASSERT_TRUE(CMpeg2BoxAccess::ReadSettingsNoPreFilter(&read, &old.driver, TRUE));
    EXPECT_EQ(std::vector<DWORD>(std::begin(kEverySetting), std::end(kEverySetting) - 1), old.driver.Ids(true));
    EXPECT_EQ(10u, old.driver.Calls().back().data.size());
    EXPECT_EQ(6000, read.wVideoBitrate);
    EXPECT_EQ(0u, read.dwMuxRate);

    // No property set, or a second filter without the storage interface.
    NoStorage none;
    EXPECT_FALSE(CMpeg2BoxAccess::ReadSettings(&read, &none, NULL, FALSE));
    EXPECT_FALSE(CMpeg2BoxAccess::ReadSettings(&read, &box.driver, &none, FALSE));
    EXPECT_FALSE(CMpeg2BoxAccess::ReadSettings(NULL, &box.driver, NULL, FALSE));
}

TEST(Mpeg2BoxSettings, AppliesInOrder)
{
    EncoderBoxSettings settings = {};
    settings.bStreamOutputMode = 11;
    settings.bAudioDataRate = 0x42;
    settings.wProp6Value1 = 0x1234;
    settings.wVideoBitrate = 4000;
    settings.dwVBRPadding = 9;
    settings.bInverseTel = 1;
    settings.dwStorageCap = 55;
    {
        Box box;
        ASSERT_TRUE(CMpeg2BoxAccess::ApplySettings(&settings, &box.driver, FALSE));
        EXPECT_EQ((std::vector<DWORD>{0, 3, 6, 11, 12, 5, 13, 7, 1, 62}), box.driver.Ids(false));
        EXPECT_EQ(Word(11), box.driver.Value(ENCBOX_STREAM_OUTPUT_MODE));
        EXPECT_EQ(std::vector<BYTE>{0x42}, box.driver.Value(ENCBOX_AUDIO_DATA_RATE));
        EXPECT_EQ((std::vector<BYTE>{0x34, 0x12, 0, 0, 0, 0, 0, 0}), box.driver.Value(ENCBOX_PROP6));
        EXPECT_EQ(18u, box.driver.Value(ENCBOX_BITRATE).size());
        EXPECT_EQ(9, box.driver.Value(ENCBOX_BITRATE)[14]);
        EXPECT_EQ(std::vector<BYTE>(8, 0), box.driver.Value(ENCBOX_COMMIT));
    }
    {
        // All of it, with the storage capacity; the old bitrate block.
        Box box;
        ASSERT_TRUE(CMpeg2BoxAccess::ApplyAllSettings(&settings, &box.driver, &box.storage, TRUE));
        EXPECT_EQ((std::vector<DWORD>{0, 3, 54, 6, 11, 12, 5, 13, 7, 1, 50, 62}), box.driver.Ids(false));
        EXPECT_EQ(10u, box.driver.Value(ENCBOX_BITRATE).size());
        EXPECT_EQ(55u, box.storage.value);
        EXPECT_EQ(1, box.storage.sets);
    }
    {
        // What the box does not offer is skipped; what it refuses fails
        // the apply, after the rest went out.
        Box box;
        box.driver.SetSupport(ENCBOX_CRC_STATE, KSPROPERTY_SUPPORT_GET);
        ASSERT_TRUE(CMpeg2BoxAccess::ApplySettings(&settings, &box.driver, FALSE));
        EXPECT_EQ((std::vector<DWORD>{0, 3, 6, 11, 12, 5, 7, 1, 62}), box.driver.Ids(false));
        box.driver.ClearCalls();
        box.driver.FailProperty(ENCBOX_VIDEO_RESOLUTION, E_FAIL);
        EXPECT_FALSE(CMpeg2BoxAccess::ApplySettings(&settings, &box.driver, FALSE));
        EXPECT_EQ(9u, box.driver.Ids(false).size());
    }
    NoStorage none;
    EXPECT_FALSE(CMpeg2BoxAccess::ApplySettings(&settings, &none, FALSE));
}

TEST(Mpeg2BoxSettings, SinglePropertiesAndEstrelBox)
{
    Box box;
    ASSERT_TRUE(CMpeg2BoxAccess::SetTVEncodeFormat(&box.driver, 2));
    DWORD format = 0;
    ASSERT_TRUE(CEstrelBoxAccess::GetTVEncodeFormat(&box.driver, &format));
    EXPECT_EQ(2u, format);
    ASSERT_TRUE(CMpeg2BoxAccess::SendZeroByte63(&box.driver));
    ASSERT_TRUE(CMpeg2BoxAccess::SendZeroByte64(&box.driver));
    EXPECT_EQ(std::vector<BYTE>{0}, box.driver.Value(63));
    EncoderPreFilterInfo block = {};
    EXPECT_EQ(2, CMpeg2BoxAccess::InitDefaultPreFilterInfo(&block));
    EXPECT_EQ(255u, block.dwMedianCoringLumaLo);
    EXPECT_EQ(200u, block.dwDNRSmoothFactor);
    EXPECT_EQ(16u, block.dwVIMZoneWidth);
    EXPECT_EQ(2u, block.dwVIMZoneHeight);
    ASSERT_TRUE(CMpeg2BoxAccess::SetPreFilterInfo(&box.driver, &block));
    EncoderPreFilterInfo back = {};
    ASSERT_TRUE(CMpeg2BoxAccess::GetPreFilterInfo(&box.driver, &back));
    EXPECT_EQ(0, memcmp(&block, &back, sizeof(block)));

    box.driver.SetSupport(ENCBOX_TV_ENCODE_FORMAT, KSPROPERTY_SUPPORT_SET);
    EXPECT_FALSE(CMpeg2BoxAccess::GetTVEncodeFormat(&box.driver, &format));

    // The Estrel box's own: its tuner reset.
    ASSERT_TRUE(CEstrelBoxAccess::SetTunerResetProperty(&box.driver, TRUE));
    EXPECT_EQ(std::vector<BYTE>{1}, box.driver.Value(ENCBOX_TUNER_RESET));
    EXPECT_TRUE(box.driver.Calls().back().instance.empty());
}

TEST(Mpeg2BoxSettings, DumpText)
{
    EncoderBoxSettings s = {};
    s.bStreamOutputMode = 12;
    s.bVideoInMode = 1;
    s.bTVEncodeFormat = 2;
    s.bTVDecodeFormat = 3;
    s.dwStorageCap = 4;
    s.wVideoBitrate = 6000;
    s.bEncodingMode = 5;
    s.bVariance = 6;
    s.dwMuxRate = 10080;
    s.dwVBRPadding = 7;
    s.bVideoResolution = 8;
    s.bMPEGAudLayer = 9;
    s.bAudioSamplingRate = 10;
    s.bAudioDataRate = 11;
    s.bAudioOutputMode = 12;
    s.bCRCState = 13;
    s.bGOPStructure = 14;
    s.bAudioEncodingMode = 15;
    s.bClosedGOP = 16;
    s.bInverseTel = 17;
    s.bTransportOutputMode = 18;
    s.nSharpness = -1;
    s.nBrightness = 20;
    s.nContrast = 21;
    s.nSaturation = 22;
    s.nHue = INT_MIN;
    CMpeg2BoxAccess::InitDefaultPreFilterInfo(&s.PreFilterInfo);
    s.PreFilterInfo.dwReserved4 = 0xFFFFFFFF;

    const std::string expected =
        "Mode = SVCD\r\nbVideoInMode = 1\r\nbTVEncodeFormat = 2\r\nbTVDecodeFormat = 3\r\n"
        "dwStorageCap = 4\r\nwVideoBitrate =6000\r\nbEncodingMode= 5\r\nbVariance = 6\r\n"
        "dwMuxRate = 10080\r\ndwVBRPadding =7\r\nbVideoResolution= 8\r\nbStreamOutputMode= 12\r\n"
        "bMPEGAudLayer =9\r\nbAudioSamplingRate= 10\r\nbAudioDataRate =11\r\nbAudioOutputMode= 12\r\n"
        "bCRCState =13\r\nbGOPStructure= 14\r\nbAudioEncodingMode =15\r\nbClosedGOP= 16\r\n"
        "bInverseTel =17\r\nbTransportOutputMode= 18\r\nnSharpness =-1\r\nnBrightness= 20\r\n"
        "nContrast =21\r\nnSaturation= 22\r\nnHue =-2147483648\r\n"
        "PreFilterInfo.dwDisableFilter = 0\r\nPreFilterInfo.dwMedianFilter = 0\r\n"
        "PreFilterInfo.dwMedianCoringLumaHi = 0\r\nPreFilterInfo.dwMedianCoringLumaLo = 255\r\n"
        "PreFilterInfo.dwMedianCoringChromaHi = 0\r\nPreFilterInfo.dwMedianCoringChromaLo = 255\r\n"
        "PreFilterInfo.dwLumaSpatialFlt = 3\r\nPreFilterInfo.dwChromaSpatialFlt = 1\r\n"
        "PreFilterInfo.dwDNRMode = 0\r\nPreFilterInfo.dwDNRSpatialFltLevel = 0\r\n"
        "PreFilterInfo.dwDNRTemporalFltLevel = 0\r\nPreFilterInfo.dwDNRSmoothFactor = 200\r\n"
        "PreFilterInfo.dwDNR_Ntlf_Max_Y = 15\r\nPreFilterInfo.dwDNR_Ntlf_Max_UV = 15\r\n"
        "PreFilterInfo.dwDNRTemporalMultFactor = 48\r\nPreFilterInfo.dwDNRTemporalAddFactor = 4\r\n"
        "PreFilterInfo.dwDNRSpatialMultFactor = 21\r\nPreFilterInfo.dwDNRSpatialSubFactor = 2\r\n"
        "PreFilterInfo.dwLumaNLTFLevel = 0\r\nPreFilterInfo.dwLumaNLTFCoEffIndex = 0\r\n"
        "PreFilterInfo.dwLumaNLTFCoEffValue = 0\r\nPreFilterInfo.dwVIMZoneWidth = 16\r\n"
        "PreFilterInfo.dwVIMZoneHeight = 2\r\nPreFilterInfo.dwReserved1 = 0\r\n"
        "PreFilterInfo.dwReserved2 = 0\r\nPreFilterInfo.dwReserved3 = 0\r\n"
        "PreFilterInfo.dwReserved4 = -1\r\n";
    TempFolder dir;
    dir.Write("dump.txt", "an older dump");
    ASSERT_TRUE(CMpeg2BoxAccess::DumpSettings(&s, dir.File("dump.txt").c_str()));
    EXPECT_EQ(expected, dir.Read("dump.txt"));

    // Every mode name, and "other" for the rest.
    const struct
    {
        BYTE mode;
        const char* line;
    } modes[] = {{2, "Mode = MPEG1\r\n"}, {10, "Mode = DVD\r\n"}, {11, "Mode = VCD\r\n"}, {7, "Mode = other\r\n"}};
    for (const auto& m : modes) {
        s.bStreamOutputMode = m.mode;
        ASSERT_TRUE(CMpeg2BoxAccess::DumpSettings(&s, dir.File("dump.txt").c_str()));
        EXPECT_EQ(m.line, dir.Read("dump.txt").substr(0, strlen(m.line)));
    }
    // A folder that is not there: no file, and the failure said.
    EXPECT_FALSE(CMpeg2BoxAccess::DumpSettings(&s, dir.File("missing\\dump.txt").c_str()));
    EXPECT_FALSE(CMpeg2BoxAccess::DumpSettings(&s, ""));
}

// The image goes only when the file holds exactly its 262144 bytes.
TEST(Mpeg2BoxFirmware, UploadByFileSize)
{
    TempFolder dir;
    std::string image(kEncoderBoxImageBytes, '\0');
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 7 + (i >> 9));
    struct
    {
        long size;
        bool sent;
    } cases[] = {{kEncoderBoxImageBytes - 1, false}, {kEncoderBoxImageBytes, true}, {kEncoderBoxImageBytes + 1, false},
                 {0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        Box box;
        std::string bytes = image;
        bytes.resize(c.size, 'x');
        ASSERT_TRUE(dir.Write("image.bin", bytes));
        EXPECT_EQ(c.sent, CMpeg2BoxAccess::UploadFile(&box.driver, dir.File("image.bin").c_str()) != FALSE);
        ASSERT_EQ(c.sent ? 1 : 0, box.driver.Uploads());
        if (!c.sent)
            continue;
        std::vector<BYTE> record = box.driver.UploadedImage();
        ASSERT_EQ(0x4000Cu, record.size());
        EXPECT_EQ(0, memcmp(record.data(), image.data(), image.size()));
        EXPECT_EQ((std::vector<BYTE>{2, 0, 0, 0, 6, 0, 0, 0, 1, 0, 0, 0}),
                  std::vector<BYTE>(record.begin() + kEncoderBoxImageBytes, record.end()));
    }
    Box box;
    EXPECT_FALSE(CMpeg2BoxAccess::UploadFile(&box.driver, dir.File("missing.bin").c_str()));
    EXPECT_FALSE(CMpeg2BoxAccess::UploadFile(&box.driver, NULL));
    dir.Write("image.bin", image);
    box.driver.SetUploadSupport(KSPROPERTY_SUPPORT_GET);
    EXPECT_FALSE(CMpeg2BoxAccess::UploadFile(&box.driver, dir.File("image.bin").c_str()));
    EXPECT_EQ(0, box.driver.Uploads());
}

TEST(Mpeg2BoxFirmware, VersionCheck)
{
    struct
    {
        std::vector<std::string> texts;  // the answers, one per read
        bool good;
        size_t pauses;
    } cases[] = {
        {{"2.4.21"}, true, 0},
        {{"2.0.53"}, true, 0},
        {{"1.99.999"}, false, 0},
        {{"2.0.52", "0.0.1", "0.0.1", "2.4.21"}, true, 3},  // started, after three pauses
        {{"2.0.52", "2.4.20"}, false, 1},
        {{"2.0.52", "0.0.1"}, false, 80},                   // never started: 80 tries
        {{"2.0.52", "junk"}, false, 1},
        {{"junk"}, false, 0},
        {{"2.0"}, false, 0},
        {{"99999999999.0.0"}, false, 0},                    // no int: not a version
        {{"22222222222222222222"}, false, 0},               // 20 bytes, no end inside them
        {{"3_0_0"}, true, 0},                               // any one character between
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.texts.front() + (c.texts.size() > 1 ? " then " + c.texts[1] : ""));
        Box box;
        box.driver.SetVersions(c.texts);
        EXPECT_EQ(c.good, CMpeg2BoxAccess::CheckFirmwareVersion(&box.driver) != FALSE);
        EXPECT_EQ(c.pauses, box.clock.Sleeps().size());
    }
    Box box;
    box.driver.SetVersions({"2.0.52", "0.0.1"});
    box.driver.FailProperty(ENCBOX_VERSION, E_FAIL, 2);
    EXPECT_FALSE(CMpeg2BoxAccess::CheckFirmwareVersion(&box.driver));
    EXPECT_EQ(2u, box.clock.Sleeps().size());
}

TEST(Mpeg2BoxFirmware, OldBitrateInterfaceSwitch)
{
    // The test removes the whole tree it creates, so it runs only where
    // none of that tree exists yet.
    const char* const tree = "SYSTEM\\CurrentControlSet\\Services\\Conexant";
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, tree, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        GTEST_SKIP() << "the driver's registry tree exists on this machine";
    }
    EXPECT_TRUE(CMpeg2BoxAccess::ReadOldBitrateInterface());  // no key
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, CMpeg2BoxAccess::kDriverKey, 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &key, NULL));
    const char* name = "OldEncoderBitrateInterface";
    EXPECT_TRUE(CMpeg2BoxAccess::ReadOldBitrateInterface());  // no value
    DWORD value = 0;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof(value));
    EXPECT_FALSE(CMpeg2BoxAccess::ReadOldBitrateInterface());
    value = 7;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof(value));
    EXPECT_TRUE(CMpeg2BoxAccess::ReadOldBitrateInterface());
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
    EXPECT_TRUE(CMpeg2BoxAccess::ReadOldBitrateInterface());
    const BYTE wide[8] = {};
    RegSetValueExA(key, name, 0, REG_BINARY, wide, sizeof(wide));
    EXPECT_TRUE(CMpeg2BoxAccess::ReadOldBitrateInterface());
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, tree);
}

// The image file reader with damaged images: it always ends, and sends
// exactly the files of the image's size, byte for byte. A quarter megabyte
// each: a tenth of the usual count.
TEST(BadInput, EncoderBoxImage)
{
    TempFolder dir(badinput::ScratchBase());
    std::string image(kEncoderBoxImageBytes, '\0');
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>((i * 131) >> 3);
    std::string text = "0.0.1 image 10\r\n";
    while (text.size() < kEncoderBoxImageBytes)
        text += text;
    text.resize(kEncoderBoxImageBytes);
    badinput::Run("EncoderBoxImage", {image, text, image.substr(1), image + "\n"}, [&](const std::string& bytes) {
        Box box;
        ASSERT_TRUE(dir.Write("image.bin", bytes));
        const bool sent = CMpeg2BoxAccess::UploadFile(&box.driver, dir.File("image.bin").c_str()) != FALSE;
        ASSERT_EQ(bytes.size() == kEncoderBoxImageBytes, sent);
        if (sent) {
            ASSERT_EQ(0, memcmp(box.driver.UploadedImage().data(), bytes.data(), bytes.size()));
        }
    }, 10);
}
