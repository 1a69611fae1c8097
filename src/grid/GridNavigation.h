#pragma once

#include "grid/GridPosition.h"

#include <QFlags>

// What a key does to the grid's current cell and row selection, worked out from the grid's
// bounds alone: the widget applies the answer, scrolls and tells its owner. Tab and Backtab are
// not the grid's: they move the focus on, as in any window, and leave the position alone; nor
// are the keys that type into a cell (see GridKeys::IsCommand for the grid's own).
class GridNavigation {
public:
    enum class Action {
        None,      // the key is not one the grid acts on
        Move,      // the position changed, or stayed at a border it could not cross
        BeginEdit, // F2: edit the current cell starting from its text
        Delete,    // empty the current cell or delete the selected rows
    };

    // What must be scrolled into view after the move, in this order.
    enum class Reveal {
        Nothing = 0x0,
        Origin = 0x1, // scroll back to the first row and column
        Column = 0x2, // the current column, when it lies left of the first one shown
        Row = 0x4,    // the current row
    };
    Q_DECLARE_FLAGS(Reveals, Reveal)

    struct Step {
        GridPosition position;
        Action action = Action::None;
        Reveals reveal;
        bool leftRow = false;   // the key moved, or tried to move, off the current row
        bool reportRow = false; // the owner is told the current row
    };

    // A grid with data columns 1 to lastColumn, rows 1 to rowLimit (the new row) and pageRows
    // whole rows shown.
    GridNavigation(int lastColumn, int rowLimit, int pageRows)
        : m_lastColumn(lastColumn), m_rowLimit(rowLimit), m_pageRows(pageRows) {}

    // Where a key other than Delete starts from: the first selected row in column 1 when rows are
    // selected (the selection then goes), and a cell inside the grid in any case.
    GridPosition Normalized(const GridPosition& position) const;

    // What key (Enter as Return) does from position. The selection is left as it is.
    Step Apply(const GridPosition& position, int key) const;

private:
    int m_lastColumn;
    int m_rowLimit;
    int m_pageRows;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(GridNavigation::Reveals)
