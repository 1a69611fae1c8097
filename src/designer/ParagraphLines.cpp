#include "designer/ParagraphLines.h"

QString ParagraphLines::Shown(QString stored) {
    stored.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    stored.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return stored;
}

QString ParagraphLines::Stored(QString shown) {
    return shown.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}
