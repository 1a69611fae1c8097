#include "CliCommand.h"

#include "CliError.h"
#include "FormatError.h"
#include "FormatFile.h"

void CliCommand::LoadFormat(const QString& path, Format& format, FormatSettings& settings) {
    try {
        FormatFile::Load(path, format, settings);
    } catch (const FormatError& e) {
        throw CliError(e.Message());
    }
}
