#pragma once

#include "model/Format.h"
#include "platform/PlenovaError.h"
#include "platform/Point.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class CControles;

// Controls on their way from one format to another (or to another place of the same one): the
// records they have in a format file, in drawing order, behind a short header, as the clipboard
// carries them between design windows and between two running copies of Plenova. An image's
// record carries its whole picture, so the picture travels with it.
//
// What comes back is outside data: another program may have put anything under the same type.
// A payload that does not read whole, or reads with anything left over, is refused with a
// sentence for the user; nothing is allocated beyond what the bytes themselves hold.
class ControlTransfer {
public:
    // The clipboard type the payload travels under.
    static QString MimeType() { return QStringLiteral("application/x-plenova-controles"); }
    // "PLNC" read as a little-endian integer, and the layout of what follows it.
    static constexpr std::int32_t kMagic = 0x434E4C50;
    static constexpr std::int32_t kVersion = 1;
    // The most controls one payload may declare; far beyond any format drawn by hand.
    static constexpr std::int32_t kMostControls = 100'000;
    // The most bytes read: the same bound as a format file.
    static constexpr qint64 kMostBytes = qint64{256} * 1024 * 1024;
    // Where a paste lands when it is not put at the pointer: 2 mm right of and below the
    // originals.
    static constexpr int kPasteOffset = 20;

    // The controls that could not be read back, and why.
    class Refused : public PlenovaError {
    public:
        using PlenovaError::PlenovaError;
    };

    struct Decoded {
        // In drawing order, the lowest layer first.
        ControlList controls;
        // What did not stop the reading: a picture that cannot be shown.
        QStringList warnings;
    };

    // The controls' records in the order given (the caller gives them in drawing order).
    static QByteArray Encode(const std::vector<const CControles*>& controls);
    // What a text editor gets of them: the text each shows or the name it has, one per line;
    // lines, rectangles and images have none.
    static QString Texts(const std::vector<const CControles*>& controls);
    // Throws Refused for anything but a whole payload of Plenova's.
    static Decoded Decode(const QByteArray& bytes);

    // Makes pasted controls fit into target: each capture field takes a name no control of the
    // target has (the first free one counting on from the digits it ends in: FOLIO becomes
    // FOLIO2, FOLIO2 FOLIO3), the capture fields number on after the target's highest capture
    // order in the order they had, and the group moves so that its upper-left corner lies at
    // topLeft, or, without one, 2 mm from where the originals lay (and 2 mm further for every
    // earlier paste already lying there).
    static void FitInto(const Format& target, ControlList& pasted, std::optional<Point> topLeft);
    // The name itself when taken says it is free, otherwise the first free one counting on from
    // its final digits (from 2 for a name without any).
    static QString FreeName(const QString& name, const std::function<bool(const QString&)>& taken);
};
