#include "cli/CliCommand.h"

#include "cli/CliError.h"
#include "model/FormatError.h"
#include "model/FormatFile.h"

void CliCommand::LoadFormat(const QString& path, Format& format, FormatSettings& settings) {
    try {
        FormatFile::Load(path, format, settings);
    } catch (const FormatError& e) {
        throw CliError(e.Message());
    }
}
