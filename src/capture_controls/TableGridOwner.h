#pragma once

#include "grid/GridOwner.h"

#include <functional>

class CFmtGrid;
class CaptureDocument;

// Answers a table's grid from the table's cell store in its capture document: the grid asks for
// every text it shows, and every cell the user confirms or row the user deletes becomes the
// document's operation, which recomputes the row's formulas and the table's totals.
class TableGridOwner : public GridOwner {
public:
    // Told after every cell confirmed or rows deleted, once the document has followed.
    TableGridOwner(CaptureDocument& document, CFmtGrid& table, std::function<void()> edited)
        : m_document(document), m_table(table), m_edited(std::move(edited)) {}

    void CellTextWanted(int gridId, GridCell& cell) override;
    void CellChanged(int gridId, const GridCell& cell) override;
    // The rows are taken out of the store, those after them move up, and the grid may drop them.
    bool DeleteRowsAllowed(int gridId, int lastRow, int firstRow) override;
    // A cell of a number or amount column whose text reads as no number.
    bool CellMarked(int gridId, int row, int column) override;

private:
    CaptureDocument& m_document;
    CFmtGrid& m_table;
    std::function<void()> m_edited;
};
