#pragma once

#include "model/PageRect.h"

// One row of a table on the page.
struct TableRow {
    int height = 45;   // tenths of a millimetre
    int yPosition = 0; // upper edge on the page, laid out downward from the table's upper edge
    PageRect divider;  // where the designer grabs the row's lower edge
};
