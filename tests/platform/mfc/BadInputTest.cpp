// The framework's readers against damaged files: the line reader loses no
// byte that is not a line end, and the archive reader stays within its
// bounds and gives back what it read.
#include "platform/mfc/Archive.h"
#include "platform/mfc/Array.h"
#include "tests/support/BadInput.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kTextSeed[] = "[Channel]\r\nTVInput=1\r\nCountryCode=49\r\n\r\n; comment\r\n5,3,471250,Sport 1, news\r\n";

std::string ArchiveOf(const TempFolder& dir, const CStringArray& strings, const CDWordArray& numbers)
{
    CFile file;
    EXPECT_TRUE(file.Open(dir.File("seed.bin").c_str(), CFile::modeCreate | CFile::modeWrite));
    CArchive ar(&file, CArchive::store);
    const_cast<CStringArray&>(strings).Serialize(ar);
    const_cast<CDWordArray&>(numbers).Serialize(ar);
    EXPECT_TRUE(ar.Close());
    file.Close();
    return dir.Read("seed.bin");
}

// Loads both arrays from the file; the archive's failure flag.
bool LoadArchive(const std::string& path, CStringArray& strings, CDWordArray& numbers)
{
    CFile file;
    EXPECT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    strings.Serialize(ar);
    numbers.Serialize(ar);
    return ar.Failed() != FALSE;
}

} // namespace

TEST(BadInput, LineReader)
{
    TempFolder dir(badinput::ScratchBase());
    badinput::Run("CStdioFile::ReadString", {kTextSeed, "a\rb\rc", std::string("x\0y\n\x1A\nz", 7)},
                  [&](const std::string& bytes) {
        dir.Write("t.txt", bytes);
        CStdioFile file;
        ASSERT_TRUE(file.Open(dir.File("t.txt").c_str(), CFile::modeRead | CFile::typeBinary));
        std::string joined;
        CString line;
        size_t lines = 0;
        while (file.ReadString(line) && lines <= bytes.size()) {
            ++lines;
            const std::string text(line.GetString(), line.GetLength());
            ASSERT_EQ(std::string::npos, text.find_first_of("\r\n"));
            ASSERT_LE(text.size(), (size_t)CStdioFile::kMaxLine);
            joined += text;
        }
        ASSERT_LE(lines, bytes.size());
        // Nothing but line ends is dropped, unless a line was too long.
        if (!file.HasError()) {
            std::string expected;
            for (char c : bytes)
                if (c != '\r' && c != '\n')
                    expected += c;
            ASSERT_EQ(expected, joined);
        }
    });
}

TEST(BadInput, ArchiveReader)
{
    TempFolder dir(badinput::ScratchBase());
    CStringArray strings;
    CDWordArray numbers;
    strings.Add("Sport");
    strings.Add(CString('s', 300)); // a 16-bit length
    strings.Add("");
    numbers.Add(7);
    numbers.Add(0xFFFFFFFF);
    const std::string seed = ArchiveOf(dir, strings, numbers);
    badinput::Run("CArchive", {seed}, [&](const std::string& bytes) {
        dir.Write("in.bin", bytes);
        CStringArray readStrings;
        CDWordArray readNumbers;
        LoadArchive(dir.File("in.bin"), readStrings, readNumbers);
        // Every string takes at least its length byte.
        ASSERT_LE((size_t)readStrings.GetSize(), bytes.size());
        for (INT_PTR i = 0; i < readStrings.GetSize(); ++i)
            ASSERT_LE((size_t)readStrings[i].GetLength(), bytes.size());
        ASSERT_LE((size_t)readNumbers.GetSize() * 4, bytes.size());

        // What was read stores and loads again unchanged.
        ArchiveOf(dir, readStrings, readNumbers);
        CStringArray backStrings;
        CDWordArray backNumbers;
        ASSERT_FALSE(LoadArchive(dir.File("seed.bin"), backStrings, backNumbers));
        ASSERT_EQ(readStrings.GetSize(), backStrings.GetSize());
        for (INT_PTR i = 0; i < readStrings.GetSize(); ++i)
            ASSERT_EQ(readStrings[i], backStrings[i]);
        ASSERT_EQ(readNumbers.GetSize(), backNumbers.GetSize());
        for (INT_PTR i = 0; i < readNumbers.GetSize(); ++i)
            ASSERT_EQ(readNumbers[i], backNumbers[i]);
    });
}
