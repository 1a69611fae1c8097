#pragma once

#include "model/AmountWording.h"
#include "model/Paper.h"

#include <QJsonObject>
#include <QString>

// What Plenova keeps of a format that the .fmt has no place for, whose bytes must stay as they
// are: the paper it is printed on, the wording of its amounts in words and the reference
// backdrop of the designer. It lives beside the format in a small JSON file of its own,
// "factura.fmt.plenova", written together with the format and copied with it by "Guardar
// como".
//
// A format without the file has the defaults: letter upright, the traditional wording, no
// backdrop. A damaged file never stops a format from opening: what cannot be used falls back to
// its default and the reader says so in one sentence. Keys a later version wrote are kept and
// written back untouched.
class PlenovaSettings {
public:
    // The file beside the format is a few lines; anything larger is not one.
    static constexpr qint64 kMaxFileBytes = 256 * 1024;

    struct Loaded;

    Paper paper;
    AmountWording wording = AmountWording::Traditional;

    // "factura.fmt" keeps its settings in "factura.fmt.plenova"; before they were gathered
    // there, the backdrop alone was kept in "factura.fmt.fondo".
    static QString PathFor(const QString& formatPath);
    static QString OldBackdropPathFor(const QString& formatPath);

    // Reads the settings kept beside the format, or the old backdrop file when there is no new
    // one. Never throws: a missing file gives the defaults silently, a damaged one gives what
    // could be used and a warning for the user.
    static Loaded LoadFor(const QString& formatPath);
    // Writes the settings beside the format through a safe write: a failure throws
    // PlenovaError and leaves the old file as it was. Settings that are all defaults write no
    // new file, but replace one that is there. Once the new file is written an old backdrop
    // file is removed: its record lives on in the new one.
    void SaveFor(const QString& formatPath) const;

    // The record of the reference backdrop, which the backdrop itself reads and checks; empty
    // when the format has none.
    const QJsonObject& BackdropRecord() const { return m_backdrop; }
    void SetBackdropRecord(const QJsonObject& record) { m_backdrop = record; }
    // The name a format at formatPath keeps its backdrop's picture under: relative when the
    // picture lies in the format's folder or below it, so that the folder can be copied
    // elsewhere whole, absolute otherwise.
    static QString PictureNameFor(const QString& picturePath, const QString& formatPath);
    // The same settings for a copy of the format from fromFormat at toFormat: a backdrop picture
    // named relative to the old folder is named again from the new one.
    PlenovaSettings MovedTo(const QString& fromFormat, const QString& toFormat) const;

    // The JSON text the file holds, and the settings read back from such a text. Reading fills
    // problem with what could not be used (empty when all of it could).
    QByteArray ToJson() const;
    static PlenovaSettings FromJson(const QByteArray& json, QString& problem);

    bool IsDefault() const;
    // Whether the file beside the format named its paper. A format whose file names none
    // leaves the paper to the printer's own settings.
    bool NamesPaper() const { return m_read.contains(QStringLiteral("paper")); }
    // Equal paper, wording and backdrop; the keys kept for a later version do not count.
    bool SameAs(const PlenovaSettings& other) const;

    // "tradicional" and "gramatical", as files and the command line write them; nothing for
    // any other name.
    static QString WordingName(AmountWording wording);
    static std::optional<AmountWording> WordingFromName(const QString& name);

private:
    QJsonObject m_backdrop;
    // Everything the file held, known keys or not, so that a later version's keys survive.
    QJsonObject m_read;
};

struct PlenovaSettings::Loaded {
    PlenovaSettings settings;
    // What to tell the user about a file that could not be used whole; empty otherwise.
    QString warning;
};
