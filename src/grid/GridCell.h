#pragma once

#include <QString>

// One cell as the grid and its owner pass it between them: the row first, then the column, both
// counted from 1 for data (row 0 is the header row, column 0 the row-header column).
struct GridCell {
    int row = 0;
    int column = 0;
    QString text;
};
