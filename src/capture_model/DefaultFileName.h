#pragma once

#include "model/Format.h"

#include <QString>

// The names the capture window offers for what it writes (a captured-data file, a printout to a
// file, a PDF), so that one job is never offered the name of another: each is named after the
// format and the fill it holds, in the format's folder.
class DefaultFileName {
public:
    // The longest part of a name a field's value gives: a folio, not a paragraph.
    static constexpr int kMostValueCharacters = 60;

    // The value that tells this fill of the format from another: the capture field named FOLIO
    // (any case) when it holds a value, else the first capture field in capture order with a
    // typed text. Empty when no field holds one.
    static QString Folio(const ControlList& controls);
    // "factura-A-1024.cap": the format's name and the folio, in the format's folder, with the
    // suffix given. Without a folio, "factura.cap".
    static QString ForValues(const QString& formatPath, const ControlList& controls,
                             const QString& suffix);
    // "factura-calibración.pdf": the format's name and what the job is, in the format's folder.
    static QString ForJob(const QString& formatPath, const QString& job, const QString& suffix);
    // The text with every character a file name cannot hold (a folder separator, a character
    // some systems refuse) replaced by "-", line breaks and runs of blanks made one blank, none
    // at either end, at most kMostValueCharacters long.
    static QString Cleaned(const QString& text);
};
