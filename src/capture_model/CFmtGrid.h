#pragma once

#include "capture_model/CCaptureControl.h"
#include "capture_model/CTableData.h"
#include "capture_model/TableColumn.h"
#include "capture_model/TableRow.h"
#include "model/FormatSettings.h"

#include <functional>
#include <memory>
#include <vector>

class CVrGrid;

// The table of a format: rows and columns printed onto a form (the lines of an invoice). Each
// column has a title, a width on paper and on the screen, an alignment, a data type and, for a
// calculated column, a formula over the other cells of its row. On the capture screen the table
// is a grid that edits one cell at a time; the values live in the table's cell store, so that a
// table keeps, prints, saves and loads its values with or without a screen.
class CFmtGrid : public CCaptureControl {
public:
    // A damaged format may announce any number of rows and columns: beyond this many cells the
    // table is refused rather than made.
    static constexpr std::int64_t kMostCells = 1 << 20;
    // Nor may all the tables of one format hold more than this many cells between them (about
    // 128 MB of cell store): a few kilobytes of columns and rows per table would otherwise let
    // a format of a few hundred tables claim gigabytes before anything is captured.
    static constexpr std::int64_t kMostCellsPerFormat = 1 << 22;
    // The strip left of each row where the designer picks the row, in page units.
    static constexpr int kRowHeaderStrip = 20;
    // The grid's heading row and row-number column, in pixels.
    static constexpr int kScreenHeading = 20;

    // Which column and which row a designer's point lies on, -1 for none; counted from 0.
    struct Hit {
        int column = -1;
        int row = -1;
        friend bool operator==(const Hit&, const Hit&) = default;
    };

    CFmtGrid();
    // A new table with its upper-left corner at (x, y) of the page: four columns of 40 mm and six
    // rows as high as the font and 0.5 mm more.
    static std::unique_ptr<CFmtGrid> Create(int x, int y);

    void WriteRecord(Archive& ar) const override;
    void ReadRecord(Archive& ar) override;
    void LoadValue(Archive& ar) override;
    void SaveValue(Archive& ar) override;
    // Only makes the font height a character height; the rows keep their heights.
    void FitHeightToFont() override;
    void UpdateHandles() override;
    // Resizes the table and scales the columns or rows in proportion, so that none becomes 4 mm
    // or narrower.
    void ResizeByHandle(Handle handle, int dx, int dy) override;
    // Until it is placed there, the grid covers the table's page rectangle and, above and left of
    // it, its heading row and row-number column.
    ScreenRect UnplacedScreenRect() const override;
    void Draw(DrawingSurface& dc) const override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const override;
    void ClearValue() override;
    void Print(DrawingSurface& dc) const override;
    void DescribeOwnFields(ControlFields& fields) const override;

    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const std::vector<TableColumn>& Columns() const { return m_columns; }
    const std::vector<TableRow>& Rows() const { return m_rows; }
    // Replaces the record of column index (from 0), for the properties window; the table's width
    // follows the page widths. The cells keep their values.
    void SetColumn(int index, const TableColumn& column);

    // n columns: the first ones keep what they had, new ones are "Columna %d", 40 mm, typed as
    // text. The right edge follows the widths. A new number of columns or rows empties the cells.
    // Neither count goes below 0 nor so high that the table would have more than kMostCells.
    void SetColumnCount(int n);
    // n rows: the first ones keep their heights, new ones take the last row's height.
    void SetRowCount(int n);
    // Each column as wide on the capture screen as its page width at true scale: what the
    // format designer keeps while the page widths change.
    void SetScreenWidthsFromPage();
    // A drag of a column's right divider by dx; refused when the column would be 4 mm or less.
    void AddToColumnWidth(int column, int dx);
    // A drag of a row's lower divider by dy (page units, y upward); refused likewise.
    void AddToRowHeight(int row, int dy);
    // The divider strips that hold a page point.
    Hit HitDivider(Point p) const;
    // A column's title strip above the table, or the strip left of a row, holding a page point.
    Hit HitHeader(Point p) const;
    // The page rectangle of a cell (from 0), 0.2 mm inside its lines; empty outside the table.
    PageRect CellRect(int column, int row) const;

    // The column or row the designer picked (drawn grey), -1 for none.
    int SelectedColumn() const { return m_selectedColumn; }
    int SelectedRow() const { return m_selectedRow; }
    void SelectColumn(int column) { m_selectedColumn = column; }
    void SelectRow(int row) { m_selectedRow = row; }

    // The settings of the format the table belongs to: decimals and currency sign for the cells,
    // and whether calculated columns are read-only on the capture screen. Copied; without a call
    // the defaults hold.
    void UseSettings(const FormatSettings& settings);
    const FormatSettings& Settings() const { return m_settings; }

    // Whether the user may not type into a column (from 1): a calculated column while the
    // format's settings make calculated fields read-only.
    bool IsColumnReadOnly(int column) const;
    // The text layout of a column's alignment (from 0): 2 right, 6 centred, anything else left.
    TextAlign ColumnAlign(int column) const;

    CTableData& Cells() { return *m_cells; }
    const CTableData& Cells() const { return *m_cells; }

private:
    // The rectangle's right edge after the column widths, or its lower edge after the heights.
    void FitWidthToColumns();
    void FitHeightToRows();
    // A fresh, empty cell store for the current numbers of columns and rows.
    void RebuildCells();
    // The text layout of a column's alignment: 2 right, 6 centred, anything else left.
    TextLayoutFlags CellLayout(int column) const;
    // A table made before any row existed takes the height of a new table's rows.
    int NewRowHeight() const;

    std::vector<TableColumn> m_columns;
    std::vector<TableRow> m_rows;
    int m_selectedColumn = -1;
    int m_selectedRow = -1;
    int m_nextColumnForRemainder = 0;
    int m_nextRowForRemainder = 0;
    FormatSettings m_settings;
    std::unique_ptr<CTableData> m_cells;
};
