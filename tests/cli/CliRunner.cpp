#include "cli/CliRunner.h"

#include <QProcess>
#include <QProcessEnvironment>

CliRunner& CliRunner::WithLocale(const QString& locale) {
    m_locale = locale;
    return *this;
}

CliRunner& CliRunner::WithInput(const QByteArray& input) {
    m_input = input;
    return *this;
}

CliResult CliRunner::Run(const QStringList& args) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The suite's entry point points this process's settings at a file of its own; the program
    // reads the same file.
    env.insert(QStringLiteral("PLENOVA_SETTINGS"), qEnvironmentVariable("PLENOVA_SETTINGS"));
    // Only LANG decides the locale, so that the developer's own settings never leak in.
    env.insert(QStringLiteral("LANG"), m_locale);
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LC_MONETARY", "LANGUAGE"})
        env.remove(QString::fromLatin1(variable));

    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PLENOVA_CLI), args);
    CliResult result;
    if (!process.waitForStarted(60000))
        return result;
    if (!m_input.isEmpty())
        process.write(m_input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

CliResult RunCli(const QStringList& args) {
    return CliRunner().Run(args);
}
