// The stand-ins as the program meets them: registered in the test prefix by
// the test command, made through the wrappers by class id, in real filter
// graphs - the virtual card through the deinterlace stand-in to a video
// renderer under Xvfb, snapshots of its picture, the infinite pin tee
// feeding two sinks, the AV switch holding a stream, the dump sink writing
// one.
#include "../dshow/TestFilters.h"
#include "../../support/TempFolder.h"
#include "JpegPicture.h"

#include "graph/Guids.h"
#include "graph/RootGraph.h"
#include "graph/wrappers/AVSwitchFilter.h"
#include "graph/wrappers/DeinterlaceFilter.h"
#include "graph/wrappers/DumpFilter.h"
#include "graph/wrappers/InfiniteFilter.h"
#include "graph/wrappers/WrapperFilters.h"
#include "platform/dshow/VideoFormat.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <control.h>
#include <gtest/gtest.h>
#include <uuids.h>

#include <string>
#include <vector>

namespace {

// A picture file as the program would read it back.
struct Bitmap
{
    BITMAPINFOHEADER info = {};
    std::vector<BYTE> pixels;
    // Top-down coordinates; blue, green, red.
    const BYTE* At(int x, int y) const
    {
        size_t stride = (static_cast<size_t>(info.biWidth) * 3 + 3) & ~static_cast<size_t>(3);
        int row = info.biHeight > 0 ? info.biHeight - 1 - y : y;
        return pixels.data() + stride * row + static_cast<size_t>(x) * 3;
    }
};

bool ReadBitmap(const std::string& path, Bitmap* out)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BITMAPFILEHEADER header = {};
    DWORD got = 0;
    bool ok = ReadFile(file, &header, sizeof(header), &got, NULL) && got == sizeof(header) &&
              ReadFile(file, &out->info, sizeof(out->info), &got, NULL) && got == sizeof(out->info) &&
              header.bfType == 0x4D42 && out->info.biBitCount == 24 &&
              header.bfSize == GetFileSize(file, NULL);
    if (ok) {
        out->pixels.resize(header.bfSize - header.bfOffBits);
        ok = ReadFile(file, out->pixels.data(), static_cast<DWORD>(out->pixels.size()), &got, NULL) &&
             got == out->pixels.size();
    }
    CloseHandle(file);
    return ok;
}

class Standins : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterWrapperFilters();
        ASSERT_TRUE(m_graph.MakeGraph());
    }
    void TearDown() override
    {
        m_graph.DestroyGraph();
        UnregisterWrapperFilters();
    }

    // A kit filter put in the graph and wrapped.
    CRootFilter* AddKitFilter(dshow::CBaseFilter* filter, const wchar_t* name)
    {
        EXPECT_EQ(S_OK, m_graph.GetGraph()->AddFilter(filter, name));
        filter->Release();
        m_graph.AddExistingFilter(filter);
        return m_graph.FindFilter(filter);
    }

    CRootGraph m_graph;
};

TEST_F(Standins, EveryStandinIsMadeThroughItsWrapper)
{
    EXPECT_NE(nullptr, dynamic_cast<CDeinterlaceFilter*>(
                           m_graph.AddFilterByCLSID(&CLSID_DeinterlaceFilter, "Corvane Deinterlace")))
        << "the stand-ins are not registered in this Wine prefix (the test command does it)";
    EXPECT_NE(nullptr, dynamic_cast<CAVSwitchFilter*>(m_graph.AddFilterByCLSID(&CLSID_AVSwitchFilter, "AVISwitch")));
    EXPECT_NE(nullptr, dynamic_cast<CDumpFilter*>(m_graph.AddFilterByCLSID(&CLSID_DumpFilter, "Dump Filter")));
    EXPECT_NE(nullptr,
              dynamic_cast<CInfiniteFilter*>(m_graph.AddFilterByCLSID(&CLSID_InfTee, "Infinite Pin Tee Filter")));
}

TEST_F(Standins, DeinterlaceKeepsTheSettingsTheWrapperSends)
{
    CDeinterlaceFilter* filter =
        dynamic_cast<CDeinterlaceFilter*>(m_graph.AddFilterByCLSID(&CLSID_DeinterlaceFilter, "Corvane Deinterlace"));
    ASSERT_NE(nullptr, filter);
    EXPECT_NE(nullptr, filter->FindPinByName("Input"));
    EXPECT_NE(nullptr, filter->FindPinByName("Preview"));
    EXPECT_NE(nullptr, filter->FindPinByName("Capture"));

    BOOL on = FALSE;
    ASSERT_TRUE(filter->SetNoiseReduce(TRUE));
    ASSERT_TRUE(filter->GetNoiseReduce(&on));
    EXPECT_TRUE(on);
    ASSERT_TRUE(filter->SetHalfRate(TRUE));
    ASSERT_TRUE(filter->GetHalfRate(&on));
    EXPECT_TRUE(on);
    int level = 0;
    ASSERT_TRUE(filter->SetReduceValue(7));
    ASSERT_TRUE(filter->GetReduceValue(&level));
    EXPECT_EQ(7, level);
    // Level 0 also switched noise reduction off in the filter.
    ASSERT_TRUE(filter->SetReduceValue(0));
    ASSERT_TRUE(filter->GetNoiseReduce(&on));
    EXPECT_FALSE(on);
    EXPECT_TRUE(filter->SetDeinterlace(1));
    EXPECT_TRUE(filter->SetCaptureOption(FALSE));
    // Nothing has streamed yet: no picture to save.
    TempFolder folder;
    EXPECT_FALSE(filter->TakeSnapshot(folder.File("none.bmp").c_str(), 1, 0));
}

class PreviewGraph : public Standins
{
protected:
    void SetUp() override
    {
        Standins::SetUp();
        m_card = m_graph.AddFilterByName(&CLSID_VideoInputDeviceCategory, "713x TV Card Capture", "Capture",
                                         FALSE, 0);
        CRootFilter* crossbar = m_graph.AddFilterByName(&virtualcard::kCategoryCrossbar, "713x TV Card Crossbar",
                                                        "Crossbar", FALSE, 0);
        if (!m_card || !crossbar)
            GTEST_SKIP() << "the virtual card is not registered in this prefix";
        // The composite input shows the bars whatever the tuner does.
        ComPtr<IAMCrossbar> xbar;
        ASSERT_EQ(S_OK, xbar.QueryFrom(crossbar->GetFilter(), IID_IAMCrossbar));
        ASSERT_EQ(S_OK, xbar->Route(0, 1));
        m_deinterlace = dynamic_cast<CDeinterlaceFilter*>(
            m_graph.AddFilterByCLSID(&CLSID_DeinterlaceFilter, "Corvane Deinterlace"));
        ASSERT_NE(nullptr, m_deinterlace);
        ASSERT_TRUE(m_graph.ConnectFilters(m_card, m_deinterlace, "Capture", "Input"));
    }

    // Saves a snapshot once the first pictures have passed.
    bool Snapshot(const std::string& path, int format = 1, int quality = 0)
    {
        for (int i = 0; i < 200; ++i) {
            if (m_deinterlace->TakeSnapshot(path.c_str(), format, quality))
                return true;
            Sleep(25);
        }
        return false;
    }

    CRootFilter* m_card = NULL;
    CDeinterlaceFilter* m_deinterlace = NULL;
};

TEST_F(PreviewGraph, CardPictureReachesTheRendererAndTheSnapshot)
{
    CRootFilter* renderer = m_graph.AddFilterByCLSID(&CLSID_VideoRenderer, "VMR Render");
    ASSERT_NE(nullptr, renderer);
    ASSERT_TRUE(m_graph.ConnectFilters(m_deinterlace, renderer, "Preview", ""));

    // The renderer draws into a window of ours at a known place.
    HWND owner = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Preview", WS_POPUP | WS_VISIBLE, 0, 0, 360, 288,
                                 NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, owner);
    EXPECT_EQ(S_OK, m_graph.SetVideoOwner(owner));
    EXPECT_EQ(S_OK, m_graph.SetVideoWindowStyle(WS_CHILD | WS_CLIPSIBLINGS));
    EXPECT_EQ(S_OK, m_graph.SetVideoWindowPosition(0, 0, 360, 288));
    ASSERT_TRUE(m_graph.Run());

    TempFolder folder;
    const std::string path = folder.File("20240102-030405.bmp");
    ASSERT_TRUE(Snapshot(path));
    Bitmap shot;
    ASSERT_TRUE(ReadBitmap(path, &shot));
    const int width = shot.info.biWidth, height = shot.info.biHeight;
    EXPECT_GT(width, 0);
    // The second bar is 75% yellow, the third 75% cyan (BT.601).
    const BYTE* yellow = shot.At(width * 3 / 16, height / 10);
    EXPECT_NEAR(191, yellow[2], 6);
    EXPECT_NEAR(191, yellow[1], 6);
    EXPECT_NEAR(0, yellow[0], 6);
    const BYTE* cyan = shot.At(width * 5 / 16, height / 10);
    EXPECT_NEAR(0, cyan[2], 6);
    EXPECT_NEAR(191, cyan[1], 6);
    EXPECT_NEAR(191, cyan[0], 6);

    // What the renderer drew, read off the screen: the same bars, scaled.
    bool drawn = false;
    for (int i = 0; i < 100 && !drawn; ++i) {
        Sleep(25);
        HDC screen = GetDC(NULL);
        COLORREF left = GetPixel(screen, 360 * 3 / 16, 288 / 10);
        COLORREF right = GetPixel(screen, 360 * 5 / 16, 288 / 10);
        ReleaseDC(NULL, screen);
        drawn = GetRValue(left) > 150 && GetGValue(left) > 150 && GetBValue(left) < 60 &&
                GetRValue(right) < 60 && GetGValue(right) > 150 && GetBValue(right) > 150;
    }
    EXPECT_TRUE(drawn) << "the renderer's window does not show the bars";
    if (const char* shotFile = getenv("PELLAMAR_SCREENSHOT_PAUSE"))
        Sleep(static_cast<DWORD>(atoi(shotFile)));

    m_graph.Stop();
    m_graph.SetVideoOwner(NULL);
    DestroyWindow(owner);
}

TEST_F(PreviewGraph, SnapshotRefusesBadFormatsAndKeepsTheOldFile)
{
    CRootFilter* sink = m_graph.AddFilterByCLSID(&CLSID_NullRenderer, "NULL Renderer");
    ASSERT_NE(nullptr, sink);
    ASSERT_TRUE(m_graph.ConnectFilters(m_deinterlace, sink, "Capture", ""));
    ASSERT_TRUE(m_graph.Run());
    TempFolder folder;
    const std::string path = folder.File("shot.bmp");
    ASSERT_TRUE(Snapshot(path));
    EXPECT_FALSE(m_deinterlace->TakeSnapshot(path.c_str(), 5, 0));
    EXPECT_FALSE(m_deinterlace->TakeSnapshot(path.c_str(), 2, 101));
    EXPECT_FALSE(m_deinterlace->TakeSnapshot(path.c_str(), 2, -1));
    // A folder that does not exist: the snapshot fails and nothing is left.
    EXPECT_FALSE(m_deinterlace->TakeSnapshot(folder.File("missing\\shot.bmp").c_str(), 1, 0));
    EXPECT_FALSE(m_deinterlace->TakeSnapshot(folder.File("missing\\shot.jpg").c_str(), 2, 80));
    Bitmap shot;
    EXPECT_TRUE(ReadBitmap(path, &shot));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.File("shot.bmp.tmp").c_str()));
    m_graph.Stop();
}

TEST_F(PreviewGraph, JpegSnapshotShowsThePicture)
{
    CRootFilter* sink = m_graph.AddFilterByCLSID(&CLSID_NullRenderer, "NULL Renderer");
    ASSERT_NE(nullptr, sink);
    ASSERT_TRUE(m_graph.ConnectFilters(m_deinterlace, sink, "Capture", ""));
    ASSERT_TRUE(m_graph.Run());
    TempFolder folder;
    const std::string fine = folder.File("fine.jpg"), coarse = folder.File("coarse.jpg");
    // An old file of that name is replaced whole.
    {
        HANDLE old = CreateFileA(fine.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, old);
        DWORD written = 0;
        WriteFile(old, "old", 3, &written, NULL);
        CloseHandle(old);
    }
    ASSERT_TRUE(Snapshot(fine, 2, 95));
    ASSERT_TRUE(m_deinterlace->TakeSnapshot(coarse.c_str(), 2, 10));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((fine + ".tmp").c_str()));

    JpegPicture picture;
    ASSERT_TRUE(ReadJpegPicture(fine, &picture));
    EXPECT_EQ(720u, picture.width);
    EXPECT_EQ(576u, picture.height);
    // The bars survive the compression: 75% yellow, then 75% cyan.
    const BYTE* yellow = picture.At(720 * 3 / 16, 576 / 10);
    EXPECT_NEAR(191, yellow[2], 12);
    EXPECT_NEAR(191, yellow[1], 12);
    EXPECT_NEAR(0, yellow[0], 12);
    const BYTE* cyan = picture.At(720 * 5 / 16, 576 / 10);
    EXPECT_NEAR(0, cyan[2], 12);
    EXPECT_NEAR(191, cyan[1], 12);
    EXPECT_NEAR(191, cyan[0], 12);

    // Any quality makes a picture (Wine's encoder takes the option and
    // compresses the same whatever it says).
    JpegPicture rough;
    ASSERT_TRUE(ReadJpegPicture(coarse, &rough));
    EXPECT_EQ(720u, rough.width);
    m_graph.Stop();
}

// A test source in the graph, for the pass-through stand-ins.
class Streams : public Standins
{
protected:
    void SetUp() override
    {
        Standins::SetUp();
        m_source = new TestSource();
        m_sourceWrapper = AddKitFilter(m_source, L"Source");
        ASSERT_NE(nullptr, m_sourceWrapper);
    }
    TestSink* AddSink(const wchar_t* name, CRootFilter** wrapper)
    {
        TestSink* sink = new TestSink();
        sink->AddRef();  // the test reads it after the graph lets go
        m_sinks.push_back(sink);
        *wrapper = AddKitFilter(sink, name);
        return sink;
    }
    void TearDown() override
    {
        Standins::TearDown();
        for (TestSink* sink : m_sinks)
            sink->Release();
    }

    TestSource* m_source = NULL;
    CRootFilter* m_sourceWrapper = NULL;
    std::vector<TestSink*> m_sinks;
};

TEST_F(Streams, InfinitePinTeeFeedsTwoSinksAndAlwaysHasAFreeOutput)
{
    CRootFilter* tee = m_graph.AddFilterByCLSID(&CLSID_InfTee, "Infinite Pin Tee Filter");
    ASSERT_NE(nullptr, tee);
    EXPECT_EQ(2, tee->GetPinCount());
    CRootFilter* first = NULL;
    CRootFilter* second = NULL;
    TestSink* a = AddSink(L"Sink A", &first);
    TestSink* b = AddSink(L"Sink B", &second);
    ASSERT_TRUE(m_graph.ConnectFilters(m_sourceWrapper, tee, "", ""));
    ASSERT_TRUE(m_graph.ConnectFilters(tee, first, "", ""));
    // The tee grew an output, and the wrapper's refreshed list has it.
    EXPECT_EQ(3, tee->GetPinCount());
    EXPECT_NE(nullptr, tee->FindPinByName("Output2"));
    ASSERT_TRUE(m_graph.ConnectFilters(tee, second, "", ""));
    EXPECT_NE(nullptr, tee->FindPin(PINDIR_OUTPUT, TRUE));

    ASSERT_TRUE(m_graph.Run());
    EXPECT_TRUE(a->WaitForSamples(10, 5000));
    EXPECT_TRUE(b->WaitForSamples(10, 5000));
    m_graph.Stop();
    // Both saw the same frames, in order.
    std::vector<REFERENCE_TIME> timesA = a->Times(), timesB = b->Times();
    size_t common = timesA.size() < timesB.size() ? timesA.size() : timesB.size();
    ASSERT_GE(common, 10u);
    EXPECT_TRUE(std::equal(timesA.begin(), timesA.begin() + common, timesB.begin()));
}

TEST_F(Streams, AVSwitchHoldsTheStreamWhileOff)
{
    CAVSwitchFilter* avSwitch =
        dynamic_cast<CAVSwitchFilter*>(m_graph.AddFilterByCLSID(&CLSID_AVSwitchFilter, "AVISwitch"));
    ASSERT_NE(nullptr, avSwitch);
    CRootFilter* sinkWrapper = NULL;
    TestSink* sink = AddSink(L"Sink", &sinkWrapper);
    ASSERT_TRUE(m_graph.ConnectFilters(m_sourceWrapper, avSwitch, "", "Video Input"));
    ASSERT_TRUE(m_graph.ConnectFilters(avSwitch, sinkWrapper, "Video Output", ""));
    // Video only on the video input.
    EXPECT_FALSE(m_graph.ConnectFilters(m_sourceWrapper, avSwitch, "", "Audio Input"));

    BOOL pass = FALSE;
    ASSERT_TRUE(avSwitch->GetSwitch(&pass));
    EXPECT_TRUE(pass);
    ASSERT_TRUE(m_graph.Run());
    ASSERT_TRUE(sink->WaitForSamples(5, 5000));
    ASSERT_TRUE(avSwitch->SetSwitch(FALSE));
    ASSERT_TRUE(avSwitch->GetSwitch(&pass));
    EXPECT_FALSE(pass);
    Sleep(60);  // a sample in flight when the switch turned
    LONG held = sink->Samples();
    Sleep(200);  // ten frame intervals
    EXPECT_EQ(held, sink->Samples());
    ASSERT_TRUE(avSwitch->SetSwitch(TRUE));
    EXPECT_TRUE(sink->WaitForSamples(held + 5, 5000));
    m_graph.Stop();
}

TEST_F(Streams, DumpWritesEverySampleToItsFile)
{
    CDumpFilter* dump = dynamic_cast<CDumpFilter*>(m_graph.AddFilterByCLSID(&CLSID_DumpFilter, "Dump Filter"));
    ASSERT_NE(nullptr, dump);
    TempFolder folder;
    const std::string path = folder.File("20240102-030405.mpg");
    ASSERT_TRUE(dump->SetFileName(path.c_str()));
    EXPECT_FALSE(dump->SetFileName(NULL));
    ASSERT_TRUE(m_graph.ConnectFilters(m_sourceWrapper, dump, "", ""));
    ASSERT_TRUE(m_graph.Run());
    Sleep(300);
    m_graph.Stop();

    const DWORD frame = dshow::VideoImageSize(kTestWidth, kTestHeight, 32);
    std::string bytes = folder.Read("20240102-030405.mpg");
    ASSERT_GE(bytes.size(), 5u * frame);
    EXPECT_EQ(0u, bytes.size() % frame);
}

} // namespace
