// The maker's MPEG record chain wrappers over fakes served in-process: the
// presets and the order their parameters are sent in, failed writes
// reported, the writer, the down-scaler and the still-capture settings.
#include <string.h>

#include <string>
#include <vector>

#include "graph/Guids.h"
#include "graph/wrappers/IVIAudioEncFilter.h"
#include "graph/wrappers/IVIDownScaleFilter.h"
#include "graph/wrappers/IVIMuxFilter.h"
#include "graph/wrappers/IVIStillCapFilter.h"
#include "graph/wrappers/IVIVideoDecoderFilter.h"
#include "graph/wrappers/IVIVideoEncFilter.h"
#include "graph/wrappers/IVIWriteFilter.h"
#include "tests/graph/wrappers/CodecWrapperTest.h"

namespace {

std::vector<std::string> Writes(std::vector<std::pair<int, int>> idValues)
{
    std::vector<std::string> texts;
    for (const auto& p : idValues)
        texts.push_back("params.4(" + std::to_string(p.first) + "," + std::to_string(p.second) + ")");
    return texts;
}

class IVIFiltersTest : public CodecWrapperTest
{
protected:
    // A fake whose parameter interface (under iid) is labelled "params".
    FakeCodecFilter* ServeWithParams(const CLSID& clsid, const IID& iid)
    {
        FakeCodecFilter* fake = Serve(clsid);
        fake->Add<FakeICodecParams>(iid, "params");
        return fake;
    }
    // Every write of parameter id is refused.
    void RefuseWrite(LONG id)
    {
        m_fake->onCall = [id](const SlotCall& call) {
            return call.Is("params", 4) && call.args[0] == id ? E_FAIL : S_OK;
        };
    }
};

TEST_F(IVIFiltersTest, AudioEncoderPresetsGoOutInTheEncodersOrder)
{
    ServeWithParams(CLSID_IVIAudioEncoder, IID_IIVIAudioEncParams);
    CIVIAudioEncFilter* encoder = AddWrapper<CIVIAudioEncFilter>(CLSID_IVIAudioEncoder);
    ASSERT_TRUE(encoder);
    const ULONG idleRefs = m_fake->Refs();

    const struct
    {
        BOOL (*fill)(IVIAudioEncSettings*);
        LONG sampleRate;
    } presets[] = {
        {&CIVIAudioEncFilter::FillVCDSettings, 44100},  {&CIVIAudioEncFilter::FillSVCDSettings, 44100},
        {&CIVIAudioEncFilter::FillDVDSettings, 48000},  {&CIVIAudioEncFilter::FillMPEG1Settings, 44100},
        {&CIVIAudioEncFilter::FillMPEG2Settings, 44100},
    };
    for (const auto& p : presets) {
        IVIAudioEncSettings settings;
        ASSERT_TRUE(p.fill(&settings));
        EXPECT_FALSE(p.fill(NULL));
        m_fake->calls.clear();
        EXPECT_TRUE(encoder->ApplySettings(&settings));
        EXPECT_EQ(Writes({{258, 224}, {261, p.sampleRate}, {264, 1}, {260, 100}, {259, 0}, {257, 2}}),
                  m_fake->CallTexts());
        // Asked for on each call and let go again.
        EXPECT_EQ(idleRefs, m_fake->Refs());
    }

    // A refused write is reported, and the rest still go out.
    IVIAudioEncSettings settings;
    CIVIAudioEncFilter::FillDVDSettings(&settings);
    m_fake->calls.clear();
    RefuseWrite(261);
    EXPECT_FALSE(encoder->ApplySettings(&settings));
    EXPECT_EQ(6u, m_fake->calls.size());
    EXPECT_FALSE(encoder->ApplySettings(NULL));
}

struct VideoPresetCase
{
    const char* name;
    int format;       // index into the fill functions below
    int standard;
    BOOL highRate;
    LONG words[17];   // word 11 stays as the test left it (-1)
};

const VideoPresetCase kVideoPresets[] = {
    {"VCD PAL", 0, 1, 0, {12, 3, 16, 16, 352, 288, 1120, 9800, 112, 1, 2, -1, 3, 2, 1, 0, 0}},
    {"VCD NTSC", 0, 2, 0, {15, 3, 16, 16, 352, 240, 1120, 9800, 112, 1, 2, -1, 4, 2, 2, 0, 0}},
    {"SVCD PAL", 1, 1, 0, {12, 3, 8, 8, 480, 576, 2200, 9800, 112, 1, 2, -1, 3, 2, 1, 1, 2}},
    {"SVCD NTSC", 1, 2, 0, {15, 3, 8, 8, 480, 480, 2200, 9800, 112, 1, 2, -1, 4, 2, 2, 1, 2}},
    {"DVD PAL", 2, 1, 0, {6, 3, 5, 5, 720, 576, 4500, 9800, 112, 1, 2, -1, 3, 2, 1, 1, 2}},
    {"DVD NTSC high", 2, 2, 1, {6, 3, 5, 5, 720, 480, 7200, 9800, 112, 1, 2, -1, 4, 2, 2, 1, 2}},
    {"MPEG1 PAL", 3, 1, 0, {12, 3, 5, 5, 352, 288, 4500, 9800, 112, 1, 2, -1, 3, 2, 1, 0, 0}},
    {"MPEG1 NTSC", 3, 2, 0, {15, 3, 5, 5, 352, 240, 4500, 9800, 112, 1, 2, -1, 4, 2, 2, 0, 0}},
    {"MPEG2 PAL", 4, 1, 0, {6, 3, 5, 5, 720, 576, 4500, 9800, 112, 1, 2, -1, 3, 2, 1, 1, 2}},
    {"MPEG2 NTSC", 4, 2, 0, {6, 3, 5, 5, 720, 480, 4500, 9800, 112, 1, 2, -1, 4, 2, 2, 1, 2}},
};

BOOL FillVideo(int format, IVIVideoEncSettings* settings, int standard, BOOL highRate)
{
    switch (format) {
    case 0: return CIVIVideoEncFilter::FillVCDSettings(settings, standard);
    case 1: return CIVIVideoEncFilter::FillSVCDSettings(settings, standard);
    case 2: return CIVIVideoEncFilter::FillDVDSettings(settings, standard, highRate);
    case 3: return CIVIVideoEncFilter::FillMPEG1Settings(settings, standard);
    default: return CIVIVideoEncFilter::FillMPEG2Settings(settings, standard);
    }
}

TEST(IVIVideoPresets, EachFormatAndStandard)
{
    for (const VideoPresetCase& c : kVideoPresets) {
        SCOPED_TRACE(c.name);
        IVIVideoEncSettings settings;
        memset(&settings, 0xFF, sizeof(settings));
        ASSERT_TRUE(FillVideo(c.format, &settings, c.standard, c.highRate));
        EXPECT_EQ(0, memcmp(c.words, settings.word, sizeof(c.words)));

        // Another standard: the standard's own words are left alone.
        memset(&settings, 0xFF, sizeof(settings));
        EXPECT_FALSE(FillVideo(c.format, &settings, 3, c.highRate));
        for (int word : {0, 5, 11, 12, 14})
            EXPECT_EQ(-1, settings.word[word]) << "word " << word;
        EXPECT_EQ(c.words[4], settings.word[4]);
        EXPECT_EQ(c.words[6], settings.word[6]);
        EXPECT_FALSE(FillVideo(c.format, NULL, c.standard, c.highRate));
    }
}

TEST_F(IVIFiltersTest, VideoEncoderSendsSixteenWordsThenCommits)
{
    ServeWithParams(CLSID_IVIVideoEncoder, IID_IIVIVideoEncParams);
    CIVIVideoEncFilter* encoder = AddWrapper<CIVIVideoEncFilter>(CLSID_IVIVideoEncoder);
    ASSERT_TRUE(encoder);
    IVIVideoEncSettings settings;
    for (int i = 0; i < IVIVideoEncSettings::kWords; i++)
        settings.word[i] = 100 + i;

    const std::vector<std::pair<int, int>> order = {
        {5, 112}, {7, 114}, {8, 115}, {13, 102}, {14, 103}, {11, 100}, {12, 101}, {9, 106},
        {6, 113}, {18, 116}, {3, 104}, {4, 105}, {10, 109}, {16, 110}, {17, 107}, {19, 108},
    };
    std::vector<std::pair<int, int>> withCommit = order;
    withCommit.push_back({20, 1});
    EXPECT_TRUE(encoder->ApplySettings(&settings));
    EXPECT_EQ(Writes(withCommit), m_fake->CallTexts());

    m_fake->calls.clear();
    RefuseWrite(20);
    EXPECT_FALSE(encoder->ApplySettings(&settings));
    RefuseWrite(13);
    EXPECT_FALSE(encoder->ApplySettings(&settings));
    EXPECT_EQ(34u, m_fake->calls.size());

    // Reading back asks for the same sixteen, in the same order.
    m_fake->calls.clear();
    m_fake->onCall = [](const SlotCall& call) {
        *call.Arg<LONG>(1) = static_cast<LONG>(call.args[0]) * 10;
        return S_OK;
    };
    IVIVideoEncSettings read = {};
    read.word[11] = 77;
    EXPECT_TRUE(encoder->GetSettings(&read));
    ASSERT_EQ(16u, m_fake->calls.size());
    for (size_t i = 0; i < order.size(); i++) {
        EXPECT_EQ(order[i].first, m_fake->calls[i].args[0]);
        EXPECT_EQ(order[i].first * 10, read.word[order[i].second - 100]);
    }
    EXPECT_EQ(77, read.word[11]);
    m_fake->Fail("params", 3);
    EXPECT_FALSE(encoder->GetSettings(&read));
}

TEST_F(IVIFiltersTest, MultiplexerPresetsGoOutInItsOrder)
{
    ServeWithParams(CLSID_IVIMultiplexer, IID_IIVIMuxParams);
    CIVIMuxFilter* mux = AddWrapper<CIVIMuxFilter>(CLSID_IVIMultiplexer);
    ASSERT_TRUE(mux);
    EXPECT_TRUE(mux->NeedsPinRefresh());
    const struct
    {
        BOOL (*fill)(IVIMuxSettings*);
        int pack, type, last;
    } presets[] = {
        {&CIVIMuxFilter::FillVCDSettings, 2324, 2, 0},  {&CIVIMuxFilter::FillSVCDSettings, 2324, 3, 1},
        {&CIVIMuxFilter::FillDVDSettings, 2048, 4, 1},  {&CIVIMuxFilter::FillMPEG1Settings, 2048, 0, 1},
        {&CIVIMuxFilter::FillMPEG2Settings, 2048, 1, 1},
    };
    for (const auto& p : presets) {
        IVIMuxSettings settings;
        ASSERT_TRUE(p.fill(&settings));
        EXPECT_FALSE(p.fill(NULL));
        m_fake->calls.clear();
        EXPECT_TRUE(mux->ApplySettings(&settings));
        EXPECT_EQ(Writes({{515, p.type}, {513, p.pack}, {514, 1}, {517, 1}, {516, 1}, {518, p.last}}),
                  m_fake->CallTexts());
    }
    RefuseWrite(518);
    IVIMuxSettings settings;
    CIVIMuxFilter::FillDVDSettings(&settings);
    EXPECT_FALSE(mux->ApplySettings(&settings));
}

TEST_F(IVIFiltersTest, FiltersWithoutTheirParameterInterface)
{
    // The encoders and the still capture ask on each call: they are added,
    // and each call without the interface is FALSE.
    Serve(CLSID_IVIVideoEncoder);
    CIVIVideoEncFilter* encoder = AddWrapper<CIVIVideoEncFilter>(CLSID_IVIVideoEncoder);
    ASSERT_TRUE(encoder);
    IVIVideoEncSettings settings = {};
    EXPECT_FALSE(encoder->ApplySettings(&settings));
    Serve(CLSID_IVIStillCapture);
    CIVIStillCapFilter* still = AddWrapper<CIVIStillCapFilter>(CLSID_IVIStillCapture);
    ASSERT_TRUE(still);
    EXPECT_FALSE(still->SetStillParam1537(1));

    // The writer and the down-scaler hold theirs: without it they are not added.
    Serve(CLSID_IVIFileWriter);
    EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(&CLSID_IVIFileWriter, "codec"));
    Serve(CLSID_IVIDownScale);
    EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(&CLSID_IVIDownScale, "codec"));

    Serve(CLSID_IVIVideoDecoder);
    CIVIVideoDecoderFilter* decoder = AddWrapper<CIVIVideoDecoderFilter>(CLSID_IVIVideoDecoder);
    ASSERT_TRUE(decoder);
    EXPECT_TRUE(decoder->NeedsPinRefresh());
}

TEST_F(IVIFiltersTest, WriterSettingTravelsAsAPairOfWords)
{
    FakeCodecFilter* fake = ServeWithParams(CLSID_IVIFileWriter, IID_IIVIWriterParams);
    FakeFileSink* sink = fake->AddFileSink();
    CIVIWriteFilter* writer = AddWrapper<CIVIWriteFilter>(CLSID_IVIFileWriter);
    ASSERT_TRUE(writer);
    LONG seen[2] = {};
    fake->onCall = [&seen](const SlotCall& call) {
        if (call.Is("params", 4))
            memcpy(seen, call.Arg<LONG>(1), sizeof(seen));
        if (call.Is("params", 3)) {
            call.Arg<LONG>(1)[0] = 11;
            call.Arg<LONG>(1)[1] = 22;
        }
        return S_OK;
    };
    ASSERT_TRUE(writer->SetWriteValue(0x1234, -2));
    EXPECT_EQ(0x1234, seen[0]);
    EXPECT_EQ(-2, seen[1]);
    LONG low = 0, high = 0;
    ASSERT_TRUE(writer->GetWriteValue(&low, &high));
    EXPECT_EQ(11, low);
    EXPECT_EQ(22, high);
    EXPECT_FALSE(writer->GetWriteValue(NULL, &high));
    ASSERT_EQ(2u, fake->calls.size());
    EXPECT_EQ(1280, fake->calls[0].args[0]);
    EXPECT_EQ("params.3(1280,p)", fake->calls[1].Text());

    ASSERT_TRUE(writer->SetFileName("D:\\Video\\take.mpg"));
    EXPECT_EQ(L"D:\\Video\\take.mpg", sink->name);
    EXPECT_FALSE(sink->mediaTypeGiven);
}

TEST_F(IVIFiltersTest, DownScaleSwitches)
{
    FakeCodecFilter* fake = ServeWithParams(CLSID_IVIDownScale, IID_IIVIDownScaleParams);
    CIVIDownScaleFilter* scaler = AddWrapper<CIVIDownScaleFilter>(CLSID_IVIDownScale);
    ASSERT_TRUE(scaler);
    EXPECT_TRUE(scaler->SetDownScale(5, FALSE));
    EXPECT_EQ(Writes({{1792, 1}, {1793, 0}}), fake->CallTexts());

    // Only S_OK counts: S_FALSE on the first switch keeps the second unsent.
    fake->calls.clear();
    fake->Fail("params", 4, S_FALSE);
    EXPECT_FALSE(scaler->SetDownScale(TRUE, TRUE));
    EXPECT_EQ(1u, fake->calls.size());

    const struct
    {
        LONG first, second;
        BOOL wantFirst, wantSecond;
    } reads[] = {{1, 1, TRUE, TRUE}, {0, 0, FALSE, FALSE}, {-3, 2, FALSE, TRUE}, {7, -1, TRUE, FALSE}};
    for (const auto& r : reads) {
        fake->onCall = [&r](const SlotCall& call) {
            *call.Arg<LONG>(1) = call.args[0] == 1792 ? r.first : r.second;
            return S_OK;
        };
        BOOL first = -1, second = -1;
        ASSERT_TRUE(scaler->GetDownScale(&first, &second));
        EXPECT_EQ(r.wantFirst, first);
        EXPECT_EQ(r.wantSecond, second);
    }
    fake->Fail("params", 3, S_FALSE);
    BOOL first = -1, second = -1;
    EXPECT_FALSE(scaler->GetDownScale(&first, &second));
    EXPECT_EQ(-1, first);
}

TEST_F(IVIFiltersTest, StillSettingsAndBoundedPictureRead)
{
    FakeCodecFilter* fake = ServeWithParams(CLSID_IVIStillCapture, IID_IIVIStillCapParams);
    CIVIStillCapFilter* still = AddWrapper<CIVIStillCapFilter>(CLSID_IVIStillCapture);
    ASSERT_TRUE(still);
    LONG value = 0;
    EXPECT_TRUE(still->SetStillParam1537(7));
    EXPECT_TRUE(still->SetStillParam1541(1));
    EXPECT_TRUE(still->GetStillParam1539(&value));
    EXPECT_FALSE(still->GetStillParam1540(NULL));
    EXPECT_EQ((std::vector<std::string>{"params.4(1537,7)", "params.4(1541,1)", "params.3(1539,p)"}),
              fake->CallTexts());

    fake->onCall = [](const SlotCall& call) {
        if (call.Is("params", 3) && call.args[0] == 1543)
            *call.Arg<LONG>(1) = 8;
        if (call.Is("params", 3) && call.args[0] == 1544)
            memset(call.Arg<BYTE>(1), 0x42, 8);
        return S_OK;
    };
    LONG size = 0;
    ASSERT_TRUE(still->GetStillSize(&size));
    EXPECT_EQ(8, size);
    BYTE buffer[9];
    memset(buffer, 0, sizeof(buffer));
    EXPECT_FALSE(still->GetStillData(buffer, 7));
    EXPECT_EQ(0, buffer[0]);
    ASSERT_TRUE(still->GetStillData(buffer, 9));
    EXPECT_EQ(0x42, buffer[7]);
    EXPECT_EQ(0, buffer[8]);
}

} // namespace
