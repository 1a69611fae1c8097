#include "cli/ResaveCommand.h"

#include "cli/CliArgs.h"
#include "cli/CliError.h"
#include "model/FormatFile.h"
#include "model/PlenovaSettings.h"
#include "platform/PlenovaError.h"

int ResaveCommand::Run(const QStringList& words, QTextStream&) {
    const CliArgs args(words, {});
    args.ExpectPositional(2, Usage());
    Format format;
    FormatSettings settings;
    LoadFormat(args.Positional()[0], format, settings);
    format.NumberCaptureOrders();
    // The settings beside the format go with it, as "Guardar formato como" takes them.
    const PlenovaSettings::Loaded beside = PlenovaSettings::LoadFor(args.Positional()[0]);
    if (!beside.warning.isEmpty())
        PrintWarnings({beside.warning});
    try {
        PrintWarnings(FormatFile::Save(args.Positional()[1], format, settings));
        beside.settings.MovedTo(args.Positional()[0], args.Positional()[1])
            .SaveFor(args.Positional()[1]);
    } catch (const PlenovaError& e) {
        throw CliError(e.Message());
    }
    return 0;
}
