#pragma once

#include "model/Format.h"
#include "model/FormatSettings.h"

#include <QStringList>

class Archive;

// The first fields of a format file: enough for a preview or for the access check.
struct FormatHeader {
    QString description;
    int version = 1;
    bool hasSettings = false;
    FormatSettings settings;
};

// Reading and writing `.fmt` files: the description, the version marker, the format settings
// with the author and key scrambled, the controls from the last layer to the first, and the
// size of the capture screen.
class FormatFile {
public:
    // Replaces the format's controls (each read control goes to the front, so the list comes
    // back as it was written) and, for a file that carries them, the settings. After an error
    // the controls made so far stay in the list, the last one possibly incomplete. Problems
    // that do not stop the work (a picture that cannot be shown) are the archive's warnings.
    static void Read(Archive& ar, Format& format, FormatSettings& settings);
    // Reads a format's bytes as a save wrote them (a designer's copy), returning the archive's
    // warnings; damaged bytes throw the reader's ArchiveException or FormatError.
    static QStringList ReadBytes(QByteArray bytes, Format& format, FormatSettings& settings);
    // Writes the whole format as it is, changing nothing of it; the caller flushes the archive.
    // Every window writes the same way: each field where the capture screen shows it, the
    // capture order as the windows' operations left it, and the screen extent worked out from
    // the capture controls and labels.
    static void Write(Archive& ar, const Format& format, const FormatSettings& settings);
    // The union of (0, 0, 100, 100) with where the capture screen shows every capture control
    // and label: the extent written at the end of the file.
    static ScreenRect ScreenExtent(const Format& format);
    static QString ReadDescription(Archive& ar);
    static FormatHeader ReadHeader(Archive& ar);

    // Whole files, with errors as FormatError naming the file. A load that fails leaves the
    // format and the settings as they were; only a regular file of at most kMaxFileBytes is
    // read. A save goes through SafeFile: a failed save never destroys the previous format.
    // Both give back the warnings met on the way, for the user to see.
    // The largest format file read: far beyond any format drawn by hand, small enough that a
    // file of random bytes named like a format is refused before it is read.
    static constexpr qint64 kMaxFileBytes = qint64{256} * 1024 * 1024;

    static QStringList Load(const QString& path, Format& format, FormatSettings& settings);
    static QStringList Save(const QString& path, const Format& format,
                            const FormatSettings& settings);
    static QString LoadDescription(const QString& path);
    static FormatHeader LoadHeader(const QString& path);

private:
    static void ReadSettings(Archive& ar, FormatSettings& settings);
};
