#include "designer/FontChoice.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Page units (0.1 mm) in one point (1/72 inch).
constexpr double kUnitsPerPoint = 254.0 / 72.0;
// The height a record without one stands for.
constexpr int kDefaultUnits = 40;

constexpr std::uint8_t kAnsiCharset = 0;
constexpr std::uint8_t kTrueTypePrecision = 4;
constexpr std::uint8_t kProofQuality = 2;
constexpr std::uint8_t kSwissFamily = 0x20;

// The face as the font database lists it. The dialog lists only installed faces and opens on
// its own default for any other, so a face the system lacks is shown as the one that stands in
// for it when text is drawn.
QString ShownFamily(const QString& face) {
    if (face.isEmpty())
        return QFontInfo(QFont()).family();
    for (const QString& family : QFontDatabase::families()) {
        if (family.compare(face, Qt::CaseInsensitive) == 0)
            return family;
    }
    return QFontInfo(QFont(face)).family();
}

// The character height of a record in page units. A positive height is the cell, which holds
// the character height and the leading above it.
double CharacterUnits(const LogFont& font, const QString& family) {
    if (font.height == 0)
        return kDefaultUnits;
    const double units = std::abs(static_cast<double>(font.height));
    if (font.height < 0)
        return units;
    QFont sample(family);
    constexpr int kSamplePixels = 1000;
    sample.setPixelSize(kSamplePixels);
    const QFontMetricsF metrics(sample);
    const double cell = metrics.ascent() + metrics.descent();
    return cell > 0 ? units * kSamplePixels / cell : units;
}

// The face's own name of the style nearest to weight and italic. The dialog finds its style by
// name, and the name Qt makes up from a weight is translated ("Negrita") while the faces name
// their styles in English ("Bold"): without the face's own name the dialog opens on its first
// style.
QString StyleName(const QString& family, int weight, bool italic) {
    QString nearest;
    int distance = 0;
    for (const QString& style : QFontDatabase::styles(family)) {
        const int d = std::abs(QFontDatabase::weight(family, style) - weight) +
                      (QFontDatabase::italic(family, style) != italic ? 1000 : 0);
        if (nearest.isEmpty() || d < distance) {
            nearest = style;
            distance = d;
        }
    }
    return nearest;
}

bool SameSize(const QFont& a, const QFont& b) {
    return std::lround(a.pointSizeF() * 100) == std::lround(b.pointSizeF() * 100);
}

} // namespace

QFont FontChoice::ToQFont(const LogFont& font) {
    const QString family = ShownFamily(font.Face());
    QFont q(family);
    q.setPointSizeF(CharacterUnits(font, family) / kUnitsPerPoint);
    const int weight = font.weight <= 0 ? 400 : std::min(font.weight, 1000);
    q.setWeight(static_cast<QFont::Weight>(weight));
    q.setItalic(font.italic != 0);
    q.setStyleName(StyleName(family, weight, font.italic != 0));
    q.setUnderline(font.underline != 0);
    q.setStrikeOut(font.strikeOut != 0);
    return q;
}

LogFont FontChoice::Apply(const LogFont& record, const QFont& shown, const QFont& chosen) {
    LogFont result = record;
    if (chosen.family() != shown.family()) {
        result.SetFace(chosen.family());
        result.width = 0;
    }
    if (!SameSize(chosen, shown)) {
        const double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : 12.0;
        result.height = -static_cast<std::int32_t>(std::lround(points * kUnitsPerPoint));
        result.width = 0;
    }
    if (chosen.weight() != shown.weight())
        result.weight = chosen.weight();
    if (chosen.italic() != shown.italic())
        result.italic = chosen.italic() ? 1 : 0;
    if (chosen.underline() != shown.underline())
        result.underline = chosen.underline() ? 1 : 0;
    if (chosen.strikeOut() != shown.strikeOut())
        result.strikeOut = chosen.strikeOut() ? 1 : 0;
    return result;
}

LogFont FontChoice::PresetForAll() {
    // 4 mm of character height: what every control holds once it has fitted itself to it, and
    // so the size the dialog shows.
    LogFont record = LogFont::Make(-kDefaultUnits, 0, 400, QStringLiteral("Arial"));
    record.charSet = kAnsiCharset;
    record.outPrecision = kTrueTypePrecision;
    record.quality = kProofQuality;
    record.pitchAndFamily = kSwissFamily;
    return record;
}
