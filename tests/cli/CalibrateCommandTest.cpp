#include "cli/CliRunner.h"
#include "common/SheetPixels.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString PdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

} // namespace

TEST(CalibrateCommandTest, SheetLandsShiftedByTheOffsetsInPictureAndPdfAlike) {
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("hoja.png"));
    const QString pdf = dir.filePath(QStringLiteral("hoja.pdf"));
    const QStringList offsets = {QStringLiteral("--facx"), QStringLiteral("37"),
                                 QStringLiteral("--facy"), QStringLiteral("-22")};
    const CliResult picture =
        RunCli(QStringList{QStringLiteral("calibrate"), QStringLiteral("-o"), png,
                           QStringLiteral("--dpi"), QStringLiteral("254")}
               << offsets);
    ASSERT_EQ(picture.exitCode, 0) << picture.Err().toStdString();
    const CliResult document =
        RunCli(QStringList{QStringLiteral("calibrate"), QStringLiteral("-o"), pdf} << offsets);
    ASSERT_EQ(document.exitCode, 0) << document.Err().toStdString();

    // Cross A, 30 mm from each edge, moved 3.7 mm left and 2.2 mm down; one pixel a tenth of a
    // millimetre, on letter paper.
    const QImage sheet(png);
    EXPECT_EQ(sheet.size(), QSize(2159, 2794));
    const QPointF fromPicture = FindCross(sheet, QPoint(263, 322), 130);
    EXPECT_NEAR(fromPicture.x(), 263, 1);
    EXPECT_NEAR(fromPicture.y(), 322, 1);
    const QPointF fromPdf = FindCross(RenderPdf(pdf, 254), QPoint(263, 322), 130);
    EXPECT_NEAR(fromPdf.x(), 263, 1);
    EXPECT_NEAR(fromPdf.y(), 322, 1);

    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Hoja de calibración"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("horizontal de 0.37 cm y vertical de -0.22 cm")))
        << text.toStdString();

    const CliResult extra = RunCli(
        {QStringLiteral("calibrate"), QStringLiteral("factura.fmt"), QStringLiteral("-o"), png});
    EXPECT_EQ(extra.exitCode, 1);
    EXPECT_TRUE(extra.Err().startsWith(QStringLiteral("plenova-cli: uso: plenova-cli calibrate")));
}
