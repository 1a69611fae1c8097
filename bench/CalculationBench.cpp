// Recomputing calculated fields: a chain of fields each naming the one before, building the
// engine over such a format, and a cell edited in a table whose total two fields follow.
#include "BenchTable.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CTableData.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CalculatedFields.h"
#include "model/Format.h"
#include "model/FormatSettings.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A typed field "F0" and then count calculated fields, Fi = F(i-1)+1.
Format MakeChain(int count) {
    Format format;
    for (int i = 0; i <= count; ++i) {
        auto line = std::make_unique<CTextlineVar>();
        line->text = QStringLiteral("F%1").arg(i);
        line->captureOrder = i + 1;
        if (i > 0) {
            line->expression = QStringLiteral("F%1+1").arg(i - 1);
            line->dataType = DataTypeCode::NumeroCalculado;
        } else {
            line->dataType = DataTypeCode::Numero;
        }
        format.controls.push_back(std::move(line));
    }
    return format;
}

void BM_RecalculateChain(benchmark::State& state) {
    Format format = MakeChain(static_cast<int>(state.range(0)));
    CalculatedFields engine(format.controls, FormatSettings(), QLocale::c());
    auto& first = static_cast<CTextlineVar&>(*format.controls.front());
    const auto& last = static_cast<const CTextlineVar&>(*format.controls.back());
    int value = 0;
    for (auto _ : state) {
        // A new value every time, so that the whole chain changes.
        first.SetValue(QString::number(++value));
        engine.Recalculate(CalculatedFields::Identifier(first));
        benchmark::DoNotOptimize(last.CopyNumber());
    }
    if (last.CopyNumber() != value + state.range(0))
        state.SkipWithError("the chain was not recomputed to its end");
}

void BM_BuildEngine(benchmark::State& state) {
    Format format = MakeChain(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CalculatedFields engine(format.controls, FormatSettings(), QLocale::c());
        benchmark::DoNotOptimize(engine.FieldList().data());
    }
}

// A table "LINEAS" of rows x 8 columns, column 5 C1*C2 and column 8 C5-C6+C7, with every row
// filled, and the fields TOTAL (the sum of column 8) and IVA (TOTAL*0.16).
Format MakeInvoice(int rows) {
    Format format;
    auto table = MakeBenchTable(rows, false);
    table->text = QStringLiteral("LINEAS");
    table->captureOrder = 1;
    for (int r = 1; r <= rows; ++r) {
        for (int c : {1, 2, 6, 7})
            table->Cells().SetCell(c, r, QString::number(r + c), false);
    }
    format.controls.push_back(std::move(table));
    const auto addLine = [&format](const QString& name, const QString& expression) {
        auto line = std::make_unique<CTextlineVar>();
        line->text = name;
        line->expression = expression;
        line->dataType = DataTypeCode::NumeroCalculado;
        line->captureOrder = static_cast<int>(format.controls.size()) + 1;
        format.controls.push_back(std::move(line));
    };
    addLine(QStringLiteral("TOTAL"), QStringLiteral("LINEAS&COL8"));
    addLine(QStringLiteral("IVA"), QStringLiteral("TOTAL*0.16"));
    return format;
}

void BM_EditCellWithTotals(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    Format format = MakeInvoice(rows);
    CalculatedFields engine(format.controls, FormatSettings(), QLocale::c());
    auto& table = static_cast<CFmtGrid&>(*format.controls.front());
    const auto& iva = static_cast<const CTextlineVar&>(*format.controls.back());
    int value = 0;
    for (auto _ : state) {
        // What the grid does with an edit: the cell stored with its row's formulas, then the
        // table's totals.
        table.Cells().SetCell(1, rows / 2, QString::number(++value % 97), false);
        engine.RecalculateTableTotals(table);
        benchmark::DoNotOptimize(iva.CopyNumber());
    }
}

} // namespace

BENCHMARK(BM_RecalculateChain)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildEngine)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditCellWithTotals)->Arg(1000)->Unit(benchmark::kMillisecond);
