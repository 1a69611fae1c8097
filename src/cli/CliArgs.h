#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The words after a command's name: positional arguments and options given as "--name value"
// (or a short alias such as "-o value"), or "--flag" alone. Anything else is refused with CliError.
// An option given more than once keeps every value; Value reads the last one.
class CliArgs {
public:
    struct Option {
        QString name;  // "--paper"
        QString alias; // "-o", or empty
        bool takesValue = true;
    };

    CliArgs(const QStringList& words, const QList<Option>& options);

    const QStringList& Positional() const { return m_positional; }
    // Exactly `count` positional arguments, or CliError naming what the usage says.
    void ExpectPositional(qsizetype count, const QString& usage) const;
    std::optional<QString> Value(const QString& name) const;
    // Every value given to the option, in the order given; empty when it is absent.
    QStringList Values(const QString& name) const { return m_values.value(name); }
    bool Flag(const QString& name) const { return m_values.contains(name); }
    // A whole number within [minimum, maximum], or the default when the option is absent.
    int IntValue(const QString& name, int defaultValue, int minimum, int maximum) const;

private:
    QStringList m_positional;
    QMap<QString, QStringList> m_values;
};
