// The skin catalogue: names in catalogue order, unknown skins, reloading.
#include "skin/SkinSet.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(CSkinSet& set)
{
    CStringList list;
    EXPECT_TRUE(set.GetSkinNames(list));
    std::vector<std::string> names;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        names.push_back((LPCSTR)list.GetNext(pos));
    return names;
}

const char kCatalogue[] =
    "[General]\r\nTotal=3\r\nSkin-0=Blue\r\nSkin-2=Silver\r\n"
    "[Blue]\r\nIni=Skin.ini\r\nDll=Nistle.dll\r\n"
    "[Silver]\r\nIni=Silver.ini\r\n";

} // namespace

TEST(SkinSet, NamesFilesAndReloading)
{
    TempFolder dir;
    dir.Write("SkinSet.ini", kCatalogue);
    CSkinSet set;
    CStringList unused;
    EXPECT_FALSE(set.GetSkinNames(unused));
    EXPECT_EQ(0, set.GetCount());

    ASSERT_TRUE(set.Load(dir.File("SkinSet.ini").c_str()));
    EXPECT_EQ((std::vector<std::string>{"Blue", "Silver"}), Names(set));
    EXPECT_EQ(3, set.GetCount());

    CString ini, dll;
    EXPECT_TRUE(set.GetSkinFiles("Blue", ini, dll));
    EXPECT_EQ("Skin.ini", ini);
    EXPECT_EQ("Nistle.dll", dll);
    CString ini2, dll2("kept");
    EXPECT_TRUE(set.GetSkinFiles("Silver", ini2, dll2));
    EXPECT_EQ("Silver.ini", ini2);
    EXPECT_EQ("kept", dll2);
    CString none1, none2;
    EXPECT_TRUE(set.GetSkinFiles("Unknown", none1, none2));
    EXPECT_TRUE(none1.IsEmpty() && none2.IsEmpty());

    // The same catalogue again is read afresh, not appended. (The unknown
    // skin's empty section goes with the reload.)
    EXPECT_EQ(4, set.GetIniFile()->GetSectionCount());
    ASSERT_TRUE(set.Load(dir.File("SkinSet.ini").c_str()));
    EXPECT_EQ(3, set.GetIniFile()->GetSectionCount());
    EXPECT_EQ((std::vector<std::string>{"Blue", "Silver"}), Names(set));
}

TEST(SkinSet, MissingCatalogue)
{
    TempFolder dir;
    CSkinSet set;
    EXPECT_FALSE(set.Load(dir.File("SkinSet.ini").c_str()));
    EXPECT_TRUE(Names(set).empty());
}
