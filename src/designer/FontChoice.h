#pragma once

#include "platform/LogFont.h"

#include <QFont>

// A control's font record as the font dialog shows it, and back. The record's height is in
// page units (0.1 mm; negative, the character height); the dialog speaks points. What a user
// picks in the dialog is the size that prints.
class FontChoice {
public:
    static QFont ToQFont(const LogFont& font);
    // The record for a font picked in the dialog: face, character height, weight, italic,
    // underline and strike-out from the choice; the rest of the record (character set,
    // precision, quality, family) kept from base.
    static LogFont FromQFont(const QFont& font, const LogFont& base);
    // The record the font for every control starts from: Arial, 4 mm, normal weight, the
    // Western character set, TrueType output, proof quality, a Swiss face.
    static LogFont PresetForAll();
};
