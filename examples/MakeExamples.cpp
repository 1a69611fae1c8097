// Writes the example formats (an invoice and a cheque) into a folder; with --muestras also
// prints each one filled with sample values, as PNG pictures and PDF files, and draws its
// capture screen's layout, to look at.
#include "ExampleFormats.h"
#include "SampleValues.h"

#include "capture_model/CaptureControlTypes.h"
#include "model/FormatError.h"
#include "model/FormatFile.h"
#include "model/FormatPrinter.h"
#include "platform/PainterSurface.h"

#include <QDir>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTextStream>

namespace {

constexpr QSizeF kLetter(215.9, 279.4);

// The capture screen as the capture-screen designer shows it: each field's rectangle with its
// caption, and the labels. A look at the layout, not the capture window itself.
QImage ScreenLayout(Format& format) {
    const ScreenRect extent = FormatFile::ScreenExtent(format);
    QImage image(extent.right + 20, extent.bottom + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(10, 10);
    PainterSurface dc(painter);
    const LogFont screenFont = LogFont::Make(-12, 0, 400, QStringLiteral("Arial"));
    dc.SelectFont(screenFont);
    for (const auto& control : format.controls) {
        control->screenFont = &screenFont;
        control->DrawOnScreenLayout(dc, false);
        control->screenFont = nullptr;
    }
    return image;
}

bool PrintSample(ExampleFormat& example, const QString& folder) {
    const QLocale mexico(QLocale::Spanish, QLocale::Mexico);
    if (example.fileName == QLatin1String("factura.fmt"))
        SampleValues::FillFactura(example.format.controls, example.settings, mexico);
    else
        SampleValues::FillCheque(example.format.controls, example.settings, mexico);
    const QString base = QDir(folder).filePath(example.fileName.section(QLatin1Char('.'), 0, 0) +
                                               QStringLiteral("-muestra"));
    const QImage image = FormatPrinter::PrintToImage(example.format.controls, kLetter, 100,
                                                     FormatPrinter::Offsets());
    if (!image.save(base + QStringLiteral(".png")) ||
        !ScreenLayout(example.format).save(base + QStringLiteral("-pantalla.png")))
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(base + QStringLiteral(".pdf"));
    printer.setDocName(example.format.description);
    printer.setPageLayout(QPageLayout(QPageSize(kLetter, QPageSize::Millimeter),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return FormatPrinter::PrintToPrinter(printer, example.format.controls,
                                         FormatPrinter::Offsets());
}

} // namespace

int main(int argc, char** argv) {
    // The samples show amounts as a user in Mexico sees them, table cells included.
    qputenv("LC_ALL", "es_MX.UTF-8");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString samples;
    const qsizetype option = args.indexOf(QStringLiteral("--muestras"));
    if (option >= 0 && option + 1 < args.size()) {
        samples = args.at(option + 1);
        args.remove(option, 2);
    }
    if (args.size() != 1) {
        QTextStream(stderr) << "uso: plenova-examples CARPETA [--muestras CARPETA]\n";
        return 1;
    }
    CaptureControlTypes::RegisterAll();
    try {
        ExampleFormats::WriteAll(args.first());
    } catch (const FormatError& e) {
        QTextStream(stderr) << "plenova-examples: " << e.Message() << '\n';
        return 1;
    }
    if (!samples.isEmpty()) {
        for (ExampleFormat& example : ExampleFormats::All()) {
            if (!PrintSample(example, samples)) {
                QTextStream(stderr) << "plenova-examples: no se pudo imprimir la muestra de "
                                    << example.fileName << '\n';
                return 1;
            }
        }
    }
    return 0;
}
