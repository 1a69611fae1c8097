#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;

// Writes printed sheets into a PDF file, as a print to a file would, but safely: the PDF is made
// beside the target and takes its place only when it is whole, so a failed write leaves the file
// that was there as it was. No printer is needed: a script or a batch writes PDFs without one.
class PdfSheet {
public:
    // Draws the sheets onto a paged device whose document is named and whose page is set; false
    // when the job could not start or finish.
    using Painter = std::function<bool(QPagedPaintDevice& printer)>;

    // Prints onto a page of the given layout at dpi into the file at path. Any failure is a
    // FileError naming the file as given.
    static void Write(const QString& path, const QPageLayout& layout, int dpi,
                      const Painter& paint);
};
