#include "capture_model/CTableData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Columns titled A, B, C..., typed as numbers with two decimals unless a formula is given.
std::vector<TableColumn> Columns(std::initializer_list<const char*> formulas) {
    std::vector<TableColumn> columns;
    char title = 'A';
    for (const char* f : formulas) {
        TableColumn c;
        c.title = QString(QLatin1Char(title++));
        c.expression = QString::fromLatin1(f);
        c.dataType = c.expression.isEmpty() ? DataTypeCode::Numero : DataTypeCode::NumeroCalculado;
        columns.push_back(c);
    }
    return columns;
}

CTableData Store(std::initializer_list<const char*> formulas, int rows = 3) {
    return CTableData(Columns(formulas), rows, FormatSettings(), QLocale::c());
}

TEST(CTableDataTest, FormulaFollowsItsColumnsAndFormatsByTheColumnType) {
    CTableData t = Store({"", "", "C1*C2"});
    t.SetCell(1, 2, QStringLiteral("3"), false);
    t.SetCell(2, 2, QStringLiteral("4"), false);
    EXPECT_EQ(t.GetCell(3, 2), "12.00");
    EXPECT_EQ(t.CellValue(3, 2), 12.0);
    t.SetCell(1, 2, QStringLiteral("5"), false);
    EXPECT_EQ(t.GetCell(3, 2), "20.00");
    EXPECT_EQ(t.GetCell(1, 2), "5.00");
    EXPECT_EQ(t.GetCell(3, 1), ""); // other rows are left alone

    // The value is the amount of the text as given, not of the formatted text.
    t.SetCell(1, 1, QStringLiteral("2.346"), true);
    EXPECT_EQ(t.GetCell(1, 1), "2.35");         // shown with the format's decimals...
    EXPECT_DOUBLE_EQ(t.CellValue(1, 1), 2.346); // ...counted as typed
    EXPECT_EQ(t.GetCell(3, 1), "");             // and no recalculation was asked for
}

TEST(CTableDataTest, FormulasWorkStrictlyLeftToRightAndChainThroughColumns) {
    CTableData t = Store({"", "", "", "C1+C2*C3"});
    t.SetCell(1, 1, QStringLiteral("1"), true);
    t.SetCell(2, 1, QStringLiteral("2"), true);
    t.SetCell(3, 1, QStringLiteral("3"), false);
    EXPECT_EQ(t.CellValue(4, 1), 9.0);

    // Column 4 names column 3, which names column 1: a change of column 1 reaches both.
    CTableData chain = Store({"", "", "C1*C2", "C3+1"});
    chain.SetCell(2, 1, QStringLiteral("4"), false);
    chain.SetCell(1, 1, QStringLiteral("3"), false);
    EXPECT_EQ(chain.GetCell(3, 1), "12.00");
    EXPECT_EQ(chain.GetCell(4, 1), "13.00");

    // A small c is no column reference: it reads as a number, and no change reaches it.
    CTableData lower = Store({"", "", "c1*c2"});
    lower.SetCell(1, 1, QStringLiteral("3"), false);
    lower.SetCell(2, 1, QStringLiteral("4"), false);
    EXPECT_EQ(lower.GetCell(3, 1), "");
    lower.SetCell(3, 1, QStringLiteral("7"), false);
    EXPECT_EQ(lower.GetCell(3, 1), "7.00");
}

TEST(CTableDataTest, CyclesStopAndColumnsOutsideTheRowCountZero) {
    // Columns 2 and 3 name each other; column 1 starts it. Each is computed once per pass.
    CTableData t = Store({"", "C1+C3", "C2*2"});
    t.SetCell(1, 1, QStringLiteral("5"), false);
    EXPECT_EQ(t.CellValue(2, 1), 5.0); // column 3 was still 0
    EXPECT_EQ(t.CellValue(3, 1), 10.0);
    // A column that names itself is worked out once more from its own new value, and no more.
    CTableData self = Store({"", "C2+C1"});
    self.SetCell(1, 1, QStringLiteral("1"), false);
    EXPECT_EQ(self.CellValue(2, 1), 2.0);

    // C0 and C9 in a three-column table read 0, in whatever row, even the last.
    CTableData outside = Store({"", "C0+C1+C9", "C1*C9"}, 2);
    outside.SetCell(1, 2, QStringLiteral("4"), false);
    EXPECT_EQ(outside.CellValue(2, 2), 4.0);
    EXPECT_EQ(outside.GetCell(3, 2), "0.00");
}

TEST(CTableDataTest, ForkedColumnsChainedInALadderAreEachComputedOnceFromFinalValues) {
    // Column 1 is typed; each step forks into two columns that a third joins again, 40 steps.
    std::vector<std::string> formulas = {""};
    for (int step = 0; step < 40; ++step) {
        const int previous = static_cast<int>(formulas.size());
        formulas.push_back("C" + std::to_string(previous) + "+1");
        formulas.push_back("C" + std::to_string(previous) + "*2");
        const int fork = static_cast<int>(formulas.size());
        formulas.push_back("C" + std::to_string(fork - 1) + "+C" + std::to_string(fork));
    }
    std::vector<TableColumn> columns;
    for (const std::string& f : formulas) {
        TableColumn c;
        c.expression = QString::fromStdString(f);
        c.dataType = f.empty() ? DataTypeCode::Numero : DataTypeCode::NumeroCalculado;
        columns.push_back(c);
    }
    CTableData t(columns, 2, FormatSettings(), QLocale::c());
    t.SetCell(1, 2, QStringLiteral("1"), false);
    double d = 1;
    for (int step = 1; step <= 40; ++step) {
        d = (d + 1) + d * 2;
        ASSERT_EQ(t.CellValue(1 + 3 * step, 2), d) << step;
    }
    EXPECT_EQ(t.GetCell(4, 2), "4.00");
    EXPECT_EQ(t.GetCell(4, 1), ""); // the other row is not touched
}

TEST(CTableDataTest, ComputedCellsReadBackInACommaLocale) {
    CTableData t(Columns({"", "", "C1*C2", "C3+1"}), 1, FormatSettings(),
                 QLocale(QStringLiteral("de_DE")));
    t.SetCell(1, 1, QStringLiteral("2"), false);
    t.SetCell(2, 1, QStringLiteral("150,25"), false);
    EXPECT_EQ(t.GetCell(3, 1), "300,50");
    EXPECT_EQ(t.GetCell(4, 1), "301,50");
    EXPECT_DOUBLE_EQ(t.ColumnTotal(QStringLiteral("D")), 301.5);
}

TEST(CTableDataTest, InfiniteAndUndefinedResultsShowOneText) {
    std::vector<TableColumn> columns = Columns({"", "", "C1/C2", "C1/C2"});
    columns[3].dataType = DataTypeCode::Texto;
    CTableData t(columns, 1, FormatSettings(), QLocale::c());
    t.SetCell(1, 1, QStringLiteral("1"), false);
    EXPECT_EQ(t.GetCell(3, 1), "Indefinido");
    EXPECT_EQ(t.GetCell(4, 1), "Indefinido");
    EXPECT_TRUE(std::isinf(t.CellValue(4, 1)));
    t.SetCell(1, 1, QStringLiteral("-1"), false);
    EXPECT_EQ(t.GetCell(4, 1), "Indefinido");
    t.SetCell(1, 1, QStringLiteral("0"), false);
    EXPECT_EQ(t.GetCell(3, 1), "Indefinido");
    EXPECT_TRUE(std::isnan(t.CellValue(3, 1)));
}

TEST(CTableDataTest, TextANumberColumnDoesNotReadStaysAsTypedAndCountsZero) {
    std::vector<TableColumn> columns = Columns({"", "", "C1*C2", ""});
    columns[3].dataType = DataTypeCode::Texto;
    CTableData t(columns, 2, FormatSettings(), QLocale(QStringLiteral("es_MX")));
    t.SetCell(1, 1, QStringLiteral("3"), false);
    t.SetCell(2, 1, QStringLiteral("8500,50"), false);
    EXPECT_EQ(t.GetCell(2, 1), "8500,50");
    EXPECT_EQ(t.CellValue(2, 1), 0.0);
    EXPECT_EQ(t.GetCell(3, 1), "0.00");
    EXPECT_TRUE(t.IsUnreadNumber(2, 1));
    // A formula's result, an empty cell, a text column and a mended cell are not marked.
    EXPECT_FALSE(t.IsUnreadNumber(3, 1));
    EXPECT_FALSE(t.IsUnreadNumber(1, 2));
    t.SetCell(4, 1, QStringLiteral("ocho mil"), false);
    EXPECT_FALSE(t.IsUnreadNumber(4, 1));
    t.SetCell(2, 1, QStringLiteral("8,500.50"), false);
    EXPECT_EQ(t.GetCell(2, 1), "8500.50");
    EXPECT_FALSE(t.IsUnreadNumber(2, 1));
    EXPECT_EQ(t.GetCell(3, 1), "25501.50");
    // Nor is the word of a division by zero, while the same word typed is.
    CTableData d(Columns({"", "", "C1/C2"}), 1, FormatSettings(), QLocale::c());
    d.SetCell(1, 1, QStringLiteral("1"), false);
    EXPECT_EQ(d.GetCell(3, 1), "Indefinido");
    EXPECT_FALSE(d.IsUnreadNumber(3, 1));
    d.SetCell(1, 1, QStringLiteral("Indefinido"), false);
    EXPECT_TRUE(d.IsUnreadNumber(1, 1));
}

TEST(CTableDataTest, RowsAreDeletedCopiedAndTotalledByTitle) {
    CTableData t = Store({"", ""}, 3);
    for (int r = 1; r <= 3; ++r)
        t.SetCell(1, r, QString::number(r * 10), true);
    EXPECT_EQ(t.ColumnTotal(QStringLiteral("a")), 60.0); // without regard to case
    EXPECT_EQ(t.ColumnTotal(QStringLiteral("Z")), 0.0);
    t.DeleteRow(1);
    EXPECT_EQ(t.GetCell(1, 1), "20.00");
    EXPECT_EQ(t.GetCell(1, 2), "30.00");
    EXPECT_EQ(t.GetCell(1, 3), "");
    EXPECT_EQ(t.ColumnTotal(QStringLiteral("A")), 50.0);
    t.CopyRow(1, 3);
    EXPECT_EQ(t.GetCell(1, 3), "20.00");
    EXPECT_EQ(t.CellValue(1, 3), 20.0);
    t.CopyRow(1, 4); // beyond the rows: nothing
    t.DeleteRow(4);
    EXPECT_EQ(t.ColumnTotal(QStringLiteral("A")), 70.0);
    t.SetCell(0, 1, QStringLiteral("9"), false);
    t.SetCell(3, 1, QStringLiteral("9"), false);
    EXPECT_EQ(t.GetCell(3, 1), "");
    t.ClearAll();
    EXPECT_EQ(t.GetCell(1, 1), "");
    EXPECT_EQ(t.ColumnTotal(QStringLiteral("A")), 0.0);
}

// Two columns with the same title: the first one counts.
TEST(CTableDataTest, TotalTakesTheFirstColumnOfATitleAndFollowsNewColumns) {
    std::vector<TableColumn> columns = Columns({"", ""});
    columns[1].title = QStringLiteral("a");
    CTableData t(columns, 1, FormatSettings(), QLocale::c());
    t.SetCell(1, 1, QStringLiteral("1"), false);
    t.SetCell(2, 1, QStringLiteral("2"), false);
    EXPECT_EQ(t.ColumnTotal(QStringLiteral("A")), 1.0);
    columns[1].expression = QStringLiteral("C1+1");
    t.SetColumns(columns);
    t.SetCell(1, 1, QStringLiteral("4"), false);
    EXPECT_EQ(t.GetCell(2, 1), "5.00");
}

} // namespace
