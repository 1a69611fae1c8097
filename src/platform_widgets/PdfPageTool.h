#pragma once

#include <QString>

#include <cstdint>

// Draws one page of a PDF into a PNG file with the PDF tools of the system (pdfinfo and pdftoppm,
// of poppler-utils). Only the windows turn a PDF of the stationery into a backdrop picture, so
// the program is started from here and never from the format's own code.
class PdfPageTool {
public:
    // A page is drawn at this resolution, or lower for a page too large to hold.
    static constexpr int kDpi = 200;
    // How long a tool may take for one page.
    static constexpr int kTimeoutMs = 30'000;

    // Writes page (from 1) of pdf as a PNG file in folder, at most maxPixels large, and returns
    // its path; dpi is set to the resolution it was drawn at. The windows go on being drawn
    // meanwhile, and a slow page shows a progress window whose "Cancelar" stops it. A tool that
    // is missing, too slow, stopped or failing, and a page the PDF does not have, throw
    // PlenovaError with a sentence for the user.
    static QString RenderPage(const QString& pdf, int page, const QString& folder,
                              std::int64_t maxPixels, double& dpi);
};
