#pragma once

#include "grid/GridOwner.h"

class CFmtGrid;

// Answers a table's grid from the table's cell store: the grid asks for every text it shows, and
// every edit or deletion of rows goes into the store, which recomputes the row's formulas.
class TableGridOwner : public GridOwner {
public:
    explicit TableGridOwner(CFmtGrid& table) : m_table(table) {}

    void CellTextWanted(int gridId, GridCell& cell) override;
    void CellChanged(int gridId, const GridCell& cell) override;
    // The rows are taken out of the store, those after them move up, and the grid may drop them.
    bool DeleteRowsAllowed(int gridId, int lastRow, int firstRow) override;
    // A cell of a number or amount column whose text reads as no number.
    bool CellMarked(int gridId, int row, int column) override;

private:
    CFmtGrid& m_table;
};
