#pragma once

#include "model/Format.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

// The captured-data file (.cap) of a format: the format's file name, then one record per capture
// control, each its capture order and its value, up to the end of the file. The file holds no
// layout; it is loaded back into the same format, for reprinting or for finishing a capture.
//
// The capture window and plenova-cli use it over a format's control list, with or without
// entry widgets: the values live in the controls. Failures are CaptureFileError.
class CaptureFile {
public:
    // The file name a captured-data file records for a format: the part of the format's path
    // after its last "\", "/" or ":", extension included.
    static QString FormatNameOf(const QString& formatPath);

    // The largest captured-data file read (it is read whole, then checked): far beyond the
    // values of any format, small enough that a file of random bytes is refused at once.
    static constexpr qint64 kMaxFileBytes = qint64{256} * 1024 * 1024;

    // Writes the format name and every control's value record, from the head of the list. The
    // file is written through SafeFile, so a failed save leaves the previous file as it was.
    static void Save(const QString& path, const QString& formatName, const ControlList& controls);

    // Loads the values of a file saved for formatName (compared exactly, letter case included)
    // into the capture control of each record's capture order; where several share an order,
    // their records go to them in list order, as they were saved. Controls without a record
    // keep their values, and nothing is recomputed: a text line takes the loaded text as its value
    // and as the copy the calculation compares with, the number read with locale. The whole file
    // is checked before any value is set, so a file cut short, a length that lies or a capture
    // order of no capture control of the format leaves every value as it was. Only a regular
    // file of at most kMaxFileBytes is read. Returns the number of records loaded.
    static int Load(const QString& path, const QString& formatName, ControlList& controls,
                    const QLocale& locale = QLocale());

    // The file's bytes, as Save writes them.
    static QByteArray Bytes(const QString& formatName, const ControlList& controls);
    // Loads such bytes as Load loads a file's; path names them in messages.
    static int LoadBytes(QByteArray bytes, const QString& path, const QString& formatName,
                         ControlList& controls, const QLocale& locale = QLocale());
};
