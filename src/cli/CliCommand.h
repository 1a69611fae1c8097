#pragma once

#include <QString>
#include <QStringList>

class QTextStream;
struct Format;
struct FormatSettings;

// One verb of plenova-cli. Run returns the exit status; failures throw CliError.
class CliCommand {
public:
    virtual ~CliCommand() = default;
    virtual QString Name() const = 0;
    // The words after "plenova-cli", for the help text and usage errors.
    virtual QString Usage() const = 0;
    virtual int Run(const QStringList& args, QTextStream& out) = 0;

protected:
    // Reads a whole format; a file that cannot be read becomes a CliError naming it. What the
    // reading met without stopping (a picture that cannot be shown) goes to standard error.
    static void LoadFormat(const QString& path, Format& format, FormatSettings& settings);
    // Each warning on a line of its own on standard error; the command goes on.
    static void PrintWarnings(const QStringList& warnings);
};
