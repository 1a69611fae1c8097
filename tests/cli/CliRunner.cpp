#include "cli/CliRunner.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

CliRunner& CliRunner::WithLocale(const QString& locale) {
    m_locale = locale;
    return *this;
}

CliRunner& CliRunner::WithInput(const QByteArray& input) {
    m_input = input;
    return *this;
}

CliRunner& CliRunner::WithFileSizeLimit(qint64 bytes) {
    m_fileSizeLimit = bytes;
    return *this;
}

CliRunner& CliRunner::WithEnvironment(const QString& name, const QString& value) {
    m_environment.append({name, value});
    return *this;
}

CliResult CliRunner::Run(const QStringList& args) const {
    CliResult result;
    // The suite's entry point names a settings file of its own; the program reads the same one.
    const QString settings = qEnvironmentVariable("PLENOVA_SETTINGS");
    if (settings.isEmpty()) {
        ADD_FAILURE() << "the suite names no settings file; the program would read the user's";
        return result;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("PLENOVA_SETTINGS"), settings);
    // LANG alone decides how numbers and amounts are written: the developer's locale stays out.
    env.insert(QStringLiteral("LANG"), m_locale);
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LC_MONETARY", "LANGUAGE"})
        env.remove(QString::fromLatin1(variable));
    for (const auto& [name, value] : m_environment)
        env.insert(name, value);

    QProcess process;
    process.setProcessEnvironment(env);
    if (m_fileSizeLimit >= 0) {
        const rlim_t limit = static_cast<rlim_t>(m_fileSizeLimit);
        // Runs in the child between fork and exec: only calls safe there.
        process.setChildProcessModifier([limit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit bound{limit, limit};
            setrlimit(RLIMIT_FSIZE, &bound);
        });
    }
    process.start(QStringLiteral(PLENOVA_CLI), args);
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
