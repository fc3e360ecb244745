// The ini model reads hand-edited and machine-written files alike: a table
// of parse cases, the typed values with their malformed forms, and saves
// that must never lose the old file.
#include "store/SkinIniFile.h"
#include "store/TextFileReader.h"
#include "tests/store/IniDump.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// The bytes of a literal that holds NUL bytes, without its terminator.
template <size_t N> std::string Bytes(const char (&text)[N]) { return std::string(text, N - 1); }

std::string LoadDump(const TempFolder& dir, const std::string& bytes)
{
    dir.Write("t.ini", bytes);
    CSkinIniFile ini(dir.File("t.ini").c_str());
    EXPECT_TRUE(ini.Load()) << ini.GetErrorText();
    return Dump(ini);
}

} // namespace

TEST(SkinIniFileLoad, ParseCases)
{
    TempFolder dir;
    const std::string longValue(10000, 'v');
    struct { const char* name; std::string bytes; std::string dump; } cases[] = {
        {"two sections", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n", "[A]{k=1}[B]{k=2}"},
        {"same name twice", "[A]\nk=1\n[A]\nk=2\n", "[A]{k=1}[A]{k=2}"},
        {"duplicate key, later wins", "[A]\nk=1\nk=2\n", "[A]{k=2}"},
        {"keys compare with case", "[A]\nk=1\nK=2\n", "[A]{K=2;k=1}"},
        {"value holds equals signs", "[A]\na=b=c\n", "[A]{a=b=c}"},
        {"blanks are kept", "[A]\n key = value \n", "[A]{ key = value }"},
        {"empty value and empty key", "[A]\nk=\n=v\n", "[A]{=v;k=}"},
        {"blank and malformed lines", "\n[A]\n\nno equals\n;comment=x\nk=1\n", "[A]{;comment=x;k=1}"},
        {"lines before any section", "k=0\nstray\n[A]\nk=1\n", "[A]{k=1}"},
        {"no final line end", "[A]\nk=1", "[A]{k=1}"},
        {"CR LF and LF mixed", "[A]\r\nk=1\nj=2\r\n", "[A]{j=2;k=1}"},
        {"header without bracket", "[Video\nk=1\n", "[Video]{k=1}"},
        {"bare bracket", "[\nk=1\n", "[]{k=1}"},
        {"header with a blank after the bracket", "[Video] \nk=1\n", "[Video]]{k=1}"},
        {"empty brackets", "[]\nk=1\n", "[]{k=1}"},
        {"text after the bracket", "[A]b\nk=1\n", "[A]]{k=1}"},
        {"long line", "[A]\nk=" + longValue + "\n", "[A]{k=" + longValue + "}"},
        {"empty file", "", ""},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "[A]{k=1}"},
        {"CR-only line ends", "[A]\rk=1\r[B]\rj=2\r", "[A]{k=1}[B]{j=2}"},
        // 0x1A ends a file read in the run-time's text mode; here it is text.
        {"0x1A on a line of its own", "[A]\r\nk=1\r\n\x1A\r\n[B]\r\nj=2\r\n", "[A]{k=1}[B]{j=2}"},
        {"0x1A in a value", "[A]\r\nk=1\x1A\r\n[B]\r\nj=2\r\n", "[A]{k=1\x1A}[B]{j=2}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.dump, LoadDump(dir, c.bytes)) << c.name;
}

TEST(SkinIniFileLoad, MissingFileAndAppendingLoads)
{
    TempFolder dir;
    CSkinIniFile missing(dir.File("none.ini").c_str());
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ("File not exist!", missing.GetErrorText());

    dir.Write("t.ini", "[A]\nk=1\n");
    CSkinIniFile ini(dir.File("t.ini").c_str());
    EXPECT_EQ("No error", ini.GetErrorText());
    ASSERT_TRUE(ini.Load());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ("[A]{k=1}[A]{k=1}", Dump(ini));
    ini.RemoveAll();
    EXPECT_EQ(0, ini.GetSectionCount());
}

TEST(SkinIniFileValues, TypedReadsKeepTheDefaultOnMalformedText)
{
    CSkinIniFile ini;
    struct { const char* text; bool ok; int value; } ints[] = {
        {"12", true, 12},  {"-7", true, -7}, {" 8 ", true, 8},   {"abc", false, 0},
        {"12abc", false, 0}, {"", false, 0}, {"2147483648", false, 0}, {"1.5", false, 0},
    };
    for (const auto& c : ints) {
        ini.SetString("S", "k", c.text);
        int v = 555;
        EXPECT_EQ(c.ok, ini.GetInt("S", "k", v) != FALSE) << c.text;
        EXPECT_EQ(c.ok ? c.value : 555, v) << c.text;
    }
    UINT u = 0;
    ini.SetUInt("S", "u", 0xFFFFFFFFu);
    EXPECT_TRUE(ini.GetUInt("S", "u", u));
    EXPECT_EQ(0xFFFFFFFFu, u);

    struct { const char* text; bool ok; POINT p; } points[] = {
        {"1,2", true, {1, 2}}, {"12", false, {}}, {"-3,40", true, {-3, 40}}, {"1,x", false, {}}, {",,", false, {}},
    };
    for (const auto& c : points) {
        ini.SetString("S", "p", c.text);
        POINT p = {9, 9};
        EXPECT_EQ(c.ok, ini.GetPoint("S", "p", p) != FALSE) << c.text;
        EXPECT_EQ(c.ok ? c.p.x : 9, p.x) << c.text;
        EXPECT_EQ(c.ok ? c.p.y : 9, p.y) << c.text;
    }

    RGBTriple rgb = {1, 1, 1};
    ini.SetString("S", "c", "1,2,3");
    EXPECT_TRUE(ini.GetColor("S", "c", rgb));
    EXPECT_EQ(1, rgb.red);
    EXPECT_EQ(3, rgb.blue);
    ini.SetString("S", "c", "300,0,0");
    EXPECT_TRUE(ini.GetColor("S", "c", rgb));
    EXPECT_EQ(44, rgb.red);
    ini.SetString("S", "c", "1,2");
    EXPECT_FALSE(ini.GetColor("S", "c", rgb));

    RECT r = {};
    ini.SetString("S", "r", "10,20,30");
    EXPECT_TRUE(ini.GetRect("S", "r", r));
    EXPECT_EQ(30, r.right);
    EXPECT_EQ(0, r.bottom);
    ini.SetString("S", "r", "1,2,3");
    EXPECT_FALSE(ini.GetRect("S", "r", r)); // shorter than 7 characters

    double d = 0;
    ini.SetString("S", "d", "2.500000");
    EXPECT_TRUE(ini.GetDouble("S", "d", d));
    EXPECT_DOUBLE_EQ(2.5, d);
    ini.SetString("S", "d", "2.5x");
    EXPECT_FALSE(ini.GetDouble("S", "d", d));
}

TEST(SkinIniFileValues, NumbersBeyondTheTypeAreRefused)
{
    CSkinIniFile ini;
    struct { const char* text; bool isDouble; bool isFloat; } cases[] = {
        {"inf", false, false},   {"-inf", false, false}, {"nan", false, false}, {"infinity", false, false},
        {"1e999", false, false}, {"-1e999", false, false},
        {"1e300", true, false},  {"-1e300", true, false}, // a double, not a float
        {"3.5e38", true, false}, {"3.4e38", true, true},
        {"1e-999", true, true},  // too small to hold: reads as 0
        {"-2.5", true, true},
    };
    for (const auto& c : cases) {
        ini.SetString("S", "k", c.text);
        double d = 7;
        float f = 7;
        EXPECT_EQ(c.isDouble, ini.GetDouble("S", "k", d) != FALSE) << c.text;
        EXPECT_EQ(c.isFloat, ini.GetFloat("S", "k", f) != FALSE) << c.text;
        EXPECT_TRUE(std::isfinite(d) && std::isfinite(f)) << c.text;
        if (!c.isDouble) {
            EXPECT_EQ(7, d) << c.text;
        }
    }
}

TEST(SkinIniFileValues, TextThatASavedFileCouldNotGiveBackIsRefused)
{
    TempFolder dir;
    CSkinIniFile ini(dir.File("t.ini").c_str());
    ini.SetString("S", "k", "old");
    struct { const char* key; const char* value; bool stored; } cases[] = {
        {"k", "v\r", false}, {"k", "a\rb", false}, {"k", "a\nb", false},
        {"k=", "v", false},   {"[k", "v", false},    {"k\r", "v", false}, {"k\n", "v", false},
        {" key ", " a=b; [c] \t\x1A", true}, {"", "empty key", true}, {"k]", "", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.stored, ini.SetString("S", c.key, c.value) != FALSE) << c.key << "=" << c.value;
    CString value;
    ASSERT_TRUE(ini.GetString("S", "k", value));
    EXPECT_EQ("old", value);
    CStringArray items;
    items.Add("a\r");
    EXPECT_FALSE(ini.SetList("S", "list", items, ','));
    // "k=" and the value make one line, which the reader takes up to its limit.
    EXPECT_FALSE(ini.SetString("S", "k", std::string(CTextFileReader::kMaxLine - 1, 'v').c_str()));
    EXPECT_TRUE(ini.SetString("S", "long", std::string(CTextFileReader::kMaxLine - 5, 'v').c_str()));

    // What was taken comes back from the file as it was.
    ASSERT_TRUE(ini.Save());
    CSkinIniFile back(dir.File("t.ini").c_str());
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(Dump(ini), Dump(back));
}

TEST(SkinIniFileValues, TimesAndLists)
{
    CSkinIniFile ini;
    CTime t(2024, 2, 29, 23, 59, 58);
    ini.SetTime("S", "t", t);
    CString text;
    ini.GetString("S", "t", text);
    EXPECT_EQ("2024,02,29,23,59,58", text);
    CTime back;
    EXPECT_TRUE(ini.GetTime("S", "t", back));
    EXPECT_EQ(t, back);
    for (const char* bad : {"2023,02,29,00,00,00", "2024,13,01,00,00,00", "2024,01,01,25,00,00", "2024,1,1", "garbage,,,,,"}) {
        CTime kept(77);
        ini.SetString("S", "t", bad);
        EXPECT_FALSE(ini.GetTime("S", "t", kept)) << bad;
        EXPECT_EQ(77, kept.GetTime()) << bad;
    }
    ini.SetString("S", "t", "2024,06,01,12");
    EXPECT_TRUE(ini.GetTime("S", "t", back)); // minutes and seconds missing read 0
    EXPECT_EQ(0, back.GetMinute());

    CStringArray items;
    items.Add("C:\\");
    items.Add("");
    items.Add("D:\\");
    ini.SetList("S", "l", items, ',');
    ini.GetString("S", "l", text);
    EXPECT_EQ("C:\\,,D:\\", text);
    CStringArray read;
    read.Add("kept");
    EXPECT_TRUE(ini.GetList("S", "l", read, ','));
    ASSERT_EQ(4, read.GetSize());
    EXPECT_EQ("", read[2]);
    CStringArray none;
    ini.SetList("S", "l", none, ',');
    EXPECT_FALSE(ini.GetList("S", "l", read, ','));
    ini.SetString("S", "l", ",a,b");
    CStringArray whole;
    EXPECT_TRUE(ini.GetList("S", "l", whole, ','));
    ASSERT_EQ(1, whole.GetSize());
    EXPECT_EQ(",a,b", whole[0]);
}

TEST(SkinIniFileSave, RoundTripWithBareSectionsAndCrLf)
{
    TempFolder dir;
    CSkinIniFile ini(dir.File("out.ini").c_str());
    ini.SetInt("Video", "Brightness", 128);
    ini.SetString("Video", "Name", "a=b");
    int unused = 0;
    EXPECT_FALSE(ini.GetInt("Empty", "x", unused)); // leaves a bare section behind
    CString text;
    EXPECT_FALSE(ini.GetString("Other", "x", text)); // creates nothing
    ini.SetString("Last", "k", "v");
    ASSERT_TRUE(ini.Save()) << ini.GetErrorText();

    std::string bytes = dir.Read("out.ini");
    EXPECT_EQ(0u, bytes.find("[Video]\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("\r\n[Empty]\r\n[Last]\r\nk=v\r\n"));
    EXPECT_FALSE(dir.Exists("out.ini.tmp"));

    CSkinIniFile back(dir.File("out.ini").c_str());
    ASSERT_TRUE(back.Load());
    EXPECT_EQ("[Video]{Brightness=128;Name=a=b}[Empty]{}[Last]{k=v}", Dump(back));
}

TEST(SkinIniFileSave, KeysKeepTheirOrderAndCommentLinesTheirPlaces)
{
    TempFolder dir;
    dir.Write("TVParam.ini",
              "; written by hand\r\n"
              "stray line before any section\r\n"
              "[Video]\r\n"
              "Zoom=1\r\n"
              "; picture levels\r\n"
              "Contrast=68\r\n"
              "# old style\r\n"
              "Brightness=128\r\n"
              "Zoom=2\r\n"             // the later value, the first place
              "not a key\r\n"
              "\r\n"
              "[Audio]\r\n"
              ";Volume=5\r\n");        // holds "=": a key, as ever
    CSkinIniFile ini(dir.File("TVParam.ini").c_str());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ("[Video]{Brightness=128;Contrast=68;Zoom=2}[Audio]{;Volume=5}", Dump(ini));
    ini.SetInt("Video", "Contrast", 70);
    ini.SetInt("Video", "Hue", 0);
    ini.SetInt("Audio", "Balance", 0);
    ini.GetSection("Audio")->RemoveKey(";Volume");
    ASSERT_TRUE(ini.Save());
    const std::string expected =
        "; written by hand\r\n"
        "[Video]\r\n"
        "Zoom=2\r\n"
        "; picture levels\r\n"
        "Contrast=70\r\n"
        "# old style\r\n"
        "Brightness=128\r\n"
        "Hue=0\r\n"
        "[Audio]\r\n"
        "Balance=0\r\n";
    EXPECT_EQ(expected, dir.Read("TVParam.ini"));

    // Read back and saved again: the same bytes.
    CSkinIniFile again(dir.File("TVParam.ini").c_str());
    ASSERT_TRUE(again.Load());
    ASSERT_TRUE(again.Save());
    EXPECT_EQ(expected, dir.Read("TVParam.ini"));
}

TEST(SkinIniFileSave, ReadOnlyTargetKeepsTheOldFile)
{
    TempFolder dir;
    dir.Write("TVParam.ini", "[Old]\r\nk=1\r\n");
    const std::string path = dir.File("TVParam.ini");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    CSkinIniFile ini(path.c_str());
    ini.SetString("New", "k", "2");
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ("Unable to open ini File!", ini.GetErrorText());
    EXPECT_EQ("[Old]\r\nk=1\r\n", dir.Read("TVParam.ini"));
    EXPECT_FALSE(dir.Exists("TVParam.ini.tmp"));

    CSkinIniFile nowhere(dir.File("no such folder\\x.ini").c_str());
    EXPECT_FALSE(nowhere.Save());
    EXPECT_EQ("Unable to open ini File!", nowhere.GetErrorText());
}

TEST(SkinIniFileSave, AFileThatWasNotReadWholeIsSetAsideBeforeTheNextSave)
{
    TempFolder dir;
    const std::string nul = Bytes("[A]\r\nk=ab\0cd\r\nj=2\r\n");
    const std::string utf16 = Bytes("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\x31\0");
    struct Case { const char* name; std::string bytes; std::string dump; };
    std::vector<Case> cases = {
        {"a NUL byte", nul, "[A]{j=2}"}, // the rest of the file is read
        {"UTF-16", utf16, ""},
    };
    // A header without a bracket this long could not be saved as it was read.
    const std::string longHeader = "[" + std::string(CTextFileReader::kMaxLine - 1, 'h') + "\r\nk=1\r\n[B]\r\nj=2\r\n";
    cases.push_back({"an overlong header", longHeader, "[B]{j=2}"});
    for (const auto& c : cases) {
        TempFolder scratch;
        scratch.Write("TVParam.ini", c.bytes);
        CSkinIniFile ini(scratch.File("TVParam.ini").c_str());
        EXPECT_FALSE(ini.Load()) << c.name;
        EXPECT_EQ("Unable to read file!", ini.GetErrorText()) << c.name;
        EXPECT_EQ(c.dump, Dump(ini)) << c.name;

        ini.SetString("New", "k", "1");
        ASSERT_TRUE(ini.Save()) << c.name;
        EXPECT_EQ(c.bytes, scratch.Read("TVParam.ini.unread")) << c.name; // kept as it was
        ASSERT_TRUE(ini.Save()) << c.name;
        EXPECT_FALSE(scratch.Exists("TVParam.ini.unread2")) << c.name; // once is enough
        CSkinIniFile back(scratch.File("TVParam.ini").c_str());
        EXPECT_TRUE(back.Load()) << c.name;
        EXPECT_EQ(Dump(ini), Dump(back)) << c.name;
    }
}
