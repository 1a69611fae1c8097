#pragma once

#include "grid/GridCell.h"

#include <QStringList>

// The window that holds a grid's cell texts. The grid keeps no text of a data row: it asks its
// owner for every text it shows or edits and reports every change, always passing its own
// identifier first so that one owner can serve several grids. The first three requests are the
// ones every owner must answer; the others have answers that change nothing (no row added, no
// list entries, no row-header text), which is what an owner that ignores them gets.
class GridOwner {
public:
    virtual ~GridOwner() = default;

    // The grid needs the text of a data-row cell (to draw it, edit it, toggle it): fill cell.text.
    virtual void CellTextWanted(int gridId, GridCell& cell) = 0;
    // A data-row cell got a new text: an edit was confirmed, Delete emptied it, a check toggled.
    virtual void CellChanged(int gridId, const GridCell& cell) = 0;
    // Delete was pressed with the rows firstRow..lastRow selected (firstRow <= lastRow). True
    // lets the grid drop them: the owner has removed them from its store.
    virtual bool DeleteRowsAllowed(int gridId, int lastRow, int firstRow) = 0;

    // A cell of the new row (the row after the last data row) got a text.
    virtual void NewRowCellChanged(int gridId, const GridCell& cell);
    // The user left the new row after typing into it. True: the owner has stored the typed row
    // (from the new-row texts it was told about) and the grid makes it a data row.
    virtual bool AddRowAllowed(int gridId);
    // A column header was clicked (reported when the button is released); 0 is the corner cell.
    virtual void HeaderClicked(int gridId, int column);
    // The drop-down list of a list column opens on cell: fill entries with its choices.
    virtual void FillList(int gridId, const GridCell& cell, QStringList& entries);
    // The current row changed (0: no current cell). Delivered later from the event loop, never
    // from inside the grid's own handling.
    virtual void CurrentRowChanged(int gridId, int row);
    // The grid shows owner texts in its row headers and needs the one of cell.row: fill cell.text.
    virtual void RowHeaderTextWanted(int gridId, GridCell& cell);
    // Whether a data-row cell holds what its column does not take, drawn with the mark of a
    // wrong entry.
    virtual bool CellMarked(int gridId, int row, int column);
};
