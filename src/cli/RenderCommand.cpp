#include "cli/RenderCommand.h"

#include "cli/CliArgs.h"
#include "cli/CliError.h"
#include "cli/PrintOutput.h"
#include "model/FormatFile.h"
#include "model/FormatPrinter.h"
#include "model/PlenovaSettings.h"

QString RenderCommand::Usage() const {
    return QStringLiteral("render FORMATO.fmt ") + PrintOutput::Usage();
}

int RenderCommand::Run(const QStringList& words, QTextStream& out) {
    const CliArgs args(words, PrintOutput::Options());
    args.ExpectPositional(1, Usage());
    if (!args.Value(QStringLiteral("--output")))
        throw CliError(QStringLiteral("uso: plenova-cli %1").arg(Usage()));

    Format format;
    FormatSettings settings;
    const QString path = args.Positional().first();
    LoadFormat(path, format, settings);
    // The sheet is the format's own paper unless --paper names another.
    const PlenovaSettings::Loaded beside = PlenovaSettings::LoadFor(path);
    if (!beside.warning.isEmpty())
        PrintWarnings({beside.warning});
    const PrintOutput output(args, beside.settings.paper);
    output.Write({[&](QPagedPaintDevice& printer, FormatPrinter::Offsets offsets) {
                      return FormatPrinter::PrintToPrinter(printer, format.controls, offsets);
                  },
                  [&](QSizeF paper, int dpi, FormatPrinter::Offsets offsets) {
                      return FormatPrinter::PrintToImage(format.controls, paper, dpi, offsets);
                  }});
    (void)out;
    return 0;
}
