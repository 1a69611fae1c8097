#pragma once

#include <QString>

// How the lines of a paragraph or a description end: with a carriage return and a line feed in
// the format, as every text the designer writes, and with a line feed in the boxes they are
// typed into.
class ParagraphLines {
public:
    static QString Shown(QString stored);
    static QString Stored(QString shown);
};
