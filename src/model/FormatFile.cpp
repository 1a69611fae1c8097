#include "model/FormatFile.h"

#include "model/ControlFactory.h"
#include "model/ControlType.h"
#include "model/FormatError.h"
#include "model/KeyScrambler.h"
#include "model/StoredFlag.h"
#include "platform/Archive.h"
#include "platform/ArchiveException.h"
#include "platform/Cp1252.h"
#include "platform/FileError.h"
#include "platform/InputFile.h"
#include "platform/SafeFile.h"

#include <QBuffer>

#include <climits>

namespace {

constexpr int kVersionMarker = -2;

QString ReadScrambled(Archive& ar) {
    return Cp1252::Decode(KeyScrambler::Scramble(ar.ReadByteString()));
}

void WriteScrambled(Archive& ar, const QString& text) {
    ar.WriteByteString(KeyScrambler::Scramble(Cp1252::Encode(text)));
}

int VersionFromMarker(std::int32_t marker) {
    const std::int64_t version = -static_cast<std::int64_t>(marker);
    return version > INT_MAX ? INT_MAX : static_cast<int>(version);
}

// Runs a read of a whole file, turning what can go wrong into one sentence that names it.
template <typename Body>
auto WithFile(const QString& path, Body body) {
    try {
        InputFile file(path, FormatFile::kMaxFileBytes);
        Archive ar(file.Device(), Archive::Mode::Load);
        return body(ar);
    } catch (const FileError& e) {
        throw FormatError(e.Message());
    } catch (const ArchiveException& e) {
        throw FormatError(e.Describe(path));
    } catch (const FormatError& e) {
        throw FormatError(QStringLiteral("%1: %2").arg(path, e.Message()));
    } catch (const std::bad_alloc&) {
        throw FormatError(QStringLiteral("%1: no hay memoria suficiente para leerlo").arg(path));
    }
}

} // namespace

void FormatFile::ReadSettings(Archive& ar, FormatSettings& settings) {
    settings.decimals = ar.ReadInt32();
    settings.currencyName = ar.ReadString();
    settings.postfix = ar.ReadString();
    settings.currencySign = StoredFlag::Read(ar.ReadInt32());
    settings.calculatedReadOnly = StoredFlag::Read(ar.ReadInt32());
    settings.author = ReadScrambled(ar);
    settings.key = ReadScrambled(ar);
}

QStringList FormatFile::ReadBytes(QByteArray bytes, Format& format, FormatSettings& settings) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Archive ar(buffer, Archive::Mode::Load);
    Read(ar, format, settings);
    return ar.Warnings();
}

void FormatFile::Read(Archive& ar, Format& format, FormatSettings& settings) {
    format.controls.clear();
    format.description = ar.ReadString();
    const std::int32_t marker = ar.ReadInt32();
    std::int32_t count = marker;
    if (marker < 0) {
        format.version = VersionFromMarker(marker);
        ReadSettings(ar, settings);
        count = ar.ReadInt32();
    } else {
        format.version = 1;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t code = ar.ReadInt32();
        std::unique_ptr<CControles> control =
            ControlFactory::Create(static_cast<ControlTypeCode>(code));
        if (!control)
            continue;
        CControles& made = *control;
        format.controls.push_front(std::move(control));
        made.recordVersion = format.version;
        made.Serialize(ar);
    }
    format.screenExtent = ScreenRect(ar.ReadRect());
}

void FormatFile::Write(Archive& ar, const Format& format, const FormatSettings& settings) {
    ar.WriteString(format.description);
    ar.WriteInt32(kVersionMarker);
    ar.WriteInt32(settings.decimals);
    ar.WriteString(settings.currencyName);
    ar.WriteString(settings.postfix);
    ar.WriteInt32(StoredFlag::Write(settings.currencySign));
    ar.WriteInt32(StoredFlag::Write(settings.calculatedReadOnly));
    WriteScrambled(ar, settings.author);
    WriteScrambled(ar, settings.key);
    ar.WriteInt32(static_cast<std::int32_t>(format.controls.size()));
    for (auto it = format.controls.rbegin(); it != format.controls.rend(); ++it) {
        const CControles& c = **it;
        ar.WriteInt32(static_cast<std::int32_t>(c.Type()));
        c.WriteRecord(ar);
    }
    ar.WriteRect(ScreenExtent(format));
}

ScreenRect FormatFile::ScreenExtent(const Format& format) {
    ScreenRect extent(0, 0, 100, 100);
    for (const auto& control : format.controls) {
        if (!control->ConstantFlag() || control->Type() == ControlTypeCode::Etiqueta)
            extent = extent.United(control->CaptureScreenRect());
    }
    return extent;
}

QString FormatFile::ReadDescription(Archive& ar) {
    return ar.ReadString();
}

FormatHeader FormatFile::ReadHeader(Archive& ar) {
    FormatHeader header;
    header.description = ar.ReadString();
    const std::int32_t marker = ar.ReadInt32();
    if (marker < 0) {
        header.version = VersionFromMarker(marker);
        header.hasSettings = true;
        ReadSettings(ar, header.settings);
    }
    return header;
}

QStringList FormatFile::Load(const QString& path, Format& format, FormatSettings& settings) {
    return WithFile(path, [&](Archive& ar) {
        Format loaded;
        FormatSettings read = settings;
        Read(ar, loaded, read);
        format = std::move(loaded);
        settings = read;
        return ar.Warnings();
    });
}

QStringList FormatFile::Save(const QString& path, const Format& format,
                             const FormatSettings& settings) {
    QStringList warnings;
    try {
        SafeFile file(path);
        file.Open();
        Archive ar(file, Archive::Mode::Store);
        Write(ar, format, settings);
        ar.Flush();
        warnings = ar.Warnings();
        file.Commit();
    } catch (const FileError& e) {
        throw FormatError(e.Message());
    } catch (const ArchiveException& e) {
        throw FormatError(e.Describe(path));
    } catch (const FormatError& e) {
        throw FormatError(QStringLiteral("%1: %2").arg(path, e.Message()));
    }
    return warnings;
}

QString FormatFile::LoadDescription(const QString& path) {
    return WithFile(path, [](Archive& ar) { return ReadDescription(ar); });
}

FormatHeader FormatFile::LoadHeader(const QString& path) {
    return WithFile(path, [](Archive& ar) { return ReadHeader(ar); });
}
