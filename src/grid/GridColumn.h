#pragma once

#include "platform/DrawingSurface.h"

#include <QString>

// Everything the grid knows about one column. Column 0 is the row-header column.
struct GridColumn {
    int width = 60; // pixels, never below the minimum a mouse drag allows
    QString caption;
    QString newRowText; // what the user typed into this column's cell of the new row
    TextAlign alignment = TextAlign::Left; // Left, Right or Center, as the table stores it
    bool readOnly = false;
    bool upperCase = false;
    bool list = false;  // edited with a drop-down list the owner fills
    bool check = false; // shows a check box: ticked while the text is not empty
};
