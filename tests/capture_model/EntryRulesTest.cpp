// What the entry boxes make of a text, worked out without a box.
#include "capture_model/EntryRules.h"

#include <gtest/gtest.h>

TEST(EntryRulesTest, OneLineBoxCutsAtItsLimitAndTakesCapitals) {
    EXPECT_EQ(EntryRules::Line(QStringLiteral("abcdef"), 4, false), QStringLiteral("abcd"));
    EXPECT_EQ(EntryRules::Line(QStringLiteral("abcdef"), 4, true), QStringLiteral("ABCD"));
    EXPECT_EQ(EntryRules::Line(QStringLiteral("Peña"), 10, true), QStringLiteral("PEÑA"));
    // A line break stays: only typing is kept to one line, not a text set whole.
    EXPECT_EQ(EntryRules::Line(QStringLiteral("a\nb"), 10, false), QStringLiteral("a\nb"));
    // ß becomes SS, which may not fit: the capitals are cut at the limit again.
    EXPECT_EQ(EntryRules::Line(QStringLiteral("maß"), 3, true), QStringLiteral("MAS"));
    EXPECT_EQ(EntryRules::Line(QString(), 3, true), QString());
}

TEST(EntryRulesTest, MultiLineBoxKeepsLineBreaksAsNewlines) {
    EXPECT_EQ(EntryRules::Paragraph(QStringLiteral("uno\r\ndos\rtres\ncuatro"), false),
              QStringLiteral("uno\ndos\ntres\ncuatro"));
    EXPECT_EQ(EntryRules::Paragraph(QStringLiteral("a\u2028b\u2029c"), false),
              QStringLiteral("a\nb\nc"));
    EXPECT_EQ(EntryRules::Paragraph(QStringLiteral("a\u00a0b"), false), QStringLiteral("a b"));
    EXPECT_EQ(EntryRules::Paragraph(QStringLiteral("calle 5\r\n"), true),
              QStringLiteral("CALLE 5\n"));
}
