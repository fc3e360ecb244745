// The engine's order of look-up for the capture card - the BDA driver's
// name first, the WDM driver's second, and the crossbar of the driver that
// answered - against the virtual card registered under both personalities,
// and in a process where only its WDM driver is present.
#include "graph/RootGraph.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <gtest/gtest.h>
#include <uuids.h>

namespace {

const char kBdaCapture[] = "713x BDA Analog Capture";
const char kWdmCapture[] = "713x TV Card Capture";
const char kBdaCrossbar[] = "713x BDA Analog Xbar";
const char kWdmCrossbar[] = "713x TV Card Crossbar";

// This process behaves as a machine with only the WDM driver while alive.
class WdmOnly
{
public:
    WdmOnly() { SetEnvironmentVariableA(virtualcard::kWdmOnlyVariable, "1"); }
    ~WdmOnly() { SetEnvironmentVariableA(virtualcard::kWdmOnlyVariable, NULL); }
};

struct Found
{
    CLSID capture = GUID_NULL;
    CLSID crossbar = GUID_NULL;
};

// The capture card and its crossbar as the engine looks them up.
Found LookUp()
{
    Found found;
    CRootGraph graph;
    if (!graph.MakeGraph())
        return found;
    bool bda = true;
    CRootFilter* card = graph.AddFilterByName(&CLSID_VideoInputDeviceCategory, kBdaCapture,
                                              "Capture", TRUE, 0);
    if (!card) {
        bda = false;
        card = graph.AddFilterByName(&CLSID_VideoInputDeviceCategory, kWdmCapture, "Capture", TRUE, 0);
    }
    if (!card)
        return found;
    CRootGraph::GetFilterClassID(card->GetFilter(), &found.capture);
    CRootFilter* crossbar = graph.AddFilterByName(&virtualcard::kCategoryCrossbar,
                                                  bda ? kBdaCrossbar : kWdmCrossbar, "CrossBar", TRUE, 0);
    if (crossbar)
        CRootGraph::GetFilterClassID(crossbar->GetFilter(), &found.crossbar);
    graph.DestroyGraph();
    return found;
}

} // namespace

TEST(LookUpOrder, BothPersonalitiesGiveTheBdaCard)
{
    Found found = LookUp();
    EXPECT_EQ(virtualcard::CLSID_VirtualCardBdaCapture, found.capture);
    EXPECT_EQ(virtualcard::CLSID_VirtualCardBdaCrossbar, found.crossbar);
}

TEST(LookUpOrder, WdmDriverOnlyGivesTheWdmCard)
{
    WdmOnly wdmOnly;
    Found found = LookUp();
    EXPECT_EQ(virtualcard::CLSID_VirtualCardCapture, found.capture);
    EXPECT_EQ(virtualcard::CLSID_VirtualCardCrossbar, found.crossbar);
}
