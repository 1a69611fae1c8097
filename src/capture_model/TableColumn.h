#pragma once

#include "capture_model/DataType.h"
#include "model/PageRect.h"

#include <QString>

// One column of a table: what the format stores (title, widths, alignment, data type and
// formula) and where the design view last laid it out.
struct TableColumn {
    // Shown above the column and as the grid's heading; the name a text line's expression uses
    // to ask for the column's total.
    QString title;
    int pageWidth = 400; // tenths of a millimetre
    int screenWidth = 0; // pixels on the capture screen; the file keeps its absolute value
    int alignment = 0;   // 0 left, 2 right, 6 centred
    int xPosition = 0;   // left edge on the page, laid out from the table's left edge
    PageRect divider;    // where the designer grabs the column's right edge
    DataTypeCode dataType = DataTypeCode::Texto;
    // The calculation over the other cells of the row (C1*C2); empty for a typed column.
    QString expression;
};
