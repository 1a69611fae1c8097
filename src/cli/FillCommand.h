#pragma once

#include "cli/CliCommand.h"

#include "capture_model/FieldEntry.h"

#include <vector>

class CaptureDocument;
class CliArgs;
class JsonWriter;
class PrintOutput;

// plenova-cli fill FORMAT.fmt: fills a format in as a user would on its capture screen, in a
// capture document and without a screen: the values of a captured-data file first, then each
// "--set" in the order given, each typed into its field and the field left, so that the
// calculated fields follow. Then the
// values may be saved, the sheet printed and the values shown as JSON.
//
// With "--csv" the format is filled once for each row of a table of values, each row printed on
// a sheet of its own in one PDF and, with "--save-cap", kept in a captured-data file of its own
// in a folder; "--cap" and "--set" then give every row its starting and its final values. A row
// the format cannot take stops the batch with its line, and no PDF is written.
class FillCommand : public CliCommand {
public:
    QString Name() const override { return QStringLiteral("fill"); }
    QString Usage() const override;
    int Run(const QStringList& args, QTextStream& out) override;

    // The capture fields in the format's list order (constants hold no value), each with its
    // name, type code, capture order and value as the screen would show it: "text", "checked",
    // "date" (YYYY-MM-DD, null when the field holds none) or a table's "cells", row by row.
    static void WriteValues(JsonWriter& json, const CaptureDocument& document);

private:
    // Tells, on standard error, of each value of the captured-data file at path that reads as
    // no number in a number field: it counts 0, though the sheet shows it as it was written.
    static void WarnUnreadNumbers(const QString& path, const CaptureDocument& document);
    static int RunBatch(const CliArgs& args, const PrintOutput& output,
                        std::vector<FieldEntry> entries);
};
