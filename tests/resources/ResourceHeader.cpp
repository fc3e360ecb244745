#include "ResourceHeader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>

namespace {

const char kHeaderText[] =
#include "ResourceHeaderText.inc"
    ;

bool StartsWith(const std::string& s, const char* prefix)
{
    return s.compare(0, strlen(prefix), prefix) == 0;
}

ResourceKind KindOf(const std::string& name)
{
    // Longer prefixes first: IDR_MENU_ before ID_, IDCUR_ before IDC_.
    static const struct { const char* prefix; ResourceKind kind; } kPrefixes[] = {
        {"IDR_MENU_", ResourceKind::Menu},   {"IDR_TOOLBAR_", ResourceKind::ToolBar},
        {"IDCUR_", ResourceKind::Cursor},    {"IDS_", ResourceKind::String},
        {"IDD_", ResourceKind::Dialog},      {"IDC_", ResourceKind::Control},
        {"IDB_", ResourceKind::Bitmap},      {"IDI_", ResourceKind::Icon},
        {"IDW_", ResourceKind::Window},      {"ID_", ResourceKind::Command},
    };
    for (const auto& p : kPrefixes)
        if (StartsWith(name, p.prefix))
            return p.kind;
    return ResourceKind::Unknown;
}

// IDC_<TAG>_... belongs to IDD_<TAG>; tags hold no underscore.
std::string DialogOfControl(const std::string& name)
{
    size_t end = name.find('_', 4);
    return end == std::string::npos ? std::string() : "IDD_" + name.substr(4, end - 4);
}

} // namespace

std::vector<ResourceId> ParseResourceHeader(const std::string& text, std::vector<std::string>* errors)
{
    std::vector<ResourceId> ids;
    std::map<std::string, unsigned> values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string directive, name, value;
        words >> directive;
        if (directive != "#define")
            continue;
        words >> name >> value;
        if (value.empty()) {
            errors->push_back("no value: " + line);
            continue;
        }
        unsigned number = 0;
        char* end = nullptr;
        unsigned long parsed = strtoul(value.c_str(), &end, 0);
        if (*end == '\0' && parsed <= 0xFFFF) {
            number = (unsigned)parsed;
        } else if (values.count(value)) {
            number = values[value];
        } else {
            errors->push_back("not a 16-bit number or an earlier name: " + line);
            continue;
        }
        values[name] = number;
        ResourceId id{name, number, KindOf(name), std::string()};
        if (id.kind == ResourceKind::Control)
            id.dialog = DialogOfControl(name);
        ids.push_back(id);
    }
    return ids;
}

const std::vector<ResourceId>& ResourceHeaderIds()
{
    static std::vector<std::string> errors;
    static const std::vector<ResourceId> ids = ParseResourceHeader(kHeaderText, &errors);
    for (const std::string& e : errors)
        ADD_FAILURE() << "Resource.h: " << e;
    errors.clear();
    return ids;
}

unsigned ResourceValue(const std::string& name)
{
    for (const ResourceId& id : ResourceHeaderIds())
        if (id.name == name)
            return id.value;
    ADD_FAILURE() << name << " is not in Resource.h";
    return 0;
}
