// Saving over a file that could not be read: the old file is kept under the
// first free name, and a save that cannot keep it does not replace it.
#include "store/SafeSaveFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

BOOL SaveText(const std::string& path, const char* text, CUnreadFile* unread)
{
    CSafeSaveFile file;
    if (!file.OpenFor(path.c_str(), TRUE, unread))
        return FALSE;
    file.WriteString(text);
    return file.Commit();
}

} // namespace

TEST(SafeSaveFile, AnUnreadTargetIsKeptUnderTheFirstFreeName)
{
    TempFolder dir;
    const std::string path = dir.File("Rec.ini");
    dir.Write("Rec.ini", "old");
    dir.Write("Rec.ini.unread", "older");
    CUnreadFile unread;
    unread.Note(path.c_str(), TRUE);

    ASSERT_TRUE(SaveText(path, "new", &unread));
    EXPECT_EQ("new", dir.Read("Rec.ini"));
    EXPECT_EQ("older", dir.Read("Rec.ini.unread")); // never written over
    EXPECT_EQ("old", dir.Read("Rec.ini.unread2"));
    EXPECT_FALSE(unread.Holds(path.c_str()));

    // Read whole, or never marked: replaced without a copy.
    ASSERT_TRUE(SaveText(path, "newer", &unread));
    ASSERT_TRUE(SaveText(path, "newest", NULL));
    EXPECT_FALSE(dir.Exists("Rec.ini.unread3"));
    EXPECT_EQ("newest", dir.Read("Rec.ini"));
}

TEST(SafeSaveFile, NoCopyNoSave)
{
    TempFolder dir;
    const std::string path = dir.File("Rec.ini");
    dir.Write("Rec.ini", "old");
    dir.Write("Rec.ini.unread", "taken");
    for (int n = 2; n <= CSafeSaveFile::kMaxAsideNames; ++n)
        dir.Write("Rec.ini.unread" + std::to_string(n), "taken");
    CUnreadFile unread;
    unread.Note(path.c_str(), TRUE);

    EXPECT_FALSE(SaveText(path, "new", &unread));
    EXPECT_EQ("old", dir.Read("Rec.ini"));
    EXPECT_FALSE(dir.Exists("Rec.ini.tmp"));
    EXPECT_TRUE(unread.Holds(path.c_str())); // still to be kept at the next try
}
