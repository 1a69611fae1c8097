#include "capture_model/CTextlineVar.h"
#include "cli/CliRunner.h"
#include "imaging/TestPictures.h"
#include "model/CConsText.h"
#include "model/FormatFile.h"

#include "common/FileContents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

// Messages compared in full show as text when they differ.
void PrintTo(const QString& text, std::ostream* os) {
    *os << text.toStdString();
}

namespace {

const QByteArray kOldContents = QByteArrayLiteral("lo que ya estaba");

bool IsFifo(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

class SafeFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Enough texts and capture fields that every output is well beyond a kilobyte.
        Format format;
        for (int i = 0; i < 40; ++i) {
            format.controls.push_back(
                CConsText::Create(100, -100 - 50 * i, QStringLiteral("Renglón %1").arg(i)));
            auto field = CTextlineVar::Create(1000, -100 - 50 * i);
            field->text = QStringLiteral("CAMPO%1").arg(i);
            format.controls.push_back(std::move(field));
        }
        m_format = Path(QStringLiteral("grande.fmt"));
        FormatFile::Save(m_format, format, FormatSettings());

        TestPictures::BmpSpec bmp;
        bmp.width = bmp.height = 40;
        bmp.pixels.assign(40 * 40, 0x336699);
        m_picture = Path(QStringLiteral("foto.bmp"));
        ASSERT_TRUE(TestPictures::WriteFile(m_picture, TestPictures::MakeBmp(bmp)));
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // The command line that writes `output`, for each kind of file plenova-cli writes.
    QList<QStringList> Writers(const QString& stem) const {
        return {{QStringLiteral("resave"), m_format, Path(stem + QStringLiteral(".fmt"))},
                {QStringLiteral("render"), m_format, QStringLiteral("-o"),
                 Path(stem + QStringLiteral(".pdf"))},
                {QStringLiteral("render"), m_format, QStringLiteral("-o"),
                 Path(stem + QStringLiteral(".png"))},
                {QStringLiteral("decode"), m_picture, QStringLiteral("-o"),
                 Path(stem + QStringLiteral(".ppm"))},
                {QStringLiteral("fill"), m_format, QStringLiteral("--save-cap"),
                 Path(stem + QStringLiteral(".cap"))}};
    }

    QTemporaryDir m_dir;
    QString m_format;
    QString m_picture;
};

} // namespace

TEST_F(SafeFilesTest, AFailedWriteLeavesTheOldFileAndNoTemporaryAndExitsOne) {
    for (const QStringList& args : Writers(QStringLiteral("salida"))) {
        const QString target = args.last();
        SCOPED_TRACE(target.toStdString());
        WriteFile(target, kOldContents);
        ::chmod(QFile::encodeName(target).constData(), 0640);
        const QStringList before = NamesIn(m_dir.path());

        const CliResult r = CliRunner().WithFileSizeLimit(100).Run(args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(ReadFile(target), kOldContents);
        EXPECT_EQ(ModeOf(target), 0640u);
        EXPECT_EQ(NamesIn(m_dir.path()), before);
        // One line of Plenova's own, in Spanish, and nothing of Qt's or libpng's before it.
        const QString ending = QFileInfo(target).suffix();
        const QString expected =
            ending == QLatin1String("pdf")
                ? QStringLiteral("plenova-cli: %1: no se pudo escribir el PDF (quedó incompleto; "
                                 "¿falta espacio en el disco?)\n")
            : ending == QLatin1String("fmt") || ending == QLatin1String("cap")
                ? QStringLiteral("plenova-cli: %1: error al escribir el archivo (El archivo es "
                                 "demasiado grande)\n")
                : QStringLiteral("plenova-cli: %1: no se pudo escribir (El archivo es demasiado "
                                 "grande)\n");
        EXPECT_EQ(r.err.toStdString(), expected.arg(target).toStdString());
    }
}

TEST_F(SafeFilesTest, WritesGoThroughLinksAndKeepTheMode) {
    for (const QStringList& args : Writers(QStringLiteral("real"))) {
        const QString real = args.last();
        SCOPED_TRACE(real.toStdString());
        const QString link = Path(QStringLiteral("enlace-") + QFileInfo(real).fileName());
        ASSERT_TRUE(QFile::link(QFileInfo(real).fileName(), link));
        QStringList throughLink = args;
        throughLink.last() = link;

        // A link to a file still to be made makes that file; a link to a file replaces it.
        ASSERT_EQ(RunCli(throughLink).exitCode, 0);
        EXPECT_FALSE(ReadFile(real).isEmpty());
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), QFileInfo(real).absoluteFilePath());
        ::chmod(QFile::encodeName(real).constData(), 0600);
        WriteFile(real, kOldContents);
        ASSERT_EQ(RunCli(throughLink).exitCode, 0);
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_NE(ReadFile(real), kOldContents);
        EXPECT_EQ(ModeOf(real), 0600u);
    }
}

TEST_F(SafeFilesTest, AReadOnlyFileIsRefusedByEveryWriterWithTheReason) {
    for (const QStringList& args : Writers(QStringLiteral("solo-lectura"))) {
        const QString target = args.last();
        SCOPED_TRACE(target.toStdString());
        WriteFile(target, kOldContents);
        ::chmod(QFile::encodeName(target).constData(), 0444);
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.Err().endsWith("no se puede reemplazar (el archivo es de solo lectura)\n"))
            << r.err.toStdString();
        EXPECT_EQ(ReadFile(target), kOldContents);
        EXPECT_EQ(ModeOf(target), 0444u);
    }
}

TEST_F(SafeFilesTest, SpecialFilesAreRefusedOrWrittenDirectly) {
    // A FIFO is refused at once, never replaced, whether it is to be written or read.
    for (const QStringList& args : Writers(QStringLiteral("tubo"))) {
        const QString fifo = args.last();
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << fifo.toStdString();
        EXPECT_EQ(r.Err(), QStringLiteral("plenova-cli: %1: no se puede crear (es una tubería "
                                          "(FIFO), no un archivo normal)\n")
                               .arg(fifo));
        EXPECT_TRUE(IsFifo(fifo));
    }
    const QString fifoFormat = Path(QStringLiteral("entrada.fmt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifoFormat).constData(), 0644), 0);
    const CliResult dump = RunCli({QStringLiteral("dump"), fifoFormat});
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_EQ(dump.Err(), QStringLiteral("plenova-cli: %1: no se puede abrir (no es un archivo "
                                         "normal, sino un dispositivo, una tubería o un socket)\n")
                              .arg(fifoFormat));
    const CliResult fill =
        RunCli({QStringLiteral("fill"), m_format, QStringLiteral("--cap"), fifoFormat});
    EXPECT_EQ(fill.exitCode, 1);
    EXPECT_TRUE(fill.Err().contains(QStringLiteral("no es un archivo normal")));

    // A format larger than any drawn by hand is refused before a byte of it is read.
    const QString huge = Path(QStringLiteral("enorme.fmt"));
    {
        QFile sparse(huge);
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
        ASSERT_TRUE(sparse.resize(qint64{256} * 1024 * 1024 + 1));
    }
    EXPECT_EQ(RunCli({QStringLiteral("dump"), huge}).Err(),
              QStringLiteral("plenova-cli: %1: no se puede abrir (El archivo es demasiado grande: "
                             "257 MB; se leen hasta 256 MB)\n")
                  .arg(huge));

    // A missing file says why in Spanish.
    const QString missing = Path(QStringLiteral("no-existe.fmt"));
    EXPECT_EQ(RunCli({QStringLiteral("dump"), missing}).Err(),
              QStringLiteral("plenova-cli: %1: no se puede abrir (No existe el archivo o el "
                             "directorio)\n")
                  .arg(missing));

    // A character device the user names is written into, and stays what it was.
    if (::access("/dev/null", W_OK) == 0) {
        for (const QStringList& args : Writers(QStringLiteral("nulo"))) {
            QStringList toNull = args;
            toNull.last() = QStringLiteral("/dev/null");
            // render chooses PDF or PNG by the name's ending, which /dev/null has not: --as
            // says it.
            if (args.first() == QLatin1String("render"))
                toNull << QStringLiteral("--as") << QFileInfo(args.last()).suffix();
            EXPECT_EQ(RunCli(toNull).exitCode, 0) << args.first().toStdString();
        }
        struct stat st {};
        ASSERT_EQ(::stat("/dev/null", &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
    }
}

TEST_F(SafeFilesTest, StandardOutputIsWrittenWhenItIsAPipe) {
    // The runner reads standard output through a pipe, as the next program of a script would.
    const QString render = QStringLiteral("render");
    const QList<std::pair<QStringList, QByteArray>> cases = {
        {{render, m_format, "-o", "-", "--as", "pdf"}, "%PDF-"},
        {{render, m_format, "-o", "/dev/stdout", "--as", "png", "--dpi", "20"}, "\x89PNG"},
        {{QStringLiteral("decode"), m_picture, "-o", "-"}, "P6\n40 40\n255\n"},
        {{QStringLiteral("fill"), m_format, "-o", "-", "--as", "PDF"}, "%PDF-"}};
    for (const auto& [args, start] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith(start)) << r.out.left(16).toStdString();
    }
    // Without a suffix or --as there is no telling which printout is wanted.
    const CliResult untyped = RunCli({render, m_format, "-o", "-"});
    EXPECT_EQ(untyped.exitCode, 1);
    EXPECT_EQ(untyped.Err(), "plenova-cli: -: la salida debe ser un archivo .pdf o .png, o diga "
                             "el tipo con --as pdf o --as png\n");
    EXPECT_TRUE(untyped.out.isEmpty());
    EXPECT_EQ(RunCli({render, m_format, "-o", "-", "--as", "jpg"}).Err(),
              "plenova-cli: --as toma pdf o png, no «jpg»\n");
}

TEST_F(SafeFilesTest, DumpWrittenAsItGoesIsWholeJson) {
    // Many times the piece the JSON is handed over in, so that every seam is crossed.
    Format format;
    for (int i = 0; i < 600; ++i)
        format.controls.push_back(
            CConsText::Create(10 * i, -10 * i, QStringLiteral("texto «%1»").arg(i)));
    const QString path = Path(QStringLiteral("muchos.fmt"));
    FormatFile::Save(path, format, FormatSettings());
    const CliResult r = RunCli({QStringLiteral("dump"), path});
    ASSERT_EQ(r.exitCode, 0);
    ASSERT_GT(r.out.size(), 4 * 64 * 1024);
    EXPECT_TRUE(r.out.endsWith("}\n"));
    QJsonParseError error;
    const QJsonArray controls =
        QJsonDocument::fromJson(r.out, &error).object()[QStringLiteral("controls")].toArray();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    ASSERT_EQ(controls.size(), 600);
    for (int i = 0; i < 600; ++i)
        EXPECT_EQ(controls[i].toObject()[QStringLiteral("text")].toString(),
                  QStringLiteral("texto «%1»").arg(i));
}

TEST(QtDiagnostics, ReachStandardErrorOnlyWhenAsked) {
    // Without a runtime folder Qt always notes that it picked one.
    const QStringList words{QStringLiteral("words"), QStringLiteral("12")};
    const CliResult quiet =
        CliRunner().WithEnvironment(QStringLiteral("XDG_RUNTIME_DIR"), QString()).Run(words);
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.Err(), QString());
    const CliResult told =
        CliRunner()
            .WithEnvironment(QStringLiteral("XDG_RUNTIME_DIR"), QString())
            .WithEnvironment(QStringLiteral("PLENOVA_DEBUG"), QStringLiteral("1"))
            .Run(words);
    EXPECT_EQ(told.exitCode, 0);
    EXPECT_TRUE(told.Err().contains(QStringLiteral("XDG_RUNTIME_DIR"))) << told.err.toStdString();
}
