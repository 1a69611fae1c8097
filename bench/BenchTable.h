#pragma once

// The table the benchmarks measure: eight columns titled COL1 to COL8, numbers except for the
// text in column 3, with C1*C2 in column 5 and C5-C6+C7 in column 8.
#include "capture_model/CFmtGrid.h"

#include <memory>

inline std::unique_ptr<CFmtGrid> MakeBenchTable(int rows, bool textInColumn3 = true) {
    constexpr int kColumns = 8;
    auto table = CFmtGrid::Create(0, 0);
    table->SetColumnCount(kColumns);
    table->SetRowCount(rows);
    for (int i = 0; i < kColumns; ++i) {
        TableColumn c = table->Columns()[static_cast<std::size_t>(i)];
        c.title = QStringLiteral("COL%1").arg(i + 1);
        c.dataType = i == 2 && textInColumn3 ? DataTypeCode::Texto : DataTypeCode::Numero;
        if (i == 4)
            c.expression = QStringLiteral("C1*C2");
        if (i == 7)
            c.expression = QStringLiteral("C5-C6+C7");
        if (!c.expression.isEmpty())
            c.dataType = DataTypeCode::NumeroCalculado;
        table->SetColumn(i, c);
    }
    return table;
}
