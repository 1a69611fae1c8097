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

    // The print dialog for one sheet: no page range, no selection, no current page.
    static bool ChoosePrinter(QPrinter& printer, QWidget* parent);
    static bool SetUpPage(QPrinter& printer, QWidget* parent);

    // Replaces a dialog until it is replaced again; an empty one restores the real dialog.
    static void ReplacePrintDialog(Dialog dialog);
    static void ReplacePageSetupDialog(Dialog dialog);
};
