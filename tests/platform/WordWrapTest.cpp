#include "platform/WordWrap.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

// Each line measured whole with every word that might join it: the plain way of filling lines,
// whose breaks the word-by-word sums must give exactly.
QStringList MeasuredWhole(const QString& paragraph, const QFontMetricsF& fm, double width) {
    const QStringList words = paragraph.split(QLatin1Char(' '));
    QStringList lines;
    QString line = words.first();
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString candidate = line + QLatin1Char(' ') + words[i];
        if (fm.horizontalAdvance(candidate) <= width || line.trimmed().isEmpty()) {
            line = candidate;
        } else {
            lines << line;
            line = words[i];
        }
    }
    lines << line;
    return lines;
}

QFont Font(int pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setKerning(false);
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TEST(WordWrapTest, BreaksAsWholeLinesMeasureThem) {
    // Words with pairs that fonts like to join (fi, ffl), accents, capitals, digits and runs of
    // blanks; boxes of random widths and boxes exactly as wide as some line.
    const QStringList vocabulary = {
        QStringLiteral("fi"),       QStringLiteral("affluent"),
        QStringLiteral("Núñez"),    QStringLiteral("WAVE"),
        QStringLiteral("1,234.50"), QStringLiteral(""),
        QStringLiteral("a"),        QStringLiteral("Lorem"),
        QStringLiteral("ipsum"),    QStringLiteral("ΩMEGA"),
        QStringLiteral("tab\tbed"), QStringLiteral("supercalifragilistic")};
    QRandomGenerator random(20261208);
    for (int pixels : {7, 13, 40}) {
        const QFontMetricsF fm(Font(pixels));
        for (int sample = 0; sample < 150; ++sample) {
            QStringList words;
            const int count = random.bounded(1, 60);
            for (int i = 0; i < count; ++i)
                words << vocabulary[random.bounded(static_cast<int>(vocabulary.size()))];
            const QString paragraph = words.join(QLatin1Char(' '));
            double width = random.bounded(1, 40 * pixels);
            if (sample % 3 == 0) // as wide as a line of some of the words, to the last fraction
                width = fm.horizontalAdvance(words.mid(0, random.bounded(1, count + 1)).join(' '));
            EXPECT_EQ(WordWrap::Lines(paragraph, fm, width, TextLayout::WordBreak)
                          .join('|')
                          .toStdString(),
                      MeasuredWhole(paragraph, fm, width).join('|').toStdString())
                << pixels << " px, width " << width;
        }
    }
}

// Paragraphs long enough that measuring each line again with every word would take minutes.
TEST(WordWrapTest, LongParagraphsAreFilledInOnePass) {
    const QFontMetricsF fm(Font(40));
    QStringList words;
    for (int i = 0; i < 32000; ++i)
        words << QStringLiteral("palabra%1").arg(i % 97);
    const QString paragraph = words.join(QLatin1Char(' '));
    const QStringList lines = WordWrap::Lines(paragraph, fm, 200000, TextLayout::WordBreak);
    EXPECT_EQ(lines.join(QLatin1Char(' ')), paragraph);
    for (const QString& line : lines)
        EXPECT_LE(fm.horizontalAdvance(line), 200000);
    EXPECT_GT(fm.horizontalAdvance(lines.first() + QStringLiteral(" palabra0")), 200000);

    // A word, 80,000 blanks and a word: the first line takes blanks up to the edge, and the
    // second, blank until its last word, takes every word whatever its width.
    const QString blanks =
        QStringLiteral("a") + QString(80000, QLatin1Char(' ')) + QStringLiteral("b");
    const QStringList spaced = WordWrap::Lines(blanks, fm, 2000, TextLayout::WordBreak);
    ASSERT_EQ(spaced.size(), 2);
    EXPECT_EQ(spaced.join(QLatin1Char(' ')), blanks);
    EXPECT_LE(fm.horizontalAdvance(spaced[0]), 2000);
    EXPECT_GT(fm.horizontalAdvance(spaced[0] + QLatin1Char(' ')), 2000);
}

TEST(WordWrapTest, AHugeValueIsLaidOutOnlyAsFarAsABoxShows) {
    const QFontMetricsF fm{QFont(QStringLiteral("Liberation Sans"), 10)};
    // Four megabytes without a blank: one line, laid out only to its bound.
    const QString unbroken(4 * 1024 * 1024, QLatin1Char('x'));
    const QStringList one = WordWrap::Lines(unbroken, fm, 300, TextLayout::WordBreak);
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one.first().size(), WordWrap::kMostLineCharacters);
    EXPECT_EQ(WordWrap::Lines(unbroken, fm, 300, TextLayout::SingleLine).first().size(),
              WordWrap::kMostLineCharacters);
    // Many words in a box of three lines: three lines, the first ones.
    QString words;
    for (int i = 0; i < 100000; ++i)
        words += QStringLiteral("palabra%1 ").arg(i);
    const QStringList three = WordWrap::Lines(words, fm, 300, TextLayout::WordBreak, 3);
    ASSERT_EQ(three.size(), 3);
    EXPECT_TRUE(three.first().startsWith(QStringLiteral("palabra0 palabra1")));
    EXPECT_EQ(WordWrap::Lines(words, fm, 300, TextLayout::WordBreak).mid(0, 3), three);
}
