#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "capture_model/CaptureSampleFormat.h"
#include "cli/CliRunner.h"
#include "imaging/TestPictures.h"
#include "model/CConsText.h"
#include "model/CImagen.h"
#include "model/CLinea.h"
#include "model/FormatFile.h"
#include "model/PlenovaSettings.h"
#include "platform/Profile.h"

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

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a PDF tool prints about a file, to read the printout back.
QString ToolOutput(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        Format format;
        format.description = QStringLiteral("Cheque \"Banco\"");
        auto text = CConsText::Create(1000, -2000, QStringLiteral("Páguese a"));
        text->alignment = 2;
        text->screenPlaced = 1;
        format.controls.push_back(std::move(text));
        auto line = CLinea::Create(100, -300);
        line->MakeVertical();
        line->color = MakeColorRef(1, 2, 3);
        format.controls.push_back(std::move(line));
        FormatSettings settings;
        settings.author = QStringLiteral("Luis");
        m_path = m_dir.filePath(QStringLiteral("cheque.fmt"));
        FormatFile::Save(m_path, format, settings);
    }

    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace

TEST_F(CliTest, DumpShowsTheFormatAsTheReaderLeavesIt) {
    const CliResult r = RunCli({QStringLiteral("dump"), m_path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(r.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(root[QStringLiteral("description")].toString(), QStringLiteral("Cheque \"Banco\""));
    EXPECT_EQ(root[QStringLiteral("version")].toInt(), 2);
    const QJsonObject settings = root[QStringLiteral("settings")].toObject();
    EXPECT_EQ(settings[QStringLiteral("currency")].toString(), QStringLiteral("PESOS"));
    EXPECT_EQ(settings[QStringLiteral("author")].toString(), QStringLiteral("Luis"));
    const QJsonArray controls = root[QStringLiteral("controls")].toArray();
    ASSERT_EQ(controls.size(), 2);
    const QJsonObject text = controls[0].toObject();
    EXPECT_EQ(text[QStringLiteral("class")].toString(), QStringLiteral("CConsText"));
    EXPECT_EQ(text[QStringLiteral("text")].toString(), QStringLiteral("Páguese a"));
    EXPECT_EQ(text[QStringLiteral("alignment")].toInt(), 2);
    EXPECT_TRUE(text[QStringLiteral("screenPlaced")].toBool());
    EXPECT_EQ(text[QStringLiteral("page")].toArray(), (QJsonArray{1000, -1955, 1400, -2000}));
    EXPECT_EQ(text[QStringLiteral("font")].toObject()[QStringLiteral("face")].toString(),
              QStringLiteral("Arial"));
    EXPECT_EQ(text[QStringLiteral("font")].toObject()[QStringLiteral("height")].toInt(), -40);
    const QJsonObject line = controls[1].toObject();
    EXPECT_EQ(line[QStringLiteral("type")].toInt(), 7);
    EXPECT_EQ(line[QStringLiteral("horizontal")].toInt(), 0);
    EXPECT_EQ(line[QStringLiteral("color")].toInt(), 0x030201);
    EXPECT_EQ(root[QStringLiteral("screenExtent")].toArray(), (QJsonArray{0, 0, 100, 100}));
    // Keys come in the documented order.
    EXPECT_LT(r.out.indexOf("\"description\""), r.out.indexOf("\"version\""));
    EXPECT_LT(r.out.indexOf("\"upperCase\""), r.out.indexOf("\"font\""));
}

TEST_F(CliTest, DumpOfAVersionOneFileHasNoSettings) {
    // Description "a", no controls, the screen extent.
    const QString v1 = m_dir.filePath(QStringLiteral("v1.fmt"));
    WriteAll(v1, QByteArray::fromHex("0161 00000000 00000000000000000a0000000a000000"));
    const CliResult r = RunCli({QStringLiteral("dump"), v1});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(root[QStringLiteral("version")].toInt(), 1);
    EXPECT_TRUE(root[QStringLiteral("settings")].isNull());
    EXPECT_EQ(root[QStringLiteral("screenExtent")].toArray(), (QJsonArray{0, 0, 10, 10}));
}

TEST_F(CliTest, ResaveWritesWhatTheDesignWindowWrites) {
    const QString out = m_dir.filePath(QStringLiteral("copia.fmt"));
    CliResult r = RunCli({QStringLiteral("resave"), m_path, out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(out), ReadAll(m_path));
    // Without settings beside the format, none are made for the copy.
    EXPECT_FALSE(QFile::exists(out + QStringLiteral(".plenova")));

    // The settings beside it go with the copy, the backdrop's picture named from the copy's
    // folder.
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("otra")));
    WriteAll(m_path + QStringLiteral(".plenova"),
             R"({"wording": "gramatical", "paper": {"size": "a4"},
                 "backdrop": {"picture": "hoja.png", "page": 1, "left": 0, "top": 0,
                              "width": 100, "height": 100}})");
    const QString moved = m_dir.filePath(QStringLiteral("otra/copia.fmt"));
    r = RunCli({QStringLiteral("resave"), m_path, moved});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const PlenovaSettings copied = PlenovaSettings::LoadFor(moved).settings;
    EXPECT_EQ(copied.wording, AmountWording::Grammatical);
    EXPECT_EQ(copied.paper.size, Paper::Size::A4);
    // Above the copy's folder the picture is named whole.
    EXPECT_EQ(copied.BackdropRecord().value(QStringLiteral("picture")).toString(),
              m_dir.filePath(QStringLiteral("hoja.png")));
    QFile::remove(m_path + QStringLiteral(".plenova"));
}

TEST_F(CliTest, FailuresExitOneWithOneLineNamingTheFile) {
    const QString missing = m_dir.filePath(QStringLiteral("no-existe.fmt"));
    const QString cut = m_dir.filePath(QStringLiteral("cortado.fmt"));
    WriteAll(cut, ReadAll(m_path).left(60));
    const QString garbage = m_dir.filePath(QStringLiteral("basura.fmt"));
    WriteAll(garbage, QByteArray("\xff\xff\xff\xff\xff\xff\xff\xff\xff", 9));

    for (const QString& file : {missing, cut, garbage}) {
        const CliResult r = RunCli({QStringLiteral("dump"), file});
        EXPECT_EQ(r.exitCode, 1) << file.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(file.toUtf8())) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_TRUE(RunCli({QStringLiteral("dump"), cut}).err.contains("fin de archivo inesperado"));

    const QString pdf = m_dir.filePath(QStringLiteral("x.pdf"));
    EXPECT_EQ(RunCli({QStringLiteral("render"), m_path, QStringLiteral("-o"), pdf,
                      QStringLiteral("--paper"), QStringLiteral("carta")})
                  .exitCode,
              1);
    EXPECT_EQ(RunCli({QStringLiteral("render"), m_path, QStringLiteral("-o"), pdf,
                      QStringLiteral("--dpi"), QStringLiteral("mucho")})
                  .exitCode,
              1);
    EXPECT_EQ(RunCli({QStringLiteral("render"), m_path, QStringLiteral("-o"),
                      m_dir.filePath(QStringLiteral("x.tiff"))})
                  .exitCode,
              1);
    EXPECT_EQ(RunCli({QStringLiteral("render"), m_path, QStringLiteral("-o"), pdf,
                      QStringLiteral("--paper"), QStringLiteral("9000x9000"), QStringLiteral("-o"),
                      m_dir.filePath(QStringLiteral("x.png")), QStringLiteral("--dpi"),
                      QStringLiteral("2400")})
                  .exitCode,
              1); // far too many pixels
    EXPECT_EQ(RunCli({QStringLiteral("render"), m_path, QStringLiteral("-o"),
                      m_dir.filePath(QStringLiteral("no/such/dir/x.pdf"))})
                  .exitCode,
              1);
    EXPECT_EQ(RunCli({QStringLiteral("resave"), m_path}).exitCode, 1);
    EXPECT_EQ(RunCli({QStringLiteral("bailar")}).exitCode, 1);
    EXPECT_EQ(RunCli({QStringLiteral("dump"), m_path, QStringLiteral("--sin")}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(CliTest, FailedResaveKeepsTheFileThatWasThere) {
    const QString target = m_dir.filePath(QStringLiteral("destino.fmt"));
    WriteAll(target, "previo");
    const QString cut = m_dir.filePath(QStringLiteral("cortado.fmt"));
    WriteAll(cut, ReadAll(m_path).left(100));
    EXPECT_EQ(RunCli({QStringLiteral("resave"), cut, target}).exitCode, 1);
    EXPECT_EQ(ReadAll(target), QByteArray("previo"));
}

TEST_F(CliTest, RenderToPngIsOnePixelPerPageUnitByDefault) {
    const QString png = m_dir.filePath(QStringLiteral("hoja.png"));
    const CliResult r = RunCli({QStringLiteral("render"), m_path, QStringLiteral("-o"), png,
                                QStringLiteral("--paper"), QStringLiteral("150x100")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(1500, 1000));
    // The vertical line hangs 400 units from (100, -300): its middle is at x 100.
    EXPECT_LT(qGray(image.pixel(100, 500)), 128);
    EXPECT_EQ(image.pixel(100, 800), qRgb(255, 255, 255));
}

TEST_F(CliTest, RenderToPdfIsOneSheetOfThePaperAskedWithTheTextAsText) {
    const QString pdf = m_dir.filePath(QStringLiteral("hoja.pdf"));
    const CliResult r = RunCli({QStringLiteral("render"), m_path, QStringLiteral("-o"), pdf,
                                QStringLiteral("--paper"), QStringLiteral("a4")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    const QString info = ToolOutput(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages: +(\\d+)")).match(info);
    ASSERT_TRUE(pages.hasMatch()) << info.toStdString();
    EXPECT_EQ(pages.captured(1).toInt(), 1);
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+) pts")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    // A4, 210 by 297 mm, in the whole points the page box is written in.
    EXPECT_EQ(size.captured(1) + QStringLiteral("x") + size.captured(2), QStringLiteral("595x842"));
    EXPECT_EQ(ToolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).trimmed(),
              QStringLiteral("Páguese a"));
}

// A script's machine may have no widget library at all: the program must not load one.
TEST(CliProgramTest, LinksNoWidgetLibrary) {
    const QString libraries = ToolOutput(QStringLiteral("ldd"), {QStringLiteral(PLENOVA_CLI)});
    ASSERT_TRUE(libraries.contains(QStringLiteral("libQt6Gui"))) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains(QStringLiteral("Widgets"))) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains(QStringLiteral("PrintSupport"))) << libraries.toStdString();
}

TEST_F(CliTest, RenderAndFillPrintOnTheFormatsOwnPaperUnlessAnotherIsNamed) {
    const QString png = m_dir.filePath(QStringLiteral("propia.png"));
    const QString sidecar = m_path + QStringLiteral(".plenova");
    const auto render = [&](QStringList more) {
        return RunCli(QStringList{QStringLiteral("render"), m_path, QStringLiteral("-o"), png,
                                  QStringLiteral("--dpi"), QStringLiteral("25")} +
                      more);
    };
    // A custom sheet lying on its side: 150 mm wide, 100 high.
    WriteAll(sidecar, R"({"paper": {"size": "custom", "orientation": "landscape",
                                    "width": 100, "height": 150}})");
    CliResult r = render({});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(148, 98));
    r = render({QStringLiteral("--paper"), QStringLiteral("letter")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(213, 275));

    // Filled in, the format prints on its own paper too.
    r = RunCli({QStringLiteral("fill"), m_path, QStringLiteral("-o"), png, QStringLiteral("--dpi"),
                QStringLiteral("25")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(148, 98));

    // Damaged, it is told on standard error and the sheet is letter.
    WriteAll(sidecar, "{roto");
    r = render({});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("se usan los valores predeterminados")) << r.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(213, 275));
    r = RunCli({QStringLiteral("fill"), m_path, QStringLiteral("-o"), png, QStringLiteral("--dpi"),
                QStringLiteral("25")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.Err().count(QStringLiteral("se usan los valores predeterminados")), 1)
        << r.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(213, 275));
    QFile::remove(sidecar);
}

TEST_F(CliTest, RenderTakesTheMarginOffsetsFromTheSettingsUnlessGiven) {
    // A negative horizontal offset moves the printout right: 100 page units are 100 pixels.
    Profile().WriteInt(QStringLiteral("Config"), QStringLiteral("FacX"), -100);
    const QString fromSettings = m_dir.filePath(QStringLiteral("ajustada.png"));
    const CliResult r = RunCli({QStringLiteral("render"), m_path, QStringLiteral("-o"),
                                fromSettings, QStringLiteral("--paper"), QStringLiteral("30x80")});
    const QString given = m_dir.filePath(QStringLiteral("dada.png"));
    const CliResult overridden = RunCli({QStringLiteral("render"), m_path, QStringLiteral("-o"),
                                         given, QStringLiteral("--paper"), QStringLiteral("a4"),
                                         QStringLiteral("--facx"), QStringLiteral("0")});
    Profile().WriteInt(QStringLiteral("Config"), QStringLiteral("FacX"), 0);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(overridden.exitCode, 0) << overridden.err.toStdString();

    const QImage shifted(fromSettings);
    EXPECT_EQ(shifted.size(), QSize(300, 800));
    EXPECT_LT(qGray(shifted.pixel(200, 500)), 128);
    EXPECT_EQ(shifted.pixel(100, 500), qRgb(255, 255, 255));
    const QImage unshifted(given);
    EXPECT_LT(qGray(unshifted.pixel(100, 500)), 128);
    EXPECT_EQ(unshifted.pixel(200, 500), qRgb(255, 255, 255));
}

TEST(CliDumpTest, ShowsTheCaptureControlsOwnFields) {
    Format format = OneCaptureControlOfEachKind();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("captura.fmt"));
    FormatFile::Save(path, format, FormatSettings());

    const CliResult r = RunCli({QStringLiteral("dump"), path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray controls =
        QJsonDocument::fromJson(r.out).object()[QStringLiteral("controls")].toArray();
    ASSERT_EQ(controls.size(), 5);
    const QJsonObject dumpedLine = controls[0].toObject();
    EXPECT_EQ(dumpedLine[QStringLiteral("expression")].toString(), "A+B");
    EXPECT_EQ(dumpedLine[QStringLiteral("dataType")].toInt(), 4);
    EXPECT_EQ(controls[1].toObject()[QStringLiteral("class")].toString(), "CParrafoVar");
    const QJsonObject dumpedBoxes = controls[2].toObject();
    EXPECT_EQ(dumpedBoxes[QStringLiteral("boxCount")].toInt(), 5);
    EXPECT_EQ(dumpedBoxes[QStringLiteral("boxDistance")].toInt(), 10);
    EXPECT_EQ(dumpedBoxes[QStringLiteral("boxWidth")].toInt(), 50);
    EXPECT_EQ(controls[3].toObject()[QStringLiteral("mark")].toString(), "V");
    EXPECT_EQ(controls[4].toObject()[QStringLiteral("dateLayout")].toInt(), 2);
}

TEST(CliDumpTest, ShowsATablesColumnsAndRowHeights) {
    CaptureControlTypes::RegisterAll();
    Format format;
    auto table = CFmtGrid::Create(100, -200);
    table->SetRowCount(2);
    TableColumn total = table->Columns()[2];
    total.title = QStringLiteral("IMPORTE");
    total.alignment = 2;
    total.screenWidth = -75;
    total.dataType = DataTypeCode::MonedaCalculado;
    total.expression = QStringLiteral("C1*C2");
    table->SetColumn(2, total);
    format.controls.push_back(std::move(table));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tabla.fmt"));
    FormatFile::Save(path, format, FormatSettings());

    const CliResult r = RunCli({QStringLiteral("dump"), path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject dumped =
        QJsonDocument::fromJson(r.out).object()[QStringLiteral("controls")].toArray()[0].toObject();
    EXPECT_EQ(dumped[QStringLiteral("class")].toString(), "CFmtGrid");
    const QJsonArray columns = dumped[QStringLiteral("columns")].toArray();
    ASSERT_EQ(columns.size(), 4);
    EXPECT_EQ(columns[0].toObject()[QStringLiteral("title")].toString(), "Columna 1");
    const QJsonObject third = columns[2].toObject();
    EXPECT_EQ(third[QStringLiteral("title")].toString(), "IMPORTE");
    EXPECT_EQ(third[QStringLiteral("alignment")].toInt(), 2);
    EXPECT_EQ(third[QStringLiteral("pageWidth")].toInt(), 400);
    EXPECT_EQ(third[QStringLiteral("screenWidth")].toInt(), 75); // the file keeps the absolute
    EXPECT_EQ(third[QStringLiteral("dataType")].toInt(), 4);
    EXPECT_EQ(third[QStringLiteral("expression")].toString(), "C1*C2");
    EXPECT_EQ(dumped[QStringLiteral("rows")].toArray(), (QJsonArray{45, 45}));
    // A column's keys come in the documented order, which a parsed object does not keep.
    const QString text = r.Out();
    const qsizetype start = text.indexOf(QStringLiteral("\"columns\""));
    const QString firstColumn = text.mid(start, text.indexOf(QLatin1Char('}'), start) - start);
    qsizetype at = 0;
    for (const char* key :
         {"alignment", "title", "pageWidth", "screenWidth", "dataType", "expression"}) {
        const qsizetype next =
            firstColumn.indexOf(QStringLiteral("\"%1\"").arg(QLatin1String(key)), at);
        EXPECT_GT(next, at) << key;
        at = next;
    }
}

TEST(CliDumpTest, ShowsTheEmbeddedPicturesLengthAndExtension) {
    using namespace TestPictures;
    BmpSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
    const Bytes bmp = MakeBmp(spec);
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("pic.bmp"));
    ASSERT_TRUE(WriteFile(picture, bmp));
    Format format;
    auto image = CImagen::Create(picture, 100, -100);
    ASSERT_TRUE(image);
    format.controls.push_back(std::move(image));
    const QString path = dir.filePath(QStringLiteral("imagen.fmt"));
    FormatFile::Save(path, format, FormatSettings());

    const CliResult r = RunCli({QStringLiteral("dump"), path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray controls =
        QJsonDocument::fromJson(r.out).object()[QStringLiteral("controls")].toArray();
    ASSERT_EQ(controls.size(), 1);
    const QJsonObject dumped = controls[0].toObject();
    EXPECT_EQ(dumped[QStringLiteral("imageLength")].toInt(), static_cast<int>(bmp.size()));
    EXPECT_EQ(dumped[QStringLiteral("imageExtension")].toString(), ".bmp");
}

// A picture that cannot be decoded does not stop the work: the command goes on and the reader's
// words reach standard error, each on a line of its own.
TEST_F(CliTest, PicturesThatCannotBeShownAreWarnedAboutOnStandardError) {
    const QString picture = m_dir.filePath(QStringLiteral("foto.bmp"));
    QImage sample(4, 3, QImage::Format_RGB32);
    sample.fill(Qt::red);
    ASSERT_TRUE(sample.save(picture, "BMP"));
    Format format;
    auto image = CImagen::Create(picture, 0, 0);
    ASSERT_TRUE(image);
    format.controls.push_back(std::move(image));
    WriteAll(picture, "abc"); // what the format carries is no longer a picture
    const QString path = m_dir.filePath(QStringLiteral("con-foto.fmt"));
    EXPECT_TRUE(FormatFile::Save(path, format, FormatSettings()).isEmpty());

    const CliResult dump = RunCli({QStringLiteral("dump"), path});
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_TRUE(dump.out.contains("\"imageLength\": 3")) << dump.out.toStdString();
    EXPECT_EQ(dump.err, QByteArray("Not a valid BMP File\n"));

    const QString copy = m_dir.filePath(QStringLiteral("copia.fmt"));
    const CliResult resave = RunCli({QStringLiteral("resave"), path, copy});
    EXPECT_EQ(resave.exitCode, 0);
    EXPECT_EQ(resave.err, QByteArray("Not a valid BMP File\n"));
    // The bytes still travel with the format, under their extension.
    EXPECT_TRUE(ReadAll(copy).contains(QByteArray("\x04.bmpabc")));
}
