#pragma once

#include "cli/CliCommand.h"

#include <QSizeF>

// plenova-cli render FORMAT.fmt -o OUT.pdf|OUT.png: prints the page onto one sheet, shifted by
// the margin offsets, into a PDF file or a PNG picture.
class RenderCommand : public CliCommand {
public:
    QString Name() const override { return QStringLiteral("render"); }
    QString Usage() const override {
        return QStringLiteral(
            "render FORMATO.fmt -o SALIDA.pdf|SALIDA.png [--paper letter|a4|ANCHOxALTO] "
            "[--dpi N] [--facx N] [--facy N]");
    }
    int Run(const QStringList& args, QTextStream& out) override;

    // "letter", "a4" or "WIDTHxHEIGHT" in millimetres.
    static QSizeF ParsePaper(const QString& text);
};
