// The MPEG component wrappers and the H.264 wrappers over fakes served
// in-process: which interfaces each requires, the video decoder's output
// restriction and its information block, and the operations of their own.
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "graph/Guids.h"
#include "graph/wrappers/MCAudioDecoderFilter.h"
#include "graph/wrappers/MCAudioEncoderFilter.h"
#include "graph/wrappers/MCH264EncoderFilter.h"
#include "graph/wrappers/MCH264VideoDecoderFilter.h"
#include "graph/wrappers/MCMuxFilter.h"
#include "graph/wrappers/MCSplitterFilter.h"
#include "graph/wrappers/MCVideoDecoderFilter.h"
#include "graph/wrappers/MCVideoEncoderFilter.h"
#include "tests/graph/wrappers/CodecWrapperTest.h"

namespace {

struct FakeItf
{
    const IID* iid;
    std::function<void(FakeCodecFilter*)> add;
};

template <class F>
FakeItf Itf(const IID& iid, const char* label)
{
    return {&iid, [&iid, label](FakeCodecFilter* fake) { fake->Add<F>(iid, label); }};
}

FakeItf Sink()
{
    return {&IID_IFileSinkFilter, [](FakeCodecFilter* fake) { fake->AddFileSink(); }};
}

struct WrapperCase
{
    const char* name;
    const CLSID* clsid;
    std::vector<FakeItf> interfaces;  // every one required
    BOOL refreshesPins;
    std::function<bool(CRootFilter*)> isClass;
};

template <class W>
std::function<bool(CRootFilter*)> IsA()
{
    return [](CRootFilter* f) { return dynamic_cast<W*>(f) != NULL; };
}

const std::vector<WrapperCase>& Cases()
{
    static const std::vector<WrapperCase> cases = {
        {"multiplexer", &CLSID_MCMultiplexer,
         {Itf<FakeIMCMuxSettings>(IID_IMCMuxSettings, "mux"),
          Itf<FakeICodecParams>(IID_IMCMuxParams, "mparams"), Sink()},
         TRUE, IsA<CMCMuxFilter>()},
        {"audio decoder", &CLSID_MCAudioDecoder, {}, FALSE, IsA<CMCAudioDecoderFilter>()},
        {"audio encoder", &CLSID_MCAudioEncoder,
         {Itf<FakeIMCAudioSettings>(IID_IMCAudioSettings, "audio"),
          Itf<FakeICodecParams>(IID_IMCAudioParams, "aparams")},
         FALSE, IsA<CMCAudioEncoderFilter>()},
        {"splitter", &CLSID_MCSplitter, {Itf<FakeICodecParams>(IID_IMCSplitterParams, "sparams")},
         TRUE, IsA<CMCSplitterFilter>()},
        {"video decoder", &CLSID_MCVideoDecoder,
         {Itf<FakeICodecParams>(IID_IMCDecoderParams, "dparams"),
          Itf<FakeIMCDecoderOutput>(IID_IMCDecoderOutput, "output")},
         FALSE, IsA<CMCVideoDecoderFilter>()},
        {"video encoder", &CLSID_MCVideoEncoder,
         {Itf<FakeIMCVideoSettings>(IID_IMCVideoSettings, "video"),
          Itf<FakeICodecParams>(IID_IMCVideoParams, "vparams")},
         FALSE, IsA<CMCVideoEncoderFilter>()},
        {"H.264 decoder", &CLSID_MCH264VideoDecoder,
         {Itf<FakeIMCH264DecoderControl>(IID_IMCH264DecoderControl, "control")},
         FALSE, IsA<CMCH264VideoDecoderFilter>()},
        {"H.264 encoder", &CLSID_MCH264Encoder,
         {Itf<FakeIMCAudioSettings>(IID_IMCAudioSettings, "audio"),
          Itf<FakeICodecParams>(IID_IMCAudioParams, "aparams"),
          Itf<FakeIMCMuxSettings>(IID_IMCMuxSettings, "mux"),
          Itf<FakeICodecParams>(IID_IMCMuxParams, "mparams"), Sink(),
          Itf<FakeIMCH264Settings>(IID_IMCH264Settings, "h264"),
          Itf<FakeICodecParams>(IID_IMCH264Params, "hparams")},
         TRUE, IsA<CMCH264EncoderFilter>()},
    };
    return cases;
}

class MCComponentTest : public CodecWrapperTest
{
protected:
    FakeCodecFilter* ServeCase(const WrapperCase& c)
    {
        FakeCodecFilter* fake = Serve(*c.clsid);
        for (const FakeItf& itf : c.interfaces)
            itf.add(fake);
        return fake;
    }
    template <class W>
    W* Make(const char* name)
    {
        for (const WrapperCase& c : Cases()) {
            if (strcmp(c.name, name) == 0) {
                ServeCase(c);
                return AddWrapper<W>(*c.clsid);
            }
        }
        return NULL;
    }
};

TEST_F(MCComponentTest, EachWrapperRequiresEveryInterfaceOfItsFilter)
{
    for (const WrapperCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        ServeCase(c);
        CRootFilter* wrapper = m_graph.AddFilterByCLSID(c.clsid, "codec");
        ASSERT_TRUE(wrapper);
        EXPECT_TRUE(c.isClass(wrapper));
        EXPECT_EQ(c.refreshesPins, wrapper->NeedsPinRefresh());
        m_graph.DeleteFilter(wrapper);
        EXPECT_EQ(1u, m_fake->Refs());

        for (const FakeItf& missing : c.interfaces) {
            FakeCodecFilter* fake = ServeCase(c);
            fake->Hide(*missing.iid);
            EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(c.clsid, "codec"));
            EXPECT_EQ(1u, fake->Refs());
        }
    }
}

std::string FormatCall(const char* fourcc, int enable)
{
    DWORD code = MAKEFOURCC(fourcc[0], fourcc[1], fourcc[2], fourcc[3]);
    return "output.5(" + std::to_string(code) + "," + std::to_string(enable) + ")";
}

const std::vector<std::string> kDecoderInitCalls = {
    FormatCall("YUY2", 1), FormatCall("BGR4", 0), FormatCall("BGR3", 0), FormatCall("R555", 0),
    FormatCall("R565", 0), FormatCall("UYVY", 0), FormatCall("YV12", 0), "dparams.4(32,0)",
};

TEST_F(MCComponentTest, VideoDecoderOffersOnlyYuy2)
{
    ASSERT_TRUE(Make<CMCVideoDecoderFilter>("video decoder"));
    EXPECT_EQ(kDecoderInitCalls, m_fake->CallTexts());

    // A decoder that refuses any step is not added.
    for (size_t refused = 0; refused < kDecoderInitCalls.size(); refused++) {
        SCOPED_TRACE(kDecoderInitCalls[refused]);
        FakeCodecFilter* fake = ServeCase(Cases()[4]);
        size_t call = 0;
        fake->onCall = [&call, refused](const SlotCall&) {
            return call++ == refused ? E_FAIL : S_OK;
        };
        EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(&CLSID_MCVideoDecoder, "codec"));
        EXPECT_EQ(refused + 1, fake->calls.size());
    }
}

TEST_F(MCComponentTest, VideoDecoderInformationBlock)
{
    CMCVideoDecoderFilter* decoder = Make<CMCVideoDecoderFilter>("video decoder");
    ASSERT_TRUE(decoder);
    std::vector<MCDecoderInfo> sent;
    LONG sizeSeenByRead = 0;
    m_fake->onCall = [&](const SlotCall& call) {
        if (call.Is("output", 6)) {
            MCDecoderInfo* info = call.Arg<MCDecoderInfo>(0);
            sizeSeenByRead = info->word[0];
            for (int i = 0; i < MCDecoderInfo::kWords; i++)
                info->word[i] = 100 + i;
        }
        if (call.Is("output", 7))
            sent.push_back(*call.Arg<MCDecoderInfo>(0));
        return S_OK;
    };

    ASSERT_TRUE(decoder->SetDecoderInfoValue(-7));
    EXPECT_EQ(40, sizeSeenByRead);
    ASSERT_EQ(1u, sent.size());
    const LONG expected[10] = {40, 101, 102, 103, -7, 105, 106, 107, 108, 109};
    EXPECT_EQ(0, memcmp(expected, sent[0].word, sizeof(expected)));

    LONG value = 0;
    ASSERT_TRUE(decoder->GetDecoderInfoValue(&value));
    EXPECT_EQ(104, value);

    MCDecoderInfo info = {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}};
    ASSERT_TRUE(decoder->SetDecoderInfo(info));
    EXPECT_EQ(40, sent.back().word[0]);
    EXPECT_EQ(9, sent.back().word[9]);

    // A failed read writes nothing.
    m_fake->calls.clear();
    m_fake->Fail("output", 6);
    EXPECT_FALSE(decoder->SetDecoderInfoValue(1));
    EXPECT_FALSE(decoder->GetDecoderInfoValue(&value));
    EXPECT_EQ((std::vector<std::string>{"output.6(p)", "output.6(p)"}), m_fake->CallTexts());
}

TEST_F(MCComponentTest, OperationsOfTheirOwnReachTheirSlots)
{
    CMCVideoEncoderFilter* video = Make<CMCVideoEncoderFilter>("video encoder");
    ASSERT_TRUE(video);
    EXPECT_TRUE(video->SetVideoValue4(4));
    EXPECT_TRUE(video->SetVideoValue5(5));
    EXPECT_EQ((std::vector<std::string>{"video.4(4)", "video.5(5)"}), m_fake->CallTexts());

    CMCAudioEncoderFilter* audio = Make<CMCAudioEncoderFilter>("audio encoder");
    ASSERT_TRUE(audio);
    EXPECT_TRUE(audio->SetAudioValue10(10));
    EXPECT_TRUE(audio->SetAudioValue7(7));
    EXPECT_EQ((std::vector<std::string>{"audio.10(10)", "audio.7(7)"}), m_fake->CallTexts());

    CMCSplitterFilter* splitter = Make<CMCSplitterFilter>("splitter");
    ASSERT_TRUE(splitter);
    LONG value = 0;
    EXPECT_TRUE(splitter->SetSplitterParam(1, 2));
    EXPECT_TRUE(splitter->GetSplitterParam(3, &value));
    EXPECT_FALSE(splitter->GetSplitterParam(3, NULL));
    EXPECT_EQ((std::vector<std::string>{"sparams.4(1,2)", "sparams.3(3,p)"}), m_fake->CallTexts());

    CMCMuxFilter* mux = Make<CMCMuxFilter>("multiplexer");
    ASSERT_TRUE(mux);
    EXPECT_TRUE(mux->SetMuxParam(5, 6));
    EXPECT_TRUE(mux->SetMuxValue4(4));
    EXPECT_EQ((std::vector<std::string>{"mparams.4(5,6)", "mux.4(4)"}), m_fake->CallTexts());

    CMCH264VideoDecoderFilter* h264 = Make<CMCH264VideoDecoderFilter>("H.264 decoder");
    ASSERT_TRUE(h264);
    MCDecoderInfo info = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    LONG firstWord = 0;
    m_fake->onCall = [&firstWord](const SlotCall& call) {
        if (call.Is("control", 7))
            firstWord = call.Arg<MCDecoderInfo>(0)->word[0];
        return S_OK;
    };
    EXPECT_TRUE(h264->CallDecoder3(1, 2));
    EXPECT_TRUE(h264->CallDecoder5(5, 6));
    EXPECT_TRUE(h264->CallDecoder6(6));
    EXPECT_TRUE(h264->SetDecoderInfo(info));
    EXPECT_EQ(1, firstWord);  // sent unchanged, unlike the MPEG decoder's
    EXPECT_EQ((std::vector<std::string>{"control.3(1,2)", "control.5(5,6)", "control.6(6)",
                                        "control.7(p)"}),
              m_fake->CallTexts());
}

TEST_F(MCComponentTest, H264EncoderSendsItsSettingsBlockUnchanged)
{
    CMCH264EncoderFilter* encoder = Make<CMCH264EncoderFilter>("H.264 encoder");
    ASSERT_TRUE(encoder);
    std::vector<BYTE> sent;
    m_fake->onCall = [&sent](const SlotCall& call) {
        if (call.Is("h264", 6)) {
            const BYTE* bytes = call.Arg<MCH264Settings>(0)->bytes;
            sent.assign(bytes, bytes + sizeof(MCH264Settings));
        }
        return S_OK;
    };
    std::vector<MCH264Settings> block(1);
    for (size_t i = 0; i < sizeof(MCH264Settings); i++)
        block[0].bytes[i] = static_cast<BYTE>(i * 7);
    ASSERT_TRUE(encoder->SetH264Settings(block[0]));
    ASSERT_EQ(sizeof(MCH264Settings), sent.size());
    EXPECT_EQ(0, memcmp(block[0].bytes, sent.data(), sent.size()));

    EXPECT_TRUE(encoder->CallH264Settings3(1, 2, 3));
    EXPECT_TRUE(encoder->CallH264Settings7(7, 8, 9));
    EXPECT_TRUE(encoder->SetH264Param(4, 5));
    EXPECT_TRUE(encoder->SetAudioValue10(10));
    LONG value;
    EXPECT_TRUE(encoder->GetMuxParam(2, &value));
    EXPECT_EQ((std::vector<std::string>{"h264.6(p)", "h264.3(1,2,3)", "h264.7(7,8,9)",
                                        "hparams.4(4,5)", "audio.10(10)", "mparams.3(2,p)"}),
              m_fake->CallTexts());
}

} // namespace
