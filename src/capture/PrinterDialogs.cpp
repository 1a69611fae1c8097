#include "capture/PrinterDialogs.h"

#include "capture/PrinterSettings.h"
#include "capture/PrinterSetupDialog.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

PrinterDialogs::Dialog& PrintDialog() {
    static PrinterDialogs::Dialog dialog;
    return dialog;
}

PrinterDialogs::Dialog& PageSetupDialog() {
    static PrinterDialogs::Dialog dialog;
    return dialog;
}

// Not named after the type: inside the class the name would be the type's.
PrinterDialogs::PreviewDialog& PreviewHook() {
    static PrinterDialogs::PreviewDialog dialog;
    return dialog;
}

} // namespace

void PrinterDialogs::OfferFile(QPrinter& printer, const QString& file) {
    // The print dialog offers the printer's output file. Naming a PDF file turns the printer
    // into one: a printer of the system is chosen again, and keeps the name to offer. Printing
    // to it clears the name again.
    const bool system = printer.outputFormat() == QPrinter::NativeFormat;
    const QString name = printer.printerName();
    printer.setOutputFileName(file);
    if (system && !name.isEmpty())
        printer.setPrinterName(name);
}

bool PrinterDialogs::ChoosePrinter(QPrinter& printer, QWidget* parent, const QString& offeredFile) {
    OfferFile(printer, offeredFile);
    bool chosen = false;
    if (PrintDialog()) {
        chosen = PrintDialog()(printer, parent);
    } else {
        QPrintDialog dialog(&printer, parent);
        // Exactly one sheet is printed: there is nothing to choose among pages.
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        dialog.setPrintRange(QAbstractPrintDialog::AllPages);
        chosen = dialog.exec() == QDialog::Accepted;
    }
    // A printer of the system that was not used keeps no file to print into.
    if (!chosen && printer.outputFormat() == QPrinter::NativeFormat)
        printer.setOutputFileName(QString());
    return chosen;
}

bool PrinterDialogs::SetUpPage(QPrinter& printer, QWidget* parent) {
    if (PageSetupDialog()) {
        if (!PageSetupDialog()(printer, parent))
            return false;
    } else {
        PrinterSetupDialog dialog(PrinterSettings::Of(printer), parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        dialog.Chosen().ApplyTo(printer);
    }
    PrinterSettings::Keep(printer);
    return true;
}

bool PrinterDialogs::Preview(QPrinter& printer, QWidget* parent, const Painter& paint,
                             const QString& offeredFile) {
    OfferFile(printer, offeredFile);
    if (PreviewHook())
        return PreviewHook()(printer, parent, paint);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Vista preliminar"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* shown) { paint(*shown); });
    const bool printed = dialog.exec() == QDialog::Accepted;
    if (!printed && printer.outputFormat() == QPrinter::NativeFormat)
        printer.setOutputFileName(QString());
    return printed;
}

void PrinterDialogs::ReplacePrintDialog(Dialog dialog) {
    PrintDialog() = std::move(dialog);
}

void PrinterDialogs::ReplacePageSetupDialog(Dialog dialog) {
    PageSetupDialog() = std::move(dialog);
}

void PrinterDialogs::ReplacePreviewDialog(PreviewDialog dialog) {
    PreviewHook() = std::move(dialog);
}
