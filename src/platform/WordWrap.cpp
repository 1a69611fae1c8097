#include "platform/WordWrap.h"

#include <QFontMetricsF>

QStringList WordWrap::Lines(const QString& text, const QFontMetricsF& fm, double width,
                            TextLayoutFlags layout) {
    QString clean = text;
    clean.remove(QLatin1Char('\r'));
    if (layout & TextLayout::SingleLine) {
        clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return {clean};
    }
    const double nearEdge = fm.horizontalAdvance(QLatin1Char(' ')) + 1.0;
    QStringList lines;
    for (const QStringView paragraph : QStringView(clean).split(QLatin1Char('\n'))) {
        if (!(layout & TextLayout::WordBreak)) {
            lines << paragraph.toString();
            continue;
        }
        const QList<QStringView> words = paragraph.split(QLatin1Char(' '));
        QString line = words.first().toString();
        double lineWidth = fm.horizontalAdvance(line);
        // A line of blanks alone takes the next word whatever its width.
        bool blank = words.first().trimmed().isEmpty();
        QString piece;
        for (qsizetype i = 1; i < words.size(); ++i) {
            const QStringView word = words[i];
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
        lines << line;
    }
    return lines;
}
