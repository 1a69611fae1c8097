#include "cli/ValueTextCommand.h"

#include "capture_model/ValueText.h"
#include "cli/CliArgs.h"
#include "cli/CliError.h"

#include <QLocale>
#include <QTextStream>

#include <climits>

QLocale ValueTextCommand::ParseLocale(const QString& name) {
    if (name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return QLocale::c();
    const QLocale locale(name);
    // Qt falls back to the C locale for a name it cannot place.
    if (locale.language() == QLocale::C)
        throw CliError(QStringLiteral("configuración regional desconocida: «%1»").arg(name));
    return locale;
}

int ValueTextCommand::Run(const QStringList& words, QTextStream& out) {
    const CliArgs args(words, {{QStringLiteral("--type"), QString(), true},
                               {QStringLiteral("--decimals"), QString(), true},
                               {QStringLiteral("--no-sign"), QString(), false},
                               {QStringLiteral("--locale"), QString(), true}});
    args.ExpectPositional(1, Usage());
    if (!args.Value(QStringLiteral("--type")))
        throw CliError(QStringLiteral("falta --type (0 texto, 1 y 2 número, 3 y 4 moneda)"));
    const int type = args.IntValue(QStringLiteral("--type"), 0, INT_MIN, INT_MAX);
    const int decimals = args.IntValue(QStringLiteral("--decimals"), 2, INT_MIN, INT_MAX);
    const std::optional<QString> localeName = args.Value(QStringLiteral("--locale"));
    const QLocale locale = localeName ? ParseLocale(*localeName) : QLocale::system();
    out << ValueText::FormatValue(args.Positional().first(), static_cast<DataTypeCode>(type),
                                  decimals, args.Flag(QStringLiteral("--no-sign")), locale)
        << '\n';
    return 0;
}
