#include "platform/TerminalText.h"

namespace {

bool IsControl(char16_t c) {
    return (c < 0x20 && c != u'\n' && c != u'\t') || (c >= 0x7F && c <= 0x9F);
}

} // namespace

QString TerminalText::Escaped(const QString& message) {
    QString out;
    out.reserve(message.size());
    for (const QChar c : message) {
        if (IsControl(c.unicode()))
            out += QStringLiteral("\\x") +
                   QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}
