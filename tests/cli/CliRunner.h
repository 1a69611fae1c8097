#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

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
    // Runs the program with no file it writes allowed past this many bytes, as on a full disk:
    // writes beyond it fail with EFBIG instead of the signal that would end the program.
    CliRunner& WithFileSizeLimit(qint64 bytes);
    // Extra environment for the run (PLENOVA_DEBUG, say).
    CliRunner& WithEnvironment(const QString& name, const QString& value);
    CliResult Run(const QStringList& args) const;

private:
    QString m_locale = QStringLiteral("C");
    QByteArray m_input;
    qint64 m_fileSizeLimit = -1;
    QList<std::pair<QString, QString>> m_environment;
};

// The common case: the C locale and no input.
CliResult RunCli(const QStringList& args);
