// The capture window at work: building the screen of a format of 1,000 fields, filling in the
// example invoice and printing it to a PDF, again and again in one document, as a clerk does,
// and batches of 100, 1,000 and 10,000 invoices from a table of values into one PDF, whose cost
// per page must not grow with the batch.
#include "capture/CFmtcaptureView.h"
#include "capture_model/BatchFill.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/CsvTable.h"
#include "capture_model/FieldEntry.h"
#include "model/FormatFile.h"
#include "model/FormatPrinter.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <memory>

#include <benchmark/benchmark.h>

namespace {

constexpr int kFields = 1000;

// Ten columns of fields down a long screen, every other one a number.
QString WriteManyFields(const QTemporaryDir& dir) {
    Format format;
    for (int i = 0; i < kFields; ++i) {
        auto line = CTextlineVar::Create(100 + (i % 10) * 200, -100 - (i / 10) * 60);
        line->text = QStringLiteral("CAMPO%1").arg(i + 1);
        line->dataType = i % 2 ? DataTypeCode::Numero : DataTypeCode::Texto;
        line->captureOrder = i + 1;
        const int x = 90 + (i % 10) * 240;
        const int y = 10 + (i / 10) * 28;
        line->screenRect = ScreenRect{x, y, x + 140, y + 20};
        line->screenPlaced = true;
        format.controls.push_back(std::move(line));
    }
    const QString path = dir.filePath(QStringLiteral("grande.fmt"));
    FormatFile::Save(path, format, FormatSettings{});
    return path;
}

// A PDF of letter paper at 1200 dpi with no margins, as plenova-cli writes it.
std::unique_ptr<QPdfWriter> LetterPdf(const QString& path) {
    auto writer = std::make_unique<QPdfWriter>(path);
    writer->setResolution(1200);
    writer->setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return writer;
}

// The entry widgets of every field of an opened format, in capture order, with their captions:
// what the user waits for when a capture window opens.
void BM_BuildCaptureScreen(benchmark::State& state) {
    CaptureControlTypes::RegisterAll();
    QTemporaryDir dir;
    CaptureDocument document;
    document.OpenFormat(WriteManyFields(dir));
    for (auto _ : state) {
        auto view = std::make_unique<CFmtcaptureView>(document);
        benchmark::DoNotOptimize(view->Screen());
        // Closing the window, and the events a running window would have handled meanwhile,
        // are not part of the wait.
        state.PauseTiming();
        view.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFields);
}
BENCHMARK(BM_BuildCaptureScreen)->Unit(benchmark::kMillisecond);

void BM_FillAndPrintInvoice(benchmark::State& state) {
    CaptureControlTypes::RegisterAll();
    CaptureDocument document;
    document.OpenFormat(QStringLiteral(PLENOVA_EXAMPLES_DIR "/factura.fmt"));
    const std::vector<FieldEntry> entries = {
        {QStringLiteral("FOLIO"), QStringLiteral("A-1024")},
        {QStringLiteral("CLIENTE"), QStringLiteral("María Guadalupe López Hernández")},
        {QStringLiteral("RFC"), QStringLiteral("LOHG850312QX5")},
        {QStringLiteral("PARTIDAS[1,1]"), QStringLiteral("2")},
        {QStringLiteral("PARTIDAS[1,2]"), QStringLiteral("Papel bond carta")},
        {QStringLiteral("PARTIDAS[1,3]"), QStringLiteral("150.00")},
        {QStringLiteral("PARTIDAS[2,1]"), QStringLiteral("1")},
        {QStringLiteral("PARTIDAS[2,2]"), QStringLiteral("Engrapadora de escritorio")},
        {QStringLiteral("PARTIDAS[2,3]"), QStringLiteral("99.50")}};
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("factura.pdf"));
    for (auto _ : state) {
        document.ClearValues();
        for (const FieldEntry& entry : entries)
            entry.TypeInto(document);
        const std::unique_ptr<QPdfWriter> writer = LetterPdf(pdf);
        if (!document.Print(*writer, FormatPrinter::Offsets{}))
            state.SkipWithError("the invoice did not print");
    }
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FillAndPrintInvoice)->Unit(benchmark::kMillisecond)->Iterations(1000)->UseRealTime();

// A table of rows invoices: folio, customer, tax number and two lines each, the values varying.
QByteArray InvoiceRows(int rows) {
    QByteArray csv = "FOLIO,FECHA,CLIENTE,RFC,PARTIDAS[1,1],PARTIDAS[1,2],PARTIDAS[1,3],"
                     "PARTIDAS[2,1],PARTIDAS[2,2],PARTIDAS[2,3],EFECTIVO\n";
    for (int i = 0; i < rows; ++i)
        csv += QStringLiteral("A-%1,2026-12-08,\"Cliente %1, S.A.\",LOHA850312QX5,%2,Papel bond "
                              "carta,%3.50,%4,Cuaderno profesional,%5.00,%6\n")
                   .arg(i + 1)
                   .arg(1 + i % 9)
                   .arg(10 + i % 900)
                   .arg(1 + i % 5)
                   .arg(10 + i % 90)
                   .arg(i % 2)
                   .toUtf8();
    return csv;
}

void BM_BatchOfInvoicesToOnePdf(benchmark::State& state) {
    CaptureControlTypes::RegisterAll();
    const int rows = static_cast<int>(state.range(0));
    const CsvTable table = CsvTable::Parse(InvoiceRows(rows), QStringLiteral("lote.csv"));
    BatchFill batch(QStringLiteral(PLENOVA_EXAMPLES_DIR "/factura.fmt"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lote.pdf"));
    for (auto _ : state) {
        const std::unique_ptr<QPdfWriter> writer = LetterPdf(pdf);
        if (batch.Run(table, BatchFill::Output{writer.get(), {}, {}, {}}) !=
            BatchFill::Outcome::Done)
            state.SkipWithError("the batch did not print");
    }
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(state.iterations() * rows),
                                                   benchmark::Counter::kIsRate);
    // The cost of one page, which must stay the same whatever the batch's length.
    state.counters["time/page"] =
        benchmark::Counter(static_cast<double>(state.iterations() * rows),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BatchOfInvoicesToOnePdf)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
