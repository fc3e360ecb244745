// Every text file of the engine is read through CTextFileReader: what a
// file in another editor's encoding or line ends gives, and which damage
// marks it as not read whole.
#include "store/TextFileReader.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(TextFileReader, LinesEncodingsAndRefusals)
{
    TempFolder dir;
    const std::string nul("k=ab\0cd", 7);
    const std::string overlong(CTextFileReader::kMaxLine + 1, 'x');
    struct {
        const char* name;
        std::string bytes;
        CTextFileReader::OpenResult opened;
        std::vector<std::string> lines;
        bool leftUnread;
    } cases[] = {
        {"CR LF", "[A]\r\nk=1\r\n", CTextFileReader::kOpened, {"[A]", "k=1"}, false},
        {"LF, no last line end", "[A]\nk=1", CTextFileReader::kOpened, {"[A]", "k=1"}, false},
        {"CR only", "[A]\rk=1\r[B]\rj=2\r", CTextFileReader::kOpened, {"[A]", "k=1", "[B]", "j=2"}, false},
        {"CR, then CR LF", "a\r\r\nb", CTextFileReader::kOpened, {"a", "", "b"}, false},
        {"0x1A is a character", "[A]\r\nk=1\r\n\x1A[B]\r\nj=2\r\n", CTextFileReader::kOpened,
         {"[A]", "k=1", "\x1A[B]", "j=2"}, false},
        {"UTF-8 mark skipped", "\xEF\xBB\xBF[A]\r\nk=1\r\n", CTextFileReader::kOpened, {"[A]", "k=1"}, false},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", CTextFileReader::kOpened, {}, false},
        {"empty file", "", CTextFileReader::kOpened, {}, false},
        {"a NUL byte refuses its line only", "[A]\r\n" + nul + "\r\nj=2\r\n", CTextFileReader::kOpened,
         {"[A]", "", "j=2"}, true},
        {"an overlong line is refused", "[A]\r\n" + overlong + "\r\nj=2", CTextFileReader::kOpened,
         {"[A]", "", "j=2"}, true},
        {"UTF-16, little end first", std::string("\xFF\xFE[\0A\0]\0", 8), CTextFileReader::kNotText, {}, true},
        {"UTF-16, big end first", std::string("\xFE\xFF\0[\0A\0]", 8), CTextFileReader::kNotText, {}, true},
    };
    for (const auto& c : cases) {
        dir.Write("t.txt", c.bytes);
        CTextFileReader reader;
        EXPECT_EQ(c.opened, reader.Open(dir.File("t.txt").c_str())) << c.name;
        std::vector<std::string> lines;
        CString line;
        while (reader.ReadLine(line))
            lines.push_back(std::string(line.GetString(), line.GetLength()));
        EXPECT_EQ(c.lines, lines) << c.name;
        EXPECT_EQ(c.leftUnread, reader.LeftUnread() != FALSE) << c.name;
    }

    CTextFileReader missing;
    EXPECT_EQ(CTextFileReader::kMissing, missing.Open(dir.File("none.txt").c_str()));
    EXPECT_FALSE(missing.LeftUnread()); // nothing there to keep
}

TEST(TextFileReader, AFileThatCannotBeOpenedIsLeftUnread)
{
    TempFolder dir;
    dir.Write("locked.txt", "[A]\r\n");
    HANDLE lock = ::CreateFileA(dir.File("locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL,
                                OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    CTextFileReader reader;
    EXPECT_EQ(CTextFileReader::kCannotOpen, reader.Open(dir.File("locked.txt").c_str()));
    EXPECT_TRUE(reader.LeftUnread());
    CString line;
    EXPECT_FALSE(reader.ReadLine(line));
    ::CloseHandle(lock);
}
