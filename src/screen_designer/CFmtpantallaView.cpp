#include "screen_designer/CFmtpantallaView.h"

#include "capture_model/CCaptureControl.h"
#include "model/CControles.h"
#include "platform/ColorRef.h"
#include "platform/PainterSurface.h"
#include "platform_widgets/ZoomLevel.h"
#include "screen_designer/ScreenDocument.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// A notch of the wheel.
constexpr int kWheelNotch = 120;

// Scrolls to value, lengthening the bar when it does not reach so far.
void ScrollTo(QScrollBar* bar, int value) {
    if (value > bar->maximum())
        bar->setMaximum(value);
    bar->setValue(value);
}

} // namespace

CFmtpantallaView::CFmtpantallaView(ScreenDocument& document, QWidget* parent)
    : QAbstractScrollArea(parent), m_document(document),
      m_screenFont(CCaptureControl::ScreenFont()) {
    setObjectName(QStringLiteral("screenLayoutView"));
    viewport()->setMouseTracking(true);
    // Every pixel is painted: the form's colour and the fields over it.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    SetViewCursor(kArrowCursor);
    UpdateScrollBars();
    // A field moved past the edge of the window takes the bars along.
    connect(&m_document, &ScreenDocument::changed, this, [this] {
        UpdateScrollBars();
        viewport()->update();
    });
    connect(&m_document, &ScreenDocument::selectionChanged, this, [this] {
        // A handle armed on the control that was selected is no handle of the new one.
        m_armed = Handle::None;
        SetViewCursor(kArrowCursor);
        viewport()->update();
    });
}

CFmtpantallaView::~CFmtpantallaView() = default;

QSize CFmtpantallaView::ArrangementSize() const {
    constexpr int kMargin = 4 * ScreenDocument::kGrid;
    int right = 0;
    int bottom = 0;
    for (const auto& control : m_document.Controls()) {
        if (!ScreenDocument::IsArrangeable(*control))
            continue;
        const ScreenRect r = control->screenRect.Normalized();
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
    }
    return QSize(std::clamp(right + kMargin, 0, kSide), std::clamp(bottom + kMargin, 0, kSide));
}

Point CFmtpantallaView::ToScreen(QPoint pixel) const {
    const double x = (pixel.x() + horizontalScrollBar()->value()) / Factor();
    const double y = (pixel.y() + verticalScrollBar()->value()) / Factor();
    return Point{static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
}

void CFmtpantallaView::SetZoom(int percent) {
    ZoomAbout(percent, viewport()->rect().center());
}

void CFmtpantallaView::ZoomAbout(int percent, QPoint pixel) {
    percent = ZoomLevel::Clamp(percent);
    if (percent == m_zoom)
        return;
    const double oldFactor = Factor();
    const int h = horizontalScrollBar()->value();
    const int v = verticalScrollBar()->value();
    m_zoom = percent;
    UpdateScrollBars();
    ScrollTo(horizontalScrollBar(), ZoomLevel::ScrollKeeping(pixel.x(), h, oldFactor, Factor()));
    ScrollTo(verticalScrollBar(), ZoomLevel::ScrollKeeping(pixel.y(), v, oldFactor, Factor()));
    viewport()->update();
    emit zoomChanged(m_zoom);
}

void CFmtpantallaView::FitArrangement() {
    const QSize arrangement = ArrangementSize();
    const QSize room = ZoomLevel::Room(*this);
    ZoomAbout(
        ZoomLevel::Fitting(arrangement.width(), arrangement.height(), room.width(), room.height()),
        QPoint(0, 0));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    UpdateScrollBars();
}

void CFmtpantallaView::Paint(DrawingSurface& dc, Point origin, QSize visible) const {
    dc.FillSolidRect(Rect{0, 0, visible.width(), visible.height()},
                     FromQColor(palette().color(QPalette::Button)));
    const Point previousOrigin = dc.SetWindowOrg(origin);
    const LogFont previousFont = dc.SelectFont(m_screenFont);
    dc.SetBkMode(BkMode::Transparent);
    const ColorRef previousColor =
        dc.SetTextColor(FromQColor(palette().color(QPalette::ButtonText)));
    const bool order = m_document.IsOrderMode();
    // In list order, as the capture window stacks them: the last one lies on top.
    // Each control draws its caption in the font selected here, the screen font.
    for (const auto& control : m_document.Controls()) {
        if (ScreenDocument::IsArrangeable(*control))
            control->DrawOnScreenLayout(dc, order);
    }
    dc.SetTextColor(previousColor);
    dc.SelectFont(previousFont);
    dc.SetWindowOrg(previousOrigin);
}

void CFmtpantallaView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    // Zoomed, the layout is drawn in its own pixels and the painter enlarges them; the part of a
    // layout pixel scrolled past the viewport's corner is shifted off it.
    const double zoom = Factor();
    const Point origin = ToScreen(QPoint(0, 0));
    painter.translate(origin.x * zoom - horizontalScrollBar()->value(),
                      origin.y * zoom - verticalScrollBar()->value());
    painter.scale(zoom, zoom);
    PainterSurface dc(painter);
    const QSize visible = viewport()->size();
    Paint(dc, origin,
          QSize(static_cast<int>(std::ceil(visible.width() / zoom)) + 1,
                static_cast<int>(std::ceil(visible.height() / zoom)) + 1));
}

void CFmtpantallaView::UpdateScrollBars() {
    // The bars reach as far as the fields and labels do, so a window the size of its arrangement
    // shows none, and never short of where the view stands: nothing jumps while a field is
    // dragged back in. Fields go further by the edge of a larger window, or dragged past it.
    const QSize arrangement = ArrangementSize();
    const double factor = Factor();
    const int side = static_cast<int>(std::lround(kSide * factor));
    const int width = static_cast<int>(std::lround(arrangement.width() * factor));
    const int height = static_cast<int>(std::lround(arrangement.height() * factor));
    // What fits the view without bars needs none, whatever bars the view showed before.
    const QSize whole = maximumViewportSize();
    const QSize visible =
        width <= whole.width() && height <= whole.height() ? whole : viewport()->size();
    horizontalScrollBar()->setRange(
        0, std::max({0, width - visible.width(), horizontalScrollBar()->value()}));
    verticalScrollBar()->setRange(
        0, std::max({0, height - visible.height(), verticalScrollBar()->value()}));
    horizontalScrollBar()->setPageStep(visible.width());
    verticalScrollBar()->setPageStep(visible.height());
    horizontalScrollBar()->setSingleStep(side / 100);
    verticalScrollBar()->setSingleStep(side / 100);
}

void CFmtpantallaView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CFmtpantallaView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CFmtpantallaView::SetViewCursor(int id) {
    m_cursorId = id;
    viewport()->setCursor(DesignerPictures::Cursor(id));
}

bool CFmtpantallaView::event(QEvent* event) {
    // A shortcut (Ctrl+Z above all) pressed while a field is being dragged first ends the drag
    // as a step of its own, so that the shortcut acts on a finished history.
    if (event->type() == QEvent::ShortcutOverride && m_document.IsDragging())
        m_document.Release();
    return QAbstractScrollArea::event(event);
}

void CFmtpantallaView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_document.Press(ToScreen(event->position().toPoint()), m_armed);
}

void CFmtpantallaView::mouseMoveEvent(QMouseEvent* event) {
    const Point p = ToScreen(event->position().toPoint());
    if (m_document.IsDragging())
        m_document.DragTo(p);
    else
        Hover(p);
}

void CFmtpantallaView::Hover(Point p) {
    if (!m_document.Selected())
        return;
    const Handle handle = m_document.HandleAt(p);
    if (m_armed == Handle::None) {
        if (handle == Handle::Left || handle == Handle::Right) {
            m_armed = handle;
            SetViewCursor(kSizeWidthCursor);
        } else if (handle == Handle::Lower || handle == Handle::Upper) {
            m_armed = handle;
            SetViewCursor(kSizeHeightCursor);
        }
    } else if (handle == Handle::None) {
        m_armed = Handle::None;
        SetViewCursor(kArrowCursor);
    }
}

void CFmtpantallaView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_document.IsDragging())
        m_document.Release();
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CFmtpantallaView::wheelEvent(QWheelEvent* event) {
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Each notch one zoom step, about the point under the pointer.
    m_zoomWheel += event->angleDelta().y();
    const QPoint pointer = event->position().toPoint();
    for (; m_zoomWheel >= kWheelNotch; m_zoomWheel -= kWheelNotch)
        ZoomAbout(ZoomLevel::Larger(m_zoom), pointer);
    for (; m_zoomWheel <= -kWheelNotch; m_zoomWheel += kWheelNotch)
        ZoomAbout(ZoomLevel::Smaller(m_zoom), pointer);
    event->accept();
}

void CFmtpantallaView::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        const int key = event->key();
        const int zoom = key == Qt::Key_Plus || key == Qt::Key_Equal ? ZoomLevel::Larger(m_zoom)
                         : key == Qt::Key_Minus                      ? ZoomLevel::Smaller(m_zoom)
                         : key == Qt::Key_0                          ? ZoomLevel::kTrueSize
                                                                     : 0;
        if (zoom != 0) {
            SetZoom(zoom);
            event->accept();
            return;
        }
    }
    const int step = ScreenDocument::kGrid;
    const bool arrow = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right ||
                       event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    // Without a selected field the arrows scroll the screen.
    if (arrow && !m_document.Selected()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        m_document.MoveSelected(-step, 0);
        break;
    case Qt::Key_Right:
        m_document.MoveSelected(step, 0);
        break;
    case Qt::Key_Up:
        m_document.MoveSelected(0, -step);
        break;
    case Qt::Key_Down:
        m_document.MoveSelected(0, step);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter does nothing on this screen.
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}
