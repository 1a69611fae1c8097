#include "capture_model/CaptureScreenForm.h"
#include "commands/CommandId.h"

#include "capture/CFmtcapturaFrm.h"
#include "capture/CFmtcaptureView.h"
#include "capture/PrinterDialogs.h"
#include "capture/PrinterSettings.h"
#include "platform/Profile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

// The window's printing is checked on the PDF the print dialog was told to write: the dialogs are
// replaced by code that answers them.
namespace {

struct WordBox {
    double left = -1; // millimetres from the sheet's left edge
    double top = -1;  // millimetres from the sheet's top edge
};

WordBox FindWord(const QString& pdf, const QString& word) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    const QRegularExpression re(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>%1</word>").arg(word));
    const auto match = re.match(QString::fromUtf8(process.readAllStandardOutput()));
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toDouble() * 25.4 / 72.0, match.captured(2).toDouble() * 25.4 / 72.0};
}

void SetOffsets(int facX, int facY) {
    Profile().WriteInt(QStringLiteral("Config"), QStringLiteral("FacX"), facX);
    Profile().WriteInt(QStringLiteral("Config"), QStringLiteral("FacY"), facY);
}

class CapturePrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        CaptureScreenForm form;
        form.Line(QStringLiteral("CLIENTE"), 1, 10, 10).dataType = DataTypeCode::Texto;
        m_frame.OpenFormat(form.Save(m_dir));
        // Each print goes to the next file named in m_outputs.
        PrinterDialogs::ReplacePrintDialog([this](QPrinter& printer, QWidget*) {
            m_docNames << printer.docName();
            m_orientations << printer.pageLayout().orientation();
            if (m_outputs.isEmpty())
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_outputs.takeFirst());
            return true;
        });
    }
    void TearDown() override {
        PrinterDialogs::ReplacePrintDialog({});
        PrinterDialogs::ReplacePageSetupDialog({});
        SetOffsets(0, 0);
        // The set-up is kept for the next start: the next case starts from none.
        Profile profile;
        PrinterSettings().Write(profile);
    }

    void Type(const QString& text) {
        auto* edit = qobject_cast<QLineEdit*>(m_frame.View()->EntryWidget(1174));
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, text);
    }

    QTemporaryDir m_dir;
    CFmtcapturaFrm m_frame;
    QStringList m_outputs;
    QStringList m_docNames;
    QList<QPageLayout::Orientation> m_orientations;
};

} // namespace

TEST_F(CapturePrintingTest, TypedValuePrintsShiftedByTheMarginOffsets) {
    Type(QStringLiteral("ZAPATA"));
    const QString plain = m_dir.filePath(QStringLiteral("plain.pdf"));
    const QString shifted = m_dir.filePath(QStringLiteral("shifted.pdf"));
    m_outputs = {plain, shifted};

    m_frame.CommandAction(CommandId::Print)->trigger();
    SetOffsets(50, -30);
    EXPECT_TRUE(m_frame.PrintFormat());
    EXPECT_EQ(m_docNames, QStringList({"Plenovixalia", "Plenovixalia"}));

    const WordBox before = FindWord(plain, QStringLiteral("ZAPATA"));
    const WordBox after = FindWord(shifted, QStringLiteral("ZAPATA"));
    ASSERT_GE(before.left, 0) << "the typed value is not in the printout";
    ASSERT_GE(after.left, 0);
    // The field's page position is 10 mm from the left edge of the sheet, the printer's margin
    // compensated; FacX 50 moves it 5 mm left and FacY -30 moves it 3 mm down.
    EXPECT_NEAR(before.left, 10, 0.5);
    EXPECT_NEAR(after.left - before.left, -5, 0.2);
    EXPECT_NEAR(after.top - before.top, 3, 0.2);
}

TEST_F(CapturePrintingTest, CancelledDialogPrintsNothingAndSetUpIsKept) {
    // The page set-up turns the sheet; the next print dialogs find the printer as it was left.
    int setUps = 0;
    PrinterDialogs::ReplacePageSetupDialog([&setUps](QPrinter& printer, QWidget*) {
        ++setUps;
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    m_frame.CommandAction(CommandId::PrintSetup)->trigger();
    EXPECT_EQ(setUps, 1);

    EXPECT_FALSE(m_frame.PrintFormat()); // no output named: the dialog is cancelled
    const QString pdf = m_dir.filePath(QStringLiteral("landscape.pdf"));
    m_outputs = {pdf};
    EXPECT_TRUE(m_frame.PrintFormat());
    EXPECT_EQ(m_orientations,
              QList<QPageLayout::Orientation>({QPageLayout::Landscape, QPageLayout::Landscape}));
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.pdf")}).size(), 1);
}

TEST_F(CapturePrintingTest, ABatchPrintsARowASheetAndLeavesTheWindowsValues) {
    Type(QStringLiteral("ZAPATA"));
    const QString csv = m_dir.filePath(QStringLiteral("lote.csv"));
    QFile data(csv);
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write("cliente\nMORELOS\nHIDALGO\n\"ALLENDE\"\n");
    data.close();
    QStringList told;
    m_frame.SetMessenger([&told](const QString& message) { told << message; });
    m_frame.SetFileChooser([&csv](CFmtcapturaFrm::CaptureDialog dialog, const QString&) {
        return dialog == CFmtcapturaFrm::CaptureDialog::Batch ? csv : QString();
    });
    const QString pdf = m_dir.filePath(QStringLiteral("lote.pdf"));
    m_outputs = {pdf};
    m_frame.CommandAction(CommandId::PrintBatch)->trigger();
    EXPECT_TRUE(told.isEmpty()) << told.join('\n').toStdString();
    for (const char* name : {"MORELOS", "HIDALGO", "ALLENDE"})
        EXPECT_GE(FindWord(pdf, QString::fromLatin1(name)).left, 0) << name;
    EXPECT_LT(FindWord(pdf, QStringLiteral("ZAPATA")).left, 0);
    EXPECT_EQ(qobject_cast<QLineEdit*>(m_frame.View()->EntryWidget(1174))->text(), "ZAPATA");

    // A row the format cannot take is told with its line, and no print dialog is shown.
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write("CLIENTE,IVA\nJUAREZ,5\n");
    data.close();
    EXPECT_FALSE(m_frame.PrintBatch());
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith(csv + ", línea 2: ")) << told[0].toStdString();
    EXPECT_EQ(m_docNames.size(), 1);
}
