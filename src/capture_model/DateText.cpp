#include "capture_model/DateText.h"

#include <array>

namespace {

const std::array<const char*, 13> kMonths = {
    "zero",  "Enero",  "Febrero",    "Marzo",   "Abril",     "Mayo",     "Junio",
    "Julio", "Agosto", "Septiembre", "Octubre", "Noviembre", "Diciembre"};
const std::array<const char*, 13> kAbbreviations = {
    "zero", "Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};

int MonthIndex(int month) {
    return month >= 1 && month <= 12 ? month : 0;
}

} // namespace

QString DateText::MonthName(int month) {
    return QString::fromLatin1(kMonths[static_cast<std::size_t>(MonthIndex(month))]);
}

QString DateText::MonthAbbreviation(int month) {
    return QString::fromLatin1(kAbbreviations[static_cast<std::size_t>(MonthIndex(month))]);
}

QString DateText::ZeroFilled(int value, int width) {
    // A text shorter than the width gets zeros in front; a longer one stays as it is.
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

QString DateText::FormatDate(const QDateTime& dateTime, bool timeOnly, bool withTime) {
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    if (timeOnly)
        return QStringLiteral("%1:%2").arg(ZeroFilled(time.hour(), 2),
                                           ZeroFilled(time.minute(), 2));
    if (date.year() <= 1900)
        return QStringLiteral("--/--/--");
    const QString text = QStringLiteral("%1/%2/%3")
                             .arg(ZeroFilled(date.day(), 2), MonthAbbreviation(date.month()),
                                  QString::number(date.year()));
    if (!withTime)
        return text;
    return QStringLiteral("%1 %2:%3:%4")
        .arg(text, ZeroFilled(time.hour(), 2), ZeroFilled(time.minute(), 2),
             ZeroFilled(time.second(), 2));
}

QString DateText::Format(const QDateTime& dateTime, Layout layout) {
    const QDate date = dateTime.date();
    switch (layout) {
    case Layout::Numeric:
        return QStringLiteral("%1/%2/%3").arg(date.day()).arg(date.month()).arg(date.year());
    case Layout::FullMonth:
        return QStringLiteral("%1/%2/%3")
            .arg(QString::number(date.day()), MonthName(date.month()),
                 QString::number(date.year()));
    default:
        return FormatDate(dateTime, false, false);
    }
}
