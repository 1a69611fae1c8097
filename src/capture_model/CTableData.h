#pragma once

#include "capture_model/TableColumn.h"
#include "model/FormatSettings.h"

#include <QLocale>
#include <QString>

#include <utility>
#include <vector>

// The cells of a table: the text each cell shows and prints, formatted by its column's data
// type, and the number it counts as in formulas and totals. Cells are addressed by column and row
// counted from 1; any other number addresses no cell, and operations on it do nothing.
//
// A column's formula is arithmetic over the cells of the same row, worked strictly from left to
// right without precedence: C1*C2, C1+C2*C3 ((C1 + C2) x C3), C3+1. An operand that begins with
// a capital C names a column by the number after it; any other operand is a number in the
// locale's form, and what does not read as one counts 0. Formulas are cut into operands once,
// when the store is made or its columns are given again, and not at every recalculation.
class CTableData {
public:
    // rowCount rows of the given columns, every cell empty and 0.
    CTableData(const std::vector<TableColumn>& columns, int rowCount,
               const FormatSettings& settings = FormatSettings(),
               const QLocale& locale = QLocale());

    int ColumnCount() const { return m_columnCount; }
    int RowCount() const { return m_rowCount; }

    // New titles, data types or formulas for the same number of columns; the cells stay. A
    // different number of columns is ignored: the table makes a new store for it.
    void SetColumns(const std::vector<TableColumn>& columns);
    // The decimals and the currency sign new texts are formatted with.
    void UseSettings(const FormatSettings& settings) { m_settings = settings; }

    // The cell's text, empty for a cell that does not exist.
    QString GetCell(int column, int row) const;
    // The cell's number, 0 for a cell that does not exist.
    double CellValue(int column, int row) const;
    // Stores text formatted by the column's data type, and as the cell's number the amount the
    // text itself reads as. Text a number or amount column does not read is kept as it is and
    // counts 0. Unless noRecalc, the formulas of the row that depend on the column are
    // recomputed.
    void SetCell(int column, int row, const QString& text, bool noRecalc);
    // Whether the cell of a number or amount column holds text that reads as no number.
    bool IsUnreadNumber(int column, int row) const;
    // Recomputes, in this row, every formula that names column changed, and what depends on each
    // of those: each column once, after the columns it names. Formulas that name each other in
    // a circle are each worked out once, so the circle stops.
    void RecalculateRow(int changed, int row);
    // Empties one cell, its text and its value, without formatting anything.
    void ClearCell(int column, int row);
    // Every text empty, every number 0.
    void ClearAll();
    // Rows row+1.. move up by one; the last row becomes empty.
    void DeleteRow(int row);
    // Copies the texts and numbers of row from onto row to.
    void CopyRow(int from, int to);
    // The sum of the numbers of the first column whose title equals title, regardless of case;
    // 0 when no column has that title.
    double ColumnTotal(const QString& title) const;

private:
    // One operand of a formula, with the operator that combines it with what comes before.
    struct Operand {
        char op = 0;           // '+', '-', '*', '/'; ignored on the first operand
        int column = 0;        // the column an operand Cn names (n, any number), 0 for a number
        bool isColumn = false; // the operand begins with C
        double number = 0;     // the amount a number operand reads as
    };
    struct Formula {
        std::vector<Operand> operands;
        // The columns the formula names exactly as "C%d" writes them: those whose change
        // recomputes it.
        std::vector<int> references;
    };

    bool IsCell(int column, int row) const;
    std::size_t Index(int column, int row) const;
    QString FormatCell(const QString& text, int column) const;
    double Evaluate(const Formula& formula, int row) const;
    void Recalculate(int changed, int row);
    Formula Compile(const QString& expression) const;

    int m_columnCount = 0;
    int m_rowCount = 0;
    std::vector<QString> m_titles;
    std::vector<DataTypeCode> m_dataTypes;
    std::vector<Formula> m_formulas;
    std::vector<QString> m_texts;
    std::vector<double> m_values;
    FormatSettings m_settings;
    QLocale m_locale;
    // By column number: the columns whose formulas name it (itself left out), and whether its
    // own formula names it.
    std::vector<std::vector<int>> m_referrers;
    std::vector<char> m_namesItself;
    // The working state of a recalculation, kept between calls so that it allocates nothing
    // once the row has been recomputed once.
    std::vector<char> m_seen;
    std::vector<int> m_order;
    std::vector<std::pair<int, std::size_t>> m_walk;
};
