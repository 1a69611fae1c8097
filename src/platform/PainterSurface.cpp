#include "platform/PainterSurface.h"

#include "platform/Saturate.h"
#include "platform/WordWrap.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

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
    switch (m_mapMode) {
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
    switch (m_mapMode) {
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
    return QPointF(Bounded((x - m_windowOrg.x) * ScaleX() + m_viewportOrg.x),
                   Bounded((y - m_windowOrg.y) * ScaleY() + m_viewportOrg.y));
}

QRectF PainterSurface::ToDevice(const Rect& rect) const {
    return QRectF(ToDevice(rect.left, rect.top), ToDevice(rect.right, rect.bottom)).normalized();
}

Point PainterSurface::LPtoDP(Point p) const {
    const QPointF d = ToDevice(p.x, p.y);
    return Point{Saturate(std::llround(d.x())), Saturate(std::llround(d.y()))};
}

Point PainterSurface::DPtoLP(Point p) const {
    const double x = (p.x - m_viewportOrg.x) / ScaleX() + m_windowOrg.x;
    const double y = (p.y - m_viewportOrg.y) / ScaleY() + m_windowOrg.y;
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

Pen PainterSurface::SelectPen(const Pen& pen) {
    return std::exchange(m_pen, pen);
}

Brush PainterSurface::SelectBrush(const Brush& brush) {
    return std::exchange(m_brush, brush);
}

LogFont PainterSurface::SelectFont(const LogFont& font) {
    m_qfont.reset();
    return std::exchange(m_font, font);
}

ColorRef PainterSurface::SetTextColor(ColorRef color) {
    return std::exchange(m_textColor, color);
}

ColorRef PainterSurface::SetBkColor(ColorRef color) {
    return std::exchange(m_bkColor, color);
}

BkMode PainterSurface::SetBkMode(BkMode mode) {
    return std::exchange(m_bkMode, mode);
}

TextAlignFlags PainterSurface::SetTextAlign(TextAlignFlags align) {
    return std::exchange(m_textAlign, align);
}

MapMode PainterSurface::SetMapMode(MapMode mode) {
    if (mode != m_mapMode)
        m_qfont.reset();
    return std::exchange(m_mapMode, mode);
}

Point PainterSurface::SetWindowOrg(Point origin) {
    return std::exchange(m_windowOrg, origin);
}

Point PainterSurface::SetViewportOrg(Point origin) {
    return std::exchange(m_viewportOrg, origin);
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
        const QFontMetricsF fm(font);
        const double natural = fm.averageCharWidth();
        const double wanted = std::abs(static_cast<double>(lf.width)) * ScaleX();
        if (natural > 0)
            font.setStretch(
                static_cast<int>(std::lround(std::clamp(wanted / natural * 100, 1.0, 4000.0))));
    }
    return font;
}

const QFont& PainterSurface::CurrentQFont() const {
    if (!m_qfont)
        m_qfont = MakeQFont(m_font);
    return *m_qfont;
}

TextMetrics PainterSurface::GetTextMetrics() const {
    const QFontMetricsF fm(CurrentQFont());
    const double sy = std::abs(ScaleY());
    const double sx = ScaleX();
    auto toY = [sy](double v) { return static_cast<int>(std::lround(v / sy)); };
    TextMetrics tm;
    tm.ascent = toY(fm.ascent());
    tm.descent = toY(fm.descent());
    tm.height = tm.ascent + tm.descent;
    tm.internalLeading = std::max(0, tm.height - toY(CurrentQFont().pixelSize()));
    tm.externalLeading = toY(std::max(0.0, fm.leading()));
    tm.aveCharWidth = static_cast<int>(std::lround(fm.averageCharWidth() / sx));
    tm.maxCharWidth = static_cast<int>(std::lround(fm.maxWidth() / sx));
    tm.weight = m_font.weight;
    return tm;
}

Point PainterSurface::GetTextExtent(const QString& text) const {
    const QFontMetricsF fm(CurrentQFont());
    return Point{
        static_cast<std::int32_t>(std::lround(fm.horizontalAdvance(text) / ScaleX())),
        static_cast<std::int32_t>(std::lround((fm.ascent() + fm.descent()) / std::abs(ScaleY())))};
}

QPen PainterSurface::CurrentQPen() const {
    // Never thinner than one device pixel; round ends and joins, so that the four sides of an
    // outline meet without a notch.
    QPen pen(ToQColor(m_pen.color), std::clamp(m_pen.width * ScaleX(), 1.0, kMaxPenPixels));
    pen.setStyle(m_pen.style == PenStyle::Dash  ? Qt::DashLine
                 : m_pen.style == PenStyle::Dot ? Qt::DotLine
                                                : Qt::SolidLine);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void PainterSurface::Rectangle(const Rect& rect) {
    const QRectF r = ToDevice(rect);
    if (m_brush.style == BrushStyle::Solid)
        m_painter.fillRect(r, ToQColor(m_brush.color));
    if (m_pen.style == PenStyle::Null)
        return;
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setPen(CurrentQPen());
    m_painter.drawRect(r);
}

void PainterSurface::FillSolidRect(const Rect& rect, ColorRef color) {
    m_painter.fillRect(ToDevice(rect), ToQColor(color));
}

void PainterSurface::MoveTo(int x, int y) {
    m_current = QPointF(x, y);
}

void PainterSurface::LineTo(int x, int y) {
    if (m_pen.style != PenStyle::Null) {
        m_painter.setPen(CurrentQPen());
        m_painter.drawLine(ToDevice(m_current.x(), m_current.y()), ToDevice(x, y));
    }
    m_current = QPointF(x, y);
}

void PainterSurface::DrawTextLine(const QPointF& reference, const QString& text) {
    const QFont& font = CurrentQFont();
    const QFontMetricsF fm(font);
    const double width = fm.horizontalAdvance(text);
    double x = 0;
    switch (static_cast<TextAlign>((m_textAlign & TextAlign::HorizontalMask).toInt())) {
    case TextAlign::Right:
        x = -width;
        break;
    case TextAlign::Center:
        x = -width / 2;
        break;
    default:
        break;
    }
    double baseline = fm.ascent();
    switch (static_cast<TextAlign>((m_textAlign & TextAlign::VerticalMask).toInt())) {
    case TextAlign::Bottom:
        baseline = -fm.descent();
        break;
    case TextAlign::Baseline:
        baseline = 0;
        break;
    default:
        break;
    }
    m_painter.save();
    m_painter.translate(reference);
    if (m_font.escapement != 0)
        m_painter.rotate(-m_font.escapement / 10.0);
    if (m_bkMode == BkMode::Opaque)
        m_painter.fillRect(QRectF(x, baseline - fm.ascent(), width, fm.ascent() + fm.descent()),
                           ToQColor(m_bkColor));
    m_painter.setFont(font);
    m_painter.setPen(ToQColor(m_textColor));
    m_painter.drawText(QPointF(x, baseline), text);
    m_painter.restore();
}

void PainterSurface::TextOut(int x, int y, const QString& text) {
    DrawTextLine(ToDevice(x, y), text);
}

void PainterSurface::ExtTextOut(int x, int y, TextOutOptions options, const Rect& rect,
                                const QString& text) {
    const QRectF box = ToDevice(rect);
    m_painter.save();
    if (options & TextOutOption::Opaque)
        m_painter.fillRect(box, ToQColor(m_bkColor));
    if (options & TextOutOption::Clipped)
        m_painter.setClipRect(box, Qt::IntersectClip);
    DrawTextLine(ToDevice(x, y), text);
    m_painter.restore();
}

int PainterSurface::DrawText(const QString& text, Rect& rect, TextLayoutFlags layout) {
    const QFont& font = CurrentQFont();
    const QFontMetricsF fm(font);
    const QRectF box = ToDevice(rect);
    const QStringList lines = WordWrap::Lines(text, fm, box.width(), layout);
    const double lineHeight = fm.ascent() + fm.descent();
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
    m_painter.save();
    if (!(layout & TextLayout::NoClip))
        m_painter.setClipRect(box, Qt::IntersectClip);
    m_painter.setFont(font);
    m_painter.setPen(ToQColor(m_textColor));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double width = fm.horizontalAdvance(lines[i]);
        double x = box.left();
        if (layout & TextLayout::Right)
            x = box.right() - width;
        else if (layout & TextLayout::Center)
            x = box.left() + (box.width() - width) / 2;
        const double lineTop = top + i * lineHeight;
        if (m_bkMode == BkMode::Opaque)
            m_painter.fillRect(QRectF(x, lineTop, width, lineHeight), ToQColor(m_bkColor));
        m_painter.drawText(QPointF(x, lineTop + fm.ascent()), lines[i]);
    }
    m_painter.restore();
    return logicalHeight;
}

void PainterSurface::StretchImage(const Rect& dest, const QImage& image, const Rect& source) {
    const QRectF src(source.left, source.top, source.Width(), source.Height());
    m_painter.drawImage(ToDevice(dest), image, src);
}
