// What the stock and helper wrapper tests share: a made graph with the
// folder's creator records, and fake filters served in-process under a
// wrapper's class id - a codec fake (FakeCodec.h) for private interfaces
// known by their slots, a FakeFilter for filters with pins. Test thread.
#pragma once
#include "graph/RootGraph.h"
#include "graph/wrappers/HelperInterfaces.h"
#include "graph/wrappers/WrapperFilters.h"
#include "tests/graph/wrappers/FakeCodec.h"
#include "tests/support/FakeFilter.h"
#include "tests/support/TestClassObject.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

FAKE_CODEC_INTERFACE(IDeinterlaceControl, DEINTERLACE_CONTROL_SLOTS)
FAKE_CODEC_INTERFACE(IAVSwitchControl, AV_SWITCH_CONTROL_SLOTS)
FAKE_CODEC_INTERFACE(ISnapPictureControl, SNAP_PICTURE_CONTROL_SLOTS)
FAKE_CODEC_INTERFACE(ITimeShiftControl, TIME_SHIFT_CONTROL_SLOTS)
FAKE_CODEC_INTERFACE(IColorConvertControl, COLOR_CONVERT_CONTROL_SLOTS)
FAKE_CODEC_INTERFACE(IEmpAudioCompanion, EMP_AUDIO_COMPANION_SLOTS)

class WrapperTest : public ::testing::Test
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
        m_servers.clear();
        m_filters.clear();
        UnregisterWrapperFilters();
    }

    // Serves filter under clsid from now on (replacing what served it).
    void Serve(const CLSID& clsid, IBaseFilter* filter)
    {
        for (auto& server : m_servers) {
            if (server.first == clsid)
                server.second.reset();
        }
        m_filters.emplace_back(filter);
        m_servers.emplace_back(clsid, std::unique_ptr<TestClassObject>(new TestClassObject(clsid, filter)));
        EXPECT_TRUE(m_servers.back().second->Ok());
    }
    // A codec fake served under clsid.
    FakeCodecFilter* ServeCodec(const CLSID& clsid)
    {
        FakeCodecFilter* fake = new FakeCodecFilter(clsid);
        Serve(clsid, fake);
        fake->Release();  // m_filters holds it
        return fake;
    }

    // The wrapper the graph makes for clsid, as T.
    template <class T>
    T* Add(const CLSID& clsid, const char* name = "Under test")
    {
        return dynamic_cast<T*>(m_graph.AddFilterByCLSID(&clsid, name));
    }

    CRootGraph m_graph;
    std::vector<std::pair<CLSID, std::unique_ptr<TestClassObject>>> m_servers;
    std::vector<ComPtr<IBaseFilter>> m_filters;
};
