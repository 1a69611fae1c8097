// "Nuevo desde plantilla..." and the designer's proofs, through the main window as a user
// reaches them.
#include "capture/PrinterDialogs.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "commands/CommandId.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/DesignDocument.h"
#include "model/Format.h"
#include "model/FormatFile.h"
#include "shell/CMainFrame.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The words of a PDF as pdftotext reads them, one blank between two.
QString PdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("(pdftotext failed)");
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

class DesignerTemplatesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CaptureControlTypes::RegisterAll(); }

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        frame.SetUnattended(true);
        frame.resize(1000, 700);
    }
    void TearDown() override { PrinterDialogs::ReplacePreviewDialog({}); }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // A receipt's fields: the payer, the amount (calculated), a mark and a table of two columns.
    QString Receipt() {
        Format format;
        format.description = QStringLiteral("Recibo");
        auto payer = CTextlineVar::Create(200, -300);
        payer->text = QStringLiteral("PAGADOR");
        auto amount = CTextlineVar::Create(200, -500);
        amount->text = QStringLiteral("IMPORTE");
        amount->expression = QStringLiteral("2*3");
        auto paid = CMarcaVar::Create(200, -700);
        paid->text = QStringLiteral("PAGADO");
        auto lines = CFmtGrid::Create(200, -900);
        lines->text = QStringLiteral("CONCEPTOS");
        lines->SetColumnCount(2);
        TableColumn what = lines->Columns()[0];
        what.title = QStringLiteral("Concepto");
        lines->SetColumn(0, what);
        TableColumn howMuch = lines->Columns()[1];
        howMuch.title = QStringLiteral("Monto");
        lines->SetColumn(1, howMuch);
        format.controls.push_back(std::move(payer));
        format.controls.push_back(std::move(amount));
        format.controls.push_back(std::move(paid));
        format.controls.push_back(std::move(lines));
        format.NumberCaptureOrders();
        const QString path = Path("recibo.fmt");
        FormatFile::Save(path, format, FormatSettings());
        return path;
    }

    QTemporaryDir dir;
    CMainFrame frame{QString()};
};

} // namespace

TEST_F(DesignerTemplatesTest, BothArchivoMenusOpenACopyOfTheChosenTemplate) {
    const QString path = Receipt();
    const QByteArray bytes = Contents(path);
    QString chosen;
    frame.SetTemplateChooser([&chosen] { return chosen; });

    // Cancelled, no window comes.
    frame.CommandAction(CommandId::NewFromTemplate)->trigger();
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());

    chosen = path;
    frame.CommandAction(CommandId::NewFromTemplate)->trigger();
    ASSERT_EQ(frame.MdiArea()->subWindowList().size(), 1);
    auto* first = qobject_cast<CFmtdesignFrm*>(frame.MdiArea()->subWindowList().front());
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Document().Path().isEmpty());
    // The same format a design window opening the file itself holds.
    DesignDocument opened;
    opened.Open(path);
    EXPECT_EQ(first->Document().Bytes(), opened.Bytes());

    first->CommandAction(CommandId::NewFromTemplate)->trigger();
    ASSERT_EQ(frame.MdiArea()->subWindowList().size(), 2);
    // A template that cannot be read leaves no window behind.
    chosen = Path("no-existe.fmt");
    first->CommandAction(CommandId::NewFromTemplate)->trigger();
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(Contents(path), bytes);
}

TEST_F(DesignerTemplatesTest, TheDesignersPreviewAndPdfShowEachFieldByNameAsItStands) {
    CFmtdesignFrm* design = frame.OpenForDesign(Receipt());
    ASSERT_NE(design, nullptr);
    // A change not saved yet is in the proof: the proof is of the format being designed.
    DesignDocument& doc = design->Document();
    doc.Select(doc.IndexOf(doc.Controls().front().get()));
    doc.SetNameOfSelected(QStringLiteral("ARRENDATARIO"));

    const QString pdf = Path("muestra.pdf");
    design->SetFileChooser([&pdf](CFmtdesignFrm::FormatDialog) { return pdf; });
    design->CommandAction(CommandId::DesignExportPdf)->trigger();
    const QString exported = PdfText(pdf);
    const QStringList words = exported.split(u' ');
    // The mark prints ticked, not its name.
    for (const char* word : {"ARRENDATARIO", "IMPORTE", "Concepto", "Monto", "X"})
        EXPECT_TRUE(words.contains(QString::fromLatin1(word)))
            << word << " in: " << exported.toStdString();
    for (const char* word : {"PAGADOR", "PAGADO", "CONCEPTOS"})
        EXPECT_FALSE(words.contains(QString::fromLatin1(word))) << word;

    const QString previewed = Path("vista.pdf");
    PrinterDialogs::ReplacePreviewDialog(
        [&previewed](QPrinter& printer, QWidget*, const PrinterDialogs::Painter& paint) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(previewed);
            paint(printer);
            return false;
        });
    design->CommandAction(CommandId::DesignPreview)->trigger();
    EXPECT_EQ(PdfText(previewed), exported);
    EXPECT_TRUE(doc.IsModified());
}
