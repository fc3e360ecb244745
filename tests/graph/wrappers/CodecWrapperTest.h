// Fixture of the codec wrapper tests: a made graph with this folder's
// creator records, and a fake codec filter served in-process under the class
// id a test asks for. Test thread only.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "graph/ComPtr.h"
#include "graph/RootGraph.h"
#include "graph/wrappers/WrapperFilters.h"
#include "tests/graph/wrappers/FakeCodec.h"

class CodecWrapperTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_graph.MakeGraph());
        RegisterWrapperFilters();
    }
    void TearDown() override
    {
        m_graph.DestroyGraph();
        UnregisterWrapperFilters();
        m_server.reset();
    }

    // A new fake filter, served under clsid from now on.
    FakeCodecFilter* Serve(const CLSID& clsid)
    {
        m_server.reset();
        m_fake.Attach(new FakeCodecFilter(clsid));
        m_server.reset(new FakeCodecServer(clsid, m_fake.Get()));
        EXPECT_TRUE(m_server->Ok());
        return m_fake.Get();
    }

    // The wrapper the graph makes for clsid, or NULL when it made none (or
    // another class).
    template <class W>
    W* AddWrapper(const CLSID& clsid)
    {
        return dynamic_cast<W*>(m_graph.AddFilterByCLSID(&clsid, "codec"));
    }

    CRootGraph m_graph;
    ComPtr<FakeCodecFilter> m_fake;
    std::unique_ptr<FakeCodecServer> m_server;
};
