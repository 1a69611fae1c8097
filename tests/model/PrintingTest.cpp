#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CRectangulo.h"
#include "model/FormatPrinter.h"
#include "platform/Profile.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Printouts are checked on real output: the PDF is rasterised at 254 dpi, where one pixel is one
// page unit, and its text positions are read back from the PDF itself.
namespace {

bool RunProgram(const QString& program, const QStringList& args, QByteArray* output = nullptr) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000))
        return false;
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QImage Rasterise(const QString& pdf, const QString& dir) {
    const QString stem = dir + QStringLiteral("/page");
    if (!RunProgram(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                     QStringLiteral("-singlefile"), pdf, stem}))
        return QImage();
    return QImage(stem + QStringLiteral(".png"));
}

bool Dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The first dark column in a row, scanning from the left.
int FirstDarkColumn(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x) {
        if (Dark(image, x, y))
            return x;
    }
    return -1;
}

int FirstDarkRow(const QImage& image, int x) {
    for (int y = 0; y < image.height(); ++y) {
        if (Dark(image, x, y))
            return y;
    }
    return -1;
}

// xMin and xMax of a word in millimetres from the left edge of the sheet.
std::pair<double, double> WordSpanMillimetres(const QString& pdf, const QString& word) {
    QByteArray html;
    if (!RunProgram(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &html))
        return {-1, -1};
    const QRegularExpression re(
        QStringLiteral(
            "<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"[^>]*>%1</word>")
            .arg(word));
    const auto match = re.match(QString::fromUtf8(html));
    if (!match.hasMatch())
        return {-1, -1};
    return {match.captured(1).toDouble() * 25.4 / 72.0, match.captured(2).toDouble() * 25.4 / 72.0};
}

// xMin of a word in millimetres from the left edge of the sheet, as pdftotext reads it.
double WordLeftMillimetres(const QString& pdf, const QString& word) {
    QByteArray html;
    if (!RunProgram(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &html))
        return -1;
    const QRegularExpression re(
        QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>%1</word>").arg(word));
    const auto match = re.match(QString::fromUtf8(html));
    return match.hasMatch() ? match.captured(1).toDouble() * 25.4 / 72.0 : -1;
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        // A frame whose left edge is at 2 cm and whose upper edge is 10 cm down, and a text.
        auto frame = CRectangulo::Create(200, -1000);
        m_format.controls.push_back(std::move(frame));
        auto text = CConsText::Create(500, -1500, QStringLiteral("MARCA"));
        text->font.height = -60;
        text->FitHeightToFont();
        m_format.controls.push_back(std::move(text));
        m_format.controls.push_back(CEtiqueta::Create(1200, -200, QStringLiteral("NOIMPRIME")));
    }

    // A PDF of one sheet with no printer margin, as a script's printout is made.
    QString Render(const QString& name, FormatPrinter::Offsets offsets,
                   QPageSize::PageSizeId paper = QPageSize::Letter) {
        const QString pdf = m_dir.filePath(name);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(1200);
        printer.setPageLayout(
            QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        return FormatPrinter::PrintToPrinter(printer, m_format.controls, offsets) ? pdf : QString();
    }

    QTemporaryDir m_dir;
    Format m_format;
};

} // namespace

TEST_F(PrintingTest, MarksLandWhereThePageSaysWithoutOffsets) {
    const QString pdf = Render(QStringLiteral("plain.pdf"), FormatPrinter::Offsets{0, 0});
    ASSERT_FALSE(pdf.isEmpty());
    const QImage page = Rasterise(pdf, m_dir.path());
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.width(), 2159);                    // letter, 215.9 mm
    EXPECT_NEAR(FirstDarkColumn(page, 1300), 199, 1); // frame's left side at 2 cm, 0.2 mm pen
    EXPECT_NEAR(FirstDarkRow(page, 500), 999, 1);     // frame's top at 10 cm
    EXPECT_NEAR(WordLeftMillimetres(pdf, QStringLiteral("MARCA")), 50.2, 0.8);
    EXPECT_LT(WordLeftMillimetres(pdf, QStringLiteral("NOIMPRIME")), 0); // labels never print
}

TEST_F(PrintingTest, ConstantTextPrintsNarrowedToNinetySixPercent) {
    const QString pdf = Render(QStringLiteral("narrow.pdf"), FormatPrinter::Offsets{0, 0});
    ASSERT_FALSE(pdf.isEmpty());
    const auto [left, right] = WordSpanMillimetres(pdf, QStringLiteral("MARCA"));
    ASSERT_GT(right, left);
    QFont natural(QStringLiteral("Arial"));
    natural.setPixelSize(600); // the 6 mm font in hundredths of a millimetre
    natural.setKerning(false);
    const double naturalMillimetres =
        QFontMetricsF(natural).horizontalAdvance(QStringLiteral("MARCA")) / 100;
    EXPECT_NEAR((right - left) / naturalMillimetres, 0.96, 0.015);
}

TEST_F(PrintingTest, MarginOffsetsShiftTheWholePrintout) {
    const QString pdf = Render(QStringLiteral("shifted.pdf"), FormatPrinter::Offsets{50, -30});
    ASSERT_FALSE(pdf.isEmpty());
    const QImage page = Rasterise(pdf, m_dir.path());
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(FirstDarkColumn(page, 1300), 149, 1); // 2 cm less 5 mm
    EXPECT_NEAR(FirstDarkRow(page, 500), 1029, 1);    // 10 cm plus 3 mm
    EXPECT_NEAR(WordLeftMillimetres(pdf, QStringLiteral("MARCA")), 45.2, 0.8);
}

TEST_F(PrintingTest, OffsetsComeFromTheSettings) {
    EXPECT_EQ(FormatPrinter::Offsets::FromSettings().facX, 0);
    Profile().WriteInt(QStringLiteral("Config"), QStringLiteral("FacX"), -100);
    Profile().WriteInt(QStringLiteral("Config"), QStringLiteral("FacY"), 20);
    const FormatPrinter::Offsets offsets = FormatPrinter::Offsets::FromSettings();
    Profile().WriteInt(QStringLiteral("Config"), QStringLiteral("FacX"), 0);
    Profile().WriteInt(QStringLiteral("Config"), QStringLiteral("FacY"), 0);
    EXPECT_EQ(offsets.facX, -100);
    EXPECT_EQ(offsets.facY, 20);
    const QString pdf = Render(QStringLiteral("settings.pdf"), offsets, QPageSize::A4);
    ASSERT_FALSE(pdf.isEmpty());
    const QImage page = Rasterise(pdf, m_dir.path());
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.width(), 2100);
    EXPECT_NEAR(FirstDarkColumn(page, 1300), 299, 1);
}

TEST_F(PrintingTest, PrinterMarginIsCompensated) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = m_dir.filePath(QStringLiteral("margin.pdf"));
    printer.setOutputFileName(pdf);
    printer.setFullPage(false);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(4, 6, 4, 6), QPageLayout::Millimeter));
    ASSERT_TRUE(
        FormatPrinter::PrintToPrinter(printer, m_format.controls, FormatPrinter::Offsets{}));
    const QImage page = Rasterise(pdf, m_dir.path());
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(FirstDarkColumn(page, 1300), 199, 1);
    EXPECT_NEAR(FirstDarkRow(page, 500), 999, 1);
}

TEST_F(PrintingTest, PictureOfASheetWithOnlyLabelsIsBlank) {
    Format labels;
    labels.controls.push_back(CEtiqueta::Create(100, -100, QStringLiteral("Solo en pantalla")));
    const QImage sheet = FormatPrinter::PrintToImage(labels.controls, QSizeF(100, 50), 254, {});
    ASSERT_EQ(sheet.size(), QSize(1000, 500));
    bool blank = true;
    for (int y = 0; y < sheet.height() && blank; ++y)
        for (int x = 0; x < sheet.width() && blank; ++x)
            blank = sheet.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_TRUE(blank);

    const QImage frame = FormatPrinter::PrintToImage(m_format.controls, QSizeF(215.9, 279.4), 254,
                                                     FormatPrinter::Offsets{50, 0});
    EXPECT_NEAR(FirstDarkColumn(frame, 1300), 149, 1);
}
