#include "cli/CliArgs.h"

#include "cli/CliError.h"

CliArgs::CliArgs(const QStringList& words, const QList<Option>& options) {
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word.size() < 2 || !word.startsWith(QLatin1Char('-'))) {
            m_positional << word;
            continue;
        }
        const Option* match = nullptr;
        for (const Option& option : options) {
            if (word == option.name || (!option.alias.isEmpty() && word == option.alias))
                match = &option;
        }
        if (!match) {
            // A negative number is a value, not an option, even one too large for a double.
            if (word.at(1).isDigit() || word.at(1) == QLatin1Char('.')) {
                m_positional << word;
                continue;
            }
            throw CliError(QStringLiteral("opción desconocida: %1").arg(word));
        }
        if (!match->takesValue) {
            m_values[match->name] << QString();
            continue;
        }
        if (i + 1 >= words.size())
            throw CliError(QStringLiteral("falta el valor de %1").arg(word));
        m_values[match->name] << words[++i];
    }
}

void CliArgs::ExpectPositional(qsizetype count, const QString& usage) const {
    if (m_positional.size() != count)
        throw CliError(QStringLiteral("uso: plenova-cli %1").arg(usage));
}

std::optional<QString> CliArgs::Value(const QString& name) const {
    const auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->last();
}

int CliArgs::IntValue(const QString& name, int defaultValue, int minimum, int maximum) const {
    const std::optional<QString> text = Value(name);
    if (!text)
        return defaultValue;
    bool ok = false;
    const qlonglong value = text->trimmed().toLongLong(&ok);
    if (!ok || value < minimum || value > maximum)
        throw CliError(QStringLiteral("%1 debe ser un número entero entre %2 y %3, no «%4»")
                           .arg(name)
                           .arg(minimum)
                           .arg(maximum)
                           .arg(*text));
    return static_cast<int>(value);
}
