#pragma once

#include "model/Format.h"

#include <QImage>
#include <QSizeF>

class DrawingSurface;
class QPagedPaintDevice;
class ReferenceBackdrop;

// Prints a format's page onto one sheet: page units of 0.1 mm from the sheet's top-left corner,
// the printer's unprintable margin compensated, the whole printout shifted by the installation's
// margin offsets, and every control printing itself from the first layer to the last.
class FormatPrinter {
public:
    // The margin offsets in page units: a positive horizontal offset moves the printout left,
    // a positive vertical one moves it up.
    struct Offsets {
        int facX = 0;
        int facY = 0;
        // "Config"/"FacX" and "Config"/"FacY" of the installation's settings, 0 when absent.
        static Offsets FromSettings();
    };

    // Prints onto a surface whose page has been started.
    static void PrintPage(DrawingSurface& dc, const ControlList& controls, Offsets offsets);
    // One sheet on a printer (or a PDF file through it), whose job the caller has named. False
    // when the job could not start or finish.
    static bool PrintToPrinter(QPagedPaintDevice& printer, const ControlList& controls,
                               Offsets offsets);
    // The sheet as a preview shows it over the stationery: the backdrop (a picture of the
    // pre-printed paper, lying on the paper itself and so never shifted by the offsets) under
    // the page as PrintToPrinter prints it, so that the user sees where the ink will fall.
    static bool PrintOverBackdrop(QPagedPaintDevice& printer, const ControlList& controls,
                                  Offsets offsets, const ReferenceBackdrop& backdrop);
    // One white sheet of the given size in millimetres at the given resolution.
    static QImage PrintToImage(const ControlList& controls, QSizeF paperMillimetres, int dpi,
                               Offsets offsets);
};
