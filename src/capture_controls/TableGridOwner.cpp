#include "capture_controls/TableGridOwner.h"

#include "capture_model/CFmtGrid.h"

void TableGridOwner::CellTextWanted(int, GridCell& cell) {
    cell.text = m_table.Cells().GetCell(cell.column, cell.row);
}

void TableGridOwner::CellChanged(int, const GridCell& cell) {
    m_table.Cells().SetCell(cell.column, cell.row, cell.text, false);
    m_table.CellsChanged();
}

bool TableGridOwner::DeleteRowsAllowed(int, int lastRow, int firstRow) {
    // Deleting the first of the range once for each of its rows moves the rows after it up by
    // the whole range.
    for (int row = firstRow; row <= lastRow; ++row)
        m_table.Cells().DeleteRow(firstRow);
    m_table.CellsChanged();
    return true;
}

bool TableGridOwner::CellMarked(int, int row, int column) {
    return m_table.Cells().IsUnreadNumber(column, row);
}
