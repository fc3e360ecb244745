// The channel wall's logic apart from its window: pages taken from a
// channel table, the keys' moves on the grid, the timer's step, the period
// and the stills' names.
#include "app/WallPage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A table from a text: one token per channel, its id, "h" for hidden, "f"
// for a favourite ("3h", "4f"); frequencies apart by more than the tolerance.
void Fill(CChannelTable& table, const char* layout)
{
    table.SetFM(FALSE);
    std::string text(layout);
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string token = text.substr(at, end - at);
        at = end + 1;
        if (token.empty())
            continue;
        const long id = std::stol(token);
        DWORD flags = CHANNEL_VALID;
        if (token.find('h') != std::string::npos)
            flags |= CHANNEL_HIDDEN;
        if (token.find('f') != std::string::npos)
            flags |= CHANNEL_FAVOR;
        table.AddChannel(CChannel(id, 100000 + id * 8000, token.c_str(), flags));
    }
}

// The page's channel ids, blank-separated; "-" for an empty cell.
std::string Ids(const CWallPage& page)
{
    std::string ids;
    for (int cell = 0; cell < CWallPage::kCells; ++cell) {
        const CChannel* channel = page.GetChannel(cell);
        ids += (cell ? " " : "") + (channel ? std::to_string(channel->ID) : std::string("-"));
    }
    return ids;
}

const char kEmptyPage[] = "- - - - - - - - - - - - - - - -";

struct PageCase
{
    const char* what;
    const char* table;
    BOOL favourites;
    int current;        // index of the table's current channel, -1 none
    const char* first;  // the first page, or kEmptyPage when refused
    const char* second; // the page after it
};

TEST(WallPageTest, PagesRepeatTheChannelsTheTableStepsTo)
{
    const PageCase cases[] = {
        {"five visible of seven, repeated in table order", "1 2 3h 4 5 6h 7", FALSE, 0,
         "1 2 4 5 7 1 2 4 5 7 1 2 4 5 7 1", "2 4 5 7 1 2 4 5 7 1 2 4 5 7 1 2"},
        {"from the current channel", "1 2 3h 4 5 6h 7", FALSE, 3,
         "4 5 7 1 2 4 5 7 1 2 4 5 7 1 2 4", "5 7 1 2 4 5 7 1 2 4 5 7 1 2 4 5"},
        {"a hidden current channel starts at the next", "1 2 3h 4 5 6h 7", FALSE, 2,
         "4 5 7 1 2 4 5 7 1 2 4 5 7 1 2 4", "5 7 1 2 4 5 7 1 2 4 5 7 1 2 4 5"},
        {"no current channel starts at the first", "1h 2 3", FALSE, -1,
         "2 3 2 3 2 3 2 3 2 3 2 3 2 3 2 3", "2 3 2 3 2 3 2 3 2 3 2 3 2 3 2 3"},
        {"more than a page", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18", FALSE, 0,
         "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", "17 18 1 2 3 4 5 6 7 8 9 10 11 12 13 14"},
        {"one channel fills the page", "9", FALSE, 0,
         "9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9", "9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9"},
        {"favourites mode takes favourites only", "1 2f 3 4h 5f 6", TRUE, 0,
         "2 5 2 5 2 5 2 5 2 5 2 5 2 5 2 5", "2 5 2 5 2 5 2 5 2 5 2 5 2 5 2 5"},
        {"a hidden favourite is not taken", "1 2fh 3f", TRUE, 0,
         "3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3", "3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3"},
        // Visible channels but no favourite: nothing to show, not empty cells.
        {"favourites mode without a favourite", "1 2 3", TRUE, 0, kEmptyPage, kEmptyPage},
        {"every channel hidden", "1h 2h", FALSE, 0, kEmptyPage, kEmptyPage},
        {"no channel", "", FALSE, -1, kEmptyPage, kEmptyPage},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.what);
        CChannelTable table;
        Fill(table, c.table);
        table.SetFavorMode(c.favourites);
        table.SetCurrentIndex(c.current);
        table.SetCurrentFrequency(c.current >= 0 ? table.GetAt(c.current)->Frequency : 0);
        const bool shows = std::string(c.first) != kEmptyPage;
        // The wall refuses to start by this one rule: the page it would load.
        EXPECT_EQ(shows, table.GetVisibleCount() > 0);

        CWallPage page;
        EXPECT_EQ(shows, page.LoadPage(table) != FALSE);
        EXPECT_EQ(c.first, Ids(page));
        EXPECT_EQ(!shows, page.IsEmpty() != FALSE);
        EXPECT_EQ(shows, page.LoadPage(table) != FALSE);
        EXPECT_EQ(c.second, Ids(page));
        // Loading pages leaves the table's current channel alone.
        EXPECT_EQ(c.current, table.GetCurrentIndex());
        // Reset, the next page starts at the current channel again.
        page.ResetCursor();
        page.LoadPage(table);
        EXPECT_EQ(c.first, Ids(page));
        // Out of range is no channel, on any page.
        EXPECT_EQ(nullptr, page.GetChannel(-1));
        EXPECT_EQ(nullptr, page.GetChannel(CWallPage::kCells));
    }
}

TEST(WallPageTest, APageGoneFromTheTableStartsTheNextAtTheFirstChannel)
{
    CChannelTable table;
    Fill(table, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18");
    table.SetCurrentIndex(0);
    CWallPage page;
    ASSERT_TRUE(page.LoadPage(table));
    EXPECT_EQ(100000 + 16 * 8000, page.GetCursor());
    // A hidden last channel is still found by its frequency.
    table.GetAt(15)->SetHidden(TRUE);
    ASSERT_TRUE(page.LoadPage(table));
    EXPECT_EQ("17 18 1 2 3 4 5 6 7 8 9 10 11 12 13 14", Ids(page));
    // A deleted one is not: the next page starts at the first channel.
    page.ResetCursor();
    ASSERT_TRUE(page.LoadPage(table));
    EXPECT_EQ("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 17", Ids(page));
    delete table.GetAt(16);
    table.RemoveAt(16);
    ASSERT_TRUE(page.LoadPage(table));
    EXPECT_EQ("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 18", Ids(page));
}

struct KeyCase
{
    int current;
    UINT key;
    CWallPage::KeyAction action;
    int cell;
};

TEST(WallPageTest, KeysMoveWithinRowsAndColumnsAndWrap)
{
    using A = CWallPage;
    const KeyCase cases[] = {
        {5, VK_LEFT, A::kKeyMoved, 4},    {4, VK_LEFT, A::kKeyMoved, 7},   {0, VK_LEFT, A::kKeyMoved, 3},
        {5, VK_RIGHT, A::kKeyMoved, 6},   {7, VK_RIGHT, A::kKeyMoved, 4},  {15, VK_F4, A::kKeyMoved, 12},
        {5, VK_UP, A::kKeyMoved, 1},      {1, VK_UP, A::kKeyMoved, 13},    {0, VK_UP, A::kKeyMoved, 12},
        {5, VK_DOWN, A::kKeyMoved, 9},    {14, VK_DOWN, A::kKeyMoved, 2},  {15, VK_DOWN, A::kKeyMoved, 3},
        {6, VK_RETURN, A::kKeyClose, -1}, {6, VK_ESCAPE, A::kKeyClose, -1}, {6, VK_F5, A::kKeyClose, -1},
        {6, VK_SPACE, A::kKeyIgnored, -1}, {6, 'A', A::kKeyIgnored, -1},   {6, VK_HOME, A::kKeyIgnored, -1},
    };
    for (const KeyCase& c : cases) {
        CWallPage page;
        ASSERT_TRUE(page.SetCurrent(c.current));
        int cell = -1;
        EXPECT_EQ(c.action, page.OnKey(c.key, cell)) << c.current << " key " << c.key;
        EXPECT_EQ(c.cell, cell) << c.current << " key " << c.key;
        EXPECT_EQ(c.current, page.GetCurrent());
    }
    CWallPage page;
    EXPECT_FALSE(page.SetCurrent(-1));
    EXPECT_FALSE(page.SetCurrent(CWallPage::kCells));
    EXPECT_EQ(0, page.GetCurrent());
}

TEST(WallPageTest, TheTimerStepsOnAndWrapsToANewPage)
{
    CWallPage page;
    const struct { int current; int next; BOOL newPage; } cases[] = {{0, 1, FALSE}, {14, 15, FALSE}, {15, 0, TRUE}};
    for (const auto& c : cases) {
        ASSERT_TRUE(page.SetCurrent(c.current));
        BOOL newPage = !c.newPage;
        EXPECT_EQ(c.next, page.NextByTimer(newPage)) << c.current;
        EXPECT_EQ(c.newPage, newPage) << c.current;
    }
}

TEST(WallPageTest, PeriodsOfASecondOrLessAreRefused)
{
    CWallPage page;
    EXPECT_EQ(2000u, page.GetPeriod());
    const struct { UINT ms; BOOL taken; UINT after; } cases[] = {
        {0, FALSE, 2000}, {999, FALSE, 2000}, {1000, FALSE, 2000}, {1001, TRUE, 1001},
        {1500, TRUE, 1500}, {1000, FALSE, 1500}, {60000, TRUE, 60000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.taken, page.SetPeriod(c.ms)) << c.ms;
        EXPECT_EQ(c.after, page.GetPeriod()) << c.ms;
    }
}

TEST(WallPageTest, StillsAreNumberedBitmapsInTheWallFolder)
{
    EXPECT_STREQ("C:\\Pellamar\\WALL", CWallPage::StillsFolder("C:\\Pellamar"));
    EXPECT_STREQ("C:\\Pellamar\\WALL", CWallPage::StillsFolder("C:\\Pellamar\\"));
    EXPECT_STREQ("0.bmp", CWallPage::StillName(0));
    EXPECT_STREQ("15.bmp", CWallPage::StillName(15));
    EXPECT_STREQ("C:\\Pellamar\\WALL\\7.bmp", CWallPage::StillPath("C:\\Pellamar\\WALL", 7));
}

} // namespace
