// The skin catalogue and the id-to-text map: names in catalogue order,
// unknown skins, reloading, and the map's archive order.
#include "engine/IdStringMap.h"
#include "engine/SkinSet.h"
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

TEST(IdStringMap, ArchiveRoundTripInBucketOrder)
{
    TempFolder dir;
    CIdStringMap map;
    map.SetText(886, "Taiwan");
    map.SetText(1, "United States");
    map.SetText(44, "United Kingdom");
    EXPECT_EQ("Taiwan", map.GetText(886));
    EXPECT_EQ("", map.GetText(2));
    {
        CFile file;
        ASSERT_TRUE(file.Open(dir.File("m.bin").c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        map.Serialize(ar);
        ASSERT_TRUE(ar.Close());
    }
    // 886 >> 4 = 55 -> bucket 4; 1 and 44 -> bucket 0 and 2.
    std::string bytes = dir.Read("m.bin");
    const std::string expected = std::string("\x03\x00", 2) + std::string("\x01\x00\x00\x00", 4) + "\x0D" "United States" +
                                 std::string("\x2C\x00\x00\x00", 4) + "\x0E" "United Kingdom" +
                                 std::string("\x76\x03\x00\x00", 4) + "\x06" "Taiwan";
    EXPECT_EQ(expected, bytes);

    CFile in;
    ASSERT_TRUE(in.Open(dir.File("m.bin").c_str(), CFile::modeRead));
    CArchive ar(&in, CArchive::load);
    CIdStringMap back;
    back.SetText(5, "dropped");
    back.Serialize(ar);
    EXPECT_FALSE(ar.Failed());
    EXPECT_EQ(3, back.GetCount());
    EXPECT_EQ("United Kingdom", back.GetText(44));
    EXPECT_EQ("", back.GetText(5));
}
