#pragma once

#include "cli/CliCommand.h"

class CControles;
class JsonWriter;

// plenova-cli dump FORMAT.fmt: the format as the reader leaves it, as JSON.
class DumpCommand : public CliCommand {
public:
    QString Name() const override { return QStringLiteral("dump"); }
    QString Usage() const override { return QStringLiteral("dump FORMATO.fmt"); }
    int Run(const QStringList& args, QTextStream& out) override;

    static void WriteControl(JsonWriter& json, const CControles& control);
};
