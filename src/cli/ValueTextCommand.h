#pragma once

#include "cli/CliCommand.h"

class QLocale;

// plenova-cli format TEXT --type N [--decimals D] [--no-sign] [--locale xx_YY]: the text a
// field of that data type shows for the typed value.
class ValueTextCommand : public CliCommand {
public:
    QString Name() const override { return QStringLiteral("format"); }
    QString Usage() const override {
        return QStringLiteral("format TEXTO --type N [--decimals D] [--no-sign] [--locale xx_YY]");
    }
    int Run(const QStringList& args, QTextStream& out) override;

    // The locale of a name such as "es_MX", "en_US" or "C"; CliError for a name Qt does not know.
    static QLocale ParseLocale(const QString& name);
};
