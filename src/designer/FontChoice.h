#pragma once

#include "platform/LogFont.h"

#include <QFont>

// A control's font record as the font dialog shows it, and back. The record's height is in
// page units (0.1 mm; negative, the character height; positive, the cell height); the dialog
// speaks points of character height. What a user picks in the dialog is the size that prints.
class FontChoice {
public:
    // The font the dialog opens on: the record's face as the font database names it (a face the
    // system lacks, such as Arial, becomes the face the system puts in its place), its character
    // height in points, weight, italic, underline and strike-out.
    static QFont ToQFont(const LogFont& font);
    // The record after the user took the dialog from shown (what it showed on opening) to
    // chosen. Only what the user changed there (face, size, weight, italic, underline,
    // strike-out) is taken from chosen; everything else keeps the record's bytes, so a dialog
    // accepted untouched gives the record back as it was. A new face or size drops the record's
    // character width, which belonged to the old font.
    static LogFont Apply(const LogFont& record, const QFont& shown, const QFont& chosen);
    // The record the font for every control starts from: Arial, 4 mm high, normal weight, the
    // Western character set, TrueType output, proof quality, a Swiss face.
    static LogFont PresetForAll();
};
