// The hot-key table: its commands and bindings, the names of keys, the
// Win32 table it builds and its "Accel" archive, pinned byte for byte
// because user files in that layout exist.
#include "settings/Accel.h"
#include "tests/settings/AccelFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using accel_fixture::Bytes;
using accel_fixture::Describe;
using accel_fixture::Fill;

namespace {

DWORD Accel(BYTE fVirt, WORD key)
{
    return ((DWORD)key << 16) | fVirt;
}

} // namespace

TEST(AccelKeys, KeyTextsFromTheKeyNameTable)
{
    struct { BYTE fVirt; WORD key; const char* text; } cases[] = {
        {0x01, 0x41, "A"},
        {0x09, 0x41, "Ctrl+A"},
        {0x0D, 0x41, "Ctrl+Shift+A"},
        {0x1D, 0x70, "Ctrl+Alt+Shift+F1"},
        {0x11, 0x87, "Alt+F24"},
        {0x01, 0xBC, ","},
        {0x01, 0xDE, "'"},
        {0x01, 0xC0, "`"},
        {0x01, 0xDC, "\\"},
        {0x01, 0x91, "SCROLL lOCK"},
        {0x09, 0x6E, "Ctrl+Num Del"},
        {0x01, 0xFE, "VK_OEM_CLEAR"},
        {0x09, 0x07, ""},  // no name
        {0x09, 0x0000, ""},
        {0x09, 0x0141, ""}, // beyond the byte-wide codes
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, std::string(CAccel::GetKeyText(c.fVirt, c.key))) << std::hex << c.key;
}

TEST(AccelKeys, EveryNamedKeyHasItsOwnShortName)
{
    std::set<std::string> names;
    int named = 0;
    for (DWORD key = 0; key <= 0xFFFF; ++key) {
        LPCSTR name = CAccel::GetKeyName((WORD)key);
        if (!name)
            continue;
        ++named;
        EXPECT_LE(strlen(name), 15u) << name;
        EXPECT_TRUE(names.insert(name).second) << "two keys named " << name;
    }
    EXPECT_EQ(131, named);
}

TEST(AccelTable, GroupsAndCommandsRefuseEmptyAndRepeatedNames)
{
    CAccel accel;
    EXPECT_EQ(0, accel.AddGroup("Channel"));
    EXPECT_EQ(-1, accel.AddGroup("CHANNEL"));
    EXPECT_EQ(-1, accel.AddGroup(""));
    EXPECT_EQ(1, accel.AddGroup("View"));

    EXPECT_EQ(0, accel.AddCommand(0, 1000, "Next", "d"));
    EXPECT_EQ(-1, accel.AddCommand(0, 1000, "Other", "same id"));
    EXPECT_EQ(-1, accel.AddCommand(0, 1001, "nEXT", "same name"));
    EXPECT_EQ(-1, accel.AddCommand(0, 1002, "", "no name"));
    EXPECT_EQ(1, accel.AddCommand(1, 1001, "Previous", "d"));

    EXPECT_EQ(1001, accel.GetCommandId("previous"));
    EXPECT_EQ(-1, accel.GetCommandId("Last"));
    EXPECT_EQ("Next", std::string(accel.GetCommandName(1000)));
    EXPECT_EQ("", std::string(accel.GetCommandName(4)));
}

TEST(AccelTable, BindingsAreOnePerKeyCombination)
{
    CAccel accel;
    Fill(accel);
    accel.AddCommand(0, 1001, "Previous", "");
    // Ctrl+A is Next's; with or without the virtual-key bit it stays so.
    EXPECT_FALSE(accel.SetBinding(Accel(0x08, 0x41), 1001, 0));
    EXPECT_FALSE(accel.SetBinding(Accel(0x09, 0x41), 1001, 0));
    EXPECT_FALSE(accel.SetBinding(Accel(0x09, 0x00), 1001, 0)); // no key
    EXPECT_FALSE(accel.SetBinding(Accel(0x09, 0x42), 999, 0));  // no such command
    EXPECT_TRUE(accel.SetBinding(Accel(0x0C, 0x41), 1001, 0));  // Ctrl+Shift+A is free
    EXPECT_EQ(0x0D, accel.GetBinding(2)->m_fVirt);

    // Removed by the command's name and the key text in any case.
    EXPECT_FALSE(accel.RemoveBinding("Previous", "Ctrl+A"));
    EXPECT_TRUE(accel.RemoveBinding("NEXT", "cTRL+a"));
    EXPECT_FALSE(accel.RemoveBinding("Next", "Ctrl+A"));
    EXPECT_TRUE(accel.SetBinding(Accel(0x08, 0x41), 1001, 0));

    // A key without a name can be bound but not named, so not removed.
    EXPECT_TRUE(accel.SetBinding(Accel(0x08, 0x07), 1000, 0));
    EXPECT_FALSE(accel.RemoveBinding("Next", ""));
    EXPECT_EQ(4, accel.GetBindingCount());
}

TEST(AccelTable, CommaAndQuoteKeysAreRemovedByTheirOwnTexts)
{
    CAccel accel;
    Fill(accel);
    ASSERT_TRUE(accel.SetBinding(Accel(0x08, 0xBC), 1000, 0));
    ASSERT_TRUE(accel.SetBinding(Accel(0x08, 0xDE), 1000, 0));
    CStringArray texts;
    accel.GetKeyTexts(1000, texts);
    ASSERT_EQ(3, texts.GetSize());
    EXPECT_EQ("Ctrl+A", std::string(texts[0]));
    EXPECT_EQ("Ctrl+,", std::string(texts[1]));
    EXPECT_EQ("Ctrl+'", std::string(texts[2]));

    EXPECT_TRUE(accel.RemoveBinding("Next", "Ctrl+'"));
    accel.GetKeyTexts(1000, texts);
    ASSERT_EQ(2, texts.GetSize());
    EXPECT_EQ("Ctrl+,", std::string(texts[1]));
}

TEST(AccelTable, EnabledSwitchIsSetOnce)
{
    CAccel accel;
    EXPECT_FALSE(accel.SetEnabled(0));
    EXPECT_TRUE(accel.SetEnabled((DWORD_PTR)&accel));
    EXPECT_FALSE(accel.SetEnabled((DWORD_PTR)&accel));
    EXPECT_FALSE(accel.SetEnabled(0));
    EXPECT_TRUE(accel.IsEnabled());
}

TEST(AccelTable, AcceleratorTableFollowsTheBindings)
{
    CAccel accel;
    Fill(accel);
    EXPECT_FALSE(accel.CreateAccelTable()); // switched off
    EXPECT_EQ(NULL, accel.GetAccelTable());
    accel.SetEnabled(1);

    ASSERT_TRUE(accel.CreateAccelTable());
    HACCEL first = accel.GetAccelTable();
    ASSERT_NE((HACCEL)NULL, first);
    ACCEL entries[4];
    ASSERT_EQ(2, ::CopyAcceleratorTableA(first, entries, 4));
    EXPECT_EQ(0x09, entries[0].fVirt);
    EXPECT_EQ(0x41, entries[0].key);
    EXPECT_EQ(1000, entries[0].cmd);
    EXPECT_EQ(0x77, entries[1].key);
    EXPECT_EQ(32895, entries[1].cmd);

    // No bindings: the old table goes, so removed hot keys stop working.
    ASSERT_TRUE(accel.RemoveBinding("Next", "Ctrl+A"));
    ASSERT_TRUE(accel.RemoveBinding("Full", "F8"));
    EXPECT_TRUE(accel.CreateAccelTable());
    EXPECT_EQ(NULL, accel.GetAccelTable());
    EXPECT_FALSE(::DestroyAcceleratorTable(first));

    ASSERT_TRUE(accel.SetBinding(Accel(0x01, 0x70), 1000, 0));
    ASSERT_TRUE(accel.CreateAccelTable());
    EXPECT_EQ(1, ::CopyAcceleratorTableA(accel.GetAccelTable(), NULL, 0));
}

TEST(AccelArchive, StoresTheGoldenBytesAndReadsThemBack)
{
    TempFolder dir;
    const std::string path = dir.File("Accel");
    CAccel accel;
    Fill(accel);
    ASSERT_TRUE(accel.SaveToFile(path.c_str()));
    EXPECT_EQ(Bytes(), dir.Read("Accel"));
    EXPECT_FALSE(dir.Exists("Accel.tmp"));

    CAccel back;
    back.AddGroup("replaced");
    ASSERT_TRUE(back.LoadFromFile(path.c_str()));
    EXPECT_EQ(Describe(accel), Describe(back));
    EXPECT_EQ("Ctrl+A", std::string(back.GetBinding(0)->GetKeyText()));
}

TEST(AccelArchive, LongTextsAndAnEmptyTableRoundTrip)
{
    TempFolder dir;
    const std::string path = dir.File("Accel");
    CAccel accel;
    accel.AddGroup(CString('g', 300));                 // a 16-bit length
    accel.AddCommand(0, 7, "n", CString('d', 70000)); // a 32-bit length
    ASSERT_TRUE(accel.SaveToFile(path.c_str()));
    CAccel back;
    ASSERT_TRUE(back.LoadFromFile(path.c_str()));
    EXPECT_EQ(Describe(accel), Describe(back));

    // Nothing at all: it loads to an empty table, which builds no
    // accelerator table and drops the one in use.
    ASSERT_TRUE(dir.Write("Accel", std::string("\x00\x00" "\x00\x00\x00\x00" "\x00\x00\x00\x00", 10)));
    CAccel empty;
    Fill(empty);
    empty.SetEnabled(1);
    ASSERT_TRUE(empty.CreateAccelTable());
    ASSERT_TRUE(empty.LoadFromFile(path.c_str()));
    EXPECT_EQ("", Describe(empty));
    EXPECT_TRUE(empty.CreateAccelTable());
    EXPECT_EQ(NULL, empty.GetAccelTable());
}

TEST(AccelArchive, ArchiveCutAnywhereLeavesTheTableAsItWas)
{
    TempFolder dir;
    const std::string path = dir.File("Accel");
    const std::string bytes = Bytes();
    CAccel table;
    table.AddGroup("mine");
    table.AddCommand(0, 5, "Keep", "");
    const std::string before = Describe(table);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        ASSERT_TRUE(dir.Write("Accel", bytes.substr(0, cut)));
        EXPECT_FALSE(table.LoadFromFile(path.c_str())) << cut;
        ASSERT_EQ(before, Describe(table)) << "cut at " << cut;
    }
}

TEST(AccelArchive, CountsAndLengthsBeyondTheFileAreRefused)
{
    struct { const char* name; std::string bytes; } cases[] = {
        {"group count", std::string("\xFF\xFF\xFF\xFF\xFF\x00" "\x01" "a", 8)},
        {"group length", std::string("\x01\x00" "\xFF\xFF\xFF\xFF\xFF\xFF\x00" "ab", 11)},
        {"item count", std::string("\x00\x00" "\xFF\xFF\xFF\x0F" "\x00\x00\x00\x00\x01\x00\x00\x00", 14)},
        {"binding count", std::string("\x00\x00" "\x00\x00\x00\x00" "\x02\x00\x00\x00" "\x09\x41\x00\xE8\x03\x00\x00", 17)},
        {"description length", std::string("\x00\x00" "\x01\x00\x00\x00" "\x00\x00\x00\x00\x01\x00" "\x01" "n"
                                           "\xFF\xFF\xFF\x00\x00\x10\x00", 20)},
    };
    TempFolder dir;
    const std::string path = dir.File("Accel");
    CAccel reference;
    Fill(reference);
    for (const auto& c : cases) {
        ASSERT_TRUE(dir.Write("Accel", c.bytes));
        CAccel table;
        Fill(table);
        EXPECT_FALSE(table.LoadFromFile(path.c_str())) << c.name;
        EXPECT_EQ(Describe(reference), Describe(table)) << c.name;
    }
}

TEST(AccelArchive, MissingFileAndUnwritablePlaceFail)
{
    TempFolder dir;
    CAccel accel;
    Fill(accel);
    EXPECT_FALSE(accel.LoadFromFile(dir.File("none").c_str()));
    EXPECT_FALSE(accel.SaveToFile(dir.File("no\\such\\folder\\Accel").c_str()));
    EXPECT_EQ(2, accel.GetBindingCount());
}
