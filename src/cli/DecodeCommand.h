#pragma once

#include "cli/CliCommand.h"

#include <QSize>

class QImage;

// plenova-cli decode IMAGE -o OUT.ppm [--size WxH] [--flip v|h]: reads a BMP, JPEG or GIF
// picture as the image control does, resamples it to the given size and then flips it when
// asked, and writes the whole bitmap (every frame of an animation, one above the other) as a
// binary PPM.
class DecodeCommand : public CliCommand {
public:
    QString Name() const override { return QStringLiteral("decode"); }
    QString Usage() const override {
        return QStringLiteral("decode IMAGEN -o SALIDA.ppm|- [--size ANCHOxALTO] [--flip v|h]");
    }
    int Run(const QStringList& args, QTextStream& out) override;

    // "WIDTHxHEIGHT", each side 1 to 65535.
    static QSize ParseSize(const QString& text);
    // The binary PPM of a 24-bit picture.
    static QByteArray EncodePpm(const QImage& image);
};
