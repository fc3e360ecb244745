// The filter kit against the real filter graph: interfaces, pin enumeration,
// connection rules, allocator negotiation and streaming, with exact results
// and reference counts that end at zero.
#include "TestFilters.h"

#include "graph/MediaTypePtr.h"
#include "platform/dshow/VideoFormat.h"

#include <control.h>
#include <gtest/gtest.h>
#include <uuids.h>

using dshow::ComPtr;

namespace {

ULONG RefCount(IBaseFilter* unknown)
{
    unknown->AddRef();
    return unknown->Release();
}

IPin* PinOf(dshow::CBaseFilter* filter)
{
    return filter->GetPin(0);
}

class FilterKit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        source = new TestSource();
        sink = new TestSink();
    }
    void TearDown() override
    {
        if (graph) {
            ComPtr<IMediaControl> control;
            if (SUCCEEDED(control.QueryFrom(graph.Get(), IID_IMediaControl)))
                control->Stop();
        }
        control.Reset();
        graph.Reset();
        // Only our own references are left: both counts reach zero.
        EXPECT_EQ(0u, source->Release());
        EXPECT_EQ(0u, sink->Release());
    }

    void MakeGraph()
    {
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER,
                                         IID_IGraphBuilder, graph.ReceiveVoid()));
        ASSERT_EQ(S_OK, graph->AddFilter(source, L"Source"));
        ASSERT_EQ(S_OK, graph->AddFilter(sink, L"Sink"));
        ASSERT_EQ(S_OK, control.QueryFrom(graph.Get(), IID_IMediaControl));
    }
    void Connect()
    {
        MakeGraph();
        ASSERT_EQ(S_OK, graph->ConnectDirect(PinOf(source), PinOf(sink), NULL));
    }

    TestSource* source = nullptr;
    TestSink* sink = nullptr;
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
};

TEST_F(FilterKit, InterfacesPresentAndAbsent)
{
    struct Case { const IID* iid; HRESULT expected; } cases[] = {
        {&IID_IUnknown, S_OK},         {&IID_IPersist, S_OK},
        {&IID_IMediaFilter, S_OK},     {&IID_IBaseFilter, S_OK},
        {&IID_IAMFilterMiscFlags, S_OK}, {&IID_IPin, E_NOINTERFACE},
        {&IID_IReferenceClock, E_NOINTERFACE}, {&IID_IMemInputPin, E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(c.expected, source->QueryInterface(*c.iid, &out));
        if (c.expected == S_OK)
            static_cast<IUnknown*>(out)->Release();
        else
            EXPECT_EQ(nullptr, out);
    }
    EXPECT_EQ(E_POINTER, source->QueryInterface(IID_IBaseFilter, NULL));

    // The output pin has no IMemInputPin, the input pin has.
    void* out = NULL;
    EXPECT_EQ(E_NOINTERFACE, PinOf(source)->QueryInterface(IID_IMemInputPin, &out));
    ASSERT_EQ(S_OK, PinOf(sink)->QueryInterface(IID_IMemInputPin, &out));
    static_cast<IMemInputPin*>(out)->Release();

    EXPECT_EQ(static_cast<ULONG>(AM_FILTER_MISC_FLAGS_IS_SOURCE), source->GetMiscFlags());
    EXPECT_EQ(0u, sink->GetMiscFlags());
    CLSID clsid;
    EXPECT_EQ(S_OK, source->GetClassID(&clsid));
    EXPECT_EQ(CLSID_TestSource, clsid);
}

TEST_F(FilterKit, PinsShareTheFiltersCount)
{
    EXPECT_EQ(1u, RefCount(source));
    IPin* pin = PinOf(source);
    EXPECT_EQ(2u, pin->AddRef());
    EXPECT_EQ(2u, RefCount(source));
    EXPECT_EQ(1u, pin->Release());

    // An enumerator holds the filter until it is released.
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(S_OK, source->EnumPins(pins.Receive()));
    EXPECT_EQ(2u, RefCount(source));
    pins.Reset();
    EXPECT_EQ(1u, RefCount(source));
}

TEST_F(FilterKit, PinEnumeration)
{
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(S_OK, source->EnumPins(pins.Receive()));
    IPin* got[2] = {};
    ULONG fetched = 99;
    EXPECT_EQ(E_POINTER, pins->Next(2, got, NULL));
    EXPECT_EQ(S_FALSE, pins->Next(2, got, &fetched));
    EXPECT_EQ(1u, fetched);
    EXPECT_EQ(PinOf(source), got[0]);
    got[0]->Release();
    EXPECT_EQ(S_FALSE, pins->Next(1, got, &fetched));
    EXPECT_EQ(0u, fetched);

    EXPECT_EQ(S_OK, pins->Reset());
    EXPECT_EQ(S_FALSE, pins->Skip(2));
    EXPECT_EQ(S_OK, pins->Reset());
    EXPECT_EQ(S_OK, pins->Skip(1));
    ComPtr<IEnumPins> clone;
    ASSERT_EQ(S_OK, pins->Clone(clone.Receive()));
    EXPECT_EQ(S_FALSE, clone->Next(1, got, NULL));   // the clone keeps the position

    IPin* found = reinterpret_cast<IPin*>(1);
    EXPECT_EQ(VFW_E_NOT_FOUND, source->FindPin(L"Nothing", &found));
    EXPECT_EQ(nullptr, found);
    ASSERT_EQ(S_OK, source->FindPin(L"Out", &found));
    EXPECT_EQ(PinOf(source), found);
    found->Release();
}

TEST_F(FilterKit, UnconnectedPinAndStatesWithoutGraph)
{
    IPin* pin = PinOf(source);
    IPin* peer = reinterpret_cast<IPin*>(1);
    EXPECT_EQ(VFW_E_NOT_CONNECTED, pin->ConnectedTo(&peer));
    EXPECT_EQ(nullptr, peer);
    AM_MEDIA_TYPE mt;
    memset(&mt, 0xCC, sizeof(mt));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, pin->ConnectionMediaType(&mt));
    EXPECT_EQ(GUID_NULL, mt.majortype);
    EXPECT_EQ(S_FALSE, pin->Disconnect());

    PIN_INFO info;
    ASSERT_EQ(S_OK, pin->QueryPinInfo(&info));
    EXPECT_EQ(PINDIR_OUTPUT, info.dir);
    EXPECT_STREQ(L"Out", info.achName);
    EXPECT_EQ(static_cast<IBaseFilter*>(source), info.pFilter);
    info.pFilter->Release();
    LPWSTR id = NULL;
    ASSERT_EQ(S_OK, pin->QueryId(&id));
    EXPECT_STREQ(L"Out", id);
    CoTaskMemFree(id);

    // Media types: the pin's own list, and QueryAccept's yes or no.
    ComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(S_OK, pin->EnumMediaTypes(types.Receive()));
    CMediaTypePtr first;
    ASSERT_EQ(S_OK, types->Next(1, &first, NULL));
    EXPECT_EQ(S_OK, pin->QueryAccept(first.Get()));
    first->subtype = MEDIASUBTYPE_RGB24;
    EXPECT_EQ(S_FALSE, pin->QueryAccept(first.Get()));
    EXPECT_EQ(S_FALSE, types->Next(1, &first, NULL));

    // Unconnected pins take no part; a live source cannot cue.
    FILTER_STATE state;
    EXPECT_EQ(S_OK, source->Pause());
    EXPECT_EQ(VFW_S_CANT_CUE, source->GetState(0, &state));
    EXPECT_EQ(State_Paused, state);
    EXPECT_EQ(S_OK, source->Run(0));
    EXPECT_EQ(S_OK, source->GetState(0, &state));
    EXPECT_EQ(State_Running, state);
    EXPECT_EQ(S_OK, sink->Pause());
    EXPECT_EQ(S_OK, sink->GetState(0, &state));
    EXPECT_EQ(S_OK, source->Stop());
    EXPECT_EQ(S_OK, sink->Stop());
}

TEST_F(FilterKit, ConnectionRules)
{
    MakeGraph();
    IPin* out = PinOf(source);
    IPin* in = PinOf(sink);
    // Direction and role errors.
    EXPECT_EQ(E_UNEXPECTED, in->Connect(out, NULL));
    EXPECT_EQ(E_UNEXPECTED, out->ReceiveConnection(in, NULL));
    EXPECT_EQ(E_POINTER, out->Connect(NULL, NULL));

    // A complete type the source refuses fails with the source's own code.
    CMediaType wrong;
    ASSERT_EQ(S_OK, dshow::MakeVideoInfoType({&MEDIASUBTYPE_RGB32, 32, BI_RGB}, 640, 480,
                                             kTestInterval, &wrong));
    EXPECT_EQ(VFW_E_TYPE_NOT_ACCEPTED, graph->ConnectDirect(out, in, &wrong));
    EXPECT_FALSE(source->Output()->IsConnected());
    // A partial type that matches nothing on either side.
    CMediaType audio(MEDIATYPE_Audio);
    EXPECT_EQ(VFW_E_NO_ACCEPTABLE_TYPES, out->Connect(in, &audio));

    ASSERT_EQ(S_OK, graph->ConnectDirect(out, in, NULL));
    EXPECT_EQ(VFW_E_ALREADY_CONNECTED, out->Connect(in, NULL));
    CMediaType a, b;
    ASSERT_EQ(S_OK, out->ConnectionMediaType(&a));
    ASSERT_EQ(S_OK, in->ConnectionMediaType(&b));
    EXPECT_TRUE(a == b);
    EXPECT_EQ(MEDIASUBTYPE_RGB32, a.subtype);
    IPin* peer = NULL;
    ASSERT_EQ(S_OK, out->ConnectedTo(&peer));
    EXPECT_EQ(in, peer);
    peer->Release();

    // Connections change only while stopped.
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_EQ(VFW_E_NOT_STOPPED, out->Disconnect());
    ASSERT_EQ(S_OK, control->Stop());
    EXPECT_EQ(S_OK, graph->Disconnect(out));
    EXPECT_EQ(S_OK, graph->Disconnect(in));
    EXPECT_FALSE(source->Output()->IsConnected());
    EXPECT_EQ(nullptr, source->Output()->Allocator());
}

TEST_F(FilterKit, AllocatorIsThePeersOrTheSystems)
{
    Connect();
    // The sink offered its own allocator and was told to use it.
    ASSERT_NE(nullptr, source->Output()->Allocator());
    EXPECT_EQ(source->Output()->Allocator(), sink->NotifiedAllocator());
    ALLOCATOR_PROPERTIES props;
    ASSERT_EQ(S_OK, source->Output()->Allocator()->GetProperties(&props));
    EXPECT_EQ(2, props.cBuffers);
    EXPECT_EQ(static_cast<long>(kTestWidth * kTestHeight * 4), props.cbBuffer);

    // A sink without an allocator of its own gets the system memory allocator.
    TestSink* bare = new TestSink(false);
    ASSERT_EQ(S_OK, graph->AddFilter(bare, L"Bare sink"));
    ASSERT_EQ(S_OK, graph->Disconnect(PinOf(source)));
    ASSERT_EQ(S_OK, graph->Disconnect(PinOf(sink)));
    ASSERT_EQ(S_OK, graph->ConnectDirect(PinOf(source), PinOf(bare), NULL));
    ASSERT_NE(nullptr, bare->NotifiedAllocator());
    EXPECT_EQ(source->Output()->Allocator(), bare->NotifiedAllocator());
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_TRUE(bare->WaitForSamples(3, 5000));
    ASSERT_EQ(S_OK, control->Stop());
    ASSERT_EQ(S_OK, graph->RemoveFilter(bare));
    EXPECT_EQ(0u, bare->Release());
}

TEST_F(FilterKit, StreamsOnTheGraphClockThroughStopRunCycles)
{
    Connect();
    for (int cycle = 0; cycle < 3; ++cycle) {
        sink->ResetCounts();
        ASSERT_TRUE(SUCCEEDED(control->Run())) << "cycle " << cycle;
        ASSERT_TRUE(sink->WaitForSamples(10, 5000)) << "cycle " << cycle;
        ASSERT_EQ(S_OK, control->Stop());
        // Stamps lie on the frame grid and rise; skipped frames leave gaps
        // of whole intervals, never a stamp off the grid.
        std::vector<REFERENCE_TIME> times = sink->Times();
        for (size_t i = 1; i < times.size(); ++i) {
            EXPECT_GT(times[i], times[i - 1]) << "cycle " << cycle << " sample " << i;
            EXPECT_EQ(0, (times[i] - times[i - 1]) % kTestInterval) << "cycle " << cycle;
        }
        // The thread is gone once stopped: nothing more arrives.
        LONG after = sink->Samples();
        Sleep(3 * kTestInterval / 10000);
        EXPECT_EQ(after, sink->Samples()) << "cycle " << cycle;
    }
    // Pause holds the stream, Run resumes it.
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    ASSERT_TRUE(sink->WaitForSamples(2, 5000));
    ASSERT_TRUE(SUCCEEDED(control->Pause()));
    LONG paused = sink->Samples();
    Sleep(3 * kTestInterval / 10000);
    EXPECT_LE(sink->Samples(), paused + 1);   // one frame may have been in flight
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_TRUE(sink->WaitForSamples(paused + 5, 5000));
}

TEST_F(FilterKit, StreamsWithoutAGraphClock)
{
    Connect();
    ComPtr<IMediaFilter> graphFilter;
    ASSERT_EQ(S_OK, graphFilter.QueryFrom(graph.Get(), IID_IMediaFilter));
    ASSERT_EQ(S_OK, graphFilter->SetSyncSource(NULL));
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_TRUE(sink->WaitForSamples(5, 5000));
    EXPECT_EQ(S_OK, control->Stop());
}

TEST_F(FilterKit, GraphMembership)
{
    MakeGraph();
    FILTER_INFO info;
    ASSERT_EQ(S_OK, source->QueryFilterInfo(&info));
    EXPECT_STREQ(L"Source", info.achName);
    ASSERT_NE(nullptr, info.pGraph);
    info.pGraph->Release();
    // The graph gives its clock when it runs; leaving the graph clears it.
    ASSERT_EQ(S_OK, graph->RemoveFilter(source));
    ASSERT_EQ(S_OK, source->QueryFilterInfo(&info));
    EXPECT_EQ(nullptr, info.pGraph);
}

} // namespace
