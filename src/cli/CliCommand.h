#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// One verb of plenova-cli. Run returns the exit status; failures throw CliError.
class CliCommand {
public:
    virtual ~CliCommand() = default;
    virtual QString Name() const = 0;
    // The words after "plenova-cli", for the help text and usage errors.
    virtual QString Usage() const = 0;
    virtual int Run(const QStringList& args, QTextStream& out) = 0;
};
