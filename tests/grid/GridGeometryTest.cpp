#include "grid/GridGeometry.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

constexpr int H = GridGeometry::kHeaderHeight;
constexpr int R = GridGeometry::kRowHeight;

// The row-header column of 20 pixels, then data columns of the given widths.
std::vector<GridColumn> Columns(std::initializer_list<int> widths) {
    std::vector<GridColumn> columns(1);
    columns[0].width = 20;
    for (int width : widths) {
        GridColumn column;
        column.width = width;
        columns.push_back(column);
    }
    return columns;
}

GridGeometry LaidOut(const std::vector<GridColumn>& columns, int firstColumn, int firstRow,
                     int rowLimit, QSize viewport) {
    GridGeometry geometry;
    geometry.LayOut(columns, firstColumn, firstRow, rowLimit, viewport);
    return geometry;
}

TEST(GridGeometry, ColumnsShownWhileTheirLeftEdgeIsInsideTheViewport) {
    // 20 + 60 + 100 = 180: column 3 starts at 180, inside 200, and is cut off; column 4 starts
    // at 240, outside.
    const auto columns = Columns({60, 100, 60, 50});
    const GridGeometry g = LaidOut(columns, 1, 1, 10, QSize(200, 100));
    EXPECT_EQ(g.RightEdge(0), 20);
    EXPECT_EQ(g.RightEdge(1), 80);
    EXPECT_EQ(g.RightEdge(2), 180);
    EXPECT_EQ(g.RightEdge(3), 240);
    EXPECT_FALSE(g.IsShown(4));
    EXPECT_FALSE(g.IsShown(5)) << "beyond the columns";
    EXPECT_FALSE(g.IsShown(-1));
    EXPECT_EQ(g.VisibleColumns(), 3);
    EXPECT_EQ(g.TotalWidth(), 20 + 60 + 100 + 60 + 50);

    EXPECT_EQ(g.CellRect(0, 0), QRect(0, 0, 20, H));
    EXPECT_EQ(g.CellRect(2, 0), QRect(80, 0, 100, H));
    EXPECT_EQ(g.CellRect(3, 2), QRect(180, H + R, 60, R));
    EXPECT_TRUE(g.CellRect(4, 0).isEmpty());
    EXPECT_TRUE(g.CellRect(4, 1).isEmpty());

    // Scrolled to column 3: the row-header column stays first, columns 1 and 2 are gone, and
    // the total counts from the first shown.
    const GridGeometry scrolled = LaidOut(columns, 3, 1, 10, QSize(200, 100));
    EXPECT_FALSE(scrolled.IsShown(1));
    EXPECT_FALSE(scrolled.IsShown(2));
    EXPECT_EQ(scrolled.CellRect(3, 0), QRect(20, 0, 60, H));
    EXPECT_EQ(scrolled.CellRect(4, 0), QRect(80, 0, 50, H));
    EXPECT_EQ(scrolled.VisibleColumns(), 2);
    EXPECT_EQ(scrolled.TotalWidth(), 20 + 60 + 50);
    EXPECT_EQ(scrolled.ColumnAt(20), 3);
}

TEST(GridGeometry, RowsShownWhileTheirTopIsInsideTheViewportUpToTheRowLimit) {
    const auto columns = Columns({60});
    // 100 pixels: the header and 4 whole rows (18 + 72 = 90); the fifth starts at 90 and shows
    // in part.
    const GridGeometry g = LaidOut(columns, 1, 1, 50, QSize(200, 100));
    EXPECT_EQ(g.VisibleRows(), 4);
    EXPECT_EQ(g.LastShownRow(), 5);
    EXPECT_EQ(g.CellRect(1, 5), QRect(20, H + 4 * R, 60, R));
    EXPECT_TRUE(g.CellRect(1, 6).isEmpty());

    // Scrolled down to the new row of a three-row table: nothing below it.
    const GridGeometry bottom = LaidOut(columns, 1, 3, 4, QSize(200, 100));
    EXPECT_EQ(bottom.LastShownRow(), 4);
    EXPECT_EQ(bottom.RowTop(3), H);
    EXPECT_TRUE(bottom.CellRect(1, 2).isEmpty()) << "above the first row shown";
    EXPECT_EQ(bottom.CellRect(1, 4), QRect(20, H + R, 60, R));
    EXPECT_TRUE(bottom.CellRect(1, 5).isEmpty());
    EXPECT_EQ(bottom.CellRect(1, 0), QRect(20, 0, 60, H)) << "the header row never scrolls";

    // A viewport lower than one row still counts one row, and shows one.
    const GridGeometry tiny = LaidOut(columns, 1, 1, 50, QSize(200, 10));
    EXPECT_EQ(tiny.VisibleRows(), 1);
    EXPECT_EQ(tiny.LastShownRow(), 1);
}

TEST(GridGeometry, HitTestsFindColumnsRowsAndEdges) {
    const auto columns = Columns({60, 100, 60});
    const GridGeometry g = LaidOut(columns, 1, 5, 50, QSize(200, 100));
    EXPECT_EQ(g.ColumnAt(0), 0);
    EXPECT_EQ(g.ColumnAt(19), 0);
    EXPECT_EQ(g.ColumnAt(20), 1) << "a column begins at its left edge";
    EXPECT_EQ(g.ColumnAt(79), 1);
    EXPECT_EQ(g.ColumnAt(80), 2) << "and ends before its right one";
    EXPECT_EQ(g.ColumnAt(239), 3);
    EXPECT_EQ(g.ColumnAt(240), -1);
    EXPECT_EQ(g.ColumnAt(-1), -1);

    EXPECT_EQ(g.RowAt(0), 0);
    EXPECT_EQ(g.RowAt(H - 1), 0);
    EXPECT_EQ(g.RowAt(H), 5) << "the first row shown";
    EXPECT_EQ(g.RowAt(H + R), 6);
    EXPECT_EQ(g.RowAt(H + 100 * R), 105) << "rows beyond the limit are numbered all the same";

    // Two pixels either side of an edge grab it; further off nothing does.
    EXPECT_EQ(g.EdgeAt(18), 0);
    EXPECT_EQ(g.EdgeAt(22), 0);
    EXPECT_EQ(g.EdgeAt(23), -1);
    EXPECT_EQ(g.EdgeAt(77), -1);
    EXPECT_EQ(g.EdgeAt(78), 1);
    EXPECT_EQ(g.EdgeAt(182), 2);
    EXPECT_EQ(g.EdgeAt(240), 3) << "a cut-off column's edge beyond the viewport still counts";
}

TEST(GridGeometry, LayingOutAgainFollowsNewWidthsAndReusesNothingStale) {
    auto columns = Columns({60, 60, 60});
    GridGeometry g;
    g.LayOut(columns, 1, 1, 5, QSize(400, 200));
    EXPECT_TRUE(g.IsShown(3));
    columns[1].width = 4;
    g.LayOut(columns, 1, 1, 5, QSize(400, 200));
    EXPECT_EQ(g.CellRect(1, 1), QRect(20, H, 4, R));
    EXPECT_EQ(g.ColumnAt(24), 2);

    // Fewer columns than before: the dropped ones are not shown any longer.
    g.LayOut(Columns({60}), 1, 1, 5, QSize(400, 200));
    EXPECT_TRUE(g.IsShown(1));
    EXPECT_FALSE(g.IsShown(2));
    EXPECT_EQ(g.ColumnAt(100), -1);
}

} // namespace
