#include "capture_model/CsvTable.h"
#include "capture_model/BatchError.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CsvTable Parse(const QByteArray& text) {
    return CsvTable::Parse(text, QStringLiteral("datos.csv"));
}

// The message of the BatchError that parsing text throws.
std::string Fault(const QByteArray& text) {
    try {
        CsvTable::Parse(text, QStringLiteral("datos.csv"));
    } catch (const BatchError& e) {
        return e.Message().toStdString();
    }
    return "(no fault)";
}

} // namespace

TEST(CsvTableTest, ReadsWhatSpreadsheetsWrite) {
    // A byte-order mark, a table cell named with the separator in its brackets, CR LF line ends,
    // a quoted value with the separator, a doubled quote and a line break, an empty value, a
    // blank line and no line end after the last row.
    const CsvTable table = Parse("\xEF\xBB\xBF"
                                 " FOLIO ,CLIENTE,PARTIDAS[1,2]\r\n"
                                 "A-1,\"Papelería \"\"La Pluma\"\", S.A.\",\"Resma\r\nbond\"\r\n"
                                 "\r\n"
                                 "A-2,,Engrapadora");
    EXPECT_EQ(table.Header(), QStringList({"FOLIO", "CLIENTE", "PARTIDAS[1,2]"}));
    ASSERT_EQ(table.RowCount(), 2u);
    EXPECT_EQ(table.RowAt(0).line, 2);
    EXPECT_EQ(table.RowAt(0).values,
              QStringList({"A-1", "Papelería \"La Pluma\", S.A.", "Resma\r\nbond"}));
    // The quoted line break counts: the second row starts on line 5.
    EXPECT_EQ(table.RowAt(1).line, 5);
    EXPECT_EQ(table.RowAt(1).values, QStringList({"A-2", "", "Engrapadora"}));

    // A first line with semicolons and no commas is read with semicolons.
    const CsvTable semicolons = Parse("FOLIO;TOTAL\nA-3;1,5\n");
    EXPECT_EQ(semicolons.Separator(), QLatin1Char(';'));
    EXPECT_EQ(semicolons.RowAt(0).values, QStringList({"A-3", "1,5"}));
}

TEST(CsvTableTest, FaultsNameTheLine) {
    EXPECT_EQ(Fault("FOLIO,TOTAL\nA-1,10\nA-2\n"),
              "datos.csv, línea 3: tiene 1 valores y el encabezado nombra 2 columnas");
    EXPECT_EQ(Fault("FOLIO,TOTAL\nA-1,\"10\n\nA-2,5\n"),
              "datos.csv, línea 2: las comillas abiertas aquí no se cierran");
    EXPECT_EQ(Fault("FOLIO,TOTAL\n\"A-1\"x,10\n").substr(0, 48),
              "datos.csv, línea 2: después de cerrar comillas");
    EXPECT_EQ(Fault("FOLIO,folio\n"), "datos.csv, línea 1: la columna «folio» aparece dos veces");
    EXPECT_EQ(Fault("FOLIO,,TOTAL\n"), "datos.csv, línea 1: una columna del encabezado no tiene "
                                       "nombre");
    EXPECT_EQ(Fault("FOLIO\nA-1\nA-\xE9\n"),
              "datos.csv, línea 3: el texto no está en UTF-8; guárdelo como «CSV UTF-8»");
    EXPECT_EQ(Fault("\n\n"), "datos.csv: está vacío; la primera línea debe nombrar los campos");
    // A line of separators is refused as soon as it outgrows the header, not once it is held.
    EXPECT_EQ(Fault("FOLIO,TOTAL\nA-1," + QByteArray(1 << 20, ',') + "\n"),
              "datos.csv, línea 2: tiene más valores que las 2 columnas que nombra el encabezado");
    EXPECT_EQ(Fault("FOLIO,TOTAL\r\n\r\n"),
              "datos.csv: tiene el encabezado y ningún renglón de datos; no hay nada que llenar");
}

TEST(CsvTableTest, OldMacLineEndsAndWideHeadersAreRead) {
    const CsvTable mac = Parse("FOLIO,TOTAL\rA-1,10\rA-2,20\r");
    ASSERT_EQ(mac.RowCount(), 2u);
    EXPECT_EQ(mac.RowAt(1).line, 3);
    EXPECT_EQ(mac.RowAt(1).values, QStringList({"A-2", "20"}));

    // 200,000 columns: every pair compared would not finish within the test's time.
    QByteArray header;
    QByteArray row;
    for (int i = 0; i < 200000; ++i) {
        header += "C" + QByteArray::number(i) + ',';
        row += "1,";
    }
    EXPECT_EQ(Parse(header + "FIN\n" + row + "2\n").Header().size(), 200001);
    EXPECT_EQ(Fault(header + "c7\n" + row + "2\n"),
              "datos.csv, línea 1: la columna «c7» aparece dos veces");
}

TEST(CsvTableTest, AFileThatIsNotThereOrTooLargeIsRefused) {
    QTemporaryDir dir;
    EXPECT_THROW(CsvTable::Read(dir.filePath("no-existe.csv")), BatchError);
    // A folder is no data file.
    EXPECT_THROW(CsvTable::Read(dir.path()), BatchError);
}
