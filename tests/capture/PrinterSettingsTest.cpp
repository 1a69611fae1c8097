#include "capture_model/CaptureScreenForm.h"
#include "common/SheetPixels.h"

#include "capture/CFmtcapturaFrm.h"
#include "capture/CFmtcaptureView.h"
#include "capture/PrinterDialogs.h"
#include "capture/PrinterSettings.h"
#include "capture/PrinterSetupDialog.h"
#include "platform/Profile.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>

#include <gtest/gtest.h>

// The printer's paper and the names a print to a file is offered under.
namespace {

void WriteSettings(const QString& name, const QString& paper, const QString& orientation) {
    Profile profile;
    profile.WriteString("Impresora", "Nombre", name);
    profile.WriteString("Impresora", "Papel", paper);
    profile.WriteString("Impresora", "Orientacion", orientation);
}

class PrinterSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        CaptureScreenForm form;
        form.Line(QStringLiteral("CLIENTE"), 1, 10, 10).dataType = DataTypeCode::Texto;
        m_format = form.Save(m_dir, "recibo.fmt");
        // Each dialog keeps the file it offered and prints to the next output named.
        PrinterDialogs::ReplacePrintDialog([this](QPrinter& printer, QWidget*) {
            m_offered << printer.outputFileName();
            m_papers << printer.pageLayout().pageSize().id();
            if (m_outputs.isEmpty())
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_outputs.takeFirst());
            return true;
        });
        PrinterDialogs::ReplacePreviewDialog(
            [this](QPrinter& printer, QWidget*, const PrinterDialogs::Painter&) {
                m_offered << printer.outputFileName();
                return false;
            });
    }
    void TearDown() override {
        PrinterDialogs::ReplacePrintDialog({});
        PrinterDialogs::ReplacePreviewDialog({});
        PrinterDialogs::ReplacePageSetupDialog({});
        WriteSettings(QString(), "Letter", "0");
    }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
    QString m_format;
    QStringList m_outputs;
    QStringList m_offered;
    QList<QPageSize::PageSizeId> m_papers;
};

} // namespace

TEST_F(PrinterSettingsTest, WithoutSettingsEverySheetIsLetter) {
    WriteSettings("impresora que ya no existe", "Papel de China", "7");
    const PrinterSettings read = PrinterSettings::Read(Profile());
    EXPECT_EQ(read.paper, QPageSize::Letter);
    EXPECT_EQ(read.orientation, QPageLayout::Portrait);

    CFmtcapturaFrm frame;
    frame.OpenFormat(m_format);
    EXPECT_EQ(frame.Printer().pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(frame.Printer().pageLayout().orientation(), QPageLayout::Portrait);
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        EXPECT_EQ(frame.Printer().outputFormat(), QPrinter::PdfFormat);
    else
        EXPECT_EQ(frame.Printer().printerName(), QPrinterInfo::defaultPrinterName());

    // The export and the calibration sheet go onto letter paper: 8.5 x 11 inches.
    ASSERT_TRUE(frame.ExportPdfTo(Path("hoja.pdf")));
    EXPECT_EQ(RenderPdf(Path("hoja.pdf"), 72).size(), QSize(612, 792));
    m_outputs = {Path("calibración.pdf")};
    ASSERT_TRUE(frame.PrintCalibrationSheet());
    EXPECT_EQ(m_papers, QList<QPageSize::PageSizeId>({QPageSize::Letter}));
    EXPECT_EQ(RenderPdf(Path("calibración.pdf"), 72).size(), QSize(612, 792));
}

TEST_F(PrinterSettingsTest, TheSetUpHoldsFromOneStartToTheNext) {
    PrinterDialogs::ReplacePageSetupDialog([](QPrinter& printer, QWidget*) {
        printer.setPageSize(QPageSize(QPageSize::Legal));
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    {
        CFmtcapturaFrm frame;
        ASSERT_TRUE(frame.SetUpPrinter());
    }
    Profile profile;
    EXPECT_EQ(profile.GetString("Impresora", "Papel"), "Legal");
    EXPECT_EQ(profile.GetInt("Impresora", "Orientacion", -1), 1);

    // A window of the next start finds the printer as it was set up.
    CFmtcapturaFrm next;
    EXPECT_EQ(next.Printer().pageLayout().pageSize().id(), QPageSize::Legal);
    EXPECT_EQ(next.Printer().pageLayout().orientation(), QPageLayout::Landscape);

    // The dialog opens on what is set and gives back what it shows.
    PrinterSetupDialog dialog(PrinterSettings::Of(next.Printer()));
    EXPECT_EQ(dialog.PaperBox()->currentText(), "Oficio (216 × 356 mm)");
    EXPECT_TRUE(dialog.LandscapeButton()->isChecked());
    dialog.PaperBox()->setCurrentIndex(dialog.PaperBox()->findText("Carta (216 × 279 mm)"));
    dialog.PortraitButton()->setChecked(true);
    const PrinterSettings chosen = dialog.Chosen();
    EXPECT_EQ(chosen.paper, QPageSize::Letter);
    EXPECT_EQ(chosen.orientation, QPageLayout::Portrait);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        EXPECT_FALSE(dialog.PrinterBox()->isEnabled());
        EXPECT_EQ(dialog.PrinterBox()->currentText(), "Ninguna: se imprime en un archivo PDF");
    }
}

TEST_F(PrinterSettingsTest, AFormatThatNamesItsPaperPrintsOnItUntilTheUserSetsThePageUp) {
    {
        QFile beside(m_format + QStringLiteral(".plenova"));
        ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
        beside.write(R"({"paper": {"size": "legal", "orientation": "landscape"}})");
    }
    CFmtcapturaFrm frame;
    frame.OpenFormat(m_format);
    EXPECT_EQ(frame.Printer().pageLayout().pageSize().id(), QPageSize::Legal);
    EXPECT_EQ(frame.Printer().pageLayout().orientation(), QPageLayout::Landscape);
    // The export goes onto the format's sheet, 14 x 8.5 inches lying down.
    ASSERT_TRUE(frame.ExportPdfTo(Path("oficio.pdf")));
    EXPECT_EQ(RenderPdf(Path("oficio.pdf"), 72).size(), QSize(1008, 612));

    // What the user sets up in this window holds over the format's paper.
    PrinterDialogs::ReplacePageSetupDialog([](QPrinter& printer, QWidget*) {
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        return true;
    });
    ASSERT_TRUE(frame.SetUpPrinter());
    EXPECT_EQ(frame.Printer().pageLayout().pageSize().id(), QPageSize::A4);
    // Opened again, the format's paper comes back.
    frame.OpenFormat(m_format);
    EXPECT_EQ(frame.Printer().pageLayout().pageSize().id(), QPageSize::Legal);
}

TEST_F(PrinterSettingsTest, APrintToAFileIsOfferedTheNameOfItsOwnJob) {
    CFmtcapturaFrm frame;
    frame.OpenFormat(m_format);
    qobject_cast<QLineEdit*>(frame.View()->EntryWidget(1174))->setText("ZAPATA");
    QString exportOffered;
    frame.SetPdfChooser([&exportOffered](const QString& offered) {
        exportOffered = offered;
        return QString();
    });

    // Each job is offered its own name beside the format, whatever the last one printed to.
    m_outputs = {Path("calibrada.pdf"), Path("otra.pdf")};
    ASSERT_TRUE(frame.PrintCalibrationSheet());
    ASSERT_TRUE(frame.PrintFormat());
    frame.PreviewFormat();
    frame.ExportPdf();
    EXPECT_EQ(m_offered, QStringList({Path("recibo-calibración.pdf"), Path("recibo-ZAPATA.pdf"),
                                      Path("recibo-ZAPATA.pdf")}));
    EXPECT_EQ(exportOffered, Path("recibo-ZAPATA.pdf"));
}
