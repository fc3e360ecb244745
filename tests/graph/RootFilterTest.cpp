// CRootFilter and CRootPin against Wine's stock filters, with devices of a
// private category registered through IFilterMapper2.
#include "graph/ComPtr.h"
#include "graph/FilterCreatorRecord.h"
#include "graph/Guids.h"
#include "graph/RootFilter.h"
#include "graph/RootGraph.h"
#include "tests/support/TestDevices.h"

#include <gtest/gtest.h>
#include <uuids.h>

#include <memory>

namespace {

// {6F1C3E52-8D0A-4C55-9A43-2B7E5D1F0A01}
const GUID kCardCategory = {0x6f1c3e52, 0x8d0a, 0x4c55, {0x9a, 0x43, 0x2b, 0x7e, 0x5d, 0x1f, 0x0a, 0x01}};

// Listed in key order: an unnamed device first, then two devices of one
// name with another name between them.
const std::vector<TestDevice> kCards = {
    {L"k0", L"", &CLSID_NullRenderer},
    {L"k1", L"713x TV Card Capture", &CLSID_SmartTee},
    {L"k2", L"Other Device", &CLSID_NullRenderer},
    {L"k3", L"713x TV Card Capture", &CLSID_AviDest},
};

class RootFilterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_devices.Ok());
        FilterCreatorRecord::SetDeviceIndex(0);
    }
    void TearDown() override { FilterCreatorRecord::SetDeviceIndex(0); }

    TestDeviceCategory m_devices{kCardCategory, kCards};
};

TEST_F(RootFilterTest, DeviceLookUpByPrefixAndIndex)
{
    struct Case
    {
        const char* asked;
        BOOL firstMatch;
        int index;
        const CLSID* expected;  // NULL: no device taken
        const char* deviceName;
    } cases[] = {
        {"713x", FALSE, 0, &CLSID_SmartTee, "713x TV Card Capture"},
        // The device in between has another name and is not counted.
        {"713x", FALSE, 1, &CLSID_AviDest, "713x TV Card Capture"},
        {"713x", FALSE, 2, NULL, ""},
        {"713x TV Card Capture", TRUE, 5, &CLSID_SmartTee, "713x TV Card Capture"},
        // The found name may be a prefix of the asked one.
        {"713x TV Card Capture (second)", FALSE, 0, &CLSID_SmartTee, "713x TV Card Capture"},
        {"Other", FALSE, 0, &CLSID_NullRenderer, "Other Device"},
        // The unnamed device must not answer to every name.
        {"Missing", FALSE, 0, NULL, ""},
        {"Missing", TRUE, 0, NULL, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.asked) + " #" + std::to_string(c.index));
        FilterCreatorRecord::SetDeviceIndex(c.index);
        CRootFilter filter(NULL, &kCardCategory, c.asked, c.firstMatch);
        EXPECT_EQ(c.expected != NULL, filter.IsValid() != FALSE);
        EXPECT_STREQ(c.deviceName, filter.GetDeviceName());
        if (c.expected) {
            ASSERT_NE(nullptr, filter.GetFilter());
            EXPECT_EQ(*c.expected, FilterClassId(filter.GetFilter()));
            EXPECT_GT(filter.GetPinCount(), 0);
        } else {
            EXPECT_EQ(nullptr, filter.GetFilter());
        }
    }
}

TEST_F(RootFilterTest, FindDeviceFilterTakesTheFirstMatch)
{
    ComPtr<IBaseFilter> filter;
    EXPECT_EQ(S_OK, CRootFilter::FindDeviceFilter(kCardCategory, "713x TV", &filter));
    EXPECT_EQ(CLSID_SmartTee, FilterClassId(filter.Get()));
    EXPECT_EQ(S_FALSE, CRootFilter::FindDeviceFilter(kCardCategory, "Missing", &filter));
    EXPECT_EQ(nullptr, filter.Get());
}

TEST(RootFilterPins, ListsPinsInEnumerationOrderAndFindsThem)
{
    CRootFilter tee(NULL, &CLSID_SmartTee);
    ASSERT_TRUE(tee.IsValid());
    ASSERT_EQ(3, tee.GetPinCount());
    EXPECT_STREQ("Input", tee.GetPinAt(0)->GetName());
    EXPECT_STREQ("Capture", tee.GetPinAt(1)->GetName());
    EXPECT_STREQ("Preview", tee.GetPinAt(2)->GetName());
    EXPECT_EQ(nullptr, tee.GetPinAt(3));
    EXPECT_EQ(nullptr, tee.GetPinAt(-1));

    EXPECT_EQ(tee.GetPinAt(2), tee.FindPinByName("Preview"));
    EXPECT_EQ(nullptr, tee.FindPinByName("preview"));  // exact, case-sensitive
    EXPECT_EQ(nullptr, tee.FindPinByName(NULL));
    EXPECT_EQ(tee.GetPinAt(1), tee.FindPinByIPin(tee.GetPinAt(1)->GetIPin()));

    LPWSTR id = NULL;
    ASSERT_TRUE(tee.GetPinAt(2)->QueryId(&id));
    EXPECT_EQ(tee.GetPinAt(2), tee.FindPinById(id));
    CoTaskMemFree(id);

    CRootPin* input = tee.GetPinAt(0);
    EXPECT_EQ(input, tee.FindPin(PINDIR_INPUT, TRUE));
    EXPECT_EQ(nullptr, tee.FindPin(PINDIR_INPUT, FALSE));
    EXPECT_EQ(tee.GetPinAt(1), tee.FindPin(PINDIR_OUTPUT, TRUE));
    EXPECT_EQ(nullptr, tee.FindPin(PINDIR_INPUT, 2));

    // A recorded peer makes the pin "connected" for FindPin.
    input->SetPeer(tee.GetPinAt(1));
    EXPECT_EQ(nullptr, tee.FindPin(PINDIR_INPUT, TRUE));
    EXPECT_EQ(input, tee.FindPin(PINDIR_INPUT, FALSE));
    input->SetPeer(NULL);

    EXPECT_TRUE(tee.RemovePin(tee.GetPinAt(1)));
    EXPECT_EQ(2, tee.GetPinCount());
    EXPECT_STREQ("Preview", tee.GetPinAt(1)->GetName());
    CRootPin stranger(NULL, NULL);
    EXPECT_FALSE(tee.RemovePin(&stranger));
}

TEST(RootFilterPins, ConstructionFailuresLeaveAnInvalidWrapper)
{
    const GUID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    CRootFilter noClass(NULL, &unknown);
    EXPECT_FALSE(noClass.IsValid());
    EXPECT_EQ(nullptr, noClass.GetFilter());
    EXPECT_FALSE(noClass.InitOnce());

    CRootFilterFromInterface none(NULL, NULL);
    EXPECT_FALSE(none.IsValid());
    CRootFilter noName(NULL, &kCardCategory, NULL, TRUE);
    EXPECT_FALSE(noName.IsValid());
}

TEST(RootFilterPins, WrapsAFilterFromItsInterfaceWithItsGraphName)
{
    CRootGraph graph;
    ComPtr<IBaseFilter> renderer;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_NullRenderer, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     reinterpret_cast<void**>(&renderer)));
    ASSERT_EQ(S_OK, graph.GetGraph()->AddFilter(renderer.Get(), L"Sink One"));
    {
        CRootFilterFromInterface wrapper(&graph, renderer.Get());
        ASSERT_TRUE(wrapper.IsValid());
        EXPECT_STREQ("Sink One", wrapper.GetName());
        EXPECT_STREQ("Sink One", wrapper.GetDeviceName());
        EXPECT_EQ(renderer.Get(), wrapper.GetFilter());
        EXPECT_TRUE(wrapper.IsInGraph());
        EXPECT_EQ(1, wrapper.GetPinCount());
    }
    // The wrapper gave back exactly the references it took.
    graph.GetGraph()->RemoveFilter(renderer.Get());
    renderer->AddRef();
    EXPECT_EQ(1u, renderer->Release());
}

TEST(RootFilterPins, NamesAreBoundedToTheirFields)
{
    CRootFilter tee(NULL, &CLSID_SmartTee);
    std::string longName(300, 'n');
    tee.SetName(longName.c_str());
    EXPECT_EQ(std::string(127, 'n'), tee.GetName());
    tee.SetName(NULL);
    EXPECT_STREQ("", tee.GetName());
}

} // namespace
