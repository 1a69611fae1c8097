#pragma once

#include <QValidator>

// Keeps out of a calculation every printable character that cannot stand in one: a text line's
// expression names fields, amounts in words ($) and table totals (&), a table column's formula
// only other columns (C1, C2...) and numbers. Blanks never pass, so names in expressions hold
// none; control characters always do.
class ExpressionValidator : public QValidator {
    Q_OBJECT
public:
    enum class Kind { TextLine, TableColumn };

    explicit ExpressionValidator(QObject* parent = nullptr);

    Kind GetKind() const { return m_kind; }
    void SetKind(Kind kind) { m_kind = kind; }
    // Whether the character may be typed into an expression of this kind.
    bool Accepts(QChar c) const;

    State validate(QString& input, int& pos) const override;

private:
    Kind m_kind = Kind::TextLine;
};
