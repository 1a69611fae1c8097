#pragma once

#include <functional>

class QPrinter;
class QWidget;

// The two printer dialogs the windows show: the print dialog that chooses where a format goes
// (a printer, or a PDF file through Qt's own dialog) and the page set-up. Tests replace them so
// that a print runs without anyone to answer a dialog.
class PrinterDialogs {
public:
    // Shows a dialog on the printer; true when the user confirmed it and the printer is ready.
    using Dialog = std::function<bool(QPrinter& printer, QWidget* parent)>;
    // Draws the sheet onto the printer the preview hands it.
    using Painter = std::function<void(QPrinter& printer)>;
    // Shows a preview of what paint draws on the printer; true when the user printed from it.
    using PreviewDialog =
        std::function<bool(QPrinter& printer, QWidget* parent, const Painter& paint)>;

    // The print dialog for one sheet: no page range, no selection, no current page.
    static bool ChoosePrinter(QPrinter& printer, QWidget* parent);
    static bool SetUpPage(QPrinter& printer, QWidget* parent);
    // "Vista preliminar": the sheet as the printer will print it, on the printer's paper, with
    // the means to print it from there.
    static bool Preview(QPrinter& printer, QWidget* parent, const Painter& paint);

    // Replaces a dialog until it is replaced again; an empty one restores the real dialog.
    static void ReplacePrintDialog(Dialog dialog);
    static void ReplacePageSetupDialog(Dialog dialog);
    static void ReplacePreviewDialog(PreviewDialog dialog);
};
