// Path helpers: joining, folder creation from the top down, existence with
// either slash, and the number-to-text helper.
#include "engine/PathHelpers.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

TEST(PathHelpers, PathJoinPutsOneBackslash)
{
    struct { const char* folder; const char* name; const char* joined; } cases[] = {
        {"C:\\a", "b.ini", "C:\\a\\b.ini"},
        {"C:\\a\\", "b.ini", "C:\\a\\b.ini"},
        {"C:\\a", "\\b.ini", "C:\\a\\b.ini"},
        {"C:\\a\\", "\\b.ini", "C:\\a\\\\b.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.joined, PathJoin(c.folder, c.name)) << c.folder << " + " << c.name;
}

TEST(PathHelpers, FoldersAndFiles)
{
    TempFolder dir;
    dir.Write("f.txt", "x");
    EXPECT_TRUE(IsFileExist(dir.File("f.txt").c_str()));
    EXPECT_FALSE(IsFileExist(dir.Path().c_str()));
    EXPECT_FALSE(IsFileExist(NULL));
    EXPECT_FALSE(IsFileExist(""));

    std::string slashed = dir.Path();
    for (char& c : slashed)
        if (c == '\\')
            c = '/';
    EXPECT_TRUE(IsDirectoryExist(slashed.c_str()));
    EXPECT_FALSE(IsDirectoryExist(dir.File("f.txt").c_str()));
    EXPECT_FALSE(IsDirectoryExist(NULL));

    const std::string deep = dir.File("a\\b\\c\\");
    EXPECT_TRUE(CreateFolder(deep.c_str()));
    EXPECT_TRUE(IsDirectoryExist(dir.File("a\\b\\c").c_str()));
    EXPECT_TRUE(CreateFolder(deep.c_str())); // already there
    EXPECT_FALSE(CreateFolder("nobackslash"));
    EXPECT_FALSE(CreateFolder(""));
    EXPECT_FALSE(CreateFolder(dir.File("f.txt\\sub").c_str())); // a file in the way

    CString work;
    GetWorkPath(work);
    EXPECT_TRUE(IsDirectoryExist(work));
    EXPECT_NE('\\', work[work.GetLength() - 1]);
    EXPECT_FALSE(GetShortPath(dir.File("f.txt").c_str()).IsEmpty());
    EXPECT_TRUE(GetShortPath(dir.File("none.txt").c_str()).IsEmpty());
    CString drive;
    GetWindowsDrive(drive);
    EXPECT_EQ(3, drive.GetLength());
}

TEST(PathHelpers, SmallTextHelpers)
{
    EXPECT_EQ("1234567890123", Int64ToText(1234567890123LL));
    EXPECT_EQ("", Int64ToText(0));
    EXPECT_EQ("", Int64ToText(-5));
    EXPECT_EQ("9223372036854775807", Int64ToText(0x7FFFFFFFFFFFFFFFLL));

    CStringArray list;
    list.Add("Alpha");
    list.Add("beta");
    EXPECT_EQ(1, FindStringNoCase(list, "BETA"));
    EXPECT_EQ(-1, FindStringNoCase(list, "gamma"));
    EXPECT_TRUE(IsSingleChar("/", '/'));
    EXPECT_FALSE(IsSingleChar("//", '/'));
    EXPECT_FALSE(IsSingleChar(NULL, '/'));
}
