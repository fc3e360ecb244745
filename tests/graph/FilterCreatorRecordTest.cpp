// The filter-creator registry through CRootGraph: which wrapper class is
// made for a class id or a category and name, whatever the order in which
// the records were registered; two-phase construction; wrapping filters that
// are already in the graph.
#include "graph/ComPtr.h"
#include "graph/FilterCreatorRecord.h"
#include "graph/Guids.h"
#include "graph/RootFilter.h"
#include "graph/RootGraph.h"
#include "tests/support/TestDevices.h"

#include <gtest/gtest.h>
#include <uuids.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

// {6F1C3E52-8D0A-4C55-9A43-2B7E5D1F0A02}
const GUID kCardCategory = {0x6f1c3e52, 0x8d0a, 0x4c55, {0x9a, 0x43, 0x2b, 0x7e, 0x5d, 0x1f, 0x0a, 0x02}};

const std::vector<TestDevice> kCards = {
    {L"k1", L"713x TV Card Capture", &CLSID_SmartTee},
    {L"k2", L"Other Device", &CLSID_NullRenderer},
    {L"k3", L"713x TV Card Capture", &CLSID_AviDest},
};

enum Kind { kPlain, kWildcard, kExact, kExactLater, kByClsid, kDeep };

// Test wrappers tell which record made them and count their Init calls at
// every level of the hierarchy.
class CKindFilter : public CRootFilter
{
public:
    CKindFilter(CRootGraph* g, const CLSID* clsid) : CRootFilter(g, clsid) {}
    CKindFilter(CRootGraph* g, const GUID* cat, const char* name, BOOL first)
        : CRootFilter(g, cat, name, first) {}
    virtual Kind GetKind() const = 0;
    BOOL Init() override
    {
        m_nBaseInits++;
        return CRootFilter::Init();
    }
    int m_nBaseInits = 0;
};

template <Kind K>
class CTestFilter : public CKindFilter
{
public:
    using CKindFilter::CKindFilter;
    Kind GetKind() const override { return K; }
};

// Three levels deep: the defaults hook runs before Init, each Init once.
class CDeepFilter : public CTestFilter<kDeep>
{
public:
    using CTestFilter<kDeep>::CTestFilter;
    void OnVirtual4() override { m_bDefaultsBeforeInit = m_nBaseInits == 0 && m_nDeepInits == 0; }
    BOOL Init() override
    {
        m_nDeepInits++;
        return CTestFilter<kDeep>::Init();
    }
    int m_nDeepInits = 0;
    bool m_bDefaultsBeforeInit = false;
};

FilterCreatorRecord g_Wildcard = FILTER_CREATOR_RECORD(NULL, &kCardCategory, CLASS_FILTER_NAME, CreateFilterWrapper<CTestFilter<kWildcard>>);
FilterCreatorRecord g_Exact = FILTER_CREATOR_RECORD(NULL, &kCardCategory, "713x TV Card Capture", CreateFilterWrapper<CTestFilter<kExact>>);
FilterCreatorRecord g_ExactLater = FILTER_CREATOR_RECORD(NULL, &kCardCategory, "713x TV Card Capture", CreateFilterWrapper<CTestFilter<kExactLater>>);
FilterCreatorRecord g_ByClsid = FILTER_CREATOR_RECORD(&CLSID_SmartTee, NULL, "Smart Tee", CreateFilterWrapper<CTestFilter<kByClsid>>);
FilterCreatorRecord g_Deep = FILTER_CREATOR_RECORD(&CLSID_NullRenderer, NULL, "Null Renderer", CreateFilterWrapper<CDeepFilter>);

// Registers records in the given order for one scope.
class ScopedRecords
{
public:
    ScopedRecords(std::initializer_list<FilterCreatorRecord*> records) : m_records(records)
    {
        for (FilterCreatorRecord* r : m_records)
            FilterCreatorRecord::Register(r);
    }
    ~ScopedRecords()
    {
        for (FilterCreatorRecord* r : m_records)
            FilterCreatorRecord::Unregister(r);
    }

private:
    std::vector<FilterCreatorRecord*> m_records;
};

Kind KindOf(CRootFilter* filter)
{
    CKindFilter* kind = dynamic_cast<CKindFilter*>(filter);
    return kind ? kind->GetKind() : kPlain;
}

class FilterCreatorRecordTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_devices.Ok()); }
    TestDeviceCategory m_devices{kCardCategory, kCards};
    CRootGraph m_graph;
};

TEST_F(FilterCreatorRecordTest, PrecedenceByNameDoesNotDependOnRegistrationOrder)
{
    struct Case
    {
        std::vector<FilterCreatorRecord*> order;
        const char* asked;
        int deviceIndex;
        bool made;
        Kind kind;
        const CLSID* device;
    } cases[] = {
        {{&g_Wildcard, &g_Exact}, "713x TV Card Capture", 0, true, kExact, &CLSID_SmartTee},
        {{&g_Exact, &g_Wildcard}, "713x TV Card Capture", 0, true, kExact, &CLSID_SmartTee},
        {{&g_Exact, &g_Wildcard}, "713x TV Card Capture", 1, true, kExact, &CLSID_AviDest},
        {{&g_Exact, &g_Wildcard}, "Other Device", 0, true, kWildcard, &CLSID_NullRenderer},
        // Two records for one name: the one registered last wins.
        {{&g_Exact, &g_ExactLater}, "713x TV Card Capture", 0, true, kExactLater, &CLSID_SmartTee},
        {{&g_ExactLater, &g_Exact}, "713x TV Card Capture", 0, true, kExact, &CLSID_SmartTee},
        // Registry names match exactly; the device look-up then goes by prefix.
        {{&g_Exact}, "713x", 0, true, kPlain, &CLSID_SmartTee},
        {{&g_Exact}, "Other Device", 0, true, kPlain, &CLSID_NullRenderer},
        {{&g_Wildcard}, "Missing", 0, false, kPlain, NULL},
        {{}, "Missing", 0, false, kPlain, NULL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.asked) + " #" + std::to_string(&c - cases));
        ScopedRecords records{};
        for (FilterCreatorRecord* r : c.order)
            FilterCreatorRecord::Register(r);
        CRootFilter* before = m_graph.GetFirstFilter();
        CRootFilter* filter = m_graph.AddFilterByName(&kCardCategory, c.asked, "Card", FALSE,
                                                      c.deviceIndex);
        for (FilterCreatorRecord* r : c.order)
            FilterCreatorRecord::Unregister(r);
        if (!c.made) {
            EXPECT_EQ(nullptr, filter);
            EXPECT_EQ(before, m_graph.GetFirstFilter());
            continue;
        }
        ASSERT_NE(nullptr, filter);
        EXPECT_EQ(filter, m_graph.GetFirstFilter());
        EXPECT_EQ(c.kind, KindOf(filter));
        EXPECT_STREQ("Card", filter->GetName());
        EXPECT_EQ(*c.device, FilterClassId(filter->GetFilter()));
        EXPECT_TRUE(filter->IsInGraph());
        m_graph.DeleteFilter(filter);
    }
}

TEST_F(FilterCreatorRecordTest, WildcardPassesTheAskedNameOn)
{
    ScopedRecords records{&g_Wildcard};
    CRootFilter* filter = m_graph.AddFilterByName(&kCardCategory, "Other Device", "Audio Device",
                                                  FALSE, 0);
    ASSERT_NE(nullptr, filter);
    EXPECT_EQ(kWildcard, KindOf(filter));
    EXPECT_STREQ("Other Device", g_Wildcard.askedName);
    EXPECT_STREQ("Other Device", filter->GetDeviceName());
    EXPECT_STREQ("Audio Device", filter->GetName());
    EXPECT_EQ(nullptr, m_graph.AddFilterByName(&kCardCategory, "Other Device", NULL, FALSE, 0));
}

TEST_F(FilterCreatorRecordTest, ClassIdRecordsAndTheClassIdConstructorAfterANameLookUp)
{
    ScopedRecords records{&g_Wildcard, &g_ByClsid};
    // The name look-up tests (and marks) every record it passes...
    ASSERT_NE(nullptr, m_graph.AddFilterByName(&kCardCategory, "Other Device", "Named", FALSE, 0));
    EXPECT_TRUE(g_ByClsid.matchedByName);
    // ...and the class-id look-up resets the mark, so the class-id
    // constructor makes the wrapper.
    CRootFilter* tee = m_graph.AddFilterByCLSID(&CLSID_SmartTee, "Tee");
    ASSERT_NE(nullptr, tee);
    EXPECT_FALSE(g_ByClsid.matchedByName);
    EXPECT_EQ(kByClsid, KindOf(tee));
    EXPECT_EQ(CLSID_SmartTee, FilterClassId(tee->GetFilter()));
    EXPECT_STREQ("", tee->GetDeviceName());
    // No record for this class id: a plain wrapper under the given name.
    CRootFilter* mux = m_graph.AddFilterByCLSID(&CLSID_AviDest, "Mux");
    ASSERT_NE(nullptr, mux);
    EXPECT_EQ(kPlain, KindOf(mux));
    EXPECT_STREQ("Mux", mux->GetName());
}

TEST_F(FilterCreatorRecordTest, DeepWrapperRunsDefaultsThenEachInitOnce)
{
    ScopedRecords records{&g_Deep};
    CRootFilter* filter = m_graph.AddFilterByCLSID(&CLSID_NullRenderer, "Deep");
    CDeepFilter* deep = dynamic_cast<CDeepFilter*>(filter);
    ASSERT_NE(nullptr, deep);
    EXPECT_EQ(1, deep->m_nDeepInits);
    EXPECT_EQ(1, deep->m_nBaseInits);
    EXPECT_TRUE(deep->m_bDefaultsBeforeInit);
    EXPECT_TRUE(deep->InitOnce());
    EXPECT_EQ(1, deep->m_nDeepInits);
}

TEST_F(FilterCreatorRecordTest, RegisteringTwiceKeepsOneEntry)
{
    ScopedRecords records{&g_Exact, &g_Wildcard};
    FilterCreatorRecord::Register(&g_Exact);
    int count = 0;
    for (FilterCreatorRecord* r = FilterCreatorRecord::Head(); r && count < 100; r = r->next)
        count++;
    EXPECT_EQ(2, count);
    EXPECT_EQ(&g_Wildcard, FilterCreatorRecord::Head());
}

TEST_F(FilterCreatorRecordTest, WrapsFiltersAlreadyInTheGraphNotNewOnes)
{
    ScopedRecords records{&g_Deep};
    ComPtr<IBaseFilter> renderer, tee;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_NullRenderer, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     reinterpret_cast<void**>(&renderer)));
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_SmartTee, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     reinterpret_cast<void**>(&tee)));
    ASSERT_EQ(S_OK, m_graph.GetGraph()->AddFilter(renderer.Get(), L"Found Renderer"));
    ASSERT_EQ(S_OK, m_graph.GetGraph()->AddFilter(tee.Get(), L"Found Tee"));
    CRootFilter* mine = m_graph.AddFilterByCLSID(&CLSID_AviDest, "Mine");
    ASSERT_NE(nullptr, mine);

    ASSERT_TRUE(m_graph.WrapGraphFilters());
    CRootFilter* wrappedRenderer = m_graph.FindFilter(renderer.Get());
    CRootFilter* wrappedTee = m_graph.FindFilter(tee.Get());
    ASSERT_NE(nullptr, wrappedRenderer);
    ASSERT_NE(nullptr, wrappedTee);
    // The record's class wraps the very object found in the graph.
    EXPECT_EQ(kDeep, KindOf(wrappedRenderer));
    EXPECT_EQ(1, dynamic_cast<CDeepFilter*>(wrappedRenderer)->m_nDeepInits);
    EXPECT_STREQ("Found Renderer", wrappedRenderer->GetName());
    EXPECT_EQ(kPlain, KindOf(wrappedTee));
    EXPECT_STREQ("Found Tee", wrappedTee->GetName());
    EXPECT_EQ(3, wrappedTee->GetPinCount());
    // Already wrapped filters are not wrapped twice.
    int count = 0;
    for (CRootFilter* f = m_graph.GetFirstFilter(); f; f = f->GetNext())
        count++;
    EXPECT_EQ(3, count);
    m_graph.WrapGraphFilters();
    int again = 0;
    for (CRootFilter* f = m_graph.GetFirstFilter(); f; f = f->GetNext())
        again++;
    EXPECT_EQ(3, again);
}

} // namespace
