// CRectSplitter: a rectangle cut into a grid of equal cells, row by row. The
// channel wall splits its client area with it, the on-screen menu stacks
// its rows with it. A value object; any thread.
#pragma once
#include "platform/mfc/Geometry.h"

#include <vector>

class CRectSplitter
{
public:
    // The most rows or columns a grid takes: a count from outside stays small.
    static const int kMaxSide = 64;

    CRectSplitter();
    virtual ~CRectSplitter() {}

    // Cells of (rectangle width / columns) x (rectangle height / rows). The
    // grid covers whole cells only; centring moves it right and down by half
    // of what is left over. An empty or upside-down rectangle gives cells of
    // no size. Counts below 1 or above kMaxSide are refused (FALSE, nothing
    // changes).
    BOOL Split(const CRect& rect, int rows, int columns, BOOL centreX, BOOL centreY);
    // Cells of a given size from a top-left corner: the grid is as large as
    // they are (rows of a menu panel, one column).
    BOOL Stack(CPoint origin, CSize cell, int rows, int columns);

    int GetCount() const { return m_rows * m_columns; }
    int GetRows() const { return m_rows; }
    int GetColumns() const { return m_columns; }
    CSize GetCellSize() const { return CSize(m_cellWidth, m_cellHeight); }
    const CRect& GetOuterRect() const { return m_outer; }
    const CRect& GetGridRect() const { return m_grid; }

    // FALSE, and `cell` unchanged, when out of range.
    BOOL GetCell(int index, CRect& cell) const;
    BOOL GetCell(int row, int column, CRect& cell) const;
    BOOL IndexToRowCol(int index, int& row, int& column) const;
    BOOL RowColToIndex(int row, int column, int& index) const;
    // The cell under a point; FALSE outside the grid rectangle.
    BOOL HitTest(CPoint point, int& index) const;

private:
    void Lay(CPoint origin, int rows, int columns, int cellWidth, int cellHeight);

    CRect m_outer;
    CRect m_grid;
    int m_rows;
    int m_columns;
    int m_cellWidth;
    int m_cellHeight;
    std::vector<CRect> m_cells;
};
