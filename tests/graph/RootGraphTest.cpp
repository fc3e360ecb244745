// CRootGraph with Wine's filter graph and stock filters: a graph that runs
// (AVI file -> File Source -> AVI Splitter -> Sample Grabber -> Null
// Renderer) and delivers the file's frames, a mux graph whose filters grow
// pins (-> AVI Mux -> File Writer), disconnection and reconnection, the list
// operations.
#include "graph/ComPtr.h"
#include "graph/FilterCreatorRecord.h"
#include "graph/Guids.h"
#include "graph/RootFilter.h"
#include "graph/RootGraph.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>
#include <qedit.h>
#include <uuids.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A wrapper whose filter adds input pins as they connect (the AVI Mux).
class CGrowingFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;
    BOOL Init() override
    {
        if (!CRootFilter::Init())
            return FALSE;
        SetRefreshPins(TRUE);
        return TRUE;
    }
};

std::string TempPath(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

// An uncompressed AVI file: `frames` RGB24 frames of 32 x 24 at 25 fps,
// each a different grey, with an index.
void WriteAvi(const std::string& path, unsigned frames)
{
    const unsigned width = 32, height = 24, frameBytes = width * height * 3;
    std::vector<unsigned char> out;
    auto u32 = [&out](unsigned v) {
        for (int i = 0; i < 4; i++)
            out.push_back((unsigned char)(v >> (8 * i)));
    };
    auto u16 = [&out](unsigned v) {
        out.push_back((unsigned char)v);
        out.push_back((unsigned char)(v >> 8));
    };
    auto tag = [&out](const char* t) { out.insert(out.end(), t, t + 4); };
    auto patch = [&out](size_t at, unsigned v) {
        for (int i = 0; i < 4; i++)
            out[at + i] = (unsigned char)(v >> (8 * i));
    };

    tag("RIFF");
    u32(0);  // patched
    tag("AVI ");
    tag("LIST");
    u32(4 + 8 + 56 + 8 + 4 + 8 + 56 + 8 + 40);
    tag("hdrl");
    tag("avih");
    u32(56);
    u32(40000);  // microseconds per frame
    u32(frameBytes * 25);
    u32(0);
    u32(0x10);  // AVIF_HASINDEX
    u32(frames);
    u32(0);
    u32(1);
    u32(frameBytes);
    u32(width);
    u32(height);
    for (int i = 0; i < 4; i++)
        u32(0);
    tag("LIST");
    u32(4 + 8 + 56 + 8 + 40);
    tag("strl");
    tag("strh");
    u32(56);
    tag("vids");
    tag("DIB ");
    u32(0);
    u16(0);
    u16(0);
    u32(0);
    u32(1);   // scale
    u32(25);  // rate
    u32(0);
    u32(frames);
    u32(frameBytes);
    u32(0xFFFFFFFF);
    u32(0);
    u16(0);
    u16(0);
    u16(width);
    u16(height);
    tag("strf");
    u32(40);
    u32(40);
    u32(width);
    u32(height);
    u16(1);
    u16(24);
    u32(BI_RGB);
    u32(frameBytes);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    tag("LIST");
    size_t moviSize = out.size();
    u32(0);  // patched
    size_t moviStart = out.size();
    tag("movi");
    std::vector<unsigned> offsets;
    for (unsigned f = 0; f < frames; f++) {
        offsets.push_back((unsigned)(out.size() - moviStart));
        tag("00db");
        u32(frameBytes);
        out.insert(out.end(), frameBytes, (unsigned char)(f * 20));
    }
    patch(moviSize, (unsigned)(out.size() - moviStart));
    tag("idx1");
    u32(16 * frames);
    for (unsigned f = 0; f < frames; f++) {
        tag("00db");
        u32(0x10);  // AVIIF_KEYFRAME
        u32(offsets[f]);
        u32(frameBytes);
    }
    patch(4, (unsigned)(out.size() - 8));

    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    fwrite(out.data(), 1, out.size(), file);
    fclose(file);
}

class RootGraphTest : public ::testing::Test
{
protected:
    enum { kFrames = 10, kFrameBytes = 32 * 24 * 3 };

    void SetUp() override
    {
        ASSERT_TRUE(m_graph.IsMade());
        m_input = TempPath("pellamar-graph-input.avi");
        m_output = TempPath("pellamar-graph-output.avi");
        WriteAvi(m_input, kFrames);
        DeleteFileA(m_output.c_str());
    }
    void TearDown() override
    {
        m_graph.DestroyGraph();
        DeleteFileA(m_input.c_str());
        DeleteFileA(m_output.c_str());
    }

    // File Source with the test file loaded, and the AVI Splitter, whose
    // wrapper refreshes its pins: it makes its output when its input connects.
    void AddSourceAndSplitter()
    {
        m_source = m_graph.AddFilterByCLSID(&CLSID_AsyncReader, "Source");
        ASSERT_NE(nullptr, m_source);
        ComPtr<IFileSourceFilter> source;
        ASSERT_EQ(S_OK, m_source->GetFilter()->QueryInterface(IID_IFileSourceFilter,
                                                               reinterpret_cast<void**>(&source)));
        wchar_t path[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, m_input.c_str(), -1, path, MAX_PATH);
        ASSERT_EQ(S_OK, source->Load(path, NULL));
        m_source->BuildPinList();  // loading a file makes the output pin
        m_splitter = new CGrowingFilter(&m_graph, &CLSID_AviSplitter);
        m_splitter->SetName("Splitter");
        ASSERT_TRUE(m_graph.AddFilter(m_splitter));
    }

    // Source -> Splitter -> Sample Grabber -> Null Renderer, connected through
    // the wrappers; the grabber keeps the last frame.
    void BuildPlaybackGraph()
    {
        ASSERT_NO_FATAL_FAILURE(AddSourceAndSplitter());
        m_grabber = m_graph.AddFilterByCLSID(&CLSID_SampleGrabber, "Grabber");
        m_sink = m_graph.AddFilterByCLSID(&CLSID_NullRenderer, "Sink");
        ASSERT_TRUE(m_grabber && m_sink);
        ComPtr<ISampleGrabber> grabber;
        ASSERT_EQ(S_OK, m_grabber->GetFilter()->QueryInterface(IID_ISampleGrabber,
                                                                reinterpret_cast<void**>(&grabber)));
        ASSERT_EQ(S_OK, grabber->SetBufferSamples(TRUE));
        ASSERT_TRUE(m_graph.ConnectFilters(m_source, m_splitter, "", ""));
        ASSERT_TRUE(m_graph.ConnectFilters(m_splitter, m_grabber, "", NULL));
        ASSERT_TRUE(m_graph.ConnectFilters(m_grabber, m_sink, NULL, ""));
    }

    // Source -> Splitter -> AVI Mux -> File Writer, connected only: under
    // Wine 8 this graph does not run (its mux wants IStream on the writer's
    // pin), but the mux grows an input pin per connection. The writer is
    // connected first: Wine's mux fails its output otherwise.
    void BuildMuxGraph()
    {
        ASSERT_NO_FATAL_FAILURE(AddSourceAndSplitter());
        m_mux = new CGrowingFilter(&m_graph, &CLSID_AviDest);
        m_mux->SetName("Mux");
        ASSERT_TRUE(m_graph.AddFilter(m_mux));
        m_writer = m_graph.AddFilterByCLSID(&CLSID_FileWriter, "Writer");
        ASSERT_NE(nullptr, m_writer);
        ComPtr<IFileSinkFilter> sink;
        ASSERT_EQ(S_OK, m_writer->GetFilter()->QueryInterface(IID_IFileSinkFilter,
                                                               reinterpret_cast<void**>(&sink)));
        wchar_t path[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, m_output.c_str(), -1, path, MAX_PATH);
        ASSERT_EQ(S_OK, sink->SetFileName(path, NULL));
        ASSERT_TRUE(m_graph.ConnectFilters(m_source, m_splitter, "", ""));
        ASSERT_TRUE(m_graph.ConnectFilters(m_mux, m_writer, NULL, ""));
        ASSERT_TRUE(m_graph.ConnectFilters(m_splitter, m_mux, "", NULL));
    }

    // Runs to the end of the stream (bounded wait), then stops.
    void RunToCompletion()
    {
        ASSERT_TRUE(m_graph.Run());
        EXPECT_EQ(1, m_graph.GetState());
        long code = 0;
        LONG_PTR p1 = 0, p2 = 0;
        bool complete = false;
        for (int i = 0; i < 100 && !complete; i++) {
            if (m_graph.GetEvent(&code, &p1, &p2, 100) == S_OK) {
                complete = code == EC_COMPLETE;
                m_graph.GetEvents()->FreeEventParams(code, p1, p2);
            }
        }
        EXPECT_TRUE(complete);
        ASSERT_TRUE(m_graph.Stop());
        EXPECT_EQ(0, m_graph.GetState());
    }

    // The grabber holds the last frame of the file: every byte its grey.
    void ExpectLastFrameGrabbed()
    {
        ComPtr<ISampleGrabber> grabber;
        ASSERT_EQ(S_OK, m_grabber->GetFilter()->QueryInterface(IID_ISampleGrabber,
                                                                reinterpret_cast<void**>(&grabber)));
        std::vector<unsigned char> frame(kFrameBytes);
        long size = (long)frame.size();
        ASSERT_EQ(S_OK, grabber->GetCurrentBuffer(&size, reinterpret_cast<long*>(frame.data())));
        ASSERT_EQ((long)kFrameBytes, size);
        const unsigned char grey = (unsigned char)((kFrames - 1) * 20);
        EXPECT_EQ(std::vector<unsigned char>(kFrameBytes, grey), frame);
    }

    static bool IsConnected(CRootPin* pin)
    {
        ComPtr<IPin> other;
        return pin->GetIPin()->ConnectedTo(&other) == S_OK;
    }

    CRootGraph m_graph;
    std::string m_input, m_output;
    CRootFilter* m_source = nullptr;
    CRootFilter* m_splitter = nullptr;
    CRootFilter* m_grabber = nullptr;
    CRootFilter* m_sink = nullptr;
    CRootFilter* m_mux = nullptr;
    CRootFilter* m_writer = nullptr;
};

TEST_F(RootGraphTest, PlaybackGraphRunsToTheEndAndDeliversTheFrames)
{
    ASSERT_NO_FATAL_FAILURE(BuildPlaybackGraph());
    // The list holds the wrappers, most recent first.
    EXPECT_EQ(m_sink, m_graph.GetFirstFilter());
    EXPECT_EQ(m_grabber, m_graph.FindFilterByName("Grabber"));
    EXPECT_EQ(m_splitter, m_graph.FindFilter(m_splitter->GetFilter()));

    CRootPin* splitterOut = m_splitter->FindPin(PINDIR_OUTPUT, FALSE);
    ASSERT_NE(nullptr, splitterOut);
    EXPECT_EQ(m_grabber, splitterOut->GetPeer()->GetOwner());
    char text[128];
    ASSERT_TRUE(splitterOut->DescribeMediaType(text, sizeof(text)));
    EXPECT_STREQ("MainType:Video,SubType:RGB24", text);
    ASSERT_TRUE(splitterOut->DescribeMediaType(text, 14));
    EXPECT_STREQ("MainType:Vide", text);
    ASSERT_TRUE(m_source->FindPin(PINDIR_OUTPUT, FALSE)->DescribeMediaType(text, sizeof(text)));
    // MEDIATYPE_Stream and the AVI subtype have no names: GUIDs spelt out.
    EXPECT_STREQ("MainType:E436EB83-524F-11CE-9F530020AF0BA770,SubType:E436EB88-524F-11CE-9F530020AF0BA770", text);

    ASSERT_NO_FATAL_FAILURE(RunToCompletion());
    ExpectLastFrameGrabbed();
}

TEST_F(RootGraphTest, DisconnectThenReconnectTheSamePinsAndRunAgain)
{
    ASSERT_NO_FATAL_FAILURE(BuildPlaybackGraph());
    CRootPin* out = m_source->FindPin(PINDIR_OUTPUT, FALSE);
    CRootPin* in = m_splitter->FindPin(PINDIR_INPUT, FALSE);
    ASSERT_TRUE(out && in);

    m_graph.DisconnectPin(out);
    EXPECT_EQ(nullptr, out->GetPeer());
    EXPECT_EQ(nullptr, in->GetPeer());
    // Really disconnected in the graph, on both sides.
    EXPECT_FALSE(IsConnected(out));
    EXPECT_FALSE(IsConnected(in));
    // The splitter dropped its output with its input, and the refresh its
    // wrapper asked for deleted the output's wrapper.
    EXPECT_EQ(nullptr, m_splitter->FindPin(PINDIR_OUTPUT, FALSE));
    EXPECT_EQ(nullptr, m_splitter->FindPin(PINDIR_OUTPUT, TRUE));
    EXPECT_EQ(nullptr, m_grabber->FindPin(PINDIR_INPUT, FALSE));

    ASSERT_TRUE(m_graph.ConnectPins(out, in));
    ASSERT_TRUE(m_graph.ConnectFilters(m_splitter, m_grabber, "", ""));
    ASSERT_NO_FATAL_FAILURE(RunToCompletion());
    ExpectLastFrameGrabbed();
}

TEST_F(RootGraphTest, DisconnectWhileRunningStopsTheGraphAndRetries)
{
    ASSERT_NO_FATAL_FAILURE(BuildPlaybackGraph());
    ASSERT_TRUE(m_graph.Run());
    FakeClock clock;
    CRootPin* out = m_grabber->FindPin(PINDIR_OUTPUT, FALSE);
    m_graph.DisconnectPin(out);
    EXPECT_EQ(0, m_graph.GetState());
    EXPECT_FALSE(IsConnected(out));
    EXPECT_FALSE(IsConnected(m_sink->GetFirstPin()));
    // At most a short pause or two, never the long retry loop.
    EXPECT_LE(clock.TotalSlept(), 400u);
}

TEST_F(RootGraphTest, MuxKeepsItsPinWrappersInOrderAcrossRefreshes)
{
    ASSERT_NO_FATAL_FAILURE(BuildMuxGraph());
    // The mux grew a second input when the first connected; the first input
    // and the output kept their wrappers, peers and places.
    ASSERT_GE(m_mux->GetPinCount(), 3);
    CRootPin* splitterOut = m_splitter->FindPin(PINDIR_OUTPUT, FALSE);
    CRootPin* first = m_mux->FindPin(PINDIR_INPUT, FALSE);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(splitterOut, first->GetPeer());
    EXPECT_EQ(first, splitterOut->GetPeer());
    std::vector<CRootPin*> before;
    for (int i = 0; i < m_mux->GetPinCount(); i++)
        before.push_back(m_mux->GetPinAt(i));
    m_mux->RefreshPins();
    ASSERT_EQ(before.size(), (size_t)m_mux->GetPinCount());
    for (int i = 0; i < m_mux->GetPinCount(); i++)
        EXPECT_EQ(before[i], m_mux->GetPinAt(i));
}

TEST_F(RootGraphTest, DisconnectFilterFreesEveryPinOfAGrowingFilter)
{
    ASSERT_NO_FATAL_FAILURE(BuildMuxGraph());
    m_graph.DisconnectFilter(m_mux);
    for (CRootPin* pin = m_mux->GetFirstPin(); pin; pin = pin->GetNext()) {
        EXPECT_EQ(nullptr, pin->GetPeer()) << pin->GetName();
        EXPECT_FALSE(IsConnected(pin)) << pin->GetName();
    }
    EXPECT_EQ(nullptr, m_writer->FindPin(PINDIR_INPUT, FALSE));
    EXPECT_FALSE(IsConnected(m_writer->GetFirstPin()));
    // Pins connected elsewhere stay as they were.
    EXPECT_TRUE(IsConnected(m_source->FindPin(PINDIR_OUTPUT, FALSE)));
}

TEST_F(RootGraphTest, DisconnectPinWithoutRecordedPeerAndUnconnectedPin)
{
    ASSERT_NO_FATAL_FAILURE(BuildMuxGraph());
    // A connection the wrappers did not record: found through the pin.
    CRootPin* out = m_mux->FindPin(PINDIR_OUTPUT, FALSE);
    CRootPin* in = out->GetPeer();
    out->SetPeer(NULL);
    in->SetPeer(NULL);
    FakeClock clock;
    m_graph.DisconnectPin(out);
    EXPECT_FALSE(IsConnected(out));
    EXPECT_FALSE(IsConnected(in));
    // Not connected at all: done at once, no retries.
    m_graph.DisconnectPin(out);
    EXPECT_TRUE(m_graph.DisconnectPinRetry(out->GetIPin()));
    EXPECT_EQ(0u, clock.TotalSlept());
    m_graph.DisconnectPin(NULL);
}

TEST_F(RootGraphTest, ConnectionRefusals)
{
    CRootFilter* tee = m_graph.AddFilterByCLSID(&CLSID_SmartTee, "Tee");
    CRootFilter* sink = m_graph.AddFilterByCLSID(&CLSID_NullRenderer, "Sink");
    ASSERT_TRUE(tee && sink);
    EXPECT_FALSE(m_graph.ConnectPins(NULL, sink->GetFirstPin()));
    EXPECT_FALSE(m_graph.ConnectFilters(tee, NULL, "", ""));
    EXPECT_FALSE(m_graph.ConnectFilters(tee, sink, "No Such Pin", ""));
    // A pin with a recorded peer is refused before the graph is asked.
    CRootPin* capture = tee->FindPinByName("Capture");
    capture->SetPeer(tee->GetFirstPin());
    EXPECT_FALSE(m_graph.ConnectPins(capture, sink->GetFirstPin()));
    EXPECT_FALSE(IsConnected(capture));
    capture->SetPeer(NULL);
    // The tee's input is not connected, so its outputs cannot connect.
    EXPECT_FALSE(m_graph.ConnectFilters(tee, sink, "Capture", ""));
    EXPECT_EQ(nullptr, capture->GetPeer());
}

TEST_F(RootGraphTest, FilterListOperations)
{
    CRootFilter* a = m_graph.AddFilterByCLSID(&CLSID_NullRenderer, "Same");
    CRootFilter* b = m_graph.AddFilterByCLSID(&CLSID_NullRenderer, "Same");
    ASSERT_TRUE(a && b);  // the graph renames the second one
    EXPECT_TRUE(b->IsInGraph());
    EXPECT_EQ(b, m_graph.FindFilterByName("Same"));
    EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(&CLSID_NullRenderer, NULL));
    const GUID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(nullptr, m_graph.AddFilterByCLSID(&unknown, "Nothing"));
    EXPECT_EQ(b, m_graph.GetFirstFilter());

    // Adding a listed wrapper again is refused (the list would loop).
    EXPECT_FALSE(m_graph.AddFilter(a));
    EXPECT_FALSE(m_graph.AddFilter(NULL));

    // A wrapper outside the list is left alone.
    CRootFilter outside(&m_graph, &CLSID_NullRenderer);
    m_graph.DeleteFilter(&outside);
    EXPECT_TRUE(outside.IsValid());

    EXPECT_TRUE(m_graph.RemoveFilterByName("Same"));
    EXPECT_FALSE(b->IsInGraph());
    EXPECT_EQ(b, m_graph.FindFilterByName("Same"));  // still listed
    EXPECT_FALSE(m_graph.RemoveFilterFromGraph(b));

    m_graph.DeleteFilter(a);
    EXPECT_EQ(b, m_graph.GetFirstFilter());
    EXPECT_EQ(nullptr, b->GetNext());
    m_graph.RemoveAllFilters();
    EXPECT_EQ(b, m_graph.GetFirstFilter());
}

TEST_F(RootGraphTest, StateAndOptionalGraphStreams)
{
    EXPECT_EQ(0, m_graph.GetState());
    EXPECT_EQ(E_FAIL, m_graph.SetState(3));
    EXPECT_EQ(0, m_graph.GetState());
    EXPECT_TRUE(m_graph.Pause());
    EXPECT_EQ(2, m_graph.GetState());
    EXPECT_TRUE(m_graph.Stop());
    EXPECT_EQ(0, m_graph.GetState());
    // Where the graph lacks IAMGraphStreams the graph is still made and the
    // stream-offset switch answers "not implemented".
    if (!m_graph.GetGraphStreams())
        EXPECT_EQ(E_NOTIMPL, m_graph.SyncUsingStreamOffset(TRUE));
    else
        EXPECT_TRUE(SUCCEEDED(m_graph.SyncUsingStreamOffset(FALSE)));

    m_graph.DestroyGraph();
    EXPECT_FALSE(m_graph.IsMade());
    EXPECT_EQ(nullptr, m_graph.GetGraph());
    m_graph.DestroyGraph();
    EXPECT_EQ(E_POINTER, m_graph.SetState(1));
    EXPECT_EQ(E_POINTER, m_graph.ShowVideoWindow(TRUE));
    ASSERT_TRUE(m_graph.MakeGraph());
    EXPECT_NE(nullptr, m_graph.GetGraph());
}

TEST_F(RootGraphTest, DeviceNameTable)
{
    int count = 17;
    EXPECT_EQ(nullptr, m_graph.EnumDeviceNames(4, &count));
    EXPECT_EQ(17, count);
    EXPECT_EQ(nullptr, m_graph.EnumDeviceNames(-1, &count));
    EXPECT_EQ(nullptr, m_graph.EnumDeviceNames(CRootGraph::kAudioCompressor, NULL));
    // Each kind answers the table of one listing of its category, or none
    // when the category is empty. (Two listings of a category need not
    // agree: Wine's wave-in device comes and goes on a loaded machine.)
    int listed = 0;
    for (int kind = 0; kind < 4; kind++) {
        SCOPED_TRACE(kind);
        count = -1;
        char (*names)[zunk::kNameSize] = m_graph.EnumDeviceNames(kind, &count);
        if (!names)
            continue;
        ASSERT_GE(count, 1);
        ASSERT_LE(count, (int)CRootGraph::kMaxDeviceNames);
        for (int i = 0; i < count; i++)
            EXPECT_NE('\0', names[i][0]);
        listed++;
    }
    if (!listed)
        GTEST_SKIP() << "no devices of the four kinds in this Wine prefix";
}

TEST_F(RootGraphTest, DeviceNameTableIsTheFirst64NamesOfOneListing)
{
    std::vector<std::string> list;
    for (int i = 0; i < CRootGraph::kMaxDeviceNames + 6; i++)
        list.push_back("Device " + std::to_string(i));
    list[1] = std::string(zunk::kNameSize - 1, 'n'); // the longest a listing holds
    int count = -1;
    char (*names)[zunk::kNameSize] = m_graph.FillDeviceNames(list, &count);
    ASSERT_NE(nullptr, names);
    ASSERT_EQ((int)CRootGraph::kMaxDeviceNames, count);
    for (int i = 0; i < count; i++)
        EXPECT_EQ(list[i], names[i]);
    list.resize(3);
    names = m_graph.FillDeviceNames(list, &count);
    ASSERT_EQ(3, count);
    EXPECT_EQ('\0', names[3][0]); // what the longer listing left is gone
    EXPECT_EQ(nullptr, m_graph.FillDeviceNames(std::vector<std::string>(), &count));
    EXPECT_EQ(0, count);
}

TEST(RootGraphErrors, LastErrorTextIsBounded)
{
    std::string huge(5000, 'x');
    CRootGraph::ReportError("%s", huge.c_str());
    EXPECT_EQ(1023u, CRootGraph::GetLastErrorText().size());
    CRootGraph::ReportError("step %d failed", 3);
    EXPECT_EQ("step 3 failed", CRootGraph::GetLastErrorText());
}

} // namespace
