// The layout helpers: controls that follow edges, and grids of equal cells
// (the channel wall's 4 x 4, the on-screen menu's rows).
#include "skin/LayoutAnchors.h"
#include "skin/RectSplitter.h"
#include "tests/skin/SkinTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Field by field: the system's comparison calls any two empty rectangles equal.
bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// --- anchors ------------------------------------------------------------------------

struct AnchorCase
{
    const char* what;
    UINT anchors;
    CRect client; // the design client area is (0, 0)-(400, 300); the control (50, 60)-(150, 90)
    CRect expected;
};

TEST(LayoutAnchorsTest, ControlsFollowTheirEdges)
{
    const CRect design(0, 0, 400, 300);
    const CRect control(50, 60, 150, 90);
    const AnchorCase cases[] = {
        {"none stays", kAnchorNone, CRect(0, 0, 600, 500), CRect(50, 60, 150, 90)},
        {"top left stays", kAnchorTopLeft, CRect(0, 0, 600, 500), CRect(50, 60, 150, 90)},
        {"right moves", kAnchorRight | kAnchorTop, CRect(0, 0, 600, 500), CRect(250, 60, 350, 90)},
        {"bottom moves", kAnchorLeft | kAnchorBottom, CRect(0, 0, 600, 500), CRect(50, 260, 150, 290)},
        {"left and right stretch", kAnchorLeft | kAnchorRight, CRect(0, 0, 600, 500), CRect(50, 60, 350, 90)},
        {"all stretch", kAnchorAll, CRect(0, 0, 600, 500), CRect(50, 60, 350, 290)},
        {"right and bottom, smaller", kAnchorRight | kAnchorBottom, CRect(0, 0, 300, 200), CRect(-50, -40, 50, -10)},
        {"stretch never inverts", kAnchorAll, CRect(0, 0, 100, 50), CRect(50, 60, 50, 60)},
        {"centre keeps the middle", kAnchorCentreX | kAnchorCentreY, CRect(0, 0, 600, 500), CRect(150, 160, 250, 190)},
        {"centre, odd growth", kAnchorCentreX, CRect(0, 0, 401, 300), CRect(50, 60, 150, 90)},
        {"client moved", kAnchorTopLeft, CRect(10, 20, 410, 320), CRect(60, 80, 160, 110)},
        {"client moved, right", kAnchorRight, CRect(10, 20, 410, 320), CRect(60, 80, 160, 110)},
        {"same client", kAnchorAll, design, control},
    };
    for (const AnchorCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(Same(AnchoredRect(control, design, c.client, c.anchors), c.expected))
            << ::testing::PrintToString(AnchoredRect(control, design, c.client, c.anchors));
    }
}

TEST(LayoutAnchorsTest, MovesTheParentsControlsAndSkipsMissingOnes)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    host.AddControl("BUTTON", BS_PUSHBUTTON, 10, 10, 80, 24, 101);
    host.AddControl("STATIC", 0, 310, 10, 80, 24, 102);
    host.AddControl("EDIT", 0, 10, 50, 380, 240, 103);
    const AnchorRow rows[] = {
        {101, kAnchorTopLeft},
        {102, kAnchorRight | kAnchorTop},
        {103, kAnchorAll},
        {999, kAnchorAll}, // not in this window
    };
    CLayoutAnchors anchors;
    EXPECT_EQ(3, anchors.Capture(host.m_hWnd, rows));

    host.SetWindowPos(NULL, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    host.GetClientRect(&client);
    anchors.Layout(client);

    const struct
    {
        int id;
        CRect expected;
    } places[] = {{101, CRect(10, 10, 90, 34)}, {102, CRect(410, 10, 490, 34)}, {103, CRect(10, 50, 490, 390)}};
    for (const auto& place : places) {
        CRect rect;
        ::GetWindowRect(::GetDlgItem(host.m_hWnd, place.id), &rect);
        ::MapWindowPoints(NULL, host.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(Same(rect, place.expected)) << place.id << " " << ::testing::PrintToString(rect);
    }
    host.DestroyWindow();
}

TEST(LayoutAnchorsTest, NothingToMoveWithoutAParent)
{
    const AnchorRow rows[] = {{1, kAnchorAll}};
    CLayoutAnchors anchors;
    EXPECT_EQ(0, anchors.Capture(NULL, rows));
    anchors.Layout(CRect(0, 0, 10, 10));
    EXPECT_EQ(0, anchors.GetCount());
}

// --- grids ----------------------------------------------------------------------------

struct SplitCase
{
    const char* what;
    CRect rect;
    int rows, columns;
    BOOL centreX, centreY;
    CSize cell;
    CRect grid;
};

TEST(RectSplitterTest, SplitsIntoWholeCells)
{
    const SplitCase cases[] = {
        {"even 4 x 4", CRect(0, 0, 800, 600), 4, 4, TRUE, TRUE, CSize(200, 150), CRect(0, 0, 800, 600)},
        {"remainder centred", CRect(0, 0, 803, 607), 4, 4, TRUE, TRUE, CSize(200, 151), CRect(1, 1, 801, 605)},
        {"remainder at the end", CRect(0, 0, 803, 607), 4, 4, FALSE, FALSE, CSize(200, 151), CRect(0, 0, 800, 604)},
        {"centred one way", CRect(0, 0, 803, 607), 4, 4, TRUE, FALSE, CSize(200, 151), CRect(1, 0, 801, 604)},
        {"offset rectangle", CRect(10, 20, 110, 220), 2, 1, TRUE, TRUE, CSize(100, 100), CRect(10, 20, 110, 220)},
        {"smaller than the grid", CRect(0, 0, 3, 3), 4, 4, TRUE, TRUE, CSize(0, 0), CRect(1, 1, 1, 1)},
        {"upside down", CRect(50, 50, 0, 0), 2, 2, TRUE, TRUE, CSize(0, 0), CRect(50, 50, 50, 50)},
        {"one cell", CRect(0, 0, 7, 5), 1, 1, TRUE, TRUE, CSize(7, 5), CRect(0, 0, 7, 5)},
        {"1024 x 768, 4 x 4", CRect(0, 0, 1024, 768), 4, 4, TRUE, TRUE, CSize(256, 192), CRect(0, 0, 1024, 768)},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.what);
        CRectSplitter splitter;
        ASSERT_TRUE(splitter.Split(c.rect, c.rows, c.columns, c.centreX, c.centreY));
        EXPECT_EQ(c.rows * c.columns, splitter.GetCount());
        EXPECT_EQ(c.cell, splitter.GetCellSize());
        EXPECT_TRUE(Same(splitter.GetGridRect(), c.grid)) << ::testing::PrintToString(splitter.GetGridRect());
        EXPECT_TRUE(Same(splitter.GetOuterRect(), c.rect));
        // Row by row from the grid's corner, each cell the cell size.
        for (int i = 0; i < splitter.GetCount(); ++i) {
            CRect cell;
            ASSERT_TRUE(splitter.GetCell(i, cell));
            const CRect expected(CPoint(c.grid.left + (i % c.columns) * c.cell.cx, c.grid.top + (i / c.columns) * c.cell.cy),
                                 c.cell);
            EXPECT_TRUE(Same(cell, expected)) << i;
        }
    }
}

TEST(RectSplitterTest, RefusesCountsOutOfRangeAndKeepsTheGrid)
{
    CRectSplitter splitter;
    // As constructed: 2 x 2 cells of 1 x 1.
    EXPECT_EQ(4, splitter.GetCount());
    EXPECT_EQ(CSize(1, 1), splitter.GetCellSize());
    ASSERT_TRUE(splitter.Split(CRect(0, 0, 400, 400), 4, 4, TRUE, TRUE));
    const int bad[][2] = {{0, 4}, {4, 0}, {-1, 4}, {4, -3}, {CRectSplitter::kMaxSide + 1, 1}, {1, 1 << 30}};
    for (const auto& counts : bad) {
        EXPECT_FALSE(splitter.Split(CRect(0, 0, 100, 100), counts[0], counts[1], TRUE, TRUE)) << counts[0] << "x" << counts[1];
        EXPECT_FALSE(splitter.Stack(CPoint(0, 0), CSize(10, 10), counts[0], counts[1]));
    }
    EXPECT_FALSE(splitter.Stack(CPoint(0, 0), CSize(-1, 10), 2, 2));
    EXPECT_FALSE(splitter.Stack(CPoint(0, INT_MAX - 10), CSize(10, 10), 2, 1));
    EXPECT_EQ(16, splitter.GetCount());
    EXPECT_EQ(CSize(100, 100), splitter.GetCellSize());
}

TEST(RectSplitterTest, IndexesRowsAndColumns)
{
    CRectSplitter splitter;
    ASSERT_TRUE(splitter.Split(CRect(0, 0, 300, 200), 2, 3, FALSE, FALSE));
    const struct
    {
        int index, row, column;
        BOOL valid;
    } cases[] = {
        {0, 0, 0, TRUE}, {2, 0, 2, TRUE}, {3, 1, 0, TRUE}, {5, 1, 2, TRUE},
        {6, 2, 0, FALSE}, {-1, -1, 0, FALSE}, {-1, 0, 3, FALSE}, {-1, 0, -1, FALSE},
    };
    for (const auto& c : cases) {
        int row = -7, column = -7, index = -7;
        if (c.index >= 0) {
            EXPECT_EQ(c.valid, splitter.IndexToRowCol(c.index, row, column)) << c.index;
            if (c.valid) {
                EXPECT_EQ(c.row, row);
                EXPECT_EQ(c.column, column);
            }
        }
        EXPECT_EQ(c.valid, splitter.RowColToIndex(c.row, c.column, index)) << c.row << "," << c.column;
        if (c.valid)
            EXPECT_EQ(c.index, index);
        CRect cell(1, 2, 3, 4);
        EXPECT_EQ(c.valid, splitter.GetCell(c.row, c.column, cell));
        if (!c.valid)
            EXPECT_TRUE(Same(cell, CRect(1, 2, 3, 4))) << "unchanged when refused";
    }
    CRect cell;
    EXPECT_FALSE(splitter.GetCell(6, cell));
    EXPECT_FALSE(splitter.GetCell(-1, cell));
    int row = 0, column = 0;
    EXPECT_FALSE(splitter.IndexToRowCol(-1, row, column));
}

TEST(RectSplitterTest, HitTestFindsTheCellUnderAPoint)
{
    CRectSplitter splitter;
    // 4 x 4 of 25 x 25, centred: the grid is (1, 1)-(101, 101).
    ASSERT_TRUE(splitter.Split(CRect(0, 0, 103, 103), 4, 4, TRUE, TRUE));
    const struct
    {
        CPoint point;
        BOOL inside;
        int index;
    } cases[] = {
        {CPoint(1, 1), TRUE, 0},      {CPoint(25, 25), TRUE, 0},   {CPoint(26, 1), TRUE, 1},
        {CPoint(100, 100), TRUE, 15}, {CPoint(1, 26), TRUE, 4},    {CPoint(60, 80), TRUE, 14},
        {CPoint(0, 0), FALSE, 0},     {CPoint(101, 50), FALSE, 0}, {CPoint(50, 101), FALSE, 0},
        {CPoint(-5, 50), FALSE, 0},
    };
    for (const auto& c : cases) {
        int index = -1;
        EXPECT_EQ(c.inside, splitter.HitTest(c.point, index)) << c.point.x << "," << c.point.y;
        if (c.inside)
            EXPECT_EQ(c.index, index) << c.point.x << "," << c.point.y;
    }
    // A grid of empty cells has nothing to hit.
    ASSERT_TRUE(splitter.Split(CRect(0, 0, 3, 3), 4, 4, TRUE, TRUE));
    int index = -1;
    EXPECT_FALSE(splitter.HitTest(CPoint(1, 1), index));
}

TEST(RectSplitterTest, StacksCellsOfAGivenSize)
{
    // A menu panel: rows of 580 x 45 under a 60-pixel top band.
    CRectSplitter splitter;
    ASSERT_TRUE(splitter.Stack(CPoint(0, 60), CSize(580, 45), 5, 1));
    EXPECT_TRUE(Same(splitter.GetGridRect(), CRect(0, 60, 580, 285)));
    const int tops[] = {60, 105, 150, 195, 240};
    for (int i = 0; i < 5; ++i) {
        CRect cell;
        ASSERT_TRUE(splitter.GetCell(i, 0, cell));
        EXPECT_TRUE(Same(cell, CRect(0, tops[i], 580, tops[i] + 45))) << i;
    }
    int index = -1;
    EXPECT_TRUE(splitter.HitTest(CPoint(300, 200), index));
    EXPECT_EQ(3, index);
}

} // namespace
