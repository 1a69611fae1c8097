#include "model/CConsText.h"
#include "model/CImagen.h"
#include "model/CLinea.h"
#include "model/FormatFile.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Result {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Result Cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(PLENOVA_CLI), args);
    process.waitForFinished(60000);
    Result r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
        FormatFile::Save(m_path, format, settings, FormatFile::Writer::Design);
    }

    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace

TEST_F(CliTest, DumpShowsTheFormatAsTheReaderLeavesIt) {
    const Result r = Cli({QStringLiteral("dump"), m_path});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
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
    const Result r = Cli({QStringLiteral("dump"), v1});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(root[QStringLiteral("version")].toInt(), 1);
    EXPECT_TRUE(root[QStringLiteral("settings")].isNull());
    EXPECT_EQ(root[QStringLiteral("screenExtent")].toArray(), (QJsonArray{0, 0, 10, 10}));
}

TEST_F(CliTest, ResaveWritesWhatTheDesignWindowWrites) {
    const QString out = m_dir.filePath(QStringLiteral("copia.fmt"));
    const Result r = Cli({QStringLiteral("resave"), m_path, out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(out), ReadAll(m_path));
}

TEST_F(CliTest, FailuresExitOneWithOneLineNamingTheFile) {
    const QString missing = m_dir.filePath(QStringLiteral("no-existe.fmt"));
    const QString cut = m_dir.filePath(QStringLiteral("cortado.fmt"));
    WriteAll(cut, ReadAll(m_path).left(60));
    const QString garbage = m_dir.filePath(QStringLiteral("basura.fmt"));
    WriteAll(garbage, QByteArray("\xff\xff\xff\xff\xff\xff\xff\xff\xff", 9));

    for (const QString& file : {missing, cut, garbage}) {
        const Result r = Cli({QStringLiteral("dump"), file});
        EXPECT_EQ(r.status, 1) << file.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(file.toUtf8())) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_TRUE(Cli({QStringLiteral("dump"), cut}).err.contains("fin de archivo inesperado"));

    const QString pdf = m_dir.filePath(QStringLiteral("x.pdf"));
    EXPECT_EQ(Cli({QStringLiteral("render"), m_path, QStringLiteral("-o"), pdf,
                   QStringLiteral("--paper"), QStringLiteral("carta")})
                  .status,
              1);
    EXPECT_EQ(Cli({QStringLiteral("render"), m_path, QStringLiteral("-o"), pdf,
                   QStringLiteral("--dpi"), QStringLiteral("mucho")})
                  .status,
              1);
    EXPECT_EQ(Cli({QStringLiteral("render"), m_path, QStringLiteral("-o"),
                   m_dir.filePath(QStringLiteral("x.tiff"))})
                  .status,
              1);
    EXPECT_EQ(Cli({QStringLiteral("render"), m_path, QStringLiteral("-o"), pdf,
                   QStringLiteral("--paper"), QStringLiteral("9000x9000"), QStringLiteral("-o"),
                   m_dir.filePath(QStringLiteral("x.png")), QStringLiteral("--dpi"),
                   QStringLiteral("2400")})
                  .status,
              1); // far too many pixels
    EXPECT_EQ(Cli({QStringLiteral("render"), m_path, QStringLiteral("-o"),
                   m_dir.filePath(QStringLiteral("no/such/dir/x.pdf"))})
                  .status,
              1);
    EXPECT_EQ(Cli({QStringLiteral("resave"), m_path}).status, 1);
    EXPECT_EQ(Cli({QStringLiteral("bailar")}).status, 1);
    EXPECT_EQ(Cli({QStringLiteral("dump"), m_path, QStringLiteral("--sin")}).status, 1);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(CliTest, FailedResaveKeepsTheFileThatWasThere) {
    const QString target = m_dir.filePath(QStringLiteral("destino.fmt"));
    WriteAll(target, "previo");
    const QString cut = m_dir.filePath(QStringLiteral("cortado.fmt"));
    WriteAll(cut, ReadAll(m_path).left(100));
    EXPECT_EQ(Cli({QStringLiteral("resave"), cut, target}).status, 1);
    EXPECT_EQ(ReadAll(target), QByteArray("previo"));
}

TEST_F(CliTest, RenderToPngIsOnePixelPerPageUnitByDefault) {
    const QString png = m_dir.filePath(QStringLiteral("hoja.png"));
    const Result r = Cli({QStringLiteral("render"), m_path, QStringLiteral("-o"), png,
                          QStringLiteral("--paper"), QStringLiteral("150x100")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(1500, 1000));
    // The vertical line hangs 400 units from (100, -300): its middle is at x 100.
    EXPECT_LT(qGray(image.pixel(100, 500)), 128);
    EXPECT_EQ(image.pixel(100, 800), qRgb(255, 255, 255));
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
    EXPECT_TRUE(
        FormatFile::Save(path, format, FormatSettings(), FormatFile::Writer::Design).isEmpty());

    const Result dump = Cli({QStringLiteral("dump"), path});
    EXPECT_EQ(dump.status, 0);
    EXPECT_TRUE(dump.out.contains("\"imageLength\": 3")) << dump.out.toStdString();
    EXPECT_EQ(dump.err, QByteArray("Not a valid BMP File\n"));

    const QString copy = m_dir.filePath(QStringLiteral("copia.fmt"));
    const Result resave = Cli({QStringLiteral("resave"), path, copy});
    EXPECT_EQ(resave.status, 0);
    EXPECT_EQ(resave.err, QByteArray("Not a valid BMP File\n"));
    // The bytes still travel with the format, under their extension.
    EXPECT_TRUE(ReadAll(copy).contains(QByteArray("\x04.bmpabc")));
}
