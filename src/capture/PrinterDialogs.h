#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

// The printer dialogs the windows show: the print dialog that chooses where a format goes (a
// printer, or a PDF file through Qt's own dialog), the preview, and "Configurar impresora".
// Tests replace them so that a print runs without anyone to answer a dialog.
//
// The print dialog and the preview offer the file a printout to a file would go to, named for
// the job at hand: never the file the last job went to, nor the application's title.
class PrinterDialogs {
public:
    // Shows a dialog on the printer; true when the user confirmed it and the printer is ready.
    using Dialog = std::function<bool(QPrinter& printer, QWidget* parent)>;
    // Draws the sheet onto the printer the preview hands it.
    using Painter = std::function<void(QPrinter& printer)>;
    // Shows a preview of what paint draws on the printer; true when the user printed from it.
    using PreviewDialog =
        std::function<bool(QPrinter& printer, QWidget* parent, const Painter& paint)>;

    // The print dialog for one sheet: no page range, no selection, no current page; a print to
    // a file goes to offeredFile unless the user names another.
    static bool ChoosePrinter(QPrinter& printer, QWidget* parent, const QString& offeredFile);
    // "Configurar impresora": the printer, its paper and orientation, which then stay the
    // printer's and are kept in the settings file for the next start. False when cancelled; a
    // settings file that cannot be written is a FileError once the printer is set.
    static bool SetUpPage(QPrinter& printer, QWidget* parent);
    // "Vista preliminar": the sheet as the printer will print it, on the printer's paper, with
    // the means to print it from there (to offeredFile when printed to a file).
    static bool Preview(QPrinter& printer, QWidget* parent, const Painter& paint,
                        const QString& offeredFile);
    // Makes file the one the print dialog offers for a print to a file, whether the printer
    // writes a PDF file or is one of the system's (which stays chosen).
    static void OfferFile(QPrinter& printer, const QString& file);

    // Replaces a dialog until it is replaced again; an empty one restores the real dialog.
    static void ReplacePrintDialog(Dialog dialog);
    static void ReplacePageSetupDialog(Dialog dialog);
    static void ReplacePreviewDialog(PreviewDialog dialog);
};
