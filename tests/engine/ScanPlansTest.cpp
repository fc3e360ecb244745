#include "engine/ScanPlans.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace ScanPlans;

namespace {

// The bounds a plan must keep: slots, intermediate frequency and the lowest
// and highest carrier. `ordered` is false for plans numbered by channel whose
// numbering is not in frequency order (North American cable).
struct Bounds
{
    int first;
    int last;
    double ifMHz;
    double lowMHz;
    double highMHz;
    bool ordered;
};

struct CountryRowCase
{
    int code;
    Bounds antenna;
    Bounds cable;
};

const CountryRowCase kCountryRows[] = {
    {12, {1, 73, 38.90, 46.25, 855.25, true}, {1, 58, 38.90, 46.25, 463.25, true}},
    {48, {3, 69, 38.90, 45.75, 855.25, true}, {1, 38, 38.90, 111.25, 463.25, true}},
    {22, {1, 69, 38.90, 44.25, 855.25, true}, {1, 65, 38.90, 41.25, 463.25, true}},
    {96, {2, 69, 38.90, 45.75, 855.25, true}, {2, 131, 38.90, 49.75, 943.25, true}},
    {108, {2, 69, 38.90, 48.25, 855.25, true}, {1, 75, 38.90, 41.25, 695.25, true}},
    {109, {1, 69, 38.90, 53.75, 855.25, true}, {1, 58, 38.90, 53.75, 463.25, true}},
    {156, {1, 69, 38.90, 45.25, 855.25, true}, {1, 58, 38.90, 45.25, 463.25, true}},
    {172, {3, 69, 38.90, 45.75, 855.25, true}, {1, 38, 38.90, 111.25, 463.25, true}},
    {194, {1, 69, 38.90, 45.75, 855.25, true}, {1, 44, 38.90, 69.25, 463.25, true}},
    {206, {1, 69, 38.90, 44.25, 855.25, true}, {1, 58, 38.90, 41.25, 463.25, true}},
    {146, {1, 69, 38.90, 48.25, 855.25, true}, {1, 65, 38.90, 41.25, 463.25, true}},
    {152, {2, 81, 38.90, 48.25, 851.00, true}, {2, 56, 38.90, 48.25, 463.25, true}},
    {179, {1, 69, 38.90, 49.75, 855.25, true}, {1, 49, 38.90, 111.25, 943.25, true}},
    {114, {1, 69, 38.90, 49.75, 855.25, true}, {1, 49, 38.90, 111.25, 943.25, true}},
    {118, {1, 69, 38.90, 49.75, 855.25, true}, {1, 49, 38.90, 111.25, 943.25, true}},
    {209, {1, 69, 38.90, 49.75, 855.25, true}, {1, 49, 38.90, 111.25, 943.25, true}},
    {219, {1, 69, 38.90, 49.75, 855.25, true}, {1, 49, 38.90, 111.25, 943.25, true}},
    {229, {1, 69, 38.90, 49.75, 855.25, true}, {1, 49, 38.90, 111.25, 943.25, true}},
    {1, {2, 68, 45.75, 55.25, 801.25, true}, {1, 125, 45.75, 55.25, 799.25, false}},
    {0, {2, 68, 45.75, 55.25, 801.25, true}, {1, 158, 45.75, 54.00, 996.00, false}},
    {0, {1, 58, 38.90, 49.75, 863.25, true}, {1, 131, 38.90, 49.75, 943.25, true}},
    {91, {2, 70, 38.90, 48.25, 863.25, true}, {1, 106, 38.90, 48.25, 863.25, true}},
};

struct StandardRowCase
{
    AnalogVideoStandard standard;
    Bounds antenna;
    Bounds cable;
};

const Bounds kNtscAntenna = {2, 69, 45.75, 55.25, 801.25, true};
const Bounds kNtscCable = {1, 125, 45.75, 55.25, 799.25, false};
const Bounds kBgAntenna = {2, 70, 38.90, 48.25, 863.25, true};
const Bounds kBgCable = {2, 60, 38.90, 48.25, 623.25, true};
const Bounds kDkAntenna = {1, 58, 38.90, 49.75, 863.25, true};
const Bounds kDkCable = {1, 131, 38.90, 49.75, 943.25, true};

const StandardRowCase kStandardRows[] = {
    {AnalogVideo_NTSC_M, kNtscAntenna, kNtscCable},
    {AnalogVideo_None, kNtscAntenna, kNtscCable},
    {AnalogVideo_PAL_N, kNtscAntenna, kNtscCable},
    {AnalogVideo_PAL_M, kNtscAntenna, kNtscCable},
    {AnalogVideo_PAL_B, kBgAntenna, kBgCable},
    {AnalogVideo_SECAM_B, kBgAntenna, kBgCable},
    {AnalogVideo_SECAM_G, kBgAntenna, kBgCable},
    {AnalogVideo_SECAM_K, kDkAntenna, kDkCable},
    {AnalogVideo_SECAM_D, kDkAntenna, kDkCable},
    {AnalogVideo_PAL_D, kDkAntenna, kDkCable},
    {AnalogVideo_PAL_I, {2, 69, 38.90, 45.75, 855.25, true}, {2, 131, 38.90, 49.75, 943.25, true}},
    {AnalogVideo_SECAM_L, {1, 72, 38.90, 47.75, 855.25, true}, {1, 69, 38.90, 47.75, 855.25, true}},
    {AnalogVideo_NTSC_M_J, {1, 62, 45.75, 91.25, 765.25, true}, {1, 75, 45.75, 91.25, 537.25, true}},
};

int32_t Hz(double mhz)
{
    return static_cast<int32_t>(mhz * 1000000.0 + 0.5);
}

void ExpectPlanKeeps(const FrequencyPlan* plan, const Bounds& b, const std::string& where)
{
    SCOPED_TRACE(where);
    ASSERT_NE(plan, nullptr);
    SCOPED_TRACE(plan->name);
    ASSERT_EQ(plan->wordCount, static_cast<size_t>(b.last) + 3);
    EXPECT_EQ(plan->FirstChannel(), b.first);
    EXPECT_EQ(plan->LastChannel(), b.last);
    EXPECT_EQ(plan->IntermediateHz(), Hz(b.ifMHz));

    for (int ch = 1; ch < b.first; ++ch)
        EXPECT_EQ(plan->CarrierHz(ch), 0) << "channel " << ch << " lies below the first channel";
    EXPECT_NE(plan->CarrierHz(b.first), 0) << "the first channel has no carrier";
    EXPECT_NE(plan->CarrierHz(b.last), 0) << "the last channel has no carrier";

    std::vector<int32_t> carriers;
    int32_t previous = 0;
    for (int ch = b.first; ch <= b.last; ++ch) {
        const int32_t hz = plan->CarrierHz(ch);
        if (hz == 0)
            continue;
        if (b.ordered) {
            EXPECT_GT(hz, previous) << "channel " << ch << " is not above the channel before it";
        }
        previous = hz;
        carriers.push_back(hz);
    }
    ASSERT_FALSE(carriers.empty());
    std::sort(carriers.begin(), carriers.end());
    EXPECT_EQ(carriers.front(), Hz(b.lowMHz));
    EXPECT_EQ(carriers.back(), Hz(b.highMHz));
    EXPECT_EQ(std::adjacent_find(carriers.begin(), carriers.end()), carriers.end())
        << "a carrier appears twice";
}

TEST(ScanPlans, CountryRowsKeepTheirOrderAndBounds)
{
    const Rows<CountryScanRow> rows = CountryScanTable();
    ASSERT_EQ(rows.size(), std::size(kCountryRows));
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string where = "country row " + std::to_string(i) + ", code " +
                                  std::to_string(kCountryRows[i].code);
        EXPECT_EQ(rows[i].countryCode, kCountryRows[i].code) << where;
        ExpectPlanKeeps(rows[i].antenna, kCountryRows[i].antenna, where + " antenna");
        ExpectPlanKeeps(rows[i].cable, kCountryRows[i].cable, where + " cable");
    }
}

TEST(ScanPlans, StandardRowsKeepTheirOrderAndBounds)
{
    const Rows<StandardScanRow> rows = StandardScanTable();
    ASSERT_EQ(rows.size(), std::size(kStandardRows));
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string where = "standard row " + std::to_string(i);
        EXPECT_EQ(rows[i].standard, kStandardRows[i].standard) << where;
        ExpectPlanKeeps(rows[i].antenna, kStandardRows[i].antenna, where + " antenna");
        ExpectPlanKeeps(rows[i].cable, kStandardRows[i].cable, where + " cable");
    }
}

// Rows that stand for one plan reference one block.
TEST(ScanPlans, RowsOfOnePlanShareIt)
{
    const Rows<CountryScanRow> countries = CountryScanTable();
    const Rows<StandardScanRow> standards = StandardScanTable();
    const std::vector<std::vector<size_t>> countryGroups = {
        {1, 7},                       // 48 and 172
        {12, 13, 14, 15, 16, 17},     // 179, 114, 118, 209, 219, 229
    };
    for (const auto& group : countryGroups) {
        for (size_t i : group) {
            EXPECT_EQ(countries[i].antenna, countries[group[0]].antenna) << "row " << i;
            EXPECT_EQ(countries[i].cable, countries[group[0]].cable) << "row " << i;
        }
    }
    const std::vector<std::vector<size_t>> standardGroups = {{0, 1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    for (const auto& group : standardGroups) {
        for (size_t i : group) {
            EXPECT_EQ(standards[i].antenna, standards[group[0]].antenna) << "row " << i;
            EXPECT_EQ(standards[i].cable, standards[group[0]].cable) << "row " << i;
        }
    }
}

// A country's standard decides its scan plan unless it has a row of its own;
// each case checks the list length and carriers only the right plan has.
struct ChainCase
{
    int code;
    bool hasStandard;
    AnalogVideoStandard standard;
    bool antenna;
    size_t count;
    std::vector<double> carriersMHz;
};

const ChainCase kChains[] = {
    // North and South America on the North American plans.
    {1, true, AnalogVideo_NTSC_M, false, 125, {73.25, 121.25, 799.25}},
    {1, true, AnalogVideo_NTSC_M, true, 68, {55.25, 603.25, 615.25, 801.25}},
    {52, true, AnalogVideo_NTSC_M, true, 69, {55.25, 609.25, 801.25}},
    {55, true, AnalogVideo_PAL_M, false, 125, {73.25, 91.25, 649.25}},
    {54, true, AnalogVideo_PAL_N, true, 69, {77.25, 175.25}},
    {81, true, AnalogVideo_NTSC_M_J, true, 62, {91.25, 193.25, 765.25}},
    {81, true, AnalogVideo_NTSC_M_J, false, 75, {109.25, 165.25, 253.25, 537.25}},
    // B/G.
    {49, true, AnalogVideo_PAL_B, true, 70, {48.25, 175.25, 471.25, 855.25}},
    {49, true, AnalogVideo_PAL_B, false, 60, {105.25, 231.25, 303.25, 463.25}},
    {30, true, AnalogVideo_SECAM_B, true, 70, {224.25, 863.25}},
    {377, true, AnalogVideo_SECAM_G, false, 60, {49.75, 168.25}},
    {91, true, AnalogVideo_PAL_B, false, 106, {48.25, 76.25, 463.25, 863.25}},
    // D/K.
    {86, true, AnalogVideo_PAL_D, true, 58, {49.75, 168.25, 559.25, 607.25, 863.25}},
    {7, true, AnalogVideo_SECAM_D, false, 131, {59.25, 111.25, 112.25, 456.25, 943.25}},
    {225, true, AnalogVideo_SECAM_K, true, 58, {57.75, 216.25}},
    {48, true, AnalogVideo_SECAM_D, false, 38, {111.25, 167.25, 231.25, 463.25}},
    {48, true, AnalogVideo_SECAM_D, true, 69, {49.75, 59.25, 223.25, 471.25}},
    {0, true, AnalogVideo_PAL_I, false, 131, {49.75, 112.25, 943.25}},
    // I.
    {44, true, AnalogVideo_PAL_I, true, 69, {471.25, 855.25}},
    {27, true, AnalogVideo_PAL_I, true, 69, {247.25}},
    {353, true, AnalogVideo_PAL_I, false, 131, {49.75, 463.25, 471.25, 943.25}},
    // L.
    {33, true, AnalogVideo_SECAM_L, true, 72, {47.75, 60.50, 176.00, 216.00, 855.25}},
    {33, true, AnalogVideo_SECAM_L, false, 69, {128.00, 296.00, 471.25}},
    // No standard of their own: the North American plans.
    {420, false, AnalogVideo_None, true, 69, {55.25, 801.25}},
    {1200, false, AnalogVideo_None, false, 125, {73.25, 77.25}},
};

TEST(ScanPlans, CountryStandardPlanChain)
{
    for (const ChainCase& c : kChains) {
        SCOPED_TRACE("code " + std::to_string(c.code) + (c.antenna ? " antenna" : " cable"));
        AnalogVideoStandard standard = AnalogVideo_None;
        EXPECT_EQ(GetDefaultVideoStandard(c.code, standard), c.hasStandard);
        if (c.hasStandard) {
            EXPECT_EQ(standard, c.standard);
        }
        const FrequencyPlan* plan = FindBuiltInScanPlan(c.code, c.antenna);
        ASSERT_NE(plan, nullptr);
        const std::vector<float> list = ToMHzList(*plan);
        EXPECT_EQ(list.size(), c.count);
        for (double mhz : c.carriersMHz) {
            EXPECT_NE(std::find(list.begin(), list.end(), static_cast<float>(mhz)), list.end())
                << mhz << " MHz missing from " << plan->name;
        }
    }
}

TEST(ScanPlans, NorthAmericanAntennaListStartsWithTheMissingChannelOne)
{
    const FrequencyPlan* plan = FindBuiltInScanPlan(1, true);
    ASSERT_NE(plan, nullptr);
    const std::vector<float> list = ToMHzList(*plan);
    ASSERT_EQ(list.size(), 68u);
    EXPECT_EQ(list[0], 0.0f);
    EXPECT_EQ(list[1], 55.25f);
}

TEST(ScanPlans, CountryRowBeatsTheStandardRow)
{
    // Code 0 and 1 have rows of their own; 33 has none and takes its standard's.
    EXPECT_EQ(FindBuiltInScanPlan(1, false), FindCountryPlan(1, false));
    EXPECT_NE(FindCountryPlan(1, false), FindStandardPlan(AnalogVideo_NTSC_M, false));
    EXPECT_EQ(FindCountryPlan(0, true), FindStandardPlan(AnalogVideo_SECAM_D, true))
        << "the second row of code 0 is the one found";
    EXPECT_EQ(FindCountryPlan(33, true), nullptr);
    EXPECT_EQ(FindBuiltInScanPlan(33, true), FindStandardPlan(AnalogVideo_SECAM_L, true));
    EXPECT_EQ(FindBuiltInScanPlan(33, false), FindStandardPlan(AnalogVideo_SECAM_L, false));
    EXPECT_EQ(FindStandardPlan(AnalogVideo_PAL_60, true), nullptr);
}

TEST(ScanPlans, DefaultStandardLookups)
{
    struct Case
    {
        int code;
        bool found;
        AnalogVideoStandard standard;
    };
    const Case cases[] = {
        {61, true, AnalogVideo_NTSC_M},    // an earlier PAL_B row is overridden
        {30, true, AnalogVideo_SECAM_B},
        {36, true, AnalogVideo_SECAM_D},
        {81, true, AnalogVideo_NTSC_M_J},
        {40, true, AnalogVideo_PAL_D},
        {0, true, AnalogVideo_PAL_I},
        {598, true, AnalogVideo_PAL_N},
        {221, true, AnalogVideo_SECAM_K},
        {597, true, AnalogVideo_NTSC_M},
        {420, false, AnalogVideo_PAL_60},  // left alone when absent
        {1201, false, AnalogVideo_PAL_60},
        {-1, false, AnalogVideo_PAL_60},
    };
    for (const Case& c : cases) {
        AnalogVideoStandard standard = AnalogVideo_PAL_60;
        EXPECT_EQ(GetDefaultVideoStandard(c.code, standard), c.found) << c.code;
        EXPECT_EQ(standard, c.standard) << c.code;
    }

    // Wherever a code has more than one row, the last one decides.
    std::map<int, AnalogVideoStandard> lastRow;
    for (const CountryStandardRow& row : CountryStandardTable())
        lastRow[row.countryCode] = row.standard;
    for (const auto& entry : lastRow) {
        AnalogVideoStandard standard = AnalogVideo_None;
        ASSERT_TRUE(GetDefaultVideoStandard(entry.first, standard));
        EXPECT_EQ(standard, entry.second) << entry.first;
    }
}

TEST(ScanPlans, MHzListReadsWordsAsUnsigned)
{
    const int32_t words[] = {2, 4, Hz(38.90), 0, Hz(48.25), static_cast<int32_t>(0x80000000u),
                             Hz(863.25)};
    const FrequencyPlan plan{"test", words, std::size(words)};
    const std::vector<float> list = ToMHzList(plan);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], 0.0f);
    EXPECT_EQ(list[1], 48.25f);
    EXPECT_FLOAT_EQ(list[2], 2147.483648f);
    EXPECT_EQ(list[3], 863.25f);

    // A block whose header disagrees with its size gives no list.
    const FrequencyPlan shortPlan{"short", words, 5};
    EXPECT_TRUE(ToMHzList(shortPlan).empty());
}

std::string ModuleFolder()
{
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

TEST(CountryNames, EveryBuiltInCountryHasAName)
{
    const std::string ini = ModuleFolder() + "CountryCode.ini";
    ASSERT_NE(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES) << ini;

    const Rows<int> codes = BuiltInCountryCodes();
    ASSERT_EQ(codes.size(), 154u);
    EXPECT_EQ(codes[152], 0);
    EXPECT_EQ(codes[153], 0);
    std::map<int, int> seen;
    for (int code : codes) {
        if (code == 0)
            continue;
        EXPECT_EQ(++seen[code], 1) << code << " is listed twice";
        char name[256] = {};
        const std::string key = std::to_string(code);
        const DWORD n = GetPrivateProfileStringA("CountryCode", key.c_str(), "", name,
                                                 sizeof(name), ini.c_str());
        EXPECT_GT(n, 0u) << "no name for " << code;
        EXPECT_LE(n, 63u) << "name of " << code << " is longer than the program reads";
    }
}

} // namespace
