#include "capture_model/CaptureScreenForm.h"
#include "commands/CommandId.h"
#include "common/SheetPixels.h"

#include "common/FileSizeLimit.h"

#include "capture/CFmtcapturaFrm.h"
#include "capture/CFmtcaptureView.h"
#include "capture/PrinterDialogs.h"
#include "capture_model/CalibrationPage.h"
#include "capture_model/CaptureDocument.h"
#include "model/CRectangulo.h"
#include "model/FormatPrinter.h"
#include "model/ReferenceBackdrop.h"
#include "platform/Profile.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

// The preview and the PDF export must show the sheet "Imprimir formato" prints, mark for mark:
// all three are written to PDF files and compared as pictures at 254 dpi.
namespace {

constexpr int kDpi = 254;

void SetOffsets(int facX, int facY) {
    Profile().WriteInt(QStringLiteral("Config"), QStringLiteral("FacX"), facX);
    Profile().WriteInt(QStringLiteral("Config"), QStringLiteral("FacY"), facY);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int DarkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

// The smallest rectangle that holds every dark pixel.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

class PreviewExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        CaptureScreenForm form;
        form.Line(QStringLiteral("CLIENTE"), 1, 10, 10).dataType = DataTypeCode::Texto;
        auto box = CRectangulo::Create(150, -150);
        form.format.controls.push_back(std::move(box));
        m_format = form.Save(m_dir);
        m_frame.OpenFormat(m_format);
        m_frame.SetMessenger([this](const QString& message) { m_messages << message; });
        PrinterDialogs::ReplacePrintDialog([this](QPrinter& printer, QWidget*) {
            if (m_printTo.isEmpty())
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_printTo);
            return true;
        });
        SetOffsets(50, -30);
    }
    void TearDown() override {
        PrinterDialogs::ReplacePrintDialog({});
        PrinterDialogs::ReplacePreviewDialog({});
        SetOffsets(0, 0);
    }

    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    QString m_format;
    CFmtcapturaFrm m_frame;
    QString m_printTo;
    QStringList m_messages;
};

} // namespace

TEST_F(PreviewExportTest, PreviewAndExportShowThePrintedSheetMarkForMark) {
    QTest::keyClicks(m_frame.View()->EntryWidget(1174), QStringLiteral("ZAPATA"));

    // The preview draws onto the window's own printer; here that printer writes a PDF.
    PrinterDialogs::ReplacePreviewDialog(
        [this](QPrinter& printer, QWidget*, const PrinterDialogs::Painter& paint) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(Path("preview.pdf"));
            paint(printer);
            return false;
        });
    m_frame.CommandAction(CommandId::Preview)->trigger();

    m_frame.SetPdfChooser([this](const QString&) { return Path("export.pdf"); });
    m_frame.CommandAction(CommandId::ExportPdf)->trigger();

    m_printTo = Path("printed.pdf");
    m_frame.CommandAction(CommandId::Print)->trigger();
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();

    const QImage printed = RenderPdf(Path("printed.pdf"), kDpi);
    ASSERT_FALSE(printed.isNull());
    // The typed value and the rectangle are both on the sheet.
    EXPECT_GT(DarkPixels(printed), 2000);
    for (const char* other : {"preview.pdf", "export.pdf"}) {
        const QImage image = RenderPdf(Path(other), kDpi);
        ASSERT_EQ(image.size(), printed.size()) << other;
        EXPECT_TRUE(image == printed) << other << " differs from the printed sheet";
    }

    // The offsets reach the export as they reach the print: without them the sheet moves.
    SetOffsets(0, 0);
    m_frame.SetPdfChooser([this](const QString&) { return Path("plain.pdf"); });
    ASSERT_TRUE(m_frame.ExportPdf());
    const QImage plain = RenderPdf(Path("plain.pdf"), kDpi);
    // FacX 50 had moved the whole sheet 5 mm left and FacY -30 3 mm down.
    const QRect shifted = InkBounds(printed);
    const QRect unshifted = InkBounds(plain);
    ASSERT_FALSE(unshifted.isEmpty());
    EXPECT_NEAR(shifted.left() - unshifted.left(), -50, 1);
    EXPECT_NEAR(shifted.right() - unshifted.right(), -50, 1);
    EXPECT_NEAR(shifted.top() - unshifted.top(), 30, 1);
    EXPECT_NEAR(shifted.bottom() - unshifted.bottom(), 30, 1);
}

TEST_F(PreviewExportTest, FailedOrCancelledExportLeavesTheOldFile) {
    const QString pdf = Path("old.pdf");
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the sheet printed yesterday");
    }
    m_frame.SetPdfChooser([](const QString&) { return QString(); });
    EXPECT_FALSE(m_frame.ExportPdf());
    EXPECT_TRUE(m_messages.isEmpty());

    {
        // A disk that fills up after a few bytes of the new PDF.
        const FileSizeLimit limit(200);
        EXPECT_FALSE(m_frame.ExportPdfTo(pdf));
    }
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.first().startsWith(pdf + ": ")) << m_messages.first().toStdString();
    EXPECT_EQ(Contents(pdf), "the sheet printed yesterday");
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.pdf*")}), QStringList({"old.pdf"}));
}

TEST_F(PreviewExportTest, CalibrationSheetIsShiftedByTheInstallationsOffsets) {
    m_printTo = Path("calibration.pdf");
    m_frame.CommandAction(CommandId::CalibrationSheet)->trigger();
    const QImage sheet = RenderPdf(m_printTo, kDpi);
    ASSERT_FALSE(sheet.isNull());
    // FacX 50 moves cross A 5 mm left, FacY -30 moves it 3 mm down.
    const QPointF a = FindCross(sheet, QPoint(250, 330), 130) / 10.0;
    EXPECT_NEAR(a.x(), 25, 0.1);
    EXPECT_NEAR(a.y(), 33, 0.1);
    const FormatPrinter::Offsets offsets =
        CalibrationPage::OffsetsFromMeasures(a.x(), a.y(), {50, -30});
    EXPECT_NEAR(offsets.facX, 0, 1);
    EXPECT_NEAR(offsets.facY, 0, 1);
}

TEST_F(PreviewExportTest, TheStationeryLiesUnderThePreviewAndNeverGoesOntoPaper) {
    // A grey square 10 mm wide lying on the sheet 40 mm from its left and top edges.
    QImage grey(100, 100, QImage::Format_RGB32);
    grey.fill(QColor(128, 128, 128));
    grey.setDotsPerMeterX(10000);
    grey.setDotsPerMeterY(10000);
    const QString picture = Path("hoja.png");
    ASSERT_TRUE(grey.save(picture));
    ReferenceBackdrop backdrop;
    backdrop.Load(picture);
    backdrop.SetPlacement(QRectF(400, -400, 100, 100));
    backdrop.SetOpacity(100);
    backdrop.SaveFor(m_format);

    // Laid over it, the stationery stays where it lies while the ink moves by the offsets.
    QPrinter over(QPrinter::HighResolution);
    over.setOutputFormat(QPrinter::PdfFormat);
    over.setOutputFileName(Path("over.pdf"));
    ReferenceBackdrop loaded;
    ASSERT_TRUE(loaded.LoadFor(m_format).isEmpty());
    ASSERT_TRUE(FormatPrinter::PrintOverBackdrop(over, m_frame.Document().Controls(),
                                                 FormatPrinter::Offsets{50, -30}, loaded));
    const QImage image = RenderPdf(Path("over.pdf"), kDpi);
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(qGray(image.pixel(450, 450)), 128, 8);
    EXPECT_EQ(qGray(image.pixel(390, 450)), 255);
    EXPECT_EQ(qGray(image.pixel(450, 510)), 255);

    // A print started from the preview goes to the printer itself: no stationery on it.
    PrinterDialogs::ReplacePreviewDialog(
        [this](QPrinter& printer, QWidget*, const PrinterDialogs::Painter& paint) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(Path("from-preview.pdf"));
            paint(printer);
            return true;
        });
    m_frame.CommandAction(CommandId::Preview)->trigger();
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
    const QImage printed = RenderPdf(Path("from-preview.pdf"), kDpi);
    ASSERT_FALSE(printed.isNull());
    EXPECT_EQ(qGray(printed.pixel(450, 450)), 255);
}
