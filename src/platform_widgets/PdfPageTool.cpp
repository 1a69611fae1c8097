#include "platform_widgets/PdfPageTool.h"

#include "platform/PlenovaError.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

QString NativeName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Runs one of the PDF tools and returns its standard output; a tool that is missing, too slow
// or fails is told in a sentence.
QByteArray RunPdfTool(const QString& program, const QStringList& arguments, const QString& pdf) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted())
        throw PlenovaError(
            QStringLiteral("No se puede leer el PDF %1: falta el programa %2 (paquete "
                           "poppler-utils). Use una imagen PNG, JPEG o BMP.")
                .arg(NativeName(pdf), program));
    if (!process.waitForFinished(PdfPageTool::kTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        throw PlenovaError(QStringLiteral("El PDF %1 tardó más de %2 segundos en convertirse "
                                          "en imagen; use otra página o una imagen.")
                               .arg(NativeName(pdf))
                               .arg(PdfPageTool::kTimeoutMs / 1000));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw PlenovaError(
            QStringLiteral("El PDF %1 no se puede leer: está dañado, protegido o no es un PDF.")
                .arg(NativeName(pdf)));
    return process.readAllStandardOutput();
}

} // namespace

QString PdfPageTool::RenderPage(const QString& pdf, int page, const QString& folder,
                                std::int64_t maxPixels, double& dpi) {
    QString info = QString::fromUtf8(RunPdfTool(QStringLiteral("pdfinfo"), {pdf}, pdf));
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    const int pageCount = pages.hasMatch() ? pages.captured(1).toInt() : 0;
    if (page < 1 || page > pageCount)
        throw PlenovaError(QStringLiteral("El PDF %1 tiene %2 página(s); no hay página %3.")
                               .arg(NativeName(pdf))
                               .arg(pageCount)
                               .arg(page));
    if (page > 1)
        info = QString::fromUtf8(RunPdfTool(QStringLiteral("pdfinfo"),
                                            {QStringLiteral("-f"), QString::number(page),
                                             QStringLiteral("-l"), QString::number(page), pdf},
                                            pdf));
    // A poster-sized page is drawn coarser, so that it still fits in memory.
    dpi = kDpi;
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
    if (size.hasMatch()) {
        const double squareInches =
            size.captured(1).toDouble() / 72.0 * (size.captured(2).toDouble() / 72.0);
        if (squareInches > 0 && squareInches * dpi * dpi > double(maxPixels))
            dpi = std::max(1.0, std::floor(std::sqrt(double(maxPixels) / squareInches)));
    }
    const QString prefix = QDir(folder).filePath(QStringLiteral("pagina"));
    RunPdfTool(QStringLiteral("pdftoppm"),
               {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                QString::number(page), QStringLiteral("-l"), QString::number(page),
                QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix},
               pdf);
    return prefix + QStringLiteral(".png");
}
