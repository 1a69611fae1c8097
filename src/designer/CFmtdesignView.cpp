#include "designer/CFmtdesignView.h"

#include "capture_model/CFmtGrid.h"
#include "commands/DesignerPictures.h"
#include "commands/WindowCommands.h"
#include "designer/ControlPicker.h"
#include "designer/DesignClipboard.h"
#include "designer/DesignDocument.h"
#include "designer/PageTextEditor.h"
#include "model/CControles.h"
#include "model/CLinea.h"
#include "model/Paper.h"
#include "model/ReferenceBackdrop.h"
#include "platform/PainterSurface.h"
#include "platform/PlenovaError.h"
#include "platform_widgets/FileDialog.h"
#include "platform_widgets/UserMessage.h"
#include "platform_widgets/ZoomLevel.h"

#include <QAction>
#include <QColor>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// A tenth of a millimetre per unit: 254 units to the inch.
constexpr double kUnitsPerInch = 254.0;

// The sheet's edge, and the fainter line where most printers stop inking.
const QColor kPaperEdge(128, 128, 128);
const QColor kUnprintableLine(200, 200, 220);
// The snap grid: faint enough to design over, each centimetre a little darker.
const QColor kGridLine(228, 232, 240);
const QColor kGridCentimetre(200, 208, 224);
// The rubber band, its inside tinted so that what it encloses still shows.
const QColor kRubberBand(40, 80, 160);
const QColor kRubberBandFill(40, 80, 160, 32);

// The side of the square in which the pointer catches a handle, in pixels: about a handle's
// size at true size, kept when the zoom draws the handles smaller.
constexpr double kGripPixels = 7.0;

// A notch of the wheel.
constexpr int kWheelNotch = 120;

QString Centimetres(const char* pattern, int first, int second) {
    return QString::asprintf(pattern, first / 100.0, second / 100.0);
}

} // namespace

CFmtdesignView::CFmtdesignView(DesignDocument& document, QWidget* parent)
    : QAbstractScrollArea(parent), m_document(document), m_chooseImage(&AskForImage),
      m_report([](const QString& message) { UserMessage::Error(message); }) {
    m_trueScale = m_scale = viewport()->logicalDpiX() / kUnitsPerInch;
    viewport()->setMouseTracking(true);
    // Every pixel is painted: white paper and the controls over it.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    SetViewCursor(kArrowCursor);
    UpdateScrollBars();

    // A drag redraws only where the dragged control was and is.
    const auto redraw = [this] {
        if (!m_dragging)
            viewport()->update();
    };
    m_textEditor = new PageTextEditor(*this, m_document);
    connect(m_textEditor, &PageTextEditor::refused, this,
            [this](const QString& message) { m_report(message); });
    connect(&m_document, &DesignDocument::changed, this, redraw);
    connect(&m_document, &DesignDocument::selectionChanged, this, redraw);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int) { TellScrollPositions(); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int) { TellScrollPositions(); });
}

CFmtdesignView::~CFmtdesignView() = default;

void CFmtdesignView::SetScale(double pixelsPerUnit) {
    // Beyond 10 pixels a unit the surface's side in pixels would pass what a widget holds.
    if (!(pixelsPerUnit > 0 && pixelsPerUnit <= 10))
        return;
    m_trueScale = pixelsPerUnit;
    m_scale = m_trueScale * m_zoom / 100.0;
    UpdateScrollBars();
    viewport()->update();
}

void CFmtdesignView::SetZoom(int percent) {
    ZoomAbout(percent, viewport()->rect().center());
}

void CFmtdesignView::ZoomAbout(int percent, QPoint pixel) {
    percent = ZoomLevel::Clamp(percent);
    if (percent == m_zoom)
        return;
    // The text being typed on the page is applied before the page moves under it.
    m_textEditor->Finish();
    const double oldScale = m_scale;
    const int h = horizontalScrollBar()->value();
    const int v = verticalScrollBar()->value();
    m_zoom = percent;
    m_scale = m_trueScale * m_zoom / 100.0;
    UpdateScrollBars();
    horizontalScrollBar()->setValue(ZoomLevel::ScrollKeeping(pixel.x(), h, oldScale, m_scale));
    verticalScrollBar()->setValue(ZoomLevel::ScrollKeeping(pixel.y(), v, oldScale, m_scale));
    TellScrollPositions();
    viewport()->update();
    emit zoomChanged(m_zoom);
}

QSize CFmtdesignView::PageExtent() const {
    // The format's paper, and a control beyond it takes the page 5 mm past its farthest edge.
    constexpr std::int64_t kMargin = 50;
    const QSize paper = m_document.Plenova().paper.Units();
    std::int64_t right = paper.width();
    std::int64_t below = paper.height();
    for (const auto& control : m_document.Controls()) {
        const Rect r = control->pageRect.Normalized(); // top is the lower edge
        right = std::max(right, r.right + kMargin);
        below = std::max(below, kMargin - r.top);
    }
    const std::int64_t limit = kSurfaceSide - 2 * kPageOffsetX;
    return QSize(static_cast<int>(std::min(right, limit)),
                 static_cast<int>(std::min(below, limit)));
}

void CFmtdesignView::FitPage() {
    // The page with the paper's margin on every side.
    const QSize page = PageExtent();
    const double width = (page.width() + 2.0 * kPageOffsetX) * m_trueScale;
    const double height = (page.height() - 2.0 * kPageOffsetY) * m_trueScale;
    const QSize room = ZoomLevel::Room(*this);
    ZoomAbout(ZoomLevel::Fitting(width, height, room.width(), room.height()), QPoint(0, 0));
    ScrollToOrigin();
}

Point CFmtdesignView::ToFormat(QPoint pixel) const {
    const double x = (pixel.x() + horizontalScrollBar()->value()) / m_scale;
    const double y = -(pixel.y() + verticalScrollBar()->value()) / m_scale;
    return Point{static_cast<std::int32_t>(std::lround(x)) - kPageOffsetX,
                 static_cast<std::int32_t>(std::lround(y)) - kPageOffsetY};
}

QPoint CFmtdesignView::ToPixel(Point format) const {
    const double x = (static_cast<double>(format.x) + kPageOffsetX) * m_scale;
    const double y = -(static_cast<double>(format.y) + kPageOffsetY) * m_scale;
    return QPoint(static_cast<int>(std::lround(x)) - horizontalScrollBar()->value(),
                  static_cast<int>(std::lround(y)) - verticalScrollBar()->value());
}

void CFmtdesignView::ArmInsertion(ControlTypeCode type) {
    m_document.ArmInsertion(type);
    m_armedHandle = Handle::None;
    ClearTableArming();
    SetViewCursor(kCrossHairCursor);
}

void CFmtdesignView::ArmSelection() {
    m_document.ArmSelection();
    SetViewCursor(kArrowCursor);
}

void CFmtdesignView::SetViewCursor(int id) {
    m_cursorId = id;
    viewport()->setCursor(DesignerPictures::Cursor(id));
}

void CFmtdesignView::ScrollToOrigin() {
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    TellScrollPositions();
}

void CFmtdesignView::UpdateScrollBars() {
    const int side = static_cast<int>(std::lround(kSurfaceSide * m_scale));
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, side - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, side - visible.height()));
    horizontalScrollBar()->setPageStep(visible.width());
    verticalScrollBar()->setPageStep(visible.height());
    horizontalScrollBar()->setSingleStep(std::max(1, side / 100));
    verticalScrollBar()->setSingleStep(std::max(1, side / 100));
}

void CFmtdesignView::TellScrollPositions() {
    emit rulerHint(kHintScrollX,
                   static_cast<int>(std::lround(horizontalScrollBar()->value() / m_scale)));
    emit rulerHint(kHintScrollY,
                   -static_cast<int>(std::lround(verticalScrollBar()->value() / m_scale)));
}

void CFmtdesignView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CFmtdesignView::scrollContentsBy(int, int) {
    m_textEditor->Finish();
    viewport()->update();
}

void CFmtdesignView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    const int h = horizontalScrollBar()->value();
    const int v = verticalScrollBar()->value();
    // Past the surface's edge (a window wider than 410 mm) the window's own colour shows.
    const int side = static_cast<int>(std::lround(kSurfaceSide * m_scale));
    const QRect surface(-h, -v, side, side);
    painter.fillRect(dirty, palette().color(QPalette::Window));
    painter.fillRect(dirty & surface, Qt::white);
    painter.setClipRect(dirty & surface);
    PaintBackdrop(painter);
    PaintGrid(painter, dirty);
    PaintPaperEdge(painter);

    PainterSurface::DeviceInfo info = PainterSurface::DescribeDevice(*viewport());
    info.dpiX = info.dpiY = m_scale * kUnitsPerInch;
    PainterSurface dc(painter, info);
    dc.SetMapMode(MapMode::LoMetric);
    dc.SetViewportOrg(Point{-h, -v});
    dc.SetBkMode(BkMode::Transparent);

    for (const auto& control : m_document.Controls()) {
        if (Reach(*control).intersects(dirty))
            control->Draw(dc);
    }
    PaintRubberBand(painter);
}

void CFmtdesignView::SetGridShown(bool shown) {
    if (shown == m_gridShown)
        return;
    m_gridShown = shown;
    viewport()->update();
}

void CFmtdesignView::PaintGrid(QPainter& painter, const QRect& dirty) const {
    if (!m_gridShown)
        return;
    const int step = m_document.SnapStep() > 0 ? m_document.SnapStep() : 100;
    // Lines closer than this many pixels would grey the page over: then only the centimetres.
    constexpr double kClosest = 4.0;
    const int shown = step * m_scale >= kClosest ? step : 100;
    const QSize paper = m_document.Plenova().paper.Units();
    const QPoint corner = ToPixel(Point{0, 0});
    const QRect sheet(corner, ToPixel(Point{paper.width(), -paper.height()}));
    const QRect area = sheet & dirty;
    if (area.isEmpty())
        return;
    // The units covered by the area, so that a redraw of a small part draws only its lines.
    const Point from = ToFormat(area.topLeft());
    const Point to = ToFormat(area.bottomRight());
    painter.save();
    const auto pen = [shown](int units) {
        return QPen(units % 100 == 0 && shown < 100 ? kGridCentimetre : kGridLine, 0);
    };
    for (int x = std::max(0, from.x / shown * shown); x <= std::min(paper.width(), to.x);
         x += shown) {
        const int px = ToPixel(Point{x, 0}).x();
        painter.setPen(pen(x));
        painter.drawLine(px, area.top(), px, area.bottom());
    }
    for (int y = std::max(0, -from.y / shown * shown); y <= std::min(paper.height(), -to.y);
         y += shown) {
        const int py = ToPixel(Point{0, -y}).y();
        painter.setPen(pen(y));
        painter.drawLine(area.left(), py, area.right(), py);
    }
    painter.restore();
}

std::optional<Rect> CFmtdesignView::RubberBand() const {
    if (!m_band)
        return std::nullopt;
    return Rect(m_bandStart.x, m_bandStart.y, m_bandEnd.x, m_bandEnd.y).Normalized();
}

QRect CFmtdesignView::BandPixels() const {
    return QRect(ToPixel(m_bandStart), ToPixel(m_bandEnd)).normalized().adjusted(-2, -2, 2, 2);
}

void CFmtdesignView::PaintRubberBand(QPainter& painter) const {
    if (!m_band)
        return;
    painter.save();
    painter.setClipping(false);
    painter.setPen(QPen(kRubberBand, 0, Qt::DashLine));
    painter.setBrush(kRubberBandFill);
    painter.drawRect(QRect(ToPixel(m_bandStart), ToPixel(m_bandEnd)).normalized());
    painter.restore();
}

void CFmtdesignView::SetBackdrop(const ReferenceBackdrop* backdrop) {
    m_backdrop = backdrop;
    viewport()->update();
}

void CFmtdesignView::PaintBackdrop(QPainter& painter) const {
    if (!m_backdrop)
        return;
    // The page's corner where ToPixel puts it, and one page unit m_scale pixels, y upward.
    const QPoint corner = ToPixel(Point{0, 0});
    painter.save();
    painter.translate(corner);
    painter.scale(m_scale, -m_scale);
    m_backdrop->Draw(painter);
    painter.restore();
}

void CFmtdesignView::PaintPaperEdge(QPainter& painter) const {
    const QSize paper = m_document.Plenova().paper.Units();
    const QPoint corner = ToPixel(Point{0, 0});
    const auto pixels = [this](int units) {
        return static_cast<int>(std::lround(units * m_scale));
    };
    painter.save();
    const int inset = pixels(Paper::kUnprintableUnits);
    const QRect sheet(corner, QSize(pixels(paper.width()), pixels(paper.height())));
    painter.setPen(QPen(kUnprintableLine, 0, Qt::DashLine));
    painter.drawRect(sheet.adjusted(inset, inset, -inset, -inset));
    painter.setPen(QPen(kPaperEdge, 0));
    painter.drawRect(sheet);
    painter.restore();
}

QRect CFmtdesignView::Reach(const CControles& control) const {
    // Beyond its rectangle a control draws its handles and, above a table, the column titles one
    // font high.
    const Rect r = control.pageRect.Normalized(); // top is the lower edge
    const double reach =
        CControles::kHandleHalf + std::abs(static_cast<double>(control.font.height)) + 10.0;
    const auto pixel = [](double value) { return static_cast<int>(std::clamp(value, -1e8, 1e8)); };
    const double h = horizontalScrollBar()->value();
    const double v = verticalScrollBar()->value();
    const double left = (static_cast<double>(r.left) + kPageOffsetX - reach) * m_scale - h;
    const double right = (static_cast<double>(r.right) + kPageOffsetX + reach) * m_scale - h;
    const double upper = -(static_cast<double>(r.bottom) + kPageOffsetY + reach) * m_scale - v;
    const double lower = -(static_cast<double>(r.top) + kPageOffsetY - reach) * m_scale - v;
    return QRect(QPoint(pixel(std::floor(left)), pixel(std::floor(upper))),
                 QPoint(pixel(std::ceil(right)), pixel(std::ceil(lower))));
}

// ---- The mouse ------------------------------------------------------------------------------

void CFmtdesignView::mousePressEvent(QMouseEvent* event) {
    // A click beside the text being typed applies it first; a name refused keeps the box, and
    // the click does nothing more.
    if (m_textEditor->IsEditing() && !m_textEditor->Apply()) {
        event->accept();
        return;
    }
    const Point p = ToFormat(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        LeftPress(p, event->modifiers());
    else if (event->button() == Qt::RightButton)
        RightPress(p, event->globalPosition().toPoint());
    event->accept();
}

void CFmtdesignView::mouseMoveEvent(QMouseEvent* event) {
    const Point p = ToFormat(event->position().toPoint());
    if (m_buttonDown && m_document.CurrentTool() == DesignDocument::Tool::Selection)
        Drag(p, event->modifiers());
    else
        Hover(p, event->position().toPoint());
    event->accept();
}

void CFmtdesignView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        LeftRelease(ToFormat(event->position().toPoint()));
    event->accept();
}

void CFmtdesignView::mouseDoubleClickEvent(QMouseEvent* event) {
    const Point p = ToFormat(event->position().toPoint());
    const bool plain = event->button() == Qt::LeftButton &&
                       !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) &&
                       m_document.CurrentTool() == DesignDocument::Tool::Selection &&
                       m_armedHandle == Handle::None && !m_dividerDrag;
    const int hit = plain ? m_document.IndexAt(p) : -1;
    if (hit < 0 || !PageTextEditor::Edits(*m_document.ControlAt(hit))) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    // The first click of the two picked the control and may have begun a drag that moved
    // nothing; the second types over its text.
    m_buttonDown = false;
    if (m_dragging) {
        m_dragging = false;
        m_document.EndDrag();
    }
    m_document.Select(hit);
    viewport()->update();
    m_textEditor->Start(hit);
    event->accept();
}

void CFmtdesignView::LeftPress(Point p, Qt::KeyboardModifiers modifiers) {
    setFocus(Qt::MouseFocusReason);
    m_cycleOnRelease = false;
    // A release the view never saw (the pointer grabbed elsewhere) still ends the drag it began.
    if (m_dragging) {
        m_dragging = false;
        m_document.EndDrag();
    }
    if (m_band) {
        m_band = false;
        viewport()->update();
    }
    if (m_document.CurrentTool() == DesignDocument::Tool::Insertion) {
        m_buttonDown = true;
        return;
    }
    // Alt held places the controls freely, whatever the snap, for this drag.
    const bool free = modifiers.testFlag(Qt::AltModifier);
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) {
        AddingPress(p, free);
        return;
    }
    // A press on an armed handle or divider works on the selected control as it is: the divider
    // of a table's last column lies half outside the table, and a click there would lose it.
    if (m_armedHandle == Handle::None && !m_dividerDrag) {
        const int reach = StrokeReach();
        int hit = m_document.IndexAt(p, reach);
        if (free) {
            // Alt+click goes down through the controls under the pointer. A press on one already
            // selected keeps the selection, so that an Alt drag still moves it unsnapped; the
            // button coming up without a move then passes on to the next one.
            const std::vector<int> under = ControlPicker::Under(m_document.Controls(), p, reach);
            const auto selected = std::find_if(under.begin(), under.end(), [this](int index) {
                return m_document.IsSelected(index);
            });
            m_cycleOnRelease = selected != under.end();
            m_cyclePoint = p;
            hit = m_cycleOnRelease ? *selected : m_document.NextIndexAt(p, reach);
        }
        if (m_headerSelect && PickHeader(p)) {
            // The table stays selected with its header picked.
        } else if (hit < 0) {
            // Empty paper: nothing selected, and a drag draws a rubber band.
            m_document.Select(-1);
            m_buttonDown = true;
            m_band = true;
            m_bandAdds = false;
            m_bandStart = m_bandEnd = p;
            return;
        } else if (!m_document.IsSelected(hit)) {
            m_document.Select(hit);
        }
        // A press on a control already selected keeps the selection: the drag moves all of it.
    }
    StartDrag(p, free);
}

void CFmtdesignView::AddingPress(Point p, bool free) {
    m_armedHandle = Handle::None;
    ClearTableArming();
    const int hit = m_document.IndexAt(p, StrokeReach());
    m_buttonDown = true;
    if (hit < 0) {
        m_band = true;
        m_bandAdds = true;
        m_bandStart = m_bandEnd = p;
        return;
    }
    m_document.ToggleSelected(hit);
    viewport()->update();
    // A control taken out of the selection is not dragged; one added moves with the rest.
    if (m_document.IsSelected(hit))
        StartDrag(p, free);
}

void CFmtdesignView::StartDrag(Point p, bool free) {
    m_lastPoint = DesignDocument::Snap(p, free ? 0 : m_document.SnapStep());
    m_buttonDown = true;
    m_document.BeginDrag();
    m_dragging = true;
}

bool CFmtdesignView::PickHeader(Point p) {
    auto* table = dynamic_cast<CFmtGrid*>(m_document.Selected());
    if (!table)
        return false;
    const CFmtGrid::Hit hit = table->HitHeader(p);
    if (hit.column < 0 && hit.row < 0)
        return false;
    // A second click on the picked column (or row) drops it; picking one drops the other.
    int column = table->SelectedColumn();
    int row = table->SelectedRow();
    if (hit.column >= 0) {
        column = hit.column == column ? -1 : hit.column;
        row = -1;
    } else {
        row = hit.row == row ? -1 : hit.row;
        column = -1;
    }
    m_document.PickTableHeader(column, row);
    viewport()->update();
    return true;
}

void CFmtdesignView::Drag(Point pointer, Qt::KeyboardModifiers modifiers) {
    if (m_band) {
        const QRect was = BandPixels();
        m_bandEnd = pointer;
        viewport()->update(was | BandPixels());
        ShowPosition(pointer.x, pointer.y);
        return;
    }
    if (!m_dragging)
        return;
    // Alt held places the control freely, whatever the snap.
    const int step = modifiers.testFlag(Qt::AltModifier) ? 0 : m_document.SnapStep();
    const Point p = DesignDocument::Snap(pointer, step);
    const int dx = p.x - m_lastPoint.x;
    const int dy = p.y - m_lastPoint.y;
    m_lastPoint = p;
    if (dx == 0 && dy == 0)
        return;
    m_cycleOnRelease = false;
    const QRect was = SelectionReach();
    DragBy(dx, dy);
    viewport()->update(was | SelectionReach());
}

QRect CFmtdesignView::SelectionReach() const {
    QRect reach;
    for (const CControles* control : m_document.SelectedControls())
        reach |= Reach(*control);
    return reach;
}

void CFmtdesignView::DragBy(int dx, int dy) {
    if (m_armedHandle != Handle::None) {
        if (!m_document.Selected())
            return;
        m_document.ResizeSelected(m_armedHandle, dx, dy);
        ShowHandleEdge();
    } else if (m_dividerDrag) {
        if (!dynamic_cast<CFmtGrid*>(m_document.Selected())) {
            SetViewCursor(kArrowCursor);
            ClearTableArming();
            return;
        }
        if (m_dividerColumn >= 0 && dx != 0)
            m_document.MoveColumnDivider(m_dividerColumn, dx);
        if (m_dividerRow >= 0 && dy != 0)
            m_document.MoveRowDivider(m_dividerRow, dy);
        ShowDivider();
    } else if (m_document.Selected()) {
        m_document.MoveSelected(dx, dy);
        ShowSelectedPosition();
    }
}

Handle CFmtdesignView::HandleUnder(const CControles& control, Point p, QPoint pixel) const {
    const Handle drawn = control.HitHandle(p.x, p.y);
    if (drawn != Handle::None || 2.0 * CControles::kHandleHalf * m_scale >= kGripPixels)
        return drawn;
    const double h = horizontalScrollBar()->value();
    const double v = verticalScrollBar()->value();
    for (std::size_t i = 0; i < control.handles.size(); ++i) {
        const Rect& square = control.handles[i];
        if (square.IsNull())
            continue;
        // Handles lie on the surface, the page shifted as the view draws it.
        const double x = (static_cast<double>(square.left) + square.right) / 2.0 * m_scale - h;
        const double y = -(static_cast<double>(square.top) + square.bottom) / 2.0 * m_scale - v;
        if (std::abs(pixel.x() - x) <= kGripPixels / 2 &&
            std::abs(pixel.y() - y) <= kGripPixels / 2)
            return static_cast<Handle>(i + 1);
    }
    return Handle::None;
}

void CFmtdesignView::Hover(Point p, QPoint pixel) {
    if (m_document.CurrentTool() == DesignDocument::Tool::Insertion) {
        if (m_cursorId != kCrossHairCursor)
            SetViewCursor(kCrossHairCursor);
        ShowPosition(p.x, p.y);
        return;
    }
    // Handles resize one control: a selection of many is only moved.
    const CControles* selected =
        m_document.Selection().size() == 1 ? m_document.Selected() : nullptr;
    if (!selected) {
        // Nothing left to resize (the control was deleted or the click missed every control).
        if (m_armedHandle != Handle::None || m_dividerDrag || m_headerSelect)
            SetViewCursor(kArrowCursor);
        m_armedHandle = Handle::None;
        ClearTableArming();
    } else {
        const Handle handle = HandleUnder(*selected, p, pixel);
        if (handle != Handle::None) {
            m_armedHandle = handle;
            ClearTableArming();
            SetViewCursor(handle == Handle::Left || handle == Handle::Right ? kSizeWidthCursor
                                                                            : kSizeHeightCursor);
        } else {
            if (m_armedHandle != Handle::None) {
                SetViewCursor(kArrowCursor);
                m_armedHandle = Handle::None;
            }
            if (const auto* table = dynamic_cast<const CFmtGrid*>(selected)) {
                const CFmtGrid::Hit divider = table->HitDivider(p);
                const CFmtGrid::Hit header = table->HitHeader(p);
                m_dividerColumn = divider.column;
                m_dividerRow = divider.row;
                m_dividerDrag = divider.column >= 0 || divider.row >= 0;
                m_headerSelect = !m_dividerDrag && (header.column >= 0 || header.row >= 0);
                if (divider.column >= 0)
                    SetViewCursor(kSizeWidthCursor);
                else if (divider.row >= 0)
                    SetViewCursor(kSizeHeightCursor);
                else if (header.column >= 0)
                    SetViewCursor(kSelectColumnCursor);
                else if (header.row >= 0)
                    SetViewCursor(kSelectRowCursor);
                else
                    SetViewCursor(kArrowCursor);
            } else {
                ClearTableArming();
            }
        }
    }
    ShowPosition(p.x, p.y);
}

void CFmtdesignView::LeftRelease(Point p) {
    if (!m_buttonDown)
        return;
    m_buttonDown = false;
    if (m_band) {
        m_band = false;
        m_bandEnd = p;
        m_document.SelectWithin(Rect(m_bandStart.x, m_bandStart.y, p.x, p.y), m_bandAdds);
        viewport()->update();
        return;
    }
    if (m_document.CurrentTool() == DesignDocument::Tool::Insertion) {
        InsertAt(DesignDocument::Snap(p, m_document.SnapStep()));
        ArmSelection();
        return;
    }
    if (m_armedHandle != Handle::None && m_document.Selected() &&
        m_document.Selected()->Type() == ControlTypeCode::Imagen)
        m_document.FitSelectedPicture();
    if (m_dragging) {
        m_dragging = false;
        m_document.EndDrag();
    }
    if (std::exchange(m_cycleOnRelease, false))
        m_document.Select(m_document.NextIndexAt(m_cyclePoint, StrokeReach()));
    viewport()->update();
}

int CFmtdesignView::StrokeReach() const {
    return static_cast<int>(std::ceil(kGripPixels / m_scale));
}

void CFmtdesignView::InsertAt(Point p) {
    const ControlTypeCode type = m_document.InsertionType();
    QString path;
    if (type == ControlTypeCode::Imagen) {
        path = m_chooseImage(this);
        if (path.isEmpty())
            return;
    }
    try {
        if (!m_document.Insert(type, p, path) && type == ControlTypeCode::Imagen)
            m_report(QStringLiteral("No se puede leer la imagen %1.").arg(path));
    } catch (const PlenovaError& e) {
        m_report(e.Message());
    }
}

QString CFmtdesignView::AskForImage(QWidget* parent) {
    FileDialog::Request request;
    request.title = QStringLiteral("Seleccione el archivo");
    request.defaultSuffix = QStringLiteral("bmp");
    request.filters = {QStringLiteral("Imagen BMP (*.bmp)"), QStringLiteral("Imagen JPG(*.jpg)"),
                       QStringLiteral("Imagen GIF(*.gif)")};
    return FileDialog::Ask(parent, request);
}

void CFmtdesignView::RightPress(Point p, QPoint globalPixel) {
    setFocus(Qt::MouseFocusReason);
    // A right click on a selected control keeps the selection, so that its commands act on all.
    const int hit = m_document.IndexAt(p, StrokeReach());
    if (hit < 0 || !m_document.IsSelected(hit))
        m_document.Select(hit);
    viewport()->update();
    m_menuPoint = p;
    QMenu* menu = MakeContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QSize size = menu->sizeHint();
    menu->popup(QPoint(globalPixel.x() - size.width() / 2, globalPixel.y()));
}

QMenu* CFmtdesignView::MakeContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    WindowCommands commands(menu);
    const auto add = [menu, &commands](CommandId id, auto&& act) {
        QAction* action = commands.Add(id);
        menu->addAction(action);
        QObject::connect(action, &QAction::triggered, menu, act);
        return action;
    };
    // Until a window answers for the properties, the entry is shown greyed.
    add(CommandId::ContextProperties, [this] { emit propertiesRequested(); })
        ->setEnabled(
            isSignalConnected(QMetaMethod::fromSignal(&CFmtdesignView::propertiesRequested)));
    menu->addSeparator();
    AddClipboardCommands(*menu, commands);
    const CControles* selected = m_document.Selected();
    if (!selected)
        return menu;
    add(CommandId::ContextDelete, [this] { m_document.DeleteSelected(); });
    bool takesFont = false;
    bool takesColor = false;
    for (const CControles* control : m_document.SelectedControls()) {
        const ControlTypeCode type = control->Type();
        const bool noText = type == ControlTypeCode::Linea || type == ControlTypeCode::Rectangulo ||
                            type == ControlTypeCode::Imagen || type == ControlTypeCode::Etiqueta;
        takesFont = takesFont || !noText;
        takesColor =
            takesColor || (type != ControlTypeCode::Imagen && type != ControlTypeCode::Etiqueta);
    }
    if (takesFont)
        add(CommandId::ContextFont, [this] { emit fontRequested(); });
    if (takesColor)
        add(CommandId::ContextColor, [this] { emit colorRequested(); });
    // As the font and the colour, offered where it applies.
    if (m_document.SelectedFitsText())
        add(CommandId::FitToText, [this] { m_document.FitSelectionToText(); });
    AddArrangeCommands(*menu, commands);
    return menu;
}

void CFmtdesignView::AddClipboardCommands(QMenu& menu, WindowCommands& commands) {
    if (!m_clipboard)
        return;
    DesignClipboard& clipboard = *m_clipboard;
    const bool selected = !m_document.Selection().empty();
    const auto add = [&menu, &commands](CommandId id, bool enabled, auto&& act) {
        QAction* action = commands.Add(id);
        menu.addAction(action);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, &menu, act);
    };
    add(CommandId::Cut, selected, [&clipboard] { clipboard.Cut(); });
    add(CommandId::Copy, selected, [&clipboard] { clipboard.Copy(); });
    const Point at = DesignDocument::Snap(m_menuPoint, m_document.SnapStep());
    add(CommandId::Paste, clipboard.CanPaste(), [&clipboard, at] { clipboard.Paste(at); });
    add(CommandId::Duplicate, selected, [&clipboard] { clipboard.Duplicate(); });
    menu.addSeparator();
}

void CFmtdesignView::AddArrangeCommands(QMenu& menu, WindowCommands& commands) {
    using Edge = DesignDocument::Edge;
    DesignDocument& doc = m_document;
    const std::size_t count = doc.Selection().size();
    // One control has nothing to line up with: its menu stays as short as it always was.
    if (count < 2)
        return;
    const auto add = [&commands](QMenu* into, CommandId id, bool enabled, auto&& act) {
        QAction* action = commands.Add(id);
        into->addAction(action);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, into, act);
    };
    menu.addSeparator();
    QMenu* align = menu.addMenu(QStringLiteral("Alinear"));
    add(align, CommandId::AlignLeftEdges, true, [&doc] { doc.AlignSelection(Edge::Left); });
    add(align, CommandId::AlignRightEdges, true, [&doc] { doc.AlignSelection(Edge::Right); });
    add(align, CommandId::AlignTopEdges, true, [&doc] { doc.AlignSelection(Edge::Top); });
    add(align, CommandId::AlignBottomEdges, true, [&doc] { doc.AlignSelection(Edge::Bottom); });
    add(align, CommandId::AlignCentresHorizontally, true,
        [&doc] { doc.AlignSelection(Edge::HorizontalCentre); });
    add(align, CommandId::AlignCentresVertically, true,
        [&doc] { doc.AlignSelection(Edge::VerticalCentre); });
    QMenu* distribute = menu.addMenu(QStringLiteral("Distribuir"));
    distribute->setEnabled(count >= 3);
    add(distribute, CommandId::DistributeHorizontally, true,
        [&doc] { doc.DistributeSelection(true); });
    add(distribute, CommandId::DistributeVertically, true,
        [&doc] { doc.DistributeSelection(false); });
    QMenu* size = menu.addMenu(QStringLiteral("Igualar tamaño"));
    add(size, CommandId::SameWidth, true, [&doc] { doc.SameSizeOfSelection(true, false); });
    add(size, CommandId::SameHeight, true, [&doc] { doc.SameSizeOfSelection(false, true); });
    add(size, CommandId::SameSize, true, [&doc] { doc.SameSizeOfSelection(true, true); });
    add(&menu, CommandId::CentreOnPage, true, [&doc] { doc.CentreSelectionOnPage(); });
}

void CFmtdesignView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        // Each notch one zoom step, about the point under the pointer.
        m_zoomWheel += event->angleDelta().y();
        const QPoint pointer = event->position().toPoint();
        for (; m_zoomWheel >= kWheelNotch; m_zoomWheel -= kWheelNotch)
            ZoomAbout(ZoomLevel::Larger(m_zoom), pointer);
        for (; m_zoomWheel <= -kWheelNotch; m_zoomWheel += kWheelNotch)
            ZoomAbout(ZoomLevel::Smaller(m_zoom), pointer);
        event->accept();
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - event->angleDelta().y() / kWheelDivisor);
    viewport()->update();
    event->accept();
}

// ---- The keys -------------------------------------------------------------------------------

bool CFmtdesignView::event(QEvent* event) {
    // Tab walks the controls; it never leaves the view.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            const bool backwards =
                key->key() == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
            m_document.SelectNext(backwards);
            viewport()->update();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool CFmtdesignView::ZoomKey(const QKeyEvent& event) {
    if (!event.modifiers().testFlag(Qt::ControlModifier))
        return false;
    switch (event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        SetZoom(ZoomLevel::Larger(m_zoom));
        return true;
    case Qt::Key_Minus:
        SetZoom(ZoomLevel::Smaller(m_zoom));
        return true;
    case Qt::Key_0:
        SetZoom(ZoomLevel::kTrueSize);
        return true;
    default:
        return false;
    }
}

void CFmtdesignView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (ZoomKey(*event)) {
        // Zoom is how the page is looked at: the selection stays where it is.
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_document.Selected())
            emit propertiesRequested();
    } else if (key == Qt::Key_Delete) {
        if (m_document.Selected())
            m_document.DeleteSelected();
    } else if (!KeyMove(key)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool CFmtdesignView::KeyMove(int key) {
    int dx = 0;
    int dy = 0;
    switch (key) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = 1;
        break;
    case Qt::Key_Down:
        dy = -1;
        break;
    case Qt::Key_Home:
        dx = -10;
        break;
    case Qt::Key_End:
        dx = 10;
        break;
    case Qt::Key_PageUp:
        dy = 10;
        break;
    case Qt::Key_PageDown:
        dy = -10;
        break;
    default:
        return false;
    }
    if (m_document.Selected()) {
        m_document.MoveSelected(dx, dy);
        ShowSelectedPosition();
    }
    return true;
}

// ---- Where things are -----------------------------------------------------------------------

void CFmtdesignView::ClearTableArming() {
    m_dividerDrag = false;
    m_dividerColumn = -1;
    m_dividerRow = -1;
    m_headerSelect = false;
}

CFmtdesignView::Edges CFmtdesignView::EdgesOf(const CControles& control) {
    const Rect r = control.pageRect.Normalized(); // top is the lower edge on the page
    Edges edges{r.left, r.right, control.SingleLineFlag() ? r.top : r.bottom,
                control.SingleLineFlag() ? r.bottom : r.top};
    if (const auto* line = dynamic_cast<const CLinea*>(&control)) {
        const Point middle = r.Center();
        if (line->IsHorizontal()) {
            edges.referenceY = edges.oppositeY = middle.y;
        } else {
            edges.leftX = edges.rightX = middle.x;
            edges.referenceY = r.top;
            edges.oppositeY = r.bottom;
        }
    }
    return edges;
}

void CFmtdesignView::ShowPosition(int x, int y) {
    emit rulerHint(kHintPointerX, x);
    emit rulerHint(kHintPointerY, y);
    emit positionText(Centimetres("X=%.2f, Y=%.2f", x, y));
}

void CFmtdesignView::ShowSelectedPosition() {
    if (const CControles* selected = m_document.Selected()) {
        const Edges e = EdgesOf(*selected);
        ShowPosition(e.leftX, e.referenceY);
    }
}

void CFmtdesignView::ShowHandleEdge() {
    const CControles* selected = m_document.Selected();
    if (!selected)
        return;
    const Edges e = EdgesOf(*selected);
    switch (m_armedHandle) {
    case Handle::Left:
        ShowPosition(e.leftX, e.referenceY);
        break;
    case Handle::Right:
    case Handle::Lower:
        ShowPosition(e.rightX, e.referenceY);
        break;
    case Handle::Upper:
        ShowPosition(e.leftX, e.oppositeY);
        break;
    case Handle::None:
        break;
    }
}

void CFmtdesignView::ShowDivider() {
    const auto* table = dynamic_cast<const CFmtGrid*>(m_document.Selected());
    if (!table)
        return;
    if (m_dividerColumn >= 0 && m_dividerColumn < table->ColumnCount()) {
        const auto& columns = table->Columns();
        const auto i = static_cast<std::size_t>(m_dividerColumn);
        const int x = i + 1 < columns.size() ? columns[i + 1].xPosition : table->pageRect.right;
        emit rulerHint(kHintPointerX, x);
        emit positionText(Centimetres("X=%.2f, Ancho=%.2f", x, columns[i].pageWidth));
    }
    if (m_dividerRow >= 0 && m_dividerRow < table->RowCount()) {
        const TableRow& row = table->Rows()[static_cast<std::size_t>(m_dividerRow)];
        const int y = static_cast<int>(std::int64_t{row.yPosition} - row.height);
        emit rulerHint(kHintPointerY, y);
        emit positionText(Centimetres("Y=%.2f, Alto=%.2f", y, row.height));
    }
}
