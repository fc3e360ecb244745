// The engine's road to its capture card, end to end under Wine: the card
// classes registered, the virtual card registered under both of its
// drivers' names, and the look-up order (BDA name first, WDM name second,
// then the crossbar of the driver that answered) through CRootGraph.
#include "cards/CrossBarFilter.h"
#include "cards/families/7130CardFilter.h"
#include "cards/families/Hesk713xCardFilter.h"
#include "cards/families/Saa713xFilters.h"
#include "graph/RootGraph.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>
#include <uuids.h>

#include <typeinfo>

namespace {

// Named by the virtual card's module: set, the BDA driver is absent from
// this process.
const char kWdmOnlyVariable[] = "PELLAMAR_VIRTUALCARD_WDM_ONLY";

class Saa713xLookUp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        IBaseFilter* found = NULL;
        if (CRootFilter::FindDeviceFilter(CLSID_VideoInputDeviceCategory, "713x BDA Analog Capture",
                                          &found) != S_OK)
            GTEST_SKIP() << "the virtual card is not registered in this prefix";
        found->Release();
        RegisterSaa713xFilters();
        ASSERT_TRUE(m_graph.MakeGraph());
    }
    void TearDown() override
    {
        m_graph.DeleteAllFilters();
        UnregisterSaa713xFilters();
        SetEnvironmentVariableA(kWdmOnlyVariable, NULL);
    }

    // As the engine: the BDA capture filter, else the WDM one; the crossbar
    // of the same driver.
    CTVCardFilter* AddCard(CCrossBarFilter** crossbar)
    {
        bool bda = true;
        CRootFilter* card = m_graph.AddFilterByName(&CLSID_VideoInputDeviceCategory,
                                                    "713x BDA Analog Capture", "Capture", TRUE, 0);
        if (!card) {
            bda = false;
            card = m_graph.AddFilterByName(&CLSID_VideoInputDeviceCategory, "713x TV Card Capture",
                                           "Capture", TRUE, 0);
        }
        *crossbar = dynamic_cast<CCrossBarFilter*>(m_graph.AddFilterByName(
            &AM_KSCATEGORY_CROSSBAR, bda ? "713x BDA Analog Xbar" : "713x TV Card Crossbar",
            "CrossBar", TRUE, 0));
        return dynamic_cast<CTVCardFilter*>(card);
    }

    CRootGraph m_graph;
};

} // namespace

TEST_F(Saa713xLookUp, BothDriversGiveTheBdaCard)
{
    CCrossBarFilter* crossbar = NULL;
    CTVCardFilter* card = AddCard(&crossbar);
    ASSERT_NE(nullptr, card);
    EXPECT_EQ(typeid(CHesk713xCardFilter), typeid(*card));
    EXPECT_EQ(22, card->GetCardType());
    // The BDA card's tuner from its driver tuner id: type 5.
    EXPECT_EQ(5, card->GetTunerType());
    ASSERT_NE(nullptr, card->GetTuner());
    EXPECT_TRUE(card->SetTVFrequency(175250));
    long locked = 0;
    EXPECT_EQ(S_OK, card->IsSignalLocked(&locked));
    EXPECT_EQ(1, locked);
    ASSERT_NE(nullptr, crossbar);
    EXPECT_EQ(typeid(CHesk713XBarFilter), typeid(*crossbar));

    // Its power-on controller answers through the BDA driver.
    ASSERT_TRUE(card->SetOpenComputerTime(90));
    WORD minutes = 0;
    ASSERT_TRUE(card->GetOpenComputerTime(&minutes));
    EXPECT_EQ(90, minutes);
    EXPECT_TRUE(card->EnableOpenComputer(FALSE));
}

TEST_F(Saa713xLookUp, WdmDriverOnlyGivesThe7130Card)
{
    SetEnvironmentVariableA(kWdmOnlyVariable, "1");
    CCrossBarFilter* crossbar = NULL;
    CTVCardFilter* card = AddCard(&crossbar);
    ASSERT_NE(nullptr, card);
    EXPECT_EQ(typeid(C7130CardFilter), typeid(*card));
    EXPECT_EQ(2, card->GetCardType());
    EXPECT_NE(nullptr, card->GetTuner());
    ASSERT_NE(nullptr, crossbar);
    EXPECT_EQ(typeid(C7130CrossBarFilter), typeid(*crossbar));
}
