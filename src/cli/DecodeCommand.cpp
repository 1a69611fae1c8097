#include "cli/DecodeCommand.h"

#include "cli/CliArgs.h"
#include "cli/CliError.h"
#include "imaging/CPictureBitmap.h"
#include "imaging/ImageLimits.h"
#include "imaging/PictureError.h"
#include "platform/FileError.h"
#include "platform/SafeFile.h"

#include <QFileInfo>

#include <cstring>

QSize DecodeCommand::ParseSize(const QString& text) {
    const QStringList parts = text.trimmed().toLower().split(QLatin1Char('x'));
    if (parts.size() == 2) {
        bool okW = false, okH = false;
        const int w = parts[0].toInt(&okW);
        const int h = parts[1].toInt(&okH);
        if (okW && okH && w >= 1 && h >= 1 && w <= 65535 && h <= 65535)
            return QSize(w, h);
    }
    throw CliError(
        QStringLiteral("tamaño no válido: «%1» (use ANCHOxALTO, de 1 a 65535 píxeles)").arg(text));
}

QByteArray DecodeCommand::EncodePpm(const QImage& image) {
    const QImage rgb = image.format() == QImage::Format_RGB888
                           ? image
                           : image.convertToFormat(QImage::Format_RGB888);
    QByteArray ppm = QByteArrayLiteral("P6\n") + QByteArray::number(rgb.width()) + ' ' +
                     QByteArray::number(rgb.height()) + QByteArrayLiteral("\n255\n");
    const qsizetype header = ppm.size();
    const qsizetype rowBytes = qsizetype(rgb.width()) * 3;
    ppm.resize(header + rowBytes * rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(ppm.data() + header + rowBytes * y, rgb.constScanLine(y),
                    static_cast<std::size_t>(rowBytes));
    return ppm;
}

int DecodeCommand::Run(const QStringList& words, QTextStream& out) {
    const CliArgs args(words, {{QStringLiteral("--output"), QStringLiteral("-o"), true},
                               {QStringLiteral("--size"), QString(), true},
                               {QStringLiteral("--flip"), QString(), true},
                               {QStringLiteral("--as"), QString(), true}});
    args.ExpectPositional(1, Usage());
    if (const auto as = args.Value(QStringLiteral("--as"));
        as && as->compare(QLatin1String("ppm"), Qt::CaseInsensitive) != 0)
        throw CliError(QStringLiteral("decode escribe PPM: --as toma ppm, no «%1»").arg(*as));
    const std::optional<QString> output = args.Value(QStringLiteral("--output"));
    if (!output || output->isEmpty())
        throw CliError(QStringLiteral("uso: plenova-cli %1").arg(Usage()));
    const QString input = args.Positional().first();

    std::optional<QSize> size;
    if (const auto text = args.Value(QStringLiteral("--size"))) {
        size = ParseSize(*text);
        if (!ImageLimits::Allows(size->width(), size->height()))
            throw CliError(ImageLimits::TooLargeMessage(size->width(), size->height()));
    }
    std::optional<CPictureBitmap::Reverse> mirror;
    if (const auto text = args.Value(QStringLiteral("--flip"))) {
        if (*text == QLatin1String("v"))
            mirror = CPictureBitmap::Reverse::Rows;
        else if (*text == QLatin1String("h"))
            mirror = CPictureBitmap::Reverse::Columns;
        else
            throw CliError(QStringLiteral("--flip debe ser v o h, no «%1»").arg(*text));
    }

    if (!QFileInfo::exists(input))
        throw CliError(QStringLiteral("%1: no existe").arg(input));
    // The reader's message ends up in the one line this command prints on failure.
    CPictureBitmap picture;
    QString why;
    bool loaded = false;
    try {
        loaded = picture.LoadFile(input);
    } catch (const PictureError& e) {
        why = e.Message().simplified();
    }
    if (!loaded) {
        throw CliError(
            why.isEmpty() ? QStringLiteral("%1: no es una imagen BMP, JPEG o GIF que se pueda leer")
                                .arg(input)
                          : QStringLiteral("%1: %2").arg(input, why));
    }
    if (size) {
        const QSize before = picture.Bitmap().size();
        picture.Resize(size->width(), size->height());
        if (picture.Bitmap().isNull())
            throw CliError(QStringLiteral("%1: no hay memoria suficiente para llevar la imagen "
                                          "de %2 x %3 a %4 x %5 píxeles")
                               .arg(input)
                               .arg(before.width())
                               .arg(before.height())
                               .arg(size->width())
                               .arg(size->height()));
    }
    if (mirror)
        picture.Flip(*mirror);

    const QByteArray ppm = EncodePpm(picture.Bitmap());
    try {
        SafeFile file(*output);
        file.Open();
        file.write(ppm);
        file.Commit();
    } catch (const FileError& e) {
        throw CliError(e.Message());
    }
    (void)out;
    return 0;
}
