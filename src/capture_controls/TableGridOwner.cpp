#include "capture_controls/TableGridOwner.h"

#include "capture_model/CFmtGrid.h"
#include "capture_model/CaptureDocument.h"

void TableGridOwner::CellTextWanted(int, GridCell& cell) {
    cell.text = m_table.Cells().GetCell(cell.column, cell.row);
}

void TableGridOwner::CellChanged(int, const GridCell& cell) {
    m_document.ConfirmCell(m_table, cell.column, cell.row, cell.text);
    if (m_edited)
        m_edited();
}

bool TableGridOwner::DeleteRowsAllowed(int, int lastRow, int firstRow) {
    m_document.DeleteRows(m_table, firstRow, lastRow);
    if (m_edited)
        m_edited();
    return true;
}

bool TableGridOwner::CellMarked(int, int row, int column) {
    return m_table.Cells().IsUnreadNumber(column, row);
}
