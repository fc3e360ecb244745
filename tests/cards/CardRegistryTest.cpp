// Card and crossbar wrappers made through the filter-creator registry over
// the virtual capture card registered in the test prefix: the path the
// engine takes to its card.
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "graph/FilterCreatorRecord.h"
#include "graph/RootGraph.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>
#include <uuids.h>

namespace {

FilterCreatorRecord g_Card = FILTER_CREATOR_RECORD(
    NULL, &CLSID_VideoInputDeviceCategory, "713x TV Card Capture", CreateFilterWrapper<CTVCardFilter>);
FilterCreatorRecord g_Crossbar = FILTER_CREATOR_RECORD(
    NULL, &AM_KSCATEGORY_CROSSBAR, "713x TV Card Crossbar", CreateFilterWrapper<CCrossBarFilter>);

class CardRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FilterCreatorRecord::Register(&g_Card);
        FilterCreatorRecord::Register(&g_Crossbar);
        IBaseFilter* found = NULL;
        if (CRootFilter::FindDeviceFilter(CLSID_VideoInputDeviceCategory, "713x TV Card Capture",
                                          &found) != S_OK)
            GTEST_SKIP() << "the virtual card is not registered in this prefix";
        found->Release();
    }
    void TearDown() override
    {
        FilterCreatorRecord::Unregister(&g_Card);
        FilterCreatorRecord::Unregister(&g_Crossbar);
    }
    CRootGraph m_graph;
};

TEST_F(CardRegistryTest, EngineMakesTheCardAndItsCrossbarByName)
{
    CTVCardFilter* card = dynamic_cast<CTVCardFilter*>(
        m_graph.AddFilterByName(&CLSID_VideoInputDeviceCategory, "713x TV Card Capture", "Capture",
                                FALSE, 0));
    ASSERT_NE(nullptr, card);
    EXPECT_TRUE(card->IsInGraph());
    EXPECT_EQ(2, card->GetCardType());
    EXPECT_NE(nullptr, card->GetTuner());
    EXPECT_NE(nullptr, card->FindPinByName("Capture"));
    VideoFormat format;
    ASSERT_EQ(S_OK, card->GetVideoFormat(&format, 1));
    EXPECT_GT(format.bmiHeader.biWidth, 0);
    EXPECT_NE(-1, format.format);
    EXPECT_EQ(S_OK, card->SetVideoFormat(format, 1));
    // Code 5 has no subtype of its own: YUY2; the image size is computed.
    VideoFormat yuy2 = format;
    yuy2.format = 5;
    yuy2.bmiHeader.biCompression = MAKEFOURCC('Y', 'U', 'Y', '2');
    yuy2.bmiHeader.biBitCount = 16;
    yuy2.bmiHeader.biSizeImage = 1;
    ASSERT_EQ(S_OK, card->SetVideoFormat(yuy2, 1));
    {
        VideoFormat back;
        ASSERT_EQ(S_OK, card->GetVideoFormat(&back, 1));
        EXPECT_EQ(2, back.format);
        LONG height = back.bmiHeader.biHeight < 0 ? -back.bmiHeader.biHeight : back.bmiHeader.biHeight;
        EXPECT_EQ((DWORD)(back.bmiHeader.biWidth * height * 2), back.bmiHeader.biSizeImage);
    }

    unsigned version = 0;
    EXPECT_TRUE(card->GetDriverVersion(&version));
    ProcAmpRange range = {};
    ASSERT_EQ(S_OK, card->GetProcAmpRange(VideoProcAmp_Brightness, &range));
    {
        EXPECT_LE(range.min, range.value);
        EXPECT_GE(range.max, range.value);
        EXPECT_TRUE(SUCCEEDED(card->SetProcAmp(VideoProcAmp_Brightness, range.def)));
    }
    EXPECT_EQ(E_INVALIDARG, card->GetProcAmpRange(VideoProcAmp_Brightness, NULL));

    CCrossBarFilter* crossbar = dynamic_cast<CCrossBarFilter*>(m_graph.AddFilterByName(
        &AM_KSCATEGORY_CROSSBAR, "713x TV Card Crossbar", "Crossbar", FALSE, 0));
    ASSERT_NE(nullptr, crossbar);
    EXPECT_TRUE(crossbar->RouteVideoInput(1));
    EXPECT_TRUE(crossbar->RouteVideoInput(0));
    EXPECT_FALSE(crossbar->Route(99, 0));
    m_graph.DeleteAllFilters();
}

} // namespace
