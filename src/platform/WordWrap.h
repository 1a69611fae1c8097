#pragma once

#include "platform/DrawingSurface.h"

#include <QString>
#include <QStringList>

#include <limits>

class QFontMetricsF;

// The lines a text is drawn in: one per line break of the text, each cut further at blanks
// where the layout asks for word breaks, so that no line is wider than the box unless it is a
// single word (or begins with blanks only). A single-line layout joins everything into one line.
class WordWrap {
public:
    // Each line is filled word by word. Its width is kept as the sum of what each word adds, so
    // that a long paragraph costs one measurement per word and not one of the whole line so far;
    // only a line that comes within a blank of the box's edge is measured whole, since glyphs may
    // sit a little differently in the longer run, and so is a line that takes a word holding a
    // tab.
    //
    // At most mostLines lines come back, the first ones: a box that clips shows no more. A word,
    // or a line that is not broken, is laid out only up to kMostLineCharacters characters.
    static QStringList Lines(const QString& text, const QFontMetricsF& fm, double width,
                             TextLayoutFlags layout,
                             qsizetype mostLines = std::numeric_limits<qsizetype>::max());

    static constexpr qsizetype kMostLineCharacters = 20'000;
};
