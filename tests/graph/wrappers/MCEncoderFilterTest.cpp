// CMCEncoderFilter over a fake encoder served in-process: the presets and
// the bytes ApplySettings sends for each, the order of its calls and where
// it stops, the mode bits and unaligned fields of the video block, the
// pass-throughs and the bounded file name.
#include "graph/wrappers/MCEncoderFilter.h"

#include <string.h>

#include <string>
#include <vector>

#include "graph/Guids.h"
#include "tests/graph/wrappers/CodecWrapperTest.h"

namespace {

typedef BOOL (*FillFn)(MCEncoderSettings*, BOOL);

template <class T>
T At(const MCVideoSettings& block, size_t offset)
{
    T value;
    memcpy(&value, reinterpret_cast<const BYTE*>(&block) + offset, sizeof(T));
    return value;
}

// Defaults the fake hands out: every byte of the video block 0xA5, every
// audio word 0x5A5A.
const BYTE kVideoDefaultByte = 0xA5;
const LONG kAudioDefaultWord = 0x5A5A;

class MCEncoderTest : public CodecWrapperTest
{
protected:
    // A fake encoder with all six interfaces that loads recognisable
    // defaults and keeps the blocks it was sent.
    FakeCodecFilter* ServeEncoder()
    {
        FakeCodecFilter* fake = Serve(CLSID_MCEncoder);
        fake->Add<FakeIMCAudioSettings>(IID_IMCAudioSettings, "audio");
        fake->Add<FakeICodecParams>(IID_IMCAudioParams, "aparams");
        fake->Add<FakeIMCMuxSettings>(IID_IMCMuxSettings, "mux");
        m_sink = fake->AddFileSink();
        fake->Add<FakeIMCVideoSettings>(IID_IMCVideoSettings, "video");
        fake->Add<FakeICodecParams>(IID_IMCVideoParams, "vparams");
        fake->onCall = [this](const SlotCall& call) {
            if (call.Is("video", 14) || call.Is("video", 12))
                memset(call.Arg<MCVideoSettings>(call.args.size() - 1), m_videoDefault,
                       sizeof(MCVideoSettings));
            if (call.Is("video", 13))
                m_sentVideo.push_back(*call.Arg<MCVideoSettings>(0));
            if (call.Is("audio", 13)) {
                for (LONG& word : call.Arg<MCAudioSettings>(1)->word)
                    word = kAudioDefaultWord;
            }
            if (call.Is("audio", 12))
                m_sentAudio.push_back(*call.Arg<MCAudioSettings>(0));
            return S_OK;
        };
        return fake;
    }

    CMCEncoderFilter* MakeEncoder()
    {
        ServeEncoder();
        return AddWrapper<CMCEncoderFilter>(CLSID_MCEncoder);
    }

    BYTE m_videoDefault = kVideoDefaultByte;
    std::vector<MCVideoSettings> m_sentVideo;
    std::vector<MCAudioSettings> m_sentAudio;
    FakeFileSink* m_sink = NULL;
};

struct PresetCase
{
    const char* name;
    FillFn fill;
    BOOL pal;
    LONG videoType, mpeg2, mode;
    double bitRate;
    LONG width, height, groupCode;
    BYTE modeByte;  // byte 812 as sent over the 0xA5 default
};

// 0xA5 keeps bits 0, 5, 6, 7 (0xA1); the mode lands in bits 1 to 4.
const PresetCase kPresetCases[] = {
    {"MPEG1 NTSC", &CMCEncoderFilter::FillMPEG1Settings, 0, 0, 0, 2, 4500000, 352, 240, 2, 0xA5},
    {"MPEG1 PAL", &CMCEncoderFilter::FillMPEG1Settings, 1, 0, 0, 2, 4500000, 352, 288, 2, 0xA5},
    {"VCD NTSC", &CMCEncoderFilter::FillVCDSettings, 0, 1, 0, 1, 1150000, 352, 240, 2, 0xA3},
    {"VCD PAL", &CMCEncoderFilter::FillVCDSettings, 1, 1, 0, 1, 1150000, 352, 288, 2, 0xA3},
    {"MPEG2 NTSC", &CMCEncoderFilter::FillMPEG2Settings, 0, 2, 1, 2, 4500000, 720, 480, 2, 0xA5},
    {"MPEG2 PAL", &CMCEncoderFilter::FillMPEG2Settings, 1, 2, 1, 2, 4500000, 720, 576, 2, 0xA5},
    {"SVCD NTSC", &CMCEncoderFilter::FillSVCDSettings, 0, 3, 1, 1, 2200000, 480, 480, 2, 0xA3},
    {"SVCD PAL", &CMCEncoderFilter::FillSVCDSettings, 1, 3, 1, 1, 2200000, 480, 576, 2, 0xA3},
    {"DVD NTSC", &CMCEncoderFilter::FillDVDSettings, 0, 4, 1, 1, 4500000, 720, 480, 4, 0xA3},
    {"DVD PAL", &CMCEncoderFilter::FillDVDSettings, 1, 4, 1, 1, 4500000, 720, 576, 4, 0xA3},
    {"HIDVD NTSC", &CMCEncoderFilter::FillHIDVDSettings, 0, 4, 1, 1, 7200000, 720, 480, 4, 0xA3},
    // Any nonzero flag is PAL and is kept as passed.
    {"HIDVD PAL", &CMCEncoderFilter::FillHIDVDSettings, 7, 4, 1, 1, 7200000, 720, 576, 4, 0xA3},
};

TEST_F(MCEncoderTest, EachPresetSendsItsBytesToTheEncoder)
{
    CMCEncoderFilter* encoder = MakeEncoder();
    ASSERT_TRUE(encoder);
    for (const PresetCase& c : kPresetCases) {
        SCOPED_TRACE(c.name);
        m_fake->calls.clear();
        m_sentVideo.clear();
        m_sentAudio.clear();

        MCEncoderSettings settings;
        memset(&settings, 0xCC, sizeof(settings));
        ASSERT_TRUE(c.fill(&settings, c.pal));
        EXPECT_EQ(c.videoType, settings.videoType);
        EXPECT_EQ(c.pal, settings.pal);
        EXPECT_EQ(c.mpeg2, settings.mpeg2);
        EXPECT_EQ(c.mode, settings.mode);
        EXPECT_EQ(c.bitRate, settings.bitRate);
        EXPECT_EQ(9800000.0, settings.maxBitRate);
        EXPECT_EQ(c.width, settings.width);
        EXPECT_EQ(c.height, settings.height);
        EXPECT_EQ(11, settings.audioBitRateIndex);
        EXPECT_EQ(c.groupCode, settings.groupCode);

        ASSERT_TRUE(encoder->ApplySettings(&settings));
        // The default loaders get the type and the PAL flag as 0 or 1.
        ASSERT_FALSE(m_fake->calls.empty());
        EXPECT_EQ(c.videoType, m_fake->calls[0].args[0]);
        EXPECT_EQ(c.pal ? 1 : 0, m_fake->calls[0].args[1]);

        ASSERT_EQ(1u, m_sentVideo.size());
        const MCVideoSettings& video = m_sentVideo[0];
        EXPECT_EQ(c.videoType == 1 ? 1 : LONG(0xA5A5A5A5), At<LONG>(video, 48));
        EXPECT_EQ(c.bitRate, At<double>(video, 64));
        EXPECT_EQ(9800000.0, At<double>(video, 72));
        EXPECT_EQ(c.width, At<LONG>(video, 408));
        EXPECT_EQ(c.height, At<LONG>(video, 412));
        EXPECT_EQ(c.modeByte, At<BYTE>(video, 812));
        EXPECT_EQ(c.bitRate, At<double>(video, 821));
        EXPECT_EQ(kVideoDefaultByte, At<BYTE>(video, 811));
        EXPECT_EQ(kVideoDefaultByte, At<BYTE>(video, 876));

        ASSERT_EQ(1u, m_sentAudio.size());
        const LONG expectedAudio[9] = {0, 2, kAudioDefaultWord, 11, kAudioDefaultWord,
                                       kAudioDefaultWord, kAudioDefaultWord, kAudioDefaultWord,
                                       kAudioDefaultWord};
        EXPECT_EQ(0, memcmp(expectedAudio, m_sentAudio[0].word, sizeof(expectedAudio)));
        EXPECT_EQ("mux.8(" + std::to_string(c.videoType) + ")", m_fake->calls.back().Text());
    }
}

TEST(MCEncoderPresets, NullRecordIsRefused)
{
    for (FillFn fill : {&CMCEncoderFilter::FillMPEG1Settings, &CMCEncoderFilter::FillVCDSettings,
                        &CMCEncoderFilter::FillMPEG2Settings, &CMCEncoderFilter::FillSVCDSettings,
                        &CMCEncoderFilter::FillDVDSettings, &CMCEncoderFilter::FillHIDVDSettings})
        EXPECT_FALSE(fill(NULL, TRUE));
}

const std::vector<std::string> kApplyCalls = {
    "video.14(2,1,p)",  "video.13(p)",  "vparams.4(97,0)", "vparams.4(96,1)",
    "aparams.4(96,1)", "audio.13(2,p)", "audio.12(p)",     "mux.8(2)",
};

TEST_F(MCEncoderTest, ApplySettingsCallsTheEncoderInOrder)
{
    CMCEncoderFilter* encoder = MakeEncoder();
    ASSERT_TRUE(encoder);
    MCEncoderSettings settings;
    ASSERT_TRUE(CMCEncoderFilter::FillMPEG2Settings(&settings, TRUE));
    EXPECT_TRUE(encoder->ApplySettings(&settings));
    EXPECT_EQ(kApplyCalls, m_fake->CallTexts());
}

TEST_F(MCEncoderTest, ApplySettingsStopsAtTheFirstFailure)
{
    const struct
    {
        const char* itf;
        int slot;
        size_t callsMade;
    } cases[] = {
        {"video", 14, 1}, {"video", 13, 2}, {"vparams", 4, 3}, {"aparams", 4, 5},
        {"audio", 13, 6}, {"audio", 12, 7}, {"mux", 8, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.itf) + "." + std::to_string(c.slot));
        CMCEncoderFilter* encoder = MakeEncoder();
        ASSERT_TRUE(encoder);
        m_fake->Fail(c.itf, c.slot, E_FAIL);
        MCEncoderSettings settings;
        CMCEncoderFilter::FillMPEG2Settings(&settings, TRUE);
        EXPECT_FALSE(encoder->ApplySettings(&settings));
        std::vector<std::string> expected(kApplyCalls.begin(), kApplyCalls.begin() + c.callsMade);
        EXPECT_EQ(expected, m_fake->CallTexts());
        m_graph.DeleteFilter(encoder);
    }
    EXPECT_FALSE(MakeEncoder()->ApplySettings(NULL));
}

TEST_F(MCEncoderTest, ModeValueKeepsToItsFourBitsAndTheOtherBitsOfItsByte)
{
    CMCEncoderFilter* encoder = MakeEncoder();
    ASSERT_TRUE(encoder);
    const struct
    {
        BYTE defaultByte;
        LONG mode;
        BYTE sent;
    } cases[] = {
        {0x00, 0x0F, 0x1E},
        {0xFF, 0x00, 0xE1},
        {0xE1, 0x05, 0xEB},
        // The record road's addition carries the value past four bits.
        {0x00, 0x12, 0x04},
        {0x81, 0xFF, 0x9F},
    };
    for (const auto& c : cases) {
        m_videoDefault = c.defaultByte;
        m_sentVideo.clear();
        MCEncoderSettings settings;
        CMCEncoderFilter::FillDVDSettings(&settings, FALSE);
        settings.mode = c.mode;
        ASSERT_TRUE(encoder->ApplySettings(&settings));
        ASSERT_EQ(1u, m_sentVideo.size());
        EXPECT_EQ(c.sent, At<BYTE>(m_sentVideo[0], 812)) << "mode " << c.mode;

        // SetVideoModeBits reads the current block and changes the same bits.
        m_sentVideo.clear();
        ASSERT_TRUE(encoder->SetVideoModeBits(static_cast<BYTE>(c.mode)));
        ASSERT_EQ(1u, m_sentVideo.size());
        EXPECT_EQ(c.sent, At<BYTE>(m_sentVideo[0], 812)) << "mode " << c.mode;
        EXPECT_EQ(LONG(c.defaultByte * 0x01010101u), At<LONG>(m_sentVideo[0], 408));
    }
}

TEST_F(MCEncoderTest, MissingInterfaceKeepsTheEncoderOutOfTheGraph)
{
    const IID* iids[] = {&IID_IMCAudioSettings, &IID_IMCAudioParams, &IID_IMCMuxSettings,
                         &IID_IFileSinkFilter,  &IID_IMCVideoSettings, &IID_IMCVideoParams};
    for (const IID* iid : iids) {
        FakeCodecFilter* fake = ServeEncoder();
        fake->Hide(*iid);
        EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(&CLSID_MCEncoder, "codec"));
        EXPECT_EQ(nullptr, m_graph.GetFirstFilter());
        EXPECT_EQ(1u, fake->Refs());
    }
}

TEST_F(MCEncoderTest, PassThroughsReachTheirSlots)
{
    CMCEncoderFilter* e = MakeEncoder();
    ASSERT_TRUE(e);
    LONG value = 5;
    MCAudioSettings audio = {{1, 2, 3, 4, 5, 6, 7, 8, 9}};
    MCMuxSettings mux = {};
    mux.word[26] = 27;
    const struct
    {
        std::function<BOOL()> call;
        const char* text;
    } cases[] = {
        {[&] { return e->SetAudioValue3(3); }, "audio.3(3)"},
        {[&] { return e->SetAudioValue4(4); }, "audio.4(4)"},
        {[&] { return e->SetAudioValue9(9); }, "audio.9(9)"},
        {[&] { return e->SetConfigValue10(0); }, "audio.10(0)"},
        {[&] { return e->SetAudioValue14(14); }, "audio.14(14)"},
        {[&] { return e->SetAudioSettings(audio); }, "audio.12(p)"},
        {[&] { return e->SetAudioParam(7, -1); }, "aparams.4(7,-1)"},
        {[&] { return e->GetAudioParam(7, &value); }, "aparams.3(7,p)"},
        {[&] { return e->SetAudioOption1(1); }, "aparams.4(1,1)"},
        {[&] { return e->SetAudioOption96(0); }, "aparams.4(96,0)"},
        {[&] { return e->SetMuxValue3(3); }, "mux.3(3)"},
        {[&] { return e->SetMuxValue5(5); }, "mux.5(5)"},
        {[&] { return e->SetMuxSettings(mux); }, "mux.6(p)"},
        {[&] { return e->SetMuxValue7(1, 2); }, "mux.7(1,2)"},
        {[&] { return e->SetMuxType(3); }, "mux.8(3)"},
        {[&] { return e->SetVideoValue3(3); }, "video.3(3)"},
        {[&] { return e->SetVideoValue6(6); }, "video.6(6)"},
        {[&] { return e->SetVideoValue8(1, 2, 3); }, "video.8(1,2,3)"},
        {[&] { return e->SetVideoValue11(1, 2, 3, 4); }, "video.11(1,2,3,4)"},
        {[&] { return e->SetVideoValue15(1, 2); }, "video.15(1,2)"},
        {[&] { return e->SetVideoParam(8, 9); }, "vparams.4(8,9)"},
        {[&] { return e->GetVideoParam(8, &value); }, "vparams.3(8,p)"},
        {[&] { return e->SetOption97(1); }, "vparams.4(97,1)"},
        {[&] { return e->SetOption96(0); }, "vparams.4(96,0)"},
        {[&] { return e->GetOption97(&value); }, "vparams.3(97,p)"},
    };
    for (const auto& c : cases) {
        m_fake->calls.clear();
        EXPECT_TRUE(c.call()) << c.text;
        ASSERT_EQ(1u, m_fake->calls.size()) << c.text;
        EXPECT_EQ(c.text, m_fake->calls[0].Text());
    }
    // A failure of the outside method is FALSE; a NULL out-pointer is never sent.
    m_fake->calls.clear();
    m_fake->Fail("mux", 3, E_INVALIDARG);
    EXPECT_FALSE(e->SetMuxValue3(3));
    EXPECT_FALSE(e->GetOption96(NULL));
    EXPECT_FALSE(e->GetAudioOption96(NULL));
    EXPECT_FALSE(e->GetVideoSettings(NULL));
    EXPECT_EQ(1u, m_fake->calls.size());
}

TEST_F(MCEncoderTest, EngineReadsTheBlocksThroughTypedCalls)
{
    CMCEncoderFilter* encoder = MakeEncoder();
    ASSERT_TRUE(encoder);
    m_fake->onCall = [](const SlotCall& call) {
        if (call.Is("audio", 11))
            call.Arg<MCAudioSettings>(0)->word[MCAudioSettings::kBitRateIndexWord] = 11;
        if (call.Is("video", 12))
            call.Arg<MCVideoSettings>(0)->bitRate = 4500000.0;
        if (call.Is("aparams", 3))
            *call.Arg<LONG>(1) += 1;
        return S_OK;
    };
    MCAudioSettings audio = {};
    ASSERT_TRUE(encoder->GetAudioSettings(&audio));
    EXPECT_EQ(11, audio.word[3]);
    MCVideoSettings video = {};
    ASSERT_TRUE(encoder->GetVideoSettings(&video));
    EXPECT_EQ(4500000.0, At<double>(video, 64));
    // The filter reads a copy of the caller's value, which then goes back.
    LONG option = 41;
    ASSERT_TRUE(encoder->GetAudioOption96(&option));
    EXPECT_EQ(42, option);
    EXPECT_EQ((std::vector<std::string>{"audio.11(p)", "video.12(p)", "aparams.3(96,p)"}),
              m_fake->CallTexts());
}

TEST_F(MCEncoderTest, FileNameCrossesTheCodePageAndKeepsToTheCallersBuffer)
{
    CMCEncoderFilter* encoder = MakeEncoder();
    ASSERT_TRUE(encoder);
    ASSERT_TRUE(encoder->SetFileName("C:\\Rec\\20240101-120000.mpg"));
    EXPECT_EQ(L"C:\\Rec\\20240101-120000.mpg", m_sink->name);
    EXPECT_FALSE(m_sink->mediaTypeGiven);

    char name[32];
    memset(name, 'x', sizeof(name));
    ASSERT_TRUE(encoder->GetFileName(name, 27));
    EXPECT_STREQ("C:\\Rec\\20240101-120000.mpg", name);

    // One byte short: nothing is written past the buffer and nothing is claimed.
    memset(name, 'x', sizeof(name));
    EXPECT_FALSE(encoder->GetFileName(name, 26));
    EXPECT_EQ(0, name[0]);
    EXPECT_EQ('x', name[26]);
    EXPECT_FALSE(encoder->GetFileName(NULL, 26));
    EXPECT_FALSE(encoder->SetFileName(NULL));
}

TEST_F(MCEncoderTest, DeletingTheWrapperReleasesEveryInterface)
{
    CMCEncoderFilter* encoder = MakeEncoder();
    ASSERT_TRUE(encoder);
    EXPECT_LT(1u, m_fake->Refs());
    m_graph.DeleteFilter(encoder);
    EXPECT_EQ(1u, m_fake->Refs());
}

} // namespace
