#include "cli/ResaveCommand.h"

#include "cli/CliArgs.h"
#include "cli/CliError.h"
#include "model/FormatError.h"
#include "model/FormatFile.h"

int ResaveCommand::Run(const QStringList& words, QTextStream&) {
    const CliArgs args(words, {});
    args.ExpectPositional(2, Usage());
    Format format;
    FormatSettings settings;
    LoadFormat(args.Positional()[0], format, settings);
    format.NumberCaptureOrders();
    try {
        PrintWarnings(FormatFile::Save(args.Positional()[1], format, settings));
    } catch (const FormatError& e) {
        throw CliError(e.Message());
    }
    return 0;
}
