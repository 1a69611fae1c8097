#pragma once

#include "model/PageRect.h"
#include "model/ScreenRect.h"
#include "platform/ColorRef.h"
#include "platform/LogFont.h"

#include <QByteArray>
#include <QString>

class CControles;

// Everything of one control that the format file keeps, taken at one moment so that the control
// can be put back exactly as it was: the base record's members as they are in memory, and the
// control's whole record as the format writer writes it, which carries its own members (a line's
// direction, a table's columns and rows, a field's expression).
//
// An undo step keeps two of these per control it touched. Restoring one makes the control write
// the same bytes it wrote when it was taken, which is what undoing and redoing a change must give
// back. A record is a couple of hundred bytes, except for an image, whose record would carry the
// whole picture file: no change of the designer touches an image's own record (its embedded
// file), so an image keeps only its base members and, when its size comes back different, its
// picture is fitted to the restored rectangle again.
class ControlSnapshot {
public:
    explicit ControlSnapshot(const CControles& control);

    // Puts the control back as it was when this was taken. The designer's state that no file
    // keeps (the selected flag, the screen-handles flag, a table's picked column and row, the
    // version the record was read with) stays as the control has it now.
    void Restore(CControles& control) const;

    friend bool operator==(const ControlSnapshot&, const ControlSnapshot&) = default;

private:
    PageRect m_pageRect;
    ScreenRect m_screenRect;
    LogFont m_font;
    ColorRef m_color = 0;
    QString m_text;
    bool m_screenPlaced = false;
    bool m_captionLeft = true;
    int m_alignment = 0;
    int m_captureOrder = 0;
    bool m_upperCase = false;
    // The whole record as written; empty for an image.
    QByteArray m_record;
};
