#include "platform_widgets/CSizingControlBar.h"

#include <algorithm>
#include <utility>

#include <QBoxLayout>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>
#include <qdrawutil.h>

namespace {

// The bar's client area: asks the dock for the size the bar wants where it is, lets the dock
// shrink it to the bar's minimum whatever the dialog's own minimum, and keeps the dialog filling
// it (a dialog larger than the client area is clipped, as a docked panel's contents are).
class BarClient : public QWidget {
public:
    BarClient(CSizingControlBar* bar, QWidget* dialog)
        : QWidget(bar), m_bar(bar), m_dialog(dialog) {
        m_dialog->setParent(this);
        m_dialog->setWindowFlags(Qt::Widget);
        m_dialog->show();
    }

    QSize sizeHint() const override { return m_bar->ClientSizeHint(); }
    QSize minimumSizeHint() const override {
        return {CSizingControlBar::MinimumExtent, CSizingControlBar::MinimumExtent};
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        m_dialog->setGeometry(rect());
    }

    // A double click on the dialog's bare background floats a docked bar, as one on its title.
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton || m_bar->isFloating()) {
            event->ignore();
            return;
        }
        m_bar->setFloating(true);
    }

private:
    CSizingControlBar* m_bar;
    QWidget* m_dialog;
};

// The title band of a docked bar: the title, the box that floats the bar and the close box. Unlike
// the dock's own band it may be squeezed to nothing, so the bar can shrink to its minimum; mouse
// presses it does not take go to the dock, which drags the bar and floats it on a double click.
class BarTitle : public QWidget {
public:
    explicit BarTitle(CSizingControlBar* bar) : QWidget(bar), m_bar(bar) {
        m_layout = new QBoxLayout(QBoxLayout::LeftToRight, this);
        m_layout->setContentsMargins(2, 2, 2, 2);
        m_layout->setSpacing(1);
        m_layout->addStretch();
        m_layout->addWidget(Box(QStyle::SP_TitleBarNormalButton, QStringLiteral("floatBox"),
                                [bar] { bar->setFloating(!bar->isFloating()); }));
        m_layout->addWidget(Box(QStyle::SP_TitleBarCloseButton, QStringLiteral("closeBox"),
                                [bar] { bar->close(); }));
    }

    void SetVertical(bool vertical) {
        m_layout->setDirection(vertical ? QBoxLayout::BottomToTop : QBoxLayout::LeftToRight);
        updateGeometry();
        update();
    }

    QSize sizeHint() const override { return QWidget::sizeHint().expandedTo({20, 20}); }
    QSize minimumSizeHint() const override { return {0, 0}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        // Lay the band out lengthwise: along x when it runs across the top of the bar, and with
        // the painter turned when it runs down the side (the boxes are then at its far end).
        int length = width();
        int depth = height();
        if (m_layout->direction() == QBoxLayout::BottomToTop) {
            painter.translate(0, height());
            painter.rotate(-90);
            std::swap(length, depth);
        }
        const int boxes = 2 * ButtonSize + 8;
        const QRect band(4, 0, std::max(0, length - boxes - 4), depth);
        const QString text =
            fontMetrics().elidedText(m_bar->windowTitle(), Qt::ElideRight, band.width());
        painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, text);
        // Two raised lines fill the rest of the band: the handle by which the bar is dragged.
        const int from = band.left() + fontMetrics().horizontalAdvance(text) + 6;
        const int to = band.right() - 2;
        if (to > from) {
            for (const int y : {depth / 2 - 2, depth / 2 + 1})
                qDrawShadeLine(&painter, from, y, to, y, palette(), false, 1);
        }
    }

private:
    template <typename Action>
    QToolButton* Box(QStyle::StandardPixmap icon, const QString& name, Action action) {
        auto* button = new QToolButton(this);
        button->setIcon(style()->standardIcon(icon, nullptr, this));
        button->setObjectName(name);
        button->setAutoRaise(true);
        button->setFixedSize(ButtonSize, ButtonSize);
        button->setIconSize({ButtonSize - 2, ButtonSize - 2});
        connect(button, &QToolButton::clicked, this, action);
        return button;
    }

    static constexpr int ButtonSize = 14;

    CSizingControlBar* m_bar;
    QBoxLayout* m_layout;
};

QSize DialogSize(const QWidget* dialog) {
    if (dialog->testAttribute(Qt::WA_Resized))
        return dialog->size();
    return dialog->sizeHint().expandedTo(
        {CSizingControlBar::MinimumExtent, CSizingControlBar::MinimumExtent});
}

} // namespace

CSizingControlBar::CSizingControlBar(const QString& title, QWidget* dialog, QWidget* parent)
    : QDockWidget(title, parent), m_dialog(dialog) {
    Q_ASSERT(dialog);
    const QSize size = DialogSize(dialog);
    m_floatingSize = size;
    m_horizontalSize = {size.width(), size.height() + EdgeAndBorder};
    m_verticalSize = {size.width() + EdgeAndBorder, size.height()};

    setMinimumSize(MinimumExtent, MinimumExtent);
    setWidget(new BarClient(this, dialog));
    m_title = new BarTitle(this);
    setTitleBarWidget(m_title);
    connect(this, &QDockWidget::topLevelChanged, this, &CSizingControlBar::OnTopLevelChanged);
    connect(this, &QDockWidget::dockLocationChanged, this, &CSizingControlBar::OnAreaChanged);
}

QSize CSizingControlBar::ClientSizeHint() const {
    switch (Area()) {
    case Qt::LeftDockWidgetArea:
    case Qt::RightDockWidgetArea:
        return m_verticalSize;
    case Qt::TopDockWidgetArea:
    case Qt::BottomDockWidgetArea:
        return m_horizontalSize;
    default:
        return m_floatingSize;
    }
}

Qt::DockWidgetArea CSizingControlBar::Area() const {
    if (isFloating())
        return Qt::NoDockWidgetArea;
    const auto* frame = qobject_cast<const QMainWindow*>(parentWidget());
    return frame ? frame->dockWidgetArea(const_cast<CSizingControlBar*>(this))
                 : Qt::NoDockWidgetArea;
}

void CSizingControlBar::closeEvent(QCloseEvent* event) {
    // A docked bar belongs to its frame's layout: whether it goes away is the frame's decision.
    if (!isFloating()) {
        event->ignore();
        emit closeRequested();
        return;
    }
    QDockWidget::closeEvent(event);
}

void CSizingControlBar::resizeEvent(QResizeEvent* event) {
    QDockWidget::resizeEvent(event);
    // Before the bar shows, sizes come from layouts still settling, not from the user.
    if (!isVisible())
        return;
    if (isFloating()) {
        if (m_floatingSized)
            m_floatingSize = event->size() - FloatingFrame();
        return;
    }
    // Remember the depth the user gave the docked bar, so a later layout keeps it.
    switch (Area()) {
    case Qt::LeftDockWidgetArea:
    case Qt::RightDockWidgetArea:
        m_verticalSize.setWidth(event->size().width());
        break;
    case Qt::TopDockWidgetArea:
    case Qt::BottomDockWidgetArea:
        m_horizontalSize.setHeight(event->size().height());
        break;
    default:
        break;
    }
}

bool CSizingControlBar::event(QEvent* event) {
    const bool handled = QDockWidget::event(event);
    // A bar pulled out of its dock keeps the docked title band until the user lets go of it.
    if (event->type() == QEvent::MouseButtonRelease && isFloating() && titleBarWidget())
        QMetaObject::invokeMethod(this, &CSizingControlBar::BecomeFloatingFrame,
                                  Qt::QueuedConnection);
    return handled;
}

void CSizingControlBar::OnTopLevelChanged(bool floating) {
    m_floatingSized = false;
    if (!floating) {
        if (!titleBarWidget()) {
            m_title->show();
            setTitleBarWidget(m_title);
        }
        // Floating, the frame's layout raised the bar's minimum to what the window frame needs;
        // docked, the bar shrinks to its own minimum again.
        setMinimumSize(MinimumExtent, MinimumExtent);
        widget()->updateGeometry();
        return;
    }
    if (QWidget::mouseGrabber() != this)
        QMetaObject::invokeMethod(this, &CSizingControlBar::BecomeFloatingFrame,
                                  Qt::QueuedConnection);
}

void CSizingControlBar::BecomeFloatingFrame() {
    if (!isFloating())
        return;
    // Floating, the window's own frame gives the caption, the close box and the sizing borders.
    if (titleBarWidget()) {
        setTitleBarWidget(nullptr);
        m_title->hide();
    }
    resize(m_floatingSize + FloatingFrame());
    m_floatingSized = true;
    widget()->updateGeometry();
}

QSize CSizingControlBar::FloatingFrame() const {
    // The dock's size for the client's: more than the client by the title band and border that
    // Qt draws itself where the window system gives a floating bar no frame of its own (X11).
    return sizeHint() - widget()->sizeHint();
}

void CSizingControlBar::OnAreaChanged(Qt::DockWidgetArea area) {
    // Across the top or bottom the title runs down the leading side, so the dialog keeps the
    // height it was made for.
    const bool across = area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
    setFeatures(features().setFlag(DockWidgetVerticalTitleBar, across));
    static_cast<BarTitle*>(m_title)->SetVertical(across);
    widget()->updateGeometry();
}
