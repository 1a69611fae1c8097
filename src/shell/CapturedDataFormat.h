#pragma once

#include <QString>
#include <QStringList>

// Which format a captured-data file (.cap) belongs to, found from the file alone, so that a
// .cap named on the command line opens with its own format. The file records only the format's
// file name (no folder); the format is looked for under that exact name beside the file first,
// since that is where the two are usually kept, and then in the folders given.
class CapturedDataFormat {
public:
    // The format's file name the captured data start with. A CaptureFileError when the file
    // cannot be read, or names no format or something that is not a bare file name.
    static QString RecordedName(const QString& capPath);
    // The first regular file named formatName in capPath's folder, then in each folder of
    // folders in turn; empty when there is none.
    static QString Locate(const QString& capPath, const QString& formatName,
                          const QStringList& folders);
    // Both steps: the absolute path of the format of the captured data at capPath. A
    // CaptureFileError, saying where the format was looked for, when it is not found.
    static QString FormatFor(const QString& capPath, const QStringList& folders);
};
