// The helper filters' wrappers over fakes of their private interfaces: each
// operation reaches the slot the outside filter has, with the values it
// expects (16-bit booleans, mode offsets, clamped qualities, index names),
// and reports the answer as the engine needs it.
#include "tests/graph/wrappers/WrapperFixture.h"

#include "graph/Guids.h"
#include "graph/wrappers/AVSwitchFilter.h"
#include "graph/wrappers/ColorConvertFilter.h"
#include "graph/wrappers/DeinterlaceFilter.h"
#include "graph/wrappers/EmpAudio.h"
#include "graph/wrappers/SnapPictureFilter.h"
#include "graph/wrappers/TimeShiftFilter.h"

#include <string.h>

#include <functional>
#include <string>

namespace {

typedef std::vector<std::string> Texts;

// A handler that writes value through the first argument of the calls to
// one slot, and answers hr; every other call answers S_OK.
template <class T>
std::function<HRESULT(const SlotCall&)> WriteOut(int slot, T value, HRESULT hr = S_OK)
{
    return [slot, value, hr](const SlotCall& call) {
        if (call.slot != slot)
            return S_OK;
        *call.Arg<T>(0) = value;
        return hr;
    };
}

class HelperWrappers : public WrapperTest
{
};

TEST_F(HelperWrappers, DeinterlaceSettersSendModeOffsetsAndSixteenBitBooleans)
{
    FakeCodecFilter* fake = ServeCodec(CLSID_DeinterlaceFilter);
    fake->Add<FakeIDeinterlaceControl>(IID_IDeinterlaceControl, "d");
    CDeinterlaceFilter* filter = Add<CDeinterlaceFilter>(CLSID_DeinterlaceFilter);
    ASSERT_NE(nullptr, filter);

    struct Case
    {
        std::function<BOOL()> call;
        BOOL result;
        Texts sent;
    } cases[] = {
        {[&] { return filter->SetDeinterlace(0); }, TRUE, {"d.4(1022)"}},
        {[&] { return filter->SetDeinterlace(2); }, TRUE, {"d.4(1024)"}},
        {[&] { return filter->SetNoiseReduce(TRUE); }, TRUE, {"d.6(-1)"}},
        {[&] { return filter->SetNoiseReduce(FALSE); }, TRUE, {"d.6(0)"}},
        {[&] { return filter->SetHalfRate(7); }, TRUE, {"d.8(-1)"}},
        {[&] { return filter->SetCaptureOption(TRUE); }, TRUE, {"d.13(-1)"}},
        {[&] { return filter->SetCaptureOption(FALSE); }, TRUE, {"d.13(0)"}},
        // Levels above 10, negative ones included, never reach the filter.
        {[&] { return filter->SetReduceValue(11); }, FALSE, {}},
        {[&] { return filter->SetReduceValue(-1); }, FALSE, {}},
        {[&] { return filter->SetReduceValue(10); }, TRUE, {"d.10(10)"}},
        // Level 0 also switches noise reduction off.
        {[&] { return filter->SetReduceValue(0); }, TRUE, {"d.10(0)", "d.6(0)"}},
    };
    for (const Case& c : cases) {
        fake->calls.clear();
        EXPECT_EQ(c.result, c.call());
        EXPECT_EQ(c.sent, fake->CallTexts());
    }

    // Anything but S_OK is a refusal; a refused level 0 leaves noise
    // reduction alone.
    fake->Fail("d", 10, S_FALSE);
    fake->calls.clear();
    EXPECT_FALSE(filter->SetReduceValue(0));
    EXPECT_EQ(Texts{"d.10(0)"}, fake->CallTexts());
    fake->Fail("d", 4, E_FAIL);
    EXPECT_FALSE(filter->SetDeinterlace(1));
}

TEST_F(HelperWrappers, DeinterlaceGettersReadSixteenBitTruth)
{
    FakeCodecFilter* fake = ServeCodec(CLSID_DeinterlaceFilter);
    fake->Add<FakeIDeinterlaceControl>(IID_IDeinterlaceControl, "d");
    CDeinterlaceFilter* filter = Add<CDeinterlaceFilter>(CLSID_DeinterlaceFilter);
    ASSERT_NE(nullptr, filter);

    BOOL on = FALSE;
    fake->onCall = WriteOut<short>(5, -1);
    EXPECT_TRUE(filter->GetNoiseReduce(&on));
    EXPECT_TRUE(on);
    // Only -1 is true.
    fake->onCall = WriteOut<short>(5, 1);
    EXPECT_TRUE(filter->GetNoiseReduce(&on));
    EXPECT_FALSE(on);
    fake->onCall = WriteOut<short>(7, -1, S_FALSE);
    EXPECT_FALSE(filter->GetHalfRate(&on));
    int level = 0;
    fake->onCall = WriteOut<int>(9, 6);
    EXPECT_TRUE(filter->GetReduceValue(&level));
    EXPECT_EQ(6, level);
}

TEST_F(HelperWrappers, DeinterlaceSnapshotSendsTheWidePathFormatAndQuality)
{
    FakeCodecFilter* fake = ServeCodec(CLSID_DeinterlaceFilter);
    fake->Add<FakeIDeinterlaceControl>(IID_IDeinterlaceControl, "d");
    std::wstring path;
    fake->onCall = [&](const SlotCall& call) {
        path = call.Arg<const wchar_t>(0);
        return S_OK;
    };
    CDeinterlaceFilter* filter = Add<CDeinterlaceFilter>(CLSID_DeinterlaceFilter);
    ASSERT_NE(nullptr, filter);

    EXPECT_TRUE(filter->TakeSnapshot("C:\\snaps\\20240102-030405.jpg", 2, 85));
    EXPECT_EQ(Texts{"d.11(p,2,85)"}, fake->CallTexts());
    EXPECT_EQ(L"C:\\snaps\\20240102-030405.jpg", path);
    EXPECT_FALSE(filter->TakeSnapshot(NULL, 1, 0));
}

TEST_F(HelperWrappers, FiltersWithoutTheirPrivateInterfaceAreNotMade)
{
    // A filter of the right class id that lacks the interface: the graph
    // gets no wrapper and keeps no filter.
    const CLSID* classes[] = {&CLSID_DeinterlaceFilter, &CLSID_AVSwitchFilter, &CLSID_SnapPictureFilter,
                              &CLSID_TimeShiftFilter};
    for (const CLSID* clsid : classes) {
        ServeCodec(*clsid);
        EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(clsid, "Helper"));
    }
    EXPECT_EQ(nullptr, m_graph.GetFirstFilter());
}

TEST_F(HelperWrappers, AVSwitchSetsAndReadsTheSwitch)
{
    FakeCodecFilter* fake = ServeCodec(CLSID_AVSwitchFilter);
    fake->Add<FakeIAVSwitchControl>(IID_IAVSwitchControl, "s");
    CAVSwitchFilter* filter = Add<CAVSwitchFilter>(CLSID_AVSwitchFilter);
    ASSERT_NE(nullptr, filter);

    EXPECT_TRUE(filter->SetSwitch(TRUE));
    EXPECT_TRUE(filter->SetSwitch(FALSE));
    EXPECT_EQ((Texts{"s.4(-1)", "s.4(0)"}), fake->CallTexts());

    // Any non-zero value is on; a filter that writes nothing leaves the
    // preset -1.
    BOOL pass = FALSE;
    EXPECT_TRUE(filter->GetSwitch(&pass));
    EXPECT_TRUE(pass);
    fake->onCall = WriteOut<short>(3, 0);
    EXPECT_TRUE(filter->GetSwitch(&pass));
    EXPECT_FALSE(pass);
    fake->onCall = WriteOut<short>(3, 1);
    EXPECT_TRUE(filter->GetSwitch(&pass));
    EXPECT_TRUE(pass);
    fake->onCall = WriteOut<short>(3, 0, E_FAIL);
    EXPECT_FALSE(filter->GetSwitch(&pass));
    fake->Fail("s", 4, S_FALSE);
    EXPECT_FALSE(filter->SetSwitch(TRUE));
}

TEST_F(HelperWrappers, SnapshotRequestBlockCarriesClampedQualityAndKnownFormats)
{
    FakeCodecFilter* fake = ServeCodec(CLSID_SnapPictureFilter);
    fake->Add<FakeISnapPictureControl>(IID_ISnapPictureControl, "snap");
    SnapshotRequest sent = {};
    fake->onCall = [&](const SlotCall& call) {
        memcpy(&sent, call.Arg<const BYTE>(1), sizeof(sent));
        return call.args[0] == 1 ? S_OK : E_INVALIDARG;
    };
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

    fake->calls.clear();
    EXPECT_FALSE(filter->SaveSnapshot(3, "D:\\shot.bmp", 50));
    EXPECT_FALSE(filter->SaveSnapshot(1, NULL, 50));
    // A path that does not fit the 260-byte field with its terminator.
    EXPECT_FALSE(filter->SaveSnapshot(1, std::string(260, 'a').c_str(), 50));
    EXPECT_TRUE(fake->calls.empty());
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
    FakeCodecFilter* fake = ServeCodec(CLSID_TimeShiftFilter);
    fake->Add<FakeITimeShiftControl>(IID_ITimeShiftControl, "ts");
    std::string file, index;
    LONGLONG size = 0;
    fake->onCall = [&](const SlotCall& call) {
        if (call.slot == 8) {
            file = call.Arg<const char>(0);
            index = call.Arg<const char>(1);
        } else if (call.slot == 5) {
            size = *call.Arg<const LONGLONG>(0);
            return call.args[1] == 7 ? S_OK : E_INVALIDARG;
        }
        return S_OK;
    };
    CTimeShiftFilter* filter = Add<CTimeShiftFilter>(CLSID_TimeShiftFilter);
    ASSERT_NE(nullptr, filter);

    EXPECT_TRUE(filter->SetFile("C:\\Temp\\~TF.mpg"));
    EXPECT_EQ("C:\\Temp\\~TF.mpg", file);
    EXPECT_EQ("C:\\Temp\\~TF.idx", index);
    const LONGLONG bytes = 3LL << 30;  // 3 GiB: past what 32 bits hold
    EXPECT_TRUE(filter->SetParams(&bytes, 7));
    EXPECT_EQ(bytes, size);

    fake->calls.clear();
    EXPECT_TRUE(filter->Seek(120));
    EXPECT_TRUE(filter->TogglePause());
    EXPECT_EQ((Texts{"ts.3(120)", "ts.7()"}), fake->CallTexts());
    // Only S_OK counts.
    fake->Fail("ts", 7, S_FALSE);
    EXPECT_FALSE(filter->TogglePause());
}

TEST_F(HelperWrappers, ColorConvertPassesTheResultThrough)
{
    FakeCodecFilter* fake = ServeCodec(CLSID_ColorConvertFilter);
    fake->Add<FakeIColorConvertControl>(IID_IColorConvertControl, "cc");
    fake->Fail("cc", 4, S_FALSE);
    CColorConvertFilter* filter = Add<CColorConvertFilter>(CLSID_ColorConvertFilter);
    ASSERT_NE(nullptr, filter);
    EXPECT_EQ(S_OK, filter->CallConvert3(5));
    EXPECT_EQ(S_FALSE, filter->CallConvert4(9));
    EXPECT_EQ((Texts{"cc.3(5)", "cc.4(9)"}), fake->CallTexts());

    fake->Hide(IID_IColorConvertControl);
    EXPECT_EQ(E_NOINTERFACE, filter->CallConvert3(1));
}

TEST_F(HelperWrappers, EmpAudioSwitchesTheCompanionOnOrIsInvalid)
{
    // {5E2A1C70-4B8D-4F0E-9C3A-7D6B2E1F0A11}: the audio device under test.
    const CLSID kDevice = {0x5e2a1c70, 0x4b8d, 0x4f0e, {0x9c, 0x3a, 0x7d, 0x6b, 0x2e, 0x1f, 0x0a, 0x11}};
    ServeCodec(kDevice);

    // No companion object: invalid.
    CEmpAudio missing(&m_graph, &kDevice);
    EXPECT_FALSE(missing.InitOnce());

    FakeCodecFilter* companion = ServeCodec(CLSID_EmpAudioCompanion);
    companion->Add<FakeIEmpAudioCompanion>(IID_IEmpAudioCompanion, "emp");
    const ULONG before = companion->Refs();
    {
        CEmpAudio audio(&m_graph, &kDevice);
        EXPECT_TRUE(audio.InitOnce());
        EXPECT_EQ(Texts{"emp.7(1)"}, companion->CallTexts());
    }
    // The wrapper let the companion go.
    EXPECT_EQ(before, companion->Refs());

    companion->Fail("emp", 7, E_FAIL);
    CEmpAudio refused(&m_graph, &kDevice);
    EXPECT_FALSE(refused.InitOnce());
}

} // namespace
