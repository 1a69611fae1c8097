#include "designer/ExpressionValidator.h"

namespace {

const QString kTextLineCharacters =
    QStringLiteral("$&qwertyuiopasdfghjklñzxcvbnmQWERTYUIOPASDFGHJKLÑZXCVBNM+-*/0123456789.");
const QString kTableColumnCharacters = QStringLiteral("Cc+-*/0123456789.");

} // namespace

ExpressionValidator::ExpressionValidator(QObject* parent) : QValidator(parent) {}

bool ExpressionValidator::Accepts(QChar c) const {
    if (c.unicode() < 32)
        return true;
    return (m_kind == Kind::TextLine ? kTextLineCharacters : kTableColumnCharacters).contains(c);
}

QValidator::State ExpressionValidator::validate(QString& input, int& /*pos*/) const {
    for (QChar c : input) {
        if (!Accepts(c))
            return Invalid;
    }
    return Acceptable;
}
