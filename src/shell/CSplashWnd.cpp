#include "shell/CSplashWnd.h"

#include "platform/PainterSurface.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

namespace {

// The start-up picture among Plenova's own pictures (a JPEG).
constexpr int kSplashPicture = 234;

// Only one start-up picture is up at a time.
QPointer<CSplashWnd>& Current() {
    static QPointer<CSplashWnd> splash;
    return splash;
}

} // namespace

CSplashWnd::CSplashWnd(QWidget* mainWindow)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_mainWindow(mainWindow) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCursor(Qt::ArrowCursor);
    if (m_picture.LoadJpegResource(kSplashPicture))
        setFixedSize(m_picture.Width(), m_picture.Height());
}

CSplashWnd::~CSplashWnd() {
    QCoreApplication::instance()->removeEventFilter(this);
}

void CSplashWnd::ShowSplash() {
    if (!m_picture.IsLoaded()) {
        HideSplashScreen();
        return;
    }
    const QScreen* screen =
        m_mainWindow ? m_mainWindow->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    // Every key and button of the application passes here first while the picture is up.
    QCoreApplication::instance()->installEventFilter(this);
    m_showing = true;
    show();
    raise();
    m_timer.start(kShowMs, this);
}

CSplashWnd* CSplashWnd::ShowSplashScreen(QWidget* mainWindow) {
    if (Current())
        return nullptr;
    auto* splash = new CSplashWnd(mainWindow);
    Current() = splash;
    connect(splash, &CSplashWnd::hidden, splash, &QObject::deleteLater);
    splash->ShowSplash();
    return splash;
}

void CSplashWnd::HideSplashScreen() {
    m_timer.stop();
    QCoreApplication::instance()->removeEventFilter(this);
    const bool wasShowing = m_showing;
    m_showing = false;
    hide();
    // What the picture covered is drawn again at once rather than when the system gets to it.
    if (m_mainWindow)
        m_mainWindow->update();
    if (wasShowing || !m_picture.IsLoaded())
        emit hidden();
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface dc(painter);
    dc.FillSolidRect(Rect{0, 0, width(), height()}, kWhite);
    m_picture.Show(dc, 0, 0, width(), height(), CPictureBitmap::ShowOption::Centre);
}

void CSplashWnd::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer.timerId())
        HideSplashScreen();
    else
        QWidget::timerEvent(event);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    if (m_showing) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            HideSplashScreen();
            // The press was meant to dismiss the picture: it does not reach the window under it.
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
