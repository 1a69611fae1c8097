#include "platform_widgets/CSizingControlBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A frame with room to spare around its central widget, and a dialog 200 x 400 whose layout asks
// for at least 150 x 150, as a real form does.
struct Frame {
    QMainWindow window;
    QWidget* dialog = new QWidget;
    CSizingControlBar* bar;

    Frame() {
        window.setCentralWidget(new QWidget);
        window.resize(900, 700);
        auto* content = new QWidget;
        content->setMinimumSize(150, 150);
        (new QVBoxLayout(dialog))->addWidget(content);
        dialog->resize(200, 400);
        bar = new CSizingControlBar(QStringLiteral("Accesos"), dialog, &window);
    }

    void Show() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
    }

    QAbstractButton* CloseBox() const {
        return bar->findChild<QAbstractButton*>(QStringLiteral("closeBox"));
    }
};

void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, target->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    QApplication::processEvents();
}

} // namespace

TEST(CSizingControlBar, TakesItsSizesFromTheDialog) {
    Frame frame;
    EXPECT_EQ(frame.bar->FloatingSize(), QSize(200, 400));
    EXPECT_EQ(frame.bar->VerticalSize(), QSize(209, 400));
    EXPECT_EQ(frame.bar->HorizontalSize(), QSize(200, 409));

    frame.window.addDockWidget(Qt::LeftDockWidgetArea, frame.bar);
    frame.Show();
    EXPECT_EQ(frame.bar->width(), 209);
    EXPECT_EQ(frame.dialog->parentWidget(), frame.bar->widget());
    EXPECT_EQ(frame.dialog->size(), frame.bar->widget()->size());

    frame.bar->setFloating(true);
    QApplication::processEvents();
    EXPECT_EQ(frame.bar->size(), QSize(200, 400));
    EXPECT_EQ(frame.dialog->size(), QSize(200, 400));

    // Across the top the title runs down the side and the dialog keeps its whole height.
    frame.window.addDockWidget(Qt::TopDockWidgetArea, frame.bar);
    frame.bar->setFloating(false);
    QApplication::processEvents();
    EXPECT_FALSE(frame.bar->isFloating());
    EXPECT_EQ(frame.bar->height(), 409);
    EXPECT_EQ(frame.dialog->height(), 409);
}

// The dialog's own minimum (150) must not hold a docked bar up: the bar stops at 32 only, both
// when the frame is asked for a smaller depth and when the user drags the inner edge past it.
TEST(CSizingControlBar, DockedNeverBelowMinimum) {
    Frame frame;
    frame.window.addDockWidget(Qt::LeftDockWidgetArea, frame.bar);
    frame.Show();

    frame.window.resizeDocks({frame.bar}, {10}, Qt::Horizontal);
    QApplication::processEvents();
    EXPECT_EQ(frame.bar->width(), CSizingControlBar::MinimumExtent);

    frame.window.resizeDocks({frame.bar}, {250}, Qt::Horizontal);
    QApplication::processEvents();
    ASSERT_EQ(frame.bar->width(), 250);

    const int separator = frame.window.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent,
                                                            nullptr, &frame.window);
    const QRect bar = frame.bar->geometry();
    const QPoint edge(bar.right() + 1 + separator / 2, bar.center().y());
    SendMouse(&frame.window, QEvent::MouseButtonPress, edge, Qt::LeftButton);
    SendMouse(&frame.window, QEvent::MouseMove, edge - QPoint(100, 0), Qt::LeftButton);
    SendMouse(&frame.window, QEvent::MouseMove, QPoint(2, edge.y()), Qt::LeftButton);
    SendMouse(&frame.window, QEvent::MouseButtonRelease, QPoint(2, edge.y()), Qt::NoButton);
    QTest::qWait(50);
    EXPECT_EQ(frame.bar->width(), CSizingControlBar::MinimumExtent);
    EXPECT_EQ(frame.dialog->width(), CSizingControlBar::MinimumExtent);

    // Floated and docked again, the frame's caption no longer holds it up.
    frame.bar->setFloating(true);
    QTest::qWait(50);
    frame.bar->setFloating(false);
    QApplication::processEvents();
    frame.window.resizeDocks({frame.bar}, {10}, Qt::Horizontal);
    QApplication::processEvents();
    EXPECT_EQ(frame.bar->width(), CSizingControlBar::MinimumExtent);
}

// Docked, the close box only asks the owner; floating, closing (the frame's close box) hides the
// bar and asks nothing.
TEST(CSizingControlBar, CloseBoxAsksTheOwnerWhileDocked) {
    Frame frame;
    frame.window.addDockWidget(Qt::LeftDockWidgetArea, frame.bar);
    frame.Show();
    QSignalSpy asked(frame.bar, &CSizingControlBar::closeRequested);
    ASSERT_NE(frame.CloseBox(), nullptr);

    QTest::mouseClick(frame.CloseBox(), Qt::LeftButton);
    EXPECT_EQ(asked.count(), 1);
    EXPECT_TRUE(frame.bar->isVisible());

    frame.bar->setFloating(true);
    QApplication::processEvents();
    frame.bar->close();
    EXPECT_EQ(asked.count(), 1);
    EXPECT_FALSE(frame.bar->isVisible());
}

// The floating size follows the user's resizing of the floating frame and survives a stay in the
// dock; the docked width the user chose survives a move to the other side.
TEST(CSizingControlBar, RemembersTheSizesTheUserGave) {
    Frame frame;
    frame.window.addDockWidget(Qt::LeftDockWidgetArea, frame.bar);
    frame.Show();
    frame.window.resizeDocks({frame.bar}, {250}, Qt::Horizontal);
    QApplication::processEvents();

    // A double click on the dialog's background floats the bar.
    QTest::mouseDClick(frame.dialog, Qt::LeftButton, {}, QPoint(5, 5));
    QApplication::processEvents();
    ASSERT_TRUE(frame.bar->isFloating());
    EXPECT_EQ(frame.bar->size(), QSize(200, 400));
    frame.bar->resize(300, 350);
    QApplication::processEvents();
    EXPECT_EQ(frame.bar->FloatingSize(), QSize(300, 350));

    frame.window.addDockWidget(Qt::RightDockWidgetArea, frame.bar);
    frame.bar->setFloating(false);
    QApplication::processEvents();
    EXPECT_EQ(frame.bar->width(), 250);
    EXPECT_EQ(frame.bar->FloatingSize(), QSize(300, 350));

    frame.bar->setFloating(true);
    QApplication::processEvents();
    EXPECT_EQ(frame.bar->size(), QSize(300, 350));
}
