#include "capture_model/CalculatedFields.h"

#include "capture_model/CFmtGrid.h"
#include "capture_model/CTableData.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/ValueText.h"
#include "model/CControles.h"
#include "model/ControlType.h"
#include "platform/Saturate.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace {

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The blanks a C-library number conversion skips in front of a number.
bool IsLeadingBlank(QChar c) {
    return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
}

// The number a token begins with, read as the C library's decimal conversion reads it: blanks,
// a sign, digits with an optional point and fraction and an optional exponent, up to the first
// character that cannot continue it. A token that does not begin like a number reads as 0. The
// point is always a point, whatever the process locale says.
double LeadingNumber(QStringView token) {
    const qsizetype n = token.size();
    qsizetype i = 0;
    while (i < n && IsLeadingBlank(token[i]))
        ++i;
    std::string text;
    if (i < n && (token[i] == QLatin1Char('+') || token[i] == QLatin1Char('-'))) {
        if (token[i] == QLatin1Char('-'))
            text += '-';
        ++i;
    }
    const auto digits = [&token, n, &text](qsizetype& at) {
        bool any = false;
        for (; at < n && IsAsciiDigit(token[at]); ++at) {
            text += token[at].toLatin1();
            any = true;
        }
        return any;
    };
    bool any = digits(i);
    // Where the significant digits begin relative to the point, to tell an overflow from an
    // underflow when the number does not fit.
    std::int64_t magnitude = 0;
    {
        const std::size_t first = text.find_first_not_of("-0");
        magnitude = first == std::string::npos ? 0 : static_cast<std::int64_t>(text.size() - first);
    }
    if (i < n && token[i] == QLatin1Char('.')) {
        text += '.';
        ++i;
        const std::size_t fractionStart = text.size();
        any = digits(i) || any;
        if (magnitude == 0) {
            const std::size_t first = text.find_first_not_of('0', fractionStart);
            if (first != std::string::npos)
                magnitude = -static_cast<std::int64_t>(first - fractionStart);
        }
    }
    if (!any)
        return 0;
    if (i < n && (token[i] == QLatin1Char('e') || token[i] == QLatin1Char('E'))) {
        qsizetype at = i + 1;
        bool negative = false;
        if (at < n && (token[at] == QLatin1Char('+') || token[at] == QLatin1Char('-'))) {
            negative = token[at] == QLatin1Char('-');
            ++at;
        }
        if (at < n && IsAsciiDigit(token[at])) {
            text += negative ? "e-" : "e";
            std::int64_t exponent = 0;
            for (; at < n && IsAsciiDigit(token[at]); ++at) {
                text += token[at].toLatin1();
                exponent = std::min<std::int64_t>(exponent * 10 + token[at].digitValue(), 1 << 20);
            }
            magnitude += negative ? -exponent : exponent;
        }
    }
    double value = 0;
    const std::from_chars_result read =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (read.ec == std::errc::result_out_of_range) {
        const bool negative = text.front() == '-';
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -value : value;
    }
    return read.ec == std::errc() ? value : 0.0;
}

// Calls fn with every operand of an expression cut at delimiters, in order.
template <typename Fn>
void ForEachToken(const QString& expression, QStringView delimiters, Fn fn) {
    QString rest = expression;
    for (;;) {
        CalculatedFields::Token token = CalculatedFields::NextToken(rest, delimiters);
        if (token.text.isEmpty())
            return;
        fn(std::move(token));
    }
}

} // namespace

const QString& CalculatedFields::Delimiters() {
    static const QString delimiters = QStringLiteral("-+*/&$");
    return delimiters;
}

const QString& CalculatedFields::TableDelimiter() {
    static const QString delimiter = QStringLiteral("&");
    return delimiter;
}

int CalculatedFields::Identifier(const CControles& control) {
    return SaturatedAdd(control.captureOrder, kIdentifierBase);
}

CalculatedFields::CalculatedFields(ControlList& controls, const FormatSettings& settings,
                                   const QLocale& locale)
    : m_controls(controls), m_settings(settings), m_locale(locale), m_words(settings) {
    for (const std::unique_ptr<CControles>& control : m_controls) {
        const ControlTypeCode type = control->Type();
        // Several controls may share an identifier or a name: the first in the list answers.
        if (control->IsCaptureControl() && !m_byId.contains(Identifier(*control)))
            m_byId.insert(Identifier(*control), control.get());
        if (type == ControlTypeCode::TextlineVar || type == ControlTypeCode::FmtGrid) {
            const QString key = control->text.toCaseFolded();
            if (!m_byName.contains(key))
                m_byName.insert(key, control.get());
        }
        if (type == ControlTypeCode::TextlineVar &&
            static_cast<const CTextlineVar&>(*control).IsCalculated())
            m_fieldList.push_back(Identifier(*control));
    }

    for (std::size_t entry = 0; entry < m_fieldList.size(); ++entry) {
        CTextlineVar* line = TextlineById(m_fieldList[entry]);
        if (!line) {
            m_entryNode.push_back(-1);
            continue;
        }
        int node = m_nodeOfLine.value(line, -1);
        if (node < 0) {
            node = static_cast<int>(m_nodes.size());
            m_nodeOfLine.insert(line, node);
            Node made;
            made.line = line;
            made.expression = Compile(line->expression);
            made.words = line->expression.startsWith(QLatin1Char('$'));
            QString rest = line->expression;
            made.wordsOperand = Resolve(NextToken(rest, Delimiters()).text);
            rest = line->expression;
            NextToken(rest, TableDelimiter());
            made.tableColumn = NextToken(rest, TableDelimiter()).text;
            m_nodes.push_back(std::move(made));
        }
        m_entryNode.push_back(node);
        const int index = static_cast<int>(entry);
        ForEachToken(line->expression, Delimiters(), [this, index](Token token) {
            std::vector<int>& referrers = m_referrers[token.text.toCaseFolded()];
            if (referrers.empty() || referrers.back() != index)
                referrers.push_back(index);
        });
    }
    LinkFields();
}

void CalculatedFields::Show(CTextlineVar& field, const QString& text) {
    const QString before = field.Value();
    field.SetValue(text);
    if (m_shown && field.Value() != before)
        m_shown(field);
}

CalculatedFields::Token CalculatedFields::NextToken(QString& expression, QStringView delimiters) {
    Token token;
    qsizetype i = 0;
    for (; i < expression.size(); ++i) {
        const QChar c = expression[i];
        if (delimiters.contains(c)) {
            if (!token.text.isEmpty())
                break;
            token.op = c;
        } else {
            token.text += c;
        }
    }
    expression.remove(0, i);
    return token;
}

CControles* CalculatedFields::ControlById(int id) const {
    return m_byId.value(id, nullptr);
}

CTextlineVar* CalculatedFields::TextlineById(int id) const {
    CControles* control = ControlById(id);
    if (!control || control->Type() != ControlTypeCode::TextlineVar)
        return nullptr;
    return static_cast<CTextlineVar*>(control);
}

int CalculatedFields::FindFieldByName(const QString& name) const {
    const auto found = m_byName.constFind(name.toCaseFolded());
    return found == m_byName.cend() ? 0 : Identifier(**found);
}

CalculatedFields::Operand CalculatedFields::Resolve(const QString& token) const {
    Operand operand;
    const int id = FindFieldByName(token);
    if (id != 0) {
        // A table, or a field whose identifier an earlier control answers for, counts 0.
        operand.field = TextlineById(id);
        return operand;
    }
    operand.constant = LeadingNumber(token);
    return operand;
}

double CalculatedFields::OperandValue(const QString& token) const {
    const Operand operand = Resolve(token);
    return operand.field ? operand.field->CopyNumber() : operand.constant;
}

bool CalculatedFields::ReferencesName(int id, const QString& name) const {
    const CTextlineVar* line = TextlineById(id);
    if (!line)
        return false;
    const QString key = name.toCaseFolded();
    bool found = false;
    ForEachToken(line->expression, Delimiters(), [&found, &key](Token token) {
        found = found || token.text.toCaseFolded() == key;
    });
    return found;
}

CalculatedFields::Compiled CalculatedFields::Compile(const QString& expression) const {
    Compiled compiled;
    ForEachToken(expression, Delimiters(), [this, &compiled](Token token) {
        Operand operand = Resolve(token.text);
        operand.op = token.op;
        compiled.push_back(operand);
    });
    return compiled;
}

double CalculatedFields::Evaluate(const Compiled& expression) {
    double result = 0;
    bool first = true;
    for (const Operand& operand : expression) {
        const double value = operand.field ? operand.field->CopyNumber() : operand.constant;
        // The first operand sets the result whatever stands before it: -5 is 5.
        if (first) {
            result = value;
            first = false;
            continue;
        }
        switch (operand.op.unicode()) {
        case u'+':
            result += value;
            break;
        case u'-':
            result -= value;
            break;
        case u'*':
            result *= value;
            break;
        case u'/':
            result /= value;
            break;
        default: // "&" and "$" read the operand and drop it
            break;
        }
    }
    return result;
}

double CalculatedFields::EvaluateExpression(const QString& expression) const {
    return Evaluate(Compile(expression));
}

QString CalculatedFields::ResultText(double result, DataTypeCode dataType) const {
    if (!std::isfinite(result))
        return ValueText::UndefinedText();
    // Through the automatic two decimals first, then the field's own formatting.
    return ValueText::FormatValue(ValueText::FormatNumber(result, -1, m_locale), dataType,
                                  m_settings, m_locale);
}

const std::vector<int>* CalculatedFields::Referrers(const QString& name) const {
    const auto found = m_referrers.constFind(name.toCaseFolded());
    return found == m_referrers.cend() ? nullptr : &*found;
}

void CalculatedFields::LinkFields() {
    // The fields each field's recomputation goes on to; a words field passes nothing on, and a
    // field that names itself is computed once without going further.
    const int count = static_cast<int>(m_nodes.size());
    for (int from = 0; from < count; ++from) {
        if (m_nodes[from].words)
            continue;
        if (const std::vector<int>* referrers = Referrers(m_nodes[from].line->text)) {
            for (int entry : *referrers) {
                const int to = m_entryNode[entry];
                if (to != from)
                    m_nodes[from].next.push_back(to);
            }
        }
    }
    // Only fields that pass their change on can close a cycle.
    std::vector<std::vector<int>> next(static_cast<std::size_t>(count));
    for (int from = 0; from < count; ++from)
        for (int to : m_nodes[from].next)
            if (!m_nodes[to].words)
                next[from].push_back(to);
    // Strongly connected components, walked without recursion so that a long chain of fields
    // cannot exhaust the stack. A component of more than one field is a cycle.
    std::vector<int> order(static_cast<std::size_t>(count), -1);
    std::vector<int> low(static_cast<std::size_t>(count), 0);
    std::vector<bool> open(static_cast<std::size_t>(count), false);
    std::vector<int> component;
    std::vector<std::pair<int, std::size_t>> walk;
    int counter = 0;
    const auto visit = [&](int node) {
        order[node] = low[node] = counter++;
        open[node] = true;
        component.push_back(node);
        walk.emplace_back(node, 0);
    };
    for (int root = 0; root < count; ++root) {
        if (order[root] >= 0)
            continue;
        visit(root);
        while (!walk.empty()) {
            const int node = walk.back().first;
            const std::size_t edge = walk.back().second;
            if (edge < next[node].size()) {
                ++walk.back().second;
                const int to = next[node][edge];
                if (order[to] < 0)
                    visit(to);
                else if (open[to])
                    low[node] = std::min(low[node], order[to]);
                continue;
            }
            walk.pop_back();
            if (!walk.empty())
                low[walk.back().first] = std::min(low[walk.back().first], low[node]);
            if (low[node] != order[node])
                continue;
            const auto start = std::find(component.begin(), component.end(), node);
            const bool cycle = component.end() - start > 1;
            for (auto it = start; it != component.end(); ++it) {
                open[*it] = false;
                m_nodes[*it].cyclic = cycle;
            }
            component.erase(start, component.end());
        }
    }
}

bool CalculatedFields::Enter(CTextlineVar& field, const double* computed) {
    const QString text = field.Value();
    if (text == field.CopyText())
        return false;
    // A result the field cannot show as an amount keeps its own value, so that its words and
    // the fields computed from it do not take it for zero.
    if (computed && (!std::isfinite(*computed) || !ValueText::ParseCurrency(text, m_locale))) {
        field.SetValueCopy(text, *computed);
        return true;
    }
    field.SetValueCopy(text, ValueText::ParseAmount(text, m_locale));
    // The copy keeps the text as typed, so the next time the field is left the formatted text
    // reads as a change; it formats to the same text again. Text a number field does not read
    // stays as typed, for the user to see and mend, and counts 0.
    if (!field.expression.startsWith(QLatin1Char('$')) &&
        ValueText::Reads(text, field.dataType, m_locale))
        Show(field, ValueText::FormatValue(text, field.dataType, m_settings, m_locale));
    return true;
}

void CalculatedFields::Recalculate(int id) {
    if (CTextlineVar* field = TextlineById(id))
        RunPass(*field, QString(), nullptr);
}

void CalculatedFields::RecalculateTableTotals(CFmtGrid& table) {
    const std::vector<int>* referrers = Referrers(table.text);
    if (!referrers)
        return;
    // Many fields may total the same column of a long table: each column is summed once.
    QHash<QString, double> totals;
    for (int entry : *referrers) {
        // Whatever stands before "&" named the table; what follows it names the column.
        CTextlineVar& line = *m_nodes[m_entryNode[entry]].line;
        const QString column = m_nodes[m_entryNode[entry]].tableColumn.toCaseFolded();
        auto found = totals.constFind(column);
        if (found == totals.constEnd())
            found = totals.insert(
                column, table.Cells().ColumnTotal(m_nodes[m_entryNode[entry]].tableColumn));
        const double total = *found;
        const QString shown = ResultText(total, line.dataType);
        Show(line, shown);
        RunPass(line, shown, &total);
    }
}

void CalculatedFields::RunPass(CTextlineVar& field, const QString& text, const double* computed) {
    // A field that lies on a cycle is recomputed at most once in a pass: the pass stops there.
    ++m_pass;
    const int start = m_nodeOfLine.value(&field, -1);
    if (start >= 0)
        m_nodes[start].pass = m_pass;
    if (!Enter(field, computed)) {
        if (computed)
            field.SetValueCopy(text, *computed);
        return;
    }
    if (start >= 0)
        m_nodes[start].changed = m_pass;
    // Fields of ordinary formats are reached a few times each; past this the forks multiply.
    const std::size_t bound = 4096 + 64 * m_nodes.size();
    std::size_t steps = 0;
    // The fields whose change is being passed on, innermost last: the order of a recursive walk
    // without its depth.
    std::vector<Frame> frames;
    frames.push_back(Frame{&field, Referrers(field.text), 0, text, computed ? *computed : 0.0,
                           computed != nullptr});
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (!frame.referrers || frame.next == frame.referrers->size()) {
            // After the fields that name it, a computed field keeps its unrounded result.
            if (frame.storeCopy)
                frame.field->SetValueCopy(frame.text, frame.number);
            frames.pop_back();
            continue;
        }
        if (++steps > bound) {
            FinishInDependencyOrder(field, frames);
            return;
        }
        Node& node = m_nodes[m_entryNode[(*frame.referrers)[frame.next++]]];
        CTextlineVar& line = *node.line;
        if (node.words) {
            // The words are shown only: the field's copy stays, and nothing is passed on.
            const Operand& amount = node.wordsOperand;
            Show(line, m_words.AmountInWords(amount.field ? amount.field->CopyNumber()
                                                          : amount.constant));
            continue;
        }
        const bool self = &line == frame.field;
        if (!self && node.cyclic && node.pass == m_pass)
            continue;
        const double result = Evaluate(node.expression);
        QString shown = ResultText(result, line.dataType);
        Show(line, shown);
        if (self) {
            line.SetValueCopy(shown, result);
            continue;
        }
        node.pass = m_pass;
        if (Enter(line, &result)) {
            node.changed = m_pass;
            frames.push_back(Frame{&line, Referrers(line.text), 0, std::move(shown), result, true});
        } else {
            line.SetValueCopy(shown, result);
        }
    }
}

void CalculatedFields::FinishInDependencyOrder(const CTextlineVar& start,
                                               std::vector<Frame>& frames) {
    // The unrounded results owed to the fields computed in this pass, settled at the end: while
    // the pass runs, what names them reads the number their shown text reads as.
    struct Owed {
        CTextlineVar* field;
        QString text;
        double number;
    };
    std::vector<Owed> owed;
    for (Frame& frame : frames)
        if (frame.storeCopy)
            owed.push_back(Owed{frame.field, std::move(frame.text), frame.number});
    frames.clear();

    // A field is computed again when something it names has a new text in this pass.
    std::vector<char> due(m_nodes.size(), 0);
    const auto passOn = [this, &due](const QString& name) {
        if (const std::vector<int>* referrers = Referrers(name))
            for (int entry : *referrers)
                due[static_cast<std::size_t>(m_entryNode[entry])] = 1;
    };
    passOn(start.text);
    for (const Node& node : m_nodes)
        if (node.changed == m_pass && !node.words)
            passOn(node.line->text);

    for (int index : DependencyOrder(start)) {
        Node& node = m_nodes[static_cast<std::size_t>(index)];
        CTextlineVar& line = *node.line;
        if (!due[static_cast<std::size_t>(index)] || &line == &start)
            continue;
        if (node.words) {
            const Operand& amount = node.wordsOperand;
            Show(line, m_words.AmountInWords(amount.field ? amount.field->CopyNumber()
                                                          : amount.constant));
            continue;
        }
        const double result = Evaluate(node.expression);
        QString shown = ResultText(result, line.dataType);
        Show(line, shown);
        node.pass = m_pass;
        if (Enter(line, &result)) {
            node.changed = m_pass;
            passOn(line.text);
        }
        owed.push_back(Owed{&line, std::move(shown), result});
    }
    for (Owed& settled : owed)
        settled.field->SetValueCopy(settled.text, settled.number);
}

std::vector<int> CalculatedFields::DependencyOrder(const CTextlineVar& start) const {
    // A walk from the fields that name start, each field finished after every field it goes on
    // to: the reverse of the finishing order puts each field after what it names.
    std::vector<char> seen(m_nodes.size(), 0);
    std::vector<int> finished;
    std::vector<std::pair<int, std::size_t>> walk;
    const std::vector<int>* roots = Referrers(start.text);
    if (!roots)
        return finished;
    for (int entry : *roots) {
        const int root = m_entryNode[entry];
        if (seen[static_cast<std::size_t>(root)])
            continue;
        seen[static_cast<std::size_t>(root)] = 1;
        walk.emplace_back(root, 0);
        while (!walk.empty()) {
            const int node = walk.back().first;
            const std::vector<int>& next = m_nodes[static_cast<std::size_t>(node)].next;
            if (walk.back().second < next.size()) {
                const int to = next[walk.back().second++];
                if (!seen[static_cast<std::size_t>(to)]) {
                    seen[static_cast<std::size_t>(to)] = 1;
                    walk.emplace_back(to, 0);
                }
                continue;
            }
            finished.push_back(node);
            walk.pop_back();
        }
    }
    std::reverse(finished.begin(), finished.end());
    return finished;
}
