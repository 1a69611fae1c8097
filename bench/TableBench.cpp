// A table of 1,000 rows by 8 columns, two of them computed: one cell edited with its row's
// recalculation, a column total over all rows, and captured values loaded into the table.
#include "capture_controls/CFmtGrid.h"
#include "platform/Archive.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000;
constexpr int kColumns = 8;

// Quantity, price, and six more columns, of which column 5 is C1*C2 and column 8 C5-C6+C7.
std::unique_ptr<CFmtGrid> MakeTable() {
    auto table = CFmtGrid::Create(0, 0);
    table->SetColumnCount(kColumns);
    table->SetRowCount(kRows);
    for (int i = 0; i < kColumns; ++i) {
        TableColumn c = table->Columns()[static_cast<std::size_t>(i)];
        c.title = QStringLiteral("COL%1").arg(i + 1);
        c.dataType = i == 2 ? DataTypeCode::Texto : DataTypeCode::Numero;
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

QByteArray CapturedValues() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    ar.WriteInt32(kRows);
    ar.WriteInt32(kColumns);
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kColumns; ++c)
            ar.WriteString(c == 3 ? QStringLiteral("Artículo %1").arg(r)
                                  : QString::number(r * c + 0.25, 'f', 2));
    }
    ar.Flush();
    return bytes;
}

void FillTable(CFmtGrid& table) {
    QByteArray bytes = CapturedValues();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Archive ar(buffer, Archive::Mode::Load);
    table.LoadValue(ar);
}

void BM_EditCellWithRowRecalculation(benchmark::State& state) {
    auto table = MakeTable();
    FillTable(*table);
    int row = 0;
    for (auto _ : state) {
        row = row % kRows + 1;
        table->Cells().SetCell(1, row, QStringLiteral("12.5"), false);
        benchmark::DoNotOptimize(table->Cells().CellValue(8, row));
    }
}

void BM_ColumnTotal(benchmark::State& state) {
    auto table = MakeTable();
    FillTable(*table);
    for (auto _ : state)
        benchmark::DoNotOptimize(table->Cells().ColumnTotal(QStringLiteral("col8")));
}

void BM_LoadCapturedValues(benchmark::State& state) {
    auto table = MakeTable();
    const QByteArray bytes = CapturedValues();
    for (auto _ : state) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        Archive ar(buffer, Archive::Mode::Load);
        table->LoadValue(ar);
    }
}

} // namespace

BENCHMARK(BM_EditCellWithRowRecalculation)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColumnTotal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadCapturedValues)->Unit(benchmark::kMillisecond);
