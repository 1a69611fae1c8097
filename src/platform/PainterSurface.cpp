#include "platform/PainterSurface.h"

#include "platform/Saturate.h"
#include "platform/WordWrap.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// Device coordinates and sizes are held within these bounds: far beyond any sheet, yet small
// enough that a damaged format's extreme values cannot overwhelm the painter.
constexpr double kMaxDeviceCoordinate = 4e6;
constexpr int kMaxFontPixels = 16384;
constexpr double kMaxPenPixels = 10000;

double Bounded(double v) {
    return std::clamp(v, -kMaxDeviceCoordinate, kMaxDeviceCoordinate);
}

// The face a record without one gets, and the size a record of height 0 gets (about 10 points).
const char* const kDefaultFace = "Arial";
constexpr double kDefaultHeightInches = 10.0 / 72.0;

// A text's outline is cut by a clipping rectangle only where it crosses it; these few device
// pixels cover the hinting of the outline the printer's font engine measured.
constexpr double kCutPixels = 2;

// A format uses a handful of fonts; a surface keeps this many made before it starts afresh, and
// as many measured texts for each.
constexpr std::size_t kMaxFonts = 64;
constexpr qsizetype kMaxMeasures = 1024;

QRectF Grown(const QRectF& box, double by) {
    return box.adjusted(-by, -by, by, by);
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter)
    : PainterSurface(painter, DescribeDevice(*painter.device())) {}

PainterSurface::PainterSurface(QPainter& painter, const DeviceInfo& info)
    : m_painter(painter), m_info(info) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

PainterSurface::~PainterSurface() {
    m_painter.restore();
}

PainterSurface::DeviceInfo PainterSurface::DescribeDevice(const QPaintDevice& device) {
    DeviceInfo info;
    info.dpiX = device.logicalDpiX();
    info.dpiY = device.logicalDpiY();
    info.horzRes = device.width();
    info.vertRes = device.height();
    info.physicalWidth = device.width();
    info.physicalHeight = device.height();
    // A PDF written without a printer is a paged device of no type of its own, and lays its
    // page out as a printer does.
    const bool paged =
        device.devType() == QInternal::Printer || device.devType() == QInternal::UnknownDevice;
    const auto* printer = paged ? dynamic_cast<const QPagedPaintDevice*>(&device) : nullptr;
    if (printer) {
        // A printer's logical resolution is the one it was set to print at; its page layout is
        // in full-page mode when the painter may reach the paper's edge, and the paint
        // rectangle is then the whole sheet.
        const int res = device.logicalDpiX();
        const QPageLayout layout = printer->pageLayout();
        const QRect paper = layout.fullRectPixels(res);
        const QRect paint =
            layout.mode() == QPageLayout::FullPageMode ? paper : layout.paintRectPixels(res);
        info.dpiX = info.dpiY = res;
        info.physicalWidth = paper.width();
        info.physicalHeight = paper.height();
        info.horzRes = paint.width();
        info.vertRes = paint.height();
        info.physicalOffsetX = paint.left();
        info.physicalOffsetY = paint.top();
    }
    return info;
}

double PainterSurface::ScaleX() const {
    switch (m_selected.mapMode) {
    case MapMode::LoMetric:
        return m_info.dpiX / 254.0;
    case MapMode::HiMetric:
        return m_info.dpiX / 2540.0;
    case MapMode::Text:
        break;
    }
    return 1.0;
}

double PainterSurface::ScaleY() const {
    switch (m_selected.mapMode) {
    case MapMode::LoMetric:
        return -m_info.dpiY / 254.0;
    case MapMode::HiMetric:
        return -m_info.dpiY / 2540.0;
    case MapMode::Text:
        break;
    }
    return 1.0;
}

QPointF PainterSurface::ToDevice(double x, double y) const {
    return QPointF(Bounded((x - m_selected.windowOrg.x) * ScaleX() + m_selected.viewportOrg.x),
                   Bounded((y - m_selected.windowOrg.y) * ScaleY() + m_selected.viewportOrg.y));
}

QRectF PainterSurface::ToDevice(const Rect& rect) const {
    return QRectF(ToDevice(rect.left, rect.top), ToDevice(rect.right, rect.bottom)).normalized();
}

Point PainterSurface::LPtoDP(Point p) const {
    const QPointF d = ToDevice(p.x, p.y);
    return Point{Saturate(std::llround(d.x())), Saturate(std::llround(d.y()))};
}

Point PainterSurface::DPtoLP(Point p) const {
    const double x = (p.x - m_selected.viewportOrg.x) / ScaleX() + m_selected.windowOrg.x;
    const double y = (p.y - m_selected.viewportOrg.y) / ScaleY() + m_selected.windowOrg.y;
    return Point{Saturate(std::llround(std::clamp(x, -4e18, 4e18))),
                 Saturate(std::llround(std::clamp(y, -4e18, 4e18)))};
}

int PainterSurface::GetDeviceCaps(DeviceCap cap) const {
    switch (cap) {
    case DeviceCap::HorzRes:
        return m_info.horzRes;
    case DeviceCap::VertRes:
        return m_info.vertRes;
    case DeviceCap::LogPixelsX:
        return static_cast<int>(std::lround(m_info.dpiX));
    case DeviceCap::LogPixelsY:
        return static_cast<int>(std::lround(m_info.dpiY));
    case DeviceCap::PhysicalWidth:
        return m_info.physicalWidth;
    case DeviceCap::PhysicalHeight:
        return m_info.physicalHeight;
    case DeviceCap::PhysicalOffsetX:
        return m_info.physicalOffsetX;
    case DeviceCap::PhysicalOffsetY:
        return m_info.physicalOffsetY;
    }
    return 0;
}

void PainterSurface::SelectDefaults() {
    m_selected = Selection{};
    m_currentFont = nullptr;
    m_qpen.reset();
}

Pen PainterSurface::SelectPen(const Pen& pen) {
    if (!(pen == m_selected.pen))
        m_qpen.reset();
    return std::exchange(m_selected.pen, pen);
}

Brush PainterSurface::SelectBrush(const Brush& brush) {
    return std::exchange(m_selected.brush, brush);
}

LogFont PainterSurface::SelectFont(const LogFont& font) {
    m_currentFont = nullptr;
    return std::exchange(m_selected.font, font);
}

ColorRef PainterSurface::SetTextColor(ColorRef color) {
    return std::exchange(m_selected.textColor, color);
}

ColorRef PainterSurface::SetBkColor(ColorRef color) {
    return std::exchange(m_selected.bkColor, color);
}

BkMode PainterSurface::SetBkMode(BkMode mode) {
    return std::exchange(m_selected.bkMode, mode);
}

TextAlignFlags PainterSurface::SetTextAlign(TextAlignFlags align) {
    return std::exchange(m_selected.textAlign, align);
}

MapMode PainterSurface::SetMapMode(MapMode mode) {
    if (mode != m_selected.mapMode) {
        m_currentFont = nullptr;
        m_qpen.reset();
    }
    return std::exchange(m_selected.mapMode, mode);
}

Point PainterSurface::SetWindowOrg(Point origin) {
    return std::exchange(m_selected.windowOrg, origin);
}

Point PainterSurface::SetViewportOrg(Point origin) {
    return std::exchange(m_selected.viewportOrg, origin);
}

QFont PainterSurface::MakeQFont(const LogFont& lf) const {
    const QString face = lf.Face().isEmpty() ? QString::fromLatin1(kDefaultFace) : lf.Face();
    QFont font(face);
    font.setKerning(false);
    font.setWeight(
        static_cast<QFont::Weight>(lf.weight <= 0 ? 400 : std::clamp(lf.weight, 1, 1000)));
    font.setItalic(lf.italic != 0);
    font.setUnderline(lf.underline != 0);
    font.setStrikeOut(lf.strikeOut != 0);

    double pixels = std::abs(static_cast<double>(lf.height)) * std::abs(ScaleY());
    if (lf.height == 0)
        pixels = kDefaultHeightInches * m_info.dpiY;
    pixels = std::clamp(pixels, 1.0, static_cast<double>(kMaxFontPixels));
    font.setPixelSize(static_cast<int>(std::lround(pixels)));
    if (lf.height > 0) {
        // A positive height is the cell (ascent plus descent), larger than the em by the leading.
        const QFontMetricsF fm(font);
        const double cell = fm.ascent() + fm.descent();
        if (cell > 0)
            font.setPixelSize(static_cast<int>(std::lround(
                std::clamp(pixels * pixels / cell, 1.0, static_cast<double>(kMaxFontPixels)))));
    }
    if (lf.width != 0) {
        // The natural font is the one a narrowed text has just been measured in, made already.
        LogFont naturalFont = lf;
        naturalFont.width = 0;
        const double natural = Prepared(naturalFont).metrics.averageCharWidth();
        const double wanted = std::abs(static_cast<double>(lf.width)) * ScaleX();
        if (natural > 0)
            font.setStretch(
                static_cast<int>(std::lround(std::clamp(wanted / natural * 100, 1.0, 4000.0))));
    }
    return font;
}

const PainterSurface::PreparedFont& PainterSurface::Prepared(const LogFont& font) const {
    for (auto it = m_fonts.rbegin(); it != m_fonts.rend(); ++it) {
        if (it->mapMode == m_selected.mapMode && it->logFont == font)
            return *it;
    }
    if (m_fonts.size() >= kMaxFonts) {
        m_fonts.clear();
        m_currentFont = nullptr;
    }
    const QFont made = MakeQFont(font);
    const QFontMetricsF metrics(made);
    return m_fonts.emplace_back(PreparedFont{font,
                                             m_selected.mapMode,
                                             made,
                                             metrics,
                                             metrics.ascent(),
                                             metrics.descent(),
                                             std::nullopt,
                                             {}});
}

const PainterSurface::PreparedFont& PainterSurface::CurrentFont() const {
    if (!m_currentFont)
        m_currentFont = &Prepared(m_selected.font);
    return *m_currentFont;
}

TextMetrics PainterSurface::GetTextMetrics() const {
    const PreparedFont& current = CurrentFont();
    if (current.textMetrics)
        return *current.textMetrics;
    const QFontMetricsF& fm = current.metrics;
    const double sy = std::abs(ScaleY());
    const double sx = ScaleX();
    auto toY = [sy](double v) { return static_cast<int>(std::lround(v / sy)); };
    TextMetrics tm;
    tm.ascent = toY(current.ascent);
    tm.descent = toY(current.descent);
    tm.height = tm.ascent + tm.descent;
    tm.internalLeading = std::max(0, tm.height - toY(current.font.pixelSize()));
    tm.externalLeading = toY(std::max(0.0, fm.leading()));
    tm.aveCharWidth = static_cast<int>(std::lround(fm.averageCharWidth() / sx));
    tm.maxCharWidth = static_cast<int>(std::lround(fm.maxWidth() / sx));
    tm.weight = m_selected.font.weight;
    return *(current.textMetrics = tm);
}

Point PainterSurface::GetTextExtent(const QString& text) const {
    const PreparedFont& current = CurrentFont();
    return Point{static_cast<std::int32_t>(std::lround(Advance(current, text) / ScaleX())),
                 static_cast<std::int32_t>(
                     std::lround((current.ascent + current.descent) / std::abs(ScaleY())))};
}

const QPen& PainterSurface::CurrentQPen() const {
    if (m_qpen)
        return *m_qpen;
    // Never thinner than one device pixel; round ends and joins, so that the four sides of an
    // outline meet without a notch.
    QPen pen(ToQColor(m_selected.pen.color),
             std::clamp(m_selected.pen.width * ScaleX(), 1.0, kMaxPenPixels));
    pen.setStyle(m_selected.pen.style == PenStyle::Dash  ? Qt::DashLine
                 : m_selected.pen.style == PenStyle::Dot ? Qt::DotLine
                                                         : Qt::SolidLine);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return m_qpen.emplace(pen);
}

void PainterSurface::Fill(const QRectF& box, ColorRef color) {
    if (!box.isEmpty())
        m_painter.fillRect(box, ToQColor(color));
}

void PainterSurface::Rectangle(const Rect& rect) {
    const QRectF r = ToDevice(rect);
    if (m_selected.brush.style == BrushStyle::Solid)
        Fill(r, m_selected.brush.color);
    if (m_selected.pen.style == PenStyle::Null)
        return;
    const QPen& pen = CurrentQPen();
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setPen(pen);
    m_painter.drawRect(r);
}

void PainterSurface::FillSolidRect(const Rect& rect, ColorRef color) {
    Fill(ToDevice(rect), color);
}

void PainterSurface::MoveTo(int x, int y) {
    m_selected.current = QPointF(x, y);
}

void PainterSurface::LineTo(int x, int y) {
    if (m_selected.pen.style != PenStyle::Null) {
        const QPen& pen = CurrentQPen();
        const QPointF from = ToDevice(m_selected.current.x(), m_selected.current.y());
        const QPointF to = ToDevice(x, y);
        m_painter.setPen(pen);
        m_painter.drawLine(from, to);
    }
    m_selected.current = QPointF(x, y);
}

PainterSurface::TextMeasure& PainterSurface::Measured(const PreparedFont& font,
                                                      const QString& text) {
    if (font.measures.size() >= kMaxMeasures && !font.measures.contains(text))
        font.measures.clear();
    return font.measures[text];
}

double PainterSurface::Advance(const PreparedFont& font, const QString& text) {
    TextMeasure& measure = Measured(font, text);
    if (!measure.advance)
        measure.advance = font.metrics.horizontalAdvance(text);
    return *measure.advance;
}

QRectF PainterSurface::InkBox(const PreparedFont& font, const QPointF& origin,
                              const QString& text) {
    TextMeasure& measure = Measured(font, text);
    if (!measure.ink)
        measure.ink = font.metrics.tightBoundingRect(text);
    return measure.ink->translated(origin);
}

void PainterSurface::DrawTextLine(const QPointF& reference, const QString& text,
                                  const QRectF* clip) {
    const PreparedFont& prepared = CurrentFont();
    const auto horizontal =
        static_cast<TextAlign>((m_selected.textAlign & TextAlign::HorizontalMask).toInt());
    const bool opaque = m_selected.bkMode == BkMode::Opaque;
    // The advance places right-aligned and centred text and spans an opaque background.
    const bool placed = horizontal == TextAlign::Right || horizontal == TextAlign::Center;
    const double width = placed || opaque ? Advance(prepared, text) : 0;
    double x = 0;
    if (horizontal == TextAlign::Right)
        x = -width;
    else if (horizontal == TextAlign::Center)
        x = -width / 2;
    double baseline = prepared.ascent;
    switch (static_cast<TextAlign>((m_selected.textAlign & TextAlign::VerticalMask).toInt())) {
    case TextAlign::Bottom:
        baseline = -prepared.descent;
        break;
    case TextAlign::Baseline:
        baseline = 0;
        break;
    default:
        break;
    }
    const QRectF cell(x, baseline - prepared.ascent, width, prepared.ascent + prepared.descent);

    if (m_selected.font.escapement != 0) {
        // Turned text keeps the painter's turn to itself.
        QTransform turn;
        turn.translate(reference.x(), reference.y());
        turn.rotate(-m_selected.font.escapement / 10.0);
        m_painter.save();
        if (clip)
            m_painter.setClipRect(*clip, Qt::IntersectClip);
        m_painter.setTransform(turn, true);
        if (opaque)
            m_painter.fillRect(cell, ToQColor(m_selected.bkColor));
        m_painter.setFont(prepared.font);
        m_painter.setPen(ToQColor(m_selected.textColor));
        m_painter.drawText(QPointF(x, baseline), text);
        m_painter.restore();
        return;
    }

    const QPointF origin = reference + QPointF(x, baseline);
    const QRectF ink = clip ? InkBox(prepared, origin, text) : QRectF();
    // Only text whose ink reaches past the clipping rectangle is cut.
    const bool cut = clip && !ink.isNull() && !clip->contains(Grown(ink, kCutPixels));
    if (cut) {
        m_painter.save();
        m_painter.setClipRect(*clip, Qt::IntersectClip);
    }
    // The reference point moves the painter rather than the text, since a text's own position
    // is kept to a 64th of a pixel and the reference point would lose its fraction.
    const QTransform world = m_painter.worldTransform();
    m_painter.translate(reference);
    if (opaque)
        Fill(clip ? cell.intersected(clip->translated(-reference)) : cell, m_selected.bkColor);
    m_painter.setFont(prepared.font);
    m_painter.setPen(ToQColor(m_selected.textColor));
    m_painter.drawText(QPointF(x, baseline), text);
    m_painter.setWorldTransform(world);
    if (cut)
        m_painter.restore();
}

void PainterSurface::TextOut(int x, int y, const QString& text) {
    DrawTextLine(ToDevice(x, y), text, nullptr);
}

void PainterSurface::ExtTextOut(int x, int y, TextOutOptions options, const Rect& rect,
                                const QString& text) {
    const QRectF box = ToDevice(rect);
    if (options & TextOutOption::Opaque)
        Fill(box, m_selected.bkColor);
    DrawTextLine(ToDevice(x, y), text, options & TextOutOption::Clipped ? &box : nullptr);
}

int PainterSurface::DrawText(const QString& text, Rect& rect, TextLayoutFlags layout) {
    const PreparedFont& prepared = CurrentFont();
    const QFontMetricsF& fm = prepared.metrics;
    const QRectF box = ToDevice(rect);
    const double lineHeight = prepared.ascent + prepared.descent;
    // Lines wholly below a clipping box are never seen: a paragraph of megabytes lays out only
    // what its box shows.
    const bool measuring = layout & TextLayout::CalcRect;
    const bool clipping = !(layout & TextLayout::NoClip);
    const qsizetype shown =
        !measuring && clipping && lineHeight > 0 && box.height() / lineHeight < 1e6
            ? static_cast<qsizetype>(std::ceil(std::abs(box.height()) / lineHeight)) + 1
            : std::numeric_limits<qsizetype>::max();
    const QStringList lines = WordWrap::Lines(text, fm, box.width(), layout, shown);
    const double textHeight = lineHeight * lines.size();
    const double sx = ScaleX();
    const double sy = ScaleY();
    const int logicalHeight = static_cast<int>(std::lround(textHeight / std::abs(sy)));

    if (layout & TextLayout::CalcRect) {
        double widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, fm.horizontalAdvance(line));
        rect.right = SaturatedAdd(rect.left, std::llround(widest / sx));
        rect.bottom = SaturatedAdd(rect.top, std::llround(textHeight / sy));
        return logicalHeight;
    }

    double top = box.top();
    if (layout & TextLayout::SingleLine) {
        if (layout & TextLayout::Bottom)
            top = box.bottom() - lineHeight;
        else if (layout & TextLayout::VCenter)
            top = box.top() + (box.height() - lineHeight) / 2;
    }
    const bool clipped = !(layout & TextLayout::NoClip);
    const bool opaque = m_selected.bkMode == BkMode::Opaque;
    const bool placed = (layout & TextLayout::Right) || (layout & TextLayout::Center);
    struct Line {
        QPointF origin;
        double width;
    };
    std::vector<Line> placedLines;
    placedLines.reserve(static_cast<std::size_t>(lines.size()));
    QRectF ink;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double width = placed || opaque ? Advance(prepared, lines[i]) : 0;
        double x = box.left();
        if (layout & TextLayout::Right)
            x = box.right() - width;
        else if (layout & TextLayout::Center)
            x = box.left() + (box.width() - width) / 2;
        const QPointF origin(x, top + i * lineHeight + prepared.ascent);
        placedLines.push_back(Line{origin, width});
        if (clipped)
            ink = ink.united(InkBox(prepared, origin, lines[i]));
    }
    // The lines are cut by the rectangle only when some of their ink reaches past it.
    const bool cut = clipped && !ink.isNull() && !box.contains(Grown(ink, kCutPixels));
    if (cut) {
        m_painter.save();
        m_painter.setClipRect(box, Qt::IntersectClip);
    }
    m_painter.setFont(prepared.font);
    m_painter.setPen(ToQColor(m_selected.textColor));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line& line = placedLines[static_cast<std::size_t>(i)];
        if (opaque) {
            const QRectF background(line.origin.x(), line.origin.y() - prepared.ascent, line.width,
                                    lineHeight);
            Fill(clipped ? background.intersected(box) : background, m_selected.bkColor);
        }
        m_painter.drawText(line.origin, lines[i]);
    }
    if (cut)
        m_painter.restore();
    return logicalHeight;
}

void PainterSurface::StretchImage(const Rect& dest, const QImage& image, const Rect& source) {
    const QRectF src(source.left, source.top, source.Width(), source.Height());
    const QRectF target = ToDevice(dest);
    m_painter.drawImage(target, image, src);
}
