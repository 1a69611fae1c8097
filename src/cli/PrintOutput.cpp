#include "cli/PrintOutput.h"

#include "capture_model/PdfSheet.h"
#include "cli/CliError.h"
#include "platform/FileError.h"
#include "platform/SafeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>

#include <optional>

namespace {

// The largest sheet a picture is made of: a metre square at 1200 dpi stays well below it, a
// mistyped size does not eat the machine's memory.
constexpr double kMaxPixels = 400e6;
constexpr double kMaxPaperMillimetres = 10000;

} // namespace

QList<CliArgs::Option> PrintOutput::Options() {
    return {{QStringLiteral("--output"), QStringLiteral("-o"), true},
            {QStringLiteral("--paper"), QString(), true},
            {QStringLiteral("--dpi"), QString(), true},
            {QStringLiteral("--facx"), QString(), true},
            {QStringLiteral("--facy"), QString(), true},
            {QStringLiteral("--as"), QString(), true}};
}

QString PrintOutput::Usage() {
    return QStringLiteral(
        "-o SALIDA.pdf|SALIDA.png|- [--as pdf|png] [--paper letter|a4|ANCHOxALTO] "
        "[--dpi N] [--facx N] [--facy N]");
}

QSizeF PrintOutput::ParsePaper(const QString& text) {
    const QString lower = text.trimmed().toLower();
    if (lower == QLatin1String("letter"))
        return QSizeF(215.9, 279.4);
    if (lower == QLatin1String("a4"))
        return QSizeF(210, 297);
    const QStringList parts = lower.split(QLatin1Char('x'));
    if (parts.size() == 2) {
        bool okW = false, okH = false;
        const double w = parts[0].toDouble(&okW);
        const double h = parts[1].toDouble(&okH);
        if (okW && okH && w > 0 && h > 0 && w <= kMaxPaperMillimetres && h <= kMaxPaperMillimetres)
            return QSizeF(w, h);
    }
    throw CliError(
        QStringLiteral("papel no válido: «%1» (use letter, a4 o ANCHOxALTO en milímetros, "
                       "hasta %2 mm)")
            .arg(text)
            .arg(kMaxPaperMillimetres));
}

PrintOutput::PrintOutput(const CliArgs& args, const Paper& paper)
    : m_args(args), m_path(args.Value(QStringLiteral("--output")).value_or(QString())) {
    if (!Requested())
        return;
    // The type is the name's suffix, or what --as says for standard output ("-") and any name
    // without one (a device, a pipe).
    const std::optional<QString> as = args.Value(QStringLiteral("--as"));
    const QString kind = as ? as->toLower() : QFileInfo(m_path).suffix().toLower();
    if (kind != QLatin1String("pdf") && kind != QLatin1String("png")) {
        if (as)
            throw CliError(QStringLiteral("--as toma pdf o png, no «%1»").arg(*as));
        throw CliError(QStringLiteral("%1: la salida debe ser un archivo .pdf o .png, o diga el "
                                      "tipo con --as pdf o --as png")
                           .arg(m_path));
    }
    m_pdf = kind == QLatin1String("pdf");
    const auto asked = args.Value(QStringLiteral("--paper"));
    m_paper = asked ? ParsePaper(*asked) : paper.Millimetres();
    m_offsets = FormatPrinter::Offsets::FromSettings();
    m_offsets.facX = args.IntValue(QStringLiteral("--facx"), m_offsets.facX, -100000, 100000);
    m_offsets.facY = args.IntValue(QStringLiteral("--facy"), m_offsets.facY, -100000, 100000);
}

void PrintOutput::Write(const Sheet& sheet) const {
    if (!Requested())
        return;
    if (m_pdf)
        WritePdf(sheet);
    else
        WritePicture(sheet);
}

void PrintOutput::WritePicture(const Sheet& sheet) const {
    const int dpi = m_args.IntValue(QStringLiteral("--dpi"), 254, 10, 2400);
    const double pixels = m_paper.width() / 25.4 * dpi * m_paper.height() / 25.4 * dpi;
    if (pixels > kMaxPixels)
        throw CliError(QStringLiteral("%1: la imagen sería demasiado grande (%2 millones de "
                                      "píxeles); use un --dpi menor")
                           .arg(m_path)
                           .arg(pixels / 1e6, 0, 'f', 0));
    const QImage image = sheet.picture(m_paper, dpi, m_offsets);
    if (image.isNull())
        throw CliError(QStringLiteral("%1: no hay memoria suficiente para la imagen").arg(m_path));
    // Encoded in memory first: the PNG library reports a failed write only on standard error,
    // in English, while the file's own writes say why in the user's words.
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, "png");
    if (!writer.write(image))
        throw CliError(QStringLiteral("%1: no se pudo codificar la imagen PNG").arg(m_path));
    try {
        SafeFile file(m_path);
        file.Open();
        file.write(encoded.data());
        file.Commit();
    } catch (const FileError& e) {
        throw CliError(e.Message());
    }
}

void PrintOutput::WritePdf(const Sheet& sheet) const {
    const int dpi = m_args.IntValue(QStringLiteral("--dpi"), 1200, 72, 2400);
    const QPageLayout layout(QPageSize(m_paper, QPageSize::Millimeter), QPageLayout::Portrait,
                             QMarginsF(0, 0, 0, 0));
    try {
        PdfSheet::Write(m_path, layout, dpi, [&](QPagedPaintDevice& printer) {
            return sheet.print(printer, m_offsets);
        });
    } catch (const FileError& e) {
        throw CliError(e.Message());
    }
}
