// A table of 1,000 rows by 8 columns, two of them computed: one cell edited with its row's
// recalculation, a column total over all rows, and captured values loaded into the table.
#include "BenchTable.h"
#include "capture_model/CFmtGrid.h"
#include "platform/Archive.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000;
constexpr int kColumns = 8;

std::unique_ptr<CFmtGrid> MakeTable() {
    return MakeBenchTable(kRows);
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
