#pragma once

#include "grid/GridColumn.h"

#include <QRect>
#include <QSize>

#include <vector>

// Where the header row, the row headers and the cells of a grid lie in its viewport (the client
// area less the scroll bars). It is laid out in one explicit step from the column widths, the
// scroll position, the row limit and the viewport size; every query answers from that layout and
// changes nothing. Row 0 is the header row and column 0 the row-header column; the data columns
// shown are those from the first visible one whose left edge is inside the viewport, the rows
// those from the first visible one whose top is inside it, never beyond the row limit.
class GridGeometry {
public:
    static constexpr int kHeaderHeight = 18;
    static constexpr int kRowHeight = 18;
    static constexpr int kResizeGrip = 2; // pixels either side of a header edge that grab it

    // Lays the grid out anew; firstColumn and firstRow are the scroll position (1 and up).
    void LayOut(const std::vector<GridColumn>& columns, int firstColumn, int firstRow, int rowLimit,
                QSize viewport);

    int FirstColumn() const { return m_firstColumn; }
    int FirstRow() const { return m_firstRow; }
    int RowLimit() const { return m_rowLimit; }
    QSize Viewport() const { return m_viewport; }
    // Data columns shown, the last one possibly cut off at the right.
    int VisibleColumns() const { return m_visibleColumns; }
    // Whole rows that fit below the header row (at least 1).
    int VisibleRows() const { return m_visibleRows; }
    // The row-header column plus every column from the first visible one, shown or not.
    int TotalWidth() const { return m_totalWidth; }

    bool IsShown(int column) const { return RightEdge(column) >= 0; }
    // x just right of the column; -1 when it is not shown.
    int RightEdge(int column) const;
    int RowTop(int row) const { return kHeaderHeight + (row - m_firstRow) * kRowHeight; }
    // The lowest row whose top is inside the viewport, never beyond the row limit.
    int LastShownRow() const;

    // The shown column at x, -1 where none is.
    int ColumnAt(int x) const;
    // The row at y: 0 in the header row, otherwise a row number, possibly beyond the row limit.
    int RowAt(int y) const;
    // The shown column whose right edge is within the grip of x (the one that a press at x
    // resizes), the leftmost when edges are that close together; -1 where none is.
    int EdgeAt(int x) const;

    // Where a cell lies (row 0: in the header row); empty when it is not shown.
    QRect CellRect(int column, int row) const;

private:
    struct Span {
        int left = 0;
        int right = -1; // -1: not shown
    };

    std::vector<Span> m_spans;
    int m_firstColumn = 1;
    int m_firstRow = 1;
    int m_rowLimit = 1;
    QSize m_viewport;
    int m_visibleColumns = 0;
    int m_visibleRows = 1;
    int m_totalWidth = 0;
};
