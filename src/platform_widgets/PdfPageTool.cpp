#include "platform_widgets/PdfPageTool.h"

#include "platform/PlenovaError.h"

#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <limits>

#include <sys/prctl.h>

namespace {

QString NativeName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Waits for the tool without holding the window still: a page that is slow to draw shows a
// progress window after half a second, whose "Cancelar" stops the tool. False when the user
// cancelled or the tool ran out of time.
enum class Wait { Finished, Cancelled, TimedOut };

Wait WaitFor(QProcess& process, const QString& pdf) {
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QProgressDialog progress(
        QStringLiteral("Convirtiendo en imagen el PDF %1...").arg(NativeName(pdf)),
        QStringLiteral("Cancelar"), 0, 0);
    progress.setWindowTitle(QStringLiteral("Fondo de referencia"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(std::numeric_limits<int>::max());
    QTimer showing;
    showing.setSingleShot(true);
    QObject::connect(&showing, &QTimer::timeout, &progress, &QProgressDialog::show);
    showing.start(500);
    Wait outcome = Wait::Finished;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        outcome = Wait::TimedOut;
        loop.quit();
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
        outcome = Wait::Cancelled;
        loop.quit();
    });
    deadline.start(PdfPageTool::kTimeoutMs);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    return outcome;
}

// Runs one of the PDF tools and returns its standard output; a tool that is missing, too slow
// or fails, and one the user stopped, is told in a sentence.
QByteArray RunPdfTool(const QString& program, const QStringList& arguments, const QString& pdf) {
    QProcess process;
    // The tool ends with Plenova, even when Plenova is killed, rather than drawing on for no one.
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process.start(program, arguments);
    if (!process.waitForStarted())
        throw PlenovaError(
            QStringLiteral("No se puede leer el PDF %1: falta el programa %2 (paquete "
                           "poppler-utils). Use una imagen PNG, JPEG o BMP.")
                .arg(NativeName(pdf), program));
    const Wait outcome = WaitFor(process, pdf);
    if (outcome != Wait::Finished) {
        process.kill();
        process.waitForFinished();
        if (outcome == Wait::Cancelled)
            throw PlenovaError(
                QStringLiteral("Se canceló la conversión del PDF %1.").arg(NativeName(pdf)));
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
