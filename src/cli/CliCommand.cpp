#include "cli/CliCommand.h"

#include "cli/CliError.h"
#include "model/FormatError.h"
#include "model/FormatFile.h"
#include "platform/TerminalText.h"

#include <QTextStream>

#include <cstdio>

void CliCommand::LoadFormat(const QString& path, Format& format, FormatSettings& settings) {
    try {
        PrintWarnings(FormatFile::Load(path, format, settings));
    } catch (const FormatError& e) {
        throw CliError(e.Message());
    }
}

void CliCommand::PrintWarnings(const QStringList& warnings) {
    if (warnings.isEmpty())
        return;
    QTextStream err(stderr);
    for (const QString& warning : warnings)
        err << TerminalText::Escaped(warning) << '\n';
}
