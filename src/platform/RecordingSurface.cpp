#include "platform/RecordingSurface.h"

#include "platform/Saturate.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>

RecordingSurface::RecordingSurface(MapMode mode) {
    m_state.mapMode = mode;
}

std::vector<SurfaceCall> RecordingSurface::CallsNamed(const QString& op) const {
    std::vector<SurfaceCall> out;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(out),
                 [&op](const SurfaceCall& c) { return c.op == op; });
    return out;
}

TextMetrics RecordingSurface::DefaultMetrics(const LogFont& font) {
    TextMetrics tm;
    tm.height = font.height == 0 ? 16 : Saturate(std::abs(std::int64_t{font.height}));
    tm.ascent = Saturate(std::int64_t{tm.height} * 4 / 5);
    tm.descent = tm.height - tm.ascent;
    tm.aveCharWidth =
        font.width != 0 ? Saturate(std::abs(std::int64_t{font.width})) : tm.height / 2;
    tm.maxCharWidth = Saturate(std::int64_t{tm.aveCharWidth} * 2);
    tm.weight = font.weight;
    return tm;
}

void RecordingSurface::Record(const QString& op, std::vector<int> args, const QString& text) {
    SurfaceCall call = m_state;
    call.op = op;
    call.args = std::move(args);
    call.text = text;
    m_calls.push_back(std::move(call));
}

Pen RecordingSurface::SelectPen(const Pen& pen) {
    Record(QStringLiteral("SelectPen"),
           {static_cast<int>(pen.style), pen.width, static_cast<int>(pen.color)});
    return std::exchange(m_state.pen, pen);
}

Brush RecordingSurface::SelectBrush(const Brush& brush) {
    Record(QStringLiteral("SelectBrush"),
           {static_cast<int>(brush.style), static_cast<int>(brush.color)});
    return std::exchange(m_state.brush, brush);
}

LogFont RecordingSurface::SelectFont(const LogFont& font) {
    const LogFont previous = std::exchange(m_state.font, font);
    Record(QStringLiteral("SelectFont"), {font.height, font.width, font.weight}, font.Face());
    return previous;
}

ColorRef RecordingSurface::SetTextColor(ColorRef color) {
    Record(QStringLiteral("SetTextColor"), {static_cast<int>(color)});
    return std::exchange(m_state.textColor, color);
}

ColorRef RecordingSurface::SetBkColor(ColorRef color) {
    Record(QStringLiteral("SetBkColor"), {static_cast<int>(color)});
    return std::exchange(m_state.bkColor, color);
}

BkMode RecordingSurface::SetBkMode(BkMode mode) {
    Record(QStringLiteral("SetBkMode"), {static_cast<int>(mode)});
    return std::exchange(m_state.bkMode, mode);
}

TextAlignFlags RecordingSurface::SetTextAlign(TextAlignFlags align) {
    Record(QStringLiteral("SetTextAlign"), {static_cast<int>(align.toInt())});
    return std::exchange(m_state.textAlign, align);
}

MapMode RecordingSurface::SetMapMode(MapMode mode) {
    Record(QStringLiteral("SetMapMode"), {static_cast<int>(mode)});
    return std::exchange(m_state.mapMode, mode);
}

Point RecordingSurface::SetWindowOrg(Point origin) {
    Record(QStringLiteral("SetWindowOrg"), {origin.x, origin.y});
    return std::exchange(m_windowOrg, origin);
}

Point RecordingSurface::SetViewportOrg(Point origin) {
    Record(QStringLiteral("SetViewportOrg"), {origin.x, origin.y});
    return std::exchange(m_viewportOrg, origin);
}

void RecordingSurface::Rectangle(const Rect& r) {
    Record(QStringLiteral("Rectangle"), {r.left, r.top, r.right, r.bottom});
}

void RecordingSurface::FillSolidRect(const Rect& r, ColorRef color) {
    Record(QStringLiteral("FillSolidRect"),
           {r.left, r.top, r.right, r.bottom, static_cast<int>(color)});
}

void RecordingSurface::MoveTo(int x, int y) {
    Record(QStringLiteral("MoveTo"), {x, y});
}

void RecordingSurface::LineTo(int x, int y) {
    Record(QStringLiteral("LineTo"), {x, y});
}

void RecordingSurface::TextOut(int x, int y, const QString& text) {
    Record(QStringLiteral("TextOut"), {x, y}, text);
}

void RecordingSurface::ExtTextOut(int x, int y, TextOutOptions options, const Rect& r,
                                  const QString& text) {
    Record(QStringLiteral("ExtTextOut"),
           {x, y, static_cast<int>(options.toInt()), r.left, r.top, r.right, r.bottom}, text);
}

int RecordingSurface::DrawText(const QString& text, Rect& rect, TextLayoutFlags layout) {
    const TextMetrics tm = GetTextMetrics();
    QStringList lines = text.split(QLatin1Char('\n'));
    std::int64_t widest = 0;
    for (const QString& line : lines)
        widest = std::max<std::int64_t>(widest, line.size() * std::int64_t{tm.aveCharWidth});
    const int height = Saturate(std::int64_t{tm.height} * lines.size());
    if (layout & TextLayout::CalcRect) {
        const bool yUp = m_state.mapMode != MapMode::Text;
        rect.right = SaturatedAdd(rect.left, widest);
        rect.bottom = SaturatedAdd(rect.top, yUp ? -std::int64_t{height} : height);
        Record(QStringLiteral("DrawText"),
               {rect.left, rect.top, rect.right, rect.bottom, static_cast<int>(layout.toInt())},
               text);
        return height;
    }
    Record(QStringLiteral("DrawText"),
           {rect.left, rect.top, rect.right, rect.bottom, static_cast<int>(layout.toInt())}, text);
    return height;
}

TextMetrics RecordingSurface::GetTextMetrics() const {
    return m_metrics(m_state.font);
}

Point RecordingSurface::GetTextExtent(const QString& text) const {
    const TextMetrics tm = GetTextMetrics();
    return Point{Saturate(text.size() * std::int64_t{tm.aveCharWidth}), tm.height};
}

void RecordingSurface::StretchImage(const Rect& d, const QImage&, const Rect& s) {
    Record(QStringLiteral("StretchImage"),
           {d.left, d.top, d.right, d.bottom, s.left, s.top, s.right, s.bottom});
}

Point RecordingSurface::LPtoDP(Point p) const {
    const std::int64_t flip = m_state.mapMode == MapMode::Text ? 1 : -1;
    return Point{Saturate(std::int64_t{p.x} - m_windowOrg.x + m_viewportOrg.x),
                 Saturate(flip * (std::int64_t{p.y} - m_windowOrg.y) + m_viewportOrg.y)};
}

Point RecordingSurface::DPtoLP(Point p) const {
    const std::int64_t flip = m_state.mapMode == MapMode::Text ? 1 : -1;
    return Point{Saturate(std::int64_t{p.x} - m_viewportOrg.x + m_windowOrg.x),
                 Saturate(flip * (std::int64_t{p.y} - m_viewportOrg.y) + m_windowOrg.y)};
}

int RecordingSurface::GetDeviceCaps(DeviceCap cap) const {
    const auto it = m_caps.find(cap);
    return it == m_caps.end() ? 0 : it->second;
}
