// The format and captured-data seeds: the committed example formats, and the values a user
// saves from their capture screens, empty and filled in.
#include "Seeds.h"

#include "SampleValues.h"
#include "capture_model/CaptureFile.h"
#include "model/Format.h"
#include "model/FormatFile.h"
#include "model/FormatSettings.h"

#include <QFile>
#include <QLocale>

#include <functional>

namespace {

using Fill = std::function<void(ControlList&, const FormatSettings&, const QLocale&)>;

void WriteExample(const QDir& out, const QString& formatFile, const QString& stem,
                  const Fill& fill) {
    const QString path = QStringLiteral(PLENOVA_EXAMPLES_DIR "/") + formatFile;
    QFile source(path);
    if (source.open(QIODevice::ReadOnly))
        Seeds::Put(QDir(out.filePath(QStringLiteral("format"))), formatFile, source.readAll());

    Format format;
    FormatSettings settings;
    FormatFile::Load(path, format, settings);
    const QDir capture(out.filePath(QStringLiteral("capture")));
    CaptureFile::Save(capture.filePath(stem + QStringLiteral("-vacio.cap")), formatFile,
                      format.controls);
    fill(format.controls, settings, QLocale(QLocale::Spanish, QLocale::Mexico));
    CaptureFile::Save(capture.filePath(stem + QStringLiteral(".cap")), formatFile, format.controls);
}

} // namespace

void Seeds::WriteFormatsAndCaptures(const QDir& out) {
    out.mkpath(QStringLiteral("format"));
    out.mkpath(QStringLiteral("capture"));
    WriteExample(out, QStringLiteral("factura.fmt"), QStringLiteral("factura"),
                 [](ControlList& controls, const FormatSettings& settings, const QLocale& locale) {
                     SampleValues::FillFactura(controls, settings, locale);
                 });
    WriteExample(out, QStringLiteral("cheque.fmt"), QStringLiteral("cheque"),
                 [](ControlList& controls, const FormatSettings& settings, const QLocale& locale) {
                     SampleValues::FillCheque(controls, settings, locale);
                 });
}
