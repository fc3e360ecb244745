#include "skin/RectSplitter.h"

#include <algorithm>
#include <climits>

namespace {

const int kReservedCells = 16;

BOOL CountsFit(int rows, int columns)
{
    return rows >= 1 && columns >= 1 && rows <= CRectSplitter::kMaxSide && columns <= CRectSplitter::kMaxSide;
}

} // namespace

CRectSplitter::CRectSplitter() : m_rows(2), m_columns(2), m_cellWidth(1), m_cellHeight(1)
{
    m_cells.reserve(kReservedCells);
    Lay(CPoint(0, 0), m_rows, m_columns, m_cellWidth, m_cellHeight);
    m_outer = m_grid;
}

BOOL CRectSplitter::Split(const CRect& rect, int rows, int columns, BOOL centreX, BOOL centreY)
{
    if (!CountsFit(rows, columns))
        return FALSE;
    // 64-bit: a rectangle from outside may span more than an int.
    const long long width = std::max<long long>(0, (long long)rect.right - rect.left);
    const long long height = std::max<long long>(0, (long long)rect.bottom - rect.top);
    const int cellWidth = (int)(width / columns);
    const int cellHeight = (int)(height / rows);
    CPoint origin(rect.left, rect.top);
    if (centreX)
        origin.x += (int)((width - (long long)cellWidth * columns) / 2);
    if (centreY)
        origin.y += (int)((height - (long long)cellHeight * rows) / 2);
    m_outer = rect;
    Lay(origin, rows, columns, cellWidth, cellHeight);
    return TRUE;
}

BOOL CRectSplitter::Stack(CPoint origin, CSize cell, int rows, int columns)
{
    if (!CountsFit(rows, columns) || cell.cx < 0 || cell.cy < 0)
        return FALSE;
    // The far corner must stay within an int.
    if ((long long)origin.x + (long long)columns * cell.cx > INT_MAX ||
        (long long)origin.y + (long long)rows * cell.cy > INT_MAX)
        return FALSE;
    Lay(origin, rows, columns, cell.cx, cell.cy);
    m_outer = m_grid;
    return TRUE;
}

void CRectSplitter::Lay(CPoint origin, int rows, int columns, int cellWidth, int cellHeight)
{
    m_rows = rows;
    m_columns = columns;
    m_cellWidth = cellWidth;
    m_cellHeight = cellHeight;
    m_grid = CRect(origin.x, origin.y, origin.x + columns * cellWidth, origin.y + rows * cellHeight);
    m_cells.clear();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int left = origin.x + column * cellWidth;
            const int top = origin.y + row * cellHeight;
            m_cells.push_back(CRect(left, top, left + cellWidth, top + cellHeight));
        }
    }
}

BOOL CRectSplitter::GetCell(int index, CRect& cell) const
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    cell = m_cells[index];
    return TRUE;
}

BOOL CRectSplitter::GetCell(int row, int column, CRect& cell) const
{
    int index = 0;
    return RowColToIndex(row, column, index) && GetCell(index, cell);
}

BOOL CRectSplitter::IndexToRowCol(int index, int& row, int& column) const
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    row = index / m_columns;
    column = index % m_columns;
    return TRUE;
}

BOOL CRectSplitter::RowColToIndex(int row, int column, int& index) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return FALSE;
    index = row * m_columns + column;
    return TRUE;
}

BOOL CRectSplitter::HitTest(CPoint point, int& index) const
{
    if (m_cellWidth <= 0 || m_cellHeight <= 0 || !m_grid.PtInRect(point))
        return FALSE;
    return RowColToIndex((point.y - m_grid.top) / m_cellHeight, (point.x - m_grid.left) / m_cellWidth, index);
}
