// The WDM personality's filters as the graph layer wraps them: looked up by
// category and FriendlyName through CRootGraph, listed by their wrapper
// name, with the pins the card filters and the engine ask for by name.
#include "graph/RootGraph.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <gtest/gtest.h>
#include <uuids.h>

namespace {

TEST(VirtualCardInRootGraph, CreatedAndWrappedByName)
{
    CRootGraph graph;
    ASSERT_TRUE(graph.MakeGraph());
    const struct { const GUID* category; const char* name; const char* label; const CLSID* clsid;
                   const char* pins[2]; } devices[] = {
        {&CLSID_VideoInputDeviceCategory, "713x TV Card Capture", "Capture",
         &virtualcard::CLSID_VirtualCardCapture, {"Capture", "Preview"}},
        {&virtualcard::kCategoryCrossbar, "713x TV Card Crossbar", "Crossbar",
         &virtualcard::CLSID_VirtualCardCrossbar, {"0: Video Tuner In", "1: Audio Decoder Out"}},
    };
    for (const auto& d : devices) {
        CRootFilter* filter = graph.AddFilterByName(d.category, d.name, d.label, TRUE, 0);
        ASSERT_NE(nullptr, filter) << d.name;
        EXPECT_TRUE(filter->IsValid());
        CLSID clsid = GUID_NULL;
        ASSERT_TRUE(CRootGraph::GetFilterClassID(filter->GetFilter(), &clsid));
        EXPECT_EQ(*d.clsid, clsid) << d.name;
        EXPECT_EQ(filter, graph.FindFilterByName(d.label));
        for (const char* pin : d.pins)
            EXPECT_NE(nullptr, filter->FindPinByName(pin)) << d.name << " / " << pin;
    }
    // A name nobody registered makes no filter.
    EXPECT_EQ(nullptr, graph.AddFilterByName(&CLSID_VideoInputDeviceCategory, "713x_9 TV Card Capture",
                                             "Missing", TRUE, 0));
    graph.DestroyGraph();
}

} // namespace
