// The id-to-text map: its archive order.
#include "engine/IdStringMap.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

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
