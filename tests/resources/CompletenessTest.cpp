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

// What a library must hold for one id of the header; empty when it does.
std::string MissingResource(const ResourceLibrary& mavrel, const ResourceId& id)
{
    switch (id.kind) {
    case ResourceKind::String:
        return mavrel.String(id.value).empty() ? "no string" : "";
    case ResourceKind::Dialog:
        return ParseDialogTemplate(mavrel.Bytes(RT_DIALOG, id.value)).valid ? "" : "no readable dialog template";
    case ResourceKind::Control: {
        DialogTemplate t = ParseDialogTemplate(mavrel.Bytes(RT_DIALOG, ResourceValue(id.dialog)));
        return t.Find(id.value) ? "" : "not a control of " + id.dialog;
    }
    case ResourceKind::Menu: {
        bool valid = false;
        ParseMenu(mavrel.Bytes(RT_MENU, id.value), &valid);
        return valid ? "" : "no readable menu";
    }
    case ResourceKind::ToolBar:
        if (!ParseToolBar(mavrel.Bytes(RT_TOOLBAR_TYPE, id.value)).valid)
            return "no readable tool bar";
        return mavrel.Has(RT_BITMAP, id.value) ? "" : "no bitmap for the tool bar";
    case ResourceKind::Bitmap:
        return mavrel.Has(RT_BITMAP, id.value) ? "" : "no bitmap";
    case ResourceKind::Icon:
        return mavrel.Has(RT_GROUP_ICON, id.value) ? "" : "no icon";
    case ResourceKind::Cursor:
        return mavrel.Has(RT_GROUP_CURSOR, id.value) ? "" : "no cursor";
    case ResourceKind::Command:
    case ResourceKind::Window:
        return "";   // numbers for code, not resources
    case ResourceKind::Unknown:
        break;
    }
    return "unknown prefix";
}

TEST(MainLibrary, EveryIdOfTheHeaderHasItsResource)
{
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    ASSERT_TRUE(mavrel.Module() != NULL);
    for (const ResourceId& id : ResourceHeaderIds()) {
        std::string missing = MissingResource(mavrel, id);
        EXPECT_EQ(missing, "") << id.name << " " << id.value;
    }
}

} // namespace
