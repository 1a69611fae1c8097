#include "capture_model/EntryRules.h"

QString EntryRules::Line(const QString& text, int limit, bool upperCase) {
    QString held = text.left(limit);
    if (!upperCase)
        return held;
    // The box checks what it took and takes the capitals whenever they differ, cutting them
    // at its limit, until nothing changes.
    for (;;) {
        QString upper = held.toUpper();
        if (upper == held)
            return held;
        held = upper.left(limit);
    }
}

QString EntryRules::Paragraph(const QString& text, bool upperCase) {
    QString held;
    held.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'\r':
            // A CR LF pair ends one line.
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            held += QLatin1Char('\n');
            break;
        case u'\n':
        case 0x2028: // line separator
        case 0x2029: // paragraph separator
        case 0xfdd0: // the beginning and end of a frame of rich text
        case 0xfdd1:
            held += QLatin1Char('\n');
            break;
        case 0x00a0: // no-break space
            held += QLatin1Char(' ');
            break;
        default:
            held += QChar(c);
            break;
        }
    }
    return upperCase ? held.toUpper() : held;
}
