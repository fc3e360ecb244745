// Line reading: line ends of every kind, a last line without one, NUL and
// 0x1A bytes, and lines too long to keep.
#include "platform/mfc/File.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/Resource.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const TempFolder& dir, const std::string& bytes, UINT mode, bool* error = NULL)
{
    dir.Write("t.txt", bytes);
    CStdioFile file;
    EXPECT_TRUE(file.Open(dir.File("t.txt").c_str(), CFile::modeRead | mode));
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back(std::string(line.GetString(), line.GetLength()));
    if (error)
        *error = file.HasError() != FALSE;
    else
        EXPECT_FALSE(file.HasError());
    return lines;
}

} // namespace

TEST(StdioFileReadString, LineEnds)
{
    TempFolder dir;
    struct { const char* name; std::string bytes; std::vector<std::string> lines; } cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR alone", "a\rb\r", {"a", "b"}},
        {"CR alone, then a last line", "a\rb", {"a", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"empty lines kept", "\r\n\r\nx", {"", "", "x"}},
        {"NUL bytes stay in the line", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
        {"empty file", "", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.lines, ReadLines(dir, c.bytes, CFile::typeText)) << c.name;
        EXPECT_EQ(c.lines, ReadLines(dir, c.bytes, CFile::typeBinary)) << c.name << " (binary)";
    }
    // The run-time's text mode ends the file at 0x1A and has already made one
    // line end of CR LF; read in binary, both are what the bytes say.
    EXPECT_EQ((std::vector<std::string>{"a"}), ReadLines(dir, "a\r\n\x1A\r\nb\r\n", CFile::typeText));
    EXPECT_EQ((std::vector<std::string>{"a", "\x1A", "b"}), ReadLines(dir, "a\r\n\x1A\r\nb\r\n", CFile::typeBinary));
    EXPECT_EQ((std::vector<std::string>{"a", "", "b"}), ReadLines(dir, "a\r\r\nb", CFile::typeBinary));
}

TEST(StdioFileReadString, OverlongLineIsCutReportedAndTheNextLineStillReads)
{
    TempFolder dir;
    std::string longLine(CStdioFile::kMaxLine + 1000, 'x');
    bool error = false;
    std::vector<std::string> lines = ReadLines(dir, longLine + "\nnext\n", CFile::typeBinary, &error);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ((size_t)CStdioFile::kMaxLine, lines[0].size());
    EXPECT_EQ("next", lines[1]);
    EXPECT_TRUE(error); // not read whole
}

TEST(StdioFileWriteString, TextModeWritesCrLf)
{
    TempFolder dir;
    CStdioFile file;
    ASSERT_TRUE(file.Open(dir.File("w.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    EXPECT_TRUE(file.WriteString("a\nb\n"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ("a\r\nb\r\n", dir.Read("w.txt"));
}

TEST(FileOpen, MissingFileAndReadOnlyStreamReportByResult)
{
    TempFolder dir;
    CStdioFile file;
    EXPECT_FALSE(file.Open(dir.File("none.txt").c_str(), CFile::modeRead));
    CString line;
    EXPECT_FALSE(file.ReadString(line)); // nothing open: FALSE, no crash
    dir.Write("r.txt", "abc");
    ASSERT_TRUE(file.Open(dir.File("r.txt").c_str(), CFile::modeRead | CFile::typeBinary));
    EXPECT_FALSE(file.WriteString("x"));
    EXPECT_TRUE(file.HasError());
    EXPECT_FALSE(file.Close());
}

TEST(MessageBoxSeam, EveryBoxGoesThroughTheHook)
{
    MessageBoxCapture capture(IDNO);
    AfxSetAppName("Test Title");
    EXPECT_EQ(IDNO, AfxMessageBox("Question?", MB_YESNO));
    EXPECT_EQ(IDNO, AfxShowMessageBox(NULL, "Text", "Error", MB_ICONINFORMATION));
    ASSERT_EQ(2u, capture.Boxes().size());
    EXPECT_EQ("Question?", capture.Boxes()[0].text);
    EXPECT_EQ("Test Title", capture.Boxes()[0].caption);
    EXPECT_EQ((UINT)MB_YESNO, capture.Boxes()[0].type);
    EXPECT_EQ("Error", capture.Boxes()[1].caption);
}
