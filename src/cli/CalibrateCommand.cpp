#include "cli/CalibrateCommand.h"

#include "capture_model/CalibrationPage.h"
#include "cli/CliArgs.h"
#include "cli/CliError.h"
#include "cli/PrintOutput.h"

QString CalibrateCommand::Usage() const {
    return QStringLiteral("calibrate ") + PrintOutput::Usage();
}

int CalibrateCommand::Run(const QStringList& words, QTextStream& out) {
    const CliArgs args(words, PrintOutput::Options());
    args.ExpectPositional(0, Usage());
    const PrintOutput output(args);
    if (!output.Requested())
        throw CliError(QStringLiteral("uso: plenova-cli %1").arg(Usage()));

    output.Write({[](QPagedPaintDevice& printer, FormatPrinter::Offsets offsets) {
                      return CalibrationPage(offsets).Print(printer);
                  },
                  [](QSizeF paper, int dpi, FormatPrinter::Offsets offsets) {
                      return CalibrationPage(offsets).ToImage(paper, dpi);
                  }});
    (void)out;
    return 0;
}
