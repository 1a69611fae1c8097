#include "cli/RenderCommand.h"

#include "cli/CliArgs.h"
#include "cli/CliError.h"
#include "cli/PrintOutput.h"
#include "model/FormatFile.h"
#include "model/FormatPrinter.h"

QString RenderCommand::Usage() const {
    return QStringLiteral("render FORMATO.fmt ") + PrintOutput::Usage();
}

int RenderCommand::Run(const QStringList& words, QTextStream& out) {
    const CliArgs args(words, PrintOutput::Options());
    args.ExpectPositional(1, Usage());
    const PrintOutput output(args);
    if (!output.Requested())
        throw CliError(QStringLiteral("uso: plenova-cli %1").arg(Usage()));

    Format format;
    FormatSettings settings;
    LoadFormat(args.Positional().first(), format, settings);
    output.Write({[&](QPagedPaintDevice& printer, FormatPrinter::Offsets offsets) {
                      return FormatPrinter::PrintToPrinter(printer, format.controls, offsets);
                  },
                  [&](QSizeF paper, int dpi, FormatPrinter::Offsets offsets) {
                      return FormatPrinter::PrintToImage(format.controls, paper, dpi, offsets);
                  }});
    (void)out;
    return 0;
}
