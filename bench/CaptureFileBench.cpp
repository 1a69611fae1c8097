// Saving and loading the captured values of two large formats: 1,000 filled-in text lines, and
// a table of 1,000 rows by 8 columns, two of them computed.
#include "BenchTable.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CTableData.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureFile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kFields = 1000;
constexpr int kRows = 1000;
constexpr int kColumns = 8;
const QString kFormatName = QStringLiteral("grande.fmt");

// Numbered from the tail, as the design window numbers capture orders.
ControlList ManyFields() {
    ControlList controls;
    for (int i = 0; i < kFields; ++i) {
        auto line = std::make_unique<CTextlineVar>();
        line->text = QStringLiteral("CAMPO%1").arg(i + 1);
        line->dataType = i % 2 ? DataTypeCode::Numero : DataTypeCode::Texto;
        line->captureOrder = kFields - i;
        line->SetValue(i % 2 ? QString::number(i * 12.5, 'f', 2)
                             : QStringLiteral("Texto capturado %1").arg(i));
        controls.push_back(std::move(line));
    }
    return controls;
}

ControlList BigTable() {
    auto table = MakeBenchTable(kRows);
    table->captureOrder = 1;
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kColumns; ++c)
            table->Cells().SetCell(c, r,
                                   c == 3 ? QStringLiteral("Artículo %1").arg(r)
                                          : QString::number(r * c + 0.25, 'f', 2),
                                   false);
    }
    ControlList controls;
    controls.push_back(std::move(table));
    return controls;
}

ControlList Make(int kind) {
    return kind == 0 ? ManyFields() : BigTable();
}

void BM_SaveCapture(benchmark::State& state) {
    const ControlList controls = Make(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    for (auto _ : state)
        CaptureFile::Save(path, kFormatName, controls);
}

void BM_LoadCapture(benchmark::State& state) {
    ControlList controls = Make(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    CaptureFile::Save(path, kFormatName, controls);
    for (auto _ : state)
        benchmark::DoNotOptimize(CaptureFile::Load(path, kFormatName, controls));
}

} // namespace

// Argument 0: 1,000 text lines; 1: the 1,000 x 8 table.
BENCHMARK(BM_SaveCapture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCapture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
