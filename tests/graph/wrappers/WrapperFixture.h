// What the wrapper tests share: a made graph with the folder's creator
// records, and a fake filter under a wrapper's class id whose private
// interface is a SlotFake. Test thread.
#pragma once
#include "graph/RootGraph.h"
#include "graph/wrappers/WrapperFilters.h"

#include "../../support/FakeFilter.h"
#include "../../support/SlotFake.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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
        m_classes.clear();
        for (SlotFake* fake : m_fakes)
            fake->Release();
        m_fakes.clear();
        UnregisterWrapperFilters();
    }

    // From now on, CoCreateInstance(clsid) in this process makes a fake
    // filter whose interface iid is a SlotFake (none when iid is NULL).
    SlotFake* FakeHelper(const CLSID& clsid, const IID* iid)
    {
        SlotFake* fake = iid ? SlotFake::Create({*iid}) : NULL;
        if (fake)
            m_fakes.push_back(fake);
        m_classes.emplace_back(new InProcessClass(clsid, [clsid, iid, fake]() -> IUnknown* {
            FakeFilter* filter = new FakeFilter(clsid, L"Fake helper");
            if (fake)
                filter->AddInterface(*iid, fake->Unknown());
            return static_cast<IBaseFilter*>(filter);
        }));
        EXPECT_TRUE(m_classes.back()->Ok());
        return fake;
    }

    // The wrapper the graph makes for clsid, as T.
    template <class T>
    T* Add(const CLSID& clsid, const char* name = "Under test")
    {
        return dynamic_cast<T*>(m_graph.AddFilterByCLSID(&clsid, name));
    }

    CRootGraph m_graph;
    std::vector<std::unique_ptr<InProcessClass>> m_classes;
    std::vector<SlotFake*> m_fakes;
};

// A call as the fake recorded it, for EXPECT_EQ on the whole list.
struct SlotCall
{
    int slot;
    std::vector<LONGLONG> args;
    bool operator==(const SlotCall& other) const { return slot == other.slot && args == other.args; }
};

inline std::vector<SlotCall> Recorded(const SlotFake* fake)
{
    std::vector<SlotCall> calls;
    for (const SlotFake::Call& call : fake->Calls())
        calls.push_back({call.slot, call.args});
    return calls;
}

inline void PrintTo(const SlotCall& call, std::ostream* os)
{
    *os << "{slot " << call.slot << ":";
    for (LONGLONG arg : call.args)
        *os << " " << arg;
    *os << "}";
}
