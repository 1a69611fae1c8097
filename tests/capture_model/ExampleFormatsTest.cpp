#include "ExampleFormats.h"
#include "SampleValues.h"

#include "capture_model/CFmtGrid.h"
#include "capture_model/CTableData.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "model/FormatFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString ValueOf(const ControlList& controls, const char* name) {
    const auto* line =
        dynamic_cast<const CTextlineVar*>(SampleValues::Find(controls, QString::fromUtf8(name)));
    return line ? line->Value() : QStringLiteral("(no field)");
}

const QLocale kMexico(QLocale::Spanish, QLocale::Mexico);

} // namespace

// The committed examples are what the generator writes today, byte for byte, and they read back
// with every field where it was made.
TEST(ExampleFormatsTest, CommittedFilesAreWhatTheGeneratorWrites) {
    CaptureControlTypes::RegisterAll();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ExampleFormats::WriteAll(folder.path());
    for (const char* name : {"factura.fmt", "cheque.fmt"}) {
        SCOPED_TRACE(name);
        const QByteArray made = FileBytes(QDir(folder.path()).filePath(QString::fromUtf8(name)));
        ASSERT_FALSE(made.isEmpty());
        EXPECT_EQ(made, FileBytes(QStringLiteral(PLENOVA_SOURCE_DIR "/examples/") +
                                  QString::fromUtf8(name)))
            << "run plenova-examples examples/ and commit the files";

        Format format;
        FormatSettings settings;
        EXPECT_TRUE(FormatFile::Load(QDir(folder.path()).filePath(QString::fromUtf8(name)), format,
                                     settings)
                        .isEmpty());
    }
}

TEST(ExampleFormatsTest, FilledExamplesComputeTotalsAndWords) {
    ExampleFormat invoice = ExampleFormats::Factura();
    ControlList& controls = invoice.format.controls;
    EXPECT_TRUE(invoice.settings.calculatedReadOnly);
    SampleValues::FillFactura(controls, invoice.settings, kMexico);

    const auto* lines =
        dynamic_cast<const CFmtGrid*>(SampleValues::Find(controls, QStringLiteral("PARTIDAS")));
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->Cells().CellValue(4, 1), 300);
    EXPECT_EQ(lines->Cells().CellValue(4, 2), 99.5);
    EXPECT_EQ(ValueOf(controls, "SUBTOTAL"), "$399.50");
    EXPECT_EQ(ValueOf(controls, "IVA"), "$63.92");
    EXPECT_EQ(ValueOf(controls, "TOTAL"), "$463.42");
    EXPECT_EQ(ValueOf(controls, "CON LETRA"), "CUATROCIENTOS  SESENTA Y TRES PESOS 42/100 M.N.");

    ExampleFormat cheque = ExampleFormats::Cheque();
    SampleValues::FillCheque(cheque.format.controls, cheque.settings, kMexico);
    EXPECT_EQ(ValueOf(cheque.format.controls, "IMPORTE"), "$1,250.50");
    EXPECT_EQ(ValueOf(cheque.format.controls, "CON LETRA"),
              "UN MIL DOSCIENTOS CINCUENTA PESOS 50/100 M.N.");
}
