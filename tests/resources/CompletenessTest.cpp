// Every id of the resource header exists in the main resource library with
// the kind of resource its name says, and the libraries load the way the
// program loads them.
#include "ResourceHeader.h"
#include "ResourceLibrary.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceLibraries, LoadByBareNameAndAsData)
{
    for (const char* name : {"Mavrel.dll", "Nistle.dll", "Orbane.dll"}) {
        ResourceLibrary program(name, ResourceLibrary::Program);
        EXPECT_TRUE(program.Module() != NULL) << name << ": error " << GetLastError();
        ResourceLibrary data(name, ResourceLibrary::Data);
        EXPECT_TRUE(data.Module() != NULL) << name << ": error " << GetLastError();
        EXPECT_TRUE(data.Has(RT_VERSION, 1)) << name;
    }
}

TEST(ResourceHeader, EveryNameHasAKnownPrefixAndAValue)
{
    const std::vector<ResourceId>& ids = ResourceHeaderIds();
    EXPECT_GT(ids.size(), 300u);
    for (const ResourceId& id : ids) {
        EXPECT_NE(id.kind, ResourceKind::Unknown) << id.name;
        EXPECT_NE(id.value, 0u) << id.name;
    }
}

TEST(ResourceHeader, ReadsNumbersAndEarlierNames)
{
    std::vector<std::string> errors;
    std::vector<ResourceId> ids = ParseResourceHeader(
        "#pragma once\n"
        "#define IDS_A 0x10\n"
        "#define IDC_PANEL_B IDS_A\n"
        "#define IDD_C   7   // comment\n"
        "#define IDS_BAD LATER\n"
        "#define IDS_HUGE 70000\n",
        &errors);
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(ids[0].value, 16u);
    EXPECT_EQ(ids[1].value, 16u);
    EXPECT_EQ(ids[1].kind, ResourceKind::Control);
    EXPECT_EQ(ids[1].dialog, "IDD_PANEL");
    EXPECT_EQ(ids[2].value, 7u);
    EXPECT_EQ(errors.size(), 2u);
}

TEST(MainLibrary, EveryStringIdHasAText)
{
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    ASSERT_TRUE(mavrel.Module() != NULL);
    for (const ResourceId& id : ResourceHeaderIds()) {
        if (id.kind == ResourceKind::String) {
            EXPECT_FALSE(mavrel.String(id.value).empty()) << id.name << " " << id.value;
        }
    }
}

} // namespace
