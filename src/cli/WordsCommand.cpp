#include "cli/WordsCommand.h"

#include "capture_model/CNumberWords.h"
#include "cli/CliArgs.h"
#include "cli/CliError.h"

#include <QRegularExpression>
#include <QTextStream>

#include <charconv>
#include <limits>

double WordsCommand::ParseAmount(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        throw CliError(QStringLiteral("importe no válido: «%1» (se espera un número con punto "
                                      "decimal, por ejemplo 1234.56)")
                           .arg(text));
    QByteArray bytes = trimmed.toLatin1();
    if (bytes.startsWith('+'))
        bytes.remove(0, 1);
    double value = 0;
    const std::from_chars_result parsed =
        std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Too small to tell from zero, or too large for any amount.
        if (bytes.contains("e-") || bytes.contains("E-"))
            return 0.0;
        return bytes.startsWith('-') ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
    }
    if (parsed.ec != std::errc() || parsed.ptr != bytes.constData() + bytes.size())
        throw CliError(QStringLiteral("importe no válido: «%1»").arg(text));
    return value;
}

int WordsCommand::Run(const QStringList& words, QTextStream& out) {
    const CliArgs args(words, {{QStringLiteral("--currency"), QString(), true},
                               {QStringLiteral("--postfix"), QString(), true},
                               {QStringLiteral("--wording"), QString(), true}});
    args.ExpectPositional(1, Usage());
    const double amount = ParseAmount(args.Positional().first());
    CNumberWords writer;
    if (const auto wording = args.Value(QStringLiteral("--wording"))) {
        if (*wording == QStringLiteral("gramatical"))
            writer.SetWording(CNumberWords::Wording::Grammatical);
        else if (*wording != QStringLiteral("tradicional"))
            throw CliError(
                QStringLiteral("--wording toma tradicional o gramatical, no «%1»").arg(*wording));
    }
    if (const auto currency = args.Value(QStringLiteral("--currency")))
        writer.SetCurrencyName(*currency);
    if (const auto postfix = args.Value(QStringLiteral("--postfix")))
        writer.SetPostfix(*postfix);
    out << writer.AmountInWords(amount) << '\n';
    return 0;
}
