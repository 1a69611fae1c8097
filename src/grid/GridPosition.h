#pragma once

#include <algorithm>

// The grid's current cell and its selection of whole rows: what the keys and the mouse move.
// Column or row 0 means no current cell (a click on the row headers leaves none). A selection of
// 0, 0 is none; its first row lies below its last when the rows were dragged over upwards.
struct GridPosition {
    int column = 0;
    int row = 0;
    int selectionFirst = 0;
    int selectionLast = 0;

    bool HasSelection() const { return selectionFirst != 0 || selectionLast != 0; }
    bool InSelection(int r) const {
        return HasSelection() && r >= std::min(selectionFirst, selectionLast) &&
               r <= std::max(selectionFirst, selectionLast);
    }
    void ClearSelection() { selectionFirst = selectionLast = 0; }
};
