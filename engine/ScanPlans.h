// The built-in country list, the default video standard of each country and
// the built-in scan frequency plans the manager falls back on when
// "ChannelPoint.ini" has no table for the country. Constant data and pure
// lookups with no state: any thread may call them (the manager does so on the
// user-interface thread).
#pragma once
#include <windows.h>
#include <strmif.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ScanPlans {

// A frequency plan is one block of signed 32-bit words: the first channel,
// the last channel, the tuner's intermediate frequency in Hz, then the
// picture carrier in Hz of every channel from 1 to the last channel. A channel
// the plan does not have (below the first one, or a gap in the numbering)
// holds 0.
struct FrequencyPlan
{
    const char* name;        // for traces and test messages
    const int32_t* words;
    size_t wordCount;        // 3 + last channel

    int32_t FirstChannel() const { return words[0]; }
    int32_t LastChannel() const { return words[1]; }
    int32_t IntermediateHz() const { return words[2]; }
    // Picture carrier of channel 1..LastChannel(), 0 when the plan lacks it.
    int32_t CarrierHz(int channel) const { return words[2 + channel]; }
};

// {country code, default standard}. Searched from the last row to the first;
// the first match wins, so a later row overrides an earlier row of the code.
struct CountryStandardRow
{
    int countryCode;
    AnalogVideoStandard standard;
};

// Plans by country, and by standard where no country row applies. Searched
// from the last row to the first.
struct CountryScanRow
{
    int countryCode;
    const FrequencyPlan* antenna;
    const FrequencyPlan* cable;
};

struct StandardScanRow
{
    AnalogVideoStandard standard;
    const FrequencyPlan* antenna;
    const FrequencyPlan* cable;
};

// A read-only view of one of the constant tables.
template <typename T>
struct Rows
{
    const T* first;
    size_t count;

    const T* begin() const { return first; }
    const T* end() const { return first + count; }
    size_t size() const { return count; }
    const T& operator[](size_t i) const { return first[i]; }
};

// Telephone-style country codes offered in the channel page, in display
// order. The list ends with two 0 entries, which name no country.
Rows<int> BuiltInCountryCodes();
Rows<CountryStandardRow> CountryStandardTable();
Rows<CountryScanRow> CountryScanTable();
Rows<StandardScanRow> StandardScanTable();

// The country's default video standard; false when the table has no row for
// the code (standard is then left alone).
bool GetDefaultVideoStandard(int countryCode, AnalogVideoStandard& standard);

// The plan of the country's own row for antenna (true) or cable (false)
// reception; nullptr when the country has no row or the row has no such plan.
const FrequencyPlan* FindCountryPlan(int countryCode, bool antenna);

// The plan of the standard's row; nullptr when no row names the standard.
const FrequencyPlan* FindStandardPlan(AnalogVideoStandard standard, bool antenna);

// The built-in plan a scan uses: the country's own row, else the row of the
// country's default standard (NTSC_M for a country without one); nullptr when
// neither gives a plan.
const FrequencyPlan* FindBuiltInScanPlan(int countryCode, bool antenna);

// The scan frequency list of a plan: one value in MHz for every channel from
// 1 to the last channel, zeros included (each word read as unsigned).
std::vector<float> ToMHzList(const FrequencyPlan& plan);

} // namespace ScanPlans
