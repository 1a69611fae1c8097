#include "grid/GridGeometry.h"

#include "platform/Saturate.h"

#include <algorithm>
#include <cstdlib>

void GridGeometry::LayOut(const std::vector<GridColumn>& columns, int firstColumn, int firstRow,
                          int rowLimit, QSize viewport) {
    m_firstColumn = firstColumn;
    m_firstRow = firstRow;
    m_rowLimit = rowLimit;
    m_viewport = viewport;
    // Reuses the spans' storage: laying out happens on every scroll step and mouse move.
    m_spans.assign(columns.size(), Span{});
    m_visibleColumns = 0;
    m_totalWidth = 0;
    if (columns.empty())
        return;
    // Widths come from the table's record, which a damaged format may fill with any number:
    // the sums stop at the largest coordinate instead of overflowing.
    int x = columns[0].width;
    m_spans[0] = Span{0, x};
    m_totalWidth = columns[0].width;
    const int count = static_cast<int>(columns.size());
    for (int c = firstColumn; c < count; ++c) {
        const int width = columns[c].width;
        m_totalWidth = SaturatedAdd(m_totalWidth, width);
        if (x < viewport.width()) {
            m_spans[c] = Span{x, SaturatedAdd(x, width)};
            x = SaturatedAdd(x, width);
            ++m_visibleColumns;
        }
    }
    m_visibleRows = std::max(1, (viewport.height() - kHeaderHeight) / kRowHeight);
}

int GridGeometry::RightEdge(int column) const {
    if (column < 0 || column >= static_cast<int>(m_spans.size()))
        return -1;
    return m_spans[column].right;
}

int GridGeometry::LastShownRow() const {
    // A row is shown while its top is inside the viewport, even when its bottom is cut off.
    const int rowsShown =
        std::max(1, (m_viewport.height() - kHeaderHeight + kRowHeight - 1) / kRowHeight);
    return std::min(m_rowLimit, m_firstRow + rowsShown - 1);
}

int GridGeometry::ColumnAt(int x) const {
    if (m_spans.empty())
        return -1;
    if (x >= 0 && x < m_spans[0].right)
        return 0;
    for (int c = m_firstColumn; c < static_cast<int>(m_spans.size()); ++c) {
        const Span& span = m_spans[c];
        if (span.right < 0)
            break;
        if (x >= span.left && x < span.right)
            return c;
    }
    return -1;
}

int GridGeometry::RowAt(int y) const {
    if (y < kHeaderHeight)
        return 0;
    return m_firstRow + (y - kHeaderHeight) / kRowHeight;
}

int GridGeometry::EdgeAt(int x) const {
    for (int c = 0; c < static_cast<int>(m_spans.size()); ++c) {
        const int edge = m_spans[c].right;
        if (edge >= 0 && std::abs(x - edge) <= kResizeGrip)
            return c;
    }
    return -1;
}

QRect GridGeometry::CellRect(int column, int row) const {
    const int right = RightEdge(column);
    if (right < 0)
        return {};
    const int left = m_spans[column].left;
    if (row == 0)
        return QRect(left, 0, right - left, kHeaderHeight);
    if (row < m_firstRow || row > LastShownRow())
        return {};
    return QRect(left, RowTop(row), right - left, kRowHeight);
}
