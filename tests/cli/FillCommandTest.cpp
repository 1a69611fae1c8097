#include "cli/CliRunner.h"

#include "common/FileContents.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kFactura = QStringLiteral(PLENOVA_SOURCE_DIR "/examples/factura.fmt");
const QString kCheque = QStringLiteral(PLENOVA_SOURCE_DIR "/examples/cheque.fmt");

// The invoice's amounts carry the peso sign of Mexico's locale.
CliResult Fill(const QStringList& args) {
    return CliRunner().WithLocale(QStringLiteral("es_MX.UTF-8")).Run(QStringList{"fill"} + args);
}

QStringList Sets(const QStringList& assignments) {
    QStringList args;
    for (const QString& assignment : assignments)
        args << "--set" << assignment;
    return args;
}

// The --values answer, by field name.
QJsonObject Field(const QJsonArray& values, const QString& name) {
    for (const QJsonValue& value : values) {
        if (value.toObject()["name"].toString() == name)
            return value.toObject();
    }
    return {};
}

QString Text(const QJsonArray& values, const QString& name) {
    return Field(values, name)["text"].toString();
}

QJsonArray Values(const CliResult& r) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(r.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    return document.array();
}

// Where pdftotext finds a word on the sheet, in points from the left edge; -1 when it is absent.
double WordLeft(const QString& pdf, const QString& word) {
    QProcess process;
    process.start("pdftotext", {"-bbox", pdf, "-"});
    process.waitForFinished(60000);
    const QRegularExpression re(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>%1</word>")
                                    .arg(QRegularExpression::escape(word)));
    const auto match = re.match(QString::fromUtf8(process.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

const QStringList kTwoLines = {"PARTIDAS[1,1]=2",           "PARTIDAS[1,2]=Resma de papel bond",
                               "PARTIDAS[1,3]=150",         "PARTIDAS[2,1]=1",
                               "PARTIDAS[2,2]=Engrapadora", "PARTIDAS[2,3]=99.50"};

} // namespace

TEST(FillCommandTest, FillsTheInvoiceAsItsCaptureScreenDoes) {
    const CliResult r =
        Fill(QStringList{kFactura, "--values"} + Sets(kTwoLines) +
             Sets({"folio=a-17", "RFC=xaxx010101000abc", "FECHA=2026-12-08", "TRANSFERENCIA=1",
                   "EFECTIVO=0", "DOMICILIO=Hidalgo 12\nCentro"}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    const QJsonArray values = Values(r);

    // The capture fields only, in the window's list order, each with its type and order.
    QStringList names;
    for (const QJsonValue& value : values)
        names << value.toObject()["name"].toString() + "/" +
                     QString::number(value.toObject()["type"].toInt()) + "/" +
                     QString::number(value.toObject()["captureOrder"].toInt());
    EXPECT_EQ(names.join(' '), "FOLIO/0/1 FECHA/11/2 CLIENTE/0/3 DOMICILIO/1/4 RFC/2/5 "
                               "PARTIDAS/4/6 EFECTIVO/3/7 CHEQUE/3/8 TRANSFERENCIA/3/9 "
                               "SUBTOTAL/0/10 IVA/0/11 TOTAL/0/12 CON LETRA/0/13");
    EXPECT_LT(r.out.indexOf("\"captureOrder\": 1"), r.out.indexOf("\"text\": \"A-17\""));

    // What each entry widget took: capitals, as many characters as there are boxes.
    EXPECT_EQ(Text(values, "FOLIO"), "A-17");
    EXPECT_EQ(Text(values, "RFC"), "XAXX010101000");
    EXPECT_EQ(Text(values, "DOMICILIO"), "Hidalgo 12\nCentro");
    EXPECT_EQ(Field(values, "FECHA")["date"].toString(), "2026-12-08");
    EXPECT_TRUE(Field(values, "TRANSFERENCIA")["checked"].toBool());
    EXPECT_FALSE(Field(values, "EFECTIVO")["checked"].toBool());

    // The cells as the grid shows them, the amounts computed by the row, the totals below.
    const QJsonArray cells = Field(values, "PARTIDAS")["cells"].toArray();
    ASSERT_EQ(cells.size(), 10);
    EXPECT_EQ(cells[0].toArray(),
              (QJsonArray{"2.00", "Resma de papel bond", "$150.00", "$300.00"}));
    EXPECT_EQ(cells[1].toArray(), (QJsonArray{"1.00", "Engrapadora", "$99.50", "$99.50"}));
    EXPECT_EQ(cells[2].toArray(), (QJsonArray{"", "", "", ""}));
    EXPECT_EQ(Text(values, "SUBTOTAL"), "$399.50");
    EXPECT_EQ(Text(values, "IVA"), "$63.92");
    EXPECT_EQ(Text(values, "TOTAL"), "$463.42");
    EXPECT_EQ(Text(values, "CON LETRA"), "CUATROCIENTOS  SESENTA Y TRES PESOS 42/100 M.N.");
}

TEST(FillCommandTest, ValuesAreTypedInTheOrderGivenAndLeavingAFieldRecomputes) {
    // A calculated field typed over and left recomputes the fields that name it ...
    const QJsonArray typedLast =
        Values(Fill({kFactura, "--values", "--set", "PARTIDAS[1,1]=1", "--set", "PARTIDAS[1,3]=10",
                     "--set", "SUBTOTAL=100"}));
    EXPECT_EQ(Text(typedLast, "SUBTOTAL"), "$100.00");
    EXPECT_EQ(Text(typedLast, "IVA"), "$16.00");
    EXPECT_EQ(Text(typedLast, "TOTAL"), "$116.00");
    EXPECT_EQ(Text(typedLast, "CON LETRA"), "CIENTO  DIECISEIS PESOS 00/100 M.N.");
    // ... until a cell of the table it totals changes after it.
    const QJsonArray tableLast =
        Values(Fill({kFactura, "--values", "--set", "SUBTOTAL=100", "--set", "PARTIDAS[1,1]=1",
                     "--set", "PARTIDAS[1,3]=10"}));
    EXPECT_EQ(Text(tableLast, "SUBTOTAL"), "$10.00");
    EXPECT_EQ(Text(tableLast, "TOTAL"), "$11.60");
}

TEST(FillCommandTest, SavedValuesLoadBackAndTakeFurtherEntries) {
    QTemporaryDir dir;
    const QString cap = dir.filePath("venta.cap");
    const CliResult saved = Fill(QStringList{kFactura, "--values", "--save-cap", cap} +
                                 Sets(kTwoLines) + Sets({"FOLIO=A-17", "FECHA=2026-12-08"}));
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    const CliResult loaded = Fill({kFactura, "--cap", cap, "--values"});
    ASSERT_EQ(loaded.exitCode, 0) << loaded.err.toStdString();
    // Every value comes back as it was saved. The table's cells go into its store as the file
    // holds them, so the typed rows come back whole (empty number cells are the store's own).
    const QJsonArray before = Values(saved);
    const QJsonArray after = Values(loaded);
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const QJsonObject field = before[i].toObject();
        SCOPED_TRACE(field["name"].toString().toStdString());
        if (field.contains("cells")) {
            const QJsonArray rows = after[i].toObject()["cells"].toArray();
            EXPECT_EQ(rows[0], field["cells"].toArray()[0]);
            EXPECT_EQ(rows[1], field["cells"].toArray()[1]);
        } else {
            EXPECT_EQ(after[i].toObject(), field);
        }
    }

    // The file loads first, so that what is typed afterwards adds to it.
    const QJsonArray more = Values(Fill({kFactura, "--cap", cap, "--values", "--set",
                                         "PARTIDAS[3,1]=1", "--set", "PARTIDAS[3,3]=100.50"}));
    EXPECT_EQ(Text(more, "FOLIO"), "A-17");
    EXPECT_EQ(Text(more, "SUBTOTAL"), "$500.00");
    EXPECT_EQ(Text(more, "TOTAL"), "$580.00");
}

TEST(FillCommandTest, PrintsTheFilledSheetShiftedByTheMarginOffsets) {
    QTemporaryDir dir;
    const QString still = dir.filePath("quieta.pdf");
    const QString moved = dir.filePath("movida.pdf");
    const QString picture = dir.filePath("hoja.png");
    const QStringList values = Sets(kTwoLines) + Sets({"FOLIO=A-17"});
    ASSERT_EQ(Fill(QStringList{kFactura, "-o", still, "--facx", "0"} + values).exitCode, 0);
    ASSERT_EQ(Fill(QStringList{kFactura, "-o", moved, "--facx", "100"} + values).exitCode, 0);
    ASSERT_EQ(Fill(QStringList{kFactura, "-o", picture, "--paper", "100x50"} + values).exitCode, 0);

    const double left = WordLeft(still, "A-17");
    ASSERT_GT(left, 0);
    // 100 tenths of a millimetre to the left are 28.35 points.
    EXPECT_NEAR(WordLeft(moved, "A-17"), left - 100 / 254.0 * 72, 0.05);
    EXPECT_GT(WordLeft(still, "$463.42"), 0);
    EXPECT_EQ(QImage(picture).size(), QSize(1000, 500));
}

TEST(FillCommandTest, RefusesWhatTheScreenCannotTakeWithOneLineAndNoFiles) {
    QTemporaryDir dir;
    const QString chequeCap = dir.filePath("cheque.cap");
    ASSERT_EQ(Fill({kCheque, "--save-cap", chequeCap}).exitCode, 0);
    const QString facturaCap = dir.filePath("factura.cap");
    ASSERT_EQ(Fill(QStringList{kFactura, "--save-cap", facturaCap} + Sets(kTwoLines)).exitCode, 0);
    QFile whole(facturaCap);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString cut = dir.filePath("cortado.cap");
    QFile part(cut);
    ASSERT_TRUE(part.open(QIODevice::WriteOnly));
    part.write(bytes.left(bytes.size() - 3));
    part.close();

    const QString pdf = dir.filePath("no.pdf");
    const QString cap = dir.filePath("no.cap");
    const QList<QStringList> refused = {{"--set", "DESCUENTO=5"},
                                        {"--set", "FECHA=08/12/2026"},
                                        {"--set", "FECHA=2026-02-30"},
                                        {"--set", "EFECTIVO=2"},
                                        {"--set", "PARTIDAS[11,1]=1"},
                                        {"--set", "PARTIDAS[1,5]=1"},
                                        {"--set", "PARTIDAS[1,4]=300"},
                                        {"--set", "PARTIDAS=3"},
                                        {"--set", "FOLIO[1,1]=3"},
                                        {"--set", "FOLIO"},
                                        {"--cap", cut},
                                        {"--cap", chequeCap},
                                        {"--cap", dir.filePath("ninguno.cap")}};
    for (const QStringList& args : refused) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliResult r = Fill(QStringList{kFactura, "-o", pdf, "--save-cap", cap} + args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.startsWith("plenova-cli: ")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(cap));
    // A file of another format is named, with the window's own sentence.
    EXPECT_EQ(Fill({kFactura, "--cap", chequeCap}).Err(),
              "plenova-cli: " + chequeCap +
                  ": El archivo seleccionado es del tipo cheque.fmt y no del formato factura.fmt "
                  "actual\n");

    // A name with control characters in it reaches the terminal escaped, where the terminal
    // would otherwise obey them (here: retitle its window), and a hidden NUL shows.
    QFile cheque(chequeCap);
    ASSERT_TRUE(cheque.open(QIODevice::ReadOnly));
    const QByteArray chequeBytes = cheque.readAll();
    ASSERT_EQ(chequeBytes.left(11), QByteArray("\x0A"
                                               "cheque.fmt"));
    const QString hostile = dir.filePath("hostil.cap");
    QFile out(hostile);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray("\x12"
                         "factura.fmt\x1B]0;x\x07\x00",
                         19) +
              chequeBytes.mid(11));
    out.close();
    const CliResult r = Fill({kFactura, "--cap", hostile});
    EXPECT_FALSE(r.err.contains('\x1B')) << r.err.toStdString();
    EXPECT_TRUE(r.Err().contains("del tipo factura.fmt\\x1B]0;x\\x07\\x00 y no del formato"))
        << r.err.toStdString();
}

TEST(FillCommandTest, NumbersThatDoNotReadAreRefusedByNameAndNothingIsWritten) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("cheque.pdf");
    const QString cap = dir.filePath("cheque.cap");
    const QString takes =
        QStringLiteral("«IMPORTE» es un importe: toma una cantidad como 1234.50 o $1,234.50, ");
    for (const QString& value : {QStringLiteral("8500,50"), QStringLiteral("8 500"),
                                 QStringLiteral("ocho mil"), QStringLiteral("12abc")}) {
        SCOPED_TRACE(value.toStdString());
        const CliResult r =
            Fill({kCheque, "-o", pdf, "--save-cap", cap, "--set", "IMPORTE=" + value, "--values"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.Err(), "plenova-cli: " + takes + "no «" + value + "»\n");
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(cap));
    // The locale named decides what reads: a comma is its decimal separator.
    const CliResult german =
        Fill({kCheque, "--locale", "de_DE", "--set", "IMPORTE=8,500.50", "--values"});
    EXPECT_TRUE(german.Err().startsWith(
        "plenova-cli: «IMPORTE» es un importe: toma una cantidad como 1234,50 o "))
        << german.Err().toStdString();
    // An empty value leaves the field empty, and a grouped amount reads.
    const CliResult fine =
        Fill({kCheque, "--set", "IMPORTE=", "--set", "IMPORTE=8,500.50", "--values"});
    ASSERT_EQ(fine.exitCode, 0) << fine.Err().toStdString();
    EXPECT_EQ(Text(Values(fine), "IMPORTE"), "$8,500.50");

    // A calculated field, whose value set stands until what it names changes; a table's
    // number column; every cell of a batch, with the line.
    EXPECT_EQ(Fill({kFactura, "--set", "SUBTOTAL=12abc"}).exitCode, 1);
    EXPECT_EQ(Fill({kFactura, "--set", "PARTIDAS[2,1]=1 1/2"}).Err(),
              "plenova-cli: «PARTIDAS[2,1]» es un número: toma un número como 1234.5, no "
              "«1 1/2»\n");
    const QString csv = dir.filePath("cheques.csv");
    QFile rows(csv);
    ASSERT_TRUE(rows.open(QIODevice::WriteOnly));
    rows.write("PAGUESE A,IMPORTE\nAna,100\nLuis,ocho mil\n");
    rows.close();
    EXPECT_EQ(Fill({kCheque, "--csv", csv, "-o", pdf}).Err(),
              "plenova-cli: " + csv + ", línea 3: " + takes + "no «ocho mil»\n");
    EXPECT_FALSE(QFile::exists(pdf));

    // A captured-data file written by a script is loaded as it is, and its words told of.
    QFile script(cap);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QByteArray("\x0a"
                            "cheque.fmt") +
                 QByteArray::fromHex("03000000") +
                 QByteArray("\x08"
                            "ocho mil"));
    script.close();
    const CliResult loaded = Fill({kCheque, "--cap", cap, "--values"});
    EXPECT_EQ(loaded.exitCode, 0);
    EXPECT_EQ(loaded.Err(),
              cap + ": «IMPORTE» tiene «ocho mil», que no es un número: se toma como 0\n");
    EXPECT_EQ(Text(Values(loaded), "IMPORTE"), "ocho mil");
}

TEST(FillCommandTest, TheWordsSayTheCentsTheAmountShows) {
    const QList<QStringList> cases = {{"1.005", "$1.01", "UN PESOS 01/100 M.N."},
                                      {"2.675", "$2.68", "DOS PESOS 68/100 M.N."},
                                      {"0.125", "$0.13", "Cero PESOS 13/100 M.N."},
                                      {"15.07", "$15.07", "QUINCE PESOS 07/100 M.N."}};
    for (const QStringList& c : cases) {
        SCOPED_TRACE(c[0].toStdString());
        const CliResult r = Fill({kCheque, "--set", "IMPORTE=" + c[0], "--values"});
        ASSERT_EQ(r.exitCode, 0) << r.Err().toStdString();
        const QJsonArray values = Values(r);
        EXPECT_EQ(Text(values, "IMPORTE"), c[1]);
        EXPECT_EQ(Text(values, "CON LETRA"), c[2]);
        EXPECT_EQ(RunCli({"words", c[0]}).Out(), c[2] + "\n");
    }
}

namespace {

// The text pdftotext reads off one page of a PDF.
QString PageText(const QString& pdf, int page) {
    QProcess process;
    process.start("pdftotext",
                  {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

TEST(FillCommandTest, ABatchPrintsEachRowAsFillPrintsItAlone) {
    QTemporaryDir dir;
    const QString csv = dir.filePath("lote.csv");
    // The second row leaves the second line of the invoice empty; its quoted customer holds a
    // comma.
    WriteFile(csv, "FOLIO,CLIENTE,PARTIDAS[1,1],PARTIDAS[1,2],PARTIDAS[1,3],PARTIDAS[2,1],"
                   "PARTIDAS[2,3],EFECTIVO\n"
                   "A-101,Papelería del Centro,2,Resma de papel bond,150,1,99.50,1\n"
                   "A-102,\"Abarrotes Lupita, S.A.\",3,Cuaderno,42.10,,,0\n");
    const QString pdf = dir.filePath("lote.pdf");
    const QString caps = dir.filePath("capturas");
    const CliResult batch =
        Fill({kFactura, "--csv", csv, "-o", pdf, "--save-cap", caps, "--set", "FECHA=2026-12-08"});
    ASSERT_EQ(batch.exitCode, 0) << batch.Err().toStdString();
    // Read through a pipe, the error stream holds errors only: no progress.
    EXPECT_TRUE(batch.err.isEmpty()) << batch.err.toStdString();

    const QList<QStringList> rows = {
        {"FOLIO=A-101", "CLIENTE=Papelería del Centro", "PARTIDAS[1,1]=2",
         "PARTIDAS[1,2]=Resma de papel bond", "PARTIDAS[1,3]=150", "PARTIDAS[2,1]=1",
         "PARTIDAS[2,3]=99.50", "EFECTIVO=1", "FECHA=2026-12-08"},
        {"FOLIO=A-102", "CLIENTE=Abarrotes Lupita, S.A.", "PARTIDAS[1,1]=3",
         "PARTIDAS[1,2]=Cuaderno", "PARTIDAS[1,3]=42.10", "EFECTIVO=0", "FECHA=2026-12-08"}};
    for (int i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const QString alone = dir.filePath(QStringLiteral("solo%1.pdf").arg(i));
        const QString aloneCap = dir.filePath(QStringLiteral("solo%1.cap").arg(i));
        ASSERT_EQ(Fill(QStringList{kFactura, "-o", alone, "--save-cap", aloneCap} + Sets(rows[i]))
                      .exitCode,
                  0);
        const QString page = PageText(pdf, i + 1);
        EXPECT_TRUE(page.contains(rows[i][0].mid(6))) << page.toStdString();
        EXPECT_EQ(page, PageText(alone, 1));
        // Each row's values are kept as the window would keep them (a date keeps the time of
        // day it was typed, so the files are compared by what they load).
        const QString kept = caps + QStringLiteral("/factura-000%1.cap").arg(i + 1);
        const CliResult keptValues = Fill({kFactura, "--cap", kept, "--values"});
        ASSERT_EQ(keptValues.exitCode, 0) << keptValues.Err().toStdString();
        EXPECT_EQ(keptValues.Out(), Fill({kFactura, "--cap", aloneCap, "--values"}).Out());
    }
    EXPECT_TRUE(PageText(pdf, 3).isEmpty());

    // A second batch whose PDF cannot be finished (a disk that fills) leaves the first batch's
    // files as they were, and nothing of its own beside them.
    const QByteArray first = ReadFile(caps + "/factura-0001.cap");
    WriteFile(csv, "FOLIO\nB-1\nB-2\nB-3\n");
    const CliResult full = CliRunner().WithFileSizeLimit(4096).Run(
        {"fill", kFactura, "--csv", csv, "-o", pdf, "--save-cap", caps});
    EXPECT_EQ(full.exitCode, 1) << full.Err().toStdString();
    EXPECT_EQ(ReadFile(caps + "/factura-0001.cap"), first);
    EXPECT_EQ(QDir(caps).entryList(QDir::Files),
              QStringList({"factura-0001.cap", "factura-0002.cap"}));
    EXPECT_EQ(NamesIn(dir.path()).filter("lote-"), QStringList());
    // Finished, it replaces them.
    ASSERT_EQ(Fill({kFactura, "--csv", csv, "--save-cap", caps}).exitCode, 0);
    EXPECT_EQ(QDir(caps).entryList(QDir::Files),
              QStringList({"factura-0001.cap", "factura-0002.cap", "factura-0003.cap"}));
    EXPECT_NE(ReadFile(caps + "/factura-0001.cap"), first);
}

TEST(FillCommandTest, ABadRowStopsTheBatchWithItsLineAndWritesNothing) {
    QTemporaryDir dir;
    const QString csv = dir.filePath("lote.csv");
    WriteFile(csv, "FOLIO,EFECTIVO\nA-1,1\n\nA-2,sí\nA-3,0\n");
    const QString pdf = dir.filePath("lote.pdf");
    WriteFile(pdf, "antes");
    const QString caps = dir.filePath("capturas");
    const CliResult r = Fill({kFactura, "--csv", csv, "-o", pdf, "--save-cap", caps});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.Err(), "plenova-cli: " + csv +
                           ", línea 4: «EFECTIVO» es una marca: toma 1 (marcada) o 0 (vacía), "
                           "no «sí»\n");
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "antes");
    EXPECT_TRUE(QDir(caps).entryList(QDir::Files).isEmpty());

    // A column that names no field, and a picture asked of a batch.
    WriteFile(csv, "FOLIO,DESCUENTO\nA-1,5\n");
    EXPECT_EQ(Fill({kFactura, "--csv", csv, "-o", pdf}).Err(),
              "plenova-cli: " + csv +
                  ", línea 2: factura.fmt no tiene un campo de captura llamado «DESCUENTO»\n");
    EXPECT_EQ(Fill({kFactura, "--csv", csv, "-o", dir.filePath("lote.png")}).exitCode, 1);
    // Left empty in every row, a misspelt column is an error all the same.
    WriteFile(csv, "FOLIO,DESCUENTO\nA-1,\n");
    EXPECT_EQ(Fill({kFactura, "--csv", csv, "-o", pdf}).Err(),
              "plenova-cli: " + csv +
                  ", línea 2: factura.fmt no tiene un campo de captura llamado «DESCUENTO»\n");
    // A row out of any table's reach names the table's size, not a field that does not exist.
    for (const char* cell : {"PARTIDAS[-1,1]", "PARTIDAS[99999999999,1]"})
        EXPECT_TRUE(Fill({kFactura, "--set", QStringLiteral("%1=3").arg(cell)})
                        .Err()
                        .contains(QStringLiteral("«%1»: la tabla").arg(cell)))
            << cell;
}

TEST(FillCommandTest, ABatchOnATerminalSaysHowFarItHasGoneUnlessQuiet) {
    QTemporaryDir dir;
    const QString csv = dir.filePath("lote.csv");
    WriteFile(csv, "FOLIO\nA-1\nA-2\nA-3\n");
    const QString pdf = dir.filePath("lote.pdf");
    // `script` gives the program a terminal of its own and copies what it writes there.
    const auto onTerminal = [&](const QStringList& extra) {
        QStringList words = {
            QStringLiteral(PLENOVA_CLI), "fill", kFactura, "--csv", csv, "-o", pdf};
        words += extra;
        for (QString& word : words)
            word = "'" + word.replace("'", "'\\''") + "'";
        QProcess script;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("PLENOVA_SETTINGS", dir.filePath("plenova.ini"));
        script.setProcessEnvironment(environment);
        script.start("script", {"-qefc", words.join(' '), "/dev/null"});
        EXPECT_TRUE(script.waitForFinished(60000));
        EXPECT_EQ(script.exitCode(), 0);
        return QString::fromUtf8(script.readAllStandardOutput());
    };
    QProcess probe;
    probe.start("script", {"-qefc", "true", "/dev/null"});
    if (!probe.waitForFinished(60000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0)
        GTEST_SKIP() << "no terminal can be made here for `script`";
    const QString shown = onTerminal({});
    EXPECT_TRUE(shown.contains("Hoja 1 de 3")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Hoja 3 de 3")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("\r\n") || shown.endsWith("\n")) << shown.toStdString();
    EXPECT_FALSE(onTerminal({"--quiet"}).contains("Hoja"));
}
