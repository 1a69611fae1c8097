#include "capture/PrinterDialogs.h"

#include <QPageSetupDialog>
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

bool PrinterDialogs::ChoosePrinter(QPrinter& printer, QWidget* parent) {
    if (PrintDialog())
        return PrintDialog()(printer, parent);
    QPrintDialog dialog(&printer, parent);
    // Exactly one sheet is printed: there is nothing to choose among pages.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

bool PrinterDialogs::SetUpPage(QPrinter& printer, QWidget* parent) {
    if (PageSetupDialog())
        return PageSetupDialog()(printer, parent);
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool PrinterDialogs::Preview(QPrinter& printer, QWidget* parent, const Painter& paint) {
    if (PreviewHook())
        return PreviewHook()(printer, parent, paint);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Vista preliminar"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* shown) { paint(*shown); });
    return dialog.exec() == QDialog::Accepted;
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
