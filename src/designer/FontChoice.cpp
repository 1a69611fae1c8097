#include "designer/FontChoice.h"

#include <cmath>
#include <cstdlib>

namespace {

// Page units (0.1 mm) in one point (1/72 inch).
constexpr double kUnitsPerPoint = 254.0 / 72.0;

constexpr std::uint8_t kAnsiCharset = 0;
constexpr std::uint8_t kTrueTypePrecision = 4;
constexpr std::uint8_t kProofQuality = 2;
constexpr std::uint8_t kSwissFamily = 0x20;

} // namespace

QFont FontChoice::ToQFont(const LogFont& font) {
    QFont q(font.Face());
    const int units = font.height == 0 ? 40 : std::abs(font.height);
    q.setPointSizeF(units / kUnitsPerPoint);
    q.setWeight(static_cast<QFont::Weight>(font.weight <= 0 ? 400 : font.weight));
    q.setItalic(font.italic != 0);
    q.setUnderline(font.underline != 0);
    q.setStrikeOut(font.strikeOut != 0);
    return q;
}

LogFont FontChoice::FromQFont(const QFont& font, const LogFont& base) {
    LogFont record = base;
    record.SetFace(font.family());
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 12.0;
    record.height = -static_cast<std::int32_t>(std::lround(points * kUnitsPerPoint));
    record.width = 0;
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.strikeOut = font.strikeOut() ? 1 : 0;
    return record;
}

LogFont FontChoice::PresetForAll() {
    LogFont record = LogFont::Make(40, 0, 400, QStringLiteral("Arial"));
    record.charSet = kAnsiCharset;
    record.outPrecision = kTrueTypePrecision;
    record.quality = kProofQuality;
    record.pitchAndFamily = kSwissFamily;
    return record;
}
