#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What one run of plenova-cli left behind.
struct CliResult {
    int exitCode = -1; // -1 when the program crashed or did not finish
    QByteArray out;
    QByteArray err;

    QString Out() const { return QString::fromUtf8(out); }
    QString Err() const { return QString::fromUtf8(err); }
};

// Runs plenova-cli the way a script would: off-screen, under the C locale unless a case asks
// for another, with the suite's own settings file (so a case can put margin offsets there) and
// never the user's, and with nothing on its standard input unless given.
class CliRunner {
public:
    CliRunner& WithLocale(const QString& locale);
    CliRunner& WithInput(const QByteArray& input);
    CliResult Run(const QStringList& args) const;

private:
    QString m_locale = QStringLiteral("C");
    QByteArray m_input;
};

// The common case: the C locale and no input.
CliResult RunCli(const QStringList& args);
