#pragma once

#include "cli/CliCommand.h"

// plenova-cli resave IN.fmt OUT.fmt: reads a format and writes it as the design window saves.
class ResaveCommand : public CliCommand {
public:
    QString Name() const override { return QStringLiteral("resave"); }
    QString Usage() const override { return QStringLiteral("resave ENTRADA.fmt SALIDA.fmt"); }
    int Run(const QStringList& args, QTextStream& out) override;
};
