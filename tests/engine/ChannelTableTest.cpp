// Channel tables: stepping over hidden channels and favourites, tuning and
// the previous channel, scan merges, and both file formats with fixtures.
#include "engine/ChannelTable.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

class FakeTuner : public IChannelTuner
{
public:
    BOOL TuneFrequency(BOOL fm, long kHz) override
    {
        tuned.push_back(kHz);
        lastFM = fm;
        return TRUE;
    }
    void GetFrequencyRange(BOOL, long& minKHz, long& maxKHz) override
    {
        minKHz = 1;
        maxKHz = 2;
    }
    void ReapplyTVAudioMode() override { ++audioReapplied; }

    std::vector<long> tuned;
    BOOL lastFM = FALSE;
    int audioReapplied = 0;
};

const DWORD V = CHANNEL_VALID;
const DWORD F = CHANNEL_VALID | CHANNEL_FAVOR;
const DWORD H = CHANNEL_VALID | CHANNEL_HIDDEN;
const DWORD FH = CHANNEL_VALID | CHANNEL_FAVOR | CHANNEL_HIDDEN;

// Channel i (from 1) at 100000 + i * 10000 kHz.
void Fill(CChannelTable& table, const std::vector<DWORD>& flags)
{
    table.RemoveAll();
    for (size_t i = 0; i < flags.size(); ++i) {
        CString name;
        name.Format("Ch %d", (int)i + 1);
        table.AddChannel(CChannel((long)i + 1, 100000 + (long)(i + 1) * 10000, name, flags[i]));
    }
}

long FreqOf(int id) { return 100000 + id * 10000; }

} // namespace

TEST(ChannelTableStep, HiddenChannelsAndFavourites)
{
    // IDs:             1  2  3  4   5
    const std::vector<DWORD> flags = {F, H, V, FH, F};
    struct { const char* name; BOOL favor; int from; int direction; int expected; } cases[] = {
        {"next skips hidden", FALSE, 1, +1, 3},
        {"prev skips hidden", FALSE, 3, -1, 1},
        {"next wraps", FALSE, 5, +1, 1},
        {"prev wraps", FALSE, 1, -1, 5},
        {"favourites: next", TRUE, 1, +1, 5},
        {"favourites: prev skips a hidden favourite", TRUE, 5, -1, 1},
        {"favourites: from a non-favourite", TRUE, 3, +1, 5},
        {"no start: next is the first", FALSE, 0, +1, 1},
        {"no start: prev is the last", FALSE, 0, -1, 5},
    };
    for (const auto& c : cases) {
        CChannelTable table;
        table.SetFM(FALSE);
        Fill(table, flags);
        table.SetFavorMode(c.favor);
        table.SetCurrentFrequency(c.from ? FreqOf(c.from) : 5000);
        CChannel* got = c.direction > 0 ? table.NextChannel() : table.PrevChannel();
        ASSERT_NE(nullptr, got) << c.name;
        EXPECT_EQ(c.expected, got->ID) << c.name;
        EXPECT_EQ(c.expected - 1, table.GetCurrentIndex()) << c.name;
    }
}

TEST(ChannelTableStep, NothingQualifies)
{
    CChannelTable table;
    table.SetFM(FALSE);
    EXPECT_EQ(nullptr, table.NextChannel());

    Fill(table, {V, V, H});
    table.SetFavorMode(TRUE);
    table.SetCurrentIndex(1);
    table.SetCurrentFrequency(FreqOf(2));
    CChannel* got = table.NextChannel();
    ASSERT_NE(nullptr, got);
    EXPECT_EQ(2, got->ID); // the channel it started from
    EXPECT_EQ(1, table.GetCurrentIndex());
    EXPECT_EQ(0, table.GetVisibleCount());
    // Stepping from a given frequency rather than the current one.
    table.SetFavorMode(FALSE);
    EXPECT_EQ(2, table.NextChannel(FreqOf(1) + 300)->ID);
    EXPECT_EQ(2, table.GetVisibleCount());
}

TEST(ChannelTableTune, PreviousFrequencyAndAudioMode)
{
    FakeTuner tuner;
    CChannelTable table;
    table.SetFM(FALSE);
    table.SetTuner(&tuner);
    table.AddChannel(CChannel(1, 500000, "A", V));
    table.AddChannel(CChannel(2, 500800, "B", V));
    table.AddChannel(CChannel(3, 502000, "C", V));
    table.SetCurrentFrequency(500000);
    table.SetLastFrequency(111);

    EXPECT_TRUE(table.SetCurrentChannel(table.GetChannel(1))); // 800 kHz: a fine step
    EXPECT_EQ(111, table.GetLastFrequency());
    EXPECT_TRUE(table.SetCurrentChannel(table.GetChannel(2))); // 1200 kHz: a jump
    EXPECT_EQ(500800, table.GetLastFrequency());
    EXPECT_EQ(502000, table.GetCurrentFrequency());
    EXPECT_EQ((std::vector<long>{500800, 502000}), tuner.tuned);
    EXPECT_EQ(2, tuner.audioReapplied);

    CChannel stranger(9, 1, "X", V);
    EXPECT_FALSE(table.SetCurrentChannel(&stranger));

    CChannelTable fm;
    fm.SetFM(TRUE);
    fm.SetTuner(&tuner);
    fm.AddChannel(CChannel(1, 98000, "R", V));
    fm.SetCurrentChannel(fm.GetChannel(0));
    EXPECT_TRUE(tuner.lastFM);
    EXPECT_EQ(2, tuner.audioReapplied); // only TV tables re-apply the sound mode
}

TEST(ChannelTableTune, RestoreCurrentChannel)
{
    struct { const char* name; BOOL fm; std::vector<DWORD> flags; int curId; int lastId; long expectTuned; int expectId; } cases[] = {
        {"empty TV table", FALSE, {}, 0, 0, 500000, 0},
        {"empty FM table", TRUE, {}, 0, 0, 100000, 0},
        {"current is visible", FALSE, {V, V, V}, 2, 3, 0, 2},
        {"current hidden: the previous one", FALSE, {V, H, V}, 2, 3, 0, 3},
        {"both hidden: the first visible", FALSE, {H, V, H}, 1, 3, 0, 2},
        {"all hidden: the last", FALSE, {H, H, H}, 1, 2, 0, 3},
    };
    for (const auto& c : cases) {
        FakeTuner tuner;
        CChannelTable table;
        table.SetFM(c.fm);
        table.SetTuner(&tuner);
        Fill(table, c.flags);
        if (c.curId)
            table.SetCurrentFrequency(FreqOf(c.curId));
        if (c.lastId)
            table.SetLastFrequency(FreqOf(c.lastId));
        CChannel* got = table.RestoreCurrentChannel();
        if (!c.expectId) {
            EXPECT_EQ(nullptr, got) << c.name;
            EXPECT_EQ((std::vector<long>{c.expectTuned}), tuner.tuned) << c.name;
            continue;
        }
        ASSERT_NE(nullptr, got) << c.name;
        EXPECT_EQ(c.expectId, got->ID) << c.name;
        EXPECT_EQ((std::vector<long>{FreqOf(c.expectId)}), tuner.tuned) << c.name;
    }
}

TEST(ChannelTableMerge, WithinAndBeyondTheTolerance)
{
    CChannelTable stored;
    stored.SetFM(FALSE);
    stored.AddChannel(CChannel(1, 471250, "Old", V));
    stored.AddChannel(CChannel(2, 495250, "Hidden", H));

    CChannelTable found;
    found.SetFM(FALSE);
    found.AddChannel(CChannel(7, 471250 + 1000, "New name", FH)); // within 1000 kHz
    found.AddChannel(CChannel(2, 495250 - 900, "Still hidden", H));
    found.AddChannel(CChannel(2, 471250 + 1001 + 20000, "Beyond", V)); // ID 2 is taken

    stored.MergeFrom(found);
    ASSERT_EQ(3, stored.GetSize());
    const CChannel* first = stored.GetChannel(0);
    EXPECT_EQ("New name", first->Name);
    EXPECT_EQ(471250, first->Frequency); // the stored frequency stays
    EXPECT_EQ(7, first->ID);
    EXPECT_EQ(F, first->Flags); // was visible: the copy is not hidden
    EXPECT_EQ(H, stored.GetChannel(1)->Flags); // was hidden: stays hidden
    EXPECT_EQ(495250, stored.GetChannel(1)->Frequency);
    const CChannel* added = stored.GetChannel(2);
    EXPECT_EQ("Beyond", added->Name);
    EXPECT_EQ(8, added->ID); // max ID + 1
}

TEST(ChannelTableNames, ApplyAndLookUpByFrequency)
{
    CChannelTable table;
    table.SetFM(FALSE);
    Fill(table, {V, V});
    CFreqNameMap names;
    names[(DWORD)FreqOf(1) + 500] = "Sport";
    names[900000] = "Nowhere";
    table.ApplyNames(names);
    EXPECT_EQ("Sport", table.GetChannel(0)->Name);
    EXPECT_EQ("Ch 2", table.GetChannel(1)->Name);
    CString name;
    EXPECT_TRUE(table.LookupNameByFrequency(names, FreqOf(1) - 400, name));
    EXPECT_EQ("Sport", name);
    EXPECT_FALSE(table.LookupNameByFrequency(names, FreqOf(2), name));

    // Frequencies distant apart stay distant apart: no distance wraps round.
    CFreqNameMap distant;
    distant[0x80000000u] = "Ghost";
    distant[0xFFFFFFFFu] = "Ghost";
    table.ApplyNames(distant);
    EXPECT_EQ("Ch 2", table.GetChannel(1)->Name);
    for (long kHz : {FreqOf(1), 1L, LONG_MIN + 1})
        EXPECT_FALSE(table.LookupNameByFrequency(distant, kHz, name)) << kHz;
    EXPECT_EQ(-1, table.FindByFrequency(LONG_MIN));
}

TEST(ChannelTableText, RoundTripKeepsNamesAndDropsHiddenChannels)
{
    TempFolder dir;
    CChannelTable table;
    table.SetFM(FALSE);
    table.AddChannel(CChannel(5, 471250, "Sport 1, news", F));
    table.AddChannel(CChannel(6, 479250, "Hidden one", H));
    table.AddChannel(CChannel(7, 487250, "Plain", V));
    table.SetModified();
    ASSERT_TRUE(table.SaveToFile(dir.File("TVChannel.tvc").c_str()));
    EXPECT_FALSE(table.IsModified());

    const std::string bytes = dir.Read("TVChannel.tvc");
    EXPECT_EQ(0u, bytes.find(";========================================================\r\n;\t\tTV Channel Table\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("; Count = 2\r\n")); // the lines written
    EXPECT_NE(std::string::npos, bytes.find("\r\n5,3,471250,Sport 1, news\r\n"));
    EXPECT_EQ(std::string::npos, bytes.find("Hidden one"));

    CChannelTable back;
    back.SetModified();
    ASSERT_TRUE(back.LoadFromFile(dir.File("TVChannel.tvc").c_str()));
    EXPECT_FALSE(back.IsModified());
    ASSERT_EQ(2, back.GetSize());
    EXPECT_EQ(5, back.GetChannel(0)->ID);
    EXPECT_EQ(F, back.GetChannel(0)->Flags);
    EXPECT_EQ(471250, back.GetChannel(0)->Frequency);
    EXPECT_EQ("Sport 1, news", back.GetChannel(0)->Name);
    EXPECT_EQ("Plain", back.GetChannel(1)->Name);
}

TEST(ChannelTableText, FixtureWithCommentsBadLinesAndATruncatedEnd)
{
    TempFolder dir;
    dir.Write("in.fmc",
              "; comment\r\n"
              "// another\r\n"
              "\\\\ and another\r\n"
              "  12\t3  98500\tRadio One  \r\n" // tabs and blanks; trimmed
              "0,1,99000,Zero ID\r\n"
              "4,1,0,Zero frequency\r\n"
              "1,1,9\r\n"                         // too short
              "2,1,101700\r\n"                    // no name
              "3,5,102100,Hidden in the file\n"   // LF only; hidden bit kept
              "8,1,10");                          // cut off mid-line
    CChannelTable table;
    table.AddChannel(CChannel(99, 1, "dropped", V));
    ASSERT_TRUE(table.LoadFromFile(dir.File("in.fmc").c_str()));
    ASSERT_EQ(2, table.GetSize());
    EXPECT_EQ(12, table.GetChannel(0)->ID);
    EXPECT_EQ(98500, table.GetChannel(0)->Frequency);
    EXPECT_EQ("Radio One", table.GetChannel(0)->Name);
    EXPECT_TRUE(table.GetChannel(1)->IsHidden());

    CChannelTable untouched;
    untouched.AddChannel(CChannel(1, 2, "kept", V));
    EXPECT_FALSE(untouched.LoadFromFile(dir.File("missing.tvc").c_str()));
    EXPECT_EQ(1, untouched.GetSize());
}

TEST(ChannelTableText, CountLineCountsTheLinesWritten)
{
    TempFolder dir;
    CChannelTable table;
    table.AddChannel(CChannel(1, 471250, "Flags two", CHANNEL_FAVOR)); // not valid: not written
    ASSERT_TRUE(table.SaveToFile(dir.File("t.tvc").c_str()));
    const std::string bytes = dir.Read("t.tvc");
    EXPECT_NE(std::string::npos, bytes.find("; Count = 0\r\n"));
    EXPECT_EQ(std::string::npos, bytes.find("Flags two"));
}

TEST(ChannelTableText, AChannelFileNotReadWholeIsSetAsideBeforeTheNextSave)
{
    const std::string utf16("\xFF\xFE" "1\0,\0" "1\0,\0" "9\0" "8\0" "5\0" "0\0" "0\0,\0" "R\0", 24);
    const std::string nul("1,1,98500,One\r\n2,1,99\0" "000,Two\r\n3,1,101700,Three\r\n", 49);
    struct { const char* name; std::string bytes; bool loads; int channels; } cases[] = {
        {"UTF-16", utf16, false, 1},           // table unchanged
        {"a NUL byte", nul, false, 2},         // the other lines read
        {"a good file", "1,1,98500,One\r\n", true, 1},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        dir.Write("FMChannel.fmc", c.bytes);
        CChannelTable table;
        table.SetFM(TRUE);
        table.AddChannel(CChannel(9, 88000, "Before", V));
        EXPECT_EQ(c.loads, table.LoadFromFile(dir.File("FMChannel.fmc").c_str()) != FALSE) << c.name;
        EXPECT_EQ(c.channels, table.GetSize()) << c.name;

        CChannelTable copy(table); // the settings pages work on copies
        ASSERT_TRUE(copy.SaveToFile(dir.File("FMChannel.fmc").c_str())) << c.name;
        EXPECT_EQ(!c.loads, dir.Exists("FMChannel.fmc.unread")) << c.name;
        if (!c.loads) {
            EXPECT_EQ(c.bytes, dir.Read("FMChannel.fmc.unread")) << c.name;
        }
        ASSERT_TRUE(copy.SaveToFile(dir.File("FMChannel.fmc").c_str())) << c.name;
        EXPECT_FALSE(dir.Exists("FMChannel.fmc.unread2")) << c.name;
    }
}

TEST(ChannelTableText, ChannelsPastTheCapLeaveTheFileUnread)
{
    std::string atTheCap;
    for (int i = 1; i <= CChannelTable::kMaxChannels; ++i)
        atTheCap += std::to_string(i) + ",1," + std::to_string(48250 + 10 * i) + ",Channel\r\n";
    struct { const char* name; std::string bytes; bool whole; } cases[] = {
        {"one channel past the cap", atTheCap + "9999,1,99999,One more\r\n", false},
        {"the cap, then comments and bad lines", atTheCap + "; end\r\n1,1,9\r\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        dir.Write("TVChannel.tvc", c.bytes);
        CChannelTable table;
        EXPECT_EQ(c.whole, table.LoadFromFile(dir.File("TVChannel.tvc").c_str()) != FALSE);
        EXPECT_EQ(CChannelTable::kMaxChannels, table.GetSize());
        ASSERT_TRUE(table.SaveToFile(dir.File("TVChannel.tvc").c_str()));
        EXPECT_EQ(!c.whole, dir.Exists("TVChannel.tvc.unread"));
        if (!c.whole)
            EXPECT_TRUE(dir.Read("TVChannel.tvc.unread") == c.bytes);
    }
}

TEST(ChannelTableText, FailedSaveKeepsTheOldFile)
{
    TempFolder dir;
    dir.Write("TVChannel.tvc", "1,1,471250,Old\r\n");
    ASSERT_TRUE(SetFileAttributesA(dir.File("TVChannel.tvc").c_str(), FILE_ATTRIBUTE_READONLY));
    CChannelTable table;
    table.AddChannel(CChannel(1, 479250, "New", V));
    table.SetModified();
    EXPECT_FALSE(table.SaveToFile(dir.File("TVChannel.tvc").c_str()));
    EXPECT_TRUE(table.IsModified());
    EXPECT_EQ("1,1,471250,Old\r\n", dir.Read("TVChannel.tvc"));
}

TEST(ChannelTableIni, ExportImportRoundTrip)
{
    TempFolder dir;
    CChannelTable table;
    table.SetFM(FALSE);
    table.AddChannel(CChannel(10, 471250, "Sport 1, news", F));
    table.AddChannel(CChannel(20, 479250, "Was hidden", FH));
    table.AddChannel(CChannel(30, 487250, "Plain", V));
    ASSERT_TRUE(table.ExportIni(dir.File("list.ini").c_str()));
    const std::string bytes = dir.Read("list.ini");
    EXPECT_NE(std::string::npos, bytes.find("Channel-0=Sport 1, news,471250,3\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("Channel-1=Was hidden,479250,3\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("Total=3\r\n"));

    CChannelTable back;
    ASSERT_TRUE(back.ImportIni(dir.File("list.ini").c_str()));
    ASSERT_EQ(3, back.GetSize());
    EXPECT_EQ(1, back.GetChannel(0)->ID); // numbered in import order
    EXPECT_EQ("Sport 1, news", back.GetChannel(0)->Name);
    EXPECT_EQ(F, back.GetChannel(0)->Flags);
    EXPECT_EQ(F, back.GetChannel(1)->Flags); // exported without the hidden bit
    EXPECT_EQ(V, back.GetChannel(2)->Flags);
    EXPECT_EQ(487250, back.GetChannel(2)->Frequency);
}

TEST(ChannelTableIni, BadImportsLeaveTheTableAlone)
{
    TempFolder dir;
    struct { const char* name; std::string bytes; } cases[] = {
        {"no Total", "[Channel]\r\nChannel-0=A,471250,1\r\n"},
        {"nothing valid", "[General]\r\nTotal=4\r\n[Channel]\r\nChannel-0=,471250,1\r\nChannel-1=A,0,1\r\n"
                          "Channel-2=NoFields\r\nChannel-3=A,x,1\r\n"},
        {"huge Total, no channels", "[General]\r\nTotal=2000000000\r\n"},
    };
    for (const auto& c : cases) {
        dir.Write("bad.ini", c.bytes);
        CChannelTable table;
        table.AddChannel(CChannel(1, 471250, "Kept", V));
        table.SetModified();
        EXPECT_FALSE(table.ImportIni(dir.File("bad.ini").c_str())) << c.name;
        ASSERT_EQ(1, table.GetSize()) << c.name;
        EXPECT_EQ("Kept", table.GetChannel(0)->Name) << c.name;
        EXPECT_TRUE(table.IsModified()) << c.name;
    }
    CChannelTable table;
    EXPECT_FALSE(table.ImportIni(dir.File("missing.ini").c_str()));
}
