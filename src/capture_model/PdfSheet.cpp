#include "capture_model/PdfSheet.h"

#include "platform/FileError.h"
#include "platform/SafeFile.h"

#include <QFile>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <algorithm>

namespace {

// A whole PDF ends with "%%EOF" and at most a line end or two.
constexpr qint64 kPdfTail = 32;
constexpr qint64 kCopyChunk = 1024 * 1024;

} // namespace

void PdfSheet::Write(const QString& path, const QPageLayout& layout, int dpi,
                     const Painter& paint) {
    const QString cannotWrite = QStringLiteral("no se pudo escribir el PDF");
    SafeFile file(path);
    file.Open();
    // The PDF is written to a path: into the temporary beside the target, or, for a device,
    // into a scratch file whose bytes then go to the device.
    QTemporaryFile scratch;
    QString printed = file.TemporaryPath();
    if (file.WritesDirectly()) {
        if (!scratch.open())
            throw FileError(path, QStringLiteral("no se puede crear"),
                            QStringLiteral("no hay dónde preparar el PDF"));
        scratch.close();
        printed = scratch.fileName();
    }
    {
        QPdfWriter writer(printed);
        writer.setTitle(QStringLiteral("Plenovixalia"));
        writer.setResolution(dpi);
        writer.setPageLayout(layout);
        if (!paint(writer))
            throw FileError(path, cannotWrite, QStringLiteral("la impresora no terminó la página"));
    }
    // The writer does not say when its writes fail: a PDF is whole only when it ends with its
    // end-of-file mark.
    QFile result(printed);
    if (!result.open(QIODevice::ReadOnly))
        throw FileError(path, cannotWrite, QStringLiteral("no se pudo leer lo impreso"));
    const qint64 size = result.size();
    result.seek(std::max<qint64>(0, size - kPdfTail));
    if (!result.read(kPdfTail).contains("%%EOF"))
        throw FileError(path, cannotWrite,
                        QStringLiteral("quedó incompleto; ¿falta espacio en el disco?"));
    if (file.WritesDirectly()) {
        result.seek(0);
        while (!result.atEnd())
            file.write(result.read(kCopyChunk));
    }
    result.close();
    file.Commit();
}
