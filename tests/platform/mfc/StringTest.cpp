// CString behaviour the program relies on: long formatted output, buffer
// hand-over, and cuts that stay inside the text whatever the arguments.
#include "platform/mfc/String.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CStringFormat, LongOutputIsNotCut)
{
    std::string big(10000, 'x');
    CString s;
    s.Format("%s|%d|%s", big.c_str(), 42, "end");
    ASSERT_EQ(10000 + 7, s.GetLength());
    EXPECT_EQ(0, std::strcmp((LPCSTR)s + 10000, "|42|end"));
    s.AppendFormat("%05d", 7);
    EXPECT_EQ("|42|end00007", s.Right(12));
}

TEST(CStringBuffer, GetBufferThenReleaseTakesTheWrittenLength)
{
    CString s("abc");
    char* p = s.GetBuffer(100);
    std::strcpy(p, "a longer text");
    s.ReleaseBuffer();
    EXPECT_EQ("a longer text", s);
    s.GetBuffer(0)[1] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ("a", s);
}

TEST(CStringCuts, StayInsideTheText)
{
    const CString s("Hello");
    struct { int first, count; const char* expected; } cases[] = {
        {0, 5, "Hello"}, {1, 3, "ell"}, {3, 100, "lo"}, {5, 1, ""}, {9, 1, ""}, {-2, 2, "He"}, {2, -1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, s.Mid(c.first, c.count)) << c.first << "," << c.count;
    EXPECT_EQ("", s.Left(-1));
    EXPECT_EQ("Hello", s.Left(50));
    EXPECT_EQ("llo", s.Right(3));
    EXPECT_EQ("Hello", s.Right(50));
    EXPECT_EQ('\0', s[10]);
    EXPECT_EQ(-1, s.Find('l', 9));
    EXPECT_EQ(3, s.Find('l', 3));
    EXPECT_EQ(3, s.ReverseFind('l'));
    EXPECT_EQ(-1, s.Find("lo", 6));
}

TEST(CStringEdit, TrimReplaceCaseAndCompare)
{
    CString s("  a=b=c \t\r\n");
    s.Trim();
    EXPECT_EQ("a=b=c", s);
    EXPECT_EQ(2, s.Replace("=", "=="));
    EXPECT_EQ("a==b==c", s);
    EXPECT_EQ(0, s.Replace("", "x"));
    s.MakeUpper();
    EXPECT_EQ("A==B==C", s);
    EXPECT_EQ(0, s.CompareNoCase("a==b==c"));
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_EQ(0, CString("Video").CollateNoCase("VIDEO"));
    CString t("]]x]]");
    t.TrimRight(']');
    EXPECT_EQ("]]x", t);
}
