// Saves onto a small disk that is full or a few KiB short: the save answers
// FALSE and the old file stays as it was, with no temporary file and no
// partial copy left behind; a save that fits still succeeds.
#include "store/SafeSaveFile.h"
#include "store/SkinIniFile.h"
#include "tests/support/SmallDisk.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const ULONGLONG kKiB = 1024;

std::string Text(size_t bytes, char fill)
{
    std::string text;
    while (text.size() < bytes)
        text += std::string(63, fill) + "\n";
    text.resize(bytes);
    return text;
}

BOOL SaveText(const std::string& path, const std::string& text, BOOL binary, CUnreadFile* unread = NULL)
{
    CSafeSaveFile file;
    if (!file.OpenFor(path.c_str(), binary, unread))
        return FALSE;
    file.WriteString(text.c_str());
    return file.Commit();
}

} // namespace

TEST(FullDisk, SafeSaveKeepsTheOldFile)
{
    SmallDisk disk;
    REQUIRE_SMALL_DISK(disk);
    const std::string old = Text(3000, 'o');
    const struct {
        const char* name;
        ULONGLONG free;
        size_t size;
        BOOL binary;
        bool fits;
    } cases[] = {
        {"full, a small save", 0, 100, TRUE, false},
        {"full, text mode", 0, 2000, FALSE, false},
        {"12 KiB free, 16 KiB save", 12 * kKiB, 16 * kKiB, TRUE, false},
        {"12 KiB free, 13 KiB save", 12 * kKiB, 13 * kKiB, TRUE, false},
        // 11 KiB of lines become 11 KiB plus a CR per line on the disk.
        {"12 KiB free, text mode grows past it", 12 * kKiB, 12 * kKiB - 64, FALSE, false},
        {"12 KiB free, 8 KiB save", 12 * kKiB, 8 * kKiB, TRUE, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(disk.Folder().Write("Rec.ini", old));
        ASSERT_TRUE(disk.LeaveFree(c.free)) << disk.FreeBytes();
        const std::string text = Text(c.size, 'n');
        EXPECT_EQ(c.fits, SaveText(disk.File("Rec.ini"), text, c.binary) != FALSE);
        EXPECT_TRUE(SameBytes(c.fits ? text : old, disk.Folder().Read("Rec.ini")));
        EXPECT_FALSE(disk.Folder().Exists("Rec.ini.tmp"));
        ASSERT_TRUE(disk.LeaveFree(64 * kKiB));
    }
}

TEST(FullDisk, ACopyOfAnUnreadFileThatDoesNotFitLeavesNoPart)
{
    SmallDisk disk;
    REQUIRE_SMALL_DISK(disk);
    const std::string path = disk.File("Rec.ini");
    const std::string old = Text(40 * kKiB, 'o');
    ASSERT_TRUE(disk.Folder().Write("Rec.ini", old));
    CUnreadFile unread;
    unread.Note(path.c_str(), TRUE);
    // The new file fits; the 40 KiB copy stops after about 16.
    ASSERT_TRUE(disk.LeaveFree(20 * kKiB));
    EXPECT_FALSE(SaveText(path, "new\n", TRUE, &unread));
    EXPECT_TRUE(SameBytes(old, disk.Folder().Read("Rec.ini")));
    EXPECT_FALSE(disk.Folder().Exists("Rec.ini.unread"));
    EXPECT_FALSE(disk.Folder().Exists("Rec.ini.tmp"));
    EXPECT_TRUE(unread.Holds(path.c_str()));
    // With room, the same save keeps the copy whole and replaces the file.
    ASSERT_TRUE(disk.LeaveFree(128 * kKiB));
    EXPECT_TRUE(SaveText(path, "new\n", TRUE, &unread));
    EXPECT_TRUE(SameBytes(old, disk.Folder().Read("Rec.ini.unread")));
    EXPECT_EQ("new\n", disk.Folder().Read("Rec.ini"));
}

TEST(FullDisk, IniSaveKeepsTheOldFile)
{
    SmallDisk disk;
    REQUIRE_SMALL_DISK(disk);
    const std::string old = "[Video]\r\nContrast=68\r\n";
    for (ULONGLONG free : {0 * kKiB, 12 * kKiB}) {
        SCOPED_TRACE(free);
        ASSERT_TRUE(disk.Folder().Write("TVParam.ini", old));
        CSkinIniFile ini(disk.File("TVParam.ini").c_str());
        ASSERT_TRUE(ini.Load());
        for (int i = 0; i < 400; ++i) {
            CString key;
            key.Format("Key%03d", i);
            ini.SetString("Video", key, "a value of some length, to fill the file");
        }
        ASSERT_TRUE(disk.LeaveFree(free));
        EXPECT_FALSE(ini.Save());
        EXPECT_EQ("Unable to write file!", std::string(ini.GetErrorText()));
        EXPECT_EQ(old, disk.Folder().Read("TVParam.ini"));
        EXPECT_FALSE(disk.Folder().Exists("TVParam.ini.tmp"));
        ASSERT_TRUE(disk.LeaveFree(64 * kKiB));
        EXPECT_TRUE(ini.Save());
    }
}
