#pragma once

#include "grid/CGridPainter.h"
#include "grid/GridCell.h"
#include "grid/GridColumn.h"

#include <QFont>
#include <QPixmap>
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
    static constexpr int kResizeGrip = 2; // pixels either side of a header edge that grab it

    // A visible grid at rect of parent, reporting to owner with identifier id. The horizontal
    // scroll bar exists only when asked for.
    CVrGrid(QWidget* parent, const QRect& rect, GridOwner* owner, int id, bool withHorizontalBar);
    ~CVrGrid() override;

    int Id() const { return id_; }

    // n data columns, all made afresh; nothing changes when the grid has them already.
    void SetColumnCount(int n);
    // Number of column records: data columns + 1.
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Ignored for columns outside 1 to ColumnCount() - 1.
    void SetColumn(int column, const QString& caption, int width, bool readOnly, int alignment);
    void SetColumnUpperCase(int column, bool upperCase);
    void SetColumnList(int column, bool list);
    void SetColumnCheck(int column, bool check);
    // Column 0 is the row-header column.
    const GridColumn& Column(int column) const { return columns_.at(column); }

    // n data rows (the row limit becomes n + 1): the current cell goes to (1, 1), the selection
    // and the new row's texts are dropped.
    void SetRowCount(int n);
    int GetRowLimit() const { return rowLimit_; }
    // Makes (column, row) current and the row the first one shown; ignored outside the grid.
    void SetCurrentCell(int column, int row);
    int CurrentColumn() const { return currentColumn_; }
    int CurrentRow() const { return currentRow_; }
    // Selects the whole rows first to last (data rows only), as dragging over the row headers
    // does; 0, 0 selects none.
    void SelectRows(int first, int last);
    int SelectionFirst() const { return selFirst_; }
    int SelectionLast() const { return selLast_; }

    void SetNoNewRow(bool flag);
    void ShowFrame(bool flag);
    void SetNoRowDeletion(bool flag) { noRowDeletion_ = flag; }
    void SetReadOnly(bool flag);
    void SetRowNumbers(bool flag);
    void SetOwnerRowHeaders(bool flag);

    // The captions' colour: dark while the grid or its editor has the focus, grey otherwise.
    QColor HeaderTextColor() const { return headerTextColor_; }

    int FirstVisibleRow() const { return firstVisibleRow_; }
    int FirstVisibleColumn() const { return firstVisibleColumn_; }
    // Whole rows that fit below the header row (at least 1).
    int VisibleRows() const { return visibleRows_; }

    // Starts editing the current cell: 0 starts from the cell's text (F2), a character replaces
    // it. Ignored on read-only grids and columns and when the current cell is not shown.
    void BeginEdit(int character);
    // Ends the edit in progress with key: Enter, the arrows and F2 to F24 store the text and are
    // then handled as keys of the grid; Esc drops it.
    void EndEdit(int key);
    bool IsEditing() const { return editing_; }
    CEditCell* EditBox() const { return edit_; }
    CListCell* ListBox() const { return list_; }

    // Where a cell is shown now (row 0: the header, column 0: the row headers); empty when it is
    // not shown.
    QRect CellRect(int column, int row);

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
    struct KeyResult {
        bool leftRow = false; // the key moved, or tried to move, off the current row
    };

    // Right edges, visible counts and the current cell's span, as drawing will show them.
    void Layout();
    void LayOutColumns();
    int RowTop(int row) const { return headerHeight_ + (row - firstVisibleRow_) * rowHeight_; }
    int LastShownRow() const;
    int ColumnAt(int x) const; // -1 when no shown column is there
    int RowAt(int y) const;    // a row number, possibly beyond the row limit
    int EdgeAt(int x) const;   // the column whose right edge is within grip of x, or -1
    bool InSelection(int row) const;
    bool IsNewRow(int row) const { return row == rowLimit_; }

    QString CellText(int row, int column);
    void ToggleCheck(int row, int column);
    void ClearNewRowTexts();
    void PostCurrentRowChanged(int row);

    KeyResult HandleKey(int key);
    void DeleteKey();
    void NormalizeCurrentCell();
    void EnsureCurrentRowVisible();
    void EnsureCurrentColumnVisible();
    void ClampFirstVisible();
    void SyncScrollBars();
    bool WantsKey(const QKeyEvent* event) const;
    void PlaceScrollBars();
    void OnVerticalAction(int action);
    void OnHorizontalAction(int action);
    void HideEditor(QWidget* editor);
    void EditorLeftGrid();

    void DrawHeaderRow(QPainter& painter);
    void DrawRowHeaders(QPainter& painter);
    void DrawCells(QPainter& painter);
    void DrawCheck(QPainter& painter, const QRect& cell, bool ticked, const QColor& color) const;

    std::vector<GridColumn> columns_;
    int rowLimit_ = 1;
    int currentColumn_ = 0;
    int currentRow_ = 0;
    int selFirst_ = 0;
    int selLast_ = 0;
    int pressedHeader_ = -1;
    int headerHeight_ = 18;
    int rowHeight_ = 18;
    GridOwner* owner_ = nullptr;
    int id_ = 0;
    QScrollBar* horizontalBar_ = nullptr;
    QScrollBar* verticalBar_ = nullptr;
    CGridPainter painter_;
    QFont normalFont_;
    QFont headerFont_;
    int visibleWidth_ = 0;
    int visibleHeight_ = 0;
    int totalWidth_ = 0;
    int firstVisibleColumn_ = 1;
    int firstVisibleRow_ = 1;
    int visibleColumns_ = 0;
    int visibleRows_ = 1;
    bool resizing_ = false;
    bool dragSelecting_ = false;
    bool headerPressed_ = false;
    int resizeColumn_ = 0;
    int resizeStartX_ = 0;
    int resizeStartWidth_ = 0;
    bool noNewRow_ = false;
    bool noRowDeletion_ = false;
    bool readOnly_ = false;
    bool editing_ = false;
    bool rowNumbers_ = false;
    bool ownerRowHeaders_ = false;
    bool newRowTyped_ = false;
    QColor headerTextColor_{128, 128, 128};
    QRect currentSpan_;
    CEditCell* edit_ = nullptr;
    CListCell* list_ = nullptr;
    QWidget* activeEditor_ = nullptr; // the editor shown while editing
    int wheelRemainder_ = 0;
    QPixmap buffer_;
};
