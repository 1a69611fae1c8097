#include "cli/CliRunner.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(CliWordsTest, PrintsTheAmountInWordsExactly) {
    CliResult r = RunCli({QStringLiteral("words"), QStringLiteral("100")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.Out(), "CIEN  PESOS 00/100 M.N.\n");

    r = RunCli({QStringLiteral("words"), QStringLiteral("2"), QStringLiteral("--currency"),
                QStringLiteral("DOLARES"), QStringLiteral("--postfix"), QString()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.Out(), "DOS DOLARES 00/100 \n");

    r = RunCli({QStringLiteral("words"), QStringLiteral("-5")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.Out(), "Numero fuera de rango!\n");

    r = RunCli({QStringLiteral("words"), QStringLiteral(".5")});
    EXPECT_EQ(r.Out(), "Cero PESOS 50/100 M.N.\n");

    r = RunCli({QStringLiteral("words"), QStringLiteral("1257151.25")});
    EXPECT_EQ(r.Out(), "UN MILLON DOSCIENTOS CINCUENTA Y SIETE MIL CIENTO CINCUENTA Y UN PESOS "
                       "25/100 M.N.\n");
    r = RunCli({QStringLiteral("words"), QStringLiteral("1"), QStringLiteral("--wording"),
                QStringLiteral("gramatical"), QStringLiteral("--currency"),
                QStringLiteral("DOLARES")});
    EXPECT_EQ(r.Out(), "UN DOLAR 00/100 M.N.\n");
    r = RunCli({QStringLiteral("words"), QStringLiteral("100"), QStringLiteral("--wording"),
                QStringLiteral("tradicional")});
    EXPECT_EQ(r.Out(), "CIEN  PESOS 00/100 M.N.\n");
    r = RunCli({QStringLiteral("words"), QStringLiteral("1"), QStringLiteral("--wording"),
                QStringLiteral("Gramatical")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.Err().contains(QStringLiteral("tradicional o gramatical, no «Gramatical»")))
        << r.err.toStdString();
    // However many decimals it is written with, an amount is its cents.
    r = RunCli({QStringLiteral("words"), QStringLiteral("12.") + QString(400, QLatin1Char('5'))});
    EXPECT_EQ(r.Out(), "DOCE PESOS 56/100 M.N.\n");
}

TEST(CliWordsTest, RefusesWhatIsNotANumberWithAPoint) {
    for (const QString& bad :
         {QStringLiteral("12,5"), QStringLiteral("abc"), QString(), QStringLiteral("1.2.3")}) {
        const CliResult r = RunCli({QStringLiteral("words"), bad});
        EXPECT_EQ(r.exitCode, 1) << bad.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.Err().startsWith(QStringLiteral("plenova-cli: importe no válido")))
            << r.err.toStdString();
    }
    EXPECT_EQ(RunCli({QStringLiteral("words")}).exitCode, 1);
    // An amount piped in is not read: the words come only from the argument.
    const CliResult piped = CliRunner().WithInput("100\n").Run({QStringLiteral("words")});
    EXPECT_EQ(piped.exitCode, 1);
    EXPECT_TRUE(piped.out.isEmpty());
}

} // namespace

namespace {

TEST(CliFormatTest, FormatsByTypeDecimalsSignAndLocale) {
    const auto format = [](const QStringList& extra, const QString& lang = QStringLiteral("C")) {
        return CliRunner().WithLocale(lang).Run(QStringList{QStringLiteral("format")} + extra);
    };
    CliResult r = format({QStringLiteral("12.46"), QStringLiteral("--type"), QStringLiteral("1"),
                          QStringLiteral("--decimals"), QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.Out(), "12.5\n");
    r = format({QStringLiteral("12.46"), QStringLiteral("--type"), QStringLiteral("2")});
    EXPECT_EQ(r.Out(), "12.46\n");
    r = format({QStringLiteral("1234.5"), QStringLiteral("--type"), QStringLiteral("3"),
                QStringLiteral("--locale"), QStringLiteral("es_MX")});
    EXPECT_EQ(r.Out(), "$1,234.50\n");
    r = format({QStringLiteral("1234.5"), QStringLiteral("--type"), QStringLiteral("4"),
                QStringLiteral("--no-sign"), QStringLiteral("--locale"), QStringLiteral("es_MX")});
    EXPECT_EQ(r.Out(), "1234.5\n");
    // Without --locale the user's locale applies.
    r = format({QStringLiteral("1234.5"), QStringLiteral("--type"), QStringLiteral("3")},
               QStringLiteral("es_MX.UTF-8"));
    EXPECT_EQ(r.Out(), "$1,234.50\n");
    // The bare machine's C locale groups the amount but has no currency symbol.
    r = format({QStringLiteral("1234.5"), QStringLiteral("--type"), QStringLiteral("3")});
    EXPECT_EQ(r.Out(), "1,234.50\n");
    r = format({QStringLiteral("1234.5"), QStringLiteral("--type"), QStringLiteral("3"),
                QStringLiteral("--locale"), QStringLiteral("C")});
    EXPECT_EQ(r.Out(), "1234.50\n");
    r = format({QStringLiteral("-5"), QStringLiteral("--type"), QStringLiteral("0")});
    EXPECT_EQ(r.Out(), "-5\n");
}

TEST(CliFormatTest, RefusesMissingTypeAndUnknownLocale) {
    CliResult r = RunCli({QStringLiteral("format"), QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.Err().contains(QStringLiteral("--type")));
    r = RunCli({QStringLiteral("format"), QStringLiteral("1"), QStringLiteral("--type"),
                QStringLiteral("1"), QStringLiteral("--locale"), QStringLiteral("xx_QQ")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    r = RunCli({QStringLiteral("format"), QStringLiteral("1"), QStringLiteral("--type"),
                QStringLiteral("uno")});
    EXPECT_EQ(r.exitCode, 1);
}

} // namespace
