#pragma once

#include "cli/CliCommand.h"

// plenova-cli render FORMAT.fmt -o OUT.pdf|OUT.png: prints the page onto one sheet, shifted by
// the margin offsets, into a PDF file or a PNG picture.
class RenderCommand : public CliCommand {
public:
    QString Name() const override { return QStringLiteral("render"); }
    QString Usage() const override;
    int Run(const QStringList& args, QTextStream& out) override;
};
