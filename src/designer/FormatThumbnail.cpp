#include "designer/FormatThumbnail.h"

#include "model/CControles.h"
#include "platform/ColorRef.h"
#include "platform/DrawingSurface.h"
#include "platform/PainterSurface.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kUnitsPerInch = 254.0;
constexpr int kMargin = 8;
constexpr ColorRef kSheetEdge = MakeColorRef(128, 128, 128);

} // namespace

FormatThumbnail::FormatThumbnail(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 240);
}

void FormatThumbnail::SetFormat(std::shared_ptr<const Format> format, const Paper& paper) {
    m_format = std::move(format);
    m_paper = paper;
    m_text.clear();
    update();
}

void FormatThumbnail::SetText(const QString& text) {
    m_format.reset();
    m_text = text;
    update();
}

QSize FormatThumbnail::sizeHint() const {
    return QSize(320, 400);
}

double FormatThumbnail::ScaleFor(QSize size) const {
    const QSize sheet = m_paper.Units().expandedTo(QSize(1, 1));
    const double across = std::max(1, size.width() - 2 * kMargin);
    const double down = std::max(1, size.height() - 2 * kMargin);
    return std::min(across / sheet.width(), down / sheet.height());
}

void FormatThumbnail::Paint(DrawingSurface& dc, QSize size) const {
    if (!m_format)
        return;
    const double scale = ScaleFor(size);
    const QSize sheet = m_paper.Units();
    const int width = static_cast<int>(std::lround(sheet.width() * scale));
    const int height = static_cast<int>(std::lround(sheet.height() * scale));
    const int left = (size.width() - width) / 2;
    const int top = (size.height() - height) / 2;
    // The controls draw themselves where the design view puts the page, 5 mm in from its
    // corner: the origin goes that far up and left of the sheet's corner.
    dc.SetMapMode(MapMode::LoMetric);
    dc.SetViewportOrg(
        Point{left - static_cast<int>(std::lround(CControles::kDesignShiftX * scale)),
              top + static_cast<int>(std::lround(CControles::kDesignShiftY * scale))});
    const Rect paper(CControles::kDesignShiftX, CControles::kDesignShiftY,
                     CControles::kDesignShiftX + sheet.width(),
                     CControles::kDesignShiftY - sheet.height());
    dc.FillSolidRect(paper, kWhite);
    const Pen edge = dc.SelectPen(Pen{PenStyle::Solid, 0, kSheetEdge});
    const Brush hollow = dc.SelectBrush(Brush{BrushStyle::Null, kWhite});
    dc.Rectangle(paper);
    dc.SelectBrush(hollow);
    dc.SelectPen(edge);
    dc.SetBkMode(BkMode::Transparent);
    for (const auto& control : m_format->controls)
        control->Draw(dc);
}

void FormatThumbnail::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    if (!m_format) {
        painter.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                         Qt::AlignCenter | Qt::TextWordWrap, m_text);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(rect());
    PainterSurface::DeviceInfo info = PainterSurface::DescribeDevice(*this);
    info.dpiX = info.dpiY = ScaleFor(size()) * kUnitsPerInch;
    PainterSurface dc(painter, info);
    Paint(dc, size());
}
