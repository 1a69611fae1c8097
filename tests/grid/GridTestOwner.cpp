#include "GridTestOwner.h"

void GridTestOwner::CellTextWanted(int gridId, GridCell& cell) {
    notes.push_back({"text", gridId, cell.row, cell.column, {}});
    const auto it = cells.find({cell.row, cell.column});
    cell.text = it == cells.end() ? QString() : it->second;
}

void GridTestOwner::CellChanged(int gridId, const GridCell& cell) {
    notes.push_back({"changed", gridId, cell.row, cell.column, cell.text});
    cells[{cell.row, cell.column}] = cell.text;
}

bool GridTestOwner::DeleteRowsAllowed(int gridId, int lastRow, int firstRow) {
    // Row and column hold the record as the grid sends it: last row first.
    notes.push_back({"delete", gridId, lastRow, firstRow, {}});
    return allowDelete;
}

void GridTestOwner::NewRowCellChanged(int gridId, const GridCell& cell) {
    notes.push_back({"newrow", gridId, cell.row, cell.column, cell.text});
}

bool GridTestOwner::AddRowAllowed(int gridId) {
    notes.push_back({"addrow", gridId, 0, 0, {}});
    return allowAddRow;
}

void GridTestOwner::HeaderClicked(int gridId, int column) {
    notes.push_back({"header", gridId, 0, column, {}});
}

void GridTestOwner::FillList(int gridId, const GridCell& cell, QStringList& entries) {
    notes.push_back({"list", gridId, cell.row, cell.column, {}});
    entries = listEntries;
}

void GridTestOwner::CurrentRowChanged(int gridId, int row) {
    notes.push_back({"row", gridId, row, 0, {}});
}

void GridTestOwner::RowHeaderTextWanted(int gridId, GridCell& cell) {
    notes.push_back({"rowheader", gridId, cell.row, 0, {}});
    cell.text = QString::asprintf("R%d", cell.row);
}

std::vector<GridTestOwner::Note> GridTestOwner::Of(const QString& what) const {
    std::vector<Note> out;
    for (const Note& note : notes)
        if (note.what == what)
            out.push_back(note);
    return out;
}

std::vector<GridTestOwner::Note> GridTestOwner::Reports() const {
    std::vector<Note> out;
    for (const Note& note : notes)
        if (note.what != "text" && note.what != "rowheader")
            out.push_back(note);
    return out;
}
