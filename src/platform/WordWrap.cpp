#include "platform/WordWrap.h"

#include <QFontMetricsF>

namespace {

// A run of text is laid out at most this long: far wider than any sheet at any legible size, it
// keeps a value of megabytes without a break from being shaped (and held, glyph by glyph) whole.
QStringView Bounded(QStringView run) {
    return run.size() > WordWrap::kMostLineCharacters ? run.first(WordWrap::kMostLineCharacters)
                                                      : run;
}

} // namespace

QStringList WordWrap::Lines(const QString& text, const QFontMetricsF& fm, double width,
                            TextLayoutFlags layout, qsizetype mostLines) {
    QString clean = text;
    clean.remove(QLatin1Char('\r'));
    if (layout & TextLayout::SingleLine) {
        clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return {Bounded(clean).toString()};
    }
    const double nearEdge = fm.horizontalAdvance(QLatin1Char(' ')) + 1.0;
    QStringList lines;
    for (const QStringView paragraph : QStringView(clean).split(QLatin1Char('\n'))) {
        if (lines.size() >= mostLines)
            break;
        if (!(layout & TextLayout::WordBreak)) {
            lines << Bounded(paragraph).toString();
            continue;
        }
        const QList<QStringView> words = paragraph.split(QLatin1Char(' '));
        QString line = Bounded(words.first()).toString();
        double lineWidth = fm.horizontalAdvance(line);
        // A line of blanks alone takes the next word whatever its width.
        bool blank = words.first().trimmed().isEmpty();
        QString piece;
        for (qsizetype i = 1; i < words.size() && lines.size() < mostLines; ++i) {
            const QStringView word = Bounded(words[i]);
            piece.clear();
            piece += QLatin1Char(' ');
            piece += word;
            // A tab reaches the next tab stop from wherever it stands, so a word holding one is
            // measured where it stands; what follows a tab adds its own width again.
            const bool tab = word.contains(QLatin1Char('\t'));
            double wider =
                tab ? fm.horizontalAdvance(line + piece) : lineWidth + fm.horizontalAdvance(piece);
            bool fits = blank || wider <= (tab ? width : width - nearEdge);
            if (!fits && !tab && wider <= width + nearEdge) {
                wider = fm.horizontalAdvance(line + piece);
                fits = wider <= width;
            }
            if (fits) {
                line += piece;
                lineWidth = wider;
                blank = blank && word.trimmed().isEmpty();
            } else {
                lines << line;
                line = word.toString();
                lineWidth = fm.horizontalAdvance(line);
                blank = word.trimmed().isEmpty();
            }
        }
        if (lines.size() < mostLines)
            lines << line;
    }
    return lines;
}
