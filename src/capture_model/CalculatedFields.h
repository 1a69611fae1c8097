#pragma once

#include "capture_model/CNumberWords.h"
#include "capture_model/DataType.h"
#include "model/Format.h"
#include "model/FormatSettings.h"

#include <QChar>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <vector>

class CControles;
class CFmtGrid;
class CTextlineVar;

// The calculated fields of a format being filled in: text lines whose expression computes their
// value from other fields, recomputed as fields are left and as tables change.
//
// An expression is read strictly from left to right, operand by operand: no precedence, no
// parentheses. An operand is the name of a text line (its kept number), a table name (0) or a
// number written with a point. Three forms exist: arithmetic (SUBTOTAL*1.16), an amount in
// words ($TOTAL) and a table column's total (PARTIDAS&IMPORTE).
//
// The engine reads and writes the values the controls keep (the shown value and the copy the
// calculation compares it with), never a widget, so it works with or without a capture screen.
// It is built over a format's control list once the list is complete, tokenises every
// expression and indexes every name then, and must not outlive the controls; a list that
// changes needs a new engine. Each engine uses the settings of its own format.
//
// A field is recomputed each time a field it names is left with a new text or recomputed
// itself, along every path, as the fields that name it come in list order. Fields that name each
// other in a cycle would go on for ever: a field on such a cycle is recomputed at most once each
// time a field is left or a table changes, so the cycle stops where it comes back.
//
// Walking every path takes time that doubles with each field that two paths lead through, so
// a format that chains such forks could stop the window for hours. A change whose walk grows
// past a bound proportional to the number of calculated fields is finished differently: each
// field it reaches is computed once more, after the fields it names, so every field still
// ends up computed from the final values of what it names.
class CalculatedFields {
public:
    // The entry widget of a capture control has the identifier capture order + this.
    static constexpr int kIdentifierBase = 1173;

    // The operand and operator characters of a text line's expression, and those that cut a
    // table total into table and column.
    static const QString& Delimiters();
    static const QString& TableDelimiter();

    // An operand cut off the front of an expression, with the operator character that stood
    // immediately before it (the last of several), or a null character for the first.
    struct Token {
        QString text;
        QChar op;
    };

    CalculatedFields(ControlList& controls, const FormatSettings& settings,
                     const QLocale& locale = QLocale());
    // How the amounts in words are worded; the traditional wording until the format's own
    // settings say otherwise.
    void SetWording(AmountWording wording) { m_words.SetWording(wording); }
    CalculatedFields(const CalculatedFields&) = delete;
    CalculatedFields& operator=(const CalculatedFields&) = delete;

    // The identifiers of the text lines that have an expression, in list order.
    const std::vector<std::int32_t>& FieldList() const { return m_fieldList; }

    // Cuts the next operand off the front of expression, which keeps the rest from the delimiter
    // that ended the operand. An empty token means nothing is left.
    static Token NextToken(QString& expression, QStringView delimiters);
    // The identifier of the first text line or table, in list order, whose name equals name
    // without regard to case; 0 when there is none.
    int FindFieldByName(const QString& name) const;
    // A text line's kept number, 0 for a table, otherwise the number the token begins with.
    double OperandValue(const QString& token) const;
    // Whether the expression of the text line with that identifier has an operand equal to name
    // without regard to case.
    bool ReferencesName(int id, const QString& name) const;
    // The arithmetic form, from left to right.
    double EvaluateExpression(const QString& expression) const;

    // The field with that identifier was left: when its text changed, it is kept and reformatted
    // and every calculated field that names it is recomputed, and so on from those.
    void Recalculate(int id);
    // A cell of the table was stored or rows of it deleted: every calculated field that names the
    // table shows the total of the column its expression names after "&", and what names those
    // fields is recomputed.
    void RecalculateTableTotals(CFmtGrid& table);

    // The identifier of a control's entry widget.
    static int Identifier(const CControles& control);

    // Told of every field whose shown value the engine changes (reformatted, computed, written
    // in words or totalled), once the field holds it.
    void SetValueShownHandler(std::function<void(CTextlineVar&)> handler) {
        m_shown = std::move(handler);
    }

private:
    // One operand of an expression, settled when it is compiled: a text line's kept number is
    // read when the expression is evaluated; anything else is a constant.
    struct Operand {
        const CTextlineVar* field = nullptr;
        double constant = 0;
        QChar op;
    };
    using Compiled = std::vector<Operand>;

    // A distinct text line that the calculated-field list names.
    struct Node {
        CTextlineVar* line = nullptr;
        Compiled expression;
        bool words = false;        // the amount-in-words form
        Operand wordsOperand;      // the field the words are written for
        QString tableColumn;       // the column when the expression is read as a table total
        bool cyclic = false;       // its recomputation can come back to it through other fields
        std::uint32_t pass = 0;    // the last pass that recomputed it
        std::uint32_t changed = 0; // the last pass that gave it a new text
        std::vector<int> next;     // the fields its recomputation goes on to, itself left out
    };

    // What the pass keeps about a field that is passing its change on.
    struct Frame {
        CTextlineVar* field;
        const std::vector<int>* referrers;
        std::size_t next;
        QString text;
        double number;
        bool storeCopy;
    };

    CControles* ControlById(int id) const;
    CTextlineVar* TextlineById(int id) const;
    Operand Resolve(const QString& token) const;
    Compiled Compile(const QString& expression) const;
    static double Evaluate(const Compiled& expression);
    QString ResultText(double result, DataTypeCode dataType) const;
    // The indexes into the calculated-field list of the fields that name name.
    const std::vector<int>* Referrers(const QString& name) const;
    // Fills in each field's next fields and marks the fields that lie on a cycle.
    void LinkFields();
    // Takes the text a field shows as its value: false when it did not change; otherwise it is
    // kept as the copy with the number it reads as, and shown formatted (a words field, and text
    // a number field does not read, as it is). A field given an undefined result keeps that
    // result and passes it on as it is.
    bool Enter(CTextlineVar& field, const double* computed);
    // Enters the field and passes its change on; with computed, the field was just computed
    // and keeps text and *computed as its copy afterwards.
    void RunPass(CTextlineVar& field, const QString& text, const double* computed);
    // Ends a pass whose walk grew too long: every field the change reaches is computed once, in
    // dependency order, and the fields still passing their change on keep their results.
    void FinishInDependencyOrder(const CTextlineVar& start, std::vector<Frame>& frames);
    // The fields the change of start reaches, each after every field it names that the change
    // also reaches (in a cycle, in the order the walk found them).
    std::vector<int> DependencyOrder(const CTextlineVar& start) const;
    // Gives the field a value to show and tells of it.
    void Show(CTextlineVar& field, const QString& text);

    ControlList& m_controls;
    FormatSettings m_settings;
    QLocale m_locale;
    CNumberWords m_words;
    std::vector<std::int32_t> m_fieldList;
    std::vector<int> m_entryNode; // node of each list entry, -1 when it answers for no text line
    std::vector<Node> m_nodes;
    QHash<const CTextlineVar*, int> m_nodeOfLine;
    QHash<QString, CControles*> m_byName;         // case-folded name, first in list order
    QHash<int, CControles*> m_byId;               // first capture control per identifier
    QHash<QString, std::vector<int>> m_referrers; // case-folded operand, list entries
    std::uint32_t m_pass = 0;
    std::function<void(CTextlineVar&)> m_shown;
};
