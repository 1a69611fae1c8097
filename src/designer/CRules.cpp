#include "designer/CRules.h"

#include "platform/DrawingSurface.h"
#include "platform/PainterSurface.h"
#include "platform/Saturate.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

// The marker was drawn with an exclusive-or pen in cyan, so that drawing it twice removed it;
// what the user saw on the ruler's background was that background exclusive-or cyan (red on
// white). Qt paints no exclusive-or, so the ruler repaints with the marker in that colour.
constexpr ColorRef kMarkerXorPen = MakeColorRef(0, 255, 255);

// A number stands 1 mm of the ruler off its centimetre line.
constexpr int kNumberGap = 100;

// The numbers' font: a roman face, upright along the top ruler and turned a quarter to the
// right (reading downward) along the left one.
LogFont NumberFont(bool horizontal) {
    LogFont font = LogFont::Make(horizontal ? 400 : 300, horizontal ? 0 : -900, 400,
                                 QStringLiteral("Times New Roman"));
    font.orientation = font.escapement;
    font.outPrecision = 4;      // TrueType faces first
    font.clipPrecision = 0x10;  // turned text clipped along its own direction
    font.quality = 2;           // proof quality
    font.pitchAndFamily = 0x12; // variable pitch, roman family
    return font;
}

} // namespace

CRules::CRules(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation) {
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
}

QSize CRules::sizeHint() const {
    return IsHorizontal() ? QSize(400, 16) : QSize(16, 400);
}

void CRules::SetExtent(int x, int y) {
    m_extentX = x;
    m_extentY = y;
    Repaint();
}

void CRules::SetScale(double scale) {
    if (!(scale > 0))
        return;
    m_scale = scale;
    Repaint();
}

void CRules::Update(int hint, int value) {
    switch (static_cast<Hint>(hint)) {
    case Hint::HorizontalScroll:
    case Hint::VerticalScroll:
        if ((static_cast<Hint>(hint) == Hint::HorizontalScroll) != IsHorizontal())
            return;
        m_scrollOffset = Saturate(std::int64_t{value} * 10);
        Repaint();
        return;
    case Hint::PointerX:
    case Hint::PointerY:
        if ((static_cast<Hint>(hint) == Hint::PointerX) == IsHorizontal())
            MoveMarker(value);
        return;
    }
    Repaint();
}

void CRules::Repaint() {
    // A ruler drawn again starts without its marker; the next pointer notification shows it.
    m_markerHidden = true;
    m_markerPosition = kNoMarker;
    update();
}

void CRules::MoveMarker(int value) {
    const std::int64_t p = std::int64_t{value} * 10;
    // A place beyond the page's length keeps the marker where it was. The vertical ruler's
    // positions run downward, below zero.
    const std::int64_t length = std::int64_t{IsHorizontal() ? m_extentX : m_extentY} * 10;
    if (IsHorizontal() ? p > length : -p > length)
        return;
    m_markerPosition = Saturate(IsHorizontal() ? p + kPageOffset : p - kPageOffset);
    m_markerHidden = false;
    update();
}

// Zoomed, a centimetre of the page takes the zoom's share of the ruler; the page's corner and
// the view's scroll position scale with it, so that the ruler stays in step with the view.
int CRules::Drawn(double along) const {
    const double scaled = along * m_scale;
    constexpr double kBound = 2e9;
    return static_cast<int>(std::lround(std::clamp(scaled, -kBound, kBound)));
}

ColorRef CRules::WindowColor() const {
    return FromQColor(palette().color(QPalette::Base));
}

ColorRef CRules::WindowTextColor() const {
    return FromQColor(palette().color(QPalette::Text));
}

ColorRef CRules::MarkerColor() const {
    return WindowColor() ^ kMarkerXorPen;
}

void CRules::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface dc(painter, PainterSurface::DescribeDevice(*this));
    Paint(dc, size());
}

void CRules::Paint(DrawingSurface& dc, QSize pane) const {
    // The whole pane in the window's colour, in pixels.
    const ColorRef window = WindowColor();
    const Brush oldBrush = dc.SelectBrush(Brush{BrushStyle::Solid, window});
    const Pen oldPen = dc.SelectPen(Pen{PenStyle::Solid, 10, window});
    dc.Rectangle(Rect(0, 0, pane.width(), pane.height()));

    const MapMode oldMode = dc.SetMapMode(MapMode::HiMetric);
    const LogFont oldFont = dc.SelectFont(NumberFont(IsHorizontal()));
    // Each number ends just before its line. The left ruler's numbers read downward with their
    // tops toward the page: aligned by the top of the text they would stand outside the pane, so
    // they are aligned by its bottom, at the pane's left edge.
    const TextAlignFlags oldAlign = dc.SetTextAlign(
        IsHorizontal() ? TextAlignFlags(TextAlign::Right) : TextAlign::Right | TextAlign::Bottom);
    const BkMode oldBkMode = dc.SetBkMode(BkMode::Transparent);
    const ColorRef oldTextColor = dc.SetTextColor(WindowTextColor());
    dc.SelectPen(Pen{PenStyle::Solid, 10, WindowTextColor()});

    if (IsHorizontal())
        PaintHorizontal(dc, pane);
    else
        PaintVertical(dc, pane);

    if (!m_markerHidden) {
        dc.SelectPen(Pen{PenStyle::Solid, 10, MarkerColor()});
        const int at =
            Drawn(static_cast<double>(m_markerPosition) - static_cast<double>(m_scrollOffset));
        if (IsHorizontal()) {
            dc.MoveTo(at, 0);
            dc.LineTo(at, Saturate(-25LL * pane.height()));
        } else {
            dc.MoveTo(0, at);
            dc.LineTo(Saturate(25LL * pane.width()), at);
        }
    }

    dc.SetTextColor(oldTextColor);
    dc.SetBkMode(oldBkMode);
    dc.SetTextAlign(oldAlign);
    dc.SelectFont(oldFont);
    dc.SetMapMode(oldMode);
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

// Along x: the page's end, then a line and a number at every centimetre (the number just left
// of its line), then the millimetres from 3 mm below the top edge down.
void CRules::PaintHorizontal(DrawingSurface& dc, QSize pane) const {
    const double o = m_scrollOffset;
    const int depth = Saturate(-10LL * (pane.height() + 25));

    // The page's end scrolls with the marks: a line left where the page ended before scrolling
    // would stand among the millimetres and mark nothing.
    const int end = Drawn(10.0 * m_extentX - o + kPageOffset);
    dc.MoveTo(end, 0);
    dc.LineTo(end, depth);

    for (int i = 0; i <= m_extentX / 100; ++i) {
        const int x = Drawn(i * 1000.0 - o + kPageOffset);
        dc.MoveTo(x, 0);
        dc.LineTo(x, depth);
        // The number keeps its 1 mm from the line at any zoom.
        dc.TextOut(SaturatedAdd(x, -kNumberGap), 50, QString::number(i));
    }

    const int millimetres = m_extentX / 10;
    for (int k = 1; k < millimetres; ++k) {
        const int x = Drawn(k * 100.0 - o + kPageOffset);
        dc.MoveTo(x, -300);
        dc.LineTo(x, depth);
    }
}

// Along y, downward: a line across and a turned number at every centimetre (ending 1 mm above
// its line), then the millimetres from 3 mm inside the left edge across.
void CRules::PaintVertical(DrawingSurface& dc, QSize pane) const {
    const double o = m_scrollOffset;
    const int width = Saturate(10LL * (pane.width() + 25));

    for (int i = 0; i <= m_extentY / 100; ++i) {
        const int y = Drawn(-kPageOffset - i * 1000.0 - o);
        dc.MoveTo(0, y);
        dc.LineTo(width, y);
        dc.TextOut(0, SaturatedAdd(y, kNumberGap), QString::number(i));
    }

    const int millimetres = m_extentY / 10;
    for (int k = 1; k < millimetres; ++k) {
        const int y = Drawn(-kPageOffset - k * 100.0 - o);
        dc.MoveTo(300, y);
        dc.LineTo(width, y);
    }
}
