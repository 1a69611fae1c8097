#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

CliResult RunCli(const QStringList& args, const QString& lang = QStringLiteral("C")) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LANG"), lang);
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_NUMERIC"));
    env.remove(QStringLiteral("LC_MONETARY"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PLENOVA_CLI), args);
    CliResult result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

TEST(CliWordsTest, PrintsTheAmountInWordsExactly) {
    CliResult r = RunCli({QStringLiteral("words"), QStringLiteral("100")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "CIEN  PESOS 00/100 M.N.\n");

    r = RunCli({QStringLiteral("words"), QStringLiteral("2"), QStringLiteral("--currency"),
                QStringLiteral("DOLARES"), QStringLiteral("--postfix"), QString()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "DOS DOLARES 00/100 \n");

    r = RunCli({QStringLiteral("words"), QStringLiteral("-5")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Numero fuera de rango!\n");

    r = RunCli({QStringLiteral("words"), QStringLiteral(".5")});
    EXPECT_EQ(r.out, "Cero PESOS 50/100 M.N.\n");
}

TEST(CliWordsTest, RefusesWhatIsNotANumberWithAPoint) {
    for (const QString& bad :
         {QStringLiteral("12,5"), QStringLiteral("abc"), QString(), QStringLiteral("1.2.3")}) {
        const CliResult r = RunCli({QStringLiteral("words"), bad});
        EXPECT_EQ(r.exitCode, 1) << bad.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("plenova-cli: importe no válido")))
            << r.err.toStdString();
    }
    EXPECT_EQ(RunCli({QStringLiteral("words")}).exitCode, 1);
}

} // namespace
