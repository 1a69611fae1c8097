#pragma once

#include "cli/CliCommand.h"

// plenova-cli words AMOUNT [--wording tradicional|gramatical] [--currency NAME] [--postfix TEXT]:
// the amount written out in words as a calculated field shows it, in the traditional wording
// with the initial currency name and postfix unless given.
class WordsCommand : public CliCommand {
public:
    QString Name() const override { return QStringLiteral("words"); }
    QString Usage() const override {
        return QStringLiteral("words IMPORTE [--wording tradicional|gramatical] "
                              "[--currency NOMBRE] [--postfix TEXTO]");
    }
    int Run(const QStringList& args, QTextStream& out) override;

    // A decimal number written with a point ("1234.5", "-3", "1e3"); CliError otherwise.
    static double ParseAmount(const QString& text);
};
