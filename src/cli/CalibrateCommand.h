#pragma once

#include "cli/CliCommand.h"

// plenova-cli calibrate -o HOJA.pdf|HOJA.png: prints the calibration sheet, shifted by the margin
// offsets, into a PDF file or a PNG picture.
class CalibrateCommand : public CliCommand {
public:
    QString Name() const override { return QStringLiteral("calibrate"); }
    QString Usage() const override;
    int Run(const QStringList& args, QTextStream& out) override;
};
