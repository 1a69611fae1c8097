#pragma once

#include "grid/CGridPainter.h"
#include "grid/GridCell.h"
#include "grid/GridColumn.h"
#include "grid/GridGeometry.h"
#include "grid/GridNavigation.h"
#include "grid/GridPosition.h"

#include <QSize>
#include <QWidget>

#include <vector>

class CEditCell;
class CListCell;
class GridOwner;
class QScrollBar;

// A spreadsheet-like grid that paints itself: a header row, a row-header column and the visible
// cells, with a current cell, row selection from the row headers, column resizing, scrolling by
// rows and columns and in-place editing. It keeps no text of a data row: its owner answers every
// request for a cell's text and hears of every change. Rows are counted from 1; the row after
// the last data row, numbered by the row limit, is the new row, where the user may type a row
// the owner can then take over.
class CVrGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHorizontalBarId = 1154;
    static constexpr int kVerticalBarId = 1155;
    static constexpr int kEditBoxId = 1156;
    static constexpr int kListId = 1157;
    static constexpr int kMinColumnWidth = 4;
    static constexpr int kResizeGrip = GridGeometry::kResizeGrip;

    // A visible grid at rect of parent, reporting to owner with identifier id. The horizontal
    // scroll bar exists only when asked for.
    CVrGrid(QWidget* parent, const QRect& rect, GridOwner* owner, int id, bool withHorizontalBar);
    ~CVrGrid() override;

    int Id() const { return m_id; }

    // n data columns, all made afresh; nothing changes when the grid has them already.
    void SetColumnCount(int n);
    // Number of column records: data columns + 1.
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    // Ignored for columns outside 1 to ColumnCount() - 1.
    void SetColumn(int column, const QString& caption, int width, bool readOnly,
                   TextAlign alignment);
    void SetColumnUpperCase(int column, bool upperCase);
    void SetColumnList(int column, bool list);
    void SetColumnCheck(int column, bool check);
    // Column 0 is the row-header column.
    const GridColumn& Column(int column) const { return m_columns.at(column); }

    // n data rows (the row limit becomes n + 1): the current cell goes to (1, 1), the selection
    // and the new row's texts are dropped.
    void SetRowCount(int n);
    int GetRowLimit() const { return m_rowLimit; }
    // Makes (column, row) current and the row the first one shown; ignored outside the grid.
    void SetCurrentCell(int column, int row);
    int CurrentColumn() const { return m_position.column; }
    int CurrentRow() const { return m_position.row; }
    // Selects the whole rows first to last (data rows only), as dragging over the row headers
    // does; 0, 0 selects none.
    void SelectRows(int first, int last);
    int SelectionFirst() const { return m_position.selectionFirst; }
    int SelectionLast() const { return m_position.selectionLast; }

    void SetNoNewRow(bool flag);
    void ShowFrame(bool flag);
    void SetNoRowDeletion(bool flag) { m_noRowDeletion = flag; }
    void SetReadOnly(bool flag);
    void SetRowNumbers(bool flag);
    void SetOwnerRowHeaders(bool flag);

    // The captions' colour: dark while the grid or its editor has the focus, grey otherwise.
    QColor HeaderTextColor() const { return m_headerTextColor; }

    int FirstVisibleRow() const { return m_firstVisibleRow; }
    int FirstVisibleColumn() const { return m_firstVisibleColumn; }
    // Whole rows that fit below the header row (at least 1).
    int VisibleRows() const { return m_geometry.VisibleRows(); }

    // Starts editing the current cell: 0 starts from the cell's text (F2), a character replaces
    // it. Ignored on read-only grids and columns and when the current cell is not shown.
    void BeginEdit(int character);
    // Ends the edit in progress with key: Enter, the arrows and F2 to F24 store the text and are
    // then handled as keys of the grid; Esc drops it.
    void EndEdit(int key);
    bool IsEditing() const { return m_editing; }
    CEditCell* EditBox() const { return m_edit; }
    CListCell* ListBox() const { return m_list; }

    // Where a cell is shown now (row 0: the header, column 0: the row headers); empty when it is
    // not shown.
    QRect CellRect(int column, int row) const { return m_geometry.CellRect(column, row); }
    // Where the header row, the row headers and the cells lie, as the grid is drawn now.
    const GridGeometry& Geometry() const { return m_geometry; }

protected:
    // Last look at a confirmed edit before it is stored: may change the cell and the key.
    virtual void AdjustEndEdit(GridCell& cell, int& key);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Lays the grid out from its columns, scroll position and size, and keeps the current column
    // in view: every change to any of them ends here, so that the geometry always matches what
    // the next drawing shows.
    void Layout();
    // The current cell's rectangle where it is shown, else null: where an editor goes.
    QRect CurrentSpan() const;
    bool IsNewRow(int row) const { return row == m_rowLimit; }
    GridNavigation Navigation() const;

    QString CellText(int row, int column);
    QString RowHeaderText(int row);
    void ToggleCheck(int row, int column);
    void ClearNewRowTexts();
    void PostCurrentRowChanged(int row);

    GridNavigation::Step HandleKey(int key);
    void DeleteKey();
    void EnsureCurrentRowVisible();
    void EnsureCurrentColumnVisible();
    void ClampFirstVisible();
    void SyncScrollBars();
    bool WantsKey(const QKeyEvent* event) const;
    void PlaceScrollBars();
    // A horizontal bar is shown only while the columns are wider than the room beside the
    // vertical one: a table whose columns fit loses no row to a bar that cannot move.
    bool NeedsHorizontalBar() const;
    void OnVerticalAction(int action);
    void OnHorizontalAction(int action);
    void HideEditor(QWidget* editor);
    void EditorLeftGrid();

    std::vector<GridColumn> m_columns;
    int m_rowLimit = 1;
    GridPosition m_position;
    int m_pressedHeader = -1;
    GridOwner* m_owner = nullptr;
    int m_id = 0;
    QScrollBar* m_horizontalBar = nullptr;
    QScrollBar* m_verticalBar = nullptr;
    CGridPainter m_painter;
    GridGeometry m_geometry;
    QSize m_viewport; // the client area less the scroll bars
    int m_firstVisibleColumn = 1;
    int m_firstVisibleRow = 1;
    bool m_resizing = false;
    bool m_dragSelecting = false;
    bool m_headerPressed = false;
    int m_resizeColumn = 0;
    int m_resizeStartX = 0;
    int m_resizeStartWidth = 0;
    bool m_noNewRow = false;
    bool m_noRowDeletion = false;
    bool m_readOnly = false;
    bool m_editing = false;
    bool m_rowNumbers = false;
    bool m_ownerRowHeaders = false;
    bool m_newRowTyped = false;
    QColor m_headerTextColor{128, 128, 128};
    CEditCell* m_edit = nullptr;
    CListCell* m_list = nullptr;
    QWidget* m_activeEditor = nullptr; // the editor shown while editing
    int m_wheelRemainder = 0;
};
