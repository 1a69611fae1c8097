#pragma once

#include <QString>

// What the entry boxes of the capture screen make of a text, as model functions: a field filled
// in by a script or a batch holds exactly what the user's typing would have left in its box.
// A one-line box keeps at most its limit of characters and, in a capitals-only field, turns
// every letter into a capital; a multi-line box keeps its line breaks as "\n".
class EntryRules {
public:
    // The most characters a one-line box takes when nothing else limits it.
    static constexpr int kLongestLine = 32767;

    // The text a one-line box of that limit holds after the text is set into it or typed over
    // all it held: cut at the limit, then in capitals when upperCase, cut again where the
    // capitals came out longer (ß is SS).
    static QString Line(const QString& text, int limit, bool upperCase);
    // The text a multi-line box holds after the text is set into it or typed over all it held:
    // a CR LF pair, a lone CR and the paragraph, line and frame separators become one "\n",
    // a no-break space a blank; in capitals when upperCase (a box that takes capitals turns
    // typed letters into capitals, not those of a text set whole).
    static QString Paragraph(const QString& text, bool upperCase);
};
