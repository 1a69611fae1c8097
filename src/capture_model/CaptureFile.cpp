#include "capture_model/CaptureFile.h"

#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureFileError.h"
#include "capture_model/ValueText.h"
#include "platform/Archive.h"
#include "platform/ArchiveException.h"
#include "platform/FileError.h"
#include "platform/InputFile.h"
#include "platform/SafeFile.h"
#include "platform/TerminalText.h"

#include <QBuffer>
#include <QHash>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Why the records of a file cannot be loaded, in words for the user.
struct DamagedRecords {
    QString reason;
};

// Reads past the value of a record for a control of that type, exactly as its LoadValue reads
// it, so that the whole file is known to be sound before any control is given a value.
void SkipValue(Archive& ar, ControlTypeCode type, std::int32_t order) {
    switch (type) {
    case ControlTypeCode::TextlineVar:
    case ControlTypeCode::ParrafoVar:
    case ControlTypeCode::CuadrosVar:
        ar.ReadByteString();
        return;
    case ControlTypeCode::MarcaVar:
        ar.ReadInt32();
        return;
    case ControlTypeCode::DateInput:
        ar.ReadInt32();
        ar.ReadDouble();
        return;
    case ControlTypeCode::FmtGrid: {
        const std::int32_t rows = ar.ReadInt32();
        const std::int32_t columns = ar.ReadInt32();
        if (rows <= 0 || columns <= 0)
            return;
        // Every cell text takes at least its length byte: a count beyond that is a lie, refused
        // before thousands of millions of empty reads.
        const qint64 cells = qint64{rows} * columns;
        if (cells > ar.BytesLeft())
            throw DamagedRecords{QStringLiteral("la tabla con orden de captura %1 dice tener "
                                                "%2 × %3 celdas, más de las que caben en el "
                                                "archivo")
                                     .arg(order)
                                     .arg(rows)
                                     .arg(columns)};
        for (qint64 i = 0; i < cells; ++i)
            ar.ReadByteString();
        return;
    }
    default:
        // Only capture controls are looked up, and they are the types above.
        return;
    }
}

// The capture controls of each capture order, in list order. Constants and labels write no
// value, so no record can be theirs even when they carry the order.
QHash<std::int32_t, std::vector<CControles*>> CaptureControlsByOrder(const ControlList& controls) {
    QHash<std::int32_t, std::vector<CControles*>> byOrder;
    for (const auto& control : controls) {
        if (control->IsCaptureControl())
            byOrder[control->captureOrder].push_back(control.get());
    }
    return byOrder;
}

// The control of each record of the file, in file order; throws DamagedRecords (or
// ArchiveException for what the archive itself refuses) when a record is not sound.
//
// A damaged or hand-made format may give several fields one capture order. Their records follow
// one another in list order, as they were saved: the first record of an order goes to the first
// of its fields, the next to the next, and any beyond their number to the last of them.
std::vector<CControles*> CheckRecords(Archive& ar, const ControlList& controls) {
    const QHash<std::int32_t, std::vector<CControles*>> byOrder = CaptureControlsByOrder(controls);
    QHash<std::int32_t, std::size_t> seen;
    std::vector<CControles*> records;
    while (ar.BytesLeft() > 0) {
        if (ar.BytesLeft() < 4)
            throw DamagedRecords{QStringLiteral("el archivo termina a mitad de un registro")};
        const std::int32_t order = ar.ReadInt32();
        const auto fields = byOrder.constFind(order);
        CControles* control = nullptr;
        if (fields != byOrder.cend()) {
            std::size_t& count = seen[order];
            control = (*fields)[std::min(count, fields->size() - 1)];
            ++count;
        }
        if (!control)
            throw DamagedRecords{QStringLiteral("el orden de captura %1 no es el de ningún campo "
                                                "de captura del formato")
                                     .arg(order)};
        try {
            SkipValue(ar, control->Type(), order);
        } catch (const ArchiveException& e) {
            if (e.GetCause() != ArchiveException::Cause::EndOfFile)
                throw;
            throw DamagedRecords{QStringLiteral("el valor con orden de captura %1 no cabe en lo "
                                                "que queda del archivo: el archivo está cortado "
                                                "o una longitud es falsa")
                                     .arg(order)};
        }
        records.push_back(control);
    }
    return records;
}

} // namespace

namespace {

void WriteValues(Archive& ar, const QString& formatName, const ControlList& controls) {
    ar.WriteString(formatName);
    for (const auto& control : controls)
        control->SaveValue(ar);
    ar.Flush();
}

} // namespace

QString CaptureFile::FormatNameOf(const QString& formatPath) {
    qsizetype cut = -1;
    for (const QChar separator : {QLatin1Char('\\'), QLatin1Char('/'), QLatin1Char(':')})
        cut = std::max(cut, formatPath.lastIndexOf(separator));
    return formatPath.mid(cut + 1);
}

QByteArray CaptureFile::Bytes(const QString& formatName, const ControlList& controls) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    WriteValues(ar, formatName, controls);
    return bytes;
}

void CaptureFile::Save(const QString& path, const QString& formatName,
                       const ControlList& controls) {
    try {
        SafeFile file(path);
        file.Open();
        Archive ar(file, Archive::Mode::Store);
        WriteValues(ar, formatName, controls);
        file.Commit();
    } catch (const FileError& e) {
        throw CaptureFileError(CaptureFileError::Cause::CannotSave, e.Message());
    } catch (const ArchiveException& e) {
        throw CaptureFileError(CaptureFileError::Cause::CannotSave, e.Describe(path));
    }
}

int CaptureFile::Load(const QString& path, const QString& formatName, ControlList& controls,
                      const QLocale& locale) {
    // The whole file is read once: it is checked and then loaded from the same bytes.
    QByteArray bytes;
    try {
        InputFile file(path, kMaxFileBytes);
        bytes = file.Device().readAll();
        if (file.Device().error() != QFileDevice::NoError || bytes.size() != file.Size())
            throw FileError(path, QStringLiteral("no se puede leer"),
                            QStringLiteral("error de entrada/salida"));
    } catch (const FileError& e) {
        throw CaptureFileError(CaptureFileError::Cause::CannotOpen, e.Message());
    }
    return LoadBytes(bytes, path, formatName, controls, locale);
}

int CaptureFile::LoadBytes(QByteArray bytes, const QString& path, const QString& formatName,
                           ControlList& controls, const QLocale& locale) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    std::vector<CControles*> records;
    try {
        Archive ar(buffer, Archive::Mode::Load);
        const QString fileFormat = ar.ReadString();
        if (fileFormat != formatName)
            throw CaptureFileError(
                CaptureFileError::Cause::WrongFormat,
                QStringLiteral("El archivo seleccionado es del tipo %1 y no del formato %2 actual")
                    .arg(TerminalText::Escaped(fileFormat), TerminalText::Escaped(formatName)));
        records = CheckRecords(ar, controls);
    } catch (const DamagedRecords& e) {
        throw CaptureFileError(
            CaptureFileError::Cause::Damaged,
            QStringLiteral("%1: %2. No se cargó ningún valor.").arg(path, e.reason));
    } catch (const ArchiveException& e) {
        throw CaptureFileError(
            CaptureFileError::Cause::Damaged,
            QStringLiteral("%1. No se cargó ningún valor.").arg(e.Describe(path)));
    }

    // Every record is sound and has its control: now the values are set.
    buffer.seek(0);
    Archive ar(buffer, Archive::Mode::Load);
    ar.ReadByteString();
    for (CControles* control : records) {
        ar.ReadInt32();
        control->LoadValue(ar);
        // A loaded text line is as if typed and left, except that nothing is reformatted or
        // recomputed: the calculation then reads its number and sees no change in it.
        if (auto* line = dynamic_cast<CTextlineVar*>(control))
            line->SetValueCopy(line->Value(), ValueText::ParseAmount(line->Value(), locale));
    }
    return static_cast<int>(records.size());
}
