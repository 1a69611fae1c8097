#include "capture_model/CTableData.h"

#include "capture_model/ValueText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

bool IsOperator(QChar c) {
    return c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('*') ||
           c == QLatin1Char('/');
}

// The number after the C of a column operand, read as the C library's atoi reads it: blanks, a
// sign, then digits up to the first other character. Too large a number names no column.
int ColumnNumber(const QString& token) {
    qsizetype i = 1;
    while (i < token.size() && token[i].isSpace() && token[i].unicode() < 128)
        ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == QLatin1Char('+') || token[i] == QLatin1Char('-'))) {
        negative = token[i] == QLatin1Char('-');
        ++i;
    }
    std::int64_t n = 0;
    for (; i < token.size() && token[i] >= QLatin1Char('0') && token[i] <= QLatin1Char('9'); ++i)
        n = std::min<std::int64_t>(n * 10 + (token[i].unicode() - u'0'), INT32_MAX);
    return static_cast<int>(negative ? -n : n);
}

} // namespace

CTableData::CTableData(const std::vector<TableColumn>& columns, int rowCount,
                       const FormatSettings& settings, const QLocale& locale)
    : m_columnCount(static_cast<int>(columns.size())), m_rowCount(std::max(0, rowCount)),
      m_settings(settings), m_locale(locale) {
    const std::size_t cells = static_cast<std::size_t>(m_columnCount) * m_rowCount;
    m_texts.resize(cells);
    m_values.assign(cells, 0.0);
    m_seen.assign(static_cast<std::size_t>(m_columnCount) + 1, 0);
    SetColumns(columns);
}

void CTableData::SetColumns(const std::vector<TableColumn>& columns) {
    if (static_cast<int>(columns.size()) != m_columnCount)
        return;
    m_titles.clear();
    m_dataTypes.clear();
    m_formulas.clear();
    for (const TableColumn& c : columns) {
        m_titles.push_back(c.title);
        m_dataTypes.push_back(c.dataType);
        m_formulas.push_back(Compile(c.expression));
    }
    m_referrers.assign(static_cast<std::size_t>(m_columnCount) + 1, {});
    m_namesItself.assign(static_cast<std::size_t>(m_columnCount) + 1, 0);
    for (int j = 1; j <= m_columnCount; ++j) {
        for (int named : m_formulas[static_cast<std::size_t>(j - 1)].references) {
            if (named > m_columnCount)
                continue;
            if (named == j)
                m_namesItself[static_cast<std::size_t>(j)] = 1;
            else
                m_referrers[static_cast<std::size_t>(named)].push_back(j);
        }
    }
}

// Cut at the operator characters: of several operators in a row the last one counts, and an
// operator in front of the first operand is ignored when the formula is worked out.
CTableData::Formula CTableData::Compile(const QString& expression) const {
    Formula f;
    qsizetype i = 0;
    while (i < expression.size()) {
        char op = 0;
        while (i < expression.size() && IsOperator(expression[i]))
            op = static_cast<char>(expression[i++].unicode());
        const qsizetype start = i;
        while (i < expression.size() && !IsOperator(expression[i]))
            ++i;
        if (i == start)
            break;
        const QString token = expression.mid(start, i - start);
        Operand operand;
        operand.op = op;
        if (token.startsWith(QLatin1Char('C'))) {
            operand.isColumn = true;
            operand.column = ColumnNumber(token);
            // Only the exact spelling "C%d" makes the formula follow that column's changes.
            if (operand.column >= 1 && token == QStringLiteral("C%1").arg(operand.column) &&
                std::find(f.references.begin(), f.references.end(), operand.column) ==
                    f.references.end())
                f.references.push_back(operand.column);
        } else {
            operand.number = ValueText::ParseAmount(token, m_locale);
        }
        f.operands.push_back(operand);
    }
    return f;
}

bool CTableData::IsCell(int column, int row) const {
    return column >= 1 && column <= m_columnCount && row >= 1 && row <= m_rowCount;
}

std::size_t CTableData::Index(int column, int row) const {
    return static_cast<std::size_t>(m_columnCount) * static_cast<std::size_t>(row - 1) +
           static_cast<std::size_t>(column - 1);
}

QString CTableData::GetCell(int column, int row) const {
    return IsCell(column, row) ? m_texts[Index(column, row)] : QString();
}

double CTableData::CellValue(int column, int row) const {
    return IsCell(column, row) ? m_values[Index(column, row)] : 0.0;
}

QString CTableData::FormatCell(const QString& text, int column) const {
    return ValueText::FormatValue(text, m_dataTypes[static_cast<std::size_t>(column - 1)],
                                  m_settings, m_locale);
}

void CTableData::SetCell(int column, int row, const QString& text, bool noRecalc) {
    if (!IsCell(column, row))
        return;
    const std::size_t at = Index(column, row);
    // Text a number column does not read stays as typed, for the user to see and mend, rather
    // than turning into a 0.00 that nobody typed; it counts 0 all the same.
    const DataTypeCode type = m_dataTypes[static_cast<std::size_t>(column - 1)];
    m_texts[at] = ValueText::Reads(text, type, m_locale) ? FormatCell(text, column) : text;
    m_values[at] = ValueText::ParseAmount(text, m_locale);
    if (!noRecalc)
        RecalculateRow(column, row);
}

bool CTableData::IsUnreadNumber(int column, int row) const {
    if (!IsCell(column, row))
        return false;
    const std::size_t at = Index(column, row);
    // A formula's undefined result says so in words and is no typed text.
    return std::isfinite(m_values[at]) &&
           !ValueText::Reads(m_texts[at], m_dataTypes[static_cast<std::size_t>(column - 1)],
                             m_locale);
}

void CTableData::ClearCell(int column, int row) {
    if (!IsCell(column, row))
        return;
    const std::size_t at = Index(column, row);
    m_texts[at].clear();
    m_values[at] = 0;
}

double CTableData::Evaluate(const Formula& formula, int row) const {
    double result = 0;
    bool first = true;
    for (const Operand& o : formula.operands) {
        // A column outside the table counts 0: nothing outside the row is read.
        const double v = o.isColumn ? CellValue(o.column, row) : o.number;
        if (first) {
            result = v;
            first = false;
            continue;
        }
        switch (o.op) {
        case '+':
            result += v;
            break;
        case '-':
            result -= v;
            break;
        case '*':
            result *= v;
            break;
        case '/':
            result /= v;
            break;
        default:
            break;
        }
    }
    return result;
}

void CTableData::RecalculateRow(int changed, int row) {
    if (row < 1 || row > m_rowCount || changed < 1 || changed > m_columnCount)
        return;
    Recalculate(changed, row);
}

void CTableData::Recalculate(int changed, int row) {
    // Every column the change reaches is worked out once, after every column it names that the
    // change also reaches: the values a recursive walk along every path ends with, without
    // walking every path. Columns that name each other in a circle are each worked out once.
    m_order.clear();
    std::fill(m_seen.begin(), m_seen.end(), 0);
    m_seen[static_cast<std::size_t>(changed)] = 1;
    m_walk.assign(1, {changed, 0});
    while (!m_walk.empty()) {
        auto& [column, next] = m_walk.back();
        const std::vector<int>& referrers = m_referrers[static_cast<std::size_t>(column)];
        if (next < referrers.size()) {
            const int to = referrers[next++];
            if (!m_seen[static_cast<std::size_t>(to)]) {
                m_seen[static_cast<std::size_t>(to)] = 1;
                m_walk.push_back({to, 0});
            }
            continue;
        }
        if (column != changed)
            m_order.push_back(column);
        m_walk.pop_back();
    }
    const auto compute = [this, row](int column) {
        const double result = Evaluate(m_formulas[static_cast<std::size_t>(column - 1)], row);
        // Division by zero gives infinity or no number: the cell says so in words, as a
        // calculated field does, whatever the column's type.
        const std::size_t at = Index(column, row);
        m_texts[at] = std::isfinite(result)
                          ? FormatCell(ValueText::FormatNumber(result, -1, m_locale), column)
                          : ValueText::UndefinedText();
        m_values[at] = result;
    };
    // A formula that names its own column is worked out once more from its own new value.
    if (m_namesItself[static_cast<std::size_t>(changed)])
        compute(changed);
    for (auto it = m_order.rbegin(); it != m_order.rend(); ++it) {
        compute(*it);
        if (m_namesItself[static_cast<std::size_t>(*it)])
            compute(*it);
    }
}

void CTableData::ClearAll() {
    std::fill(m_texts.begin(), m_texts.end(), QString());
    std::fill(m_values.begin(), m_values.end(), 0.0);
}

void CTableData::DeleteRow(int row) {
    if (row < 1 || row > m_rowCount)
        return;
    const auto first = static_cast<std::ptrdiff_t>(Index(1, row));
    const auto next = first + m_columnCount;
    std::move(m_texts.begin() + next, m_texts.end(), m_texts.begin() + first);
    std::move(m_values.begin() + next, m_values.end(), m_values.begin() + first);
    const auto last = static_cast<std::ptrdiff_t>(Index(1, m_rowCount));
    std::fill(m_texts.begin() + last, m_texts.end(), QString());
    std::fill(m_values.begin() + last, m_values.end(), 0.0);
}

void CTableData::CopyRow(int from, int to) {
    if (from < 1 || to < 1 || from > m_rowCount || to > m_rowCount || from == to)
        return;
    const auto source = static_cast<std::ptrdiff_t>(Index(1, from));
    const auto target = static_cast<std::ptrdiff_t>(Index(1, to));
    std::copy_n(m_texts.begin() + source, m_columnCount, m_texts.begin() + target);
    std::copy_n(m_values.begin() + source, m_columnCount, m_values.begin() + target);
}

double CTableData::ColumnTotal(const QString& title) const {
    for (int c = 1; c <= m_columnCount; ++c) {
        if (m_titles[static_cast<std::size_t>(c - 1)].compare(title, Qt::CaseInsensitive) != 0)
            continue;
        double sum = 0;
        for (int r = 1; r <= m_rowCount; ++r)
            sum += m_values[Index(c, r)];
        return sum;
    }
    return 0;
}
