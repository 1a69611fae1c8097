#include "model/Paper.h"

#include <QMarginsF>

#include <array>
#include <cmath>
#include <utility>

namespace {

// "Oficio" is the legal sheet, eight and a half by fourteen inches, as the printer set-up names
// it too.
constexpr std::array<std::pair<Paper::Size, QSizeF>, 4> kSizes{{
    {Paper::Size::Letter, {215.9, 279.4}},
    {Paper::Size::Legal, {215.9, 355.6}},
    {Paper::Size::A4, {210.0, 297.0}},
    {Paper::Size::HalfLetter, {139.7, 215.9}},
}};

constexpr std::array<std::pair<Paper::Size, const char*>, 5> kNames{{
    {Paper::Size::Letter, "letter"},
    {Paper::Size::Legal, "legal"},
    {Paper::Size::A4, "a4"},
    {Paper::Size::HalfLetter, "half-letter"},
    {Paper::Size::Custom, "custom"},
}};

} // namespace

QSizeF Paper::UprightMillimetres() const {
    for (const auto& [known, millimetres] : kSizes)
        if (known == size)
            return millimetres;
    return custom;
}

QSizeF Paper::Millimetres() const {
    const QSizeF upright = UprightMillimetres();
    return landscape ? upright.transposed() : upright;
}

QSize Paper::Units() const {
    const QSizeF mm = Millimetres();
    return QSize(int(std::lround(mm.width() * 10)), int(std::lround(mm.height() * 10)));
}

QPageSize Paper::PageSize() const {
    switch (size) {
    case Size::Letter:
        return QPageSize(QPageSize::Letter);
    case Size::Legal:
        return QPageSize(QPageSize::Legal);
    case Size::A4:
        return QPageSize(QPageSize::A4);
    default:
        return QPageSize(UprightMillimetres(), QPageSize::Millimeter);
    }
}

QPageLayout Paper::PageLayout() const {
    return QPageLayout(PageSize(), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

QString Paper::Name(Size size) {
    for (const auto& [known, name] : kNames)
        if (known == size)
            return QLatin1String(name);
    return QString();
}

std::optional<Paper::Size> Paper::FromName(const QString& name) {
    for (const auto& [known, text] : kNames)
        if (name == QLatin1String(text))
            return known;
    return std::nullopt;
}

bool Paper::ValidCustom(QSizeF millimetres) {
    const auto fits = [](double v) {
        return std::isfinite(v) && v >= kMinMillimetres && v <= kMaxMillimetres;
    };
    return fits(millimetres.width()) && fits(millimetres.height());
}
