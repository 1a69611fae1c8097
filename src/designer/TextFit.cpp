#include "designer/TextFit.h"

#include "model/CControles.h"
#include "model/TrueScale.h"
#include "platform/PainterSurface.h"
#include "platform/Saturate.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cstdint>

namespace {

// A one-line text starts 2 units inside the edge its alignment holds it to.
constexpr int kInset = 2;
// Room to spare: a millimetre, and a twenty-fifth of the text for the fonts that come out a
// pixel wider at another zoom or on another device.
constexpr int kSpare = 10;
constexpr int kSpareDivisor = 25;

// The advance of each line and the height of one line, in page units, in font.
struct Measures {
    int widest = 0;
    int lineHeight = 0;
};

Measures Measure(const LogFont& font, const QStringList& lines) {
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    PainterSurface dc(painter, TrueScale::Device());
    dc.SetMapMode(MapMode::LoMetric);
    dc.SelectFont(font);
    Measures m;
    for (const QString& line : lines) {
        const Point extent = dc.GetTextExtent(line);
        m.widest = std::max(m.widest, extent.x);
        m.lineHeight = std::max(m.lineHeight, extent.y);
    }
    return m;
}

std::int64_t RoundedUp(std::int64_t length, int step) {
    return step > 0 ? (length + step - 1) / step * step : length;
}

// Where a text of width w starts when it keeps the edge its alignment holds it to.
std::int64_t NewLeft(const Rect& r, std::int64_t width, bool right, bool centre) {
    if (right)
        return std::int64_t{r.right} - width;
    if (centre)
        return (std::int64_t{r.left} + r.right - width) / 2;
    return r.left;
}

} // namespace

bool TextFit::Fits(const CControles& control) {
    const ControlTypeCode type = control.Type();
    return type == ControlTypeCode::ConsText || type == ControlTypeCode::ConsParrafo;
}

int TextFit::RoomFor(int length, int snapStep) {
    const std::int64_t wanted =
        std::int64_t{length} + kSpare + std::int64_t{length} / kSpareDivisor;
    const std::int64_t least = CControles::kMinimumSide + 1;
    return Saturate(RoundedUp(std::max(wanted, least), snapStep));
}

void TextFit::Fit(CControles& control, int snapStep) {
    if (!Fits(control))
        return;
    const bool paragraph = control.Type() == ControlTypeCode::ConsParrafo;
    // A paragraph keeps its lines as typed; its words wrap only where the box is too narrow.
    const QStringList lines =
        paragraph ? control.text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))
                  : QStringList{control.text};
    const Measures m = Measure(control.font, lines);
    const std::int64_t width = RoomFor(SaturatedAdd(m.widest, 2 * kInset), snapStep);

    Rect& r = control.pageRect;
    const Rect n = r.Normalized(); // top is the lower edge
    // A one-line text's codes are 2 (right) and 6 (centre), a paragraph's 2 and 1.
    const bool right = control.alignment == 2;
    const bool centre = control.alignment == (paragraph ? 1 : 6);
    const std::int64_t left = NewLeft(n, width, right, centre);
    const bool leftFirst = r.left <= r.right;
    (leftFirst ? r.left : r.right) = Saturate(left);
    (leftFirst ? r.right : r.left) = Saturate(left + width);
    if (paragraph) {
        const std::int64_t height =
            RoomFor(Saturate(std::int64_t{m.lineHeight} * lines.size()), snapStep);
        const std::int64_t lower = std::int64_t{n.bottom} - height;
        (r.top <= r.bottom ? r.top : r.bottom) = Saturate(lower);
    }
    control.UpdateHandles();
}
