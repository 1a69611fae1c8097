// The capture window at work: building the screen of a format of 1,000 fields, filling in the
// example invoice and printing it to a PDF, again and again in one window, as a clerk does, and
// a batch of 1,000 invoices from a table of values into one PDF.
#include "SampleValues.h"
#include "capture/CFmtcaptureView.h"
#include "capture_model/BatchFill.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "capture_model/CsvTable.h"
#include "model/FormatFile.h"
#include "model/FormatPrinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

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

void BM_BuildCaptureScreen(benchmark::State& state) {
    CaptureControlTypes::RegisterAll();
    QTemporaryDir dir;
    const QString path = WriteManyFields(dir);
    for (auto _ : state) {
        CFmtcaptureView view;
        view.OpenFormat(path);
        benchmark::DoNotOptimize(view.Screen());
    }
    state.SetItemsProcessed(state.iterations() * kFields);
}
BENCHMARK(BM_BuildCaptureScreen)->Unit(benchmark::kMillisecond);

void BM_FillAndPrintInvoice(benchmark::State& state) {
    CaptureControlTypes::RegisterAll();
    CFmtcaptureView view;
    view.OpenFormat(QStringLiteral(PLENOVA_EXAMPLES_DIR "/factura.fmt"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("factura.pdf"));
    for (auto _ : state) {
        view.ClearValues();
        SampleValues::FillFactura(view.Controls(), *view.Calculation());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(1200);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(0, 0, 0, 0)));
        if (!FormatPrinter::PrintToPrinter(printer, view.Controls(), FormatPrinter::Offsets{}))
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
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(1200);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(0, 0, 0, 0)));
        if (batch.Run(table, BatchFill::Output{&printer, {}, {}}) != BatchFill::Outcome::Done)
            state.SkipWithError("the batch did not print");
    }
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(state.iterations() * rows),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchOfInvoicesToOnePdf)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
