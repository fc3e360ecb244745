// The helper filters' wrappers over fakes of their private interfaces: each
// operation reaches the slot the outside filter has, with the values it
// expects (16-bit booleans, mode offsets, clamped qualities, index names),
// and reports the answer as the engine needs it.
#include "WrapperFixture.h"

#include "graph/Guids.h"
#include "graph/wrappers/AVSwitchFilter.h"
#include "graph/wrappers/ColorConvertFilter.h"
#include "graph/wrappers/DeinterlaceFilter.h"
#include "graph/wrappers/EmpAudio.h"
#include "graph/wrappers/HelperSlots.h"
#include "graph/wrappers/SnapPictureFilter.h"
#include "graph/wrappers/TimeShiftFilter.h"

#include <string.h>

#include <functional>
#include <string>

namespace {

// A handler that writes a value through the call's first (pointer) argument.
template <class T>
SlotFake::Handler WriteOut(T value, HRESULT hr = S_OK)
{
    return [value, hr](const SlotFake::Call& call) {
        *reinterpret_cast<T*>(static_cast<INT_PTR>(call.args[0])) = value;
        return hr;
    };
}

class HelperWrappers : public WrapperTest
{
};

TEST_F(HelperWrappers, DeinterlaceSettersSendModeOffsetsAndSixteenBitBooleans)
{
    SlotFake* fake = FakeHelper(CLSID_DeinterlaceFilter, &IID_IDeinterlaceControl);
    fake->Implement<DeinterlaceSlots::SetDeinterlace, DeinterlaceSlots::SetNoiseReduce,
                    DeinterlaceSlots::SetHalfRate, DeinterlaceSlots::SetReduceValue,
                    DeinterlaceSlots::SetCaptureOption>();
    CDeinterlaceFilter* filter = Add<CDeinterlaceFilter>(CLSID_DeinterlaceFilter);
    ASSERT_NE(nullptr, filter);

    struct Case
    {
        std::function<BOOL()> call;
        BOOL result;
        std::vector<SlotCall> sent;
    } cases[] = {
        {[&] { return filter->SetDeinterlace(0); }, TRUE, {{4, {1022}}}},
        {[&] { return filter->SetDeinterlace(2); }, TRUE, {{4, {1024}}}},
        {[&] { return filter->SetNoiseReduce(TRUE); }, TRUE, {{6, {-1}}}},
        {[&] { return filter->SetNoiseReduce(FALSE); }, TRUE, {{6, {0}}}},
        {[&] { return filter->SetHalfRate(7); }, TRUE, {{8, {-1}}}},
        {[&] { return filter->SetCaptureOption(TRUE); }, TRUE, {{13, {-1}}}},
        {[&] { return filter->SetCaptureOption(FALSE); }, TRUE, {{13, {0}}}},
        // Levels above 10, negative ones included, never reach the filter.
        {[&] { return filter->SetReduceValue(11); }, FALSE, {}},
        {[&] { return filter->SetReduceValue(-1); }, FALSE, {}},
        {[&] { return filter->SetReduceValue(10); }, TRUE, {{10, {10}}}},
        // Level 0 also switches noise reduction off.
        {[&] { return filter->SetReduceValue(0); }, TRUE, {{10, {0}}, {6, {0}}}},
    };
    for (const Case& c : cases) {
        fake->ClearCalls();
        EXPECT_EQ(c.result, c.call());
        EXPECT_EQ(c.sent, Recorded(fake));
    }

    // Anything but S_OK is a refusal; a refused level 0 leaves noise
    // reduction alone.
    fake->SetResult(10, S_FALSE);
    fake->ClearCalls();
    EXPECT_FALSE(filter->SetReduceValue(0));
    EXPECT_EQ((std::vector<SlotCall>{{10, {0}}}), Recorded(fake));
    fake->SetResult(4, E_FAIL);
    EXPECT_FALSE(filter->SetDeinterlace(1));
}

TEST_F(HelperWrappers, DeinterlaceGettersReadSixteenBitTruth)
{
    SlotFake* fake = FakeHelper(CLSID_DeinterlaceFilter, &IID_IDeinterlaceControl);
    fake->Implement<DeinterlaceSlots::GetNoiseReduce, DeinterlaceSlots::GetHalfRate,
                    DeinterlaceSlots::GetReduceValue>();
    CDeinterlaceFilter* filter = Add<CDeinterlaceFilter>(CLSID_DeinterlaceFilter);
    ASSERT_NE(nullptr, filter);

    BOOL on = FALSE;
    fake->OnCall(5, WriteOut<short>(-1));
    EXPECT_TRUE(filter->GetNoiseReduce(&on));
    EXPECT_TRUE(on);
    // Only -1 is true.
    fake->OnCall(5, WriteOut<short>(1));
    EXPECT_TRUE(filter->GetNoiseReduce(&on));
    EXPECT_FALSE(on);
    fake->OnCall(7, WriteOut<short>(-1, S_FALSE));
    EXPECT_FALSE(filter->GetHalfRate(&on));
    int level = 0;
    fake->OnCall(9, WriteOut<int>(6));
    EXPECT_TRUE(filter->GetReduceValue(&level));
    EXPECT_EQ(6, level);
}

TEST_F(HelperWrappers, DeinterlaceSnapshotSendsTheWidePathFormatAndQuality)
{
    SlotFake* fake = FakeHelper(CLSID_DeinterlaceFilter, &IID_IDeinterlaceControl);
    fake->Implement<DeinterlaceSlots::TakeSnapshot>();
    CDeinterlaceFilter* filter = Add<CDeinterlaceFilter>(CLSID_DeinterlaceFilter);
    ASSERT_NE(nullptr, filter);

    EXPECT_TRUE(filter->TakeSnapshot("C:\\snaps\\20240102-030405.jpg", 2, 85));
    ASSERT_EQ(1u, fake->Calls().size());
    const SlotFake::Call& call = fake->Calls()[0];
    EXPECT_EQ(11, call.slot);
    EXPECT_EQ(std::vector<std::string>{"C:\\snaps\\20240102-030405.jpg"}, call.texts);
    EXPECT_EQ(2, call.args[1]);
    EXPECT_EQ(85, call.args[2]);
    EXPECT_FALSE(filter->TakeSnapshot(NULL, 1, 0));
}

TEST_F(HelperWrappers, FiltersWithoutTheirPrivateInterfaceAreNotMade)
{
    // A filter of the right class id that lacks the interface: the graph
    // gets no wrapper and keeps no filter.
    const CLSID* classes[] = {&CLSID_DeinterlaceFilter, &CLSID_AVSwitchFilter, &CLSID_SnapPictureFilter,
                              &CLSID_TimeShiftFilter};
    for (const CLSID* clsid : classes) {
        FakeHelper(*clsid, NULL);
        EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(clsid, "Helper"));
    }
    EXPECT_EQ(nullptr, m_graph.GetFirstFilter());
}

TEST_F(HelperWrappers, AVSwitchSetsAndReadsTheSwitch)
{
    SlotFake* fake = FakeHelper(CLSID_AVSwitchFilter, &IID_IAVSwitchControl);
    fake->Implement<AVSwitchSlots::GetSwitch, AVSwitchSlots::SetSwitch>();
    CAVSwitchFilter* filter = Add<CAVSwitchFilter>(CLSID_AVSwitchFilter);
    ASSERT_NE(nullptr, filter);

    EXPECT_TRUE(filter->SetSwitch(TRUE));
    EXPECT_TRUE(filter->SetSwitch(FALSE));
    EXPECT_EQ((std::vector<SlotCall>{{4, {-1}}, {4, {0}}}), Recorded(fake));
    fake->SetResult(4, S_FALSE);
    EXPECT_FALSE(filter->SetSwitch(TRUE));

    // Any non-zero value is on; a filter that writes nothing leaves the
    // preset -1.
    BOOL pass = FALSE;
    EXPECT_TRUE(filter->GetSwitch(&pass));
    EXPECT_TRUE(pass);
    fake->OnCall(3, WriteOut<short>(0));
    EXPECT_TRUE(filter->GetSwitch(&pass));
    EXPECT_FALSE(pass);
    fake->OnCall(3, WriteOut<short>(1));
    EXPECT_TRUE(filter->GetSwitch(&pass));
    EXPECT_TRUE(pass);
    fake->OnCall(3, WriteOut<short>(0, E_FAIL));
    EXPECT_FALSE(filter->GetSwitch(&pass));
}

TEST_F(HelperWrappers, SnapshotRequestBlockCarriesClampedQualityAndKnownFormats)
{
    SlotFake* fake = FakeHelper(CLSID_SnapPictureFilter, &IID_ISnapPictureControl);
    fake->Implement<SnapPictureSlots::Request>();
    SnapshotRequest sent = {};
    fake->OnCall(4, [&](const SlotFake::Call& call) {
        memcpy(&sent, reinterpret_cast<const void*>(static_cast<INT_PTR>(call.args[1])), sizeof(sent));
        return call.args[0] == 1 ? S_OK : E_INVALIDARG;
    });
    CSnapPictureFilter* filter = Add<CSnapPictureFilter>(CLSID_SnapPictureFilter);
    ASSERT_NE(nullptr, filter);

    struct Case
    {
        int format, quality;
        DWORD sentFormat, sentQuality;
    } cases[] = {{1, 0, 1, 0}, {2, 150, 2, 100}, {2, -5, 2, 0}, {2, 75, 2, 75}, {7, 50, 0, 50}};
    for (const Case& c : cases) {
        memset(&sent, 0xCC, sizeof(sent));
        EXPECT_TRUE(filter->SaveSnapshot(c.format, "D:\\shot.bmp", c.quality));
        EXPECT_EQ(272u, sent.size);
        EXPECT_EQ(c.sentFormat, sent.format);
        EXPECT_EQ(c.sentQuality, sent.quality);
        EXPECT_STREQ("D:\\shot.bmp", sent.path);
    }

    fake->ClearCalls();
    EXPECT_FALSE(filter->SaveSnapshot(3, "D:\\shot.bmp", 50));
    EXPECT_FALSE(filter->SaveSnapshot(1, NULL, 50));
    // A path that does not fit the 260-byte field with its terminator.
    EXPECT_FALSE(filter->SaveSnapshot(1, std::string(260, 'a').c_str(), 50));
    EXPECT_TRUE(fake->Calls().empty());
    EXPECT_TRUE(filter->SaveSnapshot(1, std::string(259, 'a').c_str(), 50));
}

TEST_F(HelperWrappers, TimeShiftIndexNameComesFromTheFileNamePart)
{
    struct Case
    {
        const char* path;
        const char* index;
    } cases[] = {
        {"C:\\Temp\\~TF.mpg", "C:\\Temp\\~TF.idx"},
        {"C:\\My.Folder\\~TF.mpg", "C:\\My.Folder\\~TF.idx"},
        {"C:\\My.Folder\\buffer", "C:\\My.Folder\\buffer.idx"},
        {"buffer.tar.mpg", "buffer.tar.idx"},
        {"buffer", "buffer.idx"},
        {"C:/a.b/c", "C:/a.b/c.idx"},
    };
    for (const Case& c : cases) {
        char index[MAX_PATH];
        EXPECT_TRUE(CTimeShiftFilter::MakeIndexFileName(c.path, index, sizeof(index))) << c.path;
        EXPECT_STREQ(c.index, index);
    }
    // Bounded to the buffer: "x.idx" needs 6 bytes.
    char small[6];
    EXPECT_TRUE(CTimeShiftFilter::MakeIndexFileName("x.mpg", small, sizeof(small)));
    EXPECT_FALSE(CTimeShiftFilter::MakeIndexFileName("xy.mpg", small, sizeof(small)));
    EXPECT_STREQ("", small);
    std::string tooLong = "C:\\" + std::string(255, 'n') + ".mpg";
    char index[MAX_PATH];
    EXPECT_FALSE(CTimeShiftFilter::MakeIndexFileName(tooLong.c_str(), index, sizeof(index)));
}

TEST_F(HelperWrappers, TimeShiftCallsReachTheirSlots)
{
    SlotFake* fake = FakeHelper(CLSID_TimeShiftFilter, &IID_ITimeShiftControl);
    fake->Implement<TimeShiftSlots::Seek, TimeShiftSlots::GetPosition, TimeShiftSlots::SetParams,
                    TimeShiftSlots::TogglePause, TimeShiftSlots::SetFile>();
    CTimeShiftFilter* filter = Add<CTimeShiftFilter>(CLSID_TimeShiftFilter);
    ASSERT_NE(nullptr, filter);

    EXPECT_TRUE(filter->SetFile("C:\\Temp\\~TF.mpg"));
    ASSERT_EQ(1u, fake->Calls().size());
    EXPECT_EQ(8, fake->Calls()[0].slot);
    EXPECT_EQ((std::vector<std::string>{"C:\\Temp\\~TF.mpg", "C:\\Temp\\~TF.idx"}), fake->Calls()[0].texts);

    const LONGLONG size = 3LL << 30;  // 3 GiB: past what 32 bits hold
    LONGLONG seen = 0;
    fake->OnCall(5, [&](const SlotFake::Call& call) {
        seen = *reinterpret_cast<const LONGLONG*>(static_cast<INT_PTR>(call.args[0]));
        return call.args[1] == 7 ? S_OK : E_INVALIDARG;
    });
    EXPECT_TRUE(filter->SetParams(&size, 7));
    EXPECT_EQ(size, seen);

    fake->ClearCalls();
    EXPECT_TRUE(filter->Seek(120));
    EXPECT_TRUE(filter->TogglePause());
    EXPECT_EQ((std::vector<SlotCall>{{3, {120}}, {7, {}}}), Recorded(fake));
    // Only S_OK counts.
    fake->SetResult(7, S_FALSE);
    EXPECT_FALSE(filter->TogglePause());
}

TEST_F(HelperWrappers, ColorConvertPassesTheResultThrough)
{
    SlotFake* fake = FakeHelper(CLSID_ColorConvertFilter, &IID_IColorConvertControl);
    fake->Implement<ColorConvertSlots::Call3, ColorConvertSlots::Call4>();
    fake->SetResult(4, S_FALSE);
    CColorConvertFilter* filter = Add<CColorConvertFilter>(CLSID_ColorConvertFilter);
    ASSERT_NE(nullptr, filter);
    EXPECT_EQ(S_OK, filter->CallConvert3(5));
    EXPECT_EQ(S_FALSE, filter->CallConvert4(9));
    EXPECT_EQ((std::vector<SlotCall>{{3, {5}}, {4, {9}}}), Recorded(fake));
}

TEST_F(HelperWrappers, ColorConvertWithoutItsInterfaceReportsTheQuery)
{
    FakeHelper(CLSID_ColorConvertFilter, NULL);
    CColorConvertFilter* filter = Add<CColorConvertFilter>(CLSID_ColorConvertFilter);
    ASSERT_NE(nullptr, filter);
    EXPECT_EQ(E_NOINTERFACE, filter->CallConvert3(1));
}

TEST_F(HelperWrappers, EmpAudioSwitchesTheCompanionOnOrIsInvalid)
{
    // {5E2A1C70-4B8D-4F0E-9C3A-7D6B2E1F0A11}: the audio device under test.
    const CLSID kDevice = {0x5e2a1c70, 0x4b8d, 0x4f0e, {0x9c, 0x3a, 0x7d, 0x6b, 0x2e, 0x1f, 0x0a, 0x11}};
    FakeHelper(kDevice, NULL);

    // No companion object: invalid.
    CEmpAudio missing(&m_graph, &kDevice);
    EXPECT_FALSE(missing.InitOnce());

    SlotFake* companion = SlotFake::Create({IID_IEmpAudioCompanion});
    companion->Implement<EmpAudioSlots::SetMode>();
    InProcessClass companionClass(CLSID_EmpAudioCompanion, [companion]() -> IUnknown* {
        companion->AddRef();
        return companion->Unknown();
    });
    ASSERT_TRUE(companionClass.Ok());
    {
        CEmpAudio audio(&m_graph, &kDevice);
        EXPECT_TRUE(audio.InitOnce());
        EXPECT_EQ((std::vector<SlotCall>{{7, {1}}}), Recorded(companion));
    }
    // The wrapper let the companion go.
    EXPECT_EQ(1, companion->RefCount());

    companion->SetResult(7, E_FAIL);
    CEmpAudio refused(&m_graph, &kDevice);
    EXPECT_FALSE(refused.InitOnce());
    companion->Release();
}

} // namespace
