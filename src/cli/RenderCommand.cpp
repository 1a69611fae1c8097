#include "cli/RenderCommand.h"

#include "cli/CliArgs.h"
#include "cli/CliError.h"
#include "model/FormatFile.h"
#include "model/FormatPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>

namespace {

// The largest sheet a picture is made of: a metre square at 1200 dpi stays well below it, a
// mistyped size does not eat the machine's memory.
constexpr double kMaxPixels = 400e6;
constexpr double kMaxPaperMillimetres = 10000;

} // namespace

QSizeF RenderCommand::ParsePaper(const QString& text) {
    const QString lower = text.trimmed().toLower();
    if (lower == QLatin1String("letter"))
        return QSizeF(215.9, 279.4);
    if (lower == QLatin1String("a4"))
        return QSizeF(210, 297);
    const QStringList parts = lower.split(QLatin1Char('x'));
    if (parts.size() == 2) {
        bool okW = false, okH = false;
        const double w = parts[0].toDouble(&okW);
        const double h = parts[1].toDouble(&okH);
        if (okW && okH && w > 0 && h > 0 && w <= kMaxPaperMillimetres && h <= kMaxPaperMillimetres)
            return QSizeF(w, h);
    }
    throw CliError(
        QStringLiteral("papel no válido: «%1» (use letter, a4 o ANCHOxALTO en milímetros, "
                       "hasta %2 mm)")
            .arg(text)
            .arg(kMaxPaperMillimetres));
}

int RenderCommand::Run(const QStringList& words, QTextStream& out) {
    const CliArgs args(words, {{QStringLiteral("--output"), QStringLiteral("-o"), true},
                               {QStringLiteral("--paper"), QString(), true},
                               {QStringLiteral("--dpi"), QString(), true},
                               {QStringLiteral("--facx"), QString(), true},
                               {QStringLiteral("--facy"), QString(), true}});
    args.ExpectPositional(1, Usage());
    const std::optional<QString> output = args.Value(QStringLiteral("--output"));
    if (!output || output->isEmpty())
        throw CliError(QStringLiteral("uso: plenova-cli %1").arg(Usage()));
    const QString suffix = QFileInfo(*output).suffix().toLower();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("png"))
        throw CliError(
            QStringLiteral("%1: la salida debe ser un archivo .pdf o .png").arg(*output));
    const QSizeF paper =
        ParsePaper(args.Value(QStringLiteral("--paper")).value_or(QStringLiteral("letter")));

    FormatPrinter::Offsets offsets = FormatPrinter::Offsets::FromSettings();
    offsets.facX = args.IntValue(QStringLiteral("--facx"), offsets.facX, -100000, 100000);
    offsets.facY = args.IntValue(QStringLiteral("--facy"), offsets.facY, -100000, 100000);

    Format format;
    FormatSettings settings;
    LoadFormat(args.Positional().first(), format, settings);

    if (suffix == QLatin1String("png")) {
        const int dpi = args.IntValue(QStringLiteral("--dpi"), 254, 10, 2400);
        const double pixels = paper.width() / 25.4 * dpi * paper.height() / 25.4 * dpi;
        if (pixels > kMaxPixels)
            throw CliError(
                QStringLiteral("%1: la imagen sería demasiado grande (%2 millones de pixeles); "
                               "use un --dpi menor")
                    .arg(*output)
                    .arg(pixels / 1e6, 0, 'f', 0));
        const QImage image = FormatPrinter::PrintToImage(format.controls, paper, dpi, offsets);
        if (image.isNull())
            throw CliError(
                QStringLiteral("%1: no hay memoria suficiente para la imagen").arg(*output));
        QSaveFile file(*output);
        if (!file.open(QIODevice::WriteOnly))
            throw CliError(
                QStringLiteral("%1: no se puede crear (%2)").arg(*output, file.errorString()));
        QImageWriter writer(&file, "png");
        if (!writer.write(image) || !file.commit())
            throw CliError(
                QStringLiteral("%1: no se pudo escribir (%2)").arg(*output, writer.errorString()));
    } else {
        const int dpi = args.IntValue(QStringLiteral("--dpi"), 1200, 72, 2400);
        // The PDF is written beside the target and takes its place only when complete.
        QTemporaryFile partial(QFileInfo(*output).absolutePath() +
                               QStringLiteral("/.plenova-XXXXXX.pdf"));
        if (!partial.open())
            throw CliError(
                QStringLiteral("%1: no se puede crear (%2)").arg(*output, partial.errorString()));
        partial.close();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(partial.fileName());
        printer.setDocName(QStringLiteral("Plenovixalia"));
        printer.setResolution(dpi);
        printer.setPageLayout(QPageLayout(QPageSize(paper, QPageSize::Millimeter),
                                          QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        if (!FormatPrinter::PrintToPrinter(printer, format.controls, offsets))
            throw CliError(QStringLiteral("%1: no se pudo escribir el PDF").arg(*output));
        if (std::rename(QFile::encodeName(partial.fileName()).constData(),
                        QFile::encodeName(*output).constData()) != 0)
            throw CliError(QStringLiteral("%1: no se pudo escribir el PDF").arg(*output));
        partial.setAutoRemove(false);
        QFile::setPermissions(*output, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                           QFile::ReadOther);
    }
    (void)out;
    return 0;
}
