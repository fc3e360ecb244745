#include "platform/virtualcard/Carriers.h"

#include <windows.h>

#include <cstdlib>

namespace virtualcard {

namespace {

const double kLowestKHz = 40000;
const double kHighestKHz = 1000000;

// Western European channels (CCIR B/G): E2, E5, E8, E10 in VHF, E21, E25,
// E30 and E40 in UHF - a spread across the tuner's three bands.
const double kDefaultCarriers[] = {
    48.25 * 1000 /* E2 */,   175.25 * 1000 /* E5 */,  196.25 * 1000 /* E8 */,
    210.25 * 1000 /* E10 */, 471.25 * 1000 /* E21 */, 503.25 * 1000 /* E25 */,
    543.25 * 1000 /* E30 */, 623.25 * 1000 /* E40 */,
};
static_assert(sizeof(kDefaultCarriers) / sizeof(kDefaultCarriers[0]) == 8, "eight default carriers");

} // namespace

std::vector<double> DefaultCarriers()
{
    return std::vector<double>(std::begin(kDefaultCarriers), std::end(kDefaultCarriers));
}

std::vector<double> LoadCarriers(const std::string& path)
{
    // The section comes back as "key=value\0key=value\0\0"; a full buffer
    // is cut short, never overrun.
    std::vector<char> section(16384);
    DWORD length = GetPrivateProfileSectionA("Carriers", section.data(),
                                             static_cast<DWORD>(section.size()), path.c_str());
    std::vector<double> carriers;
    for (DWORD i = 0; i < length && carriers.size() < kMaxCarriers;) {
        const char* line = section.data() + i;
        size_t lineLength = strnlen(line, length - i);
        i += static_cast<DWORD>(lineLength) + 1;
        const char* equals = static_cast<const char*>(memchr(line, '=', lineLength));
        const char* value = equals ? equals + 1 : line;
        char* end = NULL;
        double kHz = strtod(value, &end);
        // Written so that "nan" fails it too.
        if (end == value || !(kHz >= kLowestKHz && kHz <= kHighestKHz))
            continue;
        while (*end == ' ' || *end == '\t')
            ++end;
        if (*end != '\0')
            continue;
        carriers.push_back(kHz);
    }
    return carriers.empty() ? DefaultCarriers() : carriers;
}

std::string SettingsPathBeside(const std::string& modulePath)
{
    size_t slash = modulePath.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
    return folder + kSettingsFileName;
}

} // namespace virtualcard
