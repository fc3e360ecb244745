// The archive layout is shared with files written by earlier versions of the
// program: string lengths and counts are pinned byte for byte, and a damaged
// archive fails cleanly.
#include "platform/mfc/Archive.h"
#include "platform/mfc/Array.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Store(const TempFolder& dir, void (*write)(CArchive&))
{
    CFile file;
    EXPECT_TRUE(file.Open(dir.File("a.bin").c_str(), CFile::modeCreate | CFile::modeWrite));
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        EXPECT_TRUE(ar.Close());
    }
    file.Close();
    return dir.Read("a.bin");
}

} // namespace

TEST(ArchiveLayout, StringLengthPrefixes)
{
    struct { size_t length; std::string prefix; } cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {0xFFFD, "\xFF\xFD\xFF"},
        {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        static CString text;
        text = CString('s', (int)c.length);
        std::string bytes = Store(dir, [](CArchive& ar) { ar << text; });
        ASSERT_EQ(c.prefix.size() + c.length, bytes.size()) << c.length;
        EXPECT_EQ(c.prefix, bytes.substr(0, c.prefix.size())) << c.length;

        CFile in;
        ASSERT_TRUE(in.Open(dir.File("a.bin").c_str(), CFile::modeRead));
        CArchive ar(&in, CArchive::load);
        CString back;
        ar >> back;
        EXPECT_FALSE(ar.Failed());
        EXPECT_EQ(text, back);
    }
}

TEST(ArchiveLayout, CountsNumbersAndStringArray)
{
    TempFolder dir;
    std::string bytes = Store(dir, [](CArchive& ar) {
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar << (BYTE)1 << (WORD)0x0203 << (DWORD)0x04050607;
        CStringArray names;
        names.Add("ab");
        names.Add("");
        names.Serialize(ar);
    });
    EXPECT_EQ(std::string("\xFE\xFF" "\xFF\xFF\xFF\xFF\x00\x00" "\x01" "\x03\x02" "\x07\x06\x05\x04"
                          "\x02\x00" "\x02" "ab" "\x00", 21),
              bytes);

    CFile in;
    ASSERT_TRUE(in.Open(dir.File("a.bin").c_str(), CFile::modeRead));
    CArchive ar(&in, CArchive::load);
    EXPECT_EQ(0xFFFEu, ar.ReadCount());
    EXPECT_EQ(0xFFFFu, ar.ReadCount());
    BYTE b = 0;
    WORD w = 0;
    DWORD d = 0;
    ar >> b >> w >> d;
    EXPECT_EQ(1, b);
    EXPECT_EQ(0x0203, w);
    EXPECT_EQ(0x04050607u, d);
    CStringArray names;
    names.Serialize(ar);
    EXPECT_FALSE(ar.Failed());
    ASSERT_EQ(2, names.GetSize());
    EXPECT_EQ("ab", names[0]);
}

TEST(ArchiveLayout, DamagedArchivesFailWithoutReadingPastTheEnd)
{
    struct { const char* name; std::string bytes; } cases[] = {
        {"string cut short", std::string("\x05" "ab", 3)},
        {"length byte missing", std::string()},
        {"huge length", std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7)},
        {"wide-string marker", std::string("\xFF\xFE\xFF\x01" "a", 5)},
        {"array count beyond the data", std::string("\xFF\xFF\xFF\xFF\xFF\x7F" "\x01" "a", 8)},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        ASSERT_TRUE(dir.Write("a.bin", c.bytes));
        CFile in;
        ASSERT_TRUE(in.Open(dir.File("a.bin").c_str(), CFile::modeRead));
        CArchive ar(&in, CArchive::load);
        CStringArray items;
        if (std::string(c.name) == "array count beyond the data") {
            items.Serialize(ar);
            EXPECT_EQ(1, items.GetSize()) << c.name;
        } else {
            CString s("kept");
            EXPECT_FALSE(ar.ReadString(s)) << c.name;
        }
        EXPECT_TRUE(ar.Failed()) << c.name;
        DWORD after = 7;
        ar >> after;
        EXPECT_EQ(7u, after) << c.name;
    }
}

// Readers check stored counts against what is left; the figure must hold
// across the archive's 4096-byte buffer and drop to 0 once it fails.
TEST(ArchiveLayout, BytesLeftCountsBufferedAndUnreadBytes)
{
    TempFolder dir;
    ASSERT_TRUE(dir.Write("a.bin", std::string(5000, 'x')));
    CFile in;
    ASSERT_TRUE(in.Open(dir.File("a.bin").c_str(), CFile::modeRead));
    CArchive ar(&in, CArchive::load);
    EXPECT_EQ(5000u, ar.GetBytesLeft());
    char chunk[4000];
    ASSERT_EQ(1u, ar.Read(chunk, 1));
    EXPECT_EQ(4999u, ar.GetBytesLeft());
    ASSERT_EQ(4000u, ar.Read(chunk, 4000));
    EXPECT_EQ(999u, ar.GetBytesLeft());
    ASSERT_EQ(999u, ar.Read(chunk, 1000));
    EXPECT_TRUE(ar.Failed());
    EXPECT_EQ(0u, ar.GetBytesLeft());
}
