// The capture encoder and transcoder wrappers over fakes served in-process:
// the seven presets, HRESULTs passed through unchanged, E_POINTER without
// the control interface, the block's separately addressed words, the
// two-value read and the transcoder's companion.
#include <string.h>

#include <string>
#include <vector>

#include "graph/Guids.h"
#include "graph/wrappers/LigosEncFilter.h"
#include "graph/wrappers/LigosTransFilter.h"
#include "tests/graph/wrappers/CodecWrapperTest.h"

namespace {

typedef int (*PresetFn)(LigosEncSettings*, LONG);

struct PresetCase
{
    PresetFn fill;
    LONG arg;
    int result;
    LONG word0, bitRate, sampleRate, width, height, word9, word56;
};

const PresetCase kPresets[] = {
    {&CLigosEncFilter::FillPreset1, 9, 1, 1, 2520000, 44100, 720, 512, 1, 1},
    {&CLigosEncFilter::FillPreset2, 9, 1, 12, 4000000, 44100, 720, 480, 9, 2},
    {&CLigosEncFilter::FillPreset3, 9, 1, 15, 2000000, 44100, 720, 576, 9, 2},
    {&CLigosEncFilter::FillPreset4, 1, 2, 12, 220000, 44100, 720, 480, 1, 2},
    {&CLigosEncFilter::FillPreset4, 2, 2, 15, 220000, 44100, 720, 480, 2, 2},
    {&CLigosEncFilter::FillPreset5, 9, 1, 15, 3000000, 44100, 0, 0, 9, 2},
    {&CLigosEncFilter::FillPreset6, 9, 1, 6, 4500000, 48000, 720, 480, 9, 2},
    {&CLigosEncFilter::FillPreset7, 9, 1, 15, 7200000, 48000, 720, 480, 9, 2},
};

TEST(LigosPresets, EachPresetOverAZeroedBlock)
{
    const int unlisted[] = {10, 28, 29, 33, 34, 35, 36, 40, 41, 42, 44, 50, 54, 55};
    for (size_t i = 0; i < sizeof(kPresets) / sizeof(kPresets[0]); i++) {
        const PresetCase& c = kPresets[i];
        SCOPED_TRACE(i);
        LigosEncSettings block;
        memset(&block, 0xFF, sizeof(block));
        EXPECT_EQ(c.result, c.fill(&block, c.arg));
        EXPECT_EQ(c.word0, block.word[0]);
        EXPECT_EQ(c.bitRate, block.word[4]);
        EXPECT_EQ(c.sampleRate, block.word[13]);
        EXPECT_EQ(c.width, block.word[31]);
        EXPECT_EQ(c.height, block.word[32]);
        EXPECT_EQ(c.word9, block.word[9]);
        EXPECT_EQ(c.word56, block.word[56]);
        EXPECT_EQ(999999999, block.word[22]);
        EXPECT_EQ(30.0f, block.FrameRate());
        for (int word : unlisted)
            EXPECT_EQ(0, block.word[word]) << "word " << word;
        EXPECT_EQ(0, c.fill(NULL, c.arg));
    }
}

class LigosTest : public CodecWrapperTest
{
protected:
    CLigosEncFilter* MakeEncoder()
    {
        FakeCodecFilter* fake = Serve(CLSID_LigosEncoder);
        fake->Add<FakeILigosEncControl>(IID_ILigosEncControl, "enc");
        m_sink = fake->AddFileSink();
        return AddWrapper<CLigosEncFilter>(CLSID_LigosEncoder);
    }
    CLigosTransFilter* MakeTranscoder()
    {
        FakeCodecFilter* fake = Serve(CLSID_LigosTranscoder);
        fake->Add<FakeILigosTransControl>(IID_ILigosTransControl, "trans");
        fake->Add<FakeILigosTransPosition>(IID_ILigosTransPosition, "pos");
        return AddWrapper<CLigosTransFilter>(CLSID_LigosTranscoder);
    }

    FakeFileSink* m_sink = NULL;
};

TEST_F(LigosTest, EncoderCallsAnswerTheEncodersHresult)
{
    CLigosEncFilter* encoder = MakeEncoder();
    ASSERT_TRUE(encoder);
    LigosEncSettings block = {};
    const LONG three[3] = {7, 8, 9};
    m_fake->Fail("enc", 5, E_NOTIMPL);
    m_fake->Fail("enc", 8, S_FALSE);
    EXPECT_EQ(S_OK, encoder->CallEncoder3(&block));
    EXPECT_EQ(S_OK, encoder->CallEncoder4(&block));
    EXPECT_EQ(E_NOTIMPL, encoder->CallEncoder5(1, 2));
    EXPECT_EQ(S_OK, encoder->CallEncoder6(6));
    EXPECT_EQ(S_OK, encoder->CallEncoder7(three));
    EXPECT_EQ(S_FALSE, encoder->CallEncoder8(8));
    EXPECT_EQ(E_POINTER, encoder->CallEncoder3(NULL));
    EXPECT_EQ(E_POINTER, encoder->CallEncoder7(NULL));
    EXPECT_EQ((std::vector<std::string>{"enc.3(p,p,p)", "enc.4(p,p,p)", "enc.5(1,2)", "enc.6(6)",
                                        "enc.7(7,8,9)", "enc.8(8)"}),
              m_fake->CallTexts());
    // Words 55 and 56 go as addresses inside the block itself.
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&block), m_fake->calls[0].args[0]);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&block.word[55]), m_fake->calls[0].args[1]);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&block.word[56]), m_fake->calls[0].args[2]);

    // A wrapper without the interface answers E_POINTER without a call.
    CLigosEncFilter unready(&m_graph, &CLSID_LigosEncoder);
    EXPECT_EQ(E_POINTER, unready.CallEncoder6(1));
    EXPECT_EQ(E_POINTER, unready.CallEncoder3(&block));
}

TEST_F(LigosTest, TwoValuesComeFromTheLastOfThreeCalls)
{
    CLigosEncFilter* encoder = MakeEncoder();
    ASSERT_TRUE(encoder);
    int fours = 0;
    m_fake->onCall = [&fours](const SlotCall& call) {
        if (call.Is("enc", 4)) {
            fours++;
            *call.Arg<LONG>(1) = 10 * fours;
            *call.Arg<LONG>(2) = 10 * fours + 1;
        }
        return call.Is("enc", 3) ? E_FAIL : S_OK;  // not checked
    };
    LONG first = 0, second = 0;
    EXPECT_EQ(S_OK, encoder->GetTwoValues(&first, &second));
    EXPECT_EQ(20, first);
    EXPECT_EQ(21, second);
    EXPECT_EQ((std::vector<std::string>{"enc.4(p,p,p)", "enc.3(p,0,0)", "enc.4(p,p,p)"}),
              m_fake->CallTexts());

    m_fake->calls.clear();
    m_fake->Fail("enc", 4, E_ACCESSDENIED);
    first = second = -1;
    EXPECT_EQ(E_ACCESSDENIED, encoder->GetTwoValues(&first, &second));
    EXPECT_EQ(1u, m_fake->calls.size());
    EXPECT_EQ(-1, first);
    EXPECT_EQ(E_POINTER, encoder->GetTwoValues(NULL, &second));
}

TEST_F(LigosTest, EncoderFileNameKeepsToTheCallersBuffer)
{
    CLigosEncFilter* encoder = MakeEncoder();
    ASSERT_TRUE(encoder);
    EXPECT_EQ(S_OK, encoder->SetFileName("E:\\a.mpg"));
    EXPECT_EQ(L"E:\\a.mpg", m_sink->name);
    char name[16];
    EXPECT_EQ(S_OK, encoder->GetFileName(name, 9));
    EXPECT_STREQ("E:\\a.mpg", name);
    memset(name, 'x', sizeof(name));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER), encoder->GetFileName(name, 8));
    EXPECT_EQ(0, name[0]);
    EXPECT_EQ('x', name[8]);
}

TEST_F(LigosTest, TranscoderAndItsPositions)
{
    CLigosTransFilter* trans = MakeTranscoder();
    ASSERT_TRUE(trans);
    LigosEncSettings block = {};
    EXPECT_EQ(S_OK, trans->CallTrans3(&block));
    EXPECT_EQ(S_OK, trans->CallTrans4(&block));
    EXPECT_EQ(S_OK, trans->CallTrans6(6));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&block.word[55]), m_fake->calls[0].args[2]);

    m_fake->onCall = [](const SlotCall& call) {
        if (call.Is("pos", 3)) {
            *call.Arg<LONG>(0) = -5;
            *call.Arg<LONG>(1) = 70000;
        }
        return S_OK;
    };
    const ULONG refs = m_fake->Refs();
    EXPECT_EQ(S_OK, trans->SetPosition(1234));
    LONGLONG first = 0, second = 0;
    EXPECT_EQ(S_OK, trans->GetPositions(&first, &second));
    EXPECT_EQ(-5, first);
    EXPECT_EQ(70000, second);
    EXPECT_EQ(refs, m_fake->Refs());
    EXPECT_EQ((std::vector<std::string>{"trans.3(p,0,p,p)", "trans.4(p,0,p,p)", "trans.6(6)",
                                        "pos.4(1234)", "pos.3(p,p)"}),
              m_fake->CallTexts());

    m_fake->Hide(IID_ILigosTransPosition);
    EXPECT_EQ(E_NOINTERFACE, trans->SetPosition(1));
    CLigosTransFilter unready(&m_graph, &CLSID_LigosTranscoder);
    EXPECT_EQ(E_POINTER, unready.SetPosition(1));
    EXPECT_EQ(E_POINTER, unready.GetPositions(&first, &second));
}

TEST_F(LigosTest, InitAsksForTheControlInterfaceAlone)
{
    Serve(CLSID_LigosEncoder);
    EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(&CLSID_LigosEncoder, "codec"));
    Serve(CLSID_LigosTranscoder);
    EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(&CLSID_LigosTranscoder, "codec"));
    CLigosEncFilter noFilter(&m_graph, static_cast<const CLSID*>(NULL));
    EXPECT_FALSE(noFilter.InitOnce());
}

} // namespace
